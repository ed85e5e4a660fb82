// Virtual time for the wait on a recording: every pause is one millisecond,
// and nothing really waits.
#pragma once

#include <chrono>
#include <functional>

#include "audio/Capture.h"

namespace varnex::testing {

class FakePollTimer final : public PollTimer {
public:
    std::chrono::steady_clock::time_point now() override { return start + elapsed; }
    void pause() override {
        elapsed += std::chrono::milliseconds(1);
        ++pauses;
        if (onPause) onPause();
    }

    std::chrono::steady_clock::time_point start{};
    std::chrono::milliseconds elapsed{0};
    int pauses = 0;
    std::function<void()> onPause;  // what happens while the program waits
};

}  // namespace varnex::testing
