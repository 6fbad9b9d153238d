#include "survey/wigle/WigleCsvReader.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

const std::string kPreHeader = "WigleWifi-1.4,appRelease=2.26,model=Pixel 3a,brand=google\n";
const std::vector<std::string> kColumns14 = {"MAC",
                                             "SSID",
                                             "AuthMode",
                                             "FirstSeen",
                                             "Channel",
                                             "RSSI",
                                             "CurrentLatitude",
                                             "CurrentLongitude",
                                             "AltitudeMeters",
                                             "AccuracyMeters",
                                             "Type"};
const std::vector<std::string> kColumns16 = {"MAC",
                                             "SSID",
                                             "AuthMode",
                                             "FirstSeen",
                                             "Channel",
                                             "Frequency",
                                             "RSSI",
                                             "CurrentLatitude",
                                             "CurrentLongitude",
                                             "AltitudeMeters",
                                             "AccuracyMeters",
                                             "RCOIs",
                                             "MfgrId",
                                             "Type"};

// A row by the names of its columns; the others get plausible values.
using Row = std::map<std::string, std::string>;

std::string join(const std::vector<std::string>& fields, std::string_view end = "\n") {
    std::string line;
    for (const std::string& field : fields) {
        line += (line.empty() ? "" : ",") + field;
    }
    return line.append(end);
}

std::string rowText(const std::vector<std::string>& columns, Row row) {
    row.try_emplace("Type", "WIFI");
    std::vector<std::string> fields;
    for (const std::string& column : columns) {
        const auto it = row.find(column);
        fields.push_back(it != row.end()     ? it->second
                         : column == "Extra" ? "\"x,\"\"y\"\"\""
                                             : "6");
    }
    return join(fields);
}

std::string file(const std::vector<std::string>& columns, const std::vector<Row>& rows) {
    std::string text = kPreHeader + join(columns);
    for (const Row& row : rows) {
        text += rowText(columns, row);
    }
    return text;
}

Row wifi(std::string mac, std::string ssid, std::string rssi, std::string lat, std::string lon,
         std::string auth = "[ESS]", std::string firstSeen = "2019-06-14 17:42:05") {
    return {{"MAC", mac},
            {"SSID", ssid},
            {"AuthMode", auth},
            {"FirstSeen", firstSeen},
            {"RSSI", rssi},
            {"CurrentLatitude", lat},
            {"CurrentLongitude", lon}};
}

// What a test looks at of a survey, as texts that say what differs.
struct Seen {
    SurveyProblem problem;
    std::vector<std::string> accessPoints; // BSSID name position time signal class
    std::vector<std::string> readings;     // group position time signal class
    std::string logDate;
    std::vector<std::pair<std::string, int64_t>> skipped;

    bool operator==(const Seen& o) const {
        return problem.error == o.problem.error && problem.text == o.problem.text &&
               accessPoints == o.accessPoints && readings == o.readings && logDate == o.logDate &&
               skipped == o.skipped;
    }
};

std::string protection(Protection p) {
    return p == Protection::Protected ? "protected" : p == Protection::Open ? "open" : "unknown";
}

Seen seen(const SurveyProblem& problem, const Survey& survey) {
    Seen s{problem, {}, {}, survey.accessPoints.logDate, survey.skipped};
    for (const AccessPoint& ap : survey.accessPoints.accessPoints) {
        std::ostringstream out;
        out.precision(10);
        out << ap.bssid << " " << ap.networkName << " | ";
        if (ap.hasPosition) {
            out << ap.lat << " " << ap.lon;
        } else {
            out << "-";
        }
        out << " " << ap.time << " " << ap.signal << " " << protection(ap.protection)
            << (ap.adHoc ? " ad-hoc" : "");
        s.accessPoints.push_back(out.str());
    }
    const Readings& r = survey.readings;
    for (size_t i = 0; i < r.group.size(); ++i) {
        std::ostringstream out;
        out.precision(10);
        out << r.group[i] << " " << r.lat[i] << " " << r.lon[i] << " " << r.time[i] << " "
            << r.signal[i];
        s.readings.push_back(out.str());
    }
    return s;
}

