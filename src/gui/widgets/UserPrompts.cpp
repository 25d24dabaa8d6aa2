#include "gui/widgets/UserPrompts.h"

#include "MessageAdvice.h"
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

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox box(message.failure() ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Kestrova Everest: ") + messageText(message.title),
                    messageText(message.text), QMessageBox::Ok, parent);
    box.setInformativeText(messageText(adviceFor(message.kind)));
    box.exec();
}

Message guiMessage(MessageKind kind, const QString& title, const QString& text) {
    return Message{kind, title.toStdString(), text.toStdString()};
}

UserPrompts UserPrompts::standard() {
    UserPrompts prompts;
    prompts.showMessage = showMessageBox;
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
