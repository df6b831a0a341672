#include "ObsTestHost.h"

using DlgObsFields = ObsDialogTest;

namespace {

struct Shown {
    bool west;
    const wchar_t* deg;
    const wchar_t* min;
    const wchar_t* sec;
};

}  // namespace

// What the longitude fields show for an observer's longitude on each kind of body.
TEST_F(DlgObsFields, LongitudeShownByBody)
{
    struct Case {
        const char* fault;
        int nBody;
        double lng;
        Shown shown;
        const wchar_t* unit;
    };
    const Case cases[] = {
        {"Earth beyond 180 not shown west", 4, 200.0, {true, L"160", L"0", L"0.0"}, L"m"},
        {"negative Earth longitude", 4, -45.5, {true, L"45", L"30", L"0.0"}, L"m"},
        {"carry of rounded seconds", 4, 10.99999, {false, L"11", L"0", L"0.0"}, L"m"},
        {"carry at the Earth's maximum", 4, 179.99999, {false, L"180", L"0", L"0.0"}, L"m"},
        {"Mars shows the value unchanged, west", 5, 250.99999, {true, L"251", L"0", L"0.0"}, L"m"},
        {"the Sun is always east", 0, 300.0, {false, L"300", L"0", L"0.0"}, L"km"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lng;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = 10.0;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        EXPECT_EQ(Checked(*dlg, IDC_RD_WEST), c.shown.west);
        EXPECT_EQ(Checked(*dlg, IDC_RD_EAST), !c.shown.west);
        EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_DEG), c.shown.deg);
        EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), c.shown.min);
        EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_SEC), c.shown.sec);
        EXPECT_EQ(Text(*dlg, IDC_STC_ALT_UNIT), c.unit);
        const bool bEarth = c.nBody == 4;
        EXPECT_EQ(Enabled(*dlg, IDC_OBS_BTN_SET_INIT), bEarth);
        EXPECT_EQ(Enabled(*dlg, IDC_OBS_CHK_FEATURE_OBS), bEarth);
        EXPECT_EQ(Enabled(*dlg, IDC_RD_EAST), c.nBody == 4 || c.nBody == 1);
        for (const auto& call : m_obs.m_calls)
            EXPECT_NE(call.strName, _T("UpdateObsByUI")) << "filling the fields pushed "
                                                          << CStringA(call.Text()).str();
        m_obs.ClearCalls();
    }
}

