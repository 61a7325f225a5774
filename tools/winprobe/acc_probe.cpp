// winprobe's commands that ask as a screen reader does, from this other process, through
// AccessibleObjectFromWindow (OBJID_CLIENT) on a control of Dravik's main or about window:
//
//   acc <main|about> <id>               the control's accessible object: one "acc" record for
//                                       the object (child=0) and one per simple element in it
//   acc-press <main|about> <id> [child] its default action (accDoDefaultAction)
//   acc-focus <main|about> <id>         accSelect(SELFLAG_TAKEFOCUS)
//
// An "acc" record: role, name, state (hex), action (the default action's name), the location
// (left, top, width, height), and for the object itself the number of its children. A call that
// fails prints "error" with the call's name and its HRESULT, and the command exits 1.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/control_ids.h"
#include "app/win32/accessible.h"
#include "launch/about_design.h"
#include "tools/record_escape.h"

namespace {

using app::win32::ChildVariant;
using app::win32::kIIDAccessible;

void Put(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string Hex(long value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%lX", static_cast<unsigned long>(value));
    return buf;
}

int Fail(const char* call, HRESULT hr) {
    Put(std::string("error\tcall=") + call + "\thr=" + Hex(hr));
    return 1;
}

std::string Narrow(BSTR text) {
    if (!text) return {};
    const int len = static_cast<int>(SysStringLen(text));
    const int n = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, out.data(), n, nullptr, nullptr);
    return out;
}

// COM for this thread, while a command runs.
class Com {
public:
    Com() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() { CoUninitialize(); }
};

// The control's accessible object, as a screen reader gets it; nullptr (and an error record)
// when there is none.
IAccessible* ObjectOf(std::string_view form, long id) {
    HWND top = form == "about" ? FindWindowA(launch::about::kWindowClass, nullptr)
                               : FindWindowA(app::ids::kMainWindowClass, "Dravik");
    HWND ctl = top ? GetDlgItem(top, static_cast<int>(id)) : nullptr;
    if (!ctl) {
        Put("error\tcall=GetDlgItem\tform=" + std::string(form) + "\tid=" + std::to_string(id));
        return nullptr;
    }
    IAccessible* acc = nullptr;
    const HRESULT hr = AccessibleObjectFromWindow(ctl, static_cast<DWORD>(OBJID_CLIENT),
                                                  kIIDAccessible, reinterpret_cast<void**>(&acc));
    if (FAILED(hr) || !acc) {
        Fail("AccessibleObjectFromWindow", hr);
        return nullptr;
    }
    return acc;
}

// One element's record; false when a question failed (its record says which).
bool Describe(IAccessible* acc, long id, long child) {
    const VARIANT self = ChildVariant(child);
    std::string line = "acc\tid=" + std::to_string(id) + "\tchild=" + std::to_string(child);
    VARIANT role, state;
    HRESULT hr = acc->get_accRole(self, &role);
    if (FAILED(hr) || role.vt != VT_I4) return Fail("get_accRole", hr), false;
    line += "\trole=" + std::to_string(role.lVal);
    BSTR name = nullptr;
    hr = acc->get_accName(self, &name);
    if (FAILED(hr)) return Fail("get_accName", hr), false;
    line += "\tname=" + tools::EscapeValue(Narrow(name));
    SysFreeString(name);
    hr = acc->get_accState(self, &state);
    if (FAILED(hr) || state.vt != VT_I4) return Fail("get_accState", hr), false;
    line += "\tstate=" + Hex(state.lVal);
    BSTR action = nullptr;
    hr = acc->get_accDefaultAction(self, &action);
    line += "\taction=" + tools::EscapeValue(SUCCEEDED(hr) ? Narrow(action) : std::string());
    SysFreeString(action);
    long left = 0, top = 0, width = 0, height = 0;
    hr = acc->accLocation(&left, &top, &width, &height, self);
    if (FAILED(hr)) return Fail("accLocation", hr), false;
    line += "\tleft=" + std::to_string(left) + "\ttop=" + std::to_string(top) +
            "\twidth=" + std::to_string(width) + "\theight=" + std::to_string(height);
    if (child == CHILDID_SELF) {
        long count = 0;
        hr = acc->get_accChildCount(&count);
        if (FAILED(hr)) return Fail("get_accChildCount", hr), false;
        line += "\tchildren=" + std::to_string(count);
    }
    Put(line);
    return true;
}

int CmdAcc(std::string_view form, long id) {
    const Com com;
    IAccessible* acc = ObjectOf(form, id);
    if (!acc) return 1;
    long count = 0;
    bool ok = Describe(acc, id, CHILDID_SELF) && SUCCEEDED(acc->get_accChildCount(&count));
    for (long child = 1; ok && child <= count; ++child) ok = Describe(acc, id, child);
    acc->Release();
    return ok ? 0 : 1;
}

int CmdPress(std::string_view form, long id, long child) {
    const Com com;
    IAccessible* acc = ObjectOf(form, id);
    if (!acc) return 1;
    const HRESULT hr = acc->accDoDefaultAction(ChildVariant(child));
    acc->Release();
    if (FAILED(hr)) return Fail("accDoDefaultAction", hr);
    Put("ok");
    return 0;
}

int CmdFocus(std::string_view form, long id) {
    const Com com;
    IAccessible* acc = ObjectOf(form, id);
    if (!acc) return 1;
    const HRESULT hr = acc->accSelect(SELFLAG_TAKEFOCUS, ChildVariant(CHILDID_SELF));
    acc->Release();
    if (FAILED(hr)) return Fail("accSelect", hr);
    Put("ok");
    return 0;
}

bool Number(const char* s, long& out) {
    char* end = nullptr;
    out = std::strtol(s, &end, 10);
    return end != s && *end == '\0';
}

}  // namespace

// -1 when the command is not one of these.
int AccProbeCommand(int argc, char** argv) {
    const std::string_view cmd = argv[1];
    long id = 0, child = 0;
    if (argc < 4) return -1;
    const std::string_view form = argv[2];
    if ((form != "main" && form != "about") || !Number(argv[3], id)) return -1;
    if (cmd == "acc" && argc == 4) return CmdAcc(form, id);
    if (cmd == "acc-focus" && argc == 4) return CmdFocus(form, id);
    if (cmd == "acc-press" && (argc == 4 || (argc == 5 && Number(argv[4], child))))
        return CmdPress(form, id, child);
    return -1;
}
