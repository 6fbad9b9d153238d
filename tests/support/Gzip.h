#pragma once

#include <string>

namespace wavemark::test {

// One gzip member holding `bytes`, made by zlib's deflate.
std::string Gzip(std::string bytes);

} // namespace wavemark::test
