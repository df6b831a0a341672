#include <vrkreg/CRegistry.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

namespace {

const wchar_t kRoot[] = L"Software\\VRKOBS-tests\\vrkreg";

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRegistry::SetRoot(kRoot);
        ASSERT_TRUE(CRegistry::DeleteKey(L""));
    }
    void TearDown() override { CRegistry::DeleteKey(L""); }
};

// A top-level window with a sizing border (sizeBorder) or a fixed frame, hidden.
HWND MakeWindow(bool sizeBorder)
{
    const DWORD style = WS_CAPTION | WS_SYSMENU | (sizeBorder ? WS_THICKFRAME : WS_DLGFRAME);
    return CreateWindowExW(0, L"STATIC", L"placement", style, 50, 60, 300, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

CRect RectOf(HWND h)
{
    CRect rc;
    GetWindowRect(h, &rc);
    return rc;
}

}  // namespace

TEST_F(Registry, IntFlagDecidesWhatAFirstRunReads)
{
    enum Stored { kNothing, kInt, kText };
    const struct {
        const char* fault;
        Stored stored;
        int storedValue;
        int writeFlag;
        int before;
        int def;
        int flag;
        int expectValue;
        BOOL expectResult;
    } cases[] = {
        {"flag 1 with nothing stored overwrote the constructor's value", kNothing, 0, 1, 200, 0, 1, 200, FALSE},
        {"flag 0 with nothing stored did not take the default", kNothing, 0, 0, 200, 1, 0, 1, FALSE},
        {"flag 1 ignored a stored value", kInt, 37, 1, 200, 0, 1, 37, TRUE},
        {"flag 0 ignored a stored value", kInt, 0, 0, 5, 1, 0, 0, TRUE},
        {"a negative value did not survive", kInt, -12, 0, 0, 0, 0, -12, TRUE},
        {"a value written with flag 0 did not read with flag 1", kInt, 1, 0, 0, 0, 1, 1, TRUE},
        {"a text value was read as a number", kText, 120, 0, 200, 7, 0, 7, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(L"Dialog");
        if (c.stored == kInt) {
            ASSERT_TRUE(CRegistry::Write(L"Dialog\\Obs", L"ViewAngle", c.storedValue, c.writeFlag));
        } else if (c.stored == kText) {
            ASSERT_TRUE(CRegistry::Write(L"Dialog\\Obs", L"ViewAngle", CString(L"120")));
        }
        int value = c.before;
        EXPECT_EQ(CRegistry::Read(L"Dialog\\Obs", L"ViewAngle", c.def, &value, c.flag), c.expectResult);
        EXPECT_EQ(value, c.expectValue);
    }
}

TEST_F(Registry, StringRoundTripAndDefault)
{
    CString value = L"untouched";
    EXPECT_FALSE(CRegistry::Read(L"Default", L"location",
                                 CString(L"location(139.691772, 35.689236, 39.000000)"), value));
    EXPECT_EQ(value, L"location(139.691772, 35.689236, 39.000000)");

    const CString stored = L"location(-118.243700, 34.052200, 89.000000) 東京";
    ASSERT_TRUE(CRegistry::Write(L"Default", L"location", stored));
    EXPECT_TRUE(CRegistry::Read(L"Default", L"location", CString(L"x"), value));
    EXPECT_EQ(value, stored);

    ASSERT_TRUE(CRegistry::Write(L"Default", L"time.timezone", CString()));
    EXPECT_TRUE(CRegistry::Read(L"Default", L"time.timezone", CString(L"9.000000"), value));
    EXPECT_EQ(value, L"");
}

TEST_F(Registry, StringWithoutTerminatorIsReadWhole)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (CString(kRoot) + L"\\Default").GetString(), 0,
                              nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = {L'a', L'b', L'c'};
    ASSERT_EQ(RegSetValueExW(h, L"raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
              ERROR_SUCCESS);
    RegCloseKey(h);
    CString value;
    EXPECT_TRUE(CRegistry::Read(L"Default", L"raw", CString(), value));
    EXPECT_EQ(value, L"abc");
}

TEST_F(Registry, WindowPlacementRoundTrip)
{
    HWND h = MakeWindow(true);
    ASSERT_TRUE(h);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(h));

    int show = SW_SHOWNORMAL;
    EXPECT_FALSE(CRegistry::Read(L"Dialog\\Obs", L"WindowPos", &wnd, &show, 0))
        << "nothing stored must read as nothing";
    EXPECT_FALSE(IsWindowVisible(h)) << "a failed read showed the window";
    EXPECT_EQ(RectOf(h), CRect(50, 60, 350, 260)) << "a failed read moved the window";

    SetWindowPos(h, nullptr, 120, 90, 410, 230, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(CRegistry::Write(L"Dialog\\Obs", L"WindowPos", &wnd, 0));
    SetWindowPos(h, nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);

    show = SW_SHOWNORMAL;
    EXPECT_TRUE(CRegistry::Read(L"Dialog\\Obs", L"WindowPos", &wnd, &show, 1));
    EXPECT_EQ(RectOf(h), CRect(120, 90, 530, 320)) << "flag 1 did not place the window";
    EXPECT_FALSE(IsWindowVisible(h)) << "flag 1 showed the window";

    SetWindowPos(h, nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(CRegistry::Read(L"Dialog\\Obs", L"WindowPos", &wnd, &show, 0));
    EXPECT_EQ(RectOf(h), CRect(120, 90, 530, 320)) << "flag 0 did not restore the placement";
    EXPECT_TRUE(IsWindowVisible(h)) << "flag 0 did not show the window";
    EXPECT_EQ(show, SW_SHOWNORMAL);

    wnd.Detach();
    DestroyWindow(h);
}

TEST_F(Registry, WindowPlacementSafeguards)
{
    HWND h = MakeWindow(false);
    ASSERT_TRUE(h);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(h));

    // A fixed-size window keeps its size when the stored one differs.
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(h, &wp);
    wp.showCmd = SW_SHOWMINIMIZED;
    wp.rcNormalPosition = CRect(200, 150, 900, 700);
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (CString(kRoot) + L"\\P").GetString(), 0, nullptr,
                              0, KEY_WRITE, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(k, L"WindowPos", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&wp), sizeof wp);
    // A placement from a monitor that is no longer there.
    WINDOWPLACEMENT away = wp;
    away.showCmd = SW_SHOWNORMAL;
    away.rcNormalPosition = CRect(50000, 50000, 50300, 50200);
    RegSetValueExW(k, L"Far", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&away), sizeof away);
    // A value cut short.
    RegSetValueExW(k, L"Short", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&wp), sizeof wp - 4);
    RegCloseKey(k);

    int show = SW_SHOWNORMAL;
    EXPECT_TRUE(CRegistry::Read(L"P", L"WindowPos", &wnd, &show, 0));
    EXPECT_EQ(RectOf(h), CRect(200, 150, 500, 350)) << "a fixed frame took the stored size";
    EXPECT_FALSE(IsIconic(h)) << "the window came back minimised";
    EXPECT_EQ(show, SW_SHOWNORMAL);

    EXPECT_TRUE(CRegistry::Read(L"P", L"Far", &wnd, &show, 1));
    CRect rc = RectOf(h);
    EXPECT_TRUE(MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) != nullptr)
        << "the window was placed where no monitor shows it";

    const CRect before = RectOf(h);
    EXPECT_FALSE(CRegistry::Read(L"P", L"Short", &wnd, &show, 0)) << "a cut value was used";
    EXPECT_EQ(RectOf(h), before);

    wnd.Detach();
    DestroyWindow(h);
}

TEST(RegistryRoot, NeverTheBareUserHive)
{
    const CString before = CRegistry::GetRoot();
    for (const wchar_t* root : {L"", static_cast<const wchar_t*>(nullptr), L"\\\\"}) {
        CRegistry::SetRoot(root);
        EXPECT_EQ(CRegistry::GetRoot(), L"Software\\VRKOBS") << "a root that names no key was taken";
    }
    CRegistry::SetRoot(before);
    EXPECT_EQ(CRegistry::GetRoot(), before);
}
