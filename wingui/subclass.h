#pragma once
// Subclassing without comctl32's SetWindowSubclass. Wine keeps that chain in a window property,
// and a window property lives in the server: every message to a window so subclassed made two
// round trips to wineserver (the subclass procedure's lookup and DefSubclassProc's), a tenth of
// what the main window's start-up asked of the server when it was measured. Here the chain
// stays in the program's memory.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace wingui {

// The windows one subclass procedure has taken, with the procedure each had before and the
// data the subclass keeps for it. A window may be in several tables, each procedure calling on
// to the one it replaced. Window thread only.
class SubclassTable {
public:
    struct Entry {
        HWND hwnd = nullptr;
        WNDPROC previous = nullptr;
        void* data = nullptr;
    };

    explicit SubclassTable(WNDPROC proc) : proc_(proc) {}
    SubclassTable(const SubclassTable&) = delete;
    SubclassTable& operator=(const SubclassTable&) = delete;

    // Puts the table's procedure in front of hwnd's. False (nothing changed) for no window or
    // one already in the table.
    bool Attach(HWND hwnd, void* data);
    // A copy of hwnd's entry: a message handled further on may attach other windows, which can
    // move the entries. An empty entry (no previous procedure) when hwnd is not in the table.
    Entry Find(HWND hwnd) const;
    // Calls the procedure hwnd had before this subclass (DefWindowProc for a window not in the
    // table); after a WM_NCDESTROY has gone on, forgets hwnd.
    LRESULT CallPrevious(const Entry& entry, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    std::size_t Size() const { return entries_.size(); }

private:
    WNDPROC proc_;
    std::vector<Entry> entries_;
};

// A hook of a subclass: handles the message for the window whose data this is and says so, or
// leaves it to the window's previous procedure. At WM_NCDESTROY it frees its data and returns
// false; the message still goes on.
using SubclassHook = bool (*)(void* data, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result);

// The subclass made of a hook: one table and one window procedure for it.
template <SubclassHook Hook>
class Subclass {
public:
    static bool Attach(HWND hwnd, void* data) { return Table().Attach(hwnd, data); }
    static SubclassTable& Table() {
        static SubclassTable table(&Proc);
        return table;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        const SubclassTable::Entry entry = Table().Find(hwnd);
        LRESULT result = 0;
        if (entry.previous && Hook(entry.data, hwnd, msg, wParam, lParam, result)) return result;
        return Table().CallPrevious(entry, hwnd, msg, wParam, lParam);
    }
};

}  // namespace wingui