TEST_F(DlgObsFields, OutOfRangeEntriesAreAnsweredAndClamped)
{
    struct Case {
        const char* fault;
        int nID;
        const wchar_t* typed;
        const wchar_t* message;
        const wchar_t* shown;
        bool bPushed;
    };
    const Case cases[] = {
        {"longitude beyond 180 on Earth", IDC_EDT_LNG_DEG, L"200",
         L"経度には 0 から 180 までの値を入力してください。", L"180", false},
        {"longitude minutes", IDC_EDT_LNG_MIN, L"75",
         L"経度の分には 0 から 59 までの値を入力してください。", L"59", false},
        {"longitude seconds", IDC_EDT_LNG_SEC, L"60",
         L"経度の秒には 0 から 59.9 までの値を入力してください。", L"59.9", false},
        {"latitude degrees push the clamped value", IDC_EDT_LAT_DEG, L"95",
         L"緯度の度には 0 から 90 までの値を入力してください。", L"90", true},
        {"altitude below the Earth's bound", IDC_EDT_ALT, L"-10000",
         L"地球の標高には -9999 から 999999 までの値を入力してください。", L"-9999", false},
        {"time-zone hours", IDC_EDT_TZ_HOUR, L"15",
         L"タイムゾーンの時には 0 から 14 までの値を入力してください。", L"14", false},
        {"time-zone minutes", IDC_EDT_TZ_MIN, L"60",
         L"タイムゾーンの分には 0 から 59 までの値を入力してください。", L"59", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        // Typed digit by digit; only the last one goes out of range.
        const std::wstring typed = c.typed;
        Type(*dlg, c.nID, typed.substr(0, typed.size() - 1).c_str());
        m_obs.ClearCalls();
        AfxTestExpectMessageBox(c.message, IDOK);
        ::SendMessageW(::GetDlgItem(dlg->GetSafeHwnd(), c.nID), WM_CHAR, typed.back(), 1);
        Pump();
        EXPECT_EQ(Text(*dlg, c.nID), c.shown);
        bool bPushed = false;
        for (const auto& call : m_obs.m_calls)
            if (call.strName == _T("UpdateObsByUI"))
                bPushed = true;
        EXPECT_EQ(bPushed, c.bPushed);
        const auto shown = AfxTestShownMessageBoxes();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
        for (const CString& failure : AfxTestMessageBoxFailures())
            ADD_FAILURE() << CStringA(failure).str();
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
    }
}

TEST_F(DlgObsFields, TypedPositionGoesToTheObserver)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    m_obs.ClearCalls();
    Type(*dlg, IDC_EDT_LNG_DEG, L"140");
    ASSERT_FALSE(m_obs.m_calls.empty());
    EXPECT_EQ(m_obs.m_calls.back().Text(), L"UpdateObsByUI(140.692, 35.6892, 39)");

    // A number still being typed into a seconds edit changes nothing until the next digit.
    HWND hSec = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_EDT_LNG_SEC);
    Type(*dlg, IDC_EDT_LNG_SEC, L"12");
    m_obs.ClearCalls();
    ::SendMessageW(hSec, WM_CHAR, L'.', 1);
    Pump();
    EXPECT_TRUE(m_obs.m_calls.empty());
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_SEC), L"12.");
    ::SendMessageW(hSec, WM_CHAR, L'5', 1);
    Pump();
    ASSERT_FALSE(m_obs.m_calls.empty());
    EXPECT_NEAR(m_obs.m_calls.back().args.at(0), 140.0 + 41.0 / 60.0 + 12.5 / 3600.0, 1e-9);

    // At 90 degrees of latitude the minutes and seconds are 0 whatever is typed.
    Type(*dlg, IDC_EDT_LAT_DEG, L"90");
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_MIN), L"0");
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_SEC), L"0.0");
    Type(*dlg, IDC_EDT_LAT_MIN, L"30");
    EXPECT_EQ(_wtoi(Text(*dlg, IDC_EDT_LAT_MIN)), 0) << CStringA(Text(*dlg, IDC_EDT_LAT_MIN)).str();
    EXPECT_DOUBLE_EQ(m_obs.m_calls.back().args.at(1), 90.0);
}

TEST_F(DlgObsFields, UpDownsStepAndClamp)
{
    struct Case {
        const char* fault;
        int nEdit;
        const wchar_t* start;
        int nUpDown;
        int delta;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"negative delta raises", IDC_EDT_LNG_MIN, L"10", IDC_SPN_LNG_MIN, -1, L"11"},
        {"positive delta lowers", IDC_EDT_LNG_MIN, L"10", IDC_SPN_LNG_MIN, 1, L"9"},
        {"minutes stepped past 59", IDC_EDT_LNG_MIN, L"59", IDC_SPN_LNG_MIN, -1, L"59"},
        {"seconds step a tenth", IDC_EDT_LNG_SEC, L"59.8", IDC_SPN_LNG_SEC, -1, L"59.9"},
        {"seconds past 59.9", IDC_EDT_LNG_SEC, L"59.9", IDC_SPN_LNG_SEC, -1, L"59.9"},
        {"latitude past 90", IDC_EDT_LAT_DEG, L"90", IDC_SPN_LAT_DEG, -1, L"90"},
        {"time-zone hours past 14", IDC_EDT_TZ_HOUR, L"14", IDC_SPN_TZ_HOUR, -1, L"14"},
        {"time-zone minutes below 0", IDC_EDT_TZ_MIN, L"0", IDC_SPN_TZ_MIN, 1, L"0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        Type(*dlg, c.nEdit, c.start);
        StepUpDown(*dlg, c.nUpDown, c.delta);
        EXPECT_EQ(Text(*dlg, c.nEdit), c.shown);
    }

    // Over 180 degrees on the Earth the hemisphere flips.
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    Type(*dlg, IDC_EDT_LNG_DEG, L"180");
    StepUpDown(*dlg, IDC_SPN_LNG_DEG, -1);
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_DEG), L"179");
    EXPECT_TRUE(Checked(*dlg, IDC_RD_WEST));
}

