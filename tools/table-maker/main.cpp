// table-maker DATADIR: writes the six table pictures "ftp_9_max.jpg" ..
// "pp_2_max.jpg" and the default layouts "ftp.def" and "pp.def" into DATADIR
// (normally data/).
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

#include "TableGeometry.h"
#include "TablePainter.h"
#include "common/AtomicFile.h"
#include "hud/LayoutSet.h"

int main(int argc, char* argv[]) {
    using namespace kestrova;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        err << "usage: table-maker DATADIR\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.absolutePath())) {
        err << "cannot create " << out.absolutePath() << "\n";
        return 1;
    }
    for (int index = 0; index < hud::kLayoutCount; ++index) {
        const QString name = QString::fromLatin1(hud::pictureFileName(index).data(),
                                                 hud::pictureFileName(index).size());
        if (!TablePainter::draw(index).save(out.filePath(name), "JPG", 90)) {
            err << "cannot write " << out.filePath(name) << "\n";
            return 1;
        }
    }
    const hud::LayoutSet defaults = TableGeometry::defaultLayouts();
    const std::filesystem::path dir(QFile::encodeName(out.absolutePath()).toStdString());
    for (int room = 0; room < hud::kRoomCount; ++room) {
        const auto file = dir / hud::roomFileName(room, hud::LayoutFamily::Default);
        if (!writeFileAtomically(file, defaults.roomBytes(room))) {
            err << "cannot write " << QString::fromStdString(file.string()) << "\n";
            return 1;
        }
    }
    return 0;
}
