#pragma once

#include <QDialog>

namespace kestrova {

// The "About" box: the product picture, the version and a "Close" button.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

signals:
    void closeRequested();
};

}  // namespace kestrova
