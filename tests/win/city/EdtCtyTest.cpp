#include "city/CEdtCty.h"
#include "res/resource_city.h"

#include <host/CCorZelMap.h>
#include <standin/CStandInMap.h>
#include <vrkreg/CRegistry.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(_T("VRKOBS place editor tests")) {}
};
CTestApp theApp;

CString Text(CDialog* d, int nID)
{
    CString s;
    d->GetDlgItemText(nID, s);
    return s;
}

// The members as one line: name, longitude, latitude, altitude, time zone, the three choices, type.
CString Members(const CEdtCty& e)
{
    CString s;
    s.Format(L"%s %d %d %.1f %d %d %.1f %.0f %d %d %d %d %d %d", e.m_strName.GetString(), e.m_nLonDeg, e.m_nLonMin,
             e.m_dLonSec, e.m_nLatDeg, e.m_nLatMin, e.m_dLatSec, e.m_dAlt, e.m_nTzHour, e.m_nTzMin, e.m_nEastWest,
             e.m_nNorthSouth, e.m_nTzSign, e.m_nType);
    return s;
}

// Tokyo, as the city list dialog hands it over.
INT_PTR RunEditor(CEdtCty& e, CCorZelMap* pMap, std::function<void(CDialog*)> script)
{
    e.m_strName = L"東京";
    e.m_nLonDeg = 139, e.m_nLonMin = 41, e.m_dLonSec = 30.0, e.m_nLatDeg = 35, e.m_nLatMin = 41, e.m_dLatSec = 22.4;
    e.m_dAlt = 40, e.m_nTzHour = 9, e.m_nTzMin = 0, e.m_nEastWest = 0, e.m_nNorthSouth = 0, e.m_nTzSign = 0;
    e.SetCorMapPtr(pMap);
    AfxSetModalDialogHook(IDD_EDTCTY, std::move(script));
    return e.DoModal();
}

using EdtCty = ScriptedTest;

