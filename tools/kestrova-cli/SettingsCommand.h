#pragma once

#include <ostream>
#include <string>

namespace kestrova {

class SettingsStore;

// "kestrova-cli settings ...":
//   list             every key of the key table as KEY=VALUE, in table order
//   get KEY          the value as the main window reads it (integer or text,
//                    with the start-up default)
//   set KEY VALUE    stores the value; flags take 0 or 1, integer keys a decimal
//                    integer, typed numbers and texts anything on one line
// Each returns 0 on success; 1 with a message on `err` for an unknown key, a
// value the key cannot take, a settings file that cannot be read or a failed write.
int runSettingsList(const SettingsStore& store, std::ostream& out, std::ostream& err);
int runSettingsGet(const SettingsStore& store, const std::string& key, std::ostream& out,
                   std::ostream& err);
int runSettingsSet(SettingsStore& store, const std::string& key, const std::string& value,
                   std::ostream& err);

}  // namespace kestrova
