#include "ObsTestHost.h"

#include <stdexcept>

using DlgObsFields = ObsDialogTest;

// What the fields show when the dialog fills them from the observer (opening, or the host's
// refill or change of time system), and that filling them pushes nothing back. The splits and
// their carries are held value by value natively; here the dialog's use of them per body.
TEST_F(DlgObsFields, FieldsShowTheObserver)
{
    enum Fill { Opened, Refilled, TimeSysChanged };
    struct Case {
        const char* fault;
        int nBody;
        double lng;
        Fill fill;
        int nTimeSystem;
        double userTz;
        // E/W deg min sec unit +/- hour min, then whether the time zone, east and west, and storing
        // the default can be used (and no altitude radios without a terrain index)
        const wchar_t* shown;
    };
    const Case cases[] = {
        {"Earth beyond 180 not shown west", 4, 200.0, Opened, 0, 9, L"W 160 0 0.0 m + 9 0 on on on"},
        {"negative Earth longitude", 4, -45.5, Opened, 0, 9, L"W 45 30 0.0 m + 9 0 on on on"},
        {"not carried at the Earth's maximum", 4, 179.99999, Opened, 0, 9, L"E 180 0 0.0 m + 9 0 on on on"},
        {"Mars not shown unchanged, west", 5, 250.99999, Opened, 0, 9, L"W 251 0 0.0 m + 9 0 off off off"},
        {"the Sun not always east", 0, 300.0, Opened, 0, 9, L"E 300 0 0.0 km + 9 0 off off off"},
        {"zero offset", 4, 139.691772, TimeSysChanged, 1, 9, L"E 139 41 30.4 m + 0 0 off on on"},
        {"local mean time west", 4, -52.5, TimeSysChanged, 2, 9, L"W 52 30 0.0 m - 3 30 off on on"},
        {"a zone rounding to zero shown as minus", 4, -0.001, TimeSysChanged, 2, 9, L"W 0 0 3.6 m + 0 0 off on on"},
        {"no time zone rewrote the fields", 4, 139.691772, Refilled, 0, 9999, L"E 139 41 30.4 m + 9 0 on on on"},
        {"a west user zone", 4, 139.691772, Refilled, 0, -5.5, L"E 139 41 30.4 m - 5 30 on on on"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lng;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = 10.0;
        m_obs.m_dUserTimeZone = 9.0;
        auto dlg = OpenNew();
        m_obs.m_nTimeSystem = c.nTimeSystem;
        m_obs.m_dUserTimeZone = c.userTz;
        if (c.fill == Refilled)
            dlg->InitLocation(TRUE);
        if (c.fill == TimeSysChanged)
            dlg->UpdateTimeSys();
        CString shown = Checked(*dlg, IDC_RD_WEST) ? L"W" : L"E";
        for (int nID : {IDC_EDT_LNG_DEG, IDC_EDT_LNG_MIN, IDC_EDT_LNG_SEC, IDC_STC_ALT_UNIT, IDC_RD_TZ_M, IDC_EDT_TZ_HOUR,
                        IDC_EDT_TZ_MIN})
            shown += L" " + (nID == IDC_RD_TZ_M ? CString(Checked(*dlg, nID) ? L"-" : L"+") : Text(*dlg, nID));
        for (int nID : {IDC_EDT_TZ_HOUR, IDC_RD_EAST, IDC_OBS_BTN_SET_INIT})
            shown += Enabled(*dlg, nID) ? L" on" : L" off";
        shown += Visible(*dlg, IDC_RD_ALT_AUTO) || Visible(*dlg, IDC_RD_ALT_MANUAL) ? L" altitude radios" : L"";
        EXPECT_EQ(shown, c.shown);
        for (const auto& call : m_obs.m_calls)
            EXPECT_NE(call.strName, _T("UpdateObsByUI")) << CStringA(call.Text()).str();
        m_obs.m_nTimeSystem = 0;
    }
}

// Every way of changing a field as the user does it: typing (only the last character goes out
// of range), stepping an up-down, clicking a radio. What the user is told and then sees, and
// what the observer was told last: a clamped value reaches it like any other. The rules' own
// clamps and messages are held field by field natively; here each edit and up-down reaches its
// rule (typing into the minute and second edits also in the caret and partial-number tests).
// 180 typed or stepped onto keeps no minutes on its way natively too (coord.FieldRules).
TEST_F(DlgObsFields, EachChangeShowsAndPushes)
{
    struct Case {
        const char* fault;
        int nBody;
        double lat;           // the observer's; a south one is also west (100 W), else 100 E
        int nEdit;
        const wchar_t* text;  // typed, or set before the up-down steps; null: nEdit is clicked
        int delta;            // of the edit's up-down, the control after it; 0: the text is typed
        const wchar_t* shown;
        const wchar_t* pushed;
        const wchar_t* message = nullptr;
        double tz = 9;        // the observer's user time zone afterwards
        int nShown = 0;       // the edit that shows it; 0: nEdit
        double lng = 100;     // the observer's, east (west when lat is south)
    };
    const double lat = 10.5125;  // 10 30 45.0 north
    const Case cases[] = {
        {"longitude beyond 180 on the Earth", 4, lat, IDC_EDT_LNG_DEG, L"200", 0, L"180", L"UpdateObsByUI(180, 10.5125, 40)", L"経度には 0 から 180 までの値を入力してください。"},
        {"minutes typed at the Earth's top kept", 4, lat, IDC_EDT_LNG_MIN, L"12", 0, L"0", L"UpdateObsByUI(180, 10.5125, 40)", nullptr, 9, 0, 180},
        {"longitude beyond 360 on Mars, or its top kept the minutes", 5, lat, IDC_EDT_LNG_DEG, L"361", 0, L"0",
         L"UpdateObsByUI(360, 10.5125, 40)", L"経度には 0 から 360 までの値を入力してください。", 9, IDC_EDT_LNG_MIN, 250.5},
        {"latitude clamped up from below 0 kept the seconds", 4, lat, IDC_EDT_LAT_DEG, L"-5", 0, L"0.0",
         L"UpdateObsByUI(100, 0, 40)", L"緯度の度には 0 から 90 までの値を入力してください。", 9, IDC_EDT_LAT_SEC},
        {"altitude above the top", 4, lat, IDC_EDT_ALT, L"1000000", 0, L"999999",
         L"UpdateObsByUI(100, 10.5125, 999999, 9)", L"地球の標高には -9999 から 999999 までの値を入力してください。"},
        {"altitude below a kilometre body's 0", 6, lat, IDC_EDT_ALT, L"-1", 0, L"0",
         L"UpdateObsByUI(100, 10.5125, 0, 9)", L"木星の標高には 0 から 999999 までの値を入力してください。"},
        {"time-zone hours", 4, lat, IDC_EDT_TZ_HOUR, L"15", 0, L"14", L"UpdateDateDisp(2)", L"タイムゾーンの時には 0 から 14 までの値を入力してください。", 14},
        {"time-zone minutes", 4, lat, IDC_EDT_TZ_MIN, L"60", 0, L"59", L"UpdateDateDisp(2)", L"タイムゾーンの分には 0 から 59 までの値を入力してください。", 9 + 59 / 60.0},
        {"west and south lost their signs", 4, -lat, IDC_EDT_LAT_DEG, L"12", 0, L"12", L"UpdateObsByUI(-100, -12.5125, 40)"},
        {"typed altitude on Jupiter not in metres", 6, lat, IDC_EDT_ALT, L"7", 0, L"7", L"UpdateObsByUI(100, 10.5125, 7000, 9)"},
        {"typed latitude on Jupiter not in the shown unit", 6, lat, IDC_EDT_LAT_DEG, L"12", 0, L"12", L"UpdateObsByUI(100, 12.5125, 2)"},
        {"minutes typed at the pole not zeroed", 4, 90, IDC_EDT_LAT_MIN, L"3", 0, L"0", L"UpdateObsByUI(100, 90, 40)"},
        {"time-zone sign pushes all four", 4, lat, IDC_RD_TZ_M, nullptr, 0, L"9", L"UpdateObsByUI(100, 10.5125, 40, -9)", nullptr, -9, IDC_EDT_TZ_HOUR},
        {"Earth past 180 not mirrored to the west", 4, lat, IDC_EDT_LNG_DEG, L"180", -1, L"179", L"UpdateObsByUI(-179, 10.5125, 40)"},
        {"longitude minutes stepped past 59", 4, lat, IDC_EDT_LNG_MIN, L"59", -1, L"59", L"UpdateObsByUI(100.983, 10.5125, 40)"},
        {"longitude seconds not a tenth", 4, lat, IDC_EDT_LNG_SEC, L"59.8", -1, L"59.9", L"UpdateObsByUI(100.017, 10.5125, 40)"},
        {"stepping onto the pole kept the minutes", 4, lat, IDC_EDT_LAT_DEG, L"89", -1, L"0", L"UpdateObsByUI(100, 90, 40)", nullptr, 9, IDC_EDT_LAT_MIN},
        {"latitude minutes not lowered", 4, lat, IDC_EDT_LAT_MIN, L"10", 1, L"9", L"UpdateObsByUI(100, 10.1625, 40)"},
        {"latitude seconds below 0", 4, lat, IDC_EDT_LAT_SEC, L"0.0", 1, L"0.0", L"UpdateObsByUI(100, 10.5, 40)"},
        {"altitude step on Jupiter not in metres", 6, lat, IDC_EDT_ALT, L"2", -1, L"3", L"UpdateObsByUI(100, 10.5125, 3000, 9)"},
        {"time-zone hours past 14", 4, lat, IDC_EDT_TZ_HOUR, L"14", -1, L"14", L"UpdateDateDisp(2)", nullptr, 14},
        {"time-zone minutes below 0", 4, lat, IDC_EDT_TZ_MIN, L"0", 1, L"0", L"UpdateDateDisp(2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lat < 0 ? -c.lng : c.lng;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = c.lat;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kHeight] = c.nBody == 6 ? 2000.0 : 40.0;
        m_obs.m_dUserTimeZone = 9.0;
        auto dlg = OpenNew();
        // Typed: all but the last character first, so that only the last goes out of range.
        const std::wstring text = c.text ? c.text : L"";
        if (c.text != nullptr)
            Type(*dlg, c.nEdit, c.delta ? c.text : text.substr(0, text.size() - 1).c_str());
        m_obs.ClearCalls();
        if (c.message != nullptr)
            AfxTestExpectMessageBox(c.message, IDOK);
        if (c.delta != 0)
            StepUpDown(*dlg, ::GetDlgCtrlID(::GetWindow(Item(*dlg, c.nEdit), GW_HWNDNEXT)), c.delta);
        else if (c.text != nullptr)
            ::SendMessageW(Item(*dlg, c.nEdit), WM_CHAR, text.back(), 1);
        else
            Click(*dlg, c.nEdit);
        Pump();
        EXPECT_EQ(Text(*dlg, c.nShown ? c.nShown : c.nEdit), c.shown);
        EXPECT_EQ(m_obs.m_calls.empty() ? CString() : m_obs.m_calls.back().Text(), c.pushed);
        EXPECT_NEAR(m_obs.m_dUserTimeZone, c.tz, 1e-9);
        const auto shown = AfxTestShownMessageBoxes();
        ASSERT_EQ(shown.size(), c.message ? 1u : 0u);
        EXPECT_TRUE(shown.empty() || (shown.back().type & MB_ICONMASK) == MB_ICONINFORMATION);
        EXPECT_EQ(JoinedFailures(), "");
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
    }
}

// A number still being typed into a seconds edit ("12.") pushes nothing and survives a refill
// from an observer that did not move; the next digit pushes.
TEST_F(DlgObsFields, NumberBeingTypedIsLeftAlone)
{
    auto dlg = OpenNew();
    Type(*dlg, IDC_EDT_LNG_SEC, L"12");
    m_obs.ClearCalls();
    ::SendMessageW(Item(*dlg, IDC_EDT_LNG_SEC), WM_CHAR, L'.', 1);
    Pump();
    EXPECT_TRUE(m_obs.m_calls.empty());
    dlg->InitLocation(FALSE);
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_SEC), L"12.") << "unchanged values were written again";
    ::SendMessageW(Item(*dlg, IDC_EDT_LNG_SEC), WM_CHAR, L'5', 1);
    Pump();
    EXPECT_NEAR(m_obs.m_calls.at(0).args.at(0), 139.0 + 41.0 / 60.0 + 12.5 / 3600.0, 1e-9);
}

