#include "platform/CsvBlockJoin.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace wavemark {
namespace {

// What a reader of records sees: their fields joined by |, a line each, and the lines too long.
// A record that spans lines and starts with "split" reads wrong, so its first line is split
// plainly, as a caller does with a row that does not read.
struct Seen {
    std::string records;
    int64_t tooLong = 0;
};

void add(const CsvRecord& record, Seen& seen) {
    for (size_t i = 0; i < record.count; ++i) {
        if (i > 0) {
            seen.records += '|';
        }
        seen.records += record[i];
    }
    seen.records += '\n';
}

void see(CsvRecords& records, Seen& seen) {
    CsvRecord record;
    while (records.next(record)) {
        if (record.spansLines && record[0] == "split") {
            records.splitFirstLinePlainly(record);
        }
        add(record, seen);
    }
}

Seen straight(const std::string& path, const CsvReadSizes& sizes) {
    ByteStream stream;
    EXPECT_EQ(stream.open(path), 0);
    CsvRecords records(stream, sizes);
    Seen seen;
    see(records, seen);
    seen.tooLong = records.tooLong();
    return seen;
}

// The first record read straight, the rest in blocks: each block cut as if it started a record,
// and cut again where the join says so.
Seen inBlocks(const std::string& path, const CsvReadSizes& sizes) {
    ByteStream stream;
    EXPECT_EQ(stream.open(path), 0);
    CsvRecords file(stream, sizes);
    Seen seen;
    CsvRecord first;
    if (file.next(first)) {
        add(first, seen);
    }
    CsvBlockJoin join;
    std::string_view block;
    bool last = false;
    CsvCutStart start;
    while (file.nextBlock(block, last, start)) {
        std::string_view text = block;
        Seen guess;
        auto records = std::make_unique<CsvRecords>(text, last, start, sizes);
        see(*records, guess);
        if (join.recut(text, start)) {
            guess = {};
            records = std::make_unique<CsvRecords>(text, last, start, sizes);
            see(*records, guess);
        }
        size_t unfinished = 0;
        const CsvCutStart end = records->finishedAt(unfinished);
        EXPECT_TRUE(!last || (unfinished == 0 && !end.skipping)) << "a last block settles all";
        join.taken(text, unfinished, end);
        seen.records += guess.records;
        seen.tooLong += records->tooLong();
    }
    EXPECT_EQ(file.error(), 0);
    seen.tooLong += file.tooLong();
    return seen;
}

// Lines of every kind the cut knows, in a shuffled file; a file may end inside any of them.
std::string shuffled(unsigned seed, size_t pieces, bool endOnALine) {
    const std::vector<std::string> kinds = {
        "a,b,c\n",
        "one,\"quoted, with comma\",three\r\n",
        "x,\"a name\nover\nthree lines\",z\n",
        "split,\"over\ntwo\",lines\n",
        "stray,\"quote never closed,y\nnext,line\n",
        "\"say \"\"hi\"\"\",b\r",
        "\"Free\" Wifi,\"odd\" quotes,c\n",
        "\n",
        std::string(150, 'L') + ",long\n",
        "q,\"" + std::string(90, 'Q') + "\nstill\",open\n",
    };
    std::mt19937 random(seed);
    std::string text;
    for (size_t i = 0; i < pieces; ++i) {
        text += kinds[random() % kinds.size()];
    }
    if (!endOnALine) {
        text += "tail,\"open at the end";
    }
    return text;
}

// However a file is cut in blocks, small or large, its records are those read straight: quoted
// fields over a cut, stray quotes, lines too long and line ends split by a cut included.
TEST(CsvBlockJoin, BlocksGiveTheRecordsReadStraight) {
    const test::TempFolder folder;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const std::string path = folder.write("file.csv", shuffled(seed, 400, seed % 2 == 0));
        for (const size_t longest : {size_t{64}, size_t{1} << 20}) {
            const Seen expected = straight(path, {4096, longest});
            ASSERT_GT(expected.records.size(), 1000u);
            for (const size_t block :
                 {size_t{1}, size_t{5}, size_t{64}, size_t{333}, size_t{4096}}) {
                const Seen seen = inBlocks(path, {block, longest});
                ASSERT_EQ(seen.records, expected.records)
                    << "seed " << seed << " block " << block << " longest " << longest;
                ASSERT_EQ(seen.tooLong, expected.tooLong) << "seed " << seed << " block " << block;
            }
        }
    }
}

} // namespace
} // namespace wavemark
