#include "history/WatchRule.h"

#include "common/Text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <sstream>

namespace kestrova {

namespace {

struct FigureName {
    std::string_view name;
    WatchRule::Subject subject;
};
constexpr std::array kFigures{
    FigureName{"vpip", WatchRule::Subject::Player},
    FigureName{"pfr", WatchRule::Subject::Player},
    FigureName{"af", WatchRule::Subject::Player},
    FigureName{"wtsd", WatchRule::Subject::Player},
    FigureName{"hands", WatchRule::Subject::Player},
    FigureName{"weak", WatchRule::Subject::Player},
    FigureName{"score", WatchRule::Subject::Table},
    FigureName{"seated", WatchRule::Subject::Table},
    FigureName{"waiting", WatchRule::Subject::Table},
};

struct CompareName {
    std::string_view text;
    WatchRule::Compare compare;
};
// Longest first, so that ">=" is not read as ">".
constexpr std::array kCompares{
    CompareName{">=", WatchRule::Compare::AtLeast},
    CompareName{"\u2265", WatchRule::Compare::AtLeast},
    CompareName{"<=", WatchRule::Compare::AtMost},
    CompareName{"\u2264", WatchRule::Compare::AtMost},
    CompareName{">", WatchRule::Compare::More},
    CompareName{"<", WatchRule::Compare::Less},
    CompareName{"=", WatchRule::Compare::Equal},
};

// The parts between the word "and", in any letter case.
std::vector<std::string> parts(std::string_view text) {
    std::vector<std::string> found;
    std::istringstream words{std::string(text)};
    std::string word, part;
    while (words >> word) {
        if (lowerAsciiText(word) == "and") {
            found.push_back(part);
            part.clear();
        } else {
            part += (part.empty() ? "" : " ") + word;
        }
    }
    found.push_back(part);
    return found;
}

std::optional<WatchRule::Condition> condition(std::string_view text, std::string* problem) {
    for (const CompareName& compare : kCompares) {
        const std::size_t at = text.find(compare.text);
        if (at == std::string_view::npos)
            continue;
        const std::string figure = lowerAsciiText(trimBlanks(text.substr(0, at)));
        const std::string_view number = trimBlanks(text.substr(at + compare.text.size()));
        double value = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (error != std::errc() || end != number.data() + number.size() || number.empty()) {
            *problem = "\"" + std::string(number) + "\" is no number";
            return std::nullopt;
        }
        if (!std::isfinite(value)) {
            *problem = "\"" + std::string(number) + "\" is no finite number";
            return std::nullopt;
        }
        return WatchRule::Condition{figure, compare.compare, value};
    }
    *problem = "\"" + std::string(text) + "\" compares nothing (use >=, <=, >, < or =)";
    return std::nullopt;
}

const FigureName* figureNamed(const std::string& name) {
    for (const FigureName& figure : kFigures)
        if (figure.name == name)
            return &figure;
    return nullptr;
}

// The shortest text that reads back as the same number; plain digits for
// any limit a figure can reach ("1234567", not "1.23457e+06").
std::string numberText(double value) {
    char text[400];
    const auto format = std::fabs(value) < 1e15 ? std::chars_format::fixed
                                                : std::chars_format::general;
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, format);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

}  // namespace

std::optional<WatchRule> WatchRule::parse(std::string_view text, std::string* problem) {
    std::string ignored;
    std::string& why = problem ? *problem : ignored;
    WatchRule rule;
    std::optional<Subject> subject;
    for (const std::string& part : parts(text)) {
        if (trimBlanks(part).empty()) {
            why = "the rule \"" + std::string(text) + "\" has an empty condition";
            return std::nullopt;
        }
        std::optional<Condition> read = condition(part, &why);
        if (!read)
            return std::nullopt;
        const FigureName* figure = figureNamed(read->figure);
        if (!figure) {
            why = "\"" + read->figure +
                  "\" is no figure a rule knows (vpip, pfr, af, wtsd, hands, weak, score, seated, "
                  "waiting)";
            return std::nullopt;
        }
        if (subject && *subject != figure->subject) {
            why = "a rule speaks of one player's figures or of one table's, not of both";
            return std::nullopt;
        }
        subject = figure->subject;
        rule.conditions_.push_back(std::move(*read));
    }
    rule.subject_ = *subject;
    return rule;
}

std::string WatchRule::text() const {
    std::string text;
    for (const Condition& condition : conditions_) {
        if (!text.empty())
            text += " and ";
        std::string_view compare;
        for (const CompareName& name : kCompares)
            if (name.compare == condition.compare && compare.empty())
                compare = name.text;
        text += condition.figure + " " + std::string(compare) + " " + numberText(condition.value);
    }
    return text;
}

bool WatchRule::matches(const Figures& figures) const {
    for (const Condition& condition : conditions_) {
        const std::optional<double> value = figures(condition.figure);
        if (!value || std::isnan(*value))
            return false;
        const double v = *value;
        const double limit = condition.value;
        const bool holds = condition.compare == Compare::Less      ? v < limit
                           : condition.compare == Compare::AtMost  ? v <= limit
                           : condition.compare == Compare::Equal   ? v == limit
                           : condition.compare == Compare::AtLeast ? v >= limit
                                                                   : v > limit;
        if (!holds)
            return false;
    }
    return !conditions_.empty();
}

}  // namespace kestrova
