#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

namespace kestrova {

namespace {

void setTips(QWidget* widget, const QString& toolTip, const QString& statusTip) {
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    if (!statusTip.isEmpty())
        widget->setStatusTip(statusTip);
}

}  // namespace

QPushButton* makeButton(const QString& text, QAnyStringView name, QWidget* parent,
                        const QString& toolTip, const QString& statusTip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    setTips(button, toolTip, statusTip);
    return button;
}

QCheckBox* makeCheck(const QString& text, QAnyStringView name, bool checked, QWidget* parent,
                     const QString& toolTip, const QString& statusTip) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    setTips(box, toolTip, statusTip);
    return box;
}

QLineEdit* makeField(const QString& text, QAnyStringView name, QWidget* parent,
                     const QString& toolTip, const QString& statusTip) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    setTips(field, toolTip, statusTip);
    return field;
}

QLineEdit* makeNumberField(QAnyStringView name, int lowest, int highest, QWidget* parent,
                           const QString& text) {
    QLineEdit* field = makeField(text, name, parent);
    field->setValidator(new QIntValidator(lowest, highest, field));
    return field;
}

}  // namespace kestrova
