// icon-maker OUTDIR [PREVIEW.png]: writes the autorate pictures 0.png .. 15.png
// into OUTDIR (normally data/icons) and, when asked, one sheet of all sixteen
// at eight times their size to judge them by eye.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

#include "IconPainter.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 && args.size() != 3) {
        err << "usage: icon-maker OUTDIR [PREVIEW.png]\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.absolutePath())) {
        err << "cannot create " << out.absolutePath() << "\n";
        return 1;
    }
    for (int i = 0; i < 16; ++i) {
        const QString file = out.filePath(QString::number(i) + QStringLiteral(".png"));
        if (!kestrova::IconPainter::draw(i).save(file, "PNG")) {
            err << "cannot write " << file << "\n";
            return 1;
        }
    }
    if (args.size() == 3) {
        constexpr int kScale = 8;
        constexpr int kCell = kestrova::IconPainter::kSizePx * kScale + 8;
        QImage sheet(8 * kCell, 2 * kCell, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        for (int i = 0; i < 16; ++i) {
            const QImage icon = kestrova::IconPainter::draw(i);
            p.drawImage(QRect((i % 8) * kCell, (i / 8) * kCell, kCell - 8, kCell - 8), icon);
        }
        p.end();
        if (!sheet.save(args.at(2), "PNG")) {
            err << "cannot write " << args.at(2) << "\n";
            return 1;
        }
    }
    return 0;
}