// Storing the shown place asks first and stores east and north positive. Reset sends what is
// stored; with nothing stored, or a stored default another program, an older version or a hand
// edit damaged, the built-in place and time zone go to the engine and the observer, never a value
// the fields cannot show. One within its ranges, bounds included, is sent as stored.
TEST_F(DlgObsFields, DefaultLocationStoredAndRestored)
{
    struct Case {
        const char* fault;
        double lng, lat, alt, tz;
        const wchar_t* confirmation;
        const wchar_t* location;
        const wchar_t* storedTz;
    };
    const Case cases[] = {
        {"east and north", 139.691772, 35.689236, 39.0, 9.0,
         L"東経 139度41分30.4秒\n北緯  35度41分21.2秒\n標高 39m\nタイムゾーン +09時間00分",
         L"location(139.691778, 35.689222, 39.000000)", L"9.000000"},
        {"west and south stored positive", -70.5, -33.25, 500.0, -4.0,
         L"西経  70度30分00.0秒\n南緯  33度15分00.0秒\n標高 500m\nタイムゾーン -04時間00分",
         L"location(-70.500000, -33.250000, 500.000000)", L"-4.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        auto& location = m_obs.m_dLocation[CGeoDateObs::kEarth];
        location[CGeoDateObs::kLng] = c.lng;
        location[CGeoDateObs::kLat] = c.lat;
        location[CGeoDateObs::kHeight] = c.alt;
        m_obs.m_dUserTimeZone = c.tz;
        auto dlg = OpenNew();
        CString strStored;
        for (int answer : {IDCANCEL, IDOK}) {
            AfxTestExpectMessageBox(CString(c.confirmation) + L"\n\nを初期値として設定します。", answer);
            Click(*dlg, IDC_OBS_BTN_SET_INIT);
            EXPECT_EQ(CRegistry::Read(_T("Default"), _T("location"), CString(), strStored) != FALSE,
                      answer == IDOK);
        }
        EXPECT_EQ(strStored, c.location);
        CRegistry::Read(_T("Default"), _T("time.timezone"), CString(), strStored);
        EXPECT_EQ(strStored, c.storedTz);
        // What is stored when reset is pressed (null: nothing), and whether it is sent as it is.
        const struct { const char* fault; const wchar_t *location, *tz; bool bSent; } resets[] = {
            {"what the dialog stored not sent", c.location, c.storedTz, true},
            {"nothing stored sent nothing", nullptr, nullptr, false},
            {"not a number and huge values sent", L"location(nan, 1e308, -99999999)", L"1e308", false},
            {"a time zone past 14 hours sent", L"location(10.000000, 20.000000, 30.000000)", L"15", false},
            {"the bounds refused", L"location(-180.000000, 90.000000, 999999.000000)", L"-14.000000", true},
        };
        for (const auto& r : resets) {
            SCOPED_TRACE(r.fault);
            CRegistry::DeleteKey(CString());
            if (r.location != nullptr) {
                ASSERT_TRUE(CRegistry::Write(_T("Default"), _T("location"), CString(r.location)));
                ASSERT_TRUE(CRegistry::Write(_T("Default"), _T("time.timezone"), CString(r.tz)));
            }
            m_engine.m_commands.clear();
            m_obs.m_dUserTimeZone = 0.0;
            Click(*dlg, IDC_OBS_BTN_RESET);
            const CString loc = r.bSent ? r.location : L"location(139.691772, 35.689236, 39.000000)";
            const CString tz = r.bSent ? r.tz : L"9.000000";
            EXPECT_EQ(m_engine.Assignments(), (std::vector<CString>{L"location = " + loc,
                                                                    L"time.timezone = " + tz + L"; Show Sky"}));
            EXPECT_DOUBLE_EQ(m_obs.m_dUserTimeZone, _wtof(tz));
        }
    }
}

namespace {

// An observer whose four-value push can fail, as a host's may.
class CFailingObs : public CGeoDateObs {
public:
    using CGeoDateObs::UpdateObsByUI;
    void UpdateObsByUI(double lng, double lat, double alt, double tz) override
    {
        if (m_bFail)
            throw std::runtime_error("observer failed");
        CGeoDateObs::UpdateObsByUI(lng, lat, alt, tz);
    }
    bool m_bFail = false;
};

}  // namespace

// With a terrain index the altitude radios show; automatic switches the engine, and a
// push that throws inside the switch must not leave its re-entry flag set for the process.
TEST_F(DlgObsFields, AutomaticAltitudeSwitchesTheEngineAndIsStored)
{
    CFailingObs obs;
    static_cast<CGeoDateObs&>(obs) = m_obs;
    auto dlg = MakeDialog();
    dlg->SetGeoDateObs(&obs);
    auto expectAuto = [&](bool bOn, const char* where) {
        SCOPED_TRACE(where);
        ASSERT_FALSE(m_engine.Assignments().empty());
        EXPECT_EQ(m_engine.Assignments().back(),
                  CString(L"Solar.Planet.Earth.Landscape.AutoGetAltitude = ") + (bOn ? L"TRUE" : L"FALSE"));
        EXPECT_EQ(Checked(*dlg, IDC_RD_ALT_AUTO), bOn);
        EXPECT_EQ(Enabled(*dlg, IDC_EDT_ALT), !bOn);
        EXPECT_EQ(Enabled(*dlg, IDC_SPN_ALT), !bOn);
        if (bOn) {
            ASSERT_FALSE(obs.m_calls.empty());
            EXPECT_EQ(obs.m_calls.back().args.size(), 4u) << "the switch pushes all four values";
        }
    };
    ASSERT_TRUE(dlg->DoModeless(m_cor.get(), _T("C:\\mesh\\index.dat")));
    Pump();
    expectAuto(false, "opening returns to manual");
    Click(*dlg, IDC_RD_ALT_AUTO);
    expectAuto(true, "automatic");
    Click(*dlg, IDOK);
    int nStored = -1;
    CRegistry::Read(_T("Dialog\\Obs"), _T("AutoAltitude"), 0, &nStored, 0);
    EXPECT_EQ(nStored, 1);

    // Shown again with no mesh path: the earlier one stays, and so do the radios.
    ASSERT_TRUE(dlg->DoModeless(m_cor.get(), CString()));
    Pump();
    EXPECT_EQ(dlg->m_strMeshFile, L"C:\\mesh\\index.dat");
    EXPECT_TRUE(Visible(*dlg, IDC_RD_ALT_AUTO));
    expectAuto(false, "showing again returns to manual");

    obs.m_bFail = true;
    AfxTestExpectMessageBox(L"予期しないエラーが発生しました。\nobserver failed", IDOK);
    Click(*dlg, IDC_RD_ALT_AUTO);
    obs.m_bFail = false;
    Click(*dlg, IDC_RD_ALT_MANUAL);
    expectAuto(false, "manual after the failure");
    obs.ClearCalls();
    Click(*dlg, IDC_RD_ALT_AUTO);
    expectAuto(true, "automatic after the failure");
}

// After a change in a minute or second edit the caret sits where the change left it, one
// further when the text did not grow, and at that point when the dialog rewrote the text longer.
TEST_F(DlgObsFields, CaretAfterChangingMinutesAndSeconds)
{
    const struct {
        const char* fault;
        bool bPole;              // latitude degrees at 90 first
        int nID;
        int nSelStart, nSelEnd;  // selection before the change
        const wchar_t* input;    // one character typed, or the whole text set at once
        bool bSet;
        const wchar_t* shown;
        int nCaret;
    } cases[] = {
        {"longitude minutes: caret left at the typing point", false, IDC_EDT_LNG_MIN, 0, 0, L"0", false, L"041", 2},
        {"latitude seconds: caret left at the typing point", false, IDC_EDT_LAT_SEC, 0, 0, L"0", false, L"021.2", 2},
        {"rewritten longer: caret pushed past the typing point", true, IDC_EDT_LAT_SEC, 0, -1, L"5", false, L"0.0", 1},
        {"text set whole: caret not one past the start", false, IDC_EDT_LNG_MIN, 2, 2, L"12", true, L"12", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        auto dlg = OpenNew();
        if (c.bPole)
            Type(*dlg, IDC_EDT_LAT_DEG, L"90");
        HWND hEdit = Item(*dlg, c.nID);
        ::SendMessageW(hEdit, EM_SETSEL, static_cast<WPARAM>(c.nSelStart), c.nSelEnd);
        if (c.bSet)
            ::SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.input));
        else
            ::SendMessageW(hEdit, WM_CHAR, c.input[0], 1);
        EXPECT_EQ(Text(*dlg, c.nID), c.shown);
        DWORD dwStart = 0, dwEnd = 0;
        ::SendMessageW(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
        EXPECT_EQ(std::make_pair(int(dwStart), int(dwEnd)), std::make_pair(c.nCaret, c.nCaret));
    }
}
