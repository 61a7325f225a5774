// The handle owner (platform/win32/scoped.h): what it closes, when, and how often. Compiled
// with the soak's counting (DRAVIK_COUNT_HANDLES, tests/win32/CMakeLists.txt), so that the
// counts the soak reads are checked here too. The template's own moves are seen through traits
// that write down each close; the kinds' rules (which values are empty, that a predefined key
// stays open) through real handles.
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/scoped.h"

#ifndef DRAVIK_COUNT_HANDLES
#error "scoped_test.cpp checks the soak's counts: compile it with DRAVIK_COUNT_HANDLES"
#endif

namespace {

using platform::win32::HeldKind;
using platform::win32::Scoped;

std::vector<HANDLE>& Closed() {
    static std::vector<HANDLE> closed;
    return closed;
}

// The kernel handle's rules (nullptr and INVALID_HANDLE_VALUE hold nothing), closes written
// down instead of made; counted as the GDI objects are, so the counts show too.
struct RecordingTraits {
    using Handle = HANDLE;
    static bool IsEmpty(HANDLE h) { return platform::win32::KernelHandleTraits::IsEmpty(h); }
    static void Close(HANDLE h) { Closed().push_back(h); }
    static constexpr HeldKind kCounted = HeldKind::Gdi;
};
using Recorded = Scoped<RecordingTraits>;

// Uncounted, for the out-parameter, which only those kinds have.
struct RecordingUncountedTraits : RecordingTraits {
    static constexpr HeldKind kCounted = HeldKind::None;
};

HANDLE Fake(int n) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(n * 4)); }

class ScopedOwnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        Closed().clear();
        gdiBefore_ = platform::win32::liveGdiHandles.load();
    }
    long GdiHeld() const { return platform::win32::liveGdiHandles.load() - gdiBefore_; }

    long gdiBefore_ = 0;
};

TEST_F(ScopedOwnerTest, ResetClosesTheOldHandleOnceAndTheEndClosesTheNewOne) {
    {
        Recorded owner(Fake(1));
        EXPECT_EQ(GdiHeld(), 1);
        owner.Reset(Fake(2));
        EXPECT_EQ(Closed(), std::vector<HANDLE>{Fake(1)});
        EXPECT_EQ(owner.Get(), Fake(2));
        EXPECT_EQ(GdiHeld(), 1);
        owner.Reset();
        EXPECT_EQ(Closed(), (std::vector<HANDLE>{Fake(1), Fake(2)}));
        EXPECT_FALSE(owner);
        EXPECT_EQ(GdiHeld(), 0);
    }
    EXPECT_EQ(Closed().size(), 2u);  // nothing more at the end: it held nothing
    { Recorded owner(Fake(3)); }
    EXPECT_EQ(Closed(), (std::vector<HANDLE>{Fake(1), Fake(2), Fake(3)}));
    EXPECT_EQ(GdiHeld(), 0);
}

TEST_F(ScopedOwnerTest, ReleaseGivesTheHandleUpUnclosed) {
    HANDLE given = nullptr;
    {
        Recorded owner(Fake(1));
        given = owner.Release();
        EXPECT_FALSE(owner);
        EXPECT_EQ(owner.Get(), nullptr);
        EXPECT_EQ(GdiHeld(), 0);  // no owner holds it any more
    }
    EXPECT_EQ(given, Fake(1));
    EXPECT_TRUE(Closed().empty());
}

TEST_F(ScopedOwnerTest, AMoveHandsTheHandleOnAndOnlyItsLastOwnerClosesIt) {
    {
        Recorded first(Fake(1));
        Recorded second(std::move(first));
        EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): the moved-from owner is empty
        EXPECT_EQ(second.Get(), Fake(1));
        Recorded third(Fake(2));
        EXPECT_EQ(GdiHeld(), 2);
        third = std::move(second);  // closes what third held, takes the first handle
        EXPECT_EQ(Closed(), std::vector<HANDLE>{Fake(2)});
        EXPECT_EQ(third.Get(), Fake(1));
        EXPECT_EQ(GdiHeld(), 1);
        std::vector<Recorded> grown;
        grown.emplace_back(Fake(3));
        grown.emplace_back(Fake(4));  // the vector moves its first owner: nothing is closed
        grown.emplace_back(Fake(5));
        EXPECT_EQ(Closed().size(), 1u);
        EXPECT_EQ(GdiHeld(), 4);
    }
    EXPECT_EQ(Closed().size(), 5u);
    EXPECT_EQ(std::count(Closed().begin(), Closed().end(), Fake(1)), 1);
    EXPECT_EQ(GdiHeld(), 0);
}

