#include "platform/win32/com_apartment.h"

#include <objbase.h>

#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

ComApartment* g_keeper = nullptr;

HMODULE Ole32() {
    static const HMODULE ole32 = LoadSystemLibrary("ole32.dll");
    return ole32;
}

}  // namespace

ComApartment::ComApartment() : thread_(GetCurrentThreadId()) {
    if (!g_keeper) g_keeper = this;
}

ComApartment::~ComApartment() {
    if (g_keeper == this) g_keeper = nullptr;
    if (!entered_) return;
    if (auto* uninitialize = SystemFunction<decltype(CoUninitialize)>(Ole32(), "CoUninitialize"))
        uninitialize();
}

bool ComApartment::Join() {
    return g_keeper && g_keeper->thread_ == GetCurrentThreadId() && g_keeper->JoinHere();
}

bool ComApartment::JoinHere() {
    if (tried_) return entered_;
    tried_ = true;
    auto* initialize = SystemFunction<decltype(CoInitializeEx)>(Ole32(), "CoInitializeEx");
    if (!initialize) return false;
    // S_FALSE: the thread was in this kind of apartment already; the call still took a
    // reference, which CoUninitialize gives back. RPC_E_CHANGED_MODE: it is in the
    // multithreaded one, which stays as it is.
    const HRESULT hr = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    entered_ = SUCCEEDED(hr);
    return entered_;
}

}  // namespace platform::win32
