#include "platform/SideBySide.h"

#include <exception>
#include <system_error>
#include <thread>

namespace wavemark {

void RunSideBySide(const std::function<void()>& first, const std::function<void()>& second) {
    std::exception_ptr failure;
    const auto runSecond = [&] {
        try {
            second();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    {
        std::jthread helper;
        try {
            helper = std::jthread(runSecond);
        } catch (const std::system_error&) {
            runSecond();
        }
        first();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace wavemark