// Reads `bytes` in large blocks, and in blocks of 1 and 7 bytes, so that a
// small file meets every block edge a large one meets: all must agree.
Seen read(std::string_view bytes, const CsvReadSizes& large = {}) {
    const test::TempFolder folder;
    const std::string path = folder.write("survey.csv", bytes);
    std::vector<Seen> results;
    for (const size_t block : {large.block, size_t{1}, size_t{7}}) {
        ByteStream stream;
        EXPECT_EQ(stream.open(path), 0);
        Survey survey;
        const SurveyProblem problem = ReadWigleCsv(stream, survey, {block, large.longestRecord});
        results.push_back(seen(problem, survey));
        // After a failed read the survey is dropped: only the error counts.
        const Seen& first = results.front();
        EXPECT_TRUE(problem.error != 0 ? problem.error == first.problem.error
                                       : results.back() == first)
            << "block " << block;
    }
    return results.front();
}

// Three access points in four rows, as several writers lay them out.
const std::vector<Row> kRows = {
    wifi("02:1a:11:f3:4c:20", "CafeGuest", "-71", "51.50721", "-0.12764",
         "[WPA2-PSK-CCMP][RSN-PSK-CCMP][ESS]"),
    wifi("02:1a:11:f3:4c:25", "", "-83", "51.50719", "-0.12771"),
    wifi("02:1A:11:F3:4C:20", "CafeGuest", "-65", "51.50734", "-0.12802", "[WPA2-PSK-CCMP][ESS]",
         "2019-06-14 17:42:09"),
    wifi("c4:6e:1f:0a:9b:12", "Old_Lab", "-88", "0.0", "0.0", "[IBSS]", "2019-06-14 17:42:09"),
};
Seen threeAccessPoints() {
    return {SurveyProblem{0, ""},
            {"( 02:1a:11:f3:4c:20 ) CafeGuest | 51.50734 -0.12802 929468529 84 protected",
             "( 02:1a:11:f3:4c:25 )  | 51.50719 -0.12771 929468525 66 open",
             "( c4:6e:1f:0a:9b:12 ) Old_Lab | - 929468529 61 open ad-hoc"},
            {"0 51.50721 -0.12764 929468525 78", "1 51.50719 -0.12771 929468525 66",
             "0 51.50734 -0.12802 929468529 84"},
            "2019-06-14",
            {}};
}

std::string kismetLive() {
    // 14 names, but Wi-Fi rows of 12 values: Type under RCOIs.
    std::string text = "WigleWifi-1.6,appRelease=Kismet\n" + join(kColumns16);
    std::vector<std::string> twelve = kColumns16;
    twelve.erase(twelve.begin() + 11, twelve.begin() + 13);
    for (const Row& row : kRows) {
        text += rowText(twelve, row);
    }
    return text;
}

struct Layout {
    const char* name;
    std::string file;
};
void PrintTo(const Layout& layout, std::ostream* out) {
    *out << layout.name;
}

class WigleLayouts : public testing::TestWithParam<Layout> {};

TEST_P(WigleLayouts, ColumnsAreFoundByName) {
    EXPECT_EQ(read(GetParam().file), threeAccessPoints());
}

std::vector<std::string> shuffled = {"Type",           "Extra",
                                     "RSSI",           "CurrentLongitude",
                                     "AltitudeMeters", "CurrentLatitude",
                                     "FirstSeen",      "AuthMode",
                                     "SSID",           "MAC",
                                     "Extra"};
std::vector<std::string> twelveColumns = {"MAC",
                                          "SSID",
                                          "AuthMode",
                                          "FirstSeen",
                                          "Channel",
                                          "Frequency",
                                          "RSSI",
                                          "CurrentLatitude",
                                          "CurrentLongitude",
                                          "AltitudeMeters",
                                          "AccuracyMeters",
                                          "Type"};

