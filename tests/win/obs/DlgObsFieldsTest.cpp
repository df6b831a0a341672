#include "ObsTestHost.h"

#include <stdexcept>

using DlgObsFields = ObsDialogTest;

// What the longitude fields show for an observer's longitude on each kind of body.
TEST_F(DlgObsFields, LongitudeShownByBody)
{
    struct Case {
        const char* fault;
        int nBody;
        double lng;
        bool west;
        const wchar_t *deg, *min, *sec, *unit;
    };
    const Case cases[] = {
        {"Earth beyond 180 not shown west", 4, 200.0, true, L"160", L"0", L"0.0", L"m"},
        {"negative Earth longitude", 4, -45.5, true, L"45", L"30", L"0.0", L"m"},
        {"carry of rounded seconds", 4, 10.99999, false, L"11", L"0", L"0.0", L"m"},
        {"carry at the Earth's maximum", 4, 179.99999, false, L"180", L"0", L"0.0", L"m"},
        {"Mars shows the value unchanged, west", 5, 250.99999, true, L"251", L"0", L"0.0", L"m"},
        {"the Sun is always east", 0, 300.0, false, L"300", L"0", L"0.0", L"km"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lng;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = 10.0;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        EXPECT_EQ(Checked(*dlg, IDC_RD_WEST), c.west);
        EXPECT_EQ(Checked(*dlg, IDC_RD_EAST), !c.west);
        EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_DEG), c.deg);
        EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), c.min);
        EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_SEC), c.sec);
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

