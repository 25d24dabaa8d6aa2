#include "gui/options/OptionsWriter.h"

#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace kestrova {

namespace {

constexpr const char* kStoredCount = "storedCount";

}  // namespace

void OptionsWriter::text(std::string_view key, std::string_view value) {
    if (!store_.writeText(key, value))
        failed("Could not write the settings file " + store_.path().string() + ": " +
               store_.lastError());
}

void OptionsWriter::text(std::string_view key, const QLineEdit* field) {
    text(key, field->text().toUtf8().toStdString());
}

void OptionsWriter::flag(const IntKey& key, const QCheckBox* box) {
    text(key.name, box->isChecked() ? "1" : "0");
}

void OptionsWriter::count(const IntKey& key, const QComboBox* box) {
    text(key.name, std::to_string(countOf(box)));
}

void OptionsWriter::file(bool written, std::string_view fileName) {
    if (!written)
        failed("Could not write " + (directory_ / fileName).string());
}

void OptionsWriter::failed(std::string problem) {
    if (problem_.empty())
        problem_ = std::move(problem);
}

QCheckBox* makeCheck(const QString& text, const char* name, bool checked, QWidget* parent,
                     const QString& toolTip, const QString& statusTip) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    if (!toolTip.isEmpty())
        box->setToolTip(toolTip);
    if (!statusTip.isEmpty())
        box->setStatusTip(statusTip);
    return box;
}

QComboBox* makeCountBox(int n, int stored, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (int i = 1; i <= n; ++i)
        box->addItem(QString::number(i));
    box->setProperty(kStoredCount, stored);
    box->setCurrentIndex(stored >= 1 && stored <= n ? stored - 1 : -1);
    return box;
}

int countOf(const QComboBox* box) {
    const int index = box->currentIndex();
    return index >= 0 ? index + 1 : box->property(kStoredCount).toInt();
}

}  // namespace kestrova
