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

// Markup characters become entities, Windows-1252 bytes UTF-8, a CR a reference, and a
// control character XML cannot hold the replacement character; tab and line feed stay.
TEST(XmlOut, TextIsEscapedAndTurnedIntoUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\xE9 <Odeon> & \"Bar\" 'n' co",
         "Caf\xC3\xA9 &lt;Odeon&gt; &amp; &quot;Bar&quot; &apos;n&apos; co"},
        {"\x80\x81\x9F\xFF", "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xBF"},
        {std::string("a\0b\x01\x1F\x7F", 6), "a\xEF\xBF\xBD"
                                             "b\xEF\xBF\xBD\xEF\xBF\xBD\x7F"},
        {"1\t2\n3\r4", "1\t2\n3&#13;4"},
        {"]]>", "]]&gt;"},
        {"", ""},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(written([&bytes = bytes](XmlOut& xml) { xml.text(bytes); }), expected) << bytes;
    }
    EXPECT_EQ(written([](XmlOut& xml) {
                  xml << "<a>";
                  xml.text("<") << "</a>";
              }),
              "<a>&lt;</a>");
}

// Coordinates never take an exponent, however small the number, and read back as the same
// double; floats take their shortest form.
TEST(XmlOut, DecimalsHaveNoExponent) {
    const std::string tiny = written([](XmlOut& xml) { xml.decimal(5e-324); });
    EXPECT_EQ(tiny.find_first_of("eE"), std::string::npos);
    EXPECT_EQ(tiny.substr(0, 6), "0.0000");
    double back = 0;
    std::from_chars(tiny.data(), tiny.data() + tiny.size(), back);
    EXPECT_EQ(back, 5e-324);

    EXPECT_EQ(written([](XmlOut& xml) {
                  xml.number(70.0f) << " ";
                  xml.number(-32618.0f) << " ";
                  xml.number(79.5f);
              }),
              "70 -32618 79.5");
}

// Seven-decimal coordinates take a fast path of their own: it must give what the standard
// library's shortest fixed form gives, for them and for every other double.
TEST(XmlOut, FastDecimalsAgreeWithTheStandardLibrary) {
    std::mt19937_64 random(20261206);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1e-7,
                                  -1e-7,
                                  179.9999999,
                                  -180.0,
                                  99999999.9999999,
                                  1e8,
                                  12345678.1234567,
                                  0.1 + 0.2,
                                  47.3765130,
                                  2.5e-8};
    for (int i = 0; i < 200000; ++i) {
        const auto tenMillionths = static_cast<int64_t>(random() % 3600000001) - 1800000000;
        values.push_back(static_cast<double>(tenMillionths) / 1e7);
        values.push_back(static_cast<double>(tenMillionths) / 1e9);
        values.push_back(std::uniform_real_distribution<double>(-180, 180)(random));
    }
    for (const double value : values) {
        std::array<char, 400> digits;
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                       std::chars_format::fixed)
                             .ptr;
        ASSERT_EQ(written([value](XmlOut& xml) { xml.decimal(value); }),
                  std::string(digits.data(), end))
            << std::hexfloat << value;
    }
}

// Survey times count from 1989-12-31, Unix times from 1970-01-01; both come out as UTC.
TEST(XmlOut, TimesAreIsoUtc) {
    EXPECT_EQ(written([](XmlOut& xml) {
                  for (const int64_t t : {0LL, 450362096LL, 450362097LL, 2147483647LL, -1LL}) {
                      xml.surveyTime(t) << " ";
                  }
                  xml.unixTime(1796594118);
              }),
              "1989-12-31T00:00:00Z 2004-04-08T12:34:56Z 2004-04-08T12:34:57Z "
              "2058-01-18T03:14:07Z 1989-12-30T23:59:59Z 2026-12-06T21:55:18Z");
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
