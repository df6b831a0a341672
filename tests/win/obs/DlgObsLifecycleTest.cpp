#include "ObsTestHost.h"

namespace {

const wchar_t* const kFeatureNames[] = {
    L"FeatureObs",   L"FeatureCutcherry",      L"FeatureCity",     L"FeatureAstro",
    L"FeatureMount", L"FeatureNaturalTerrain", L"FeatureBuilding", L"FeatureOther",
};
const CString kKey = _T("Dialog\\Obs");

int ReadInt(const wchar_t* pszName)
{
    int n = -12345;
    CRegistry::Read(kKey, pszName, -12345, &n, 0);
    return n;
}

std::vector<StandInMapCall> CallsOf(DISPID id)
{
    return CStandInMap::Last() ? CStandInMap::Last()->CallsOf(id) : std::vector<StandInMapCall>();
}

}  // namespace

using DlgObsLifecycle = ObsDialogTest;

// Which city list the map is told about, and whether it exists, for each situation of files.
TEST_F(DlgObsLifecycle, MapGetsTheCityListThatExists)
{
    enum class Files { UserListInDataFolder, SystemListBesideModule, Neither };
    struct Case {
        const char* fault;
        Files files;
        bool bUserPath;
        bool bExists;
    };
    const Case cases[] = {
        {"user list ignored", Files::UserListInDataFolder, true, true},
        {"module list not used when the user list is missing", Files::SystemListBesideModule, false, true},
        {"missing list reported as present", Files::Neither, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        DeleteFileW((m_strDataDir + _T("zelkam_user.obs")).GetString());
        DeleteFileW((ModuleDir() + _T("zelkam.obs")).GetString());
        if (c.files == Files::UserListInDataFolder)
            WriteTextFile(m_strDataDir + _T("zelkam_user.obs"), "; user list\r\n");
        if (c.files == Files::SystemListBesideModule)
            WriteTextFile(ModuleDir() + _T("zelkam.obs"), "; system list\r\n");

        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        CStandInMap* pMap = CStandInMap::Last();
        ASSERT_NE(pMap, nullptr);
        // Switched on first, each with TRUE, then the city list's path and whether it exists.
        std::vector<CString> calls;
        for (const StandInMapCall& call : pMap->m_calls)
            if (call.id == 29 || call.id == 18 || call.id == 12 || call.id == 20 || call.id == 16)
                calls.push_back(call.Text());
        const CString strPath = c.bUserPath ? m_strDataDir + _T("zelkam_user.obs")
                                            : ModuleDir() + _T("zelkam.obs");
        EXPECT_EQ(calls, (std::vector<CString>{L"29(TRUE)", L"18(TRUE)", L"12(TRUE)",
                                               L"20(\"" + strPath + L"\")",
                                               c.bExists ? L"16(TRUE)" : L"16(FALSE)"}));
        dlg.reset();
    }
}

TEST_F(DlgObsLifecycle, FirstRunShowsDefaultsAndCloseStoresWhatTheUserSet)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(SliderPos(*dlg), 200) << "the widest view on a first run";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Checked(*dlg, IDC_OBS_CHK_FEATURE_OBS + i), i < 3) << i;
    ASSERT_NE(CStandInMap::Last(), nullptr);
    EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, (std::vector<int>{1, 1, 1, 0, 0, 0, 0, 0}));
    ASSERT_FALSE(CallsOf(9).empty());
    EXPECT_DOUBLE_EQ(CallsOf(9).back().args.at(0).d, 0.0);

    // The user shows observatories, hides cities and zooms in two pages.
    Click(*dlg, IDC_OBS_CHK_FEATURE_ASTRO);
    Click(*dlg, IDC_OBS_CHK_FEATURE_CITY);
    HWND hSlider = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_OBS_SLIDER);
    ::SendMessageW(hSlider, WM_KEYDOWN, VK_PRIOR, 0);
    ::SendMessageW(hSlider, WM_KEYDOWN, VK_PRIOR, 0);
    Pump();
    const int nPos = SliderPos(*dlg);
    EXPECT_LT(nPos, 200);

    Click(*dlg, IDOK);
    EXPECT_FALSE(dlg->IsWindowVisible());
    const int expectedStored[8] = {1, 1, 0, 1, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(ReadInt(kFeatureNames[i]), expectedStored[i]) << CStringA(kFeatureNames[i]).str();
    EXPECT_EQ(ReadInt(L"ViewAngle"), nPos);
    EXPECT_EQ(ReadInt(L"AutoAltitude"), 0);

    // A new dialog (the next session) starts from what was stored.
    dlg.reset();
    auto next = MakeDialog();
    ASSERT_TRUE(Open(*next));
    EXPECT_EQ(SliderPos(*next), nPos);
    EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, (std::vector<int>{1, 1, 0, 1, 0, 0, 0, 0}));
}

