#include "evaluation/LimitKind.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

LobbyEntry entry(std::string game, std::string extra) {
    LobbyEntry e;
    e.game = std::move(game);
    e.extra = std::move(extra);
    return e;
}

TEST(LimitKind, LobbyAbbreviations) {
    EXPECT_EQ(limitKindFromLobby(entry("Hold'em", "FL")), "Limit");
    EXPECT_EQ(limitKindFromLobby(entry("Stud", "NL")), "No Limit");
    EXPECT_EQ(limitKindFromLobby(entry("Omaha H/L", "PL")), "Pot Limit");
    EXPECT_EQ(limitKindFromLobby(entry("Omaha", " pl ")), "Pot Limit");
}

TEST(LimitKind, SpelledOutFormsAndTheGameColumn) {
    EXPECT_EQ(limitKindFromText("Fixed Limit"), "Limit");
    EXPECT_EQ(limitKindFromText("No-Limit"), "No Limit");
    EXPECT_EQ(limitKindFromText("Pot Limit"), "Pot Limit");
    EXPECT_EQ(limitKindFromLobby(entry("NL Hold'em", "")), "No Limit");
    EXPECT_EQ(limitKindFromLobby(entry("No Limit Hold'em", "")), "No Limit");
    EXPECT_EQ(limitKindFromLobby(entry("Limit Omaha", "")), "Limit");
    EXPECT_EQ(limitKindFromLobby(entry("Pot Limit Omaha", "")), "Pot Limit");
}

TEST(LimitKind, NothingRecognisableIsEmpty) {
    EXPECT_EQ(limitKindFromLobby(entry("Stud", "")), "");
    EXPECT_EQ(limitKindFromLobby(entry("", "")), "");
    EXPECT_EQ(limitKindFromText("NLX"), "");
    EXPECT_EQ(limitKindFromText("Limitless"), "");
}

}  // namespace
}  // namespace kestrova