// Every way of changing a field as the user does it: typing (only the last character goes out
// of range), stepping an up-down, clicking a radio. What the user is told and then sees, and
// what the observer was told last: a clamped value reaches it like any other.
TEST_F(DlgObsFields, EachChangeShowsAndPushes)
{
    struct Case {
        const char* fault;
        int nBody;
        double lng, lat;
        int nEdit;
        const wchar_t* text;  // typed; null: nEdit is clicked
        int nUpDown;          // 0: no step, the text is typed
        int delta;
        const wchar_t* message;
        int nShown;
        const wchar_t* shown;
        const wchar_t* pushed;
        double tz;            // the observer's user time zone afterwards
    };
    const double lng = 100.0, lat = 10.5125;  // 100 0 0.0 east, 10 30 45.0 north
    const Case cases[] = {
        {"longitude beyond 180 on the Earth", 4, lng, lat, IDC_EDT_LNG_DEG, L"200", 0, 0,
         L"経度には 0 から 180 までの値を入力してください。", IDC_EDT_LNG_DEG, L"180",
         L"UpdateObsByUI(180, 10.5125, 40)", 9},
        {"longitude beyond 360 on Mars", 5, lng, lat, IDC_EDT_LNG_DEG, L"361", 0, 0,
         L"経度には 0 から 360 までの値を入力してください。", IDC_EDT_LNG_DEG, L"360",
         L"UpdateObsByUI(360, 10.5125, 40)", 9},
        {"longitude minutes", 4, lng, lat, IDC_EDT_LNG_MIN, L"75", 0, 0,
         L"経度の分には 0 から 59 までの値を入力してください。", IDC_EDT_LNG_MIN, L"59",
         L"UpdateObsByUI(100.983, 10.5125, 40)", 9},
        {"longitude seconds", 4, lng, lat, IDC_EDT_LNG_SEC, L"60", 0, 0,
         L"経度の秒には 0 から 59.9 までの値を入力してください。", IDC_EDT_LNG_SEC, L"59.9",
         L"UpdateObsByUI(100.017, 10.5125, 40)", 9},
        {"latitude clamped up from below 0 kept the seconds", 4, lng, lat, IDC_EDT_LAT_DEG, L"-5", 0,
         0, L"緯度の度には 0 から 90 までの値を入力してください。", IDC_EDT_LAT_SEC, L"0.0",
         L"UpdateObsByUI(100, 0, 40)", 9},
        {"latitude minutes", 4, lng, lat, IDC_EDT_LAT_MIN, L"75", 0, 0,
         L"緯度の分には 0 から 59 までの値を入力してください。", IDC_EDT_LAT_MIN, L"59",
         L"UpdateObsByUI(100, 10.9958, 40)", 9},
        {"latitude seconds", 4, lng, lat, IDC_EDT_LAT_SEC, L"60", 0, 0,
         L"緯度の秒には 0 から 59.9 までの値を入力してください。", IDC_EDT_LAT_SEC, L"59.9",
         L"UpdateObsByUI(100, 10.5166, 40)", 9},
        {"altitude above the top", 4, lng, lat, IDC_EDT_ALT, L"1000000", 0, 0,
         L"地球の標高には -9999 から 999999 までの値を入力してください。", IDC_EDT_ALT, L"999999",
         L"UpdateObsByUI(100, 10.5125, 999999, 9)", 9},
        {"altitude below a kilometre body's 0", 6, lng, lat, IDC_EDT_ALT, L"-1", 0, 0,
         L"木星の標高には 0 から 999999 までの値を入力してください。", IDC_EDT_ALT, L"0",
         L"UpdateObsByUI(100, 10.5125, 0, 9)", 9},
        {"time-zone hours", 4, lng, lat, IDC_EDT_TZ_HOUR, L"15", 0, 0,
         L"タイムゾーンの時には 0 から 14 までの値を入力してください。", IDC_EDT_TZ_HOUR, L"14",
         L"UpdateDateDisp(2)", 14},
        {"time-zone minutes", 4, lng, lat, IDC_EDT_TZ_MIN, L"60", 0, 0,
         L"タイムゾーンの分には 0 から 59 までの値を入力してください。", IDC_EDT_TZ_MIN, L"59",
         L"UpdateDateDisp(2)", 9 + 59 / 60.0},
        {"west and south lost their signs", 4, -lng, -lat, IDC_EDT_LAT_DEG, L"12", 0, 0, nullptr,
         IDC_EDT_LAT_DEG, L"12", L"UpdateObsByUI(-100, -12.5125, 40)", 9},
        {"typed altitude on Jupiter not in metres", 6, lng, lat, IDC_EDT_ALT, L"7", 0, 0, nullptr,
         IDC_EDT_ALT, L"7", L"UpdateObsByUI(100, 10.5125, 7000, 9)", 9},
        {"typed latitude on Jupiter not in the shown unit", 6, lng, lat, IDC_EDT_LAT_DEG, L"12", 0, 0,
         nullptr, IDC_EDT_LAT_DEG, L"12", L"UpdateObsByUI(100, 12.5125, 2)", 9},
        {"minutes typed at the pole not zeroed", 4, lng, 90.0, IDC_EDT_LAT_MIN, L"3", 0, 0, nullptr,
         IDC_EDT_LAT_MIN, L"0", L"UpdateObsByUI(100, 90, 40)", 9},
        {"time-zone sign pushes all four", 4, lng, lat, IDC_RD_TZ_M, nullptr, 0, 0, nullptr,
         IDC_EDT_TZ_HOUR, L"9", L"UpdateObsByUI(100, 10.5125, 40, -9)", -9},
        {"Earth past 180 not mirrored to the west", 4, lng, lat, IDC_EDT_LNG_DEG, L"180",
         IDC_SPN_LNG_DEG, -1, nullptr, IDC_EDT_LNG_DEG, L"179",
         L"UpdateObsByUI(-179, 10.5125, 40)", 9},
        {"Mars past 360 not wrapped", 5, lng, lat, IDC_EDT_LNG_DEG, L"360", IDC_SPN_LNG_DEG, -1,
         nullptr, IDC_EDT_LNG_DEG, L"1", L"UpdateObsByUI(1, 10.5125, 40)", 9},
        {"longitude minutes stepped past 59", 4, lng, lat, IDC_EDT_LNG_MIN, L"59", IDC_SPN_LNG_MIN, -1,
         nullptr, IDC_EDT_LNG_MIN, L"59", L"UpdateObsByUI(100.983, 10.5125, 40)", 9},
        {"longitude seconds not a tenth", 4, lng, lat, IDC_EDT_LNG_SEC, L"59.8", IDC_SPN_LNG_SEC, -1,
         nullptr, IDC_EDT_LNG_SEC, L"59.9", L"UpdateObsByUI(100.017, 10.5125, 40)", 9},
        {"stepping onto the pole kept the minutes", 4, lng, lat, IDC_EDT_LAT_DEG, L"89",
         IDC_SPN_LAT_DEG, -1, nullptr, IDC_EDT_LAT_MIN, L"0", L"UpdateObsByUI(100, 90, 40)", 9},
        {"latitude minutes not lowered", 4, lng, lat, IDC_EDT_LAT_MIN, L"10", IDC_SPN_LAT_MIN, 1,
         nullptr, IDC_EDT_LAT_MIN, L"9", L"UpdateObsByUI(100, 10.1625, 40)", 9},
        {"latitude seconds below 0", 4, lng, lat, IDC_EDT_LAT_SEC, L"0.0", IDC_SPN_LAT_SEC, 1, nullptr,
         IDC_EDT_LAT_SEC, L"0.0", L"UpdateObsByUI(100, 10.5, 40)", 9},
        {"altitude step on Jupiter not in metres", 6, lng, lat, IDC_EDT_ALT, L"2", IDC_SPN_ALT, -1,
         nullptr, IDC_EDT_ALT, L"3", L"UpdateObsByUI(100, 10.5125, 3000, 9)", 9},
        {"time-zone hours past 14", 4, lng, lat, IDC_EDT_TZ_HOUR, L"14", IDC_SPN_TZ_HOUR, -1, nullptr,
         IDC_EDT_TZ_HOUR, L"14", L"UpdateDateDisp(2)", 14},
        {"time-zone minutes below 0", 4, lng, lat, IDC_EDT_TZ_MIN, L"0", IDC_SPN_TZ_MIN, 1, nullptr,
         IDC_EDT_TZ_MIN, L"0", L"UpdateDateDisp(2)", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lng;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = c.lat;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kHeight] = c.nBody == 6 ? 2000.0 : 40.0;
        m_obs.m_dUserTimeZone = 9.0;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        const std::wstring text = c.text ? c.text : L"";
        if (c.text != nullptr)
            Type(*dlg, c.nEdit, c.nUpDown ? c.text : text.substr(0, text.size() - 1).c_str());
        m_obs.ClearCalls();
        if (c.message != nullptr)
            AfxTestExpectMessageBox(c.message, IDOK);
        if (c.nUpDown != 0) {
            StepUpDown(*dlg, c.nUpDown, c.delta);
        } else if (c.text != nullptr) {
            ::SendMessageW(::GetDlgItem(dlg->GetSafeHwnd(), c.nEdit), WM_CHAR, text.back(), 1);
            Pump();
        } else {
            Click(*dlg, c.nEdit);
        }
        EXPECT_EQ(Text(*dlg, c.nShown), c.shown);
        ASSERT_FALSE(m_obs.m_calls.empty());
        EXPECT_EQ(m_obs.m_calls.back().Text(), c.pushed);
        EXPECT_NEAR(m_obs.m_dUserTimeZone, c.tz, 1e-9);
        const auto shown = AfxTestShownMessageBoxes();
        EXPECT_EQ(shown.size(), c.message ? 1u : 0u);
        if (!shown.empty()) {
            EXPECT_EQ(shown.back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
        }
        for (const CString& failure : AfxTestMessageBoxFailures())
            ADD_FAILURE() << CStringA(failure).str();
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
    }
}

// A number still being typed into a seconds edit changes nothing until the next digit, and a
// refill from an observer that did not move leaves it alone.
TEST_F(DlgObsFields, NumberBeingTypedIsLeftAlone)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    HWND hSec = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_EDT_LNG_SEC);
    Type(*dlg, IDC_EDT_LNG_SEC, L"12");
    m_obs.ClearCalls();
    ::SendMessageW(hSec, WM_CHAR, L'.', 1);
    Pump();
    EXPECT_TRUE(m_obs.m_calls.empty());
    dlg->InitLocation(FALSE);
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_SEC), L"12.") << "unchanged values were written again";
    ::SendMessageW(hSec, WM_CHAR, L'5', 1);
    Pump();
    ASSERT_FALSE(m_obs.m_calls.empty());
    EXPECT_NEAR(m_obs.m_calls.back().args.at(0), 139.0 + 41.0 / 60.0 + 12.5 / 3600.0, 1e-9);
}

