#include "gui/options/ProfileRangeDialog.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>

namespace kestrova {

namespace {

constexpr double kLargestBound = 900000.0;
constexpr int kDecimals = 2;
constexpr int kSwatchPixels = 16;

QLineEdit* boundEdit(QWidget* parent, const char* objectName) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    auto* validator = new QDoubleValidator(0.0, kLargestBound, kDecimals, edit);
    // The profile files and the colour lookup read a decimal point, whatever
    // the desktop's language.
    validator->setLocale(QLocale::c());
    validator->setNotation(QDoubleValidator::StandardNotation);
    edit->setValidator(validator);
    return edit;
}

bool acceptable(const QLineEdit* edit) {
    QString text = edit->text();
    int position = 0;
    return edit->validator()->validate(text, position) == QValidator::Acceptable;
}

}  // namespace

ProfileRangeDialog::ProfileRangeDialog(Mode mode, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("profileRangeDialog"));
    setWindowTitle(tr("New"));
    setModal(true);

    minimum_ = boundEdit(this, "minimum");
    maximum_ = boundEdit(this, "maximum");
    colourButton_ = new QPushButton(tr("Color"), this);
    colourButton_->setObjectName(QStringLiteral("pbColor"));
    confirmButton_ = new QPushButton(mode == Mode::Add ? tr("Add") : tr("Edit"), this);
    confirmButton_->setObjectName(QStringLiteral("pbConfirm"));
    confirmButton_->setDefault(true);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("pbCancel"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Min."), this), 0, 0);
    layout->addWidget(minimum_, 0, 1);
    layout->addWidget(new QLabel(tr("Max."), this), 1, 0);
    layout->addWidget(maximum_, 1, 1);
    layout->addWidget(colourButton_, 2, 0, 1, 2);
    layout->addWidget(confirmButton_, 3, 0);
    layout->addWidget(cancelButton_, 3, 1);
}

QString ProfileRangeDialog::minimumText() const {
    return minimum_->text();
}

QString ProfileRangeDialog::maximumText() const {
    return maximum_->text();
}

void ProfileRangeDialog::setTexts(const QString& minimum, const QString& maximum) {
    minimum_->setText(minimum);
    maximum_->setText(maximum);
}

QString ProfileRangeDialog::boundsProblem() const {
    const std::pair<const QLineEdit*, QString> bounds[] = {{minimum_, tr("Min.")},
                                                           {maximum_, tr("Max.")}};
    for (const auto& [edit, label] : bounds) {
        if (!acceptable(edit))
            return tr("%1 must be a number from 0 to %2 with at most %3 decimals.")
                .arg(label)
                .arg(kLargestBound, 0, 'f', 0)
                .arg(kDecimals);
    }
    return {};
}

void ProfileRangeDialog::setColour(const QColor& colour) {
    colour_ = colour;
    QPixmap swatch(kSwatchPixels, kSwatchPixels);
    swatch.fill(colour);
    colourButton_->setIcon(QIcon(swatch));
    colourButton_->setIconSize(swatch.size());
}

}  // namespace kestrova
