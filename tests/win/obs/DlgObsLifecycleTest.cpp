#include "ObsTestHost.h"

#include <algorithm>

namespace {

const CString kKey = _T("Dialog\\Obs");

// What closing stored: the eight landmark check boxes, the view angle and the automatic
// altitude, "11010000 197 0"; a value not stored reads as "-".
std::string Stored()
{
    const wchar_t* const names[] = {L"FeatureObs", L"FeatureCutcherry", L"FeatureCity", L"FeatureAstro", L"FeatureMount",
                                    L"FeatureNaturalTerrain", L"FeatureBuilding", L"FeatureOther", L"ViewAngle", L"AutoAltitude"};
    std::string stored;
    for (size_t i = 0; i < std::size(names); ++i) {
        int n = -1;
        CRegistry::Read(kKey, names[i], -1, &n, 0);
        stored += (i >= 8 ? " " : "") + (n == -1 ? std::string("-") : std::to_string(n));
    }
    return stored;
}

}  // namespace

using DlgObsLifecycle = ObsDialogTest;

// Opening switches the map's events, landmarks and grid on, then tells it the city list and
// whether it exists: the user's list in the data folder, else the one beside the module.
TEST_F(DlgObsLifecycle, MapGetsTheCityListThatExists)
{
    const CString strUser = m_strDataDir + _T("zelkam_user.obs");
    const CString strSystem = ModuleDir() + _T("zelkam.obs");
    const struct { const char* fault; const CString* pWritten; const CString& expected; bool bExists; } cases[] = {
        {"user list ignored", &strUser, strUser, true},
        {"module list not used when the user list is missing", &strSystem, strSystem, true},
        {"missing list reported as present", nullptr, strSystem, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        DeleteFileW(strUser.GetString());
        DeleteFileW(strSystem.GetString());
        ASSERT_TRUE(c.pWritten == nullptr || WriteBytes(*c.pWritten, "; a city list\r\n"));
        auto dlg = OpenNew();
        ASSERT_NE(CStandInMap::Last(), nullptr);
        std::vector<CString> calls;
        for (const StandInMapCall& call : CStandInMap::Last()->m_calls)
            if (call.id == 29 || call.id == 18 || call.id == 12 || call.id == 20 || call.id == 16)
                calls.push_back(call.Text());
        EXPECT_EQ(calls, (std::vector<CString>{L"29(TRUE)", L"18(TRUE)", L"12(TRUE)",
                                               L"20(\"" + c.expected + L"\")",
                                               c.bExists ? L"16(TRUE)" : L"16(FALSE)"}));
    }
    DeleteFileW(strSystem.GetString());
}

// Defaults on a first run (the flags they send the map are the map test's); every way of closing
// only hides the dialog, stores what the user set and tells the host: 2034 sent to the main
// window, 2024 posted to the parent with lParam 7300; the next session starts from what was stored.
TEST_F(DlgObsLifecycle, ClosingStoresWhatTheUserSetAndNotifiesTheHost)
{
    // nNotices: WM_CLOSE runs OnClose and then the cancel command.
    const struct { const char* fault; void (*close)(CDlgObs&); size_t nNotices; } cases[] = {
        {"close button", [](CDlgObs& d) { Click(d, IDOK); }, 1},
        {"Esc", [](CDlgObs& d) { d.SendMessage(WM_COMMAND, IDCANCEL, 0); }, 1},
        {"WM_CLOSE", [](CDlgObs& d) { d.SendMessage(WM_CLOSE, 0, 0); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        auto dlg = OpenNew();
        EXPECT_EQ(SliderPos(*dlg), 200) << "the widest view on a first run";
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(Checked(*dlg, IDC_OBS_CHK_FEATURE_OBS + i), i < 3) << i;
        EXPECT_EQ(CStandInMap::Last()->CallsOf(9).at(0).Text(), L"9(0)") << "the widest view not sent";

        // The user shows observatories and other landmarks, hides cities and zooms in two pages.
        for (int nID : {IDC_OBS_CHK_FEATURE_ASTRO, IDC_OBS_CHK_FEATURE_CITY, IDC_OBS_CHK_FEATURE_OTHER})
            Click(*dlg, nID);
        ::SendMessageW(Item(*dlg, IDC_OBS_SLIDER), WM_KEYDOWN, VK_PRIOR, 0);
        ::SendMessageW(Item(*dlg, IDC_OBS_SLIDER), WM_KEYDOWN, VK_PRIOR, 0);
        Pump();
        const int nPos = SliderPos(*dlg);
        EXPECT_LT(nPos, 200);
        HostMainWnd().m_notices.clear();
        c.close(*dlg);
        Pump();
        EXPECT_FALSE(dlg->IsWindowVisible());
        EXPECT_NE(dlg->GetSafeHwnd(), nullptr) << "closing only hides";
        auto notices = HostMainWnd().m_notices;
        std::sort(notices.begin(), notices.end());
        std::vector<std::pair<UINT, LPARAM>> expected(c.nNotices, {2024, 7300});
        expected.resize(2 * c.nNotices, {2034, 0});
        EXPECT_EQ(notices, expected);
        EXPECT_EQ(Stored(), "11010001 " + std::to_string(nPos) + " 0");

        dlg.reset();
        EXPECT_EQ(CStandInMap::Last(), nullptr) << "the map outlived the dialog";
        auto next = OpenNew();
        EXPECT_EQ(SliderPos(*next), nPos);
        EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, (std::vector<int>{1, 1, 0, 1, 0, 0, 0, 1}));
    }
}

// Opening again re-reads the observer and re-centres the map, but keeps where the user moved the
// window; a new dialog restores the placement stored when the window went.
TEST_F(DlgObsLifecycle, SecondDoModelessRereadsTheObserverButNotTheWindowPosition)
{
    auto dlg = OpenNew();
    dlg->SetWindowPos(nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(CRegistry::Write(kKey, L"WindowPos", dlg.get(), 0));
    dlg->SetWindowPos(nullptr, 140, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Click(*dlg, IDOK);
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = -10.5;
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = -20.25;
    CStandInMap::Last()->m_calls.clear();
    ASSERT_TRUE(Open(*dlg));
    EXPECT_TRUE(dlg->IsWindowVisible());
    CRect rc;
    dlg->GetWindowRect(&rc);
    EXPECT_EQ(CPoint(rc.left, rc.top), CPoint(140, 150));
    EXPECT_TRUE(Checked(*dlg, IDC_RD_WEST) && Checked(*dlg, IDC_RD_SOUTH));
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN) + L" " + Text(*dlg, IDC_EDT_LAT_MIN), L"30 15");
    EXPECT_EQ(CStandInMap::Last()->CountOf(4), 1) << "the map is not centred on the new place";
    EXPECT_EQ(CStandInMap::Last()->CountOf(29), 0) << "an existing map is set up again";

    dlg.reset();
    auto next = OpenNew();
    next->GetWindowRect(&rc);
    EXPECT_EQ(CPoint(rc.left, rc.top), CPoint(140, 150));
}

// Without a map opening fails with its message and leaves no window; once the host registers
// the map the same object is created. A second Create, also through the base, fails rather than
// leave a second map behind; created directly the dialog stays hidden until shown, and showing
// re-reads the observer.
TEST_F(DlgObsLifecycle, CreateFailsClearlyAndOnlyOnce)
{
    auto dlg = MakeDialog();
    CStandInMap::Unregister();
    AfxTestExpectMessageBox(_T("Can't create corzelmap control"), IDOK);
    EXPECT_FALSE(Open(*dlg));
    ASSERT_EQ(AfxTestShownMessageBoxes().size(), 1u);
    EXPECT_EQ(AfxTestShownMessageBoxes()[0].type & MB_ICONMASK, 0u) << "the box carries an icon";
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr) << "a half-built window is left";
    EXPECT_TRUE(HostMainWnd().m_notices.empty());

    CStandInMap::Register();
    ASSERT_TRUE(dlg->Create(m_cor.get()));
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_FALSE(static_cast<CZelDialog*>(dlg.get())->Create(m_cor.get(), nullptr));
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = 43.0;
    dlg->Show(TRUE);
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_DEG), L"43") << "showing did not re-read the observer";
    dlg->Show(FALSE);
    EXPECT_FALSE(dlg->IsWindowVisible());
}
