#include "settings/SettingsTable.h"

#include "maps/CodeTables.h"
#include "platform/PathSeparator.h"
#include "settings/CDS_CIni.h"
#include "settings/IniDocument.h"
#include "settings/PositionsSection.h"
#include "settings/TextForms.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

using enum SettingType;
using S = Settings;

// Wavemark.ini, in writing order. Defaults are given in their text form, so
// the first-start file shows exactly these texts.
constexpr std::array<SettingKey, 25> kKeys{{
    {"InputPath", "InputSummaryFile", Text, &S::SummaryFilePath, "summary.txt", true},
    {"InputPath", "InputTextFile", Text, &S::TextFilePath, "text.txt", true},
    {"OutputPath", "OutputPath", Text, &S::OutputPath, "", true},
    {"OutputPath", "OutputPrefix", Text, &S::OutputPrefix, "NS-Log_"},
    {"Options", "NoWEPCheck", CheckBoxState, &S::NoWEPCheck, "0"},
    {"Options", "APFilter", Text, &S::APFilter, "MOBILE,public,eurospot,wlan@thenet"},
    {"Options", "TConvertEnabled", CheckBoxState, &S::TConvertEnabled, "1"},
    {"Waypoints", "IconNoWEP", SymbolCode, &S::IconNoWEP, "141"},
    {"Waypoints", "IconWEP", SymbolCode, &S::IconWEP, "44"},
    {"Waypoints", "StyleNoWEP", DisplayStyleCode, &S::StyleNoWEP, "4"},
    {"Waypoints", "StyleWEP", DisplayStyleCode, &S::StyleWEP, "3"},
    {"Waypoints", "WPFontName", NonEmptyText, &S::WPFontName, "Arial"},
    {"Waypoints", "WPFontSize", FontSize, &S::WPFontSize, "9"},
    {"Waypoints", "WPFontBold", Boolean, &S::WPFontBold, "True"},
    {"Waypoints", "WPFontItalic", Boolean, &S::WPFontItalic, "False"},
    {"Waypoints", "WPFontUnderl", Boolean, &S::WPFontUnderl, "False"},
    {"Waypoints", "WPFontColor", Colour, &S::WPFontColor, "255"},
    {"Waypoints", "WPTBoxBack", Boolean, &S::WPTBoxBack, "True"},
    {"Waypoints", "WPTBoxBackColor", Colour, &S::WPTBoxBackColor, "65535"},
    {"Waypoints", "WPTBoxBorder", BorderFlags, &S::WPTBoxBorder, "139"},
    {"Tracks", "TChangeColors", CheckBoxState, &S::TChangeColors, "1"},
    {"Tracks", "TColorNoWep", Colour, &S::TColorNoWep, "255"},
    {"Tracks", "TColorWep", Colour, &S::TColorWep, "4227072"},
    {"Tracks", "TLineNoWep", LineStyleCode, &S::TLineNoWep, "2"},
    {"Tracks", "TLineWep", LineStyleCode, &S::TLineWep, "2"},
}};

constexpr bool fieldFitsType(const SettingKey& key) {
    switch (key.type) {
    case Text:
    case NonEmptyText:
        return std::holds_alternative<std::string S::*>(key.field);
    case Colour:
        return std::holds_alternative<int32_t S::*>(key.field);
    case Boolean:
        return std::holds_alternative<bool S::*>(key.field);
    default:
        return std::holds_alternative<int16_t S::*>(key.field);
    }
}
static_assert(std::ranges::all_of(kKeys, fieldFitsType));

// The program reads the Options keys in reverse: TConvertEnabled, APFilter,
// NoWEPCheck.
constexpr auto kReadingOrder = [] {
    std::array<const SettingKey*, kKeys.size()> order{};
    for (size_t i = 0; i < kKeys.size(); ++i) {
        order[i] = &kKeys[i];
    }
    const auto isOptions = [](const SettingKey* key) { return key->section == "Options"; };
    const auto first = std::ranges::find_if(order, isOptions);
    std::reverse(first, std::find_if_not(first, order.end(), isOptions));
    return order;
}();

