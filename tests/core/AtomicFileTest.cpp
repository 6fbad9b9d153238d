#include "AtomicFile.h"

#include "TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace wavemark {
namespace {

// Every entry, hidden ones too: a temporary file would show here.
std::ptrdiff_t entriesIn(const test::TempFolder& folder) {
    return std::ranges::distance(std::filesystem::directory_iterator(folder.path()));
}

// A run killed while writing leaves what the folder shows then: nothing new.
// Past the file size limit the system would stop the process with SIGXFSZ;
// the write must fail instead (in a child, so that the limit stays there) and
// leave the folder as it was.
TEST(AtomicFile, FileBeingWrittenHasNoNameUntilCommitted) {
    test::TempFolder folder;
    const std::string target = folder.write("out.gtm", "old");
    const auto writeUnderLimit = [&target] {
        const rlimit limit{4096, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        // _exit: nothing may write more files on the way out.
        ::_exit(WriteFileAtomically(target, std::string(10000, 'x')) == EFBIG ? 0 : 1);
    };
    EXPECT_EXIT(writeUnderLimit(), ::testing::ExitedWithCode(0), "");
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
