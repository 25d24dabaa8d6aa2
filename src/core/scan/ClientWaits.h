#pragma once

#include "client/LobbyGeometry.h"
#include "client/ocr/SeatReader.h"
#include "common/Image.h"
#include "scan/LobbyWalkStart.h"
#include "scan/PassContext.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kestrova {

class DrawingWatch;
class LobbyScreen;
struct EverestLobby;

// The waits of a pass between driving the client and reading it. With fixed
// waits each one sleeps its full time, whatever the client does. With adaptive
// waits the pass goes on as soon as what it reads next is on the screen: where
// the platform reports the client's drawing (DrawingWatch), it looks right
// after the client has drawn there and then been quiet for a settle time
// learnt in the pass; elsewhere it looks every kPollMs. The fixed time stays
// the upper bound, so a client slower than that is read when the fixed wait
// would read it.
//
// A seat list counts as the selected table's when the highlight has moved
// since the last list the pass accepted, the list differs from that one, every
// name carries its chips, and two consecutive captures agree. When the pass
// does not know which list the client showed last (at the start, after a row
// whose seats it skipped, after opening a table), a stale list of a passed-over
// row could still arrive, so it waits the full time as the fixed mode does.
//
// In both modes a key's highlight move that has not been drawn when the wait is
// over is waited for, at most kHighlightBoundMs after the key: a busy client
// draws it late, and a row read before it would be read twice and the next
// move would jump over a row.
class ClientWaits final {
public:
    static constexpr int kPollMs = 20;
    static constexpr int kHighlightBoundMs = 1000;
    // Adaptive waits: once the client has shown how late it draws a highlight
    // move, a key that moves nothing (Down on the last row) is given this many
    // times that, not the whole kHighlightBoundMs.
    static constexpr int kLearntBoundFactor = 3;
    // A client takes about as long for every table's seat list. The first look
    // goes where the last list was seen drawn, at first a little sooner each
    // table until a look comes too early, then once in a while.
    static constexpr int kProbeStepMs = 4;
    static constexpr int kProbeEveryTables = 16;
    // Polling: two looks kPollMs apart must agree on a new seat list until
    // this many lists were seen drawn whole, the first look coming when the
    // client draws. From then on the second look follows kShortestSettleMs
    // after the first, unless the pass has seen a list drawn in steps.
    static constexpr int kWholeListsToTrust = 3;
    // With a drawing watch: how often it is asked, and the settle time's
    // bounds. For each area it is kPollMs (what polling allows a client to
    // pause within one drawing) until a drawing there has been read whole,
    // then twice the longest pause seen within one drawing.
    static constexpr int kWatchStepMs = 2;
    static constexpr int kShortestSettleMs = 2 * kWatchStepMs;
    static constexpr int kLongestSettleMs = 50;

    ClientWaits(PassContext& context, LobbyScreen& screen);
    ~ClientWaits();

    bool adaptive() const { return context_.adaptiveWaits; }

    // What the walk start sees just before it presses Home.
    struct HomeStart {
        std::optional<std::uint64_t> list;  // the list's signature
        bool homeMoves = true;
        // How late the client drew a Down pressed before Home (adaptive waits).
        std::optional<int> moveMs;
        // The clicked row's seat list, once drawn: the list the client shows
        // when Home is pressed, so the first table's needs no full wait.
        std::optional<SeatReading> seats;
        // Adaptive waits: the client's drawing, watched from before Home on.
        std::shared_ptr<DrawingWatch> watch;
    };
    // Captures the list before Home. With adaptive waits, a full page highlighted
    // on its first line may or may not be scrolled: a Down first makes sure that
    // Home moves, so that its wait ends on the move, and shows how late the
    // client draws one. When the click moved the highlight and seatsBoundMs
    // is positive, the clicked row's seat list is waited for (at most that long).
    static HomeStart beforeHome(PassContext& context, const EverestLobby& lobby,
                                const ClickSeen& click, int seatsBoundMs);
    // After Home: waits for its move unless it cannot move.
    void afterHome(const HomeStart& start, int boundMs);
    void noteList(std::optional<std::uint64_t> signature) { noted_ = signature; }
    // Remember the list as the current capture shows it, before a key that may
    // move the selection (the screen must be grabbed).
    void noteList();
    void noteList(const Image& capture);
    // After a key that may move the selection: the fixed wait of fixedMs, or
    // until the highlight has moved, at most boundMs; then, while the list still
    // looks as noted before the key, until it changes (see kHighlightBoundMs).
    void afterSelectionKey(int fixedMs, int boundMs);
    // After the walk's last key: nothing is read any more, so only the fixed
    // walk sleeps it out.
    void afterLastKey(int fixedMs);
    // Grabs the lobby to read the highlighted row; false when it could not be
    // captured. After a fixed wait, a capture that still shows the list as
    // noted before the key is taken again until it changes.
    bool grabRow();
    // The list did not change within kHighlightBoundMs of the last key: the end
    // of the list, or a client that has not handled the key yet. Another key
    // then could be handled together with it and move past a row unread.
    bool highlightStuck() const { return highlightStuck_; }
    // Adaptive waits, with the row just read still grabbed: Down would move
    // nothing, as the page shows no row below the highlight, or the last Down
    // has not moved within the client's learnt drawing delay. The walk ends
    // there instead of pressing Down and waiting for a move that cannot come.
    bool lastRowShown() const;
    // Whether the last Down has shown, from the names read before and after it
    // (empty when no row was read). A name read again although the list changed
    // is the old row still highlighted. While it has not shown, the walk reads
    // again instead of pressing Down once more.
    bool downShown(const std::string& before, const std::string& after) const {
        return after.empty() || (!highlightStuck_ && after != before);
    }
    // Waits (at most boundMs) for the selected row's seat list and reads it into
    // seats. False when the user cancelled or the lobby could not be captured
    // (captureFailed()): nothing read then belongs to the row.
    bool readSeats(int boundMs, SeatReading& seats);
    bool captureFailed() const { return captureFailed_; }
    // The pass moved on without reading the seats, or changed what the client shows.
    void seatsUnknown() { seatsKnown_ = false; }

