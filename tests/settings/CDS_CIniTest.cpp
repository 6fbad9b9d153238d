#include "settings/CDS_CIni.h"
#include "settings/IniDocument.h"

#include "SameBytes.h"
#include "TempFolder.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace wavemark {
namespace {

using Texts = std::array<std::string, 3>;

class CDS_CIniTest : public testing::Test {
protected:
    CDS_CIniTest() { ini.Filename(folder.file("t.ini")); }
    void write(std::string_view bytes) const { folder.write("t.ini", bytes); }
    std::string contents() const { return test::ReadBytes(ini.Filename()); }
    // The value read, or "(failed, X)" where X is what is left of the fallback.
    std::string read(const std::string& section, const std::string& key) {
        std::string value = "fallback";
        return ini.ReadValue(section, key, value) ? value : "(failed, " + value + ")";
    }

    test::TempFolder folder;
    CDS_CIni ini;
};

// No name fails every operation; a folder cannot be written, not even by root.
TEST_F(CDS_CIniTest, UnusablePathFailsWithItsReason) {
    ini.Filename("");
    std::string value;
    TextArray texts;
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_FALSE(ini.ReadSection("S", texts, texts));
    EXPECT_FALSE(ini.WriteValue("S", "k", "v"));
    EXPECT_FALSE(ini.WriteSection("S", texts, texts));
    EXPECT_FALSE(ini.Enum_SectionNames(texts));
    EXPECT_EQ(ini.LastErrorDescription(), "No filename specified");
    std::filesystem::create_directory(folder.file("t.ini"));
    ini.Filename(folder.file("t.ini"));
    EXPECT_FALSE(ini.WriteValue("S", "k", "v"));
    EXPECT_EQ(ini.LastErrorDescription(), std::strerror(EISDIR));
}

// A line break or NUL, "=" in a key, ";" before a key or "]" in a section would change the
// file's structure: all writes refuse it, WriteValues writing the other entries.
TEST_F(CDS_CIniTest, WritesThatWouldBreakTheFileAreRefused) {
    for (const auto& [section, key, value] :
         {Texts{"S", "k", "1\r\n[X]"}, Texts{"S", "k", std::string("a\0b", 3)},
          Texts{"S", std::string("a\0b", 3), "1"}, Texts{"S", std::string("\0k", 2), "1"},
          Texts{"S", "a=b", "1"}, Texts{"S", ";k", "1"}, Texts{"S]", "k", "1"}}) {
        SCOPED_TRACE(section + "|" + key + "|" + value);
        write("[S]\r\nk=1\r\n");
        EXPECT_FALSE(ini.WriteValue(section, key, value));
        EXPECT_EQ(ini.LastErrorDescription(), std::strerror(EINVAL));
        EXPECT_FALSE(
            ini.WriteSection(section, TextArray{0, {"ok", key}}, TextArray{0, {"1", value}}));
        EXPECT_EQ(ini.LastErrorDescription(), std::strerror(EINVAL));
        EXPECT_EQ(contents(), "[S]\r\nk=1\r\n");
        EXPECT_FALSE(ini.WriteValues({{section, key, value}, {"S", "j", "2"}}));
        EXPECT_EQ(contents(), "[S]\r\nk=1\r\nj=2\r\n");
    }
}

// A hand-edited file: BOM, CR and LF line ends, blanks, letter case, comments, duplicates
// (the first wins), ";" and quotes in a value. A failed read keeps the fallback and its
// error text stays after a success. Between Load() and Unload() reads use one parse.
TEST_F(CDS_CIniTest, HandEditedFileIsRead) {
    EXPECT_EQ(read("S", "k"), "(failed, fallback)");
    EXPECT_EQ(ini.LastErrorDescription(), std::strerror(ENOENT));
    write("\xEF\xBB\xBF[T]\rt=0\r  [ S ]  \n a \t= b=c \n; c=1\nk= \t\nbare\nQ=\"x;y\"\nA=2\n"
          "[s]\nz=1\n[u]\r\nU=Caf\xC3\xA9 \xE2\x82\xAC");
    for (const auto& [section, key] : {std::pair{"S", "c"}, {"S", "k"}, {"S", "z"}, {"X", "a"}}) {
        EXPECT_EQ(read(section, key), "(failed, fallback)") << section << key;
        EXPECT_EQ(ini.LastErrorDescription(), "An unknown error has occured");
    }
    TextArray keys;
    TextArray values;
    ASSERT_TRUE(ini.ReadSection(" s\t", keys, values));
    EXPECT_EQ(keys, (TextArray{0, {"a", "k", "bare", "Q", "A"}}));
    EXPECT_EQ(values, (TextArray{0, {"b=c", "", "", "\"x;y\"", "2"}}));
    EXPECT_EQ(read(" T\t", " t "), "0");
    EXPECT_EQ(read("S", "A"), "b=c");
    EXPECT_EQ(read("U", "u"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(ini.LastErrorDescription(), "An unknown error has occured");
    TextArray names{3, {"old"}};
    ASSERT_TRUE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (TextArray{0, {"T", "S", "u"}}));
    ASSERT_TRUE(ini.Load());
    write("");
    EXPECT_EQ(read("S", "A"), "b=c");
    ini.Unload();
    EXPECT_FALSE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (TextArray{0, {"T", "S", "u"}}));
    ASSERT_TRUE(ini.Load());
    EXPECT_TRUE(ini.WriteValue("S", "j", "3"));
    EXPECT_EQ(read("S", "j"), "3");
}

// A write changes only the lines it must, the first of duplicates; a new key follows its
// section's last key, WriteSection's keys stand where the first old one was; CR LF ends.
TEST_F(CDS_CIniTest, WritesLeaveAHandEditedFileIntact) {
    write("; my settings\norphan=1\n[Options]\n  apfilter = old  \nMine=keep\nAPFILTER=dup\n"
          "; trailing note\n\n[S]\n; keep\nold=1\n\nold2=2\n[B]\ny=2\n; note\n[Extra]\nx=y\n"
          "[options]\nnowepcheck=0");
    EXPECT_TRUE(ini.WriteValue(" OPTIONS\t", "APFilter ", "a,b"));
    EXPECT_TRUE(ini.WriteValue("Extra ", "orphan", "2"));
    EXPECT_TRUE(ini.WriteValues({{"Options", " NoWEPCheck", "1"},
                                 {"\tTracks", "TLineWep\t", "2"},
                                 {"Tracks", "TLineNoWep", "3"}}));
    EXPECT_TRUE(ini.WriteSection(" s ", TextArray{5, {"a", "b"}}, TextArray{5, {"1=2", ""}}));
    EXPECT_TRUE(ini.WriteSection("B", TextArray{}, TextArray{}));
    EXPECT_TRUE(ini.WriteSection("New ", TextArray{}, TextArray{}));
    const std::string expected =
        "; my settings\r\norphan=1\r\n[Options]\r\nAPFilter=a,b\r\nMine=keep\r\nAPFILTER=dup\r\n"
        "NoWEPCheck=1\r\n; trailing note\r\n\r\n[S]\r\n; keep\r\na=1=2\r\nb=\r\n\r\n[B]\r\n"
        "; note\r\n[Extra]\r\nx=y\r\norphan=2\r\n[options]\r\nnowepcheck=0\r\n[Tracks]\r\n"
        "TLineWep=2\r\nTLineNoWep=3\r\n[New]\r\n";
    EXPECT_TRUE(test::SameBytes(expected, contents()));
    EXPECT_EQ(read("Options", "orphan"), "(failed, fallback)");
    for (const TextArray& bad : {TextArray{5, {"1", "2", "3"}}, TextArray{6, {"1", "2"}}}) {
        EXPECT_FALSE(ini.WriteSection("S", TextArray{5, {"a", "b"}}, bad));
        EXPECT_EQ(ini.LastErrorDescription(), "Key array and Value array must be of the same size");
    }
    EXPECT_EQ(contents(), expected);
}

// A-Z match their other case in names; "@" and "[", next to the letters, stay apart.
TEST(IniNames, EveryLetterMatchesInEitherCase) {
    std::vector<std::pair<char, bool>> rows{{'@', false}, {'[', false}};
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        rows.emplace_back(letter, true);
    }
    for (const auto& [upperChar, isLetter] : rows) {
        const std::string upper(1, upperChar);
        const std::string lower(1, static_cast<char>(upperChar - 'A' + 'a'));
        SCOPED_TRACE(upper + lower);
        const IniDocument document("[x" + upper + "]\nk" + upper + "=1\nk" + lower + "=2\n[x" +
                                   lower + "]\nk" + lower + "=3\n");
        EXPECT_EQ(document.value("x" + lower, "k" + lower), isLetter ? "1" : "3");
        EXPECT_EQ(document.value("x" + upper, "k" + lower), isLetter ? "1" : "2");
        EXPECT_EQ(document.sectionNames(),
                  (isLetter ? std::vector{"x" + upper} : std::vector{"x" + upper, "x" + lower}));
    }
}

} // namespace
} // namespace wavemark
