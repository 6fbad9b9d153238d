#include "maps/gtm/GtmRecords.h"
#include "platform/TextTrim.h"

namespace wavemark {
namespace {

constexpr int16_t kFormatVersion = 211;
constexpr int16_t kDatumWgs84 = 217;
constexpr int32_t kWhite = 0x00FFFFFF;

} // namespace

void GtmHeader::write(LittleEndianWriter& out) const {
    out.i16(kFormatVersion);
    out.fixedText("TrackMaker", 10);
    out.u8(0);
    out.u8(0);
    out.u8(8);
    out.u8(0);
    out.u8(0);
    out.u8(0);
    out.u8(0);
    out.i32(0);
    out.i32(kWhite);
    out.i32(styleCount);
    out.i32(0);
    out.i32(waypointCount);
    out.i32(trackpointCount);
    out.i32(0); // routes
    out.f32(maxlon);
    out.f32(minlon);
    out.f32(maxlat);
    out.f32(minlat);
    out.i32(0); // map images
    out.i32(trackCount);
    out.f32(0);
    out.f32(0);
    out.flag(true);
    out.flag(true);
    for (int i = 0; i < 8; ++i) {
        out.flag(false);
    }
    out.variableText("Times New Roman");
    out.variableText("");
    out.variableText("");
    out.variableText("");
}

void GtmDatum::write(LittleEndianWriter& out) const {
    out.i16(0);
    for (int i = 0; i < 4; ++i) {
        out.f64(0);
    }
    out.i16(kDatumWgs84);
    out.f64(0);
    out.f64(0);
    out.i16(0);
    out.i16(0);
    out.i16(0);
}

void GtmWaypoint::write(LittleEndianWriter& out) const {
    out.f64(lat);
    out.f64(lon);
    out.fixedText(name, 10);
    out.variableText(comment);
    out.i16(icon);
    out.u8(display);
    out.i32(time);
    out.i16(rotation);
    out.f32(altitude);
    out.i16(0);
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
    out.f64(lat);
    out.f64(lon);
    out.i32(time);
    out.u8(newTrack);
    out.f32(altitude);
}

void GtmTrack::write(LittleEndianWriter& out) const {
    out.variableText(Trim(name, kSpaces));
    out.u8(lineStyle);
    out.i32(color);
    out.f32(scale);
    out.u8(0);
    out.i16(0);
}

} // namespace wavemark
