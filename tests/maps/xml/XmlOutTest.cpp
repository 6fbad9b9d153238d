#include "maps/xml/XmlOut.h"

#include <array>
#include <charconv>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace wavemark {
namespace {

template <typename Write> std::string written(Write write) {
    std::string buffer;
    XmlOut xml(buffer);
    write(xml);
    return buffer;
}

// Markup characters become entities, a CR a reference; UTF-8 stays, whole names of any script;
// a byte that is no UTF-8, a non-character or a control character XML cannot hold becomes the
// replacement character; tab and line feed stay.
TEST(XmlOut, TextIsEscapedUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\xC3\xA9 <Odeon> & \"Bar\" 'n' co",
         "Caf\xC3\xA9 &lt;Odeon&gt; &amp; &quot;Bar&quot; &apos;n&apos; co"},
        {"\xE8\xBF\x9E\xE8\xBF\x99\xE4\xB8\xAAWIFI \xF0\x9F\x90\x8D \xC2\x81",
         "\xE8\xBF\x9E\xE8\xBF\x99\xE4\xB8\xAAWIFI \xF0\x9F\x90\x8D \xC2\x81"},
        {"\xE9t\xC3 \xEF\xBF\xBE\xED\xA0\x80",
         "\xEF\xBF\xBDt\xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {std::string("a\0b\x01\x1F\x7F", 6), "a\xEF\xBF\xBD"
                                             "b\xEF\xBF\xBD\xEF\xBF\xBD\x7F"},
        {"1\t2\n3\r4", "1\t2\n3&#13;4"},
        {"]]>", "]]&gt;"},
        {"", ""},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(written([&bytes = bytes](XmlOut& xml) { xml.text(bytes); }), expected) << bytes;
    }
}

// Coordinates never take an exponent nor more than nine decimals, however small the number;
// floats take their shortest form.
TEST(XmlOut, DecimalsHaveNoExponentAndNineDecimalsAtMost) {
    EXPECT_EQ(written([](XmlOut& xml) {
                  for (const double value : {5e-324, 1e-24, -1e-24, 12.3456789012, -0.0000000016}) {
                      xml.decimal(value) << " ";
                  }
                  xml.number(70.0f) << " ";
                  xml.number(-32618.0f) << " ";
                  xml.number(79.5f);
              }),
              "0 0 0 12.345678901 -0.000000002 70 -32618 79.5");
}

// Coordinates of seven decimals or fewer, every survey's, take the shortest form that reads back
// as the same double, as the standard library gives it; any other double is rounded to nine
// decimals.
TEST(XmlOut, DecimalsAreShortestOrNineDecimals) {
    std::mt19937_64 random(20261206);
    std::vector<std::pair<double, bool>> values = {
        {0.0, true},        {1e-7, true},    {-1e-7, true},           {179.9999999, true},
        {-180.0, true},     {1e8, true},     {47.3765130, true},      {99999999.9999999, true},
        {0.1 + 0.2, false}, {2.5e-8, false}, {12345678.1234567, true}};
    for (int i = 0; i < 200000; ++i) {
        const auto tenMillionths = static_cast<int64_t>(random() % 3600000001) - 1800000000;
        values.emplace_back(static_cast<double>(tenMillionths) / 1e7, true);
        values.emplace_back(static_cast<double>(tenMillionths) / 1e9, false);
        values.emplace_back(std::uniform_real_distribution<double>(-180, 180)(random), false);
    }
    for (const auto& [value, sevenDecimals] : values) {
        const std::string text = written([value = value](XmlOut& xml) { xml.decimal(value); });
        if (sevenDecimals) {
            std::array<char, 400> digits;
            const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed)
                                 .ptr;
            ASSERT_EQ(text, std::string(digits.data(), end)) << std::hexfloat << value;
            continue;
        }
        const size_t point = text.find('.');
        ASSERT_LE(point == std::string::npos ? 0 : text.size() - point - 1, 9u) << text;
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_NEAR(back, value, 5e-10) << text;
    }
}

// UTC seconds since 1970, before it too, come out as ISO 8601 UTC.
TEST(XmlOut, TimesAreIsoUtc) {
    EXPECT_EQ(written([](XmlOut& xml) {
                  for (const int64_t t : {0LL, 1081427696LL, 486475200LL, -1LL}) {
                      xml.time(t) << " ";
                  }
                  xml.time(1796594118);
              }),
              "1970-01-01T00:00:00Z 2004-04-08T12:34:56Z 1985-06-01T12:00:00Z "
              "1969-12-31T23:59:59Z 2026-12-06T21:55:18Z");
}

// A line put together in place holds what the same parts appended one by one give, also when
// runs of the most a run may hold (the longest decimals, all its markup, a time) outgrow its room.
TEST(XmlOut, LineHoldsWhatPartsAppendedGive) {
    const std::string trkpt = "<trkpt lat=\"\" lon=\"\"></trkpt>\n";
    const std::string markup(XmlOut::Line::kRunMarkup - trkpt.size(), 'x');
    constexpr int kRounds = 24;
    const auto parts = [&markup](auto& out, int round) {
        const double lon = round % 2 == 0 ? -1.7e308 : -0.0;
        out << "<trkpt lat=\"";
        out.decimal(-47.3743 - round, XmlOut::kMostDecimals) << "\" lon=\"";
        out.decimal(lon, XmlOut::kMostDecimals) << "\">" << markup;
        out.time(1081427696 + 86400LL * round) << "</trkpt>\n";
    };
    const std::string each = written([&parts](XmlOut& xml) {
        for (int round = 0; round < kRounds; ++round) {
            parts(xml, round);
        }
    });
    const std::string inLine = written([&parts](XmlOut& xml) {
        XmlOut::Line line(xml);
        for (int round = 0; round < kRounds; ++round) {
            XmlOut::Line::Run run(line);
            parts(run, round);
        }
    });
    EXPECT_EQ(inLine, each);
    EXPECT_NE(each.find("lat=\"-49.3743\" lon=\"-16999999"), std::string::npos);
    EXPECT_NE(each.find("lat=\"-48.3743\" lon=\"-0\">xxx"), std::string::npos);
    EXPECT_NE(each.find("2004-04-10T12:34:56Z</trkpt>\n"), std::string::npos);
}

// 0x00BBGGRR as GPX's RRGGBB and KML's opaque aabbggrr.
TEST(XmlOut, Colours) {
    EXPECT_EQ(written([](XmlOut& xml) {
                  xml.rgbHex(0x408000) << " ";
                  xml.kmlColor(0x408000);
              }),
              "008040 ff408000");
    EXPECT_EQ(written([](XmlOut& xml) {
                  xml.rgbHex(0x0A0B0C) << " ";
                  xml.kmlColor(0xFFFFFF);
              }),
              "0C0B0A ffffffff");
}

} // namespace
} // namespace wavemark
