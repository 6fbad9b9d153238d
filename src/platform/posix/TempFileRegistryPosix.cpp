#include "platform/FileSystem.h"
#include "platform/TempFileRegistry.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

// A signal handler may only call what is safe at any moment: the names are
// kept in fixed slots, each claimed and released through an atomic state.
namespace wavemark::platform {
namespace {

enum SlotState { kFree, kFilling, kHeld };

struct Slot {
    std::atomic<int> state{kFree};
    std::array<char, PATH_MAX> name{};
};

std::array<Slot, 8> g_slots;

extern "C" void removeTempFilesAndStop(int signal) {
    for (Slot& slot : g_slots) {
        if (slot.state.load() == kHeld) {
            ::unlink(slot.name.data());
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void RememberTempFile(const std::string& name) {
    if (name.size() >= PATH_MAX) {
        return;
    }
    for (Slot& slot : g_slots) {
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slot.name.data(), name.c_str(), name.size() + 1);
            slot.state.store(kHeld);
            return;
        }
    }
}

void ForgetTempFile(const std::string& name) {
    for (Slot& slot : g_slots) {
        if (slot.state.load() == kHeld && name == slot.name.data()) {
            slot.state.store(kFree);
            return;
        }
    }
}

void RemoveTempFilesOnSignals() {
    constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};
    for (const int signal : kSignals) {
        struct sigaction action {};
        // A signal the caller ignores (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN) {
            continue;
        }
        action.sa_handler = removeTempFilesAndStop;
        action.sa_flags = 0;
        sigemptyset(&action.sa_mask);
        for (const int other : kSignals) {
            sigaddset(&action.sa_mask, other);
        }
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace wavemark::platform
