#include "platform/PathParts.h"
#include "platform/PathSeparator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace wavemark {
namespace {

// Paths are written with "/" and tested with the platform's separator.
std::string native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    return path;
}

struct PathCase {
    std::string path;
    PathParts split;    // SplitPath: the open dialog's folder and file
    PathParts forShell; // SplitForShell: the document and its working folder
};

class PathPartsTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathPartsTest, SplitsAtTheLastSeparator) {
    const PathCase& row = GetParam();
    const auto nativeParts = [](const PathParts& parts) {
        return PathParts{native(parts.folder), native(parts.file)};
    };
    EXPECT_EQ(SplitPath(native(row.path)), nativeParts(row.split)) << row.path;
    EXPECT_EQ(SplitForShell(native(row.path)), nativeParts(row.forShell)) << row.path;
}

// The root keeps its separator, as an empty folder would mean the current one.
INSTANTIATE_TEST_SUITE_P(
    Paths, PathPartsTest,
    ::testing::Values(
        PathCase{"/maps/survey.gtm", {"/maps", "survey.gtm"}, {"/maps", "survey.gtm"}},
        PathCase{"/maps///survey.gtm", {"/maps//", "survey.gtm"}, {"/maps", "survey.gtm"}},
        PathCase{"survey.gtm", {"", "survey.gtm"}, {"", "survey.gtm"}},
        PathCase{"/text.txt", {"/", "text.txt"}, {"/", "text.txt"}},
        PathCase{"//survey.gtm", {"/", "survey.gtm"}, {"/", "survey.gtm"}},
        PathCase{"maps/", {"maps", ""}, {"maps", ""}}));

} // namespace
} // namespace wavemark
