#pragma once

#include <QColor>
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kestrova {

// The modal "New" dialog of the profile page: "Min." and "Max." (numbers from
// 0 to 900000 with at most two decimals), the "Color" button showing the
// chosen colour as a 16 x 16 swatch, and "Add" (or "Edit" when a row is being
// changed) and "Cancel". The page connects the buttons to its own slots.
class ProfileRangeDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Add, Edit };

    ProfileRangeDialog(Mode mode, QWidget* parent = nullptr);

    QString minimumText() const;
    QString maximumText() const;
    void setTexts(const QString& minimum, const QString& maximum);
    // What is wrong with the bounds, naming the field; empty when both are numbers.
    QString boundsProblem() const;

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

    QPushButton* colourButton() const { return colourButton_; }
    // "Add" or "Edit".
    QPushButton* confirmButton() const { return confirmButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QLineEdit* minimumEdit() const { return minimum_; }
    QLineEdit* maximumEdit() const { return maximum_; }

private:
    QLineEdit* minimum_ = nullptr;
    QLineEdit* maximum_ = nullptr;
    QPushButton* colourButton_ = nullptr;
    QPushButton* confirmButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QColor colour_ = Qt::white;
};

}  // namespace kestrova
