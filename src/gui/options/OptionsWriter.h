#pragma once

#include "settings/SettingKeys.h"

#include <filesystem>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QString;
class QWidget;

namespace kestrova {

class SettingsStore;

// The writes of the options dialog's "OK", in the order the pages call them.
// A write that fails does not stop the others; the first failure is kept so
// that the user hears of it once.
class OptionsWriter final {
public:
    OptionsWriter(SettingsStore& store, std::filesystem::path directory)
        : store_(store), directory_(std::move(directory)) {}

    const std::filesystem::path& directory() const { return directory_; }

    void text(std::string_view key, std::string_view value);
    void text(std::string_view key, const QLineEdit* field);  // the text as typed
    void flag(const IntKey& key, const QCheckBox* box);       // "1" or "0"
    void count(const IntKey& key, const QComboBox* box);      // see countOf
    // A companion file written (or not) by its own class.
    void file(bool written, std::string_view fileName);
    void failed(std::string problem);

    // Empty when everything was written.
    const std::string& problem() const { return problem_; }

private:
    SettingsStore& store_;
    std::filesystem::path directory_;
    std::string problem_;
};

// Controls the pages share.
QCheckBox* makeCheck(const QString& text, const char* name, bool checked, QWidget* parent,
                     const QString& toolTip, const QString& statusTip);
// A choice of "1" to "n" showing a stored count as index count - 1. A count
// outside that range shows nothing and is written back unchanged: the hidden
// pages must not change what the user put in the settings file by hand.
QComboBox* makeCountBox(int n, int stored, const char* name, QWidget* parent);
int countOf(const QComboBox* box);

}  // namespace kestrova
