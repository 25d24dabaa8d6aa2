#pragma once

#include <QDialog>

class QMenuBar;

namespace kestrova {

// "Keys": every shortcut the menus offer, with what it does, and how the
// rest of the window is reached from the keyboard.
class KeysDialog final : public QDialog {
    Q_OBJECT

public:
    explicit KeysDialog(const QMenuBar& menus, QWidget* parent = nullptr);
};

}  // namespace kestrova
