#pragma once

#include <functional>
#include <string>

namespace kestrova {

// How the three lists order their rows: each list has a sort mode (100 table list,
// 1 player list, 0 whole player list), and column c of a list compares by the rule
// of key c + mode. Texts that are not numbers count as 0.
enum class RowSortMode { WholePlayerList = 0, PlayerList = 1, TableList = 100 };

using CellText = std::function<std::string(int column)>;

bool rowLess(RowSortMode mode, int column, const CellText& a, const CellText& b);

// The leading number of a text, as the C library reads it; 0 when there is none.
// (Whole numbers: leadingInteger in common/Text.h.)
double leadingNumber(const std::string& text);

}  // namespace kestrova
