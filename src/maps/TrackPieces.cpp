#include "maps/TrackPieces.h"

#include "maps/TrackPoints.h"
#include "platform/OrderedPieces.h"

#include <array>

namespace wavemark {
namespace {

// About 300 KB of GPX: large enough that the handing over is cheap, small
// enough that the pieces in flight add little to the peak.
constexpr size_t kPiecePoints = 4096;

struct Piece {
    size_t first = 0; // tracks [first, end)
    size_t end = 0;
    bool straight = false; // one long track, formatted into the file
    std::string text;
};

} // namespace

bool WriteTrackPieces(const ConversionData& data, BufferedFile& file, const TrackText& text) {
    std::array<Piece, kPiecesInFlight> pieces;
    bool failed = false;
    OrderedPieces run(
        pieces.size(),
        [&](size_t slot) {
            Piece& piece = pieces[slot];
            piece.text.clear();
            for (size_t t = piece.first; t < piece.end && !piece.straight; ++t) {
                text(piece.text, t, nullptr);
            }
        },
        [&](size_t slot) {
            Piece& piece = pieces[slot];
            if (failed) {
                return;
            }
            if (piece.straight) {
                failed = !text(file.buffer(), piece.first, &file) || !file.flushIfFull();
            } else {
                file.buffer() += piece.text;
                failed = !file.flushIfFull();
            }
        });
    const auto count = static_cast<size_t>(data.TrkCount);
    for (size_t t = 1; t <= count && !failed;) {
        Piece& piece = pieces[run.freeSlot()];
        piece.first = t;
        size_t points = 0;
        for (; t <= count; ++t) {
            const TrackPoints track = TrackPointsOf(data, t);
            const size_t length = track.end - track.first;
            if (points > 0 && points + length > kPiecePoints) {
                break;
            }
            points += length;
        }
        piece.end = t;
        piece.straight = points > kPiecePoints;
        run.add(!piece.straight && static_cast<size_t>(data.TrkPointCount) > kPiecePoints);
    }
    run.finish();
    return !failed;
}

} // namespace wavemark
