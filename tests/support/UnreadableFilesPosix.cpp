#include "UnreadableFiles.h"

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>

namespace wavemark::test {

const int kThroughAFileError = ENOTDIR;

// A FIFO that nobody writes to must be refused at once, not waited for.
std::vector<UnreadableFile> UnreadableFiles(const TempFolder& folder) {
    const std::string fifo = folder.file("fifo");
    if (::mkfifo(fifo.c_str(), 0600) != 0) {
        throw std::runtime_error("cannot make a FIFO");
    }
    return {{folder.file("no such file.txt"), ENOENT, "No such file or directory"},
            {folder.path().string(), EISDIR, "Is a directory"},
            {"/dev/zero", EINVAL, "Invalid argument"},
            {fifo, EINVAL, "Invalid argument"}};
}

} // namespace wavemark::test
