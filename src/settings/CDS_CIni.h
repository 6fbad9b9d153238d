#pragma once

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
// the section names. Every operation goes to the file; nothing is cached.
// Operations report success as a boolean and never throw; on failure the
// out-arguments keep what they held and LastErrorDescription() tells why. A
// later success leaves that text in place.
class CDS_CIni {
public:
    const std::string& Filename() const { return m_filename; }
    void Filename(const std::string& New_FileName) { m_filename = New_FileName; }
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
    // Replaces the section's key lines by the pairs psKeys(i)=psValues(i).
    // Both arrays must have the same bounds, lower and upper; two empty
    // arrays empty the section (its header, comments and blank lines stay).
    bool WriteSection(const std::string& psSection, const TextArray& psKeys,
                      const TextArray& psValues);
    bool Enum_SectionNames(TextArray& psSectionNames);

private:
    bool CheckFilename();
    void StoreSystemError(int code);

    std::string m_filename;
    std::string m_lastErrorDescription;
};

} // namespace wavemark
