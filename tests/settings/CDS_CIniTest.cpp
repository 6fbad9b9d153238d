#include "CDS_CIni.h"
#include "SameBytes.h"
#include "SettingsTable.h"
#include "TempFolder.h"
#include "UnreadableFiles.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace wavemark {
namespace {

const std::string kUnknown = "An unknown error has occured";
using Texts = std::array<std::string, 3>;

class CDS_CIniTest : public testing::Test {
protected:
    CDS_CIniTest() { ini.Filename(folder.file("t.ini")); }
    void write(std::string_view bytes) const { folder.write("t.ini", bytes); }
    std::string contents() const { return test::ReadBytes(ini.Filename()); }
    // The value ReadValue gives, or "(failed)".
    std::string read(const std::string& section, const std::string& key) {
        std::string value;
        return ini.ReadValue(section, key, value) ? value : "(failed)";
    }

    test::TempFolder folder;
    CDS_CIni ini;
};

TEST_F(CDS_CIniTest, EmptyFilenameFailsEveryOperationAndCreatesNoFile) {
    // An empty path would resolve against the working folder: make it ours.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    ini.Filename("");
    std::string value = "fallback";
    TextArray keys{1, {"k"}};
    TextArray values{1, {"v"}};
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_FALSE(ini.ReadSection("S", keys, values));
    EXPECT_FALSE(ini.WriteValue("S", "k", "v"));
    EXPECT_FALSE(ini.WriteSection("S", keys, values));
    EXPECT_FALSE(ini.Enum_SectionNames(keys));
    std::filesystem::current_path(previous);
    EXPECT_EQ(ini.LastErrorDescription(), "No filename specified");
    EXPECT_EQ(value, "fallback");
    EXPECT_EQ(keys, (TextArray{1, {"k"}}));
    EXPECT_EQ(values, (TextArray{1, {"v"}}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// No file, no section, no key, an empty or blank value, a key before any
// section, a commented-out key; the error text then stays through a success.
TEST_F(CDS_CIniTest, FailedReadKeepsTheFallbackAndItsErrorText) {
    std::string value = "fallback";
    EXPECT_FALSE(ini.ReadValue("S", "k", value));
    EXPECT_EQ(ini.LastErrorDescription(), std::strerror(ENOENT));
    for (const char* file :
         {"[T]\nk=1\n", "[S]\nj=1\n", "[S]\nk=\n", "[S]\nk =  \t\n", "k=1\n[S]\n", "[S]\n;k=1\n"}) {
        SCOPED_TRACE(file);
        write(file);
        EXPECT_FALSE(ini.ReadValue("S", "k", value));
        EXPECT_EQ(value, "fallback");
        EXPECT_EQ(ini.LastErrorDescription(), kUnknown);
    }
    write("[S]\nk=1\n");
    EXPECT_EQ(read("S", "k"), "1");
    EXPECT_EQ(ini.LastErrorDescription(), kUnknown);
}

// Tests run as root, so permission bits would not stop a write: use paths
// the system refuses whoever asks.
TEST_F(CDS_CIniTest, UnwritablePathFailsWithTheSystemText) {
    folder.write("plain", "x");
    std::filesystem::create_directory(folder.file("dir.ini"));
    for (const auto& [path, code] :
         {std::pair{PathInFolder(folder.file("missing"), "t.ini"), ENOENT},
          std::pair{PathInFolder(folder.file("plain"), "t.ini"), test::kThroughAFileError},
          std::pair{folder.file("dir.ini"), EISDIR}}) {
        SCOPED_TRACE(path);
        ini.Filename(path);
        EXPECT_FALSE(ini.WriteValue("S", "k", "v"));
        EXPECT_EQ(ini.LastErrorDescription(), std::strerror(code));
    }
}

// A line break or NUL, "=" in a key, ";" before a key or "]" in a section name
// would change the file's structure when read back; WriteSection refuses
// exactly what WriteValue refuses, and both leave the file as it was.
// WriteValues leaves out just the refused entry.
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

// Between Load() and Unload() (or a write) reads answer from one parse.
TEST_F(CDS_CIniTest, LoadedFileAnswersReadsUntilUnloaded) {
    write("[S]\r\nk=1\r\n");
    ASSERT_TRUE(ini.Load());
    write("[S]\r\nk=2\r\n");
    EXPECT_EQ(read("S", "k"), "1");
    ini.Unload();
    EXPECT_EQ(read("S", "k"), "2");
    ASSERT_TRUE(ini.Load());
    EXPECT_TRUE(ini.WriteValue("S", "j", "3"));
    EXPECT_EQ(read("S", "j"), "3");
}

// One hand-edited file: byte order mark, CR-only and LF-only line ends, no
// final line end, blanks around names and "=", other letter case, comments,
// a duplicate key and section (the first wins), ";" and quotes in a value.
// Blanks around a name asked for are ignored on every path, as in the file.
TEST_F(CDS_CIniTest, HandEditedFileIsRead) {
    write("\xEF\xBB\xBF[T]\rt=0\r  [ S ]  \n a \t= b=c \n; c=1\nk=\nbare\nQ=\"x;y\"\nA=2\n"
          "[s]\nz=1\n[u]\r\nU=Caf\xC3\xA9 \xE2\x82\xAC");
    TextArray keys;
    TextArray values;
    ASSERT_TRUE(ini.ReadSection(" s\t", keys, values));
    EXPECT_EQ(keys, (TextArray{0, {"a", "k", "bare", "Q", "A"}}));
    EXPECT_EQ(values, (TextArray{0, {"b=c", "", "", "\"x;y\"", "2"}}));
    EXPECT_EQ(read(" T\t", " t "), "0");
    EXPECT_EQ(read("S", "A"), "b=c");
    EXPECT_EQ(read("U", "u"), "Caf\xC3\xA9 \xE2\x82\xAC");
    TextArray names{3, {"old"}};
    ASSERT_TRUE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (TextArray{0, {"T", "S", "u"}}));
    write("");
    EXPECT_FALSE(ini.Enum_SectionNames(names));
    EXPECT_EQ(names, (TextArray{0, {"T", "S", "u"}}));
}

// A write changes only the lines it must: unknown sections, keys, comments,
// blank lines and their order stay; the first of two keys or sections of a
// name is written; a new key goes after the last key line of its section,
// and WriteSection puts its key lines where the first old one was; every
// line ends in CR LF. WriteValues gives what WriteValue one by one gives.
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
    for (const TextArray& bad : {TextArray{5, {"1", "2", "3"}}, TextArray{6, {"1", "2"}}}) {
        EXPECT_FALSE(ini.WriteSection("S", TextArray{5, {"a", "b"}}, bad));
        EXPECT_EQ(ini.LastErrorDescription(), "Key array and Value array must be of the same size");
    }
    EXPECT_EQ(contents(), expected);
}

} // namespace
} // namespace wavemark
