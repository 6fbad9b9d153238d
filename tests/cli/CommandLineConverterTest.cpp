#include "cli/CommandLineConverter.h"

#include "ExportText.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace wavemark {
namespace {

using test::ExportText;
using test::MakeAp;
using Args = std::vector<std::string>;

const std::string kWep = "00:00:00:00:00:01";
const std::string kOpen = "00:00:00:00:00:02";

class CommandLineConverterTest : public ::testing::Test {
protected:
    CommandLineConverterTest() {
        summary = folder.write(
            "summary.txt",
            ExportText({MakeAp(kWep, "0011", "wep").line(), MakeAp(kOpen, "0001", "open").line(),
                        MakeAp("00:00:00:00:00:03", "0002", "peer").line(),
                        MakeAp("00:00:00:00:00:04", "0001", "public").line()}));
        text =
            folder.write("text.txt", ExportText({MakeAp(kWep, "0011", "wep", "12:00:00").line(),
                                                 MakeAp(kWep, "0011", "wep", "12:00:01").line(),
                                                 MakeAp(kOpen, "0001", "o", "12:00:02").line(),
                                                 MakeAp(kOpen, "0001", "o", "12:00:03").line()}));
        output = folder.file("out.gtm");
    }

    int run(const Args& args) {
        out.str("");
        errors.str("");
        return RunCommandLine(args, folder.path().string(), out, errors);
    }

    test::TempFolder folder;
    std::string summary, text, output;
    std::ostringstream out, errors;
};

std::string counters(int wep, int noWep, int filtered, int waypoints, int tracks, int points) {
    return "Number of APs with WEP : " + std::to_string(wep) +
           "\nNumber of APs without WEP : " + std::to_string(noWep) +
           "\nNumber of AdHoc peers : 1\nNumber of filterd APs : " + std::to_string(filtered) +
           "\nNumber of Waypoints: " + std::to_string(waypoints) +
           "\nNumber of Tracklogs: " + std::to_string(tracks) +
           "\nNumber of Trackpoints: " + std::to_string(points) + "\n";
}

// A run prints the counters and writes the file, or prints only why it failed and writes
// nothing: status 1 for a failed input or output, 2 for bad usage.
TEST_F(CommandLineConverterTest, ExitStatusMessagesAndOutputFile) {
    const std::string notes = folder.write("notes.txt", "just some notes\r\n");
    const std::string missing = folder.file("missing.txt");
    const std::string noFolder = folder.file("no folder/out.gtm");
    const std::string usage =
        "usage: wavemark-convert [options] SUMMARY [TEXT] -o OUTPUT\nwavemark-convert: ";
    const auto expect = [&](int status, const std::string& printed, const Args& args) {
        SCOPED_TRACE(testing::PrintToString(args));
        std::filesystem::remove(output);
        EXPECT_EQ(run(args), status);
        EXPECT_EQ(status == 0 ? out.str() : errors.str(), printed);
        EXPECT_EQ(status == 0 ? errors.str() : out.str(), "");
        EXPECT_EQ(std::filesystem::exists(output), status == 0);
    };
    expect(0, counters(1, 2, 1, 3, 2, 4), {summary, text, "-o", output});
    expect(0, counters(1, 3, 0, 3, 0, 0),
           {"--no-tracks", "--filter", "", "--only-no-wep", summary, missing, "-o", output});
    expect(0, "", {"-q", summary, text, "-o", output});
    expect(1, "Not a Network Stumbler file !\n", {summary, notes, "-o", output});
    expect(1, "The GTM file could not be written:\n" + noFolder + "\nNo such file or directory\n",
           {summary, text, "-o", noFolder});
    expect(1, "The settings file could not be read:\n" + missing + "\nNo such file or directory\n",
           {"--settings", missing, summary, text, "-o", output});
    expect(2, usage + "no summary export given\n", {});
    expect(2, usage + "no output file given (-o FILE)\n", {summary, text});
    expect(2, usage + "option -o needs a file name\n", {summary, "-o"});
    expect(2, usage + "unknown option --bogus\n", {summary, text, "-o", output, "--bogus"});
    expect(2, usage + "too many input files\n", {summary, text, "extra", "-o", output});
    expect(2, usage + "only one input can be the standard input (-)\n", {"-", "-", "-o", output});
    expect(2, usage + "no text export given (use --no-tracks to convert without)\n",
           {summary, "-o", output});
    expect(2, usage + "--fixed-colors and --random-colors exclude each other\n",
           {"--fixed-colors", "--random-colors", summary, text, "-o", output});
    const std::string notAMap = folder.file("out.txt");
    expect(2,
           usage + "the map format of " + notAMap +
               " is unknown: name it .gtm, .gpx, .kml or .geojson, or give --format\n",
           {summary, text, "-o", notAMap});
    EXPECT_FALSE(std::filesystem::exists(notAMap));
    expect(2, usage + "unknown map format svg (gtm, gpx, kml or geojson)\n",
           {"--format", "svg", summary, text, "-o", output});
    expect(2, usage + "option --format needs gtm, gpx, kml or geojson\n",
           {summary, text, "--format"});
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("--no-tracks"), std::string::npos);
}

