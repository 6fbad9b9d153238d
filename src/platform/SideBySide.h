#pragma once

#include <functional>
#include <span>

namespace wavemark {

// Runs `jobs` on this thread and one helper thread, and returns once all
// are done. This thread runs the first, then any the helper has not
// started, so that on a busy machine, where the helper gets little time,
// the jobs take no longer than on one thread. Without `worthAThread`, or
// with no thread to spare, this thread runs them all in turn. An exception
// of any is passed on once every job has ended, the first job's before the
// others'.
void RunSideBySide(std::span<const std::function<void()>> jobs, bool worthAThread = true);

// Two jobs side by side, `first` on this thread.
void RunSideBySide(const std::function<void()>& first, const std::function<void()>& second);

} // namespace wavemark
