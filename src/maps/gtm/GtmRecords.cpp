#include "maps/gtm/GtmRecords.h"
#include "platform/TextTrim.h"

namespace wavemark {
namespace {

constexpr int32_t kBlack = 0x00000000;
constexpr int32_t kWhite = 0x00FFFFFF;

// The header fields every file carries the same, in file order, named for
// what they set when the file is opened. Reserved fields stay 0, false or
// empty.
namespace header {
constexpr int16_t kVersion = 211;
constexpr std::string_view kCode = "TrackMaker";
constexpr size_t kCodeWidth = 10;
constexpr uint8_t kThickMapLines = 0;
constexpr uint8_t kReservedByte = 0; // vwt, wptnum, usernum and ndatum in the format's terms
constexpr uint8_t kGridFontSize = 8;
constexpr uint8_t kIconColor = 0; // black, for a light background
constexpr int32_t kGridColor = kBlack;
constexpr int32_t kBackgroundColor = kWhite;
constexpr int32_t kWaypointTextColor = kBlack;
constexpr int32_t kRoutepointCount = 0;
constexpr int32_t kMapImageCount = 0;
constexpr float kLayerCount = 0;    // reserved
constexpr float kUserIconCount = 0; // reserved
constexpr bool kRectangularCoordinates = true;
constexpr bool kTrueGrid = true;
constexpr int32_t kTrackLabelColor = kBlack;
constexpr bool kReservedFontStyle = false; // bold, italic, underline, strikeout
constexpr bool kHasMapImages = false;
constexpr int16_t kTrackLabelSize = 0;
constexpr std::string_view kGridFont = "Times New Roman";
constexpr std::string_view kTrackLabelFont = "";
constexpr std::string_view kReservedText = ""; // a user font and a datum name
} // namespace header

// Grid and datum. Only the datum number counts here: the user grid and the
// user datum apply only when the grid or datum number selects them.
namespace datum {
constexpr int16_t kGridUtm = 0;
constexpr double kUserGridUnused = 0; // origin, false easting, scale, false northing
constexpr int16_t kWgs84 = 217;
constexpr double kUserDatumUnused = 0; // semi-major axis, flattening
constexpr int16_t kUserDatumShiftUnused = 0;
} // namespace datum

// Reserved trailing fields of waypoints and tracks.
constexpr int16_t kNoLayer = 0;
constexpr uint8_t kNoTrackLabel = 0;

// The fixed-size records list their fields once, for both the file and the
// byte count that checks their sizes below.
template <class Out> constexpr void writeFields(const GtmHeader& h, Out& out) {
    using namespace header;
    out.i16(kVersion);
    out.fixedText(kCode, kCodeWidth);
    out.u8(kThickMapLines);
    out.u8(kReservedByte);
    out.u8(kGridFontSize);
    out.u8(kReservedByte);
    out.u8(kReservedByte);
    out.u8(kIconColor);
    out.u8(kReservedByte);
    out.i32(kGridColor);
    out.i32(kBackgroundColor);
    out.i32(h.styleCount);
    out.i32(kWaypointTextColor);
    out.i32(h.waypointCount);
    out.i32(h.trackpointCount);
    out.i32(kRoutepointCount);
    out.f32(h.maxlon);
    out.f32(h.minlon);
    out.f32(h.maxlat);
    out.f32(h.minlat);
    out.i32(kMapImageCount);
    out.i32(h.trackCount);
    out.f32(kLayerCount);
    out.f32(kUserIconCount);
    out.flag(kRectangularCoordinates);
    out.flag(kTrueGrid);
    out.i32(kTrackLabelColor);
    for (int style = 0; style < 4; ++style) {
        out.flag(kReservedFontStyle);
    }
    out.flag(kHasMapImages);
    out.i16(kTrackLabelSize);
    out.variableText(kGridFont);
    out.variableText(kTrackLabelFont);
    out.variableText(kReservedText);
    out.variableText(kReservedText);
}

template <class Out> constexpr void writeFields(const GtmDatum&, Out& out) {
    using namespace datum;
    out.i16(kGridUtm);
    for (int field = 0; field < 4; ++field) {
        out.f64(kUserGridUnused);
    }
    out.i16(kWgs84);
    out.f64(kUserDatumUnused);
    out.f64(kUserDatumUnused);
    for (int axis = 0; axis < 3; ++axis) {
        out.i16(kUserDatumShiftUnused);
    }
}

template <class Out> constexpr void writeFields(const GtmTrackpoint& p, Out& out) {
    out.f64(p.lat);
    out.f64(p.lon);
    out.i32(p.time);
    out.u8(p.newTrack);
    out.f32(p.altitude);
}

template <class Record> constexpr size_t fieldBytes(const Record& record) {
    ByteCount count;
    writeFields(record, count);
    return count.size();
}

static_assert(fieldBytes(GtmHeader{}) == GtmHeader::kSize);
static_assert(fieldBytes(GtmDatum{}) == GtmDatum::kSize);
static_assert(fieldBytes(GtmTrackpoint{}) == GtmTrackpoint::kSize);

} // namespace

void GtmHeader::write(LittleEndianWriter& out) const {
    writeFields(*this, out);
}

void GtmDatum::write(LittleEndianWriter& out) const {
    writeFields(*this, out);
}

void GtmWaypoint::write(LittleEndianWriter& out) const {
    out.f64(lat);
    out.f64(lon);
    out.fixedText(name, kNameWidth);
    out.variableText(comment);
    out.i16(icon);
    out.u8(display);
    out.i32(time);
    out.i16(rotation);
    out.f32(altitude);
    out.i16(kNoLayer);
}

void GtmWaypointStyle::write(LittleEndianWriter& out) const {
    out.i32(style.Height);
    out.variableText(style.FaceName);
    out.u8(style.Display);
    out.i32(style.Color);
    out.i32(style.Weight);
    out.i32(style.Scale);
    out.u8(style.Border);
    out.i16(style.Background);
    out.i32(style.BackColor);
    out.u8(style.Italic);
    out.u8(style.Underline);
    out.u8(style.StrikeOut);
    out.u8(style.Alignment);
}

void GtmTrackpoint::write(LittleEndianWriter& out) const {
    writeFields(*this, out);
}

void GtmTrack::write(LittleEndianWriter& out) const {
    out.variableText(Trim(name, kSpaces));
    out.u8(lineStyle);
    out.i32(color);
    out.f32(scale);
    out.u8(kNoTrackLabel);
    out.i16(kNoLayer);
}

} // namespace wavemark