// Every way of closing hides the dialog, stores the settings and tells the host.
TEST_F(DlgObsLifecycle, ClosingSavesAndNotifiesTheHost)
{
    struct Case {
        const char* fault;
        void (*close)(CDlgObs&);
        int nNotices;  // WM_CLOSE runs OnClose and then the cancel command
    };
    const Case cases[] = {
        {"close button", [](CDlgObs& d) { Click(d, IDOK); }, 1},
        {"Esc", [](CDlgObs& d) { d.SendMessage(WM_COMMAND, IDCANCEL, 0); }, 1},
        {"WM_CLOSE", [](CDlgObs& d) { d.SendMessage(WM_CLOSE, 0, 0); }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        Click(*dlg, IDC_OBS_CHK_FEATURE_OTHER);
        HostMainWnd().Reset();
        c.close(*dlg);
        Pump();
        EXPECT_FALSE(dlg->IsWindowVisible());
        EXPECT_NE(dlg->GetSafeHwnd(), nullptr) << "closing only hides";
        EXPECT_EQ(HostMainWnd().m_nClosedMain, c.nNotices);
        EXPECT_EQ(HostMainWnd().m_nClosedParent, c.nNotices);
        for (LPARAM l : HostMainWnd().m_parentLParams)
            EXPECT_EQ(l, 7300);
        EXPECT_EQ(ReadInt(L"FeatureOther"), 1);
        EXPECT_EQ(ReadInt(L"ViewAngle"), 200);
    }
}

TEST_F(DlgObsLifecycle, SecondDoModelessRereadsTheObserverButNotTheWindowPosition)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_DEG), L"139");

    // Store a placement, then move the window elsewhere and close it.
    dlg->SetWindowPos(nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(CRegistry::Write(kKey, L"WindowPos", dlg.get(), 0));
    dlg->SetWindowPos(nullptr, 140, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Click(*dlg, IDOK);

    // The host moves the observer and opens the dialog again.
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = -10.5;
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = -20.25;
    CStandInMap::Last()->m_calls.clear();
    ASSERT_TRUE(Open(*dlg));
    EXPECT_TRUE(dlg->IsWindowVisible());
    CRect rc;
    dlg->GetWindowRect(&rc);
    EXPECT_EQ(rc.left, 140);
    EXPECT_EQ(rc.top, 150);
    EXPECT_TRUE(Checked(*dlg, IDC_RD_WEST));
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), L"30");
    EXPECT_TRUE(Checked(*dlg, IDC_RD_SOUTH));
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_MIN), L"15");
    EXPECT_EQ(CallsOf(4).size(), 1u) << "the map is not centred on the new place";
    EXPECT_EQ(CallsOf(29).size(), 0u) << "an existing map is not set up again";

    // A new dialog does restore the placement stored when the window went.
    dlg.reset();
    auto next = MakeDialog();
    ASSERT_TRUE(Open(*next));
    next->GetWindowRect(&rc);
    EXPECT_EQ(rc.left, 140);
    EXPECT_EQ(rc.top, 150);
}

TEST_F(DlgObsLifecycle, MapThatCannotBeCreatedFailsClearly)
{
    CStandInMap::Unregister();
    AfxTestExpectMessageBox(_T("Can't create corzelmap control"), IDOK);
    auto dlg = MakeDialog();
    EXPECT_FALSE(Open(*dlg));
    const auto shown = AfxTestShownMessageBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].type & MB_ICONMASK, 0u) << "the box carries no icon";
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr) << "no half-built window is left";
    EXPECT_EQ(HostMainWnd().m_nClosedMain, 0);

    // Once the host registers the map, the same object opens normally.
    CStandInMap::Register();
    EXPECT_TRUE(Open(*dlg));
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_NE(CStandInMap::Last(), nullptr);
}

TEST_F(DlgObsLifecycle, NoObserverFailsWithoutAWindow)
{
    auto dlg = MakeDialog();
    dlg->SetGeoDateObs(nullptr);
    EXPECT_FALSE(dlg->DoModeless(m_cor.get(), CString()));
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
    EXPECT_EQ(CStandInMap::Last(), nullptr);
}

// Created directly, the dialog stays hidden until shown; showing re-reads the observer.
TEST_F(DlgObsLifecycle, DirectCreateThenShowAndHide)
{
    auto dlg = MakeDialog();
    dlg->SetGeoDateObs(&m_obs);
    ASSERT_TRUE(dlg->Create(m_cor.get()));
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_EQ(::GetParent(dlg->GetSafeHwnd()), HostMainWnd().GetSafeHwnd());
    // Creating again, also through the base, would leave a second map and window behind.
    CZelDialog* pBase = dlg.get();
    EXPECT_FALSE(pBase->Create(m_cor.get(), nullptr));
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = 43.0;
    dlg->Show(TRUE);
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_DEG), L"43") << "showing re-reads the observer";
    dlg->Show(FALSE);
    EXPECT_FALSE(dlg->IsWindowVisible());
}
