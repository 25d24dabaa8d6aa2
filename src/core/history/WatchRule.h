#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// A rule of the watch list, such as "vpip >= 45 and hands >= 200" (a player
// rule) or "score >= 2.5" (a table rule): conditions on one player's figures
// (vpip, pfr, af, wtsd in %, hands, weak as 0..1) or on one table's (score,
// seated, waiting), all of which must hold.
class WatchRule final {
public:
    enum class Subject { Player, Table };
    enum class Compare { Less, AtMost, Equal, AtLeast, More };
    struct Condition {
        std::string figure;
        Compare compare = Compare::AtLeast;
        double value = 0;
    };
    // A figure by name; nullopt when the subject has none (a condition on it fails).
    using Figures = std::function<std::optional<double>(std::string_view figure)>;

    // Nullopt, with the reason in `problem`, for text that is no rule.
    static std::optional<WatchRule> parse(std::string_view text, std::string* problem);

    Subject subject() const { return subject_; }
    const std::vector<Condition>& conditions() const { return conditions_; }
    // The rule as parse() reads it back: "vpip >= 45 and hands >= 200".
    std::string text() const;
    bool matches(const Figures& figures) const;

private:
    Subject subject_ = Subject::Player;
    std::vector<Condition> conditions_;
};

}  // namespace kestrova
