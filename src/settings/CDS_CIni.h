#pragma once

#include "settings/ProfileService.h"

#include <optional>
#include <string>
#include <vector>

namespace wavemark {

// An array of texts indexed from lowerBound to upperBound(), the way the INI
// class's callers number their arrays. With no items, upperBound() is
// lowerBound - 1.
struct TextArray {
    int lowerBound = 0;
    std::vector<std::string> items;

    int upperBound() const { return lowerBound + static_cast<int>(items.size()) - 1; }
    const std::string& at(int index) const {
        return items.at(static_cast<size_t>(index - lowerBound));
    }

    bool operator==(const TextArray&) const = default;
};

// One INI file: reads and writes single keys and whole sections, and lists
// the section names. Every operation goes to the file, except the reads
// between Load() and Unload(), which answer from the file as Load() read it.
// Operations report success as a boolean and never throw; on failure the
// out-arguments keep what they held and LastErrorDescription() tells why. A
// later success leaves that text in place.
class CDS_CIni {
public:
    const std::string& Filename() const { return m_filename; }
    void Filename(const std::string& New_FileName) {
        m_filename = New_FileName;
        Unload();
    }
    const std::string& LastErrorDescription() const { return m_lastErrorDescription; }

    // A missing key and an empty value both fail, so a value put into psValue
    // beforehand stays as the fallback. Values longer than 254 characters
    // come back cut to 254.
    bool ReadValue(const std::string& psSection, const std::string& psKey, std::string& psValue);
    // The section's key lines split at their first "=", both arrays from
    // index 0 in file order. A line without "=" gives the whole line as key
    // and an empty value. An empty or missing section fails.
    bool ReadSection(const std::string& psSection, TextArray& psKeys, TextArray& psValues);
    bool WriteValue(const std::string& psSection, const std::string& psKey,
                    const std::string& psValue);
    // Leaves the file as one WriteValue call per entry would, but replaces it
    // once, not once per entry. An entry that WriteValue would refuse is left
    // out and the others are still written, but the call fails.
    bool WriteValues(const std::vector<ProfileString>& psEntries);
    // Replaces the section's key lines by the pairs psKeys(i)=psValues(i).
    // Both arrays must have the same bounds, lower and upper; two empty
    // arrays empty the section (its header, comments and blank lines stay).
    bool WriteSection(const std::string& psSection, const TextArray& psKeys,
                      const TextArray& psValues);
    bool Enum_SectionNames(TextArray& psSectionNames);

    // Reads and parses the file once for the reads that follow, so that
    // reading many keys costs one pass over the file. False, with the reason
    // in LastErrorDescription(), when the file cannot be read. A write or a
    // new file name ends it, as Unload() does.
    bool Load();
    void Unload() { m_loaded.reset(); }

private:
    bool CheckFilename();
    void StoreSystemError(int code);
    const ProfileSnapshot& file(std::optional<ProfileSnapshot>& fresh) const;

    std::string m_filename;
    std::optional<ProfileSnapshot> m_loaded;
    std::string m_lastErrorDescription;
};

} // namespace wavemark