TEST_F(DlgObsFields, TimeSystemsShowTheirOffset)
{
    struct Case {
        const char* fault;
        int nTimeSystem;
        double lng;
        bool minus;
        const wchar_t* hour;
        const wchar_t* min;
        bool enabled;
    };
    const Case cases[] = {
        {"user zone", 0, 139.691772, false, L"9", L"0", true},
        {"zero offset", 1, 139.691772, false, L"0", L"0", false},
        {"local mean time east", 2, 135.0, false, L"9", L"0", false},
        {"local mean time west", 2, -52.5, true, L"3", L"30", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = c.lng;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        m_obs.m_nTimeSystem = c.nTimeSystem;
        dlg->UpdateTimeSys();
        EXPECT_EQ(Checked(*dlg, IDC_RD_TZ_M), c.minus);
        EXPECT_EQ(Text(*dlg, IDC_EDT_TZ_HOUR), c.hour);
        EXPECT_EQ(Text(*dlg, IDC_EDT_TZ_MIN), c.min);
        EXPECT_EQ(Enabled(*dlg, IDC_EDT_TZ_HOUR), c.enabled);
        m_obs.m_nTimeSystem = 0;
    }
}

TEST_F(DlgObsFields, DefaultLocationStoredAndRestored)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    // Cancelling the confirmation stores nothing.
    AfxTestExpectMessageBox(
        L"東経 139度41分30.4秒\n北緯  35度41分21.2秒\n標高 39m\nタイムゾーン +09時間00分\n\nを初期値として設定します。",
        IDCANCEL);
    Click(*dlg, IDC_OBS_BTN_SET_INIT);
    CString strStored;
    EXPECT_FALSE(CRegistry::Read(_T("Default"), _T("location"), CString(), strStored));

    // With nothing stored, reset sends the built-in place.
    m_engine.m_commands.clear();
    Click(*dlg, IDC_OBS_BTN_RESET);
    EXPECT_EQ(m_engine.Assignments(),
              (std::vector<CString>{L"location = location(139.691772, 35.689236, 39.000000)",
                                    L"time.timezone = 9.000000; Show Sky"}));

    AfxTestExpectMessageBox(
        L"東経 139度41分30.4秒\n北緯  35度41分21.2秒\n標高 39m\nタイムゾーン +09時間00分\n\nを初期値として設定します。",
        IDOK);
    Click(*dlg, IDC_OBS_BTN_SET_INIT);
    CRegistry::Read(_T("Default"), _T("location"), CString(), strStored);
    EXPECT_EQ(strStored, L"location(139.691778, 35.689222, 39.000000)");
    CRegistry::Read(_T("Default"), _T("time.timezone"), CString(), strStored);
    EXPECT_EQ(strStored, L"9.000000");
}

TEST_F(DlgObsFields, AutomaticAltitudeSwitchesTheEngineAndIsStored)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg, _T("C:\\mesh\\index.dat")));
    const CString strOff = _T("Solar.Planet.Earth.Landscape.AutoGetAltitude = FALSE");
    const CString strOn = _T("Solar.Planet.Earth.Landscape.AutoGetAltitude = TRUE");
    ASSERT_FALSE(m_engine.Assignments().empty());
    EXPECT_EQ(m_engine.Assignments().back(), strOff) << "opening returns to manual altitude";
    EXPECT_TRUE(Enabled(*dlg, IDC_EDT_ALT));

    m_obs.ClearCalls();
    Click(*dlg, IDC_RD_ALT_AUTO);
    EXPECT_EQ(m_engine.Assignments().back(), strOn);
    EXPECT_FALSE(Enabled(*dlg, IDC_EDT_ALT));
    EXPECT_FALSE(Enabled(*dlg, IDC_SPN_ALT));
    ASSERT_FALSE(m_obs.m_calls.empty());
    EXPECT_EQ(m_obs.m_calls.back().args.size(), 4u) << "the automatic switch pushes all four values";

    Click(*dlg, IDOK);
    int nStored = -1;
    CRegistry::Read(_T("Dialog\\Obs"), _T("AutoAltitude"), 0, &nStored, 0);
    EXPECT_EQ(nStored, 1);

    ASSERT_TRUE(Open(*dlg));
    EXPECT_TRUE(Checked(*dlg, IDC_RD_ALT_MANUAL)) << "showing again returns to manual";
    Click(*dlg, IDC_RD_ALT_AUTO);
    Click(*dlg, IDC_RD_ALT_MANUAL);
    EXPECT_EQ(m_engine.Assignments().back(), strOff);
    EXPECT_TRUE(Enabled(*dlg, IDC_EDT_ALT));
}