// As a user does it: type a text (step an up-down when text is null), click OK; every box on
// the way, what the field then shows, and the members after OK, or the dialog still open.
TEST_F(EdtCty, TypingSteppingAndOk)
{
    struct Act { int nID; const wchar_t* text; int delta = 0; };
    const struct {
        const char* fault;
        std::vector<Act> acts;
        std::vector<const wchar_t*> boxes;
        int nShown;
        const wchar_t* shown;
        const wchar_t* after;  // null: the dialog stays open
    } cases[] = {
        {"init clobbered the members", {}, {}, IDC_EDTCTY_EDT_LAT_SEC, L"22.4", L"東京 139 41 30.0 35 41 22.4 40 9 0 0 0 0 -1"},
        {"59.95 s closed", {{IDC_EDTCTY_EDT_LNG_SEC, L"59.95"}}, {L"経度の秒には 0 から 59.9 までの値を入力してください\n"},
         IDC_EDTCTY_EDT_LNG_SEC, L"59.95", nullptr},
        {"180 0 0.1 closed", {{IDC_EDTCTY_EDT_LNG_DEG, L"180"}, {IDC_EDTCTY_EDT_LNG_MIN, L"0"}, {IDC_EDTCTY_EDT_LNG_SEC, L"0.1"}},
         {L"経度には 0.0 から 180.0 までの値を入力してください\n"}, IDC_EDTCTY_EDT_LNG_DEG, L"180", nullptr},
        {"180 0 0 refused", {{IDC_EDTCTY_EDT_LNG_DEG, L"180"}, {IDC_EDTCTY_EDT_LNG_MIN, L"0"}, {IDC_EDTCTY_EDT_LNG_SEC, L"0"}},
         {}, IDC_EDTCTY_EDT_LNG_SEC, L"0", L"東京 180 0 0.0 35 41 22.4 40 9 0 0 0 0 -1"},
        {"blank name kept", {{IDC_EDTCTY_EDT_NAME, L"  "}}, {L"都市名を入力してください。\n"}, IDC_EDTCTY_EDT_NAME, L"", nullptr},
        {"comma taken", {{IDC_EDTCTY_EDT_NAME, L"Washington, D.C."}}, {L"都市名に半角の「,」(カンマ)は使えません。\n"},
         IDC_EDTCTY_EDT_NAME, L"Washington, D.C.", nullptr},
        {"failures not in one box in order",
         {{IDC_EDTCTY_EDT_NAME, L""}, {IDC_EDTCTY_EDT_TZ_HOUR, L"14"}, {IDC_EDTCTY_EDT_TZ_MIN, L"1"}, {IDC_EDTCTY_EDT_LAT_DEG, L"90"}},
         {L"都市名を入力してください。\n緯度には 0.0 から 90.0 までの値を入力してください\nタイムゾーンには 0 から 14 までの値を入力してください\n"},
         IDC_EDTCTY_EDT_LAT_DEG, L"90", nullptr},
        {"name not trimmed", {{IDC_EDTCTY_EDT_NAME, L" 大阪　"}, {IDC_EDTCTY_RD_WEST, nullptr, 0}}, {}, IDC_EDTCTY_EDT_NAME, L"大阪",
         L"大阪 139 41 30.0 35 41 22.4 40 9 0 1 0 0 -1"},
        {"longitude degrees", {{IDC_EDTCTY_EDT_LNG_DEG, L"181"}}, {L"経度の度には 0 から 180 までの値を入力してください。"},
         IDC_EDTCTY_EDT_LNG_DEG, L"0", L"東京 0 41 30.0 35 41 22.4 40 9 0 0 0 0 -1"},
        {"longitude seconds", {{IDC_EDTCTY_EDT_LNG_SEC, L"60"}}, {L"経度の秒には 0 から 59.9 までの値を入力してください。"},
         IDC_EDTCTY_EDT_LNG_SEC, L" 0.0", L"東京 139 41 0.0 35 41 22.4 40 9 0 0 0 0 -1"},
        {"latitude minutes", {{IDC_EDTCTY_EDT_LAT_MIN, L"60"}}, {L"緯度の分には 0 から 59 の値を入力してください。"},
         IDC_EDTCTY_EDT_LAT_MIN, L"0", L"東京 139 41 30.0 35 0 22.4 40 9 0 0 0 0 -1"},
        {"altitude not set to the top", {{IDC_EDTCTY_EDT_ALT, L"1000000"}}, {L"標高には -9999 から 999999 までの値を入力してください。"},
         IDC_EDTCTY_EDT_ALT, L"999999", L"東京 139 41 30.0 35 41 22.4 999999 9 0 0 0 0 -1"},
        {"altitude not set to the bottom", {{IDC_EDTCTY_EDT_ALT, L"-10000"}}, {L"標高には -9999 から 999999 までの値を入力してください。"},
         IDC_EDTCTY_EDT_ALT, L"-9999", L"東京 139 41 30.0 35 41 22.4 -9999 9 0 0 0 0 -1"},
        {"time-zone hours", {{IDC_EDTCTY_EDT_TZ_HOUR, L"15"}}, {L"タイムゾーンの時には 0 から 14 までの値を入力してください。"},
         IDC_EDTCTY_EDT_TZ_HOUR, L"0", L"東京 139 41 30.0 35 41 22.4 40 0 0 0 0 0 -1"},
        {"altitude stepped past the top", {{IDC_EDTCTY_EDT_ALT, L"999999"}, {IDC_EDTCTY_SPN_ALT, nullptr, -1}}, {},
         IDC_EDTCTY_EDT_ALT, L"999999", L"東京 139 41 30.0 35 41 22.4 999999 9 0 0 0 0 -1"},
        {"seconds stepped below 0.0", {{IDC_EDTCTY_EDT_LAT_SEC, L"0"}, {IDC_EDTCTY_SPN_LAT_SEC, nullptr, 1}}, {},
         IDC_EDTCTY_EDT_LAT_SEC, L"0", L"東京 139 41 30.0 35 41 0.0 40 9 0 0 0 0 -1"},
        {"seconds not stepped by a tenth", {{IDC_EDTCTY_SPN_LNG_SEC, nullptr, -1}}, {}, IDC_EDTCTY_EDT_LNG_SEC, L"30.1",
         L"東京 139 41 30.1 35 41 22.4 40 9 0 0 0 0 -1"},
        {"degrees mirrored past 180", {{IDC_EDTCTY_EDT_LNG_DEG, L"180"}, {IDC_EDTCTY_SPN_LNG_DEG, nullptr, -1}},
         {L"経度には 0.0 から 180.0 までの値を入力してください\n"},
         IDC_EDTCTY_EDT_LNG_DEG, L"180", nullptr},
        {"hours stepped down past 0", {{IDC_EDTCTY_EDT_TZ_HOUR, L"0"}, {IDC_EDTCTY_SPN_TZ_HOUR, nullptr, 1}}, {},
         IDC_EDTCTY_EDT_TZ_HOUR, L"0", L"東京 139 41 30.0 35 41 22.4 40 0 0 0 0 0 -1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
        for (const wchar_t* box : c.boxes)
            AfxTestExpectMessageBox(box, IDOK);
        CEdtCty e;
        const INT_PTR nResult = RunEditor(e, nullptr, [&](CDialog* d) {
            for (const Act& a : c.acts) {
                HWND h = ::GetDlgItem(d->m_hWnd, a.nID);
                if (a.text != nullptr) {
                    ::SendMessageW(h, EM_SETSEL, 0, -1), ::SendMessageW(h, WM_CLEAR, 0, 0);
                    for (const wchar_t* p = a.text; *p; ++p)
                        ::SendMessageW(h, WM_CHAR, *p, 1);
                } else if (a.delta == 0) {
                    ::SendMessageW(h, BM_CLICK, 0, 0);
                } else {
                    NMUPDOWN nm = {{h, static_cast<UINT_PTR>(a.nID), UDN_DELTAPOS}, 0, a.delta};
                    d->SendMessage(WM_NOTIFY, a.nID, reinterpret_cast<LPARAM>(&nm));
                }
            }
            d->SendDlgItemMessage(IDOK, BM_CLICK, 0, 0);
            EXPECT_EQ(Text(d, c.nShown), c.shown);
            if (c.after == nullptr && d->IsWindowVisible())
                d->SendDlgItemMessage(IDCANCEL, BM_CLICK, 0, 0);
        });
        EXPECT_EQ(nResult, c.after ? IDOK : IDCANCEL);
        if (c.after) {
            EXPECT_EQ(Members(e), c.after);
        }
        const auto shown = AfxTestShownMessageBoxes();
        ASSERT_EQ(shown.size(), c.boxes.size());
        for (const auto& box : shown)  // the OK's one box is plain, a typed value's informs
            EXPECT_EQ(box.type & (MB_ICONMASK | MB_TYPEMASK), box.text.Right(1) == L"\n" ? MB_OK : MB_ICONINFORMATION);
        EXPECT_EQ(JoinedFailures(), "");
    }
}

// The type list: the map's landmark classes in its order, the place's type selected; OK hands back
// the selection, -1 for none.
TEST_F(EdtCty, TypeListFromTheMap)
{
    const std::vector<CString> classes = {L"観測地", L"市区町村", L"都市"};
    const struct {
        const char* fault;
        bool bMap;
        int nType, nPick;  // nPick: the user's choice, -1 none
        int nSel, nAfter;
    } cases[] = {
        {"no map", false, 0, -1, -1, -1},
        {"stored type not selected", true, 2, -1, 2, 2},
        {"type beyond the list selected something", true, 3, -1, -1, -1},
        {"user's choice lost", true, 0, 1, 0, 1},
    };
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CStandInMap::Defaults().classNames = classes;
        CCorZelMap map;
        ASSERT_TRUE(map.Create(L"", WS_CHILD, CRect(0, 0, 50, 50), &host));
        CEdtCty e;
        e.m_nType = c.nType;
        std::vector<CString> items;
        EXPECT_EQ(IDOK, RunEditor(e, c.bMap ? &map : nullptr, [&](CDialog* d) {
            for (int i = 0; i < d->SendDlgItemMessage(IDC_EDTCTY_CMB_TYPE, CB_GETCOUNT); ++i) {
                wchar_t sz[64] = {};
                d->SendDlgItemMessage(IDC_EDTCTY_CMB_TYPE, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sz));
                items.push_back(sz);
            }
            EXPECT_EQ(d->SendDlgItemMessage(IDC_EDTCTY_CMB_TYPE, CB_GETCURSEL), c.nSel);
            if (c.nPick >= 0)
                d->SendDlgItemMessage(IDC_EDTCTY_CMB_TYPE, CB_SETCURSEL, c.nPick);
            d->SendDlgItemMessage(IDOK, BM_CLICK);
        }));
        EXPECT_EQ(items, c.bMap ? classes : std::vector<CString>());
        EXPECT_EQ(e.m_nType, c.nAfter);
        map.DestroyWindow();
    }
    host.DestroyWindow();
}

