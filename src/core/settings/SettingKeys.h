#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kestrova {

// Who commits the keys of a group.
enum class SettingGroup {
    GeneralTab,    // options dialog, General tab
    OpenPage,      // options dialog, hidden Open page
    ClosePage,     // options dialog, hidden Close page
    DisplayTab,    // options dialog, Display tab (column visibility, table score)
    ProfileTab,    // options dialog, Profile tab
    MainWindow,    // main window and its menus
    ScanFilter,    // "Scanfilter" dialog
    PlayerFilter,  // "Playerfilter" dialog
};

// What a stored value looks like.
enum class SettingRule {
    Flag,         // "1" or "0"; readers count any non-zero value as on
    ExactFlag,    // "1" or "0"; readers count only exactly 1 as on
    Integer,      // decimal integer written by the program (combo index, menu state)
    TypedNumber,  // written exactly as typed into a line edit; readers take the leading digits
    Text,         // free text
};

// A key read as an integer, with the default its reader passes.
struct IntKey {
    std::string_view name;
    int defaultValue;
    SettingGroup group;
    SettingRule rule;

    // The same key as read by another reader that passes another default.
    constexpr IntKey withDefault(int readerDefault) const {
        IntKey key = *this;
        key.defaultValue = readerDefault;
        return key;
    }
};

// A key read as text through a fixed buffer: a longer value is cut to bufferBytes - 1.
struct TextKey {
    std::string_view name;
    std::string_view defaultValue;
    std::size_t bufferBytes;
    SettingGroup group;
    SettingRule rule;

    constexpr TextKey withBuffer(std::size_t readerBufferBytes) const {
        TextKey key = *this;
        key.bufferBytes = readerBufferBytes;
        return key;
    }
};

// An integer key that an options-dialog line edit shows as it was typed; a
// missing key reads as the integer default in decimal.
struct TypedNumberKey {
    IntKey key;
    std::size_t bufferBytes;
};

using SettingKey = std::variant<IntKey, TextKey>;

