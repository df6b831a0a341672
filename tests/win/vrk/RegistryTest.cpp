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

// Writes raw bytes under the test root, as another program or an older version might.
void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (CString(kRoot) + L"\\P").GetString(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(h, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}

// A top-level frame of the given style at (50, 60), 300 x 200, gone with the object.
struct Frame : CWnd {
    explicit Frame(DWORD style)
    {
        SubclassWindow(CreateWindowExW(0, L"STATIC", L"frame", style, 50, 60, 300, 200, nullptr, nullptr, nullptr, nullptr));
    }
    ~Frame() { ::DestroyWindow(UnsubclassWindow()); }
    CRect Rect() const
    {
        CRect rc;
        GetWindowRect(&rc);
        return rc;
    }
};

}  // namespace

TEST_F(Registry, IntFlagDecidesWhatAFirstRunReads)
{
    enum Stored { kNothing, kInt, kText };
    const struct {
        const char* fault;
        Stored stored;
        int storedValue, writeFlag, before, def, flag, expectValue;
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
        if (c.stored == kInt) { ASSERT_TRUE(CRegistry::Write(L"Dialog\\Obs", L"ViewAngle", c.storedValue, c.writeFlag)); }
        if (c.stored == kText) { ASSERT_TRUE(CRegistry::Write(L"Dialog\\Obs", L"ViewAngle", CString(L"120"))); }
        int value = c.before;
        EXPECT_EQ(CRegistry::Read(L"Dialog\\Obs", L"ViewAngle", c.def, &value, c.flag), c.expectResult);
        EXPECT_EQ(value, c.expectValue);
    }
}

TEST_F(Registry, StringsRoundTripOrGiveTheDefault)
{
    const wchar_t text[] = {L'a', L'b', L'c'};
    WriteRaw(L"raw", REG_SZ, text, sizeof text);
    const struct {
        const char* fault;
        const wchar_t* stored;  // null: nothing written
        const wchar_t* name;
        BOOL result;
        const wchar_t* value;
    } cases[] = {
        {"nothing stored did not give the default", nullptr, L"location", FALSE, L"default"},
        {"Japanese text lost", L"location(-118.243700, 34.052200, 89.000000) 東京", L"location", TRUE, L"location(-118.243700, 34.052200, 89.000000) 東京"},
        {"a stored empty text read as the default", L"", L"time.timezone", TRUE, L""},
        {"a string without its terminator cut", nullptr, L"raw", TRUE, L"abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        if (c.stored) { ASSERT_TRUE(CRegistry::Write(L"P", c.name, CString(c.stored))); }
        CString value = L"untouched";
        EXPECT_EQ(CRegistry::Read(L"P", c.name, CString(L"default"), value), c.result);
        EXPECT_EQ(value, c.value);
    }
}

TEST_F(Registry, WindowPlacement)
{
    Frame wnd(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
    ASSERT_NE(wnd.m_hWnd, nullptr);
    int show = SW_SHOWNORMAL;
    EXPECT_FALSE(CRegistry::Read(L"P", L"WindowPos", &wnd, &show, 0)) << "nothing stored must read as nothing";
    EXPECT_FALSE(wnd.IsWindowVisible()) << "a failed read showed the window";
    EXPECT_EQ(wnd.Rect(), CRect(50, 60, 350, 260)) << "a failed read moved the window";

    wnd.SetWindowPos(nullptr, 120, 90, 410, 230, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(CRegistry::Write(L"P", L"WindowPos", &wnd, 0));
    for (int flag : {1, 0}) {
        SCOPED_TRACE(flag);
        wnd.SetWindowPos(nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(CRegistry::Read(L"P", L"WindowPos", &wnd, &show, flag));
        EXPECT_EQ(wnd.Rect(), CRect(120, 90, 530, 320)) << "the placement was not restored";
        EXPECT_EQ(!!wnd.IsWindowVisible(), flag == 0) << "flag 1 places without showing, flag 0 shows";
    }

    // Stored by someone else: a minimised fixed frame of another size, a monitor that is gone,
    // a value cut short.
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(wnd.m_hWnd, &wp);
    wp.showCmd = SW_SHOWMINIMIZED;
    wp.rcNormalPosition = CRect(200, 150, 900, 700);
    WriteRaw(L"Min", REG_BINARY, &wp, sizeof wp);
    WriteRaw(L"Short", REG_BINARY, &wp, sizeof wp - 4);
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = CRect(50000, 50000, 50300, 50200);
    WriteRaw(L"Far", REG_BINARY, &wp, sizeof wp);
    Frame fixed(WS_CAPTION | WS_SYSMENU | WS_DLGFRAME);
    EXPECT_TRUE(CRegistry::Read(L"P", L"Min", &fixed, &show, 0));
    EXPECT_EQ(fixed.Rect(), CRect(200, 150, 500, 350)) << "a fixed frame took the stored size";
    EXPECT_FALSE(IsIconic(fixed.m_hWnd)) << "the window came back minimised";
    EXPECT_EQ(show, SW_SHOWNORMAL);
    EXPECT_FALSE(CRegistry::Read(L"P", L"Short", &fixed, &show, 0)) << "a cut value was used";
    EXPECT_EQ(fixed.Rect(), CRect(200, 150, 500, 350));
    EXPECT_TRUE(CRegistry::Read(L"P", L"Far", &fixed, &show, 1));
    CRect rc = fixed.Rect();
    EXPECT_NE(MonitorFromRect(&rc, MONITOR_DEFAULTTONULL), nullptr) << "placed where no monitor shows it";
}

TEST(RegistryRoot, NeverTheBareUserHive)
{
    const CString before = CRegistry::GetRoot();
    for (const wchar_t* root : {L"", static_cast<const wchar_t*>(nullptr), L"\\\\"}) {
        CRegistry::SetRoot(root);
        EXPECT_EQ(CRegistry::GetRoot(), L"Software\\VRKOBS") << "a root that names no key was taken";
    }
    CRegistry::SetRoot(before);
}
