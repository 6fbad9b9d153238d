#pragma once

#include "convert/Settings.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace wavemark {

class CDS_CIni;

// The waypoint font sizes, in whole points, that the font dialog offers and
// the settings keep; 1638 is the largest the Windows dialog offers.
inline constexpr int kSmallestFontSize = 1;
inline constexpr int kLargestFontSize = 1638;

// What a key holds, and so which values it takes: those the window's
// controls can set and the GTM file can carry.
enum class SettingType {
    Text,         // any text, empty included
    NonEmptyText, // an empty value keeps the default
    FontSize,     // whole points, as the font dialog offers them: 1..1638
    BorderFlags,  // the text box border flags, one byte in the GTM file: 0..255
    Colour,       // 0x00BBGGRR: 0..0xFFFFFF
    Boolean,
    CheckBoxState,    // 0 cleared, 1 set, 2 greyed
    SymbolCode,       // a code of WaypointSymbols()
    DisplayStyleCode, // a code of WaypointDisplayStyles()
    LineStyleCode,    // a code of TrackLineStyles()
};

using SettingField = std::variant<std::string Settings::*, int16_t Settings::*, int32_t Settings::*,
                                  bool Settings::*>;

// One key of Wavemark.ini and the setting it holds. The default is given in
// its text form; with inProgramFolder it names a file in the program folder
// (PathInFolder), or the folder itself when it is empty.
struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingType type;
    SettingField field;
    std::string_view defaultText;
    bool inProgramFolder = false;
};

// All twenty-five keys in the order they are written, which is the order of
// the sections and keys in a new file. (They are read in the same order,
// except that the three keys of Options are read in reverse.)
std::span<const SettingKey> SettingKeys();

// folder + separator + name, joined as they are: a folder that already ends
// in a separator gives two in a row.
std::string PathInFolder(const std::string& folder, std::string_view name);

Settings FirstStartSettings(const std::string& programFolder);

// Writes every key with one replacement of the file, and the [Positions]
// section where it is not at its default (see PositionsSection); false when
// a key could not be written (the others are still written) or the file
// could not be.
bool WriteAllSettings(CDS_CIni& ini, const Settings& settings);
// Reads every key into `settings`, and the [Positions] section, parsing the
// file once. A key that is
// missing, empty, not of its type or outside its type's values keeps the
// value `settings` had; an empty value of a Text key is taken. False, with
// `settings` untouched and the reason in ini.LastErrorDescription(), when the
// file cannot be read.
bool ReadAllSettings(CDS_CIni& ini, Settings& settings);

} // namespace wavemark
