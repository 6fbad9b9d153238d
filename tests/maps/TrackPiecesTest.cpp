#include "maps/TrackPieces.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace wavemark {
namespace {

// Tracks of every size a survey has: empty ones, short runs that share a
// piece, and tracks too long for one, which go straight into the file.
ConversionData tracksOf(const std::vector<int32_t>& lengths) {
    ConversionData data;
    data.TrkCount = static_cast<int32_t>(lengths.size());
    data.TrkFirstPoint = {0};
    int32_t next = 1;
    for (const int32_t length : lengths) {
        data.TrkFirstPoint.push_back(next);
        next += length;
    }
    data.TrkPointCount = next - 1;
    return data;
}

bool trackText(const ConversionData& data, std::string& out, size_t t, BufferedFile* file) {
    out.append("track ").append(std::to_string(t)).append(":");
    const auto end = t < static_cast<size_t>(data.TrkCount)
                         ? static_cast<size_t>(data.TrkFirstPoint[t + 1])
                         : static_cast<size_t>(data.TrkPointCount) + 1;
    for (auto p = static_cast<size_t>(data.TrkFirstPoint[t]); p < end; ++p) {
        out.append(" ").append(std::to_string(p));
        if (file != nullptr && !file->flushIfFull()) {
            return false;
        }
    }
    out += "\n";
    return true;
}

TEST(TrackPieces, EveryTrackArrivesOnceInOrder) {
    std::mt19937 random(5);
    std::vector<int32_t> lengths;
    for (int t = 0; t < 3000; ++t) {
        const auto pick = random() % 100;
        lengths.push_back(pick < 10 ? 0 : pick < 98 ? static_cast<int32_t>(random() % 300) : 20000);
    }
    const ConversionData data = tracksOf(lengths);
    std::string expected;
    for (size_t t = 1; t <= lengths.size(); ++t) {
        trackText(data, expected, t, nullptr);
    }
    test::TempFolder folder;
    BufferedFile file(folder.file("map"));
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(
        WriteTrackPieces(data, file, [&data](std::string& out, size_t t, BufferedFile* into) {
            return trackText(data, out, t, into);
        }));
    ASSERT_TRUE(file.finish());
    EXPECT_EQ(test::ReadBytes(folder.file("map")), expected);
}

} // namespace
} // namespace wavemark
