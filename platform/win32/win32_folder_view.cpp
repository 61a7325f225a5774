#include "platform/win32/win32_folder_view.h"

#include <windows.h>
#include <objbase.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/scoped.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

// The interface and class ids, spelled out here rather than taken from MinGW's uuid library:
// a linked IID (IID_IAccessible) once made the calls fail with E_NOINTERFACE under Wine, and
// a constant in the source cannot differ from the published value without it showing here.
constexpr GUID kClsidShellWindows = {0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};
constexpr GUID kIidShellWindows = {0x85CB6900, 0x4D95, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0xF4, 0xEE, 0x85}};
constexpr GUID kIidServiceProvider = {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
constexpr GUID kSidTopLevelBrowser = {0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};
constexpr GUID kIidShellBrowser = {0x000214E2, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidFolderView = {0xCDE725B0, 0xCCC9, 0x4519, {0x91, 0x7E, 0x32, 0x5D, 0x72, 0xFA, 0xB4, 0xCE}};
constexpr GUID kIidFolderView2 = {0x1AF3A467, 0x214F, 0x4298, {0x90, 0x8E, 0x06, 0xB0, 0x3E, 0x0B, 0x39, 0xF9}};

// The values of the shell's headers that the calls pass, fixed here as the system knows them.
constexpr int kCsidlDesktop = 0x0000;          // CSIDL_DESKTOP
constexpr int kSwcDesktop = 8;                 // SWC_DESKTOP, Windows Vista and later
constexpr int kSwfoNeedDispatch = 1;           // SWFO_NEEDDISPATCH
constexpr UINT kSvgioAllView = 2;              // SVGIO_ALLVIEW
constexpr DWORD kSvsiPositionItem = 0x80;      // SVSI_POSITIONITEM
constexpr DWORD kFwfAutoArrange = 0x1;         // FWF_AUTOARRANGE
static_assert(kSwcDesktop == SWC_DESKTOP && kSwfoNeedDispatch == SWFO_NEEDDISPATCH &&
              kSvgioAllView == SVGIO_ALLVIEW && kSvsiPositionItem == SVSI_POSITIONITEM &&
              kFwfAutoArrange == FWF_AUTOARRANGE && kCsidlDesktop == CSIDL_DESKTOP);

// The ole32 functions the worker calls. ole32 is loaded from the system folder at the first
// opening, not imported: most runs of the program never open the view (and XP-era systems
// gain nothing from it). They are looked up on the calling thread and handed to the worker:
// this code is built without thread-safe statics, so only one thread may touch a
// function-local static.
struct Ole32Functions {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoUninitialize) uninitialize = nullptr;
    decltype(&CoCreateInstance) createInstance = nullptr;
    decltype(&CoTaskMemFree) taskMemFree = nullptr;
};

const Ole32Functions* Ole32() {
    static const Ole32Functions functions = [] {
        const HMODULE ole32 = LoadSystemLibrary("ole32.dll");
        Ole32Functions f;
        f.initialize = SystemFunction<decltype(CoInitializeEx)>(ole32, "CoInitializeEx");
        f.uninitialize = SystemFunction<decltype(CoUninitialize)>(ole32, "CoUninitialize");
        f.createInstance = SystemFunction<decltype(CoCreateInstance)>(ole32, "CoCreateInstance");
        f.taskMemFree = SystemFunction<decltype(CoTaskMemFree)>(ole32, "CoTaskMemFree");
        return f;
    }();
    const bool all = functions.initialize && functions.uninitialize && functions.createInstance &&
                     functions.taskMemFree;
    return all ? &functions : nullptr;
}

// One reference to a COM object, released when the owner goes.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    // Out-parameter of a call that hands out a reference; releases the one held before.
    T** Receive() {
        Reset();
        return &object_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset() {
        if (T* object = std::exchange(object_, nullptr)) object->Release();
    }

private:
    T* object_ = nullptr;
};

// An item id list from IFolderView::Item, allocated by COM's task allocator: CoTaskMemFree
// gives it back (the marshaller allocated it so in this process when the view is in another).
class ScopedPidl {
public:
    explicit ScopedPidl(decltype(&CoTaskMemFree) free) : free_(free) {}
    ScopedPidl(ScopedPidl&& other) noexcept
        : free_(other.free_), pidl_(std::exchange(other.pidl_, nullptr)) {}
    ScopedPidl(const ScopedPidl&) = delete;
    ScopedPidl& operator=(const ScopedPidl&) = delete;
    ScopedPidl& operator=(ScopedPidl&&) = delete;
    ~ScopedPidl() {
        if (pidl_) free_(pidl_);
    }
    PITEMID_CHILD* Receive() { return &pidl_; }
    PCUITEMID_CHILD Get() const { return pidl_; }

private:
    decltype(&CoTaskMemFree) free_;
    PITEMID_CHILD pidl_ = nullptr;
};

enum class Request { ItemPositions, PositionItems, AutoArrange, SetAutoArrange };

// What the caller and its worker share. Reference-counted: the caller's view holds one
// reference and the worker the other, and whichever lets go last deletes it, so a worker
// abandoned in a hung call still writes into living memory and frees it when it returns.
// The events hand the request and result fields over: the caller writes a request only while
// the worker waits for one and reads the result only after `done`; once it has given up it
// touches neither again.
struct Channel {
    Channel()
        : request(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          done(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          quit(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    bool Ok() const { return request && done && quit; }

    LONG refs = 2;
    Ole32Functions ole;
    ScopedHandle request;   // the caller put a request in
    ScopedHandle done;      // the worker finished the opening or a request
    ScopedHandle quit;      // the caller is gone or gave up: no request comes any more
    // The answers the worker got from the shell, one per COM call: a counter rather than an
    // event, as a request of a large desktop makes thousands of calls and under Wine every
    // event signalled is a round trip to the server (and a wake-up of the caller).
    LONG answers = 0;

    // Set by the worker at the opening.
    bool opened = false;
    HWND window = nullptr;
    // A request and its inputs, copied in by the caller.
    Request kind = Request::ItemPositions;
    std::vector<std::optional<Point>> wanted;
    bool on = false;
    // The result.
    bool ok = false;
    std::vector<Point> positions;
    bool autoArrange = false;
};

void Release(Channel* channel) {
    if (InterlockedDecrement(&channel->refs) == 0) delete channel;
}

// Waits for the worker to finish, up to `ms` after its last sign of life: each answer of the
// shell restarts the deadline, so the many calls of a large desktop may take longer in all,
// but no single call holds the caller longer than `ms` (and a quarter, the period at which the
// answers are looked at). GetTickCount: XP has no GetTickCount64, and the unsigned difference
// is right across the counter's wrap.
bool Await(Channel& channel, DWORD ms) {
    const DWORD step = ms / 4 ? ms / 4 : 1;
    LONG seen = InterlockedCompareExchange(&channel.answers, 0, 0);
    DWORD since = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(channel.done.Get(), step) == WAIT_OBJECT_0) return true;
        const LONG now = InterlockedCompareExchange(&channel.answers, 0, 0);
        const DWORD at = GetTickCount();
        if (now != seen) {
            seen = now;
            since = at;
        } else if (at - since >= ms) {
            return false;
        }
    }
}

// The worker's side: the COM objects of the chain, only ever touched on the worker thread.
class Worker {
public:
    explicit Worker(Channel& channel) : channel_(channel) {}

    bool Open() {
        ComRef<IShellWindows> windows;
        if (!Answered(channel_.ole.createInstance(kClsidShellWindows, nullptr, CLSCTX_ALL, kIidShellWindows,
                                                  windows.ReceiveVoid())))
            return false;
        // The VARIANTs are filled by hand: a VT_I4 and a VT_EMPTY need no VariantInit or
        // VariantClear, so oleaut32 is not needed in this process.
        VARIANT location{};
        location.vt = VT_I4;
        location.lVal = kCsidlDesktop;
        VARIANT root{};
        root.vt = VT_EMPTY;
        LONG hwnd = 0;
        ComRef<IDispatch> dispatch;
        // S_FALSE with no object when no such window is registered; Windows XP, which has no
        // SWC_DESKTOP, fails the call.
        const HRESULT found = windows->FindWindowSW(&location, &root, kSwcDesktop, &hwnd, kSwfoNeedDispatch,
                                                    dispatch.Receive());
        Progress();
        if (found != S_OK || !dispatch) return false;
        ComRef<IServiceProvider> services;
        if (!Answered(dispatch->QueryInterface(kIidServiceProvider, services.ReceiveVoid()))) return false;
        ComRef<IShellBrowser> browser;
        if (!Answered(services->QueryService(kSidTopLevelBrowser, kIidShellBrowser, browser.ReceiveVoid())))
            return false;
        ComRef<IShellView> view;
        if (!Answered(browser->QueryActiveShellView(view.Receive())) || !view) return false;
        if (!Answered(view->QueryInterface(kIidFolderView, view_.ReceiveVoid()))) return false;
        // IFolderView2 came with Windows Vista; without it only the arrangement is unknown.
        if (!Answered(view_->QueryInterface(kIidFolderView2, view2_.ReceiveVoid()))) view2_.Reset();
        // Wine's desktop view answers with no window.
        HWND window = nullptr;
        if (Answered(view->GetWindow(&window))) channel_.window = window;
        return true;
    }

    bool Handle() {
        switch (channel_.kind) {
        case Request::ItemPositions:
            return ItemPositions();
        case Request::PositionItems:
            return PositionItems();
        case Request::AutoArrange: {
            DWORD flags = 0;
            if (!view2_ || !Answered(view2_->GetCurrentFolderFlags(&flags))) return false;
            channel_.autoArrange = (flags & kFwfAutoArrange) != 0;
            return true;
        }
        case Request::SetAutoArrange:
            return view2_ && Answered(view2_->SetCurrentFolderFlags(kFwfAutoArrange,
                                                                     channel_.on ? kFwfAutoArrange : 0));
        }
        return false;
    }

private:
    // Every answer of the shell is a sign of life for the waiting caller.
    void Progress() { InterlockedIncrement(&channel_.answers); }
    bool Answered(HRESULT hr) {
        Progress();
        return SUCCEEDED(hr);
    }
    // Between the calls of a long request: the caller gave up, so the rest is not wanted.
    bool Abandoned() const { return WaitForSingleObject(channel_.quit.Get(), 0) == WAIT_OBJECT_0; }

    bool Count(int& count) { return Answered(view_->ItemCount(kSvgioAllView, &count)) && count >= 0; }

    bool ItemPositions() {
        int count = 0;
        if (!Count(count)) return false;
        channel_.positions.assign(static_cast<size_t>(count), Point{});
        for (int i = 0; i < count; ++i) {
            if (Abandoned()) return false;
            ScopedPidl item(channel_.ole.taskMemFree);
            POINT p{};
            if (!Answered(view_->Item(i, item.Receive())) || !item.Get() ||
                !Answered(view_->GetItemPosition(item.Get(), &p)))
                return false;
            channel_.positions[static_cast<size_t>(i)] = {static_cast<std::int32_t>(p.x),
                                                          static_cast<std::int32_t>(p.y)};
        }
        return true;
    }

    // All the moves in one SelectAndPositionItems: Explorer takes them as one change of its
    // layout, and one call crosses between the processes instead of one per icon.
    bool PositionItems() {
        int count = 0;
        if (!Count(count)) return false;
        std::vector<ScopedPidl> items;
        std::vector<PCUITEMID_CHILD> ids;
        std::vector<POINT> points;
        const size_t n = std::min(channel_.wanted.size(), static_cast<size_t>(count));
        for (size_t i = 0; i < n; ++i) {
            if (!channel_.wanted[i]) continue;
            if (Abandoned()) return false;
            items.emplace_back(channel_.ole.taskMemFree);
            if (!Answered(view_->Item(static_cast<int>(i), items.back().Receive())) || !items.back().Get())
                return false;
            ids.push_back(items.back().Get());
            points.push_back({channel_.wanted[i]->x, channel_.wanted[i]->y});
        }
        if (ids.empty()) return true;
        return Answered(view_->SelectAndPositionItems(static_cast<UINT>(ids.size()), ids.data(), points.data(),
                                                      kSvsiPositionItem));
    }

    Channel& channel_;
    ComRef<IFolderView> view_;
    ComRef<IFolderView2> view2_;
};

void Serve(Channel& channel) {
    // The multithreaded apartment: this thread has no message loop, and calls to a shell in
    // another process need none there; an apartment-threaded caller would have to pump.
    const HRESULT init = channel.ole.initialize(nullptr, COINIT_MULTITHREADED);
    if (FAILED(init)) {
        SetEvent(channel.done.Get());
        return;
    }
    {
        Worker worker(channel);
        channel.opened = worker.Open();
        SetEvent(channel.done.Get());
        const HANDLE events[] = {channel.quit.Get(), channel.request.Get()};  // quit first
        while (channel.opened && WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            channel.ok = worker.Handle();
            SetEvent(channel.done.Get());
        }
    }  // the COM objects are released here, inside the apartment
    channel.ole.uninitialize();
}

DWORD WINAPI WorkerThread(void* parameter) {
    Channel* channel = static_cast<Channel*>(parameter);
    Serve(*channel);
    Release(channel);
    return 0;
}

class ShellFolderView final : public FolderView {
public:
    ShellFolderView(Channel* channel, const ShellDeadlines& deadlines)
        : channel_(channel), callMs_(deadlines.callMs) {}
    ShellFolderView(const ShellFolderView&) = delete;
    ShellFolderView& operator=(const ShellFolderView&) = delete;
    ~ShellFolderView() override {
        // The worker ends at its next wait; it is not waited for, as it may be in a hung call.
        SetEvent(channel_->quit.Get());
        Release(channel_);
    }

    WindowHandle Window() override {
        return dead_ ? 0 : reinterpret_cast<WindowHandle>(channel_->window);
    }

    std::optional<std::vector<Point>> ItemPositions() override {
        if (!Call(Request::ItemPositions)) return std::nullopt;
        return std::move(channel_->positions);
    }

    bool PositionItems(const std::vector<std::optional<Point>>& positions) override {
        if (dead_) return false;
        channel_->wanted = positions;
        return Call(Request::PositionItems);
    }

    std::optional<bool> AutoArrange() override {
        if (!Call(Request::AutoArrange)) return std::nullopt;
        return channel_->autoArrange;
    }

    bool SetAutoArrange(bool on) override {
        if (dead_) return false;
        channel_->on = on;
        return Call(Request::SetAutoArrange);
    }

private:
    bool Call(Request kind) {
        if (dead_) return false;
        channel_->kind = kind;
        SetEvent(channel_->request.Get());
        if (!Await(*channel_, callMs_)) {
            // The shell hangs: this view is given up, and its worker with it.
            dead_ = true;
            SetEvent(channel_->quit.Get());
            return false;
        }
        return channel_->ok;
    }

    Channel* channel_;
    DWORD callMs_;
    bool dead_ = false;
};

}  // namespace

std::unique_ptr<FolderView> OpenShellFolderView(const ShellDeadlines& deadlines) {
    const Ole32Functions* ole = Ole32();
    if (!ole) return nullptr;
    auto* channel = new Channel;
    if (!channel->Ok()) {
        delete channel;
        return nullptr;
    }
    channel->ole = *ole;
    // A Win32 thread, not std::thread: the thread library (winpthread) stays out of the
    // program, as it imports functions Windows XP lacks.
    DWORD id = 0;
    const HANDLE thread = CreateThread(nullptr, 0, WorkerThread, channel, 0, &id);
    if (!thread) {
        delete channel;
        return nullptr;
    }
    CloseHandle(thread);  // never joined: the worker may outlive the view
    if (!Await(*channel, deadlines.openMs) || !channel->opened) {
        SetEvent(channel->quit.Get());
        Release(channel);
        return nullptr;
    }
    return std::make_unique<ShellFolderView>(channel, deadlines);
}

}  // namespace platform::win32