// The up-downs clicked with the mouse: the upper arrow raises, the lower one lowers.
TEST_F(DlgObsFields, UpDownArrowsClicked)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    HWND hUpDown = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_SPN_LNG_MIN);
    RECT rc;
    ::GetClientRect(hUpDown, &rc);
    auto click = [&](bool bUpper) {
        const LPARAM pt = MAKELPARAM(rc.right / 2, bUpper ? rc.bottom / 4 : rc.bottom * 3 / 4);
        ::SendMessageW(hUpDown, WM_LBUTTONDOWN, MK_LBUTTON, pt);
        ::SendMessageW(hUpDown, WM_LBUTTONUP, 0, pt);
        Pump();
    };
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), L"41");
    click(true);
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), L"42");
    click(false);
    click(false);
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), L"40");
}

// After a change in a minute or second edit the caret sits where the change left it, one
// further when the text did not grow, and at that point when the dialog rewrote the text longer.
TEST_F(DlgObsFields, CaretAfterChangingMinutesAndSeconds)
{
    struct Case {
        const char* fault;
        bool bPole;              // latitude degrees at 90 first
        int nID;
        int nSelStart, nSelEnd;  // selection before the change
        const wchar_t* pszSet;   // the whole text set at once, else one character typed
        wchar_t typed;
        const wchar_t* shown;
        int nCaret;
    };
    const Case cases[] = {
        {"longitude minutes: caret left at the typing point", false, IDC_EDT_LNG_MIN, 0, 0, nullptr,
         L'0', L"041", 2},
        {"longitude seconds: caret left at the typing point", false, IDC_EDT_LNG_SEC, 0, 0, nullptr,
         L'0', L"030.4", 2},
        {"latitude minutes: caret left at the typing point", false, IDC_EDT_LAT_MIN, 0, 0, nullptr,
         L'0', L"041", 2},
        {"latitude seconds: caret left at the typing point", false, IDC_EDT_LAT_SEC, 0, 0, nullptr,
         L'0', L"021.2", 2},
        {"rewritten longer: caret pushed past the typing point", true, IDC_EDT_LAT_SEC, 0, -1,
         nullptr, L'5', L"0.0", 1},
        {"text set whole: caret not one past the start", false, IDC_EDT_LNG_MIN, 2, 2, L"12",
         0, L"12", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        if (c.bPole)
            Type(*dlg, IDC_EDT_LAT_DEG, L"90");
        HWND hEdit = ::GetDlgItem(dlg->GetSafeHwnd(), c.nID);
        ::SendMessageW(hEdit, EM_SETSEL, static_cast<WPARAM>(c.nSelStart), c.nSelEnd);
        if (c.pszSet != nullptr)
            ::SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.pszSet));
        else
            ::SendMessageW(hEdit, WM_CHAR, c.typed, 1);
        Pump();
        EXPECT_EQ(Text(*dlg, c.nID), c.shown);
        DWORD dwStart = 0, dwEnd = 0;
        ::SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                       reinterpret_cast<LPARAM>(&dwEnd));
        EXPECT_EQ(static_cast<int>(dwStart), c.nCaret);
        EXPECT_EQ(static_cast<int>(dwEnd), c.nCaret);
    }
}

