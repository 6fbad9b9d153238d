#include "Gzip.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace wavemark::test {

std::string Gzip(std::string bytes) {
    z_stream zlib{};
    EXPECT_EQ(deflateInit2(&zlib, 1, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string member(deflateBound(&zlib, bytes.size()), '\0');
    zlib.next_in = reinterpret_cast<Bytef*>(bytes.data());
    zlib.avail_in = static_cast<uInt>(bytes.size());
    zlib.next_out = reinterpret_cast<Bytef*>(member.data());
    zlib.avail_out = static_cast<uInt>(member.size());
    EXPECT_EQ(deflate(&zlib, Z_FINISH), Z_STREAM_END);
    member.resize(zlib.total_out);
    deflateEnd(&zlib);
    return member;
}

} // namespace wavemark::test
