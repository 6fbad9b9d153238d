// The INI document. Input: a first line "section TAB key TAB value", then an
// INI text. A write the profile service accepts must read back as written
// (blanks at the ends of the value are not kept), and change one line or add
// one (two for a new section) and leave every other alone.
#include "FuzzCheck.h"
#include "platform/SplitLines.h"
#include "platform/TextTrim.h"
#include "settings/IniDocument.h"
#include "settings/ProfileService.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Whether `after` is `before` with one line replaced, one line inserted, or a
// header and a key line added at the end: every other line survives.
bool onlyOneChange(const std::vector<std::string_view>& before,
                   const std::vector<std::string_view>& after) {
    const auto firstChange = std::ranges::mismatch(before, after).in1 - before.begin();
    const auto same = [&](std::ptrdiff_t skipBefore, std::ptrdiff_t skipAfter) {
        return std::equal(before.begin() + firstChange + skipBefore, before.end(),
                          after.begin() + firstChange + skipAfter, after.end());
    };
    const bool allKept = firstChange == static_cast<std::ptrdiff_t>(before.size());
    if (after.size() == before.size()) {
        return allKept || same(1, 1);
    }
    if (after.size() == before.size() + 1) {
        return same(0, 1);
    }
    return after.size() == before.size() + 2 && allKept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wavemark;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    const std::string_view command = input.substr(0, newline);
    const std::string text(newline == std::string_view::npos ? "" : input.substr(newline + 1));

    IniDocument document(text);
    const size_t tab1 = command.find('\t');
    const size_t tab2 = tab1 == std::string_view::npos ? tab1 : command.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) {
        return 0;
    }
    const std::string_view section = command.substr(0, tab1);
    const std::string_view key = command.substr(tab1 + 1, tab2 - tab1 - 1);
    const std::string_view value = command.substr(tab2 + 1);
    if (!IsWritableSection(section) || !IsWritablePair(key, value)) {
        return 0;
    }
    document.setValue(section, key, value);
    const std::string written = document.text();
    const IniDocument reread(written);
    check(reread.value(section, key) == std::string(Trim(value, kBlanks)));
    check(onlyOneChange(SplitLines(text), SplitLines(written)));
    return 0;
}
