#include "history/WatchRule.h"

#include <gtest/gtest.h>

#include <map>

namespace kestrova {
namespace {

TEST(WatchRule, ReadsConditionsOnOnePlayerOrOneTable) {
    struct Case {
        const char* text;
        const char* canonical;  // null: refused
        WatchRule::Subject subject = WatchRule::Subject::Player;
    };
    const Case cases[] = {
        {"VPIP >= 45 AND hands >= 200", "vpip >= 45 and hands >= 200"},
        {"vpip \u2265 45 and hands\u2264200", "vpip >= 45 and hands <= 200"},
        {" score>2.5 ", "score > 2.5", WatchRule::Subject::Table},
        {"seated = 6 and score < 1", "seated = 6 and score < 1", WatchRule::Subject::Table},
        // Limits come back exactly as they were given.
        {"hands >= 1234567 and weak > 0.123456789", "hands >= 1234567 and weak > 0.123456789"},
        {"vpip >= nan", nullptr},
        {"af < inf", nullptr},
        {"", nullptr},
        {"vpip >= 45 and", nullptr},
        {"vpip 45", nullptr},
        {"vpip >= lots", nullptr},
        {"luck >= 3", nullptr},
        {"vpip >= 45 and score >= 2", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string problem;
        const std::optional<WatchRule> rule = WatchRule::parse(c.text, &problem);
        if (!c.canonical) {
            EXPECT_FALSE(rule);
            EXPECT_FALSE(problem.empty());
            continue;
        }
        ASSERT_TRUE(rule) << problem;
        EXPECT_EQ(rule->text(), c.canonical);
        EXPECT_EQ(rule->subject(), c.subject);
        EXPECT_EQ(WatchRule::parse(rule->text(), nullptr)->text(), c.canonical);
    }
}

TEST(WatchRule, MatchesOnlyWhenEveryConditionHoldsOnAKnownFigure) {
    const WatchRule rule = *WatchRule::parse("vpip >= 45 and hands >= 200", nullptr);
    const auto figures = [](std::map<std::string, double> known) {
        return [known](std::string_view figure) -> std::optional<double> {
            const auto found = known.find(std::string(figure));
            return found == known.end() ? std::nullopt : std::optional(found->second);
        };
    };
    EXPECT_TRUE(rule.matches(figures({{"vpip", 45}, {"hands", 200}})));
    EXPECT_FALSE(rule.matches(figures({{"vpip", 44.99}, {"hands", 5000}})));
    EXPECT_FALSE(rule.matches(figures({{"vpip", 60}, {"hands", 199}})));
    EXPECT_FALSE(rule.matches(figures({{"vpip", 60}})));
}

}  // namespace
}  // namespace kestrova
