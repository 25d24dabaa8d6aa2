#include "gui/help/AboutDialog.h"

#include "SessionTypes.h"
#include "UserDataDir.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrova {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About"));
    auto* layout = new QVBoxLayout(this);

    auto* picture = new QLabel;
    const QPixmap image(QString::fromStdString(shippedFile("kestrova.jpg").string()));
    if (!image.isNull())
        picture->setPixmap(image);
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    auto* text =
        new QLabel(tr("<b>Kestrova Everest v1.30</b><br>Finds the most profitable tables of the "
                      "Everest Poker lobby from the statistics of your tracking databases."));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);

    auto* close = new QPushButton(tr("Close"));
    close->setObjectName(QStringLiteral("aboutClose"));
    layout->addWidget(close, 0, Qt::AlignCenter);
    connect(close, &QPushButton::clicked, this, &AboutDialog::closeRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kestrova
