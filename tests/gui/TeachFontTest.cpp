// "Main → Teach Font…" on the simulated lobby, with a glyph table that lacks "Z".
#include "WindowSandbox.h"
#include "gui/MainWindow.h"

#include "GateClock.h"
#include "SimLobbies.h"
#include "gui/font/TeachFontDialog.h"
#include "sim/SimulatedClient.h"

#include <QFile>
#include <QTableWidget>
#include <QTest>

#include <fstream>

using namespace kestrova;

class TeachFontTest : public QObject {
    Q_OBJECT

private slots:
    void correctedCellsAreLearntAndReadAgain();
};

void TeachFontTest::correctedCellsAreLearntAndReadAgain() {
    const test::WindowSandbox dir;
    QVERIFY(dir.isValid());
    {
        // The shipped table less every entry that holds a "Z".
        std::ifstream shipped(KESTROVA_DATA_DIR "/ocr.txt", std::ios::binary);
        std::ofstream table("ocr.txt", std::ios::binary);
        std::string signature;
        std::string text;
        while (std::getline(shipped, signature) && std::getline(shipped, text)) {
            if (text.find('Z') == std::string::npos)
                table << signature << '\n' << text << '\n';
        }
    }
    std::vector<sim::LobbyTable> tables = test::makeLobby(6).tables();
    tables[3].name = "Zermatt 4";
    sim::SimulatedClient client{sim::Lobby(tables)};
    test::GateClock clock;
    clock.setOpen(true);
    {
        MainWindowServices services;
        services.platform = &client;
        services.clock = &clock;
        MainWindow window(services);
        std::vector<QString> messages;
        window.setMessageHandler([&](const Message& message) {
            messages.push_back(QString::fromStdString(message.text));
        });
        // The capture runs on the worker; the dialog opens when it is there.
        window.slot_qaTeachFont();
        QTRY_VERIFY(window.findChild<TeachFontDialog*>() != nullptr);
        QVERIFY(messages.empty());
        auto* dialog = window.findChild<TeachFontDialog*>();
        QTableWidget* rows = dialog->rowsTable();
        QCOMPARE(rows->item(0, 2)->text(), QStringLiteral("$1/$2"));
        QVERIFY(rows->item(3, 0)->text() != QStringLiteral("Zermatt 4"));
        QCOMPARE(dialog->seatsTable()->item(0, 0)->text(), QStringLiteral("player1_0"));
        QCOMPARE(dialog->seatsTable()->item(0, 1)->text(), QStringLiteral("1,250"));

        rows->item(3, 0)->setText(QStringLiteral("Zermatt 4"));
        rows->item(1, 4)->setText(QStringLiteral("Wrong"));  // a slip: stays marked
        dialog->learn();
        QCOMPARE(rows->item(3, 0)->text(), QStringLiteral("Zermatt 4"));
        QVERIFY(rows->item(3, 0)->toolTip().isEmpty());
        QCOMPARE(rows->item(1, 4)->text(), QStringLiteral("Wrong"));
        QVERIFY(!rows->item(1, 4)->toolTip().isEmpty());
        QVERIFY2(dialog->report().contains(QStringLiteral("1 cell(s) still read otherwise")),
                 qPrintable(dialog->report()));
        QVERIFY2(dialog->report().startsWith(QStringLiteral("Learnt 1 glyph(s)")),
                 qPrintable(dialog->report()));
        QFile learnt(QStringLiteral("ocr2.txt"));
        QVERIFY(learnt.open(QIODevice::ReadOnly));
        QVERIFY(learnt.readAll().contains("\nZ\n"));
        dialog->close();
    }
}

QTEST_MAIN(TeachFontTest)
#include "TeachFontTest.moc"
