#include "survey/wigle/WigleCsvReader.h"
#include "platform/OrderedPieces.h"
#include "survey/Survey.h"

#include "SurveyText.h"
#include "TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

using Fields = std::vector<std::string>;

const std::string kPreHeader = "WigleWifi-1.4,appRelease=2.26,model=Pixel 3a\n";
const std::string k14 = "MAC,SSID,AuthMode,FirstSeen,Channel,RSSI,CurrentLatitude,"
                        "CurrentLongitude,AltitudeMeters,AccuracyMeters,Type";
const std::string k16 = "MAC,SSID,AuthMode,FirstSeen,Channel,Frequency,RSSI,CurrentLatitude,"
                        "CurrentLongitude,AltitudeMeters,AccuracyMeters,RCOIs,MfgrId,Type";
const std::string k12 = std::string(k16).erase(k16.find(",RCOIs,MfgrId"), 13); // no RCOIs, MfgrId
// A row gives these columns, in this order (Type WIFI when left out); others get "6".
const Fields kNamed = {
    "MAC", "SSID", "AuthMode", "FirstSeen", "RSSI", "CurrentLatitude", "CurrentLongitude", "Type"};

std::string rows(const std::string& columns, const std::vector<Fields>& rows) {
    std::string text;
    for (Fields row : rows) {
        row.resize(kNamed.size(), "WIFI");
        std::istringstream names(columns);
        for (std::string name; std::getline(names, name, ',');) {
            const auto at = std::ranges::find(kNamed, name) - kNamed.begin();
            text += (at < std::ssize(kNamed) ? row[at] : name == "Extra" ? "\"x,\"\"y\"\"\"" : "6");
            text += ',';
        }
        text.back() = '\n';
    }
    return text;
}

Fields ap(const std::string& mac, const std::string& ssid, const std::string& rssi = "-50") {
    return {mac, ssid, "", "2019-06-14 17:42:05", rssi, "1.5", "2.5"};
}

std::string file(const std::string& columns, const std::vector<Fields>& rowList) {
    return kPreHeader + columns + "\n" + rows(columns, rowList);
}

// Reads `bytes` in large blocks and in blocks of 1 and 7 bytes: all must agree.
std::string read(std::string_view bytes, size_t longest = CsvReadSizes{}.longestRecord) {
    const test::TempFolder folder;
    const std::string path = folder.write("survey.csv", bytes);
    std::vector<std::string> seen;
    for (const size_t block : {CsvReadSizes{}.block, size_t{1}, size_t{7}}) {
        ByteStream stream;
        EXPECT_EQ(stream.open(path), 0);
        Survey survey;
        seen.push_back(test::SurveyText(ReadWigleCsv(stream, survey, {block, longest}), survey));
        EXPECT_EQ(seen.back(), seen.front()) << "block " << block;
    }
    return seen.front();
}

// Three access points in four rows, as several writers lay them out.
const std::vector<Fields> kRows = {
    {"02:1a:11:f3:4c:20", "CafeGuest", "[WPA2-PSK-CCMP][RSN-PSK-CCMP][ESS]", "2019-06-14 17:42:05",
     "-71", "51.50721", "-0.12764"},
    {"02:1a:11:f3:4c:25", "", "[ESS]", "2019-06-14 17:42:05", "-83", "51.50719", "-0.12771"},
    {"02:1A:11:F3:4C:20", "CafeGuest", "[WPA2-PSK-CCMP][ESS]", "2019-06-14 17:42:09", "-65",
     "51.50734", "-0.12802"},
    {"c4:6e:1f:0a:9b:12", "Old_Lab", "[IBSS]", "2019-06-14 17:42:09", "-88", "0.0", "0.0"},
};

// `text` with its line ends written as `ends`, taken in turn.
std::string relined(const std::string& text, const std::vector<std::string>& ends) {
    std::string out;
    size_t count = 0;
    for (const char c : text) {
        out += c == '\n' ? ends[count++ % ends.size()] : std::string(1, c);
    }
    return out;
}

