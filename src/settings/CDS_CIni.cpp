#include "settings/CDS_CIni.h"

#include "platform/ReadWholeFile.h"
#include "settings/ProfileService.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace wavemark {
namespace {

constexpr size_t kValueBufferSize = 255;
constexpr size_t kListBufferSize = 32767;

// The entries of a list the profile service filled: each ends at a NUL, and
// after the first one an entry counts only when its NUL lies within the
// `length` characters the service reported, which drops an entry the
// service had to cut.
std::vector<std::string> listEntries(const std::vector<char>& buffer, size_t length) {
    const std::string_view list(buffer.data(), buffer.size());
    std::vector<std::string> entries;
    size_t start = 0;
    size_t nul = list.find('\0');
    while (nul != std::string_view::npos) {
        entries.emplace_back(list.substr(start, nul - start));
        start = nul + 1;
        nul = list.find('\0', start);
        if (nul >= length) {
            nul = std::string_view::npos;
        }
    }
    return entries;
}

} // namespace

bool CDS_CIni::ReadValue(const std::string& psSection, const std::string& psKey,
                         std::string& psValue) {
    if (!CheckFilename()) {
        return false;
    }
    std::array<char, kValueBufferSize> buffer{};
    std::optional<ProfileSnapshot> fresh;
    const ProfileRead read = file(fresh).readString(psSection, psKey, buffer);
    if (read.length == 0) {
        StoreSystemError(read.error);
        return false;
    }
    psValue.assign(buffer.data(), std::strlen(buffer.data()));
    return true;
}

bool CDS_CIni::ReadSection(const std::string& psSection, TextArray& psKeys, TextArray& psValues) {
    if (!CheckFilename()) {
        return false;
    }
    std::vector<char> buffer(kListBufferSize);
    std::optional<ProfileSnapshot> fresh;
    const ProfileRead read = file(fresh).readSection(psSection, buffer);
    if (read.length == 0) {
        StoreSystemError(read.error);
        return false;
    }
    TextArray keys;
    TextArray values;
    for (const auto& line : listEntries(buffer, read.length)) {
        const auto equals = line.find('=');
        keys.items.push_back(line.substr(0, equals));
        values.items.push_back(equals == std::string::npos ? "" : line.substr(equals + 1));
    }
    psKeys = std::move(keys);
    psValues = std::move(values);
    return true;
}

bool CDS_CIni::WriteValue(const std::string& psSection, const std::string& psKey,
                          const std::string& psValue) {
    return WriteValues({{psSection, psKey, psValue}});
}

bool CDS_CIni::WriteValues(const std::vector<ProfileString>& psEntries) {
    if (!CheckFilename()) {
        return false;
    }
    Unload();
    if (const int error = WriteProfileStrings(psEntries, m_filename)) {
        StoreSystemError(error);
        return false;
    }
    return true;
}

bool CDS_CIni::WriteSection(const std::string& psSection, const TextArray& psKeys,
                            const TextArray& psValues) {
    if (!CheckFilename()) {
        return false;
    }
    if (psKeys.lowerBound != psValues.lowerBound || psKeys.upperBound() != psValues.upperBound()) {
        m_lastErrorDescription = "Key array and Value array must be of the same size";
        return false;
    }
    // Each pair is checked as WriteValue checks it: a NUL would split or end
    // the list, and "=" in a key would move the rest into the value.
    std::string lines;
    for (int i = psKeys.lowerBound; i <= psKeys.upperBound(); ++i) {
        if (!IsWritablePair(psKeys.at(i), psValues.at(i))) {
            StoreSystemError(EINVAL);
            return false;
        }
        lines += psKeys.at(i) + "=" + psValues.at(i);
        lines += '\0';
    }
    Unload();
    if (const int error = WriteProfileSection(psSection, lines, m_filename)) {
        StoreSystemError(error);
        return false;
    }
    return true;
}

bool CDS_CIni::Enum_SectionNames(TextArray& psSectionNames) {
    if (!CheckFilename()) {
        return false;
    }
    std::vector<char> buffer(kListBufferSize);
    std::optional<ProfileSnapshot> fresh;
    const ProfileRead read = file(fresh).readSectionNames(buffer);
    if (read.length == 0) {
        StoreSystemError(read.error);
        return false;
    }
    psSectionNames = TextArray{0, listEntries(buffer, read.length)};
    return true;
}

bool CDS_CIni::Load() {
    if (!CheckFilename()) {
        return false;
    }
    m_loaded.emplace(m_filename);
    if (const int error = m_loaded->error()) {
        m_loaded.reset();
        // Only the reading can fail here: a device is named as what it is.
        m_lastErrorDescription = ReadErrorText(error);
        return false;
    }
    return true;
}

const ProfileSnapshot& CDS_CIni::file(std::optional<ProfileSnapshot>& fresh) const {
    return m_loaded ? *m_loaded : fresh.emplace(m_filename);
}

bool CDS_CIni::CheckFilename() {
    if (m_filename.empty()) {
        m_lastErrorDescription = "No filename specified";
        return false;
    }
    return true;
}

void CDS_CIni::StoreSystemError(int code) {
    m_lastErrorDescription = code == 0 ? "An unknown error has occured" : std::strerror(code);
}

} // namespace wavemark
