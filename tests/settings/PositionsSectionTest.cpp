#include "settings/SettingsFile.h"

#include "SameBytes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

// The rule goes to the file only once it is not the default: a file that never had it keeps
// its bytes, and one that has it keeps it from start to close, in any letter case and with
// blanks around.
TEST(PositionsSection, WrittenOnlyOnceChangedAndKeptAcrossARun) {
    const test::TempFolder folder;
    SettingsFile file(folder.path().string(), folder.file("user"));
    StartUpResult start = file.startUp();
    EXPECT_EQ(start.settings.Waypoint, WaypointPosition::Strongest);
    const std::string defaults = test::ReadBytes(file.path());
    ASSERT_TRUE(file.shutDown(start.settings));
    EXPECT_TRUE(test::SameBytes(defaults, test::ReadBytes(file.path())));

    start.settings.Waypoint = WaypointPosition::Estimated;
    ASSERT_TRUE(file.shutDown(start.settings));
    EXPECT_TRUE(test::SameBytes(defaults + "[Positions]\r\nWaypoint=estimated\r\n",
                                test::ReadBytes(file.path())));
    EXPECT_EQ(file.startUp().settings.Waypoint, WaypointPosition::Estimated);

    folder.write("Wavemark.ini", defaults + "[positions]\r\n waypoint = Estimated \r\n");
    start = file.startUp();
    EXPECT_EQ(start.settings.Waypoint, WaypointPosition::Estimated);
    ASSERT_TRUE(file.shutDown(start.settings));
    EXPECT_TRUE(test::SameBytes(defaults + "[positions]\r\nWaypoint=estimated\r\n",
                                test::ReadBytes(file.path())));

    // Another word is left as the user wrote it, and the default holds.
    folder.write("Wavemark.ini", defaults + "[Positions]\r\nWaypoint=nearest\r\n");
    start = file.startUp();
    EXPECT_EQ(start.settings.Waypoint, WaypointPosition::Strongest);
    ASSERT_TRUE(file.shutDown(start.settings));
    EXPECT_TRUE(test::SameBytes(defaults + "[Positions]\r\nWaypoint=nearest\r\n",
                                test::ReadBytes(file.path())));
}

} // namespace
} // namespace wavemark
