#include "city/CEdtCty.h"
#include "res/resource_city.h"

#include <host/CCorZelMap.h>
#include <standin/CStandInMap.h>
#include <vrkreg/CRegistry.h>

#include "SmallDialogDriving.h"

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

CWinApp theApp(_T("VRKOBS place editor tests"));

// Tokyo as the city list dialog hands it over; after OK the members as one line: name,
// longitude, latitude, altitude, time zone and the three choices.
CString RunEditor(CEdtCty& e, CCorZelMap* pMap, std::function<void(CDialog*)> script)
{
    e.m_strName = L"東京", e.m_nLonDeg = 139, e.m_nLonMin = 41, e.m_dLonSec = 30.0, e.m_nLatDeg = 35, e.m_nLatMin = 41, e.m_dLatSec = 22.4;
    e.m_dAlt = 40, e.m_nTzHour = 9, e.m_nTzMin = 0, e.m_nEastWest = 0, e.m_nNorthSouth = 0, e.m_nTzSign = 0;
    e.SetCorMapPtr(pMap);
    AfxSetModalDialogHook(IDD_EDTCTY, std::move(script));
    if (e.DoModal() != IDOK)
        return L"";
    CString s;
    s.Format(L"%s %d %d %.1f %d %d %.1f %.0f %d %d %d %d %d", e.m_strName.GetString(), e.m_nLonDeg, e.m_nLonMin, e.m_dLonSec,
             e.m_nLatDeg, e.m_nLatMin, e.m_dLatSec, e.m_dAlt, e.m_nTzHour, e.m_nTzMin, e.m_nEastWest, e.m_nNorthSouth, e.m_nTzSign);
    return s;
}

using EdtCty = ScriptedTest;

