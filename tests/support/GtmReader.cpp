#include "GtmReader.h"

#include <cstring>
#include <stdexcept>

namespace wavemark::test {
namespace {

class ByteCursor {
public:
    explicit ByteCursor(const std::string& bytes) : m_bytes(bytes) {}

    template <typename T> T next() {
        need(sizeof(T));
        uint64_t value = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            value |= uint64_t{static_cast<uint8_t>(m_bytes[m_pos + i])} << (8 * i);
        }
        m_pos += sizeof(T);
        T result;
        std::memcpy(&result, &value, sizeof(T));
        return result;
    }
    std::string fixed(size_t size) {
        need(size);
        m_pos += size;
        return m_bytes.substr(m_pos - size, size);
    }
    std::string text() { return fixed(next<uint16_t>()); }
    void skip(size_t size) { fixed(size); }
    bool atEnd() const { return m_pos == m_bytes.size(); }

private:
    void need(size_t size) const {
        if (m_pos + size > m_bytes.size()) {
            throw std::out_of_range("GTM file ends early");
        }
    }

    const std::string& m_bytes;
    size_t m_pos = 0;
};

GtmFile readFile(ByteCursor& in) {
    GtmFile f;
    if (in.next<int16_t>() != 211 || in.fixed(10) != "TrackMaker") {
        throw std::invalid_argument("not a GTM file");
    }
    in.skip(7 + 4 + 4);
    f.styleCount = in.next<int32_t>();
    in.skip(4);
    f.waypointCount = in.next<int32_t>();
    f.trackpointCount = in.next<int32_t>();
    in.skip(4);
    f.maxlon = in.next<float>();
    f.minlon = in.next<float>();
    f.maxlat = in.next<float>();
    f.minlat = in.next<float>();
    in.skip(4);
    f.trackCount = in.next<int32_t>();
    in.skip(8 + 20);
    for (int i = 0; i < 4; ++i) {
        in.text();
    }
    in.skip(58);
    for (int32_t i = 0; i < f.waypointCount; ++i) {
        GtmFile::Waypoint w{};
        w.lat = in.next<double>();
        w.lon = in.next<double>();
        w.name = in.fixed(10);
        w.comment = in.text();
        w.icon = in.next<int16_t>();
        w.display = in.next<uint8_t>();
        w.time = in.next<int32_t>();
        in.skip(2);
        w.altitude = in.next<float>();
        in.skip(2);
        f.waypoints.push_back(w);
    }
    for (int32_t s = 0; f.waypointCount > 0 && s < f.styleCount; ++s) {
        WaypointStyle st;
        st.Height = in.next<int32_t>();
        st.FaceName = in.text();
        st.Display = in.next<uint8_t>();
        st.Color = in.next<int32_t>();
        st.Weight = in.next<int32_t>();
        st.Scale = in.next<int32_t>();
        st.Border = in.next<uint8_t>();
        st.Background = in.next<int16_t>();
        st.BackColor = in.next<int32_t>();
        st.Italic = in.next<uint8_t>();
        st.Underline = in.next<uint8_t>();
        st.StrikeOut = in.next<uint8_t>();
        st.Alignment = in.next<uint8_t>();
        f.styles.push_back(st);
    }
    for (int32_t i = 0; i < f.trackpointCount; ++i) {
        GtmFile::Trackpoint p{};
        p.lat = in.next<double>();
        p.lon = in.next<double>();
        p.time = in.next<int32_t>();
        p.newTrack = in.next<uint8_t>();
        p.altitude = in.next<float>();
        f.trackpoints.push_back(p);
    }
    for (int32_t j = 0; f.trackpointCount > 0 && j < f.trackCount; ++j) {
        GtmFile::Track t{};
        t.name = in.text();
        t.lineStyle = in.next<uint8_t>();
        t.color = in.next<int32_t>();
        in.skip(4 + 1 + 2);
        f.tracks.push_back(t);
    }
    return f;
}

} // namespace

std::optional<GtmFile> ReadGtmFile(const std::string& bytes) {
    ByteCursor in(bytes);
    try {
        GtmFile file = readFile(in);
        return in.atEnd() ? std::optional<GtmFile>(std::move(file)) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace wavemark::test
