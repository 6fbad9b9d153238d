#include "SettingsFile.h"
#include "IniTestFolder.h"
#include "SettingsTable.h"

#include <cerrno>
#include <cstring>

namespace wavemark {
namespace {

using test::IniTestFolder;

class SettingsFileTest : public IniTestFolder {};

TEST_F(SettingsFileTest, FirstStartWritesDefaultsAndLaterStartsReadWhatCloseStored) {
    const std::string user = file("user");
    SettingsFile first(folder(), user);
    EXPECT_EQ(first.path(), file("Wavemark.ini"));
    const StartUpResult start = first.startUp();
    EXPECT_TRUE(start.firstStart);
    EXPECT_EQ(start.settings, FirstStartSettings(folder()));
    EXPECT_TRUE(std::filesystem::is_regular_file(first.path()));

    Settings changed = start.settings;
    changed.APFilter = "";
    changed.WPFontColor = 4227072;
    changed.TLineWep = 17;
    EXPECT_TRUE(first.shutDown(changed));

    const StartUpResult again = SettingsFile(folder(), user).startUp();
    EXPECT_FALSE(again.firstStart);
    EXPECT_EQ(again.settings, changed);
    EXPECT_FALSE(std::filesystem::exists(user));
}

TEST_F(SettingsFileTest, UnwritableProgramFolderFallsBackToTheUserFolder) {
    write("plain", "x");
    const std::string user = file("config/Wavemark");
    SettingsFile settings(file("plain/bin"), user);
    EXPECT_EQ(settings.path(), user + "/Wavemark.ini");
    EXPECT_TRUE(settings.startUp().firstStart);
    EXPECT_TRUE(std::filesystem::is_regular_file(user + "/Wavemark.ini"));
    EXPECT_FALSE(SettingsFile(file("plain/bin"), user).startUp().firstStart);
}

TEST_F(SettingsFileTest, AFolderNamedLikeTheFileMeansFirstStartEveryTime) {
    std::filesystem::create_directory(file("Wavemark.ini"));
    SettingsFile settings(folder(), file("user"));
    EXPECT_TRUE(settings.startUp().firstStart);
    EXPECT_FALSE(settings.shutDown(FirstStartSettings(folder())));
    EXPECT_EQ(settings.lastError(), std::strerror(EISDIR));
    EXPECT_TRUE(settings.startUp().firstStart);
}

TEST_F(SettingsFileTest, LoadSettingsFileReadsOverTheCallersValues) {
    const std::string path = write("opts.ini", "[Options]\nAPFilter=x,y\n[Tracks]\nTLineWep=3\n");
    Settings settings = FirstStartSettings("/opt/wavemark");
    Settings expected = settings;
    expected.APFilter = "x,y";
    expected.TLineWep = 3;
    std::string error;
    EXPECT_TRUE(LoadSettingsFile(path, settings, error));
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(error, "");
}

TEST_F(SettingsFileTest, LoadSettingsFileNamesTheFileAndTheReasonWhenItCannotRead) {
    std::filesystem::create_directory(file("dir.ini"));
    for (const auto& [path, code] :
         {std::pair{file("missing.ini"), ENOENT}, std::pair{file("dir.ini"), EISDIR}}) {
        Settings settings = FirstStartSettings(folder());
        std::string error;
        EXPECT_FALSE(LoadSettingsFile(path, settings, error));
        EXPECT_EQ(error,
                  "The settings file could not be read:\n" + path + "\n" + std::strerror(code));
        EXPECT_EQ(settings, FirstStartSettings(folder()));
    }
}

} // namespace
} // namespace wavemark