// What the time-zone fields show after the host changes the time system or refills the dialog.
TEST_F(DlgObsFields, TimeZoneFieldsShowTheirOffset)
{
    struct Case {
        const char* fault;
        int nTimeSystem;
        double lng;
        double userTz;
        bool bRefill;  // InitLocation, else UpdateTimeSys
        bool minus;
        const wchar_t* hour;
        const wchar_t* min;
        bool enabled;
    };
    const Case cases[] = {
        {"user zone", 0, 139.691772, 9.0, false, false, L"9", L"0", true},
        {"zero offset", 1, 139.691772, 9.0, false, false, L"0", L"0", false},
        {"local mean time east", 2, 135.0, 9.0, false, false, L"9", L"0", false},
        {"local mean time west", 2, -52.5, 9.0, false, true, L"3", L"30", false},
        {"60 minutes shown at 134.9 E", 2, 134.9, 9.0, false, false, L"9", L"0", false},
        {"a zone rounding to zero shown as minus", 2, -0.001, 9.0, false, false, L"0", L"0", false},
        {"no time zone rewrote the fields", 0, 139.691772, 9999.0, true, false, L"9", L"0", true},
        {"a west user zone", 0, 139.691772, -5.5, true, true, L"5", L"30", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = c.lng;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        m_obs.m_nTimeSystem = c.nTimeSystem;
        m_obs.m_dUserTimeZone = c.userTz;
        if (c.bRefill)
            dlg->InitLocation(TRUE);
        else
            dlg->UpdateTimeSys();
        EXPECT_EQ(Checked(*dlg, IDC_RD_TZ_M), c.minus);
        EXPECT_EQ(Text(*dlg, IDC_EDT_TZ_HOUR), c.hour);
        EXPECT_EQ(Text(*dlg, IDC_EDT_TZ_MIN), c.min);
        EXPECT_EQ(Enabled(*dlg, IDC_EDT_TZ_HOUR), c.enabled);
        m_obs.m_nTimeSystem = 0;
        m_obs.m_dUserTimeZone = 9.0;
    }
}

// Storing the shown place asks first and stores east and north positive; reset sends what is
// stored, or the built-in place when nothing is.
TEST_F(DlgObsFields, DefaultLocationStoredAndRestored)
{
    struct Case {
        const char* fault;
        double lng, lat, alt, tz;
        int nTimeSystem;
        const wchar_t* confirmation;
        const wchar_t* location;
        const wchar_t* storedTz;
    };
    const Case cases[] = {
        {"east and north", 139.691772, 35.689236, 39.0, 9.0, 0,
         L"東経 139度41分30.4秒\n北緯  35度41分21.2秒\n標高 39m\nタイムゾーン +09時間00分",
         L"location(139.691778, 35.689222, 39.000000)", L"9.000000"},
        {"west and south stored positive", -70.5, -33.25, 500.0, -4.0, 0,
         L"西経  70度30分00.0秒\n南緯  33度15分00.0秒\n標高 500m\nタイムゾーン -04時間00分",
         L"location(-70.500000, -33.250000, 500.000000)", L"-4.000000"},
        {"60 minutes in the local mean time", 134.9, 35.689236, 39.0, 9.0, 2,
         L"東経 134度54分00.0秒\n北緯  35度41分21.2秒\n標高 39m\nタイムゾーン +09時間00分",
         L"location(134.900000, 35.689222, 39.000000)", L"9.000000"},
    };
    const std::vector<CString> builtIn = {L"location = location(139.691772, 35.689236, 39.000000)",
                                          L"time.timezone = 9.000000; Show Sky"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = c.lng;
        m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = c.lat;
        m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kHeight] = c.alt;
        m_obs.m_dUserTimeZone = c.tz;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        m_obs.m_nTimeSystem = c.nTimeSystem;
        dlg->UpdateTimeSys();
        const CString strConfirm = CString(c.confirmation) + L"\n\nを初期値として設定します。";
        AfxTestExpectMessageBox(strConfirm, IDCANCEL);
        Click(*dlg, IDC_OBS_BTN_SET_INIT);
        CString strStored;
        EXPECT_FALSE(CRegistry::Read(_T("Default"), _T("location"), CString(), strStored));
        AfxTestExpectMessageBox(strConfirm, IDOK);
        Click(*dlg, IDC_OBS_BTN_SET_INIT);
        CRegistry::Read(_T("Default"), _T("location"), CString(), strStored);
        EXPECT_EQ(strStored, c.location);
        CRegistry::Read(_T("Default"), _T("time.timezone"), CString(), strStored);
        EXPECT_EQ(strStored, c.storedTz);
        m_engine.m_commands.clear();
        m_obs.m_dUserTimeZone = 0.0;
        Click(*dlg, IDC_OBS_BTN_RESET);
        EXPECT_EQ(m_engine.Assignments(),
                  (std::vector<CString>{L"location = " + CString(c.location),
                                        L"time.timezone = " + CString(c.storedTz) + L"; Show Sky"}));
        EXPECT_DOUBLE_EQ(m_obs.m_dUserTimeZone, c.tz);
        CRegistry::DeleteKey(CString());
        m_engine.m_commands.clear();
        Click(*dlg, IDC_OBS_BTN_RESET);
        EXPECT_EQ(m_engine.Assignments(), builtIn);
        m_obs.m_nTimeSystem = 0;
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

// The altitude radios exist only with a terrain index; automatic switches the engine.
TEST_F(DlgObsFields, AutomaticAltitudeSwitchesTheEngineAndIsStored)
{
    auto without = MakeDialog();
    ASSERT_TRUE(Open(*without, CString()));
    EXPECT_FALSE(Visible(*without, IDC_RD_ALT_AUTO));
    EXPECT_FALSE(Visible(*without, IDC_RD_ALT_MANUAL));

    CFailingObs obs;
    static_cast<CGeoDateObs&>(obs) = m_obs;
    auto dlg = MakeDialog();
    dlg->SetGeoDateObs(&obs);
    ASSERT_TRUE(dlg->DoModeless(m_cor.get(), _T("C:\\mesh\\index.dat")));
    Pump();
    const CString strOff = _T("Solar.Planet.Earth.Landscape.AutoGetAltitude = FALSE");
    const CString strOn = _T("Solar.Planet.Earth.Landscape.AutoGetAltitude = TRUE");
    ASSERT_FALSE(m_engine.Assignments().empty());
    EXPECT_EQ(m_engine.Assignments().back(), strOff) << "opening returns to manual altitude";
    EXPECT_TRUE(Enabled(*dlg, IDC_EDT_ALT));

    Click(*dlg, IDC_RD_ALT_AUTO);
    EXPECT_EQ(m_engine.Assignments().back(), strOn);
    EXPECT_FALSE(Enabled(*dlg, IDC_EDT_ALT));
    EXPECT_FALSE(Enabled(*dlg, IDC_SPN_ALT));
    ASSERT_FALSE(obs.m_calls.empty());
    EXPECT_EQ(obs.m_calls.back().args.size(), 4u) << "the automatic switch pushes all four values";

    Click(*dlg, IDOK);
    int nStored = -1;
    CRegistry::Read(_T("Dialog\\Obs"), _T("AutoAltitude"), 0, &nStored, 0);
    EXPECT_EQ(nStored, 1);

    // Shown again with no mesh path: the earlier one stays, and so do the radios.
    ASSERT_TRUE(dlg->DoModeless(m_cor.get(), CString()));
    Pump();
    EXPECT_EQ(dlg->m_strMeshFile, L"C:\\mesh\\index.dat");
    EXPECT_TRUE(Visible(*dlg, IDC_RD_ALT_AUTO));
    EXPECT_TRUE(Checked(*dlg, IDC_RD_ALT_MANUAL)) << "showing again returns to manual";

    // A push that fails inside the switch must not leave the radio dead for the process.
    obs.m_bFail = true;
    AfxTestExpectMessageBox(L"予期しないエラーが発生しました。\nobserver failed", IDOK);
    Click(*dlg, IDC_RD_ALT_AUTO);
    obs.m_bFail = false;
    Click(*dlg, IDC_RD_ALT_MANUAL);
    EXPECT_EQ(m_engine.Assignments().back(), strOff);
    EXPECT_TRUE(Enabled(*dlg, IDC_EDT_ALT));
    obs.ClearCalls();
    Click(*dlg, IDC_RD_ALT_AUTO);
    EXPECT_EQ(m_engine.Assignments().back(), strOn);
    ASSERT_FALSE(obs.m_calls.empty());
    EXPECT_EQ(obs.m_calls.back().args.size(), 4u);
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

