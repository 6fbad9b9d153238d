#include "mapview/MarkerSearch.h"

#include "platform/AsciiLetters.h"

#include <string>

namespace wavemark {
namespace {

// Byte `i` of a UTF-8 text with upper-case Latin and Latin-1 letters made
// lower case. The Latin-1 capitals À-Þ are 0xC3 0x80-0x9E, their small
// letters 0xC3 0xA0-0xBE, so folding keeps every byte count; 0xC3 0x97 is
// the multiplication sign, which has no small form.
char foldedAt(std::string_view text, size_t i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (i > 0 && static_cast<unsigned char>(text[i - 1]) == 0xc3 && byte >= 0x80 && byte <= 0x9e &&
        byte != 0x97) {
        return static_cast<char>(byte + 0x20);
    }
    return LowerAscii(text[i]);
}

std::string folded(std::string_view text) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        out[i] = foldedAt(text, i);
    }
    return out;
}

// Folds as it compares: a search of thousands of names per key press
// copies none of them.
bool holds(std::string_view text, std::string_view part) {
    for (size_t start = 0; start + part.size() <= text.size(); ++start) {
        size_t same = 0;
        while (same < part.size() && foldedAt(text, start + same) == part[same]) {
            ++same;
        }
        if (same == part.size()) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<uint32_t> MarkersMatching(const MapScene& scene, std::string_view text, size_t most) {
    std::vector<uint32_t> matches;
    const std::string part = folded(text);
    if (part.empty()) {
        return matches;
    }
    for (size_t m = 0; m < scene.markers.size() && matches.size() < most; ++m) {
        const SceneMarker& marker = scene.markers[m];
        if (holds(marker.network, part) || holds(marker.bssid, part) || holds(marker.name, part)) {
            matches.push_back(static_cast<uint32_t>(m));
        }
    }
    return matches;
}

} // namespace wavemark