std::string bomCrlfBlankNames() {
    const std::string columns = "MAC,SSID,AuthMode,FirstSeen,RSSI,CurrentLatitude,CurrentLongitude";
    std::string text = "\xEF\xBB\xBF" + kPreHeader +
                       " mac , ssid,AUTHMODE,FirstSeen,RSSI,CurrentLatitude,CurrentLongitude\n\n" +
                       rows(columns, kRows);
    text.pop_back();
    return relined(text, {"\r\n"});
}

// Each writer's layout: the columns are found by name.
TEST(WigleCsvReader, Layouts) {
    for (const auto& [name, text] : std::vector<std::pair<std::string, std::string>>{
             {"1.4", file(k14, kRows)},
             {"1.6", file(k16, kRows)},
             {"shuffled with extra columns",
              file("Type,Extra,RSSI,CurrentLongitude,AltitudeMeters,"
                   "CurrentLatitude,FirstSeen,AuthMode,SSID,MAC,Extra",
                   kRows)},
             {"Kismet's short rows", kPreHeader + k16 + "\n" + rows(k12, kRows)},
             {"names given twice, the first counts", file(k14 + ", mac,Ssid,RSSI ", kRows)},
             {"BOM, CR LF and blanks in names", bomCrlfBlankNames()},
             {"CR line ends", relined(file(k14, kRows), {"\r"})},
             {"CR, LF, CR LF and an empty CR line",
              relined(file(k16, kRows), {"\r", "\n", "\r\n", "\r\r"})},
         }) {
        EXPECT_EQ(read(text),
                  "0 \n"
                  "( 02:1a:11:f3:4c:20 ) CafeGuest | 51.50734 -0.12802 1560534129 84 protected\n"
                  "( 02:1a:11:f3:4c:25 )  | 51.50719 -0.12771 1560534125 66 open\n"
                  "( c4:6e:1f:0a:9b:12 ) Old_Lab | - 1560534129 61 open ad-hoc\n"
                  "reading 0 51.50721 -0.12764 1560534125 78\n"
                  "reading 1 51.50719 -0.12771 1560534125 66\n"
                  "reading 0 51.50734 -0.12802 1560534129 84\n"
                  "date 2019-06-14\n")
            << name;
    }
}

// Rows of many access points take turns with many AuthMode texts: each row's own text gives its
// class, however many texts came before.
TEST(WigleCsvReader, EveryRowClassedByItsOwnAuthMode) {
    std::vector<Fields> rowList;
    std::string expected;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 40; ++i) {
            char mac[18];
            std::snprintf(mac, sizeof mac, "02:00:00:00:00:%02x", i);
            Fields row = ap(mac, "n");
            row[2] = (i % 2 == 0 ? "[WPA2-PSK-" : "[ESS-") + std::to_string(i) + "]";
            rowList.push_back(row);
        }
    }
    const std::string text = read(file(k14, rowList));
    for (int i = 0; i < 40; ++i) {
        char mac[18];
        std::snprintf(mac, sizeof mac, ":%02x )", i);
        const std::string line = text.substr(text.find(mac));
        EXPECT_TRUE(line.substr(0, line.find('\n')).ends_with(i % 2 == 0 ? " protected" : " open"))
            << line.substr(0, line.find('\n'));
    }
}

