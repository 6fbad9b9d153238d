#include "maps/gtm/GtmWriter.h"

#include "maps/gtm/GtmRecords.h"
#include "maps/gtm/GtmText.h"
#include "maps/gtm/LittleEndianWriter.h"
#include "maps/gtm/MapLimits.h"
#include "platform/BufferedFile.h"
#include "survey/SurveyTime.h"

namespace wavemark {

// GTM has no field for a signal level: the waypoints and trackpoints carry it
// as their altitude.
bool WriteGtm(const ConversionData& data, const MapContext&, BufferedFile& file) {
    LittleEndianWriter out(file.buffer());
    GtmHeader header;
    header.styleCount = data.WptStyleCount;
    header.waypointCount = data.WptCount;
    header.trackpointCount = data.TrkPointCount;
    header.trackCount = data.TrkCount;
    calculate_limits(data, header.maxlon, header.minlon, header.maxlat, header.minlat);
    header.write(out);
    GtmDatum{}.write(out);

    GtmText name;
    GtmText comment;
    if (data.WptCount > 0) {
        for (size_t i = 1; i <= static_cast<size_t>(data.WptCount); ++i) {
            GtmWaypoint{data.WptLat[i],
                        data.WptLon[i],
                        name.of(data.WptName[i]),
                        comment.of(data.WptComment[i]),
                        data.WptIcon[i],
                        data.WptDisplay[i],
                        GtmTimeOf(UnpackTime(data.WptTime[i])),
                        data.WptRotation[i],
                        data.WptSignal[i]}
                .write(out);
            if (!file.flushIfFull()) {
                return false;
            }
        }
        for (size_t s = 1; s <= static_cast<size_t>(data.WptStyleCount); ++s) {
            GtmWaypointStyle{data.WptStyles[s]}.write(out);
        }
    }
    if (data.TrkPointCount > 0) {
        // GTM knows a track by a flag on its first point. The loop steps past
        // a track without points too, so that it cannot hold back the flags
        // of the tracks after it.
        const auto trackCount = static_cast<size_t>(data.TrkCount);
        size_t nextTrack = 1;
        for (size_t i = 1; i <= static_cast<size_t>(data.TrkPointCount); ++i) {
            uint8_t newTrack = 0;
            while (nextTrack <= trackCount &&
                   static_cast<size_t>(data.TrkFirstPoint[nextTrack]) == i) {
                newTrack = 1;
                ++nextTrack;
            }
            GtmTrackpoint{data.TptLat[i], data.TptLon[i], GtmTimeOf(UnpackTime(data.TptTime[i])),
                          newTrack, data.TptSignal[i]}
                .write(out);
            if (!file.flushIfFull()) {
                return false;
            }
        }
        for (size_t j = 1; j <= static_cast<size_t>(data.TrkCount); ++j) {
            GtmTrack{name.of(data.TrkName[j]), static_cast<uint8_t>(data.TrkLineStyle[j]),
                     data.TrkColor[j], data.TrkScale[j]}
                .write(out);
            if (!file.flushIfFull()) {
                return false;
            }
        }
    }
    return true;
}

} // namespace wavemark