// The key table of section "Tallyhand": every key once, with its type, the
// default of its main reader, and its group. Rows are
//   INT(name, default, group, rule)    read as an integer
//   TEXT(name, default, bufferBytes, group, rule)    read as text
// The main reader is the main window's start-up wherever it reads the key,
// otherwise the part that uses the value (datamining engine, table-filter load).
// Readers with a different default or buffer have their own constants below.
#define KESTROVA_SETTING_KEYS(INT, TEXT)               \
    TEXT(delay, "1000", 1000, GeneralTab, TypedNumber) \
    TEXT(suffix, "txt", 1000, GeneralTab, Text)        \
    INT(observed, 0, GeneralTab, ExactFlag)            \
    INT(add6max, 0, GeneralTab, ExactFlag)             \
    INT(realtime, 0, GeneralTab, Flag)                 \
    INT(curLim, 0, GeneralTab, ExactFlag)              \
    INT(dbcache, 1, GeneralTab, Flag)                  \
    INT(cache, 1200, GeneralTab, TypedNumber)          \
    INT(scan, 500, GeneralTab, TypedNumber)            \
    INT(hudLim, 1, GeneralTab, ExactFlag)              \
    INT(historydays, 90, GeneralTab, Integer)          \
    TEXT(historydb, "", 512, GeneralTab, Text)         \
                                                       \
    INT(open, 1, OpenPage, Flag)                       \
    INT(sixmax, 1, OpenPage, Flag)                     \
    INT(both, 0, OpenPage, Flag)                       \
    INT(minplayer, 5, OpenPage, Integer)               \
    INT(exc, 0, OpenPage, Flag)                        \
                                                       \
    INT(close, 1, ClosePage, Flag)                     \
    INT(mincloseplayer, 4, ClosePage, Integer)         \
    INT(closeHands, 0, ClosePage, ExactFlag)           \
    INT(closeHandsNumPlayer, 4, ClosePage, Integer)    \
    INT(closeHandsCount, 500, ClosePage, TypedNumber)  \
                                                       \
    INT(dtname, 1, DisplayTab, Flag)                   \
    INT(dtlimit, 1, DisplayTab, Flag)                  \
    INT(dtwl, 1, DisplayTab, Flag)                     \
    INT(dtplayer, 1, DisplayTab, Flag)                 \
    INT(dtavgpot, 1, DisplayTab, Flag)                 \
    INT(dtavgvpip, 1, DisplayTab, Flag)                \
    INT(dtavgpfr, 1, DisplayTab, Flag)                 \
    INT(dtavgaf, 1, DisplayTab, Flag)                  \
    INT(dtavgwtsd, 1, DisplayTab, Flag)                \
    INT(dtreads, 1, DisplayTab, Flag)                  \
    INT(dtbuddies, 1, DisplayTab, Flag)                \
    INT(dpseat, 1, DisplayTab, Flag)                   \
    INT(dpname, 1, DisplayTab, Flag)                   \
    INT(dpicon, 1, DisplayTab, Flag)                   \
    INT(dpbuddy, 1, DisplayTab, Flag)                  \
    INT(dpstack, 1, DisplayTab, Flag)                  \
    INT(dphands, 1, DisplayTab, Flag)                  \
    INT(dpwon, 1, DisplayTab, Flag)                    \
    INT(dpvpip, 1, DisplayTab, Flag)                   \
    INT(dppfr, 1, DisplayTab, Flag)                    \
    INT(dpaf, 1, DisplayTab, Flag)                     \
    INT(dpwtsd, 1, DisplayTab, Flag)                   \
    INT(dpwonsd, 1, DisplayTab, Flag)                  \
    INT(dpflopaf, 1, DisplayTab, Flag)                 \
    INT(dpturnaf, 1, DisplayTab, Flag)                 \
    INT(dpriveraf, 1, DisplayTab, Flag)                \
    INT(dpatts, 1, DisplayTab, Flag)                   \
    INT(dpfoldsb, 1, DisplayTab, Flag)                 \
    INT(dpfoldbb, 1, DisplayTab, Flag)                 \
    INT(dpcbet, 1, DisplayTab, Flag)                   \
    INT(dpweak, 1, DisplayTab, Flag)                   \
    INT(cbPlayerList, 1, DisplayTab, Flag)             \
    INT(tdblclick, 0, DisplayTab, Flag)                \
    INT(tdblclickopen, 1, DisplayTab, Flag)            \
    INT(weakvpip, 35, DisplayTab, Integer)             \
    INT(priorvpip, 25, DisplayTab, Integer)            \
    INT(priorhands, 30, DisplayTab, Integer)           \
    TEXT(goodscore, "2.0", 16, DisplayTab, Text)       \
                                                       \
    INT(excludeme, 0, ProfileTab, Flag)                \
    INT(profilhands, 100, ProfileTab, TypedNumber)     \
    TEXT(profilme, "", 128, ProfileTab, Text)          \
                                                       \
    INT(form, 0, MainWindow, Integer)                  \
    INT(skin, 0, MainWindow, Integer)                  \
    INT(minimize, 0, MainWindow, ExactFlag)            \
    INT(checkupdate, 1, MainWindow, Flag)              \
    TEXT(updateserver, "", 256, MainWindow, Text)      \
    INT(useagg, 0, MainWindow, Flag)                   \
    INT(lookuptimeout, 10, MainWindow, Integer)        \
    INT(adaptivewait, 0, GeneralTab, ExactFlag)        \
    INT(def6max, 1, MainWindow, ExactFlag)             \
    INT(scanint, 15, MainWindow, Integer)              \
                                                       \
    INT(c_fullring, 1, ScanFilter, Flag)               \
    INT(c_sixmax, 1, ScanFilter, Flag)                 \
    INT(c_headsup, 1, ScanFilter, Flag)                \
    INT(Lim, 1, ScanFilter, Flag)                      \
    INT(NLim, 1, ScanFilter, Flag)                     \
    INT(PLim, 1, ScanFilter, Flag)                     \
    INT(fpc, 1, ScanFilter, Flag)                      \
    INT(fpcmin, 0, ScanFilter, TypedNumber)            \
    INT(fpcmax, 10, ScanFilter, TypedNumber)           \
    INT(tfact, 0, ScanFilter, Flag)                    \
    INT(tfnum, 2, ScanFilter, Integer)                 \
    INT(tfvpip, 0, ScanFilter, Flag)                   \
    INT(tfvpipmin, 0, ScanFilter, TypedNumber)         \
    INT(tfvpipmax, 100, ScanFilter, TypedNumber)       \
    INT(tfpfr, 0, ScanFilter, Flag)                    \
    INT(tfpfrmin, 0, ScanFilter, TypedNumber)          \
    INT(tfpfrmax, 10, ScanFilter, TypedNumber)         \
    INT(tfaf, 0, ScanFilter, Flag)                     \
    INT(tfafmin, 0, ScanFilter, TypedNumber)           \
    INT(tfafmax, 10, ScanFilter, TypedNumber)          \
    INT(tfstack, 0, ScanFilter, Flag)                  \
    INT(tfstackmin, 0, ScanFilter, TypedNumber)        \
    INT(tfstackmax, 200, ScanFilter, TypedNumber)      \
    INT(tfloser, 0, ScanFilter, Flag)                  \
    INT(ofact, 0, ScanFilter, Flag)                    \
    INT(ofvpip, 0, ScanFilter, Flag)                   \
    INT(ofvpipmin, 0, ScanFilter, TypedNumber)         \
    INT(ofvpipmax, 100, ScanFilter, TypedNumber)       \
    INT(ofpfr, 0, ScanFilter, Flag)                    \
    INT(ofpfrmin, 0, ScanFilter, TypedNumber)          \
    INT(ofpfrmax, 10, ScanFilter, TypedNumber)         \
    INT(ofreads, 0, ScanFilter, Flag)                  \
    INT(ofnum, 3, ScanFilter, Integer)                 \
    INT(tf_stakes, 1, ScanFilter, Flag)                \
    INT(tfwait, 0, ScanFilter, Flag)                   \
    INT(tfwaitmax, 2, ScanFilter, Integer)             \
                                                       \
    INT(low_buddy, 0, PlayerFilter, Flag)              \
    INT(low_looser, 0, PlayerFilter, Flag)             \
    INT(low_tfvpip, 0, PlayerFilter, Flag)             \
    INT(low_tfvpipmin, 0, PlayerFilter, TypedNumber)   \
    INT(low_tfvpipmax, 100, PlayerFilter, TypedNumber) \
    INT(low_tfpfr, 0, PlayerFilter, Flag)              \
    INT(low_tfpfrmin, 0, PlayerFilter, TypedNumber)    \
    INT(low_tfpfrmax, 10, PlayerFilter, TypedNumber)   \
    INT(low_tfaf, 0, PlayerFilter, Flag)               \
    INT(low_tfafmin, 0, PlayerFilter, TypedNumber)     \
    INT(low_tfafmax, 10, PlayerFilter, TypedNumber)    \
    INT(low_tfstack, 0, PlayerFilter, Flag)            \
    INT(low_tfstackmin, 0, PlayerFilter, TypedNumber)  \
    INT(low_tfstackmax, 10, PlayerFilter, TypedNumber)

