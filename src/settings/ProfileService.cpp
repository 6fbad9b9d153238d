#include "settings/ProfileService.h"

#include "platform/AtomicFile.h"
#include "platform/ReadWholeFile.h"
#include "settings/IniDocument.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

namespace wavemark {
namespace {

bool breaksLines(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A line that would read back as a key line, not as a header or comment.
bool validKeyLine(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    return !breaksLines(line) &&
           (first == std::string_view::npos || (line[first] != '[' && line[first] != ';'));
}

ProfileRead copyValue(std::string_view value, std::span<char> buffer) {
    if (buffer.empty()) {
        return {};
    }
    const size_t length = std::min(value.size(), buffer.size() - 1);
    std::copy_n(value.begin(), length, buffer.begin());
    buffer[length] = '\0';
    return {length, 0};
}

ProfileRead copyList(const std::vector<std::string>& entries, std::span<char> buffer) {
    if (buffer.size() < 2) {
        std::ranges::fill(buffer, '\0');
        return {};
    }
    size_t position = 0;
    for (const auto& entry : entries) {
        if (position + entry.size() + 2 > buffer.size()) {
            const size_t room = buffer.size() - 2 - std::min(position, buffer.size() - 2);
            std::copy_n(entry.begin(), room,
                        buffer.begin() + static_cast<std::ptrdiff_t>(position));
            buffer[buffer.size() - 2] = '\0';
            buffer[buffer.size() - 1] = '\0';
            return {buffer.size() - 2, 0};
        }
        std::ranges::copy(entry, buffer.begin() + static_cast<std::ptrdiff_t>(position));
        position += entry.size();
        buffer[position++] = '\0';
    }
    buffer[position] = '\0';
    return {position, 0};
}

int changeFile(const std::string& path, const std::function<void(IniDocument&)>& change) {
    std::string contents;
    if (const int error = ReadWholeFile(path, contents); error != 0 && error != ENOENT) {
        return error;
    }
    IniDocument document(contents);
    change(document);
    return WriteFileAtomically(path, document.text());
}

std::string readOrEmpty(const std::string& path, int& error) {
    std::string contents;
    error = ReadWholeFile(path, contents);
    if (error != 0) {
        contents.clear();
    }
    return contents;
}

} // namespace

ProfileSnapshot::ProfileSnapshot(const std::string& path)
    : m_document(readOrEmpty(path, m_error)) {}

ProfileRead ProfileSnapshot::readString(std::string_view section, std::string_view key,
                                        std::span<char> buffer) const {
    if (m_error != 0) {
        copyValue({}, buffer);
        return {0, m_error};
    }
    return copyValue(m_document.value(section, key).value_or(""), buffer);
}

ProfileRead ProfileSnapshot::readSection(std::string_view section, std::span<char> buffer) const {
    if (m_error != 0) {
        copyList({}, buffer);
        return {0, m_error};
    }
    return copyList(m_document.sectionEntries(section), buffer);
}

ProfileRead ProfileSnapshot::readSectionNames(std::span<char> buffer) const {
    if (m_error != 0) {
        copyList({}, buffer);
        return {0, m_error};
    }
    return copyList(m_document.sectionNames(), buffer);
}

bool IsWritableSection(std::string_view section) {
    return !breaksLines(section) && section.find(']') == std::string_view::npos;
}

bool IsWritablePair(std::string_view key, std::string_view value) {
    return validKeyLine(key) && key.find('=') == std::string_view::npos && !breaksLines(value);
}

int WriteProfileStrings(std::span<const ProfileString> strings, const std::string& path) {
    std::vector<const ProfileString*> writable;
    for (const ProfileString& entry : strings) {
        if (IsWritableSection(entry.section) && IsWritablePair(entry.key, entry.value)) {
            writable.push_back(&entry);
        }
    }
    const int refused = writable.size() < strings.size() ? EINVAL : 0;
    if (writable.empty()) {
        return refused;
    }
    const int error = changeFile(path, [&](IniDocument& document) {
        for (const ProfileString* entry : writable) {
            document.setValue(entry->section, entry->key, entry->value);
        }
    });
    return error != 0 ? error : refused;
}

int WriteProfileSection(std::string_view section, std::string_view lines, const std::string& path) {
    std::vector<std::string> entries;
    for (size_t start = 0; start < lines.size();) {
        const auto end = std::min(lines.find('\0', start), lines.size());
        if (end == start) {
            break;
        }
        entries.emplace_back(lines.substr(start, end - start));
        start = end + 1;
    }
    if (!IsWritableSection(section) || !std::ranges::all_of(entries, validKeyLine)) {
        return EINVAL;
    }
    return changeFile(path,
                      [&](IniDocument& document) { document.replaceSection(section, entries); });
}

} // namespace wavemark
