#pragma once
// Milliseconds from the performance counter, for the test tools that time what they drive.
// The counter's frequency is fixed at boot, so it is read once.
#include <windows.h>

namespace tools {

inline double NowMs() {
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

}  // namespace tools