const std::vector<Layout> kLayouts = {
    {"v1_4", file(kColumns14, kRows)},
    {"v1_6", file(kColumns16, kRows)},
    {"shuffled_with_extra_columns", file(shuffled, kRows)},
    {"twelve_columns_under_1_6", file(twelveColumns, kRows)},
    {"kismet_live_short_rows", kismetLive()},
    {"bom_crlf_and_blanks_in_names",
     "\xEF\xBB\xBF" + kPreHeader + " mac , ssid,AUTHMODE,FirstSeen,RSSI," +
         "CurrentLatitude,CurrentLongitude\r\n\r\n" +
         "02:1a:11:f3:4c:20,CafeGuest,[WPA2-PSK-CCMP][RSN-PSK-CCMP][ESS]," +
         "2019-06-14 17:42:05,-71,51.50721,-0.12764\r\n" +
         "02:1a:11:f3:4c:25,,[ESS],2019-06-14 17:42:05,-83,51.50719,-0.12771\r\n" +
         "02:1A:11:F3:4C:20,CafeGuest,[WPA2-PSK-CCMP][ESS],2019-06-14 17:42:09," +
         "-65,51.50734,-0.12802\r\n" +
         "c4:6e:1f:0a:9b:12,Old_Lab,[IBSS],2019-06-14 17:42:09,-88,0.0,0.0"},
};

INSTANTIATE_TEST_SUITE_P(Writers, WigleLayouts, testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

// The SSID as written in the file, and the network name it gives.
TEST(WigleCsvReader, QuotedFieldsAndTheirText) {
    for (const auto& [written, name] : std::vector<std::pair<std::string, std::string>>{
             {"\"Bob's Net, 5G\"", "Bob's Net, 5G"},
             {"\"say \"\"hi\"\"\"", "say \"hi\""},
             {"\"two\nlines\"", "two\nlines"},
             {"\"two\r\nlines, \"\"quoted\"\"\"", "two\r\nlines, \"quoted\""},
             {"ab\"c", "ab\"c"},
             {"\"my\"net\"", "my\"net"},
             {"\"\"", ""},
             {"\"  padded  \"", "padded"},
             {"Caf\xC3\xA9 \xE2\x98\x95", "Caf\xE9 ?"},
             {"\xE2\x82\xAC \xC5\x92\xC5\xB8", "\x80 \x8C\x9F"},
             {"\xFF raw", "\xFF raw"},
             {"\"never closed", "\"never closed"},
         }) {
        const std::vector<Row> rows = {wifi("00:00:00:00:00:01", written, "-50", "1.5", "2.5"),
                                       wifi("00:00:00:00:00:02", "next", "-60", "1.5", "2.5")};
        const Seen s = read(file(kColumns14, rows));
        ASSERT_EQ(s.accessPoints.size(), 2u) << written;
        EXPECT_EQ(s.accessPoints[0],
                  "( 00:00:00:00:00:01 ) " + name + " | 1.5 2.5 929468525 99 open");
        EXPECT_EQ(s.accessPoints[1], "( 00:00:00:00:00:02 ) next | 1.5 2.5 929468525 89 open");
        EXPECT_TRUE(s.skipped.empty()) << written;
    }
    // A quote left open in the last line.
    const Seen last =
        read(kPreHeader + join(kColumns14) +
             "00:00:00:00:00:01,\"open,[ESS],2019-06-14 17:42:05,6,-50,1.5,2.5,6,6,WIFI");
    EXPECT_EQ(last.accessPoints,
              std::vector<std::string>{"( 00:00:00:00:00:01 ) \"open | 1.5 2.5 929468525 99 open"});
}

// Every radio but Wi-Fi is counted and left out, even where its MAC column
// holds a cell's key.
TEST(WigleCsvReader, OtherRadiosAreCounted) {
    std::vector<Row> rows;
    for (const std::string type : {"BT", "BLE", "GSM", "CDMA", "WCDMA", "LTE", "NR", "NFC", ""}) {
        Row row = wifi("310260_12345_678", "Carrier", "-90", "1.5", "2.5");
        row["Type"] = type;
        rows.push_back(row);
    }
    for (const std::string type : {"wifi", " WIFI "}) {
        Row row = wifi("00:00:00:00:00:01", "lab", "-50", "1.5", "2.5");
        row["Type"] = type;
        rows.push_back(row);
    }
    const Seen s = read(file(kColumns14, rows));
    EXPECT_EQ(s.accessPoints.size(), 1u);
    EXPECT_EQ(s.readings.size(), 2u);
    EXPECT_EQ(s.skipped,
              (std::vector<std::pair<std::string, int64_t>>{{"Bluetooth and cell rows", 9}}));
}

// Each malformed row counts once and spoils nothing around it.
TEST(WigleCsvReader, MalformedRowsAreCounted) {
    const std::string good =
        rowText(kColumns14, wifi("00:00:00:00:00:01", "a", "-50", "1.5", "2.5"));
    for (const std::string& bad : std::vector<std::string>{
             "00:00:00:00:00:02,b,[ESS],2019-06-14 17:42:05,6,-50,1.5\n",
             rowText(kColumns14, wifi("00:00:00:00:02", "b", "-50", "1.5", "2.5")),
             rowText(kColumns14, wifi("00:00:00:00:00:0g", "b", "-50", "1.5", "2.5")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "strong", "1.5", "2.5")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "", "1.5", "2.5")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "-50", "N 1.5", "2.5")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "-50", "1.5", "nan")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "-50", "1.5", "2.5", "", "")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "-50", "1.5", "2.5", "",
                                      "2019-02-29 10:00:00")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "-50", "1.5", "2.5", "",
                                      "2019-06-14 24:00:00")),
             rowText(kColumns14, wifi("00:00:00:00:00:02", "b", "-50", "1.5", "2.5", "",
                                      "9999-12-31 23:59:59")),
             "00:00:00:00:00:02,b,[ESS],2019-06-14 17:42:05,6,-50,1.5,2.5,6,6\n",
             std::string(5000, 'x') + "\n",
         }) {
        const Seen s = read(kPreHeader + join(kColumns14) + good + bad + good, {1 << 20, 4096});
        EXPECT_EQ(s.accessPoints.size(), 1u) << bad;
        EXPECT_EQ(s.readings.size(), 2u) << bad;
        EXPECT_EQ(s.skipped, (std::vector<std::pair<std::string, int64_t>>{{"malformed rows", 1}}))
            << bad;
    }
}

