#include "app/win32/accessible_window.h"

namespace app::win32 {

bool ReachesInput(HWND hwnd) {
    for (HWND w = hwnd; w; w = GetAncestor(w, GA_PARENT)) {
        if (!IsWindowEnabled(w)) return false;
        if (w == GetAncestor(w, GA_ROOT)) break;
    }
    return true;
}

std::wstring SpokenText(HWND hwnd, wchar_t* accessKey) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    std::wstring spoken;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != L'&' && accessKey && !*accessKey) *accessKey = text[i];
        }
        spoken += text[i];
    }
    return spoken;
}

RECT ScreenRect(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

}  // namespace app::win32
