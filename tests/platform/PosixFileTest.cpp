#include "platform/AtomicFile.h"
#include "platform/BufferedFile.h"
#include "platform/FileSystem.h"
#include "platform/LineStream.h"
#include "platform/TempFileName.h"
#include "platform/TempFileRegistry.h"

#include "TempFolder.h"

#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace wavemark {
namespace {

namespace fs = std::filesystem;

// Every entry, hidden ones too: a temporary file would show here.
std::ptrdiff_t entriesIn(const fs::path& folder) {
    return std::ranges::distance(fs::directory_iterator(folder));
}

// A run killed while writing leaves what the folder shows then: nothing new.
TEST(AtomicFile, FileBeingWrittenHasNoNameUntilCommitted) {
    test::TempFolder folder;
    const std::string target = folder.write("out.gtm", "old");
    AtomicFile file(target);
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write(std::string(100000, 'x')));
    EXPECT_EQ(entriesIn(folder.path()), 1);
    EXPECT_EQ(test::ReadBytes(target), "old");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(entriesIn(folder.path()), 1);
    EXPECT_EQ(test::ReadBytes(target), std::string(100000, 'x'));
}

// Dotfiles: the file at the end of a chain of relative links gets the bytes, in its own
// folder, and the links stay; a link to nothing yet creates its target.
TEST(AtomicFile, ReplacesTheFileAtTheEndOfItsLinks) {
    test::TempFolder folder;
    fs::create_directories(folder.path() / "dotfiles" / "store");
    const std::string real = folder.write("dotfiles/store/Wavemark.ini", "old");
    fs::create_symlink("store/Wavemark.ini", folder.path() / "dotfiles" / "link");
    fs::create_symlink("dotfiles/link", folder.path() / "Wavemark.ini");
    fs::create_symlink("dotfiles/new.gtm", folder.path() / "dangling.gtm");

    EXPECT_EQ(WriteFileAtomically(folder.file("Wavemark.ini"), "new"), 0);
    EXPECT_EQ(WriteFileAtomically(folder.file("dangling.gtm"), "made"), 0);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "Wavemark.ini"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "dotfiles" / "link"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "dangling.gtm"));
    EXPECT_EQ(test::ReadBytes(real), "new");
    EXPECT_EQ(test::ReadBytes(folder.file("dotfiles/new.gtm")), "made");
    EXPECT_EQ(entriesIn(folder.path() / "dotfiles" / "store"), 1);

    fs::create_symlink("loop", folder.path() / "loop");
    EXPECT_EQ(WriteFileAtomically(folder.file("loop"), "x"), ELOOP);
}

// The access rights as the octal number that chmod takes.
int modeOf(const std::string& path) {
    return static_cast<int>(fs::status(path).permissions());
}

// A replaced GTM or INI file keeps its access rights; a new one gets rw-rw-rw- less umask.
TEST(AtomicFile, ReplacedFileKeepsItsAccessRights) {
    test::TempFolder folder;
    const mode_t mask = ::umask(027);
    for (const int mode : {0600, 0640, 0604}) {
        const std::string gtm = folder.write("out.gtm", "old");
        const std::string ini = folder.write("Wavemark.ini", "old");
        fs::permissions(gtm, fs::perms(mode));
        fs::permissions(ini, fs::perms(mode));
        BufferedFile file(gtm);
        EXPECT_TRUE(file.open());
        file.buffer() = "new";
        EXPECT_TRUE(file.finish());
        EXPECT_EQ(WriteFileAtomically(ini, "new"), 0);
        EXPECT_EQ(test::ReadBytes(gtm), "new");
        EXPECT_EQ(modeOf(gtm), mode);
        EXPECT_EQ(modeOf(ini), mode);
    }
    EXPECT_EQ(WriteFileAtomically(folder.file("new.gtm"), "new"), 0);
    ::umask(mask);
    EXPECT_EQ(modeOf(folder.file("new.gtm")), 0640);
}

// Owner and group, as chown takes them.
std::pair<uid_t, gid_t> ownerOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return {st.st_uid, st.st_gid};
}

constexpr uid_t kAlice = 12345;
constexpr uid_t kBob = 12346;
constexpr gid_t kTeam = 23456;

// Root's run leaves alice's map hers, setuid and setgid bits too, which chown clears.
TEST(AtomicFile, ReplacedFileKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    test::TempFolder folder;
    const std::string kml = folder.write("survey.kml", "old");
    ASSERT_EQ(::chown(kml.c_str(), kAlice, kTeam), 0);
    fs::permissions(kml, fs::perms(06750));
    BufferedFile file(kml);
    ASSERT_TRUE(file.open());
    file.buffer() = "new";
    ASSERT_TRUE(file.finish());
    EXPECT_EQ(test::ReadBytes(kml), "new");
    EXPECT_EQ(ownerOf(kml), std::make_pair(kAlice, kTeam));
    EXPECT_EQ(modeOf(kml), 06750);
}