// The SSID as written in the file, and the network name it gives: the text without its CSV
// quoting, blanks and all, as UTF-8.
TEST(WigleCsvReader, QuotedFieldsAndTheirText) {
    const std::string next = "( 00:00:00:00:00:02 ) next | 1.5 2.5 1560534125 89 open\n"
                             "reading 0 1.5 2.5 1560534125 99\nreading 1 1.5 2.5 1560534125 89\n"
                             "date 2019-06-14\n";
    for (const auto& [written, name] : std::vector<std::pair<std::string, std::string>>{
             {"\"Bob's Net, 5G\"", "Bob's Net, 5G"},
             {"\"say \"\"hi\"\"\"", "say \"hi\""},
             {"\"two\r\nlines, \"\"quoted\"\"\"", "two\r\nlines, \"quoted\""},
             {"\"cr\rinside\"", "cr\rinside"},
             {"ab\"c", "ab\"c"},
             {"\"my\"net\"", "my\"net"},
             {"\"\"", ""},
             {"\"Free\" Wifi", "\"Free\" Wifi"},
             {"\"  padded \t\"", "  padded \t"},
             {"Wycom Technology ", "Wycom Technology "},
             {" Banksia-Paediatrics-Staff", " Banksia-Paediatrics-Staff"},
             {"\"never closed", "\"never closed"},
             {"Caf\xC3\xA9 \xE2\x98\x95", "Caf\xC3\xA9 \xE2\x98\x95"},
             {"Caf\xE9", "Caf\xC3\xA9"},
         }) {
        const std::string text =
            file(k14, {ap("00:00:00:00:00:01", written), ap("00:00:00:00:00:02", "next", "-60")});
        EXPECT_EQ(read(text),
                  "0 \n( 00:00:00:00:00:01 ) " + name + " | 1.5 2.5 1560534125 99 open\n" + next);
    }
}

// A row between two good ones is left out, counted once under its reason, and spoils nothing: it
// adds no access point, reading or log date (it is a day later than the good ones). A row that
// ends in a radio's name before the Type column is that radio's when it holds as many fields as
// the columns the reader needs, and malformed when it holds fewer.
TEST(WigleCsvReader, RowsLeftOutAreCounted) {
    const Fields good = ap("00:00:00:00:00:01", "a");
    const auto spoilt = [&](size_t at, const std::string& value) {
        Fields row = {
            "00:00:00:00:00:02", "b", "[ESS]", "2019-06-15 08:00:00", "-50", "1.5", "2.5"};
        row.resize(kNamed.size(), "WIFI");
        row[at] = value;
        return rows(k14, {row});
    };
    const std::string head = kPreHeader + k14 + "\n";
    const std::string others = "rows of radios other than Wi-Fi: 1";
    const std::string malformed = "malformed rows: 1";
    const std::string outside = "rows with coordinates out of range: 1";
    for (const auto& [row, count] : std::vector<std::pair<std::string, std::string>>{
             {spoilt(7, "BLE"), others},
             {spoilt(7, ""), others},
             {spoilt(7, "ZIGBEE"), others},
             {"310260_12345_678,Carrier,,2019-06-15 08:00:00,6,-90,1.5,2.5,6,6,LTE\n", others},
             {"00:00:00:00:00:02,b,[ESS],2019-06-15 08:00:00,6,-50,1.5,BT\n", others},
             {"00:00:00:00:00:02,b,[ESS],2019-06-15 08:00:00,6,-50,BT\n", malformed},
             {"00:00:00:00:00:02,b,[ESS],2019-06-15 08:00:00,6,-50,1.5\n", malformed},
             {"00:00:00:00:00:02,b,[ESS],2019-06-15 08:00:00,6,-50,1.5,2.5,6,6\n", malformed},
             {spoilt(0, "00:00:00:00:02"), malformed},
             {spoilt(3, ""), malformed},
             {spoilt(4, "strong"), malformed},
             {spoilt(4, "1e300"), malformed},
             {spoilt(4, "-40000"), malformed},
             {spoilt(5, "N 1.5"), malformed},
             {spoilt(6, "nan"), malformed},
             {spoilt(5, "90.5"), outside},
             {spoilt(6, "-181"), outside},
         }) {
        const std::string text = head + rows(k14, {good}) + row + rows(k14, {good});
        EXPECT_EQ(read(text), read(head + rows(k14, {good, good})) + count + "\n") << row;
    }
}

