#include "survey/kismet/DeviceRecord.h"

#include <simdjson.h>

#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

namespace json = simdjson::ondemand;

// The general bits of Kismet's dot11_crypt set (packet_ieee80211.h), which
// its beacon parser sets beside the cipher and key management bits:
//   dot11_crypt_general_wep   1 << 0
//   dot11_crypt_general_wpa   1 << 1   any WPA
//   dot11_crypt_general_wpa1  1 << 2
//   dot11_crypt_general_wpa2  1 << 3
//   dot11_crypt_general_wpa3  1 << 4   also set with the OWE key management
constexpr uint64_t kProtectingBits = 0x1F;

struct SsidRecord {
    std::string ssid;
    std::optional<uint64_t> bitfield;
    std::optional<uint64_t> set;

    uint64_t crypt() const { return bitfield ? *bitfield : set.value_or(0); }
};

// Kismet writes each record as one object: its fields are read in the order
// they come, in one pass, whatever that order is.
bool readSsidRecord(json::value& value, SsidRecord& record) {
    json::object object;
    if (value.get_object().get(object)) {
        return false;
    }
    for (auto entry : object) {
        json::field field;
        if (std::move(entry).get(field)) {
            return false;
        }
        const json::raw_json_string key = field.key();
        if (key == "dot11.advertisedssid.ssid") {
            std::string_view ssid;
            if (field.value().get_string().get(ssid)) {
                return false;
            }
            record.ssid.assign(ssid);
        } else if (key == "dot11.advertisedssid.crypt_bitfield" ||
                   key == "dot11.advertisedssid.crypt_set") {
            uint64_t bits = 0;
            if (field.value().get_uint64().get(bits)) {
                return false;
            }
            (key == "dot11.advertisedssid.crypt_set" ? record.set : record.bitfield) = bits;
        }
    }
    return true;
}

// The SSID record of the Wi-Fi part of a device, false when it does not read.
bool readDot11(json::value& value, SsidRecord& chosen) {
    json::object object;
    if (value.get_object().get(object)) {
        return false;
    }
    std::optional<SsidRecord> last;
    std::optional<uint64_t> checksum;
    std::vector<std::pair<std::string, SsidRecord>> advertised;
    for (auto entry : object) {
        json::field field;
        if (std::move(entry).get(field)) {
            return false;
        }
        const json::raw_json_string key = field.key();
        if (key == "dot11.device.last_beaconed_ssid_record") {
            // A device that never beaconed has a 0 in its place.
            json::value& record = field.value();
            json::json_type type;
            if (record.type().get(type) == simdjson::SUCCESS && type == json::json_type::object) {
                last.emplace();
                if (!readSsidRecord(record, *last)) {
                    return false;
                }
            }
        } else if (key == "dot11.device.last_beaconed_ssid_checksum") {
            uint64_t sum = 0;
            if (field.value().get_uint64().get(sum)) {
                return false;
            }
            checksum = sum;
        } else if (key == "dot11.device.advertised_ssid_map") {
            // Older logs key it by checksum; newer ones write a list, whose
            // record they name as last_beaconed_ssid_record.
            json::object map;
            if (field.value().get_object().get(map)) {
                continue;
            }
            for (auto item : map) {
                json::field ssidField;
                std::string_view name;
                if (std::move(item).get(ssidField) || ssidField.unescaped_key().get(name)) {
                    return false;
                }
                std::pair<std::string, SsidRecord>& ssid = advertised.emplace_back();
                ssid.first.assign(name);
                if (!readSsidRecord(ssidField.value(), ssid.second)) {
                    return false;
                }
            }
        }
    }
    if (last) {
        chosen = std::move(*last);
    } else if (checksum) {
        for (auto& [name, record] : advertised) {
            uint64_t key = 0;
            const auto result = std::from_chars(name.data(), name.data() + name.size(), key);
            if (result.ec == std::errc() && result.ptr == name.data() + name.size() &&
                key == *checksum) {
                chosen = std::move(record);
                break;
            }
        }
    }
    return true;
}

} // namespace

bool IsProtectedCrypt(uint64_t crypt) {
    return (crypt & kProtectingBits) != 0;
}

struct DeviceRecordReader::Parser {
    json::parser parser;
    std::string padded; // the record and simdjson's padding behind it
};

DeviceRecordReader::DeviceRecordReader() : m_parser(std::make_unique<Parser>()) {}

DeviceRecordReader::~DeviceRecordReader() = default;

bool DeviceRecordReader::read(std::string_view text, DeviceRecord& record) {
    record = DeviceRecord{};
    std::string& padded = m_parser->padded;
    padded.assign(text);
    padded.resize(text.size() + simdjson::SIMDJSON_PADDING);
    json::document document;
    json::object object;
    if (m_parser->parser.iterate(padded.data(), text.size(), padded.size()).get(document) ||
        document.get_object().get(object)) {
        return false;
    }
    SsidRecord ssid;
    for (auto entry : object) {
        json::field field;
        if (std::move(entry).get(field)) {
            return false;
        }
        const json::raw_json_string key = field.key();
        if (key == "kismet.device.base.type") {
            std::string_view type;
            if (field.value().get_string().get(type)) {
                return false;
            }
            record.kind = type == "Wi-Fi AP"       ? DeviceRecord::Kind::AccessPoint
                          : type == "Wi-Fi Ad-Hoc" ? DeviceRecord::Kind::AdHoc
                                                   : DeviceRecord::Kind::Other;
        } else if (key == "dot11.device") {
            if (!readDot11(field.value(), ssid)) {
                return false;
            }
        }
    }
    record.ssid = std::move(ssid.ssid);
    record.crypt = ssid.crypt();
    return true;
}

} // namespace wavemark