    // Where the list and the seat list are drawn (the seat list right of the list).
    static Rect listArea(const LobbyGeometry& geometry);
    static Rect seatArea(const LobbyGeometry& geometry);
    // What the pass compares to tell that the list has changed.
    static std::uint64_t listSignature(const Image& capture, const LobbyGeometry& geometry);
    // Every seated name (before the waiting list) has its chips, and there is one.
    static bool seatsComplete(const SeatReading& seats);

private:
    // A capture's reading, or nothing when the capture failed.
    std::optional<SeatReading> readOnce();
    // Sleeps one poll step (stepMs) of at most what is left of boundMs; false when
    // the bound is used up or the user cancelled.
    bool pollStep(int boundMs, int& waitedMs, std::optional<long long> lookStartedMs = {},
                  int stepMs = kPollMs);
    // Until the next look at area is due: one poll step, or with a drawing
    // watch until the client has drawn there and been quiet for the settle
    // time. False when the bound is used up or the user cancelled.
    enum class Area { List, Seats };
    bool awaitLook(Area area, int boundMs, int& waitedMs,
                   std::optional<long long> lookStartedMs = {}, int pollMs = kPollMs);
    bool awaitDrawing(Area area, int boundMs, int& waitedMs);
    // Whether the client drew into area since this was last asked for it.
    bool drewInto(Area area);
    // Captures until the list differs from the noted one, at most boundMs in
    // all (waitedMs already gone); true when it changed or a capture failed.
    // The last capture stays grabbed.
    bool grabChangedList(int boundMs, int& waitedMs);
    void accept(const SeatReading& reading, SeatReading& seats);
    int sinceKeyMs() const;
    // How long adaptive waits wait for a highlight move after the key.
    int highlightBoundMs(int boundMs) const;
    // When (after the selection key) to look first for the new seat list.
    int firstSeatLookMs();
    // What a look sinceKeyMs after the key found: the list drawn or not yet.
    void learnSeatLook(bool firstLook, bool drawn, int sinceKeyMs);
    // Polling: whether a list taken was seen changing again before it was taken.
    void learnDrawing(bool inSteps);
    bool listsDrawnWhole() const;

    PassContext& context_;
    LobbyScreen& screen_;
    std::shared_ptr<DrawingWatch> watch_;
    // Trusted once it has reported any drawing: until then the waits poll.
    bool watchReports_ = false;
    bool listDrawn_ = false;
    bool seatsDrawn_ = false;
    struct Settle {
        int ms = kPollMs;
        int longestPauseMs = 0;
        bool learnt = false;
        void pausedFor(int pauseMs);
        // A drawing has been read whole: from now on the pauses seen decide.
        void learn();
    };
    Settle settle_[2];  // by Area
    Settle& settle(Area area) { return settle_[static_cast<int>(area)]; }
    // afterSelectionKey() saw the move drawn: that capture is the row's.
    bool rowGrabbed_ = false;
    std::optional<std::uint64_t> noted_;
    bool rowMoved_ = false;
    bool seatsKnown_ = false;
    bool captureFailed_ = false;
    bool highlightStuck_ = false;
    // highlightStuck_ came after a wait bounded by the learnt drawing delay.
    bool stuckAfterLearntBound_ = false;
    // Set by a fixed wait after a key: how long it waited, for grabRow().
    std::optional<int> fixedWaitedMs_;
    // How much sooner than the fixed wait the last selection key was done with:
    // the seat wait's bound grows by it, so that nothing is read sooner after
    // the key than the fixed waits read it.
    int shortfallMs_ = 0;
    // When the last selection key was pressed (the clock's time).
    long long keyAtMs_ = 0;
    // The latest a highlight move was seen drawn after its key, in this pass.
    std::optional<int> slowestMoveMs_;
    // The earliest time after the key the recent seat lists were seen drawn.
    std::optional<int> seatsDrawnMs_;
    bool creeping_ = false;
    bool lookingEarly_ = false;
    int tablesSinceProbe_ = 0;
    int listsSeenWhole_ = 0;
    bool drawnInSteps_ = false;
    SeatReading accepted_;
};

}  // namespace kestrova
