// Mouse events go through the window, so that a press reaches the widget
// under the cursor and the box pressed keeps the mouse, as on a desktop.
#define QTEST_QPA_MOUSE_HANDLING

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "gui/hud/LayoutCanvas.h"
#include "gui/hud/LayoutManagerDialog.h"
#include "gui/hud/StatBox.h"
#include "hud/LayoutSet.h"

using namespace kestrova;
using hud::BoxPosition;
using hud::LayoutFamily;
using hud::LayoutSet;
using hud::StatKind;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

namespace {

constexpr int kFtp = 0;
constexpr int kPp = 1;

// Layouts that differ from the start state and from one another: every box of
// layout i at (60 seat, 20 i), and one kind off per layout.
LayoutSet marked(int shift) {
    LayoutSet set;
    for (int room = 0; room < hud::kRoomCount; ++room) {
        for (int size = 0; size < hud::kSizeCount; ++size) {
            hud::HudLayout& layout = set.layout(room, size);
            const int i = layout.index() + shift;
            for (StatKind kind : hud::allKinds()) {
                for (int seat = 0; seat < layout.seatCount(); ++seat) {
                    layout.setPosition(kind, seat, {60 * seat, 20 * i});
                }
            }
            layout.setFlag(hud::allKinds()[static_cast<std::size_t>(i % 10)], 0);
        }
    }
    return set;
}

void writeFamily(const TempDir& dir, const LayoutSet& set, LayoutFamily family) {
    for (int room = 0; room < hud::kRoomCount; ++room) {
        writeBytes(dir / hud::roomFileName(room, family), set.roomBytes(room));
    }
}

QPushButton* button(LayoutManagerDialog& dialog, const char* name) {
    auto* pb = dialog.findChild<QPushButton*>(QLatin1String(name));
    if (pb == nullptr) {
        qFatal("no button %s", name);
    }
    return pb;
}

}  // namespace

class LayoutManagerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<LayoutManagerDialog> open(QStringList* messages) {
        auto dialog = std::make_unique<LayoutManagerDialog>(
            dir_.path(), nullptr, [messages](QWidget*, const Message& message) {
                *messages << QString::fromStdString(message.title + '|' + message.text);
            });
        return dialog;
    }

    // The check boxes show the flags of the shown layout, and only its canvas is shown.
    static void verifyShown(LayoutManagerDialog& dialog, int room, int size) {
        LayoutCanvas* shown = dialog.canvas(room, size);
        QCOMPARE(dialog.shownCanvas(), shown);
        for (int r = 0; r < hud::kRoomCount; ++r) {
            for (int s = 0; s < hud::kSizeCount; ++s) {
                QCOMPARE(dialog.canvas(r, s)->isHidden(), dialog.canvas(r, s) != shown);
            }
        }
        for (StatKind kind : hud::allKinds()) {
            QCOMPARE(dialog.checkBox(kind)->isChecked(), shown->model().isShown(kind));
        }
    }

    TempDir dir_;