TEST_F(ScopedOwnerTest, TheOutParameterClosesWhatWasHeldAndHoldsWhatIsWritten) {
    {
        Scoped<RecordingUncountedTraits> owner(Fake(1));
        HANDLE* out = owner.ReleaseAndGetAddressOf();
        EXPECT_EQ(Closed(), std::vector<HANDLE>{Fake(1)});
        EXPECT_EQ(*out, nullptr);
        *out = Fake(2);  // as RegOpenKeyEx writes it
        EXPECT_EQ(owner.Get(), Fake(2));
    }
    EXPECT_EQ(Closed(), (std::vector<HANDLE>{Fake(1), Fake(2)}));
}

TEST_F(ScopedOwnerTest, EmptyValuesAreNeverClosed) {
    {
        Recorded invalid(INVALID_HANDLE_VALUE);
        EXPECT_FALSE(invalid);
        EXPECT_EQ(invalid.Get(), INVALID_HANDLE_VALUE);  // kept as the call answered
        EXPECT_EQ(GdiHeld(), 0);
        invalid.Reset(nullptr);
        Recorded none;
        none.Reset(INVALID_HANDLE_VALUE);
    }
    EXPECT_TRUE(Closed().empty());
    EXPECT_EQ(GdiHeld(), 0);
}

// Real kernel handles: Reset closes the event (the handle is no longer valid), Release leaves
// it open, a failed CreateFile is held as empty.
TEST_F(ScopedOwnerTest, AKernelHandleIsClosedByResetAndLeftOpenByRelease) {
    DWORD flags = 0;
    platform::win32::ScopedHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    const HANDLE raw = event.Get();
    ASSERT_TRUE(GetHandleInformation(raw, &flags));
    event.Reset();
    EXPECT_FALSE(GetHandleInformation(raw, &flags));

    platform::win32::ScopedHandle kept(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE released = kept.Release();
    EXPECT_TRUE(GetHandleInformation(released, &flags));
    EXPECT_TRUE(CloseHandle(released));

    platform::win32::ScopedHandle file(CreateFileA("Z:\\no\\such\\folder\\file", GENERIC_READ, 0,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(file.Get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(file);
}

// A registry key opened through the out-parameter is closed once at the end; a predefined root
// is held (true) and left open.
TEST_F(ScopedOwnerTest, ARegistryKeyIsClosedAndAPredefinedRootIsNot) {
    const char* const path = "Software\\DravikScopedOwnerTest";
    HKEY raw = nullptr;
    {
        platform::win32::ScopedHKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  key.ReleaseAndGetAddressOf(), nullptr),
                  ERROR_SUCCESS);
        raw = key.Get();
        EXPECT_EQ(RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    EXPECT_NE(RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);

    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                      HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_PERFORMANCE_NLSTEXT})
        EXPECT_TRUE(platform::win32::IsPredefinedKey(root));
    EXPECT_FALSE(platform::win32::IsPredefinedKey(raw));
    {
        platform::win32::ScopedHKEY root(HKEY_CURRENT_USER);
        EXPECT_TRUE(root);
    }
    EXPECT_EQ(RegQueryInfoKeyA(HKEY_CURRENT_USER, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

// Real GDI objects, counted as the soak counts them: deleted by Reset, and the selection scope
// puts back the object the DC had before the first selection, not the one in between.
TEST_F(ScopedOwnerTest, GdiObjectsAreCountedDeletedAndSelectedBack) {
    platform::win32::ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) GTEST_SKIP() << "no memory DC";
    EXPECT_EQ(GdiHeld(), 1);
    const HGDIOBJ own = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    platform::win32::ScopedBitmap first(CreateCompatibleBitmap(dc.Get(), 4, 4));
    platform::win32::ScopedBitmap second(CreateCompatibleBitmap(dc.Get(), 4, 4));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(GdiHeld(), 3);
    {
        platform::win32::ScopedSelection selection(dc.Get(), first.Get());
        selection.Select(dc.Get(), second.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), second.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), own);
    const HBITMAP raw = first.Get();
    first.Reset();
    EXPECT_EQ(GetObjectType(raw), 0u);
    EXPECT_EQ(GdiHeld(), 2);
    second.Reset();
    dc.Reset();
    EXPECT_EQ(GdiHeld(), 0);
}

}  // namespace
