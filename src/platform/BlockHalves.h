#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace wavemark {

// Blocks of lines smaller than this are read by one thread, larger ones by
// two.
inline constexpr size_t kSplitMinimum = size_t{64} << 10;

// A block of whole lines cut in two at a line end, so that two threads can
// read it at once.
struct BlockHalves {
    std::string_view first;
    std::string_view second; // empty when the block was not cut
};

// Cuts `block` after the first LF past its middle. A block shorter than
// `splitMinimum` is not worth a second thread, and a block without such an
// LF cannot be cut: both stay whole.
BlockHalves CutInHalves(std::string_view block, size_t splitMinimum);

// Runs `second` on a helper thread while this one runs `first`, and returns
// once both are done; with no thread to spare, this one runs both. An
// exception of either is passed on, `first`'s before `second`'s.
void RunSideBySide(const std::function<void()>& first, const std::function<void()>& second);

} // namespace wavemark