private slots:
    void init() {
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
            std::filesystem::remove(entry.path());
        }
        writeFamily(dir_, marked(1), LayoutFamily::Default);
    }

    // The default files (here the folder's own) fill both rooms before the
    // user's files load; a missing "ftp.lo" (never saved) quietly leaves that
    // room at the defaults.
    void opensOnFullTilt6MaxWithTheUserFilesLoaded() {
        const LayoutSet user = marked(2);
        writeBytes(dir_ / "pp.lo", user.roomBytes(kPp));
        QStringList messages;
        auto dialog = open(&messages);
        QCOMPARE(messages, QStringList());
        QCOMPARE(dialog->roomBox()->currentText(), QStringLiteral("FullTiltPoker"));
        QCOMPARE(dialog->sizeBox()->currentText(), QStringLiteral("6 max"));
        verifyShown(*dialog, kFtp, 1);
        QCOMPARE(dialog->canvas(kFtp, 1)->model(), marked(1).layout(kFtp, 1));
        for (int size = 0; size < hud::kSizeCount; ++size) {
            QCOMPARE(dialog->canvas(kPp, size)->model(), user.layout(kPp, size));
        }

        // PartyPoker keeps the size choice; "9 max" is its 10-seat layout.
        dialog->sizeBox()->setCurrentIndex(1);
        verifyShown(*dialog, kFtp, 0);
        dialog->roomBox()->setCurrentIndex(1);
        verifyShown(*dialog, kPp, 0);
        QCOMPARE(dialog->shownCanvas()->seatCount(), 10);
        QCOMPARE(dialog->shownCanvas()->box(StatKind::VPip, 9)->text(), QStringLiteral("VPip10"));
        dialog->sizeBox()->setCurrentIndex(2);
        verifyShown(*dialog, kPp, 2);
    }

    // The box's corner follows the cursor on a 5-pixel grid, rounded toward
    // zero and not clamped to the canvas. A kind off, by its check box or by a
    // loaded file, hides its boxes on that layout only, so they neither draw nor
    // take presses.
    void dragsBoxesOnTheGridAndHidesKindsSwitchedOff() {
        QStringList messages;
        writeFamily(dir_, marked(8), LayoutFamily::User);
        auto dialog = open(&messages);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        LayoutCanvas* shown = dialog->shownCanvas();
        StatBox* box = shown->box(StatKind::ThreeBet, 2);  // drawn on top
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, 7));
        QCOMPARE(shown->dragged(), box);
        for (const auto& [cursor, corner] : {std::pair{QPoint(123, 47), BoxPosition{120, 45}},
                                             std::pair{QPoint(-3, 7), BoxPosition{0, 5}},
                                             std::pair{QPoint(-7, 7), BoxPosition{-5, 5}}}) {
            QTest::mouseMove(shown, cursor);
            QCOMPARE(shown->model().position(StatKind::ThreeBet, 2), corner);
            QCOMPARE(box->pos(), QPoint(corner.x, corner.y));
        }
        QTest::mouseRelease(shown, Qt::LeftButton, {}, QPoint(-7, 7));
        // A press beside every box drags nothing.
        QTest::mousePress(shown, Qt::LeftButton, {}, QPoint(795, 560));
        QCOMPARE(shown->dragged(), nullptr);
        QTest::mouseRelease(shown, Qt::LeftButton, {}, QPoint(795, 560));

        LayoutSet others = marked(8);
        others.layout(kFtp, 1).setPosition(StatKind::ThreeBet, 2, {-5, 5});
        QCheckBox* foldSb = dialog->checkBox(StatKind::FoldSmallBlind);
        QVERIFY(foldSb->isChecked());
        foldSb->click();
        QVERIFY(shown->box(StatKind::FoldSmallBlind, 0)->isHidden());
        others.layout(kFtp, 1).setFlag(StatKind::FoldSmallBlind, 0);
        for (int room = 0; room < hud::kRoomCount; ++room) {
            for (int size = 0; size < hud::kSizeCount; ++size)
                QCOMPARE(dialog->canvas(room, size)->model(), others.layout(room, size));
        }
        dialog->roomBox()->setCurrentIndex(1);
        QVERIFY(dialog->checkBox(StatKind::FoldSmallBlind)->isChecked());
        dialog->roomBox()->setCurrentIndex(0);
        QVERIFY(!foldSb->isChecked());

        // marked(8) switched the last kind off in this layout, and every kind
        // of a seat sits at one place: the press goes to the box drawn on top.
        QVERIFY(shown->box(StatKind::ContinuationBet, 0)->isHidden());
        StatBox* top = shown->box(StatKind::ThreeBet, 0);
        QCOMPARE(top->pos(), shown->box(StatKind::ContinuationBet, 0)->pos());
        QTest::mousePress(shown, Qt::LeftButton, {}, top->geometry().center());
        QCOMPARE(shown->dragged(), top);
        QTest::mouseRelease(shown, Qt::LeftButton, {}, top->geometry().center());
        QVERIFY(messages.isEmpty());
    }

    // Nothing reaches the user's files but "Save"; "Reload" brings them back.
    void onlySaveWritesTheUserFiles() {
        writeFamily(dir_, marked(3), LayoutFamily::User);
        const std::string ftp = readBytes(dir_ / "ftp.lo");
        const std::string pp = readBytes(dir_ / "pp.lo");
        QStringList messages;
        auto dialog = open(&messages);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

        QTest::mouseClick(button(*dialog, "pbDefault"), Qt::LeftButton);
        QCOMPARE(dialog->shownCanvas()->model(), marked(1).layout(kFtp, 1));
        verifyShown(*dialog, kFtp, 1);
        QTest::mouseClick(button(*dialog, "pbReload"), Qt::LeftButton);
        QCOMPARE(dialog->shownCanvas()->model(), marked(3).layout(kFtp, 1));
        QTest::mouseClick(button(*dialog, "pbDefault"), Qt::LeftButton);
        QTest::mouseClick(button(*dialog, "pbClose"), Qt::LeftButton);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(dialog->isHidden());
        QCOMPARE(readBytes(dir_ / "ftp.lo"), ftp);
        QCOMPARE(readBytes(dir_ / "pp.lo"), pp);

        dialog = open(&messages);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::mouseClick(button(*dialog, "pbDefault"), Qt::LeftButton);
        QTest::mouseClick(button(*dialog, "pbSave"), Qt::LeftButton);
        QCOMPARE(readBytes(dir_ / "ftp.lo"), readBytes(dir_ / "ftp.def"));
        QCOMPARE(readBytes(dir_ / "pp.lo"), readBytes(dir_ / "pp.def"));
        QVERIFY(messages.isEmpty());
    }
};

QTEST_MAIN(LayoutManagerTest)
#include "LayoutManagerTest.moc"