// As a user does it: type a text (step an up-down, or click, when there is none), click OK; the
// box on the way, what the field then shows, and the members after OK ("" while it stays open).
// Each check OK makes, bound by bound and character by character (a blank name too), is held
// natively; here that OK shows them and stays open.
TEST_F(EdtCty, TypingSteppingAndOk)
{
    struct Act { int nID; const wchar_t* text; int delta = 0; };
    const struct { const char* fault; std::vector<Act> acts; CString box; int nShown; CString shown, after; } cases[] = {
        {"init clobbered the members", {}, L"", IDC_EDTCTY_EDT_LAT_SEC, L"22.4", L"東京 139 41 30.0 35 41 22.4 40 9 0 0 0 0"},
        {"180 kept the minutes past the top, or 180 0 0 refused", {{IDC_EDTCTY_EDT_LNG_DEG, L"180"}}, L"", IDC_EDTCTY_EDT_LNG_MIN, L"0", L"東京 180 0 0.0 35 41 22.4 40 9 0 0 0 0"},
        {"a name the code page lacks taken", {{IDC_EDTCTY_EDT_NAME, L"Zürich Łódź"}}, L"都市名に「ü」「Ł」「ó」「ź」は使えません(保存できない文字です)。\n", IDC_EDTCTY_EDT_NAME, L"Zürich Łódź", L""},
        {"failures not in one box in order", {{IDC_EDTCTY_EDT_NAME, L""}, {IDC_EDTCTY_EDT_TZ_HOUR, L"14"}, {IDC_EDTCTY_EDT_TZ_MIN, L"1"}, {IDC_EDTCTY_EDT_LAT_DEG, L"90"}},
         L"都市名を入力してください。\n緯度には 0.0 から 90.0 までの値を入力してください\n"
         L"タイムゾーンには 0 から 14 までの値を入力してください\n", IDC_EDTCTY_EDT_LAT_DEG, L"90", L""},
        {"typed degrees", {{IDC_EDTCTY_EDT_LNG_DEG, L"181"}, {IDC_EDTCTY_RD_WEST, nullptr}},
         L"経度の度には 0 から 180 までの値を入力してください。", IDC_EDTCTY_EDT_LNG_DEG, L"0", L"東京 0 41 30.0 35 41 22.4 40 9 0 1 0 0"},
        {"typed seconds, then stepped below 0.0", {{IDC_EDTCTY_EDT_LAT_SEC, L"60"}, {IDC_EDTCTY_SPN_LAT_SEC, nullptr, 1}},
         L"緯度の秒には 0 から 59.9 の値を入力してください。", IDC_EDTCTY_EDT_LAT_SEC, L" 0.0", L"東京 139 41 30.0 35 41 0.0 40 9 0 0 0 0"},
        {"typed altitude, then stepped past the top", {{IDC_EDTCTY_EDT_ALT, L"1000000"}, {IDC_EDTCTY_SPN_ALT, nullptr, -1}},
         L"標高には -9999 から 999999 までの値を入力してください。", IDC_EDTCTY_EDT_ALT, L"999999", L"東京 139 41 30.0 35 41 22.4 999999 9 0 0 0 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
        if (!c.box.IsEmpty())
            AfxTestExpectMessageBox(c.box, IDOK);
        CEdtCty e;
        EXPECT_EQ(c.after, RunEditor(e, nullptr, [&](CDialog* d) {
            for (const Act& a : c.acts) {
                if (a.delta != 0)
                    StepUpDown(d->GetSafeHwnd(), a.nID, a.delta);
                else if (a.text == nullptr)
                    Click(*d, a.nID);
                else
                    Type(Item(*d, a.nID), a.text);
            }
            Click(*d, IDOK);
            EXPECT_EQ(Text(*d, c.nShown), c.shown);
            if (d->IsWindowVisible())
                Click(*d, IDCANCEL);
        }));
        const auto shown = AfxTestShownMessageBoxes();
        ASSERT_EQ(shown.size(), c.box.IsEmpty() ? 0u : 1u);
        for (const auto& box : shown)  // the OK's one box is plain, a typed value's informs
            EXPECT_EQ(box.type & (MB_ICONMASK | MB_TYPEMASK), box.text.Right(1) == L"\n" ? MB_OK : MB_ICONINFORMATION);
        EXPECT_EQ(JoinedFailures(), "");
    }
}

// What the user meets on opening: the map's landmark classes in its order with the place's type
// selected (OK hands back the selection, -1 for none), OK and Cancel drawn, the hours' up-down
// deaf to the arrow keys.
TEST_F(EdtCty, Opening)
{
    CStandInMap::Defaults().classNames = {L"観測地", L"市区町村", L"都市"};
    const struct { const char* fault; bool bMap; int nType, nPick, nSel, nAfter; } cases[] = {
        {"no map", false, 0, -1, -1, -1},
        {"stored type not selected", true, 2, -1, 2, 2},
        {"type beyond the list selected something", true, 3, -1, -1, -1},
        {"user's choice lost", true, 0, 1, 0, 1},
    };
    CWnd host;
    CCorZelMap map;
    ASSERT_TRUE(host.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    ASSERT_TRUE(map.Create(L"", WS_CHILD, CRect(0, 0, 50, 50), &host));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CEdtCty e;
        std::vector<CString> items;
        e.m_nType = c.nType;
        RunEditor(e, c.bMap ? &map : nullptr, [&](CDialog* d) {
            const HWND hType = Item(*d, IDC_EDTCTY_CMB_TYPE);
            for (int i = 0; i < ::SendMessageW(hType, CB_GETCOUNT, 0, 0); ++i) {
                wchar_t text[64] = {};
                ::SendMessageW(hType, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                items.emplace_back(text);
            }
            EXPECT_EQ(::SendMessageW(hType, CB_GETCURSEL, 0, 0), c.nSel);
            if (c.nPick >= 0)
                ::SendMessageW(hType, CB_SETCURSEL, c.nPick, 0);
            ExpectButtonsDrawn(d);
            EXPECT_FALSE(::GetWindowLongW(Item(*d, IDC_EDTCTY_SPN_TZ_HOUR), GWL_STYLE) & UDS_ARROWKEYS);
            EXPECT_TRUE(::GetWindowLongW(Item(*d, IDC_EDTCTY_SPN_TZ_MIN), GWL_STYLE) & UDS_ARROWKEYS);
            Click(*d, IDOK);
        });
        EXPECT_EQ(items, c.bMap ? CStandInMap::Defaults().classNames : std::vector<CString>());
        EXPECT_EQ(e.m_nType, c.nAfter);
        EXPECT_EQ(e.m_strRegKey, L"Dialog\\EditCity");
    }
    map.DestroyWindow(), host.DestroyWindow();
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    AfxInitCommonControls();
    CRegistry::SetRoot(_T("Software\\VRKOBS-tests\\edtcty"));
    CStandInMap::Register();
    const int rc = RUN_ALL_TESTS();
    CRegistry::DeleteKey(CString());
    OleUninitialize();
    return rc;
}
