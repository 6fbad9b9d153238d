#include "settings/MapSection.h"

#include "platform/TextTrim.h"
#include "settings/IniDocument.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace wavemark {
namespace {

constexpr const char* kSection = "Map";

template <typename Number> std::optional<Number> parsed(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

template <typename Number>
std::optional<Number> inRange(std::optional<Number> value, Number low, Number high) {
    if (value && *value >= low && *value <= high) {
        return value;
    }
    return std::nullopt;
}

// Written the same in every locale, as from_chars reads it back.
std::string decimal(double value) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 7).ptr;
    return {text, end};
}

} // namespace

MapSection ReadMapSection(CDS_CIni& ini) {
    MapSection section;
    TextArray keys;
    TextArray values;
    if (!ini.ReadSection(kSection, keys, values)) {
        return section;
    }
    // The first of duplicate keys wins, as everywhere in the file.
    const auto value = [&](std::string_view key) -> std::optional<std::string_view> {
        for (int i = keys.lowerBound; i <= keys.upperBound(); ++i) {
            if (SameIniName(Trim(keys.at(i), kBlanks), key)) {
                return Trim(values.at(i), kBlanks);
            }
        }
        return std::nullopt;
    };
    const auto number = [&](std::string_view key, auto low, auto high) {
        using Number = decltype(low);
        const auto text = value(key);
        return text ? inRange(parsed<Number>(*text), low, high) : std::nullopt;
    };
    section.Left = number("Left", -100000, 100000);
    section.Top = number("Top", -100000, 100000);
    section.Width = number("Width", 200, 20000).value_or(section.Width);
    section.Height = number("Height", 150, 20000).value_or(section.Height);
    section.Latitude = number("Latitude", -90.0, 90.0);
    section.Longitude = number("Longitude", -180.0, 180.0);
    section.Zoom = number("Zoom", 0, 19).value_or(section.Zoom);
    if (!section.Latitude || !section.Longitude) {
        section.Latitude = section.Longitude = std::nullopt;
    }
    if (const auto url = value("TileUrl")) {
        section.TileUrl = std::string(*url);
    }
    return section;
}

bool WriteMapSection(CDS_CIni& ini, const MapSection& section) {
    std::vector<ProfileString> entries;
    const auto put = [&](const char* key, std::string text) {
        entries.push_back({kSection, key, std::move(text)});
    };
    if (section.Left && section.Top) {
        put("Left", std::to_string(*section.Left));
        put("Top", std::to_string(*section.Top));
    }
    put("Width", std::to_string(section.Width));
    put("Height", std::to_string(section.Height));
    if (section.Latitude && section.Longitude) {
        put("Latitude", decimal(*section.Latitude));
        put("Longitude", decimal(*section.Longitude));
    }
    put("Zoom", std::to_string(section.Zoom));
    put("TileUrl", section.TileUrl);
    return ini.WriteValues(entries);
}

} // namespace wavemark
