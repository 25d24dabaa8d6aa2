#pragma once

namespace kestrova {

// The poker client the settings and companion files are kept for, stored as
// its number: in the key "form" and in file names ("fstakes5"). The program
// reads the Everest lobby with PokerStars selected, as it always is after
// start-up. A stored number outside the list stays as it was read: no file
// is kept for it.
enum class ClientKind : int {
    PartyPoker = 0,
    EmpirePoker = 1,
    FullTiltPoker = 2,
    // The network's three rooms, told apart by the key "skin".
    AbsolutePoker = 3,
    ParadisePoker = 4,
    PokerStars = 5,
    DoylesRoom = 6,
    BoDog = 7,
};

constexpr int numberOf(ClientKind kind) {
    return static_cast<int>(kind);
}

// The clients the datamining pages (Open, Close, Limit) serve.
constexpr bool hasDatamining(ClientKind kind) {
    return kind == ClientKind::PartyPoker || kind == ClientKind::EmpirePoker ||
           kind == ClientKind::FullTiltPoker || kind == ClientKind::DoylesRoom;
}

}  // namespace kestrova