// The waypoint is the strongest positioned row, the first of equals; the class is the last
// positioned row's. Rows at 0 / 0 make no reading and count only for an access point without a
// position. The log date is the latest FirstSeen, not the last.
TEST(WigleCsvReader, WaypointIsTheStrongestPositionedRow) {
    const std::string a = "00:00:00:00:00:0a", b = "00:00:00:00:00:0b", day = "2019-06-14 17:42:0";
    EXPECT_EQ(read(file(k14, {{a, "A", "[ESS]", day + "1", "-40", "0", "0"},
                              {a, "A", "[WEP]", day + "2", "-70", "47.1", "8.1"},
                              {b, "B", "[IBSS]", "2019-6-15 0:0:0", "-80", "0", "0"},
                              {a, "A", "[WEP]", day + "3", "-60", "47.2", "8.2"},
                              {b, "", "[WPA2][IBSS]", day + "4", "-75", "0", "0"},
                              {a, " A2 ", "[ESS]", day + "5", "-60", "47.3", "8.3"},
                              {a, "", "[WEP]", day + "6", "-50", "0", "0"},
                              {b, "B", "[WPA2][IBSS]", day + "3", "-90", "0", "0"}})),
              "0 \n( 00:00:00:00:00:0a )  A2  | 47.2 8.2 1560534123 89 open\n"
              "( 00:00:00:00:00:0b ) B | - 1560534124 74 protected ad-hoc\n"
              "reading 0 47.1 8.1 1560534122 79\nreading 0 47.2 8.2 1560534123 89\n"
              "reading 0 47.3 8.3 1560534125 89\ndate 2019-06-15\n");
}

// A quoted field that never closes began with a stray quote: its row's line is read with the
// quotes as they stand, and the rows after it as written, however they quote. So does one with a
// quote that neither doubles nor closes it on a line after its first (only a writer that keeps
// the rules puts a line break in quotes); the lines a record that was taken back had joined are
// read one line each.
TEST(WigleCsvReader, StrayQuotes) {
    const std::string head = kPreHeader + k14 + "\n";
    const std::string mac1 = "00:00:00:00:00:01", mac2 = "00:00:00:00:00:02";
    const std::string later = rows(k14, {ap("00:00:00:00:00:03", "\"Bob's Net, 5G\""),
                                         ap("00:00:00:00:00:04", "\"two\nlines\"")});
    const std::string rest = ",,2019-06-14 17:42:05,6,-50,1.5,2.5,6,6,WIFI\n";
    for (const auto& [written, asIf, count] :
         std::vector<std::tuple<std::string, std::string, std::string>>{
             {rows(k14, {ap(mac1, "\"Free\" Wifi"), ap(mac2, "\"Free\" Wifi")}) + later,
              rows(k14, {ap(mac1, "\"\"\"Free\"\" Wifi\""), ap(mac2, "\"\"\"Free\"\" Wifi\"")}) +
                  later,
              ""},
             {rows(k14, {ap(mac1, "\"never closed")}) + later,
              rows(k14, {ap(mac1, "\"\"\"never closed\"")}) + later, ""},
             {mac1 + ",\"two\n\"lines\" here\"" + rest + later, later, "malformed rows: 2\n"},
             {"00:00:00:00:00:0x,\"a\n" + mac2 + ",\"\"x\ny\"" + rest + later, later,
              "malformed rows: 3\n"},
         }) {
        EXPECT_EQ(read(head + written), read(head + asIf) + count) << written;
    }
}

// A large file is read in blocks on two threads, each block cut as if it started a row; rows
// over a cut (names over lines, stray quotes, overlong lines) still read as one thread reads them
// in blocks of a few bytes.
TEST(WigleCsvReader, LargeFilesReadAlikeInAnyBlocks) {
    std::vector<Fields> rowList;
    const std::vector<std::string> names = {"plain", "\"over\ntwo lines\"", "\"never closed",
                                            "\"Bob's Net, 5G\"", std::string(300, 'n')};
    for (int i = 0; i < 6000; ++i) {
        char mac[18];
        std::snprintf(mac, sizeof mac, "02:00:00:00:%02x:%02x", i / 7 % 256, i % 7);
        Fields row =
            ap(mac, names[static_cast<size_t>(i) % names.size()], std::to_string(-40 - i % 50));
        row.push_back(i % 11 == 0 ? "BT" : "WIFI");
        rowList.push_back(row);
    }
    const std::string bytes = file(k14, rowList);
    ASSERT_GT(bytes.size(), 4 * size_t{kSplitMinimum});
    const test::TempFolder folder;
    const std::string path = folder.write("survey.csv", bytes);
    std::vector<std::string> seen;
    for (const size_t block : {size_t{7}, size_t{80} << 10, size_t{128} << 10, size_t{1} << 20}) {
        ByteStream stream;
        ASSERT_EQ(stream.open(path), 0);
        Survey survey;
        seen.push_back(test::SurveyText(ReadWigleCsv(stream, survey, {block, 256}), survey));
        EXPECT_EQ(seen.back(), seen.front()) << "block " << block;
    }
    EXPECT_NE(seen.front().find("malformed rows: "), std::string::npos);
    EXPECT_NE(seen.front().find("rows of radios other than Wi-Fi: "), std::string::npos);
}

