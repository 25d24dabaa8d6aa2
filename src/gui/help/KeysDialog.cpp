#include "gui/help/KeysDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace kestrova {

namespace {

QString row(const QString& keys, const QString& meaning) {
    return QStringLiteral("<tr><td><b>%1</b>&nbsp;&nbsp;&nbsp;</td><td>%2</td></tr>")
        .arg(keys.toHtmlEscaped(), meaning.toHtmlEscaped());
}

// A menu entry as the user reads it: no mnemonic marker, no trailing dots.
QString plain(QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    text.remove(QChar(u'…'));
    return text.trimmed();
}

}  // namespace

KeysDialog::KeysDialog(const QMenuBar& menus, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("keysDialog"));
    setWindowTitle(tr("Keys"));
    // The menus' own shortcuts, so that the list never tells of a key that changed.
    QString rows;
    for (const QAction* title : menus.actions()) {
        if (!title->menu())
            continue;
        for (const QAction* entry : title->menu()->actions()) {
            if (entry->shortcut().isEmpty())
                continue;
            const QString keys = entry->shortcut().toString(QKeySequence::NativeText);
            rows += row(entry->shortcutContext() == Qt::WidgetShortcut
                            ? tr("%1 on a table row").arg(keys)
                            : keys,
                        plain(entry->text()));
        }
    }
    rows += row(tr("Double click on a table row"),
                tr("Open, when the Display page of the options says so"));
    rows += row(tr("Alt + underlined letter"), tr("That menu, button or field"));
    auto* text = new QLabel(QStringLiteral("<table>") + rows + QStringLiteral("</table>"));
    text->setObjectName(QStringLiteral("keys"));
    text->setTextFormat(Qt::RichText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

}  // namespace kestrova
