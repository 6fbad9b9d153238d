#include "SurveyBuilder.h"

#include <array>
#include <string>

namespace wavemark {

namespace {

constexpr std::array<const char*, 4> kFilteredNames{"MOBILE", "public", "eurospot", "wlan@thenet"};

// Everyday names, a few of them close to a filter name without matching it
// (letter case and suffixes count).
constexpr std::array<const char*, 24> kPlainNames{
    "linksys",      "default", "NETGEAR", "WLAN",         "tsunami",         "Belkin54g",
    "dlink",        "ZyXEL",   "SMC",     "HOME",         "wireless",        "Apple Network",
    "hpsetup",      "3Com",    "Public",  "MOBILE-Guest", "eurospot-lounge", "ETH",
    "Hotel Limmat", "Kiosk",   "Praxis",  "Buero",        "Office",          "Library"};

// Names as Windows-1252 bytes, the way the scanner writes them (octal
// escapes, so that no following letter is taken as part of the escape).
constexpr std::array<const char*, 6> kAccentedNames{
    "Caf\351 Odeon",    "B\344ckerei M\374ller", "Z\374rich Stra\337e", "Se\361al Pe\361alol\351n",
    "M\366bel Pfister", "Cr\350me br\373l\351e"};

constexpr std::array<const char*, 10> kOuis{"00:0b:86", "00:0f:66", "00:09:5b", "00:30:65",
                                            "00:40:96", "00:02:2d", "00:12:17", "00:0c:41",
                                            "00:13:10", "00:90:4b"};

std::string hexDigits(uint64_t value, int count, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out(static_cast<size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i) {
        out[static_cast<size_t>(i)] = digits[value & 15];
        value >>= 4;
    }
    return out;
}

std::string plainName(Prng& rng) {
    switch (rng.below(8)) {
    case 0:
        return std::string("SpeedTouch") + hexDigits(rng.next(), 6, true);
    case 1:
        return std::string("Bluewin-") + std::to_string(rng.between(1000, 9999));
    case 2:
        return std::string("Cablecom-") + hexDigits(rng.next(), 4, true);
    case 3:
        return std::string("VTR-") + std::to_string(rng.between(100000, 999999));
    default:
        return kPlainNames[rng.below(kPlainNames.size())];
    }
}

std::string pickFlags(Prng& rng, bool wep) {
    // Capability bits as hex: 0001 infrastructure, 0010 WEP, 0020 short
    // preamble, 0400 short slot. A short preamble makes the third digit "2"
    // or "3", whose lowest bit still tells WEP.
    const uint64_t pick = rng.below(100);
    if (wep) {
        return pick < 60 ? "0011" : pick < 95 ? "0411" : "0031";
    }
    return pick < 60 ? "0001" : pick < 98 ? "0401" : "0021";
}

// Reading counts: a few access points heard exactly once, the others a
// skewed share of the rest, summing to `readings` exactly.
void assignReadings(std::vector<AccessPoint>& aps, int64_t readings, Prng& rng) {
    const auto count = static_cast<int64_t>(aps.size());
    const bool roomForSingles = count >= 10 && readings >= 2 * count;
    std::vector<uint64_t> weights(aps.size(), 0);
    uint64_t totalWeight = 0;
    int64_t assigned = 0;
    for (size_t i = 0; i < aps.size(); ++i) {
        const bool single = roomForSingles && i + 1 < aps.size() && rng.chance(100);
        aps[i].readings = single ? 1 : roomForSingles ? 2 : 1;
        assigned += aps[i].readings;
        if (!single) {
            weights[i] = (rng.below(1000) + 1) * (rng.below(1000) + 1);
            totalWeight += weights[i];
        }
    }
    const auto spare = static_cast<uint64_t>(readings - assigned);
    uint64_t given = 0;
    for (size_t i = 0; i < aps.size(); ++i) {
        const uint64_t share =
            spare / totalWeight * weights[i] + spare % totalWeight * weights[i] / totalWeight;
        aps[i].readings += static_cast<int64_t>(share);
        given += share;
    }
    for (size_t i = 0; given < spare; i = (i + 1) % aps.size()) {
        if (weights[i] > 0) {
            ++aps[i].readings;
            ++given;
        }
    }
}

} // namespace

std::string makeBssid(size_t index, const char* oui, uint64_t salt) {
    // An odd multiplier is a bijection modulo 2^24: suffixes never repeat.
    const uint64_t suffix = (index * 2654435761ull + salt) & 0xFFFFFF;
    const std::string hex = hexDigits(suffix, 6, false);
    return std::string(oui) + ":" + hex.substr(0, 2) + ":" + hex.substr(2, 2) + ":" +
           hex.substr(4, 2);
}

std::vector<AccessPoint> makeAccessPoints(size_t count, int64_t readings, Prng& rng) {
    std::vector<AccessPoint> aps(count);
    const uint64_t salt = rng.next();
    for (size_t i = 0; i < count; ++i) {
        AccessPoint& ap = aps[i];
        if (rng.chance(300)) {
            ap.ssid = kFilteredNames[rng.below(kFilteredNames.size())];
            ap.filtered = true;
        } else if (rng.chance(400)) {
            ap.ssid.clear();
        } else if (rng.chance(200)) {
            ap.ssid = kAccentedNames[rng.below(kAccentedNames.size())];
        } else {
            ap.ssid = plainName(rng);
        }
        ap.adhoc = rng.chance(150);
        if (ap.adhoc) {
            // Ad-hoc cells use a random, locally administered BSSID. The two
            // draws are separate statements, last octet first as the sample
            // was made: compilers evaluate the operands of "+" in different
            // orders.
            const uint64_t third = rng.next();
            const uint64_t second = rng.next();
            const std::string oui =
                std::string("02:") + hexDigits(second, 2, false) + ":" + hexDigits(third, 2, false);
            ap.bssid = makeBssid(i, oui.c_str(), salt);
            ap.flags = rng.chance(3000) ? "0012" : "0002";
        } else {
            ap.bssid = makeBssid(i, kOuis[rng.below(kOuis.size())], salt);
            ap.flags = pickFlags(rng, rng.chance(4500));
        }
        ap.summaryFix = rng.chance(100)  ? Fix::Zero
                        : rng.chance(30) ? Fix::OutOfRange
                                         : Fix::Position;
        ap.channel = rng.chance(8500) ? static_cast<int>(1 + 5 * rng.below(3))
                                      : static_cast<int>(rng.between(1, 13));
        ap.noise = static_cast<int>(rng.between(45, 52));
        ap.peakSnr = static_cast<int>(rng.between(10, 45));
    }
    assignReadings(aps, readings, rng);
    for (AccessPoint& ap : aps) {
        if (rng.chance(50)) {
            ap.lostSignalAt = static_cast<int64_t>(rng.below(static_cast<uint64_t>(ap.readings)));
        }
    }
    return aps;
}

} // namespace wavemark