// bob, in alice's team, replaces her map in the team's folder: he may not keep her as its
// owner, but the team keeps it; a file of a group he is not in is still replaced, as his.
TEST(AtomicFile, UserKeepsTheGroupHeIsIn) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may become another user";
    }
    constexpr gid_t bobs = 12346;
    constexpr gid_t other = 34567;
    test::TempFolder folder;
    ASSERT_EQ(::chown(folder.path().c_str(), 0, kTeam), 0);
    fs::permissions(folder.path(), fs::perms(0770));
    const std::string shared = folder.write("survey.kml", "old");
    const std::string foreign = folder.write("other.kml", "old");
    ASSERT_EQ(::chown(shared.c_str(), kAlice, kTeam), 0);
    ASSERT_EQ(::chown(foreign.c_str(), kAlice, other), 0);
    fs::permissions(shared, fs::perms(0660));
    fs::permissions(foreign, fs::perms(0666));

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(1, &kTeam) != 0 || ::setgid(bobs) != 0 || ::setuid(kBob) != 0) {
            ::_exit(255);
        }
        const int error = WriteFileAtomically(shared, "new");
        ::_exit(error != 0 ? error : WriteFileAtomically(foreign, "new"));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test::ReadBytes(shared), "new");
    EXPECT_EQ(ownerOf(shared), std::make_pair(kBob, kTeam));
    EXPECT_EQ(modeOf(shared), 0660);
    EXPECT_EQ(ownerOf(foreign), std::make_pair(kBob, bobs));
}

// Blocks written behind the caller arrive whole and in order; a write that
// fails, here past the file size limit, is reported and the file stays as
// it was.
TEST(BufferedFile, BlocksWrittenBehindArriveInOrderAndAFailureLeavesTheFile) {
    const auto writeLines = [](const std::string& path, int lines, std::string& written) {
        BufferedFile file(path);
        if (!file.open()) {
            return false;
        }
        for (int line = 0; line < lines; ++line) {
            const std::string text = std::to_string(line) + "\n";
            file.buffer() += text;
            written += text;
            if (!file.flushIfFull()) {
                return false;
            }
        }
        return file.finish();
    };
    test::TempFolder folder;
    const std::string path = folder.write("survey.gpx", "old");
    std::string expected;
    ASSERT_TRUE(writeLines(path, 1000000, expected));
    EXPECT_EQ(test::ReadBytes(path), expected);

    const std::string kept = folder.write("kept.gpx", "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{3 << 20, 3 << 20};
        std::string written;
        ::_exit(::setrlimit(RLIMIT_FSIZE, &limit) == 0 && !writeLines(kept, 1000000, written) ? 0
                                                                                              : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(test::ReadBytes(kept), "old");
    EXPECT_EQ(entriesIn(folder.path()), 2);
}

// The temporary name fits beside the longest one, cut between characters ("é": 2 bytes).
TEST(AtomicFile, TemporaryNameFitsWhereverTheNameFits) {
    EXPECT_EQ(TempFilePattern("/a/b/out.gtm", 255), "/a/b/.out.gtm.wavemark-XXXXXX");
    EXPECT_EQ(TempFilePattern("out.gtm", 255), ".out.gtm.wavemark-XXXXXX");
    EXPECT_EQ(TempFilePattern("/a/" + std::string(300, 'n'), 20), "/a/.nnn.wavemark-XXXXXX");
    EXPECT_EQ(TempFilePattern("n\xC3\xA9\xC3\xA9", 20), ".n\xC3\xA9.wavemark-XXXXXX");
    EXPECT_EQ(TempFilePattern("nn\xC3\xA9", 20), ".nn.wavemark-XXXXXX");
}

// A converter stopped while a named temporary file exists removes it, ending by the signal.
TEST(PosixFiles, StoppedConverterRemovesItsTemporaryFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        test::TempFolder folder;
        const std::string name = folder.write(".out.gtm.wavemark-abcdef", "partial");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::RemoveTempFilesOnSignals();
            platform::RememberTempFile(name);
            std::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_FALSE(fs::exists(name)) << signal;
    }
}

// A FIFO without a writer reads as empty, at once.
TEST(PosixFiles, FifoWithoutWriterReadsAsEmpty) {
    test::TempFolder folder;
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    LineStream lines;
    ASSERT_EQ(lines.open(fifo), 0);
    std::string_view line;
    EXPECT_FALSE(lines.next(line));
    EXPECT_EQ(lines.error(), 0);
}

} // namespace
} // namespace wavemark
