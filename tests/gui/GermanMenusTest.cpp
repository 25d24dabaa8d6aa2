// The window on a German desktop: every menu speaks German and keeps its
// keyboard letters apart, and the core's words are German too.
#include "WindowSandbox.h"
#include "gui/MainWindow.h"
#include "gui/widgets/QtText.h"
#include "gui/widgets/Translations.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>

namespace {

// The menu bar's titles first, then each menu's entries; separators left out.
QList<QStringList> menuTexts(const kestrova::MainWindowServices& services) {
    kestrova::MainWindow window(services);
    QList<QStringList> texts{{}};
    for (QAction* title : window.menuBar()->actions()) {
        texts.front() << title->text();
        QStringList entries;
        for (QAction* entry : title->menu()->actions()) {
            if (!entry->isSeparator())
                entries << entry->text();
        }
        texts << entries;
    }
    return texts;
}

}  // namespace

class GermanMenusTest : public QObject {
    Q_OBJECT

private slots:
    void everyMenuTextIsGermanWithItsOwnMnemonic();
    void theCoresWordsAreGermanAroundWhatOthersSaid();
};

void GermanMenusTest::everyMenuTextIsGermanWithItsOwnMnemonic() {
    const kestrova::test::WindowSandbox dir;
    QVERIFY(dir.isValid());
    kestrova::MainWindowServices services;
    services.workingDir = dir.folder();

    const QList<QStringList> english = menuTexts(services);
    // What the program does on a desktop with LANG=de_DE.UTF-8.
    kestrova::installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany));
    const QList<QStringList> german = menuTexts(services);

    QCOMPARE(german.size(), english.size());
    for (qsizetype menu = 0; menu < german.size(); ++menu) {
        QCOMPARE(german[menu].size(), english[menu].size());
        QSet<QKeySequence> mnemonics;
        for (qsizetype i = 0; i < german[menu].size(); ++i) {
            const QString& text = german[menu][i];
            QVERIFY2(text != english[menu][i], qPrintable(text));
            const QKeySequence mnemonic = QKeySequence::mnemonic(text);
            QVERIFY2(mnemonic.isEmpty() || !mnemonics.contains(mnemonic), qPrintable(text));
            mnemonics.insert(mnemonic);
        }
    }
}

void GermanMenusTest::theCoresWordsAreGermanAroundWhatOthersSaid() {
    const kestrova::test::WindowSandbox dir;
    QVERIFY(dir.isValid());
    kestrova::MainWindowServices services;
    services.workingDir = dir.folder();
    kestrova::installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany));
    kestrova::MainWindow window(services);
    const QString known = window.findChild<QLabel*>(QStringLiteral("knownPlayers"))->text();
    QVERIFY2(!known.contains(QLatin1String("Knownplayer")), qPrintable(known));

    // A database's failure: the program's words translated, the server's kept.
    const QString failure = kestrova::messageText(std::string_view(
        "Connection to database failed: FATAL:  password authentication failed\nUsername: bob"));
    QVERIFY2(!failure.contains(QLatin1String("Connection to database")), qPrintable(failure));
    QVERIFY2(failure.contains(QLatin1String(": FATAL:  password authentication failed\n")),
             qPrintable(failure));
    QVERIFY2(
        failure.endsWith(QLatin1String(": bob")) && !failure.contains(QLatin1String("Username")),
        qPrintable(failure));
}

QTEST_MAIN(GermanMenusTest)
#include "GermanMenusTest.moc"