// Only the hours' up-down ignores the arrow keys; OK and Cancel are drawn with the buttons' face.
TEST_F(EdtCty, TemplateAsTheUserMeetsIt)
{
    CEdtCty e;
    RunEditor(e, nullptr, [](CDialog* d) {
        for (int nID : {IDC_EDTCTY_SPN_LNG_DEG, IDC_EDTCTY_SPN_LAT_SEC, IDC_EDTCTY_SPN_ALT, IDC_EDTCTY_SPN_TZ_HOUR,
                        IDC_EDTCTY_SPN_TZ_MIN})
            EXPECT_EQ((d->GetDlgItem(nID)->GetStyle() & UDS_ARROWKEYS) != 0, nID != IDC_EDTCTY_SPN_TZ_HOUR) << nID;
        for (int nID : {IDOK, IDCANCEL}) {
            HDC hdc = ::CreateCompatibleDC(nullptr);
            HBITMAP hbm = ::CreateBitmap(60, 30, 1, 32, nullptr);
            HGDIOBJ hOld = ::SelectObject(hdc, hbm);
            ::PatBlt(hdc, 0, 0, 60, 30, WHITENESS);
            d->SendDlgItemMessage(nID, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
            EXPECT_EQ(::GetPixel(hdc, 3, 3), 0xB4B4B4u) << nID << " was not drawn";
            ::DeleteObject(::SelectObject(hdc, hOld));
            ::DeleteDC(hdc);
        }
        d->SendDlgItemMessage(IDCANCEL, BM_CLICK);
    });
    HKEY hKey = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\VRKOBS-tests\\edtcty\\Dialog\\EditCity", 0, KEY_READ, &hKey),
              ERROR_SUCCESS) << "the placement was not kept under the editor's key";
    ::RegCloseKey(hKey);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    AfxInitCommonControls();
    CRegistry::SetRoot(_T("Software\\VRKOBS-tests\\edtcty"));
    CRegistry::DeleteKey(CString());
    CStandInMap::Register();
    const int rc = RUN_ALL_TESTS();
    CStandInMap::Unregister();
    CRegistry::DeleteKey(CString());
    OleUninitialize();
    return rc;
}
