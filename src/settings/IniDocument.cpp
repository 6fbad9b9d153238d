#include "settings/IniDocument.h"

#include "platform/AsciiLetters.h"
#include "platform/SplitLines.h"
#include "platform/TextTrim.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace wavemark {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

bool SameIniName(std::string_view a, std::string_view b) {
    return SameAsciiLetters(Trim(a, kBlanks), Trim(b, kBlanks));
}

IniDocument::IniDocument(std::string_view text) {
    for (const std::string_view raw : SplitLines(text)) {
        m_lines.push_back(parse(std::string(raw), m_lines.empty()));
    }
}

IniDocument::Line IniDocument::parse(std::string raw, bool first) {
    std::string_view content = raw;
    if (first && content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    content = Trim(content, kBlanks);
    Line line;
    if (content.empty()) {
        line.kind = Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = Kind::Comment;
    } else if (content.front() == '[') {
        line.kind = Kind::Section;
        const auto close = content.find(']');
        line.name =
            Trim(content.substr(1, close == std::string_view::npos ? close : close - 1), kBlanks);
    } else {
        line.kind = Kind::Key;
        const auto equals = content.find('=');
        line.name = Trim(content.substr(0, equals), kBlanks);
        if (equals != std::string_view::npos) {
            line.value = std::string(Trim(content.substr(equals + 1), kBlanks));
        }
    }
    line.raw = std::move(raw);
    return line;
}

std::optional<IniDocument::Range> IniDocument::findSection(std::string_view section) const {
    const auto isHeader = [&](const Line& line) {
        return line.kind == Kind::Section && SameIniName(line.name, section);
    };
    const auto header = std::ranges::find_if(m_lines, isHeader);
    if (header == m_lines.end()) {
        return std::nullopt;
    }
    const auto end = std::find_if(std::next(header), m_lines.end(),
                                  [](const Line& line) { return line.kind == Kind::Section; });
    return Range{static_cast<size_t>(header - m_lines.begin()),
                 static_cast<size_t>(end - m_lines.begin())};
}

std::optional<size_t> IniDocument::findKey(const Range& range, std::string_view key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (m_lines[i].kind == Kind::Key && SameIniName(m_lines[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto range = findSection(section);
    const auto index = range ? findKey(*range, key) : std::nullopt;
    if (!index) {
        return std::nullopt;
    }
    return m_lines[*index].value.value_or(std::string());
}

std::vector<std::string> IniDocument::sectionEntries(std::string_view section) const {
    std::vector<std::string> entries;
    const auto range = findSection(section);
    if (!range) {
        return entries;
    }
    for (size_t i = range->header + 1; i < range->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key) {
            entries.push_back(line.value ? line.name + "=" + *line.value : line.name);
        }
    }
    return entries;
}

std::vector<std::string> IniDocument::sectionNames() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen; // in lower case, so the list stays linear
    for (const Line& line : m_lines) {
        if (line.kind != Kind::Section) {
            continue;
        }
        std::string lower = line.name;
        std::ranges::transform(lower, lower.begin(), LowerAscii);
        if (seen.insert(std::move(lower)).second) {
            names.push_back(line.name);
        }
    }
    return names;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string raw = std::string(Trim(key, kBlanks)) + "=" + std::string(value);
    const auto range = findSection(section);
    if (!range) {
        appendSection(section, {raw});
        return;
    }
    if (const auto index = findKey(*range, key)) {
        m_lines[*index] = parse(raw, false);
        return;
    }
    size_t insertAt = range->header + 1;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        if (m_lines[i].kind == Kind::Key) {
            insertAt = i + 1;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), parse(raw, false));
}

void IniDocument::replaceSection(std::string_view section, const std::vector<std::string>& lines) {
    const auto range = findSection(section);
    if (!range) {
        appendSection(section, lines);
        return;
    }
    std::vector<Line> kept;
    std::optional<size_t> insertAt;
    for (size_t i = range->header + 1; i < range->end; ++i) {
        if (m_lines[i].kind == Kind::Key) {
            insertAt = insertAt.value_or(kept.size());
        } else {
            kept.push_back(std::move(m_lines[i]));
        }
    }
    auto position = kept.begin() + static_cast<std::ptrdiff_t>(insertAt.value_or(0));
    for (const auto& raw : lines) {
        position = std::next(kept.insert(position, parse(raw, false)));
    }
    const auto first = m_lines.begin() + static_cast<std::ptrdiff_t>(range->header + 1);
    const auto last = m_lines.begin() + static_cast<std::ptrdiff_t>(range->end);
    m_lines.insert(m_lines.erase(first, last), std::make_move_iterator(kept.begin()),
                   std::make_move_iterator(kept.end()));
}

void IniDocument::appendSection(std::string_view section, const std::vector<std::string>& lines) {
    std::string header = "[";
    header.append(Trim(section, kBlanks)).append("]");
    m_lines.push_back(parse(std::move(header), m_lines.empty()));
    for (const auto& raw : lines) {
        m_lines.push_back(parse(raw, false));
    }
}

std::string IniDocument::text() const {
    std::string text;
    for (const Line& line : m_lines) {
        text += line.raw;
        text += "\r\n";
    }
    return text;
}

} // namespace wavemark
