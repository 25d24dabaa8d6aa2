#include "gui/widgets/UserPrompts.h"

#include "gui/widgets/QtText.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

#include <QMessageBox>
#include <algorithm>

namespace kestrova {

void fitTitle(QDialog& dialog) {
    // The title bar's buttons and margins take about as much again as a few letters.
    const int titleWidth = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle());
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), titleWidth + 160));
}

UserPrompts UserPrompts::standard() {
    UserPrompts prompts;
    prompts.showMessage = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::information(parent, messageText(title), messageText(text));
    };
    prompts.askText = [](QWidget* parent, const QString& title,
                         const QString& label) -> std::optional<QString> {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(title);
        dialog.setLabelText(label);
        fitTitle(dialog);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.textValue();
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