// The output's extension names the format in any case; --format overrides it.
TEST_F(CommandLineConverterTest, FormatFollowsTheOutputNameUnlessGiven) {
    const std::pair<Args, std::string_view> runs[] = {
        {{"-o", folder.file("a.GPX")}, "<gpx "},
        {{"-o", folder.file("b.kml")}, "<kml "},
        {{"--format", "KML", "-o", folder.file("c.gpx")}, "<kml "},
        {{"--format", "gpx", "-o", folder.file("d.txt")}, "<gpx "},
        {{"--format", "gtm", "-o", folder.file("e.kml")}, "TrackMaker"},
        {{"-o", folder.file("g.GeoJSON")}, "\"FeatureCollection\""},
        {{"--format", "geojson", "-o", folder.file("h.json")}, "\"FeatureCollection\""},
    };
    for (const auto& [outputArgs, marker] : runs) {
        Args args = {summary, text};
        args.insert(args.end(), outputArgs.begin(), outputArgs.end());
        ASSERT_EQ(run(args), 0) << errors.str();
        EXPECT_EQ(out.str(), counters(1, 2, 1, 3, 2, 4));
        const std::string written = test::ReadBytes(outputArgs.back());
        EXPECT_NE(written.substr(0, 200).find(marker), std::string::npos) << outputArgs.back();
    }
    EXPECT_EQ(run({summary, text, "-o", folder.file("missing/f.kml")}), 1);
    EXPECT_TRUE(errors.str().starts_with("The KML file could not be written:\n")) << errors.str();
}