template <typename T>
bool assign(Settings& settings, const SettingField& field, std::optional<T> value) {
    if (!value) {
        return false;
    }
    settings.*std::get<T S::*>(field) = *value;
    return true;
}

template <typename T>
std::optional<T> within(std::optional<T> value, int32_t lowest, int32_t highest) {
    return value && *value >= lowest && *value <= highest ? value : std::nullopt;
}

std::optional<int16_t> listed(std::optional<int16_t> code, std::optional<int> (*position)(int)) {
    return code && position(*code) ? code : std::nullopt;
}

bool keyIsPresent(CDS_CIni& ini, const std::string& section, const std::string& key) {
    TextArray keys;
    TextArray values;
    return ini.ReadSection(section, keys, values) &&
           std::ranges::any_of(keys.items,
                               [&](const auto& name) { return SameIniName(name, key); });
}

std::string settingText(const SettingKey& key, const Settings& settings) {
    if (const auto* text = std::get_if<std::string S::*>(&key.field)) {
        return settings.**text;
    }
    if (const auto* boolean = std::get_if<bool S::*>(&key.field)) {
        return std::string(BooleanText(settings.**boolean));
    }
    if (const auto* colour = std::get_if<int32_t S::*>(&key.field)) {
        return std::to_string(settings.**colour);
    }
    return std::to_string(settings.*std::get<int16_t S::*>(key.field));
}

// False, leaving the setting unchanged, when the text is not a value of its type.
bool setFromText(const SettingKey& key, std::string_view text, Settings& settings) {
    switch (key.type) {
    case Text:
        return assign(settings, key.field, std::optional<std::string>(text));
    case NonEmptyText:
        return !text.empty() && assign(settings, key.field, std::optional<std::string>(text));
    case FontSize:
        return assign(settings, key.field,
                      within(ParseInteger16(text), kSmallestFontSize, kLargestFontSize));
    case BorderFlags:
        return assign(settings, key.field, within(ParseInteger16(text), 0, 0xFF));
    case Colour:
        return assign(settings, key.field, within(ParseInteger32(text), 0, 0xFFFFFF));
    case Boolean:
        return assign(settings, key.field, ParseBoolean(text));
    case CheckBoxState:
        return assign(settings, key.field, within(ParseInteger16(text), 0, 2));
    case SymbolCode:
        return assign(settings, key.field, listed(ParseInteger16(text), &SymbolPosition));
    case DisplayStyleCode:
        return assign(settings, key.field, listed(ParseInteger16(text), &DisplayStylePosition));
    case LineStyleCode:
        return assign(settings, key.field, listed(ParseInteger16(text), &LineStylePosition));
    }
    return false;
}

} // namespace

std::span<const SettingKey> SettingKeys() {
    return kKeys;
}

std::string PathInFolder(const std::string& folder, std::string_view name) {
    return folder + kPathSeparator + std::string(name);
}

Settings FirstStartSettings(const std::string& programFolder) {
    Settings settings;
    for (const SettingKey& key : kKeys) {
        std::string text(key.defaultText);
        if (key.inProgramFolder) {
            text = text.empty() ? programFolder : PathInFolder(programFolder, text);
        }
        setFromText(key, text, settings);
    }
    return settings;
}

bool WriteAllSettings(CDS_CIni& ini, const Settings& settings) {
    std::vector<ProfileString> entries;
    for (const SettingKey& key : kKeys) {
        entries.push_back(
            {std::string(key.section), std::string(key.key), settingText(key, settings)});
    }
    for (ProfileString& entry : PositionsSectionEntries(settings)) {
        entries.push_back(std::move(entry));
    }
    return ini.WriteValues(entries);
}

bool ReadAllSettings(CDS_CIni& ini, Settings& settings) {
    if (!ini.Load()) {
        return false;
    }
    for (const SettingKey* key : kReadingOrder) {
        const std::string section(key->section);
        const std::string name(key->key);
        std::string text;
        if (ini.ReadValue(section, name, text)) {
            setFromText(*key, text, settings);
        } else if (key->type == Text && keyIsPresent(ini, section, name)) {
            setFromText(*key, "", settings);
        }
    }
    ReadPositionsSection(ini, settings);
    ini.Unload();
    return true;
}

} // namespace wavemark
