#include "platform/BlockHalves.h"

#include <exception>
#include <system_error>
#include <thread>

namespace wavemark {

BlockHalves CutInHalves(std::string_view block, size_t splitMinimum) {
    const size_t lf =
        block.size() < splitMinimum ? std::string_view::npos : block.find('\n', block.size() / 2);
    const size_t middle = lf == std::string_view::npos ? block.size() : lf + 1;
    return {block.substr(0, middle), block.substr(middle)};
}

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
