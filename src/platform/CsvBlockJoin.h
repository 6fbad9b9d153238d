#pragma once

#include "platform/CsvRecords.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace wavemark {

// Joins the blocks of a file (CsvRecords::nextBlock) whose records are cut
// side by side, each as if the block before ended where a record does. It
// nearly always does; where it did not (a quoted field over the lines
// around the cut, a line too long to be a record), the block is cut again,
// from the bytes that one left, before its records count. Blocks are given
// in file order.
class CsvBlockJoin {
public:
    // Whether the block with `text` must be cut again; `text` and `start`
    // are then what to cut it from, valid until the next call.
    bool recut(std::string_view& text, CsvCutStart& start);

    // The block cut from `text` was taken: `unfinished` bytes at its end,
    // and `end`, are what it leaves to the next one (CsvRecords::finishedAt).
    void taken(std::string_view text, size_t unfinished, const CsvCutStart& end);

private:
    std::string m_unfinished;
    CsvCutStart m_next;
    std::string m_joined;
};

} // namespace wavemark
