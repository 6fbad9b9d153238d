#pragma once

#include "platform/FlatIndex.h"
#include "survey/BssidText.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace wavemark {

// Numbers BSSIDs by their exact text, 0, 1, 2 ... in the order they are
// first added: the one table of BSSIDs every part of the survey model
// keeps. A BSSID in the canonical form "( 00:0b:86:c2:e1:40 )" (see
// BssidText) is keyed by its 48-bit address, which costs a few bytes where
// a string key costs tens; the canonical form is one text per address, so
// two BSSIDs that differ in any byte still never meet. Any other text, as a
// hand-edited export may carry, is keyed by the text.
class BssidTable {
public:
    // Made for `mostBssids`, it never moves; past that it grows.
    explicit BssidTable(size_t mostBssids = 0) : m_byAddress(mostBssids) {}

    size_t size() const { return m_count; }

    // The number of `bssid`, and whether it was added now with the next one.
    std::pair<int32_t, bool> add(std::string_view bssid);

    // The number of `bssid`, -1 for one not added.
    int32_t find(std::string_view bssid) const;
    // The same for a canonical BSSID by its address.
    int32_t findAddress(uint64_t address) const { return m_byAddress.find(address); }

    // The text of the BSSID numbered `number`.
    std::string textOf(int32_t number) const;

private:
    // Looked up by a view of the text, without making a string of it.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };

    FlatIndex m_byAddress;
    std::unordered_map<std::string, int32_t, TextHash, std::equal_to<>> m_byText;
    // The keys of the numbers keyed by text (a map's keys stay where they
    // are), null for those keyed by address; empty while there are none.
    std::vector<const std::string*> m_textOf;
    size_t m_count = 0;
};

} // namespace wavemark
