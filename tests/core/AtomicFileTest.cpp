#include "AtomicFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace wavemark {
namespace {

// Every entry, hidden ones too: a temporary file would show here.
std::ptrdiff_t entriesIn(const test::TempFolder& folder) {
    return std::ranges::distance(std::filesystem::directory_iterator(folder.path()));
}

// A run killed while writing leaves what the folder shows then: nothing new.
// (A write past the file size limit is the converter's hostile input test.)
TEST(AtomicFile, FileBeingWrittenHasNoNameUntilCommitted) {
    test::TempFolder folder;
    const std::string target = folder.write("out.gtm", "old");
    AtomicFile file(target);
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write(std::string(100000, 'x')));
    EXPECT_EQ(entriesIn(folder), 1);
    EXPECT_EQ(test::ReadBytes(target), "old");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(entriesIn(folder), 1);
    EXPECT_EQ(test::ReadBytes(target), std::string(100000, 'x'));
}

} // namespace
} // namespace wavemark