namespace keys {

#define KESTROVA_INT_KEY(name, dflt, group, rule) \
    inline constexpr IntKey name{#name, dflt, SettingGroup::group, SettingRule::rule};
#define KESTROVA_TEXT_KEY(name, dflt, buffer, group, rule) \
    inline constexpr TextKey name{#name, dflt, buffer, SettingGroup::group, SettingRule::rule};
KESTROVA_SETTING_KEYS(KESTROVA_INT_KEY, KESTROVA_TEXT_KEY)
#undef KESTROVA_INT_KEY
#undef KESTROVA_TEXT_KEY

// Readers whose default or buffer differs from the main reader's.

// The "Scanfilter" dialog shows "Number of player between" unchecked when the
// key is missing; the start-up reads fpc above. (Lim has one default for both:
// a first start scans limit tables, as the dialog shows.)
inline constexpr IntKey fpcDialog = fpc.withDefault(0);

// The Profile tab reads the own screen name through 256 bytes; the main
// window through 128 (profilme above).
inline constexpr TextKey profilmeProfileTab = profilme.withBuffer(256);

// Line edits of the options dialog show these numbers as typed.
inline constexpr TypedNumberKey cacheGeneralTab{cache, 1000};
inline constexpr TypedNumberKey scanGeneralTab{scan, 1000};
inline constexpr TypedNumberKey closeHandsCountClosePage{closeHandsCount, 100};

// The user's labels of autorate icons 2 to 15, where the Windows build reads
// PokerTracker's own from the registry. Kept out of the key table above on
// purpose: nothing writes them, the user adds them by hand, and a missing or
// empty value keeps the built-in label.
#define KESTROVA_ICON_LABEL_KEY(name) \
    inline constexpr TextKey name{#name, "", 256, SettingGroup::MainWindow, SettingRule::Text};
KESTROVA_ICON_LABEL_KEY(FishIcon)
KESTROVA_ICON_LABEL_KEY(MoneyIcon)
KESTROVA_ICON_LABEL_KEY(UserDefined1)
KESTROVA_ICON_LABEL_KEY(UserDefined2)
KESTROVA_ICON_LABEL_KEY(UserDefined3)
KESTROVA_ICON_LABEL_KEY(BombIcon)
KESTROVA_ICON_LABEL_KEY(GambleIcon)
KESTROVA_ICON_LABEL_KEY(RockIcon)
KESTROVA_ICON_LABEL_KEY(ManiacIcon)
KESTROVA_ICON_LABEL_KEY(QuestIcon)
KESTROVA_ICON_LABEL_KEY(CallStIcon)
KESTROVA_ICON_LABEL_KEY(MouseIcon)
KESTROVA_ICON_LABEL_KEY(ElephantIcon)
KESTROVA_ICON_LABEL_KEY(EagleIcon)
#undef KESTROVA_ICON_LABEL_KEY

}  // namespace keys

// Every key of the table, in table order.
std::span<const SettingKey> allSettingKeys();

// The key of that name, ignoring case as the INI lookup does; null when unknown.
const SettingKey* findSettingKey(std::string_view name);

std::string_view settingName(const SettingKey& key);
SettingGroup settingGroup(const SettingKey& key);
SettingRule settingRule(const SettingKey& key);

// The values a key read as a number takes, as the options dialog allows them.
struct SettingRange {
    double minimum;
    double maximum;
    bool decimal = false;  // a decimal number ("2.5"), else a whole one
};

// The key's own range, every int for the other integer keys; nothing for
// flags and free text.
std::optional<SettingRange> settingRange(const SettingKey& key);

// Whether a PostgreSQL connection text (historydb) carries a password: a
// "password" keyword in any letter case, or a URI's "user:password@".
bool connectionHoldsPassword(std::string_view connection);

// Empty when the key can take the value as it would be stored; otherwise why
// not, with the key's range. A typed number may go on after its digits ("600
// seconds"), as the program reads only those.
std::string settingValueRefusal(const SettingKey& key, std::string_view value);

}  // namespace kestrova