// A line longer than the longest record is skipped in one piece; a quote left open beyond it
// is a stray quote; a last line exactly as long is whole.
TEST(WigleCsvReader, OverlongLines) {
    const std::string head = kPreHeader + k14 + "\n";
    const std::string good = rows(k14, {ap("00:00:00:00:00:01", "a")});
    const std::string open = rows(k14, {ap("00:00:00:00:00:02", "\"b")});
    EXPECT_EQ(read(head + good + std::string(300, 'x') + "\n" + open + good + good, 128),
              read(head + good + open + good + good) + "malformed rows: 1\n");
    std::string last = rows(k14, {ap("00:00:00:00:00:01", std::string(120, 'a'))});
    last.pop_back();
    EXPECT_EQ(read(head + last, last.size()), read(head + last));
}

// Each text says the line it is about, as an editor counts them: empty lines and lines inside
// quotes count, CR LF is one line end.
TEST(WigleCsvReader, FilesThatAreNotWigleCsv) {
    const std::string noMac = "BSSID,SSID,AuthMode,FirstSeen,RSSI,Latitude,Longitude\n";
    for (const auto& [bytes, text] : std::vector<std::pair<std::string, std::string>>{
             {"", "Has no WigleWifi- line at its start (it holds no text)"},
             {"\n\r\n", "Has no WigleWifi- line at its start (it holds no text)"},
             {k14, "Has no WigleWifi- line at its start (line 1 does not start with WigleWifi-)"},
             {"\n\r\n\r" + k14,
              "Has no WigleWifi- line at its start (line 4 does not start with WigleWifi-)"},
             {"\n\n" + kPreHeader + k14, ""},
             {kPreHeader, "Has no WiGLE column line (no text follows line 1)"},
             {kPreHeader + "\n\n", "Has no WiGLE column line (no text follows line 1)"},
             {kPreHeader + "MAC,SSID,AuthMode,FirstSeen,RSSI,CurrentLatitude\n",
              "Has no WiGLE column line (no CurrentLongitude column in line 2)"},
             {kPreHeader + noMac, "Has no WiGLE column line (no MAC column in line 2)"},
             {"WigleWifi-1.4,\"a\r\nb\r\rc\"\r\n\r\n" + noMac,
              "Has no WiGLE column line (no MAC column in line 6)"},
         }) {
        EXPECT_EQ(read(bytes), "0 " + text + "\ndate \n") << bytes;
    }
}

// A gzip file that ends halfway through its one stored block: the stream's error, no text.
TEST(WigleCsvReader, ReadErrorGivesItsErrno) {
    std::string text = kPreHeader + k14 + "\n";
    while (text.size() < 1000) {
        text += rows(k14, {ap("00:00:00:00:00:01", "a")});
    }
    const auto size = static_cast<uint16_t>(text.size());
    std::string gzip("\x1f\x8b\x08\0\0\0\0\0\0\x03\x01", 11);
    for (const uint16_t half : {size, static_cast<uint16_t>(~size)}) {
        gzip += {static_cast<char>(half & 0xFF), static_cast<char>(half >> 8)};
    }
    EXPECT_EQ(read(gzip + text.substr(0, text.size() / 2)), std::to_string(kTruncatedGzip) + " \n");
}

} // namespace
} // namespace wavemark
