#include "settings/SettingKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TempDir.h"
#include "common/Text.h"
#include "settings/SettingsStore.h"

namespace kestrova {
namespace {

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

TEST(SettingKeys, TableHoldsEveryKeyOnceIgnoringCase) {
    std::set<std::string> names;
    for (const SettingKey& key : allSettingKeys()) {
        EXPECT_TRUE(names.insert(lower(settingName(key))).second) << settingName(key);
    }
    EXPECT_EQ(names.size(), 112u);
}

TEST(SettingKeys, FindIgnoresCaseAndRejectsUnknown) {
    const SettingKey* key = findSettingKey("LIM");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(settingName(*key), "Lim");
    EXPECT_EQ(findSettingKey("nosuchkey"), nullptr);
    EXPECT_EQ(findSettingKey(""), nullptr);
}

TEST(SettingKeys, FlagDefaultsAreZeroOrOne) {
    for (const SettingKey& key : allSettingKeys()) {
        const SettingRule rule = settingRule(key);
        if (rule == SettingRule::Flag || rule == SettingRule::ExactFlag) {
            const auto* intKey = std::get_if<IntKey>(&key);
            ASSERT_NE(intKey, nullptr) << settingName(key);
            EXPECT_TRUE(intKey->defaultValue == 0 || intKey->defaultValue == 1) << settingName(key);
        }
    }
}

// ---- defaults as each reader sees them with no INI file at all ---------------

class NoIniDefaults : public ::testing::Test {
protected:
    test::TempDir dir_;
    SettingsStore store_{dir_ / "Velloran.ini"};
};

TEST_F(NoIniDefaults, ScanfilterDialogAndStartUpDifferOnFpcOnly) {
    EXPECT_EQ(store_.read(keys::fpc), 1);
    EXPECT_EQ(store_.read(keys::fpcDialog), 0);
}

TEST_F(NoIniDefaults, StartUpReadsTheDocumentedValues) {
    EXPECT_EQ(store_.read(keys::scanint), 15);
    EXPECT_EQ(store_.read(keys::checkupdate), 1);
    EXPECT_EQ(store_.read(keys::useagg), 0);
    EXPECT_EQ(store_.read(keys::cache), 1200);
    EXPECT_EQ(store_.read(keys::dbcache), 1);
    EXPECT_EQ(store_.read(keys::scan), 500);
    EXPECT_EQ(store_.read(keys::profilhands), 100);
    EXPECT_EQ(store_.readText(keys::profilme), "");
    EXPECT_EQ(store_.read(keys::tdblclick), 0);
    EXPECT_EQ(store_.read(keys::tdblclickopen), 1);
    EXPECT_EQ(store_.read(keys::tfnum), 2);
    EXPECT_EQ(store_.read(keys::ofnum), 3);
    EXPECT_EQ(store_.read(keys::tfstackmax), 200);
    EXPECT_EQ(store_.read(keys::low_tfstackmax), 10);
    EXPECT_EQ(store_.read(keys::form), 0);
}

TEST_F(NoIniDefaults, DialogLineEditsShowNumbersAsText) {
    EXPECT_EQ(store_.readText(keys::cacheGeneralTab), "1200");
    EXPECT_EQ(store_.readText(keys::scanGeneralTab), "500");
    EXPECT_EQ(store_.readText(keys::closeHandsCountClosePage), "500");
    EXPECT_EQ(store_.readText(keys::delay), "1000");
    EXPECT_EQ(store_.readText(keys::suffix), "txt");
}

TEST_F(NoIniDefaults, TypedNumbersReadTheirLeadingDigits) {
    ASSERT_TRUE(store_.writeText(keys::delay, "abc"));
    EXPECT_EQ(leadingInteger(store_.readText(keys::delay)), 0);
    ASSERT_TRUE(store_.writeText(keys::closeHandsCount, std::string(150, '7')));
    EXPECT_EQ(store_.readText(keys::closeHandsCountClosePage).size(), 99u);
}

TEST_F(NoIniDefaults, FormReadsWhatStartUpWrote) {
    ASSERT_TRUE(store_.writeText(keys::form, "6"));
    ASSERT_TRUE(store_.writeInt(keys::form, 5));
    EXPECT_EQ(store_.read(keys::form), 5);
}

}  // namespace
}  // namespace kestrova
