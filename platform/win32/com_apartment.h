#pragma once
// COM on the user-interface thread, entered when something first needs it instead of at
// start-up. The shell asks every caller of ShellExecute to be in a single-threaded apartment
// (the handler it picks may be a COM object), and an accessible object handed to a screen
// reader is marshalled by COM. Most starts of the program do neither: entering the apartment
// at start-up loaded ole32 and set COM up before the window could show, for nothing.
#include <windows.h>

namespace platform::win32 {

// The keeper of one thread's apartment: made on the user-interface thread before its first
// window and destroyed after its message loop. Join() enters a single-threaded apartment with
// OLE1 DDE off (so that opening a document never waits on this thread's DDE conversation) the
// first time it is called on that thread; the keeper leaves it again when it goes. Only one
// keeper lives at a time.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // True when the calling thread is in a single-threaded apartment afterwards: entered now or
    // at an earlier call, or by someone else before (which the keeper then leaves alone, but
    // for its own reference). False on another thread than the keeper's, without a keeper, or
    // when the thread is in the multithreaded apartment.
    static bool Join();

private:
    bool JoinHere();

    DWORD thread_;
    bool tried_ = false;
    bool entered_ = false;  // CoInitializeEx succeeded: one CoUninitialize is owed
};

}  // namespace platform::win32
