// Times DrawButton of a 200 x 57 ButtonType 3 button (the main window's size) on the software
// rasteriser, with the fixed-metrics text, and one tick of the hover timer. Not a test: run it
// by hand.
#include <chrono>
#include <cstdio>

#include "controls/button/pell_xp_button.h"
#include "test_host.h"

namespace {

template <typename F>
double NsPerCall(int calls, F&& f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) f(i);
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(end - start).count() / calls;
}

}  // namespace

int main() {
    testing_support::TestHost host;
    controls::PellXPButton button(1, "Monitor Settings", "Verdana");
    button.SetHost(&host);
    button.InitProperties();
    button.SetCaption("Monitor Settings");
    button.SetColorScheme(2);
    button.Resize(200, 57);
    button.Show();

    const int calls = 20000;
    NsPerCall(1000, [&](int) { button.DrawButton(0, true); });  // warm up
    const double up = NsPerCall(calls, [&](int) { button.DrawButton(0, true); });
    const double alternating = NsPerCall(calls, [&](int i) { button.DrawButton(i % 2 ? 2 : 0, true); });
    button.SetMouseIsOver(true);
    const double hovered = NsPerCall(calls, [&](int) { button.DrawButton(0, true); });
    const double skipped = NsPerCall(calls * 10, [&](int) { button.DrawButton(0, false); });
    std::printf("DrawButton 200x57 type 3, up:               %10.0f ns/call\n", up);
    std::printf("DrawButton 200x57 type 3, up/down:          %10.0f ns/call\n", alternating);
    std::printf("DrawButton 200x57 type 3, hovered (scheme 2): %8.0f ns/call\n", hovered);
    std::printf("DrawButton unchanged, not forced (skipped): %10.0f ns/call\n", skipped);

    // The hover timer: a tick with the cursor still over the button only asks where the cursor
    // is; a tick after it has left stops the timer and draws the button up. Each outside tick
    // is timed alone, after a mouse move that hovers the button again.
    button.SetMouseIsOver(false);
    host.width = 200;
    host.height = 57;
    host.MoveCursorTo(100, 28);
    button.OnMouseMove(0, 0, 100, 28);
    const double inside = NsPerCall(calls * 10, [&](int) { button.OnTimer(); });
    double outsideTotal = 0;
    for (int i = 0; i < calls; ++i) {
        host.MoveCursorTo(100, 28);
        button.OnMouseMove(0, 0, 100, 28);
        host.MoveCursorTo(300, 28);
        host.log.clear();
        outsideTotal += NsPerCall(1, [&](int) { button.OnTimer(); });
    }
    std::printf("OnTimer, cursor inside (no drawing):        %10.0f ns/call\n", inside);
    std::printf("OnTimer, cursor outside (MOUSEOUT, draw 0): %10.0f ns/call\n", outsideTotal / calls);
    return 0;
}