// Which push each change makes, and in which unit the altitude goes: the shown one with the
// position alone, metres with all four values.
TEST_F(DlgObsFields, PushesCarryTheRightAltitudeUnit)
{
    struct Case {
        const char* fault;
        int nBody;
        void (*change)(CDlgObs&);
        const wchar_t* pushed;  // the last call made to the observer
    };
    const Case cases[] = {
        {"altitude step on the Earth", 4,
         [](CDlgObs& d) { StepUpDown(d, IDC_SPN_ALT, -1); }, L"UpdateObsByUI(100, 10, 41, 9)"},
        {"altitude step on Jupiter not in metres", 6,
         [](CDlgObs& d) { StepUpDown(d, IDC_SPN_ALT, -1); }, L"UpdateObsByUI(100, 10, 3000, 9)"},
        {"typed altitude on Jupiter not in metres", 6,
         [](CDlgObs& d) { Type(d, IDC_EDT_ALT, L"7"); }, L"UpdateObsByUI(100, 10, 7000, 9)"},
        {"typed latitude on Jupiter not in the shown unit", 6,
         [](CDlgObs& d) { Type(d, IDC_EDT_LAT_DEG, L"12"); }, L"UpdateObsByUI(100, 12, 2)"},
        {"picked point on Jupiter not in the shown unit", 6,
         [](CDlgObs&) { CStandInMap::Last()->FireSetObsPosition(50.0, 20.0); Pump(); },
         L"UpdateObsByUI(50, 20, 2)"},
        {"time-zone sign pushes all four", 4,
         [](CDlgObs& d) { Click(d, IDC_RD_TZ_M); }, L"UpdateObsByUI(100, 10, 40, -9)"},
        {"time-zone hours change the zone only", 4,
         [](CDlgObs& d) { Type(d, IDC_EDT_TZ_HOUR, L"5"); }, L"UpdateDateDisp(2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = 100.0;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = 10.0;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kHeight] = c.nBody == 4 ? 40.0 : 2000.0;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        m_obs.ClearCalls();
        c.change(*dlg);
        ASSERT_FALSE(m_obs.m_calls.empty());
        EXPECT_EQ(m_obs.m_calls.back().Text(), c.pushed);
    }
}

// The up-downs' limits that depend on the body and on the pole.
TEST_F(DlgObsFields, UpDownLimitsByBodyAndPole)
{
    struct Case {
        const char* fault;
        int nBody;
        int nEdit;
        const wchar_t* start;
        int nUpDown;
        int delta;
        int nShownEdit;
        const wchar_t* shown;
        int nRadio;  // checked afterwards, 0: not looked at
    };
    const Case cases[] = {
        {"Earth below 0 not mirrored east to west", 4, IDC_EDT_LNG_DEG, L"0", IDC_SPN_LNG_DEG, 1,
         IDC_EDT_LNG_DEG, L"1", IDC_RD_WEST},
        {"Mars above 360 not wrapped", 5, IDC_EDT_LNG_DEG, L"360", IDC_SPN_LNG_DEG, -1,
         IDC_EDT_LNG_DEG, L"1", IDC_RD_WEST},
        {"Mars below 0 not wrapped", 5, IDC_EDT_LNG_DEG, L"0", IDC_SPN_LNG_DEG, 1,
         IDC_EDT_LNG_DEG, L"359", IDC_RD_WEST},
        {"stepping onto the pole kept the minutes", 4, IDC_EDT_LAT_DEG, L"89", IDC_SPN_LAT_DEG, -1,
         IDC_EDT_LAT_MIN, L"0", 0},
        {"stepping onto the pole kept the seconds", 4, IDC_EDT_LAT_DEG, L"89", IDC_SPN_LAT_DEG, -1,
         IDC_EDT_LAT_SEC, L"0.0", 0},
        {"altitude below the Earth's bound", 4, IDC_EDT_ALT, L"-9999", IDC_SPN_ALT, 1,
         IDC_EDT_ALT, L"-9999", 0},
        {"altitude below 0 on Jupiter", 6, IDC_EDT_ALT, L"0", IDC_SPN_ALT, 1, IDC_EDT_ALT, L"0", 0},
        {"altitude above the upper bound", 4, IDC_EDT_ALT, L"999999", IDC_SPN_ALT, -1, IDC_EDT_ALT,
         L"999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = 100.0;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = 10.5125;  // 10 30 45.0
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        Type(*dlg, c.nEdit, c.start);
        StepUpDown(*dlg, c.nUpDown, c.delta);
        EXPECT_EQ(Text(*dlg, c.nShownEdit), c.shown);
        if (c.nRadio != 0) {
            EXPECT_TRUE(Checked(*dlg, c.nRadio));
        }
    }
}