// The waypoint is the strongest row with a position, the first of equals;
// the class is the last positioned row's. Rows without a position (0 / 0,
// out of range) make no reading, and count only for an access point that
// has no other.
TEST(WigleCsvReader, WaypointIsTheStrongestPositionedRow) {
    const Seen s = read(file(
        kColumns14,
        {wifi("00:00:00:00:00:0a", "A", "-40", "0", "0", "[ESS]", "2019-06-14 17:42:01"),
         wifi("00:00:00:00:00:0a", "A", "-70", "47.1", "8.1", "[WEP]", "2019-06-14 17:42:02"),
         wifi("00:00:00:00:00:0b", "B", "-80", "0", "0", "[IBSS]", "2019-06-14 17:42:02"),
         wifi("00:00:00:00:00:0a", "A", "-60", "47.2", "8.2", "[WEP]", "2019-06-14 17:42:03"),
         wifi("00:00:00:00:00:0b", "", "-75", "0", "0", "[WPA2][IBSS]", "2019-06-14 17:42:04"),
         wifi("00:00:00:00:00:0a", " A2 ", "-60", "47.3", "8.3", "[ESS]", "2019-06-14 17:42:05"),
         wifi("00:00:00:00:00:0a", "", "-50", "91", "8.4", "[WEP]", "2019-06-14 17:42:06"),
         wifi("00:00:00:00:00:0b", "B", "-90", "0", "0", "[WPA2][IBSS]", "2019-06-14 17:42:03")}));
    EXPECT_EQ(s.accessPoints, (std::vector<std::string>{
                                  "( 00:00:00:00:00:0a ) A2 | 47.2 8.2 929468523 89 open",
                                  "( 00:00:00:00:00:0b ) B | - 929468524 74 protected ad-hoc"}));
    EXPECT_EQ(s.readings,
              (std::vector<std::string>{"0 47.1 8.1 929468522 79", "0 47.2 8.2 929468523 89",
                                        "0 47.3 8.3 929468525 89"}));
    EXPECT_EQ(s.logDate, "2019-06-14");
}

