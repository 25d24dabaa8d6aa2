#include "gui/widgets/UserPrompts.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace kestrova {

UserPrompts UserPrompts::standard() {
    UserPrompts prompts;
    prompts.showMessage = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, title, text);
    };
    prompts.askText = [](QWidget* parent, const QString& title,
                         const QString& label) -> std::optional<QString> {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return text;
    };
    prompts.askOpenFile = [](QWidget* parent, const QString& title, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filter);
    };
    prompts.askSaveFile = [](QWidget* parent, const QString& title, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, title, QString(), filter);
    };
    prompts.askDirectory = [](QWidget* parent, const QString& caption) {
        return QFileDialog::getExistingDirectory(parent, caption);
    };
    prompts.askColour = [](QWidget* parent, const QColor& initial) {
        return QColorDialog::getColor(initial, parent);
    };
    prompts.askYesNo = [](QWidget* parent, const QString& title, const QString& text) {
        return QMessageBox::question(parent, title, text) == QMessageBox::Yes;
    };
    return prompts;
}

std::filesystem::path toPath(const QString& fileName) {
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
}

}  // namespace kestrova
