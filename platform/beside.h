// Work handed to another processor core, for the caller to collect with get().
#pragma once

#include <future>
#include <system_error>
#include <utility>

namespace bearing {

// Runs `work` on a thread of its own; when no thread can be started (a
// process at its limit), get() runs it instead. Either way get() returns the
// same result or throws the same exception, only later or sooner.
template <typename Work> [[nodiscard]] auto startBeside(Work work) {
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

} // namespace bearing
