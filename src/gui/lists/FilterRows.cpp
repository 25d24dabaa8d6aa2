#include "gui/lists/FilterRows.h"

#include "gui/widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace kestrova {

namespace {

QLineEdit* boundEdit(const char* key, const QString& text, int top, int widthPx, QWidget* parent) {
    QLineEdit* edit = makeNumberField(key, 0, top, parent, text);
    edit->setFixedWidth(widthPx);
    return edit;
}

}  // namespace

FilterRangeRow FilterRangeRow::add(QGridLayout* grid, int row, const QString& text, const char* key,
                                   const char* minKey, const char* maxKey, bool on,
                                   const QString& minimumText, const QString& maximumText, int top,
                                   int editWidthPx, QWidget* parent) {
    FilterRangeRow result;
    result.box = new QCheckBox(text, parent);
    result.box->setObjectName(QLatin1String(key));
    result.box->setChecked(on);
    result.minimum = boundEdit(minKey, minimumText, top, editWidthPx, parent);
    result.maximum = boundEdit(maxKey, maximumText, top, editWidthPx, parent);
    auto* dash = new QLabel(QStringLiteral(" - "), parent);
    dash->setObjectName(QLatin1String(key) + QStringLiteral("_dash"));
    grid->addWidget(result.box, row, 0);
    grid->addWidget(result.minimum, row, 1);
    grid->addWidget(dash, row, 2);
    grid->addWidget(result.maximum, row, 3);
    return result;
}

FilterRangeRow FilterRangeRow::add(QGridLayout* grid, int row, const QString& text,
                                   const IntKey& on, const IntKey& minimum, const IntKey& maximum,
                                   const FilterRange& range, int top, QWidget* parent,
                                   int editWidthPx) {
    FilterRangeRow result = add(grid, row, text, on.name.data(), minimum.name.data(),
                                maximum.name.data(), range.on, QString::number(range.minimum),
                                QString::number(range.maximum), top, editWidthPx, parent);
    result.minimumDefault = minimum.defaultValue;
    result.maximumDefault = maximum.defaultValue;
    return result;
}

FilterRange FilterRangeRow::range() const {
    const auto bound = [](const QLineEdit* edit, int empty) {
        return edit->text().isEmpty() ? empty : edit->text().toInt();
    };
    return {box->isChecked(), bound(minimum, minimumDefault), bound(maximum, maximumDefault)};
}

QCheckBox* keyCheckBox(const QString& text, std::string_view key, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(key.data(), static_cast<qsizetype>(key.size())));
    box->setChecked(checked);
    return box;
}

void FilterRangeRow::setVisible(bool visible) const {
    box->setVisible(visible);
    minimum->setVisible(visible);
    maximum->setVisible(visible);
    if (QWidget* parent = box->parentWidget()) {
        if (auto* dash = parent->findChild<QWidget*>(box->objectName() + QStringLiteral("_dash"))) {
            dash->setVisible(visible);
        }
    }
}

}  // namespace kestrova
