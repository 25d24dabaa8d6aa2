#pragma once

#include <QAnyStringView>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kestrova {

// The controls the windows build again and again, each with its object name
// (the tests find controls by it). An empty tip is left unset.

QPushButton* makeButton(const QString& text, QAnyStringView name, QWidget* parent = nullptr,
                        const QString& toolTip = QString(), const QString& statusTip = QString());
QCheckBox* makeCheck(const QString& text, QAnyStringView name, bool checked, QWidget* parent,
                     const QString& toolTip = QString(), const QString& statusTip = QString());
QLineEdit* makeField(const QString& text, QAnyStringView name, QWidget* parent,
                     const QString& toolTip = QString(), const QString& statusTip = QString());
// A field that takes whole numbers from `lowest` to `highest` only.
QLineEdit* makeNumberField(QAnyStringView name, int lowest, int highest, QWidget* parent,
                           const QString& text = QString());

}  // namespace kestrova