TEST(WigleCsvReader, LogDateIsTheLatestFirstSeen) {
    const Seen s = read(file(
        kColumns14, {wifi("00:00:00:00:00:01", "a", "-50", "1", "2", "", "2019-06-14 23:59:59"),
                     wifi("00:00:00:00:00:02", "b", "-50", "1", "2", "", "2019-6-15 0:0:0"),
                     wifi("00:00:00:00:00:03", "c", "-50", "1", "2", "", "2019-06-13 12:00:00")}));
    EXPECT_EQ(s.logDate, "2019-06-15");
}

// A line longer than the longest record is skipped, in one piece; a quote
// left open across lines beyond it is a stray quote.
TEST(WigleCsvReader, OverlongLines) {
    const std::string good =
        rowText(kColumns14, wifi("00:00:00:00:00:01", "a", "-50", "1.5", "2.5"));
    const std::string open =
        rowText(kColumns14, wifi("00:00:00:00:00:02", "\"b", "-50", "1.5", "2.5"));
    const Seen s = read(kPreHeader + join(kColumns14) + good + std::string(300, 'x') + "\n" + open +
                            good + good + good,
                        {1 << 20, 128});
    EXPECT_EQ(s.accessPoints.size(), 2u);
    EXPECT_EQ(s.readings.size(), 5u);
    EXPECT_EQ(s.skipped, (std::vector<std::pair<std::string, int64_t>>{{"malformed rows", 1}}));
    // A last line exactly as long as the longest record is whole, however
    // the blocks fall.
    std::string last =
        rowText(kColumns14, wifi("00:00:00:00:00:01", std::string(120, 'a'), "-50", "1.5", "2.5"));
    last.pop_back();
    const Seen exact = read(kPreHeader + join(kColumns14) + last, {1 << 20, last.size()});
    EXPECT_EQ(exact.accessPoints.size(), 1u);
    EXPECT_TRUE(exact.skipped.empty());
}

TEST(WigleCsvReader, FilesThatAreNotWigleCsv) {
    const std::string cols = join(kColumns14);
    for (const auto& [bytes, text] : std::vector<std::pair<std::string, std::string>>{
             {"", "Has no WigleWifi- line at its start"},
             {cols, "Has no WigleWifi- line at its start"},
             {"\n\n" + kPreHeader + cols, ""},
             {kPreHeader, "Has no WiGLE column line"},
             {kPreHeader + "\n\n", "Has no WiGLE column line"},
             {kPreHeader + "MAC,SSID,AuthMode,FirstSeen,RSSI,CurrentLatitude\n",
              "Has no WiGLE column line (no CurrentLongitude column)"},
             {kPreHeader + "BSSID,SSID,AuthMode,FirstSeen,RSSI,Latitude,Longitude\n",
              "Has no WiGLE column line (no MAC column)"},
         }) {
        const Seen s = read(bytes);
        EXPECT_EQ(s.problem.error, 0) << bytes;
        EXPECT_EQ(s.problem.text, text) << bytes;
        EXPECT_TRUE(s.accessPoints.empty()) << bytes;
    }
}

// A gzip file that ends halfway through its one stored (uncompressed) block,
// after a few whole rows: the stream's error comes back, and no text.
TEST(WigleCsvReader, ReadErrorGivesItsErrno) {
    std::string rows;
    for (int i = 0; i < 20; ++i) {
        rows += rowText(kColumns14, wifi("00:00:00:00:00:0" + std::to_string(i % 10), "a", "-50",
                                         "1.5", "2.5"));
    }
    const std::string text = kPreHeader + join(kColumns14) + rows;
    const auto size = static_cast<uint16_t>(text.size());
    std::string gzip("\x1f\x8b\x08\0\0\0\0\0\0\x03\x01", 11);
    for (const uint16_t half : {size, static_cast<uint16_t>(~size)}) {
        gzip += static_cast<char>(half & 0xFF);
        gzip += static_cast<char>(half >> 8);
    }
    gzip += text.substr(0, text.size() / 2);
    const Seen s = read(gzip);
    EXPECT_EQ(s.problem.error, kTruncatedGzip);
    EXPECT_EQ(s.problem.text, "");
}

} // namespace
} // namespace wavemark
