#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavemark {

// Section and key names match without regard to ASCII letter case and to
// blanks around them, whether they come from the file or from a caller; other
// bytes (UTF-8 included) must match exactly.
bool SameIniName(std::string_view a, std::string_view b);

// An INI text held line by line, so that a write changes only the lines it
// must and everything else (unknown sections and keys, comments, blank lines,
// their order and spelling) comes back unchanged.
//
// Format read, one line at a time (lines end at CR LF, LF or CR; a UTF-8
// byte order mark before the first line is ignored):
//   - blank line: only blanks (space, tab) or nothing;
//   - comment: first non-blank character ";";
//   - section header: first non-blank character "[", the name up to the
//     first "]" (or the line end), blanks around it ignored;
//   - any other line is a key line: the name before the first "=" and the
//     value after it, blanks around both ignored; a line without "=" is a
//     key with an empty value. ";", quotes and further "=" are part of the
//     value: quotes are never removed, so what is written reads back alike.
// Lines before the first header belong to no section and are never found.
// Of two sections or keys with the same name, the first is read and written.
//
// Format written: the lines joined with CR LF, the last one ended too; new
// keys read "name=value" with nothing around "=".
class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    // The value of the key, or nothing when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The section's key lines as "name=value" (just "name" for a line
    // without "="), in file order, with the blanks around both removed.
    std::vector<std::string> sectionEntries(std::string_view section) const;
    // Each section name once, in the order of first appearance.
    std::vector<std::string> sectionNames() const;

    // Replaces the key's line in place, or adds it after the last key line of
    // its section, or adds the section with the key at the end.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the section's key lines and puts the given lines where the first
    // of them was (right after the header when there was none). Comments and
    // blank lines of the section stay.
    void replaceSection(std::string_view section, const std::vector<std::string>& lines);

    std::string text() const;

private:
    enum class Kind { Blank, Comment, Section, Key };
    struct Line {
        std::string raw;
        Kind kind = Kind::Blank;
        std::string name;
        std::optional<std::string> value; // nothing for a key line without "="
    };
    struct Range {
        size_t header;
        size_t end; // one past the section's last line
    };

    static Line parse(std::string raw, bool first);
    std::optional<Range> findSection(std::string_view section) const;
    std::optional<size_t> findKey(const Range& range, std::string_view key) const;
    void appendSection(std::string_view section, const std::vector<std::string>& lines);

    std::vector<Line> m_lines;
};

} // namespace wavemark
