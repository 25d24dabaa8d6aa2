#include "gui/options/OptionControls.h"

#include <QComboBox>

namespace kestrova {

namespace {

constexpr const char* kStoredCount = "storedCount";

}  // namespace

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
