#pragma once

#include <string>

namespace wavemark::platform {

// The named temporary files being written, which RemoveTempFilesOnSignals()
// removes when the process is stopped. Names past the first few at once are
// not held.
void RememberTempFile(const std::string& name);
void ForgetTempFile(const std::string& name);

} // namespace wavemark::platform
