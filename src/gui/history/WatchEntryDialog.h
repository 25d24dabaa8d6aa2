#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrova {

// "Watch Player" and "Add Rule": the name or rule and a note of the user's
// own, asked together. Text the watch list refuses is explained inside the
// dialog and stays there to be mended.
class WatchEntryDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Kind { Player, Rule };
    // Takes the entry (trimmed) and its note; why it was refused, or nothing.
    using Save = std::function<std::optional<QString>(const QString& entry, const QString& note)>;

    WatchEntryDialog(Kind kind, Save save, QWidget* parent = nullptr);

    void accept() override;

private:
    Save save_;
    QLineEdit* entry_ = nullptr;
    QLineEdit* note_ = nullptr;
    QLabel* problem_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace kestrova
