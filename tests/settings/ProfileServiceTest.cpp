#include "ProfileService.h"
#include "CDS_CIni.h"
#include "IniTestFolder.h"

#include <array>
#include <cerrno>

namespace wavemark {
namespace {

using test::IniTestFolder;

class ProfileServiceTest : public IniTestFolder {};
using test::SameBytes;

struct HandEdited {
    const char* name;
    const char* contents;
    const char* section;
    const char* key;
    const char* expected;
    friend void PrintTo(const HandEdited& c, std::ostream* out) { *out << c.name; }
};

class HandEditedRead : public IniTestFolder, public testing::WithParamInterface<HandEdited> {};

TEST_P(HandEditedRead, FindsTheValue) {
    const HandEdited& c = GetParam();
    CDS_CIni ini;
    ini.Filename(write("t.ini", c.contents));
    std::string value;
    EXPECT_TRUE(ini.ReadValue(c.section, c.key, value));
    EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandEditedRead,
    testing::Values(
        HandEdited{"LfOnly", "[A]\nk=1\n[S]\nk=2\n", "S", "k", "2"},
        HandEdited{"CrOnly", "[A]\rk=1\r[S]\rk=2", "S", "k", "2"},
        HandEdited{"NoFinalLineEnd", "[S]\r\nk=last", "S", "k", "last"},
        HandEdited{"BlanksAroundEverything", "  [ S ]  \n\t k \t=  a b  \n", "S", "k", "a b"},
        HandEdited{"OtherLetterCase", "[inputpath]\nINPUTTEXTFILE=x\n", "InputPath",
                   "InputTextFile", "x"},
        HandEdited{"SemicolonEqualsQuotes", "[S]\nk=\"a;b\"=c ;d\n", "S", "k", "\"a;b\"=c ;d"},
        HandEdited{"FirstDuplicateKeyWins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
        HandEdited{"FirstDuplicateSectionWins", "[S]\nk=1\n[S]\nk=2\nj=3\n", "S", "k", "1"},
        HandEdited{"ByteOrderMark", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "1"},
        HandEdited{"Utf8Value", "[S]\nk=Caf\xC3\xA9 \xE2\x82\xAC\n", "S", "k",
                   "Caf\xC3\xA9 \xE2\x82\xAC"}),
    [](const auto& info) { return std::string(info.param.name); });

// A later write changes only the lines it must: unknown sections, keys,
// comments, blank lines and their order survive; lines end in CR LF.
TEST_F(ProfileServiceTest, WritesLeaveAHandEditedFileIntact) {
    const std::string path = write("t.ini", "; my settings\n"
                                            "orphan=1\n"
                                            "[Options]\n"
                                            "  apfilter = old  \n"
                                            "Mine=keep\n"
                                            "; trailing note\n"
                                            "\n"
                                            "[Extra]\n"
                                            "x=y");
    CDS_CIni ini;
    ini.Filename(path);
    EXPECT_TRUE(ini.WriteValue("OPTIONS", "APFilter", "a,b"));
    EXPECT_TRUE(ini.WriteValue("Options", "NoWEPCheck", "1"));
    EXPECT_TRUE(ini.WriteValue("Extra", "orphan", "2"));
    EXPECT_TRUE(ini.WriteValue("Tracks", "TLineWep", "2"));
    EXPECT_TRUE(SameBytes("; my settings\r\n"
                          "orphan=1\r\n"
                          "[Options]\r\n"
                          "APFilter=a,b\r\n"
                          "Mine=keep\r\n"
                          "NoWEPCheck=1\r\n"
                          "; trailing note\r\n"
                          "\r\n"
                          "[Extra]\r\n"
                          "x=y\r\n"
                          "orphan=2\r\n"
                          "[Tracks]\r\n"
                          "TLineWep=2\r\n",
                          read(path)));
}

TEST_F(ProfileServiceTest, WritesThatWouldBreakTheFileAreRefused) {
    const std::string before = "[S]\r\nk=1\r\n";
    const std::string path = write("t.ini", before);
    for (const auto& [section, key, value] :
         std::array<std::array<std::string_view, 3>, 5>{{{"S", "k", "1\r\n[X]"},
                                                         {"S", "a=b", "1"},
                                                         {"S", ";k", "1"},
                                                         {"S]", "k", "1"},
                                                         {"S", "k", {"a\0b", 3}}}}) {
        EXPECT_EQ(WriteProfileString(section, key, value, path), EINVAL) << key << value;
    }
    EXPECT_EQ(WriteProfileSection("S", {"a=1\0[X]\0", 8}, path), EINVAL);
    EXPECT_EQ(read(path), before);
}

TEST_F(ProfileServiceTest, AFolderInPlaceOfTheFileIsNeitherReadNorReplaced) {
    std::filesystem::create_directory(file("t.ini"));
    std::array<char, 255> buffer{};
    EXPECT_EQ(ReadProfileString("S", "k", buffer, file("t.ini")).error, EISDIR);
    EXPECT_EQ(WriteProfileString("S", "k", "v", file("t.ini")), EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(file("t.ini")));
}

TEST_F(ProfileServiceTest, ListsThatDoNotFitAreCutWithTwoNuls) {
    const std::string path = write("t.ini", "[S]\nab=1\ncd=2\n");
    std::array<char, 9> buffer{};
    buffer.fill('#');
    const ProfileRead read = ReadProfileSection("S", buffer, path);
    EXPECT_EQ(read.length, 7u);
    EXPECT_EQ(std::string(buffer.data(), buffer.size()), std::string("ab=1\0cd\0\0", 9));
}

} // namespace
} // namespace wavemark
