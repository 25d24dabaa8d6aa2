// No text of the main window or of the Options dialog's pages is cut off once
// the layouts are done, in English and in German, and both fit the screen's
// available area, frame included; CTest runs it once more with fonts at 192 dpi.
#include "WindowSandbox.h"
#include "gui/MainWindow.h"
#include "gui/options/TabDialog.h"
#include "gui/widgets/Translations.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// The width a widget needs for its text; -1 for widgets without one. A push
// button's size hint holds the style's minimum width, which a narrow button
// with a short text does not need.
int neededWidth(const QWidget* widget) {
    if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QGroupBox*>(widget))
        return widget->minimumSizeHint().width();
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return widget->sizeHint().width();
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        static const int margin = [] {
            const QPushButton probe(QString(40, u'x'));
            return probe.sizeHint().width() -
                   probe.fontMetrics().size(Qt::TextShowMnemonic, probe.text()).width();
        }();
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() + icon +
               margin;
    }
    return -1;
}

// "text: needed > actual" for each visible text that is cut off.
QStringList clipped(const QWidget* window) {
    QCoreApplication::processEvents();
    QStringList found;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const int needed = neededWidth(widget);
        if (widget->isVisible() && needed > widget->width())
            found << QStringLiteral("%1: %2 > %3")
                         .arg(widget
                                  ->property(qobject_cast<const QGroupBox*>(widget) ? "title"
                                                                                    : "text")
                                  .toString())
                         .arg(needed)
                         .arg(widget->width());
    }
    return found;
}

}  // namespace

class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowAndEveryOptionsPageFitTheScreenWithTheirWholeTexts();
};

void TextFitTest::mainWindowAndEveryOptionsPageFitTheScreenWithTheirWholeTexts() {
    const kestrova::test::WindowSandbox dir;
    QVERIFY(dir.isValid());
    kestrova::MainWindowServices services;
    services.workingDir = dir.folder();

    QStringList found;
    for (const bool german : {false, true}) {
        if (german)
            kestrova::installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany));
        kestrova::MainWindow window(services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        QVERIFY(area.contains(window.frameGeometry()));
        found << clipped(&window);
        int pages = 0;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<kestrova::TabDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(area.contains(dialog->frameGeometry()));
            auto* tabs = dialog->findChild<QTabWidget*>();
            for (; pages < tabs->count(); ++pages) {
                tabs->setCurrentIndex(pages);
                found << clipped(dialog);
            }
            dialog->reject();
        });
        window.slot_pbOptionen();
        QCOMPARE(pages, 4);
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
