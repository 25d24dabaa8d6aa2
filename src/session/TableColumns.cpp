#include "TableColumns.h"

#include "TableListModel.h"
#include "settings/SettingKeys.h"

#include <charconv>
#include <iterator>

namespace kestrova {

namespace {

// The figures exist on scanned rows only.
template <std::string TableEvaluation::*Figure>
std::string figure(const TableRow& row) {
    return row.evaluation ? (*row.evaluation).*Figure : std::string();
}

// One decimal whatever the desktop's locale.
std::string score(const TableRow& row) {
    if (!row.evaluation)
        return {};
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, row.evaluation->score.score,
                                   std::chars_format::fixed, 1)
                         .ptr;
    return std::string(text, end);
}

constexpr TableColumn kColumns[] = {
    {"Tablename", [](const TableRow& r) { return r.name; }, &keys::dtname, 0},
    {"Limit", [](const TableRow& r) { return r.stakes; }, &keys::dtlimit, 1},
    {"WL", [](const TableRow&) { return std::string("0"); }, &keys::dtwl, 8},
    {"Player", [](const TableRow& r) { return std::to_string(r.players); }, &keys::dtplayer, 2},
    {"Avg. Pot", [](const TableRow& r) { return r.averagePot; }, &keys::dtavgpot, 3},
    {"Avg. VPIP", figure<&TableEvaluation::averageVpip>, &keys::dtavgvpip, 4},
    {"Avg. PFR", figure<&TableEvaluation::averagePfr>, &keys::dtavgpfr, 5},
    {"Avg. AF", figure<&TableEvaluation::averageAf>, &keys::dtavgaf, 9},
    {"Avg. WTSD", figure<&TableEvaluation::averageWtsd>, &keys::dtavgwtsd, 10},
    {"# Reads", figure<&TableEvaluation::readsText>, &keys::dtreads, 6},
    {"# Buddies", figure<&TableEvaluation::buddiesText>, &keys::dtbuddies, 7},
    {"# Loser", figure<&TableEvaluation::losersText>, nullptr, -1},
    {"Tot.Stacks", figure<&TableEvaluation::totalStacks>, nullptr, -1},
    {"Score", score, nullptr, -1},
};
static_assert(std::size(kColumns) == kTableColumnCount);

}  // namespace

std::span<const TableColumn, kTableColumnCount> tableColumns() {
    return kColumns;
}

}  // namespace kestrova
