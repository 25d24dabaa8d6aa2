#pragma once

#include "common/NumberText.h"
#include "settings/FilterRange.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

#include <functional>
#include <span>
#include <string>

namespace kestrova {

// The fields of a settings group, each with the key it is read from and
// written to: one table per group drives both its reading and its saving.
namespace setting_field {

// On or off, written "1" or "0"; read as on when the stored number is not 0,
// or, where the group's reader always took it so, only when it is exactly 1.
template <class Group>
struct Flag {
    const IntKey* key;
    bool Group::*member;
    bool exactlyOne = false;
};

// A number the program writes itself (a count, a combo box's choice).
template <class Group>
struct Number {
    const IntKey* key;
    int Group::*member;
};

// A number kept as the user typed it, read through its reader's buffer.
template <class Group>
struct Typed {
    const TypedNumberKey* key;
    std::string Group::*member;
};

// Free text (or a typed number stored as text), read through its reader's buffer.
template <class Group>
struct Text {
    const TextKey* key;
    std::string Group::*member;
};

// A decimal number stored as text; one that does not read as a number keeps
// the group's default.
template <class Group>
struct Decimal {
    const TextKey* key;
    double Group::*member;
};

// A filter's range: its switch (on only when it reads 1) and its bounds.
// `onRead`, when given, is the switch as its reader reads it (another default).
template <class Group>
struct Range {
    const IntKey* on;
    const IntKey* minimum;
    const IntKey* maximum;
    FilterRange Group::*member;
    const IntKey* onRead = nullptr;
};

// How each kind of field is read and written.
template <class Group>
void readField(const Flag<Group>& f, const SettingsStore& settings, Group& group) {
    const int stored = settings.read(*f.key);
    group.*f.member = f.exactlyOne ? stored == 1 : stored != 0;
}
template <class Group>
void saveField(const Flag<Group>& f, SettingsSaver& out, const Group& group) {
    out.flag(*f.key, group.*f.member);
}
template <class Group>
void readField(const Number<Group>& f, const SettingsStore& settings, Group& group) {
    group.*f.member = settings.read(*f.key);
}
template <class Group>
void saveField(const Number<Group>& f, SettingsSaver& out, const Group& group) {
    out.number(*f.key, group.*f.member);
}
template <class Group>
void readField(const Typed<Group>& f, const SettingsStore& settings, Group& group) {
    group.*f.member = settings.readText(*f.key);
}
template <class Group>
void saveField(const Typed<Group>& f, SettingsSaver& out, const Group& group) {
    out.text(f.key->key, group.*f.member);
}
template <class Group>
void readField(const Text<Group>& f, const SettingsStore& settings, Group& group) {
    group.*f.member = settings.readText(*f.key);
}
template <class Group>
void saveField(const Text<Group>& f, SettingsSaver& out, const Group& group) {
    out.text(*f.key, group.*f.member);
}
template <class Group>
void readField(const Decimal<Group>& f, const SettingsStore& settings, Group& group) {
    if (const auto number = parseNumber(settings.readText(*f.key)))
        group.*f.member = *number;
}
template <class Group>
void saveField(const Decimal<Group>& f, SettingsSaver& out, const Group& group) {
    out.text(*f.key, decimalText(group.*f.member));
}
template <class Group>
void readField(const Range<Group>& f, const SettingsStore& settings, Group& group) {
    group.*f.member =
        FilterRange::fromSettings(settings, f.onRead ? *f.onRead : *f.on, *f.minimum, *f.maximum);
}
template <class Group>
void saveField(const Range<Group>& f, SettingsSaver& out, const Group& group) {
    (group.*f.member).save(out, *f.on, *f.minimum, *f.maximum);
}

}  // namespace setting_field

// One row of a group's table: any of the kinds above, read and written its way.
// Only the kinds a group lists are compiled for it.
template <class Group>
class SettingField {
public:
    template <class Field>
    // Implicit: a table lists the kinds themselves.
    SettingField(Field field)
        : read_([field](const SettingsStore& settings, Group& group) {
              setting_field::readField(field, settings, group);
          }),
          save_([field](SettingsSaver& out, const Group& group) {
              setting_field::saveField(field, out, group);
          }) {}

    void read(const SettingsStore& settings, Group& group) const { read_(settings, group); }
    void save(SettingsSaver& out, const Group& group) const { save_(out, group); }

private:
    std::function<void(const SettingsStore&, Group&)> read_;
    std::function<void(SettingsSaver&, const Group&)> save_;
};

template <class Group>
void readFields(std::span<const SettingField<Group>> fields, const SettingsStore& settings,
                Group& group) {
    for (const SettingField<Group>& field : fields)
        field.read(settings, group);
}

template <class Group>
void saveFields(std::span<const SettingField<Group>> fields, SettingsSaver& out,
                const Group& group) {
    for (const SettingField<Group>& field : fields)
        field.save(out, group);
}

}  // namespace kestrova
