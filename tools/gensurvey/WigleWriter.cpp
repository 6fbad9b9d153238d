#include "WigleWriter.h"

#include "CivilTime.h"
#include "ReadingWalk.h"
#include "platform/Windows1252.h"

#include <array>
#include <string>
#include <string_view>

namespace wavemark {

namespace {

// RFC 4180: a field with a comma, a quote or a line break is quoted, and a
// quote inside is doubled; `always` quotes one that need not be.
void appendField(std::string& out, std::string_view field, bool always = false) {
    if (!always && field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
    } else {
        out += '"';
        for (const char c : field) {
            out += c == '"' ? "\"\"" : std::string_view(&c, 1);
        }
        out += '"';
    }
    out += ',';
}

std::string signedDegrees(int64_t units) {
    return std::string(units < 0 ? "-" : "").append(degreesText(units));
}

// Spellings of the same two classes by different writers: Android's
// capability lists, Kismet's, ESP32 firmware's.
constexpr std::array<const char*, 5> kProtected = {
    "[WEP][ESS]", "[WPA2-PSK-CCMP][RSN-PSK-CCMP][ESS]",
    "[WPS] [WPA-PSK-CCMP+TKIP] [WPA2-PSK-CCMP+TKIP][ESS]", "[WPA_WPA2_PSK]", "[RSN-SAE-CCMP][ESS]"};
constexpr std::array<const char*, 4> kOpen = {"[ESS]", "", "[OPEN]", "[ESS][WPS]"};

std::string authMode(const AccessPoint& ap, size_t index) {
    const bool wep = (std::stoi(ap.flags, nullptr, 16) & 0x0010) != 0;
    if (ap.adhoc) {
        return wep ? "[WEP][IBSS]" : "[IBSS]";
    }
    return wep ? kProtected[index % kProtected.size()] : kOpen[index % kOpen.size()];
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

struct Row {
    std::string_view mac;
    std::string_view ssid;
    std::string_view auth;
    int64_t time;
    int channel;
    int rssi;
    const Step* step; // nullptr: no fix
    std::string_view type;
    bool quoteSsid = false;
    bool quoteTime = false;
    bool short16 = false; // Kismet's 1.6 Wi-Fi row: no RCOIs or MfgrId, Type in their place
};

void appendRow(std::string& out, WigleVersion version, const Row& row) {
    appendField(out, row.mac);
    appendField(out, row.ssid, row.quoteSsid);
    appendField(out, row.auth);
    std::string time;
    appendDate(time, row.time);
    time += ' ';
    appendClock(time, row.time);
    appendField(out, time, row.quoteTime);
    appendField(out, std::to_string(row.channel));
    if (version == WigleVersion::V1_6) {
        appendField(out, row.type == "WIFI" ? std::to_string(2407 + 5 * row.channel) : "");
    }
    appendField(out, std::to_string(row.rssi));
    const bool fix = row.step != nullptr && row.step->fix == Fix::Position;
    appendField(out, fix ? signedDegrees(row.step->lat) : "0.0000000");
    appendField(out, fix ? signedDegrees(row.step->lon) : "0.0000000");
    appendField(out, std::to_string(400 + row.time % 37) + ".0");
    appendField(out, "4.0");
    if (version == WigleVersion::V1_6 && !row.short16) {
        appendField(out, "");
        appendField(out, row.type == "BLE" ? "76" : "");
    }
    out += row.type;
    out += version == WigleVersion::V1_6 ? "\n" : "\r\n";
}

} // namespace

void writeWigleCsv(const Survey& survey, WigleVersion version, BufferedFile& out) {
    const bool v16 = version == WigleVersion::V1_6;
    std::string& text = out.buffer();
    if (v16) {
        text += "WigleWifi-1.6,appRelease=0.1,model=gensurvey,release=1,device=wavemark,"
                "display=none,board=none,\"brand=Wavemark, synthetic\",star=Sol,body=3,subBody=0\n"
                "MAC,SSID,AuthMode,FirstSeen,Channel,Frequency,RSSI,CurrentLatitude,"
                "CurrentLongitude,AltitudeMeters,AccuracyMeters,RCOIs,MfgrId,Type\n";
    } else {
        text += "WigleWifi-1.4,appRelease=0.1,model=gensurvey,release=1,device=wavemark,"
                "display=none,board=none,brand=Wavemark\r\n"
                "MAC,SSID,AuthMode,FirstSeen,Channel,RSSI,CurrentLatitude,CurrentLongitude,"
                "AltitudeMeters,AccuracyMeters,Type\r\n";
    }
    std::vector<std::string> macs, ssids, auths;
    for (size_t i = 0; i < survey.aps.size(); ++i) {
        macs.push_back(i % 5 == 0 ? upper(survey.aps[i].bssid) : survey.aps[i].bssid);
        ssids.push_back(FromWindows1252(survey.aps[i].ssid));
        auths.push_back(authMode(survey.aps[i], i));
    }
    uint64_t count = 0;
    forEachReading(survey, [&](const HeardReading& reading) {
        const AccessPoint& ap = survey.aps[reading.ap];
        const Step& step = survey.steps[reading.step];
        ++count;
        // Other radios heard on the way, at the same moment and place.
        if (count % 97 == 13) {
            appendRow(text, version,
                      {"5e:3a:91:07:d2:4b", "", "Misc [LE]", step.time, 0, -77, &step, "BLE", false,
                       false, false});
        }
        if (count % 211 == 50) {
            appendRow(text, version,
                      {v16 ? "22801_1234_5678901" : "22801_1234_56789", "Swisscom",
                       v16 ? "LTE;22801" : "GSM;22801", step.time, v16 ? 1300 : 62, -91, &step,
                       v16 ? "LTE" : "GSM", false, false, false});
        }
        appendRow(text, version,
                  {macs[reading.ap], ssids[reading.ap], auths[reading.ap], step.time, ap.channel,
                   reading.signal - 149, &step, "WIFI", reading.ap % 10 == 0, count % 50 == 0,
                   v16 && count % 101 == 0});
        out.flushIfFull();
    });
}

} // namespace wavemark
