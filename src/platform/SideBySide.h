#pragma once

#include <functional>

namespace wavemark {

// Runs `second` on a helper thread while this one runs `first`, and returns
// once both are done; with no thread to spare, this one runs both. An
// exception of either is passed on, `first`'s before `second`'s.
void RunSideBySide(const std::function<void()>& first, const std::function<void()>& second);

} // namespace wavemark