// Little-endian bytes of a GTM field, written out here by hand.
std::string le(int64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A hand-written settings file reaches the waypoints, style records and tracks written.
TEST_F(CommandLineConverterTest, SettingsFileSetsSymbolsStylesFontAndColours) {
    const std::string ini = folder.write(
        "Wavemark.ini",
        "; edited by hand\n[waypoints]\nIconNoWEP = 1\nIconWEP=192\nStyleNoWEP=2\nStyleWEP=4\n"
        "WPFontName=Courier New\nWPFontSize=12\nWPFontBold=false\nWPFontItalic=TRUE\n"
        "WPFontColor=16711680\nWPTBoxBack=False\n[Tracks]\nTChangeColors=0\nTColorNoWep=123\n"
        "TColorWep=456\nTLineNoWep=17\nTLineWep=18\n[options]\nTConvertEnabled=1\n");
    ASSERT_EQ(run({"--settings", ini, summary, text, "-o", output}), 0) << errors.str();
    const std::string gtm = test::ReadBytes(output);
    const auto has = [&gtm](const std::string& bytes) {
        return gtm.find(bytes) != std::string::npos;
    };
    // Waypoint comment, then symbol and display style.
    EXPECT_TRUE(has(le(3, 2) + "wep" + le(192, 2) + le(4, 1)));
    EXPECT_TRUE(has(le(4, 2) + "open" + le(1, 2) + le(2, 1)));
    // Style record 4: 12 points give height -16; no box background.
    EXPECT_TRUE(has(le(-16, 4) + le(11, 2) + "Courier New" + le(3, 1) + le(16711680, 4) +
                    le(400, 4) + le(0, 4) + le(139, 1) + le(0, 2) + le(65535, 4) + le(1, 1) +
                    le(0, 2) + le(1, 1)));
    // Track name, line style and fixed colour by WEP class.
    EXPECT_TRUE(has(le(3, 2) + "wep" + le(18, 1) + le(456, 4) + le(0, 7)));
    EXPECT_TRUE(has(le(4, 2) + "open" + le(17, 1) + le(123, 4) + le(0, 7)));

    // Flags still win over the file (which asks for tracks in fixed colours).
    EXPECT_EQ(run({"--settings", ini, "--only-no-wep", "--no-tracks", summary, "-o", output}), 0);
    EXPECT_EQ(out.str(), counters(1, 2, 1, 2, 0, 0));
    ASSERT_EQ(run({"--settings", ini, "--random-colors", summary, text, "-o", output}), 0);
    EXPECT_EQ(test::ReadBytes(output).find(le(3, 2) + "wep" + le(18, 1) + le(456, 4)),
              std::string::npos);
}

// Survey files merge by BSSID, what they left out printed last; an unknown kind is refused.
TEST_F(CommandLineConverterTest, SurveyFilesAreMergedAndOthersRefused) {
    const std::string head = "WigleWifi-1.6\nMAC,SSID,AuthMode,FirstSeen,Channel,Frequency,RSSI,"
                             "CurrentLatitude,CurrentLongitude,AltitudeMeters,AccuracyMeters,"
                             "RCOIs,MfgrId,Type\n";
    const auto row = [](const std::string& mac, const std::string& time, const std::string& type) {
        return mac + ",net,[WEP][ESS],2004-04-08 " + time + ",6,2437,-60,47.1,8.5,0,5,,," + type +
               "\n";
    };
    const std::string monday = folder.write("monday.csv", head + row(kWep, "12:00:00", "WIFI") +
                                                              row(kOpen, "12:00:01", "LTE"));
    const std::string tuesday = folder.write("tuesday.csv", head + row(kWep, "13:00:00", "WIFI"));
    const std::string merged = folder.file("merged.gpx");
    ASSERT_EQ(run({"--filter", "", monday, tuesday, "-o", merged}), 0) << errors.str();
    // Merged or not, the survey's date names the map.
    EXPECT_NE(test::ReadBytes(merged).find("<name>Wi-Fi survey 2004-04-08</name>"),
              std::string::npos);
    EXPECT_EQ(out.str(),
              "Number of APs with WEP : 1\nNumber of APs without WEP : 0\n"
              "Number of AdHoc peers : 0\nNumber of filterd APs : 0\n"
              "Number of Waypoints: 1\nNumber of Tracklogs: 1\n"
              "Number of Trackpoints: 2\nLeft out, rows of radios other than Wi-Fi: 1\n");

    const std::string notes = folder.write("notes.txt", "notes\r\n");
    EXPECT_EQ(run({"--no-tracks", notes, "-o", output}), 1);
    EXPECT_EQ(errors.str(), "Not a Network Stumbler file !\nwavemark-convert reads NetStumbler NS1 "
                            "logs, WiGLE CSV files, Kismet logs and NetStumbler summary and text "
                            "exports, "
                            "any of them gzip-compressed.\n");
    EXPECT_EQ(run({monday, summary, "-o", output}), 1);
    EXPECT_EQ(errors.str(), "The survey could not be read:\n" + summary +
                                "\nIs not an NS1 log, a WiGLE CSV file or a Kismet log\n");
    // Three inputs are no summary and text export, whatever the first is.
    EXPECT_EQ(run({notes, monday, tuesday, "-o", output}), 1);
    EXPECT_EQ(errors.str(), "The survey could not be read:\n" + notes +
                                "\nIs 7 bytes long, too short for any survey\n");
    // The second survey file is a survey too, not a text export.
    EXPECT_EQ(run({"--format", "gtm", monday, tuesday, "-o", tuesday}), 1);
    EXPECT_EQ(errors.str(), "The GTM file could not be written:\n" + tuesday +
                                "\nIs the same file as the survey\n");
}

// The estimated rule moves a waypoint with three readings or more to their weighted centre
// and keeps its strongest reading beside it; one with fewer stays there. Without tracks a
// survey file's readings are still read, and a summary needs its text export.
TEST_F(CommandLineConverterTest, PositionRuleMovesWaypointsWithEnoughReadings) {
    const std::string head = "WigleWifi-1.6\nMAC,SSID,AuthMode,FirstSeen,Channel,Frequency,RSSI,"
                             "CurrentLatitude,CurrentLongitude,AltitudeMeters,AccuracyMeters,"
                             "RCOIs,MfgrId,Type\n";
    const auto row = [](const std::string& mac, const std::string& rssi, const std::string& at) {
        return mac + ",net,[ESS],2004-04-08 12:00:00,6,2437," + rssi + "," + at + ",0,5,,,WIFI\n";
    };
    const std::string survey = folder.write(
        "survey.csv", head + row(kWep, "-60", "47.1,8.5") + row(kOpen, "-50", "47.5,8.1") +
                          row(kWep, "-60", "47.2,8.5") + row(kWep, "-80", "47.3,8.6") +
                          row(kOpen, "-70", "47.6,8.2"));
    const std::string map = folder.file("map.geojson");
    const auto places = [&] {
        std::string found;
        const std::string written = test::ReadBytes(map);
        for (size_t at = written.find("\"marker-color\""); at != std::string::npos;
             at = written.find("\"marker-color\"", at + 1)) {
            found += written.substr(at + 25, written.find("]}}", at) - at - 25) + "\n";
        }
        return found;
    };
    ASSERT_EQ(run({"--no-tracks", "--position", "Estimated", survey, "-o", map}), 0)
        << errors.str();
    EXPECT_EQ(places(), ", \"position\": \"estimated\", \"strongest-lat\": 47.1, "
                        "\"strongest-lon\": 8.5}, \"geometry\": {\"type\": \"Point\", "
                        "\"coordinates\": [8.5047619, 47.1571429\n"
                        ", \"position\": \"strongest\", \"strongest-lat\": 47.5, "
                        "\"strongest-lon\": 8.1}, \"geometry\": {\"type\": \"Point\", "
                        "\"coordinates\": [8.1, 47.5\n");

    // The settings file's rule, which the command line overrides.
    const std::string ini = folder.write("rule.ini", "[Positions]\r\nWaypoint=estimated\r\n");
    ASSERT_EQ(run({"--settings", ini, "--no-tracks", survey, "-o", map}), 0) << errors.str();
    EXPECT_NE(places().find("[8.5047619, 47.1571429"), std::string::npos) << places();
    ASSERT_EQ(run({"--settings", ini, "--position", "strongest", survey, "-o", map}), 0);
    EXPECT_EQ(places(), "}, \"geometry\": {\"type\": \"Point\", \"coordinates\": [8.5, 47.1\n"
                        "}, \"geometry\": {\"type\": \"Point\", \"coordinates\": [8.1, 47.5\n");

    const std::string usage =
        "usage: wavemark-convert [options] SUMMARY [TEXT] -o OUTPUT\nwavemark-convert: ";
    EXPECT_EQ(run({"--position", "nearest", survey, "-o", map}), 2);
    EXPECT_EQ(errors.str(), usage + "unknown waypoint position nearest (strongest or estimated)\n");
    EXPECT_EQ(run({survey, "-o", map, "--position"}), 2);
    EXPECT_EQ(errors.str(), usage + "option --position needs strongest or estimated\n");
    EXPECT_EQ(run({"--no-tracks", "--position", "estimated", summary, "-o", map}), 2);
    EXPECT_EQ(errors.str(),
              usage + "no text export given (estimated positions are made from it)\n");
}

} // namespace
} // namespace wavemark
