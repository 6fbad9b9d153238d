#include "CDS_CIni.h"
#include "IniTestFolder.h"

#include <cerrno>
#include <cstring>

namespace wavemark {
namespace {

using test::IniTestFolder;

class CDS_CIniTest : public IniTestFolder {
protected:
    CDS_CIni iniFor(const std::string& path) {
        CDS_CIni ini;
        ini.Filename(path);
        return ini;
    }
};

TEST_F(CDS_CIniTest, EmptyFilenameFailsEveryOperationAndTouchesNothing) {
    CDS_CIni ini;
    std::string value = "fallback";
    TextArray keys{1, {"k"}};
    TextArray values{1, {"v"}};
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_FALSE(ini.ReadSection("S", keys, values));
    EXPECT_FALSE(ini.WriteValue("S", "k", "v"));
    EXPECT_FALSE(ini.WriteSection("S", keys, values));
    EXPECT_FALSE(ini.Enum_SectionNames(keys));
    EXPECT_EQ(ini.LastErrorDescription(), "No filename specified");
    EXPECT_EQ(value, "fallback");
    EXPECT_EQ(keys, (TextArray{1, {"k"}}));
    EXPECT_EQ(values, (TextArray{1, {"v"}}));
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
}

struct FailedRead {
    const char* name;
    const char* contents; // nullptr: no file
    const char* expectedError;
    friend void PrintTo(const FailedRead& c, std::ostream* out) { *out << c.name; }
};

class ReadValueFailure : public CDS_CIniTest, public testing::WithParamInterface<FailedRead> {};

TEST_P(ReadValueFailure, KeepsTheFallback) {
    const FailedRead& c = GetParam();
    CDS_CIni ini = iniFor(c.contents ? write("t.ini", c.contents) : file("t.ini"));
    std::string value = "fallback";
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(value, "fallback");
    EXPECT_EQ(ini.LastErrorDescription(), c.expectedError);
}

const char* const kUnknown = "An unknown error has occured";
INSTANTIATE_TEST_SUITE_P(Cases, ReadValueFailure,
                         testing::Values(FailedRead{"NoFile", nullptr, std::strerror(ENOENT)},
                                         FailedRead{"NoSection", "[T]\r\nk=1\r\n", kUnknown},
                                         FailedRead{"NoKey", "[S]\r\nj=1\r\n", kUnknown},
                                         FailedRead{"EmptyValue", "[S]\r\nk=\r\n", kUnknown},
                                         FailedRead{"BlankValue", "[S]\r\nk =  \t\r\n", kUnknown},
                                         FailedRead{"KeyBeforeAnySection", "k=1\r\n[S]\r\n",
                                                    kUnknown},
                                         FailedRead{"CommentedOut", "[S]\r\n;k=1\r\n", kUnknown}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CDS_CIniTest, LongValueComesBackCutTo254Characters) {
    const std::string longValue(300, 'x');
    CDS_CIni ini = iniFor(file("t.ini"));
    ASSERT_TRUE(ini.WriteValue("S", "k", longValue));
    std::string value;
    EXPECT_TRUE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(value, longValue.substr(0, 254));
}

TEST_F(CDS_CIniTest, WriteValueCreatesTheFile) {
    CDS_CIni ini = iniFor(file("new.ini"));
    EXPECT_TRUE(ini.WriteValue("Section", "Key", "a = b; \"c\""));
    EXPECT_EQ(read(file("new.ini")), "[Section]\r\nKey=a = b; \"c\"\r\n");
}

TEST_F(CDS_CIniTest, WriteIntoAMissingOrBlockedFolderFailsWithTheSystemText) {
    write("plain", "x");
    for (const auto& [path, code] :
         {std::pair{file("missing/t.ini"), ENOENT}, std::pair{file("plain/sub/t.ini"), ENOTDIR}}) {
        CDS_CIni ini = iniFor(path);
        EXPECT_FALSE(ini.WriteValue("S", "k", "v")) << path;
        EXPECT_EQ(ini.LastErrorDescription(), std::strerror(code)) << path;
    }
}

TEST_F(CDS_CIniTest, ErrorTextSurvivesALaterSuccess) {
    CDS_CIni ini = iniFor(write("t.ini", "[S]\r\nk=1\r\n"));
    std::string value;
    EXPECT_FALSE(ini.ReadValue("S", "missing", value));
    EXPECT_TRUE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), kUnknown);
}

TEST_F(CDS_CIniTest, ReadSectionSplitsAtTheFirstEquals) {
    CDS_CIni ini = iniFor(write("t.ini", "[S]\n a = b=c \n; note\nk=\nbare\n[T]\nx=1\n"));
    TextArray keys;
    TextArray values;
    ASSERT_TRUE(ini.ReadSection("s", keys, values));
    EXPECT_EQ(keys, (TextArray{0, {"a", "k", "bare"}}));
    EXPECT_EQ(values, (TextArray{0, {"b=c", "", ""}}));
}

TEST_F(CDS_CIniTest, WriteSectionRefusesArraysOfOtherBounds) {
    const std::string before = "[S]\r\nold=1\r\n";
    CDS_CIni ini = iniFor(write("t.ini", before));
    const TextArray keys{0, {"a", "b", "c"}};
    for (const TextArray& values : {TextArray{0, {"1", "2", "3", "4"}}, TextArray{1, {"1", "2"}}}) {
        EXPECT_FALSE(ini.WriteSection("S", keys, values));
        EXPECT_EQ(ini.LastErrorDescription(), "Key array and Value array must be of the same size");
        EXPECT_EQ(read(file("t.ini")), before);
    }
}

TEST_F(CDS_CIniTest, WriteSectionReplacesKeysAndKeepsComments) {
    CDS_CIni ini = iniFor(write("t.ini", "[A]\nx=1\n[S]\n; keep\nold=1\n\nold2=2\n[B]\ny=2\n"));
    EXPECT_TRUE(ini.WriteSection("S", TextArray{5, {"a", "b"}}, TextArray{5, {"1=2", ""}}));
    EXPECT_EQ(read(file("t.ini")),
              "[A]\r\nx=1\r\n[S]\r\n; keep\r\na=1=2\r\nb=\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_TRUE(ini.WriteSection("S", TextArray{}, TextArray{}));
    EXPECT_TRUE(ini.WriteSection("New", TextArray{}, TextArray{}));
    EXPECT_EQ(read(file("t.ini")), "[A]\r\nx=1\r\n[S]\r\n; keep\r\n\r\n[B]\r\ny=2\r\n[New]\r\n");
}

TEST_F(CDS_CIniTest, EnumSectionNamesListsEachSectionOnceInFileOrder) {
    CDS_CIni ini = iniFor(write("t.ini", "k=0\n[B]\n[ A ]\nx=1\n[b]\n"));
    TextArray names{3, {"old"}};
    ASSERT_TRUE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (TextArray{0, {"B", "A"}}));
    ini.Filename(write("empty.ini", ""));
    EXPECT_FALSE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (TextArray{0, {"B", "A"}}));
}

} // namespace
} // namespace wavemark
