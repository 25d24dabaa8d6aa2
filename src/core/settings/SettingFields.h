#pragma once

#include "common/NumberText.h"
#include "settings/FilterRange.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsSaver.h"
#include "settings/SettingsStore.h"

#include <span>
#include <string>
#include <type_traits>
#include <variant>

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

}  // namespace setting_field

template <class Group>
using SettingField = std::variant<setting_field::Flag<Group>, setting_field::Number<Group>,
                                  setting_field::Typed<Group>, setting_field::Text<Group>,
                                  setting_field::Decimal<Group>, setting_field::Range<Group>>;

template <class Group>
void readFields(std::span<const SettingField<Group>> fields, const SettingsStore& settings,
                Group& group) {
    for (const SettingField<Group>& field : fields) {
        std::visit(
            [&](const auto& f) {
                using F = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<F, setting_field::Flag<Group>>) {
                    const int stored = settings.read(*f.key);
                    group.*f.member = f.exactlyOne ? stored == 1 : stored != 0;
                } else if constexpr (std::is_same_v<F, setting_field::Number<Group>>) {
                    group.*f.member = settings.read(*f.key);
                } else if constexpr (std::is_same_v<F, setting_field::Range<Group>>) {
                    group.*f.member = FilterRange::fromSettings(
                        settings, f.onRead ? *f.onRead : *f.on, *f.minimum, *f.maximum);
                } else if constexpr (std::is_same_v<F, setting_field::Decimal<Group>>) {
                    if (const auto number = parseNumber(settings.readText(*f.key)))
                        group.*f.member = *number;
                } else {
                    group.*f.member = settings.readText(*f.key);
                }
            },
            field);
    }
}

template <class Group>
void saveFields(std::span<const SettingField<Group>> fields, SettingsSaver& out,
                const Group& group) {
    for (const SettingField<Group>& field : fields) {
        std::visit(
            [&](const auto& f) {
                using F = std::decay_t<decltype(f)>;
                if constexpr (std::is_same_v<F, setting_field::Flag<Group>>)
                    out.flag(*f.key, group.*f.member);
                else if constexpr (std::is_same_v<F, setting_field::Number<Group>>)
                    out.number(*f.key, group.*f.member);
                else if constexpr (std::is_same_v<F, setting_field::Typed<Group>>)
                    out.text(f.key->key, group.*f.member);
                else if constexpr (std::is_same_v<F, setting_field::Range<Group>>)
                    (group.*f.member).save(out, *f.on, *f.minimum, *f.maximum);
                else if constexpr (std::is_same_v<F, setting_field::Decimal<Group>>)
                    out.text(*f.key, decimalText(group.*f.member));
                else
                    out.text(*f.key, group.*f.member);
            },
            field);
    }
}

}  // namespace kestrova
