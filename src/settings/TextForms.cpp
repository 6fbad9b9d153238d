#include "settings/TextForms.h"

#include "platform/TextTrim.h"
#include "settings/IniDocument.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace wavemark {
namespace {

std::optional<double> parseNumber(std::string_view text) {
    text = Trim(text, kBlanks);
    // from_chars takes "-" but not "+"; "+-1" must stay invalid.
    if (text.starts_with('+') && !text.substr(1).starts_with('-')) {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

template <typename Integer> std::optional<Integer> parseInteger(std::string_view text) {
    const auto number = parseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = RoundHalfToEven(*number);
    if (rounded < std::numeric_limits<Integer>::min() ||
        rounded > std::numeric_limits<Integer>::max()) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

} // namespace

double RoundHalfToEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        return floor + 1.0;
    }
    return floor;
}

std::optional<int16_t> ParseInteger16(std::string_view text) {
    return parseInteger<int16_t>(text);
}

std::optional<int32_t> ParseInteger32(std::string_view text) {
    return parseInteger<int32_t>(text);
}

std::string_view BooleanText(bool value) {
    return value ? "True" : "False";
}

std::optional<bool> ParseBoolean(std::string_view text) {
    const auto word = Trim(text, kBlanks);
    if (SameIniName(word, "True")) {
        return true;
    }
    if (SameIniName(word, "False")) {
        return false;
    }
    if (const auto number = parseNumber(word)) {
        return *number != 0.0;
    }
    return std::nullopt;
}

} // namespace wavemark
