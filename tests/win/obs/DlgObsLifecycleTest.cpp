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

        // Switched on first, each with TRUE, before the city list.
        const std::vector<DISPID> ids = pMap->Ids();
        ASSERT_GE(ids.size(), 5u);
        EXPECT_EQ(ids[0], 29);
        EXPECT_EQ(ids[1], 18);
        EXPECT_EQ(ids[2], 12);
        for (DISPID id : {29, 18, 12}) {
            ASSERT_EQ(pMap->CountOf(id), 1) << "method " << id;
            EXPECT_EQ(pMap->CallsOf(id)[0].args.at(0).n, 1) << "method " << id;
        }
        const auto file = pMap->CallsOf(20);
        const auto exists = pMap->CallsOf(16);
        ASSERT_EQ(file.size(), 1u);
        ASSERT_EQ(exists.size(), 1u);
        const CString strExpected = c.bUserPath ? m_strDataDir + _T("zelkam_user.obs")
                                                : ModuleDir() + _T("zelkam.obs");
        EXPECT_EQ(file[0].args.at(0).s, strExpected) << CStringA(file[0].args.at(0).s).str();
        EXPECT_EQ(exists[0].args.at(0).n, c.bExists ? 1 : 0);
        // The path comes before its flag.
        size_t i20 = 0, i16 = 0;
        for (size_t i = 0; i < ids.size(); ++i) {
            if (ids[i] == 20) i20 = i;
            if (ids[i] == 16) i16 = i;
        }
        EXPECT_EQ(i16, i20 + 1);
        dlg.reset();
    }
}

TEST_F(DlgObsLifecycle, FirstRunShowsDefaultsAndCloseStoresWhatTheUserSet)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(SliderPos(*dlg), 200) << "the widest view on a first run";
    const bool expectedChecks[8] = {true, true, true, false, false, false, false, false};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Checked(*dlg, IDC_OBS_CHK_FEATURE_OBS + i), expectedChecks[i]) << i;
    ASSERT_NE(CStandInMap::Last(), nullptr);
    EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, (std::vector<int>{1, 1, 1, 0, 0, 0, 0, 0}));
    const auto mags = CallsOf(9);
    ASSERT_FALSE(mags.empty());
    EXPECT_DOUBLE_EQ(mags.back().args.at(0).d, 0.0);

    // The user shows observatories, hides cities and zooms in two pages.
    Click(*dlg, IDC_OBS_CHK_FEATURE_ASTRO);
    Click(*dlg, IDC_OBS_CHK_FEATURE_CITY);
    HWND hSlider = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_OBS_SLIDER);
    ::SendMessageW(hSlider, WM_KEYDOWN, VK_PRIOR, 0);
    ::SendMessageW(hSlider, WM_KEYDOWN, VK_PRIOR, 0);
    Pump();
    const int nPos = SliderPos(*dlg);
    EXPECT_LT(nPos, 200);
    EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, (std::vector<int>{1, 1, 0, 1, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(CallsOf(9).back().args.at(0).d, (200 - nPos) / 200.0);

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
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Checked(*next, IDC_OBS_CHK_FEATURE_OBS + i), expectedStored[i] == 1) << i;
    EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, (std::vector<int>{1, 1, 0, 1, 0, 0, 0, 0}));
}

// A stored zoom outside the trackbar (a hand-edited registry) ends at the nearer end.
TEST_F(DlgObsLifecycle, StoredZoomOutsideTheTrackbar)
{
    struct Case {
        const char* fault;
        int stored;
        int pos;
        double mag;
    };
    const Case cases[] = {
        {"in range", 120, 120, 0.4},
        {"beyond the wide end", 5000, 200, 0.0},
        {"beyond the detail end", -7, 0, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_TRUE(CRegistry::Write(kKey, L"ViewAngle", c.stored, 1));
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        EXPECT_EQ(SliderPos(*dlg), c.pos);
        ASSERT_FALSE(CallsOf(9).empty());
        EXPECT_DOUBLE_EQ(CallsOf(9).back().args.at(0).d, c.mag);
        Click(*dlg, IDOK);
        EXPECT_EQ(ReadInt(L"ViewAngle"), c.pos);
    }
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
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_DEG), L"10");
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_MIN), L"30");
    EXPECT_TRUE(Checked(*dlg, IDC_RD_SOUTH));
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_DEG), L"20");
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_MIN), L"15");
    const auto centre = CallsOf(4);
    ASSERT_EQ(centre.size(), 1u);
    EXPECT_DOUBLE_EQ(centre[0].args.at(0).d, 349.5);
    EXPECT_DOUBLE_EQ(centre[0].args.at(1).d, -20.25);
    EXPECT_EQ(CallsOf(29).size(), 0u) << "an existing map is not set up again";

    // A new dialog does restore the placement stored when the window went.
    dlg.reset();
    auto next = MakeDialog();
    ASSERT_TRUE(Open(*next));
    next->GetWindowRect(&rc);
    EXPECT_EQ(rc.left, 140);
    EXPECT_EQ(rc.top, 150);
}

// The altitude mode radios exist only with a terrain index; an empty path keeps the one given.
TEST_F(DlgObsLifecycle, EmptyMeshPathKeepsTheEarlierOne)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg, _T("C:\\mesh\\index.dat")));
    EXPECT_TRUE(Visible(*dlg, IDC_RD_ALT_AUTO));
    EXPECT_TRUE(Visible(*dlg, IDC_RD_ALT_MANUAL));
    EXPECT_TRUE(Checked(*dlg, IDC_RD_ALT_MANUAL));
    Click(*dlg, IDOK);
    ASSERT_TRUE(Open(*dlg, CString()));
    EXPECT_EQ(dlg->m_strMeshFile, L"C:\\mesh\\index.dat");
    EXPECT_TRUE(Visible(*dlg, IDC_RD_ALT_AUTO));
    EXPECT_TRUE(Enabled(*dlg, IDC_RD_ALT_AUTO));

    auto without = MakeDialog();
    ASSERT_TRUE(Open(*without, CString()));
    EXPECT_FALSE(Visible(*without, IDC_RD_ALT_AUTO));
    EXPECT_FALSE(Visible(*without, IDC_RD_ALT_MANUAL));
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
    EXPECT_FALSE(dlg->Create(m_cor.get()));
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
    EXPECT_EQ(CStandInMap::Last(), nullptr);
    EXPECT_TRUE(m_obs.m_calls.empty());
    // Showing, filling or closing a dialog that never opened does nothing.
    dlg->Show(TRUE);
    dlg->InitLocation(TRUE);
    dlg->RedrawEclipsePath();
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
}

TEST_F(DlgObsLifecycle, ShowAndHide)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    dlg->Show(FALSE);
    EXPECT_FALSE(dlg->IsWindowVisible());
    m_obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = 43.0;
    dlg->Show(TRUE);
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(Text(*dlg, IDC_EDT_LAT_DEG), L"43") << "showing re-reads the observer";
}

TEST_F(DlgObsLifecycle, DirectCreateLeavesTheWindowHidden)
{
    auto dlg = MakeDialog();
    dlg->SetGeoDateObs(&m_obs);
    ASSERT_TRUE(dlg->Create(m_cor.get()));
    EXPECT_NE(dlg->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_EQ(Text(*dlg, IDC_EDT_LNG_DEG), L"139");
    EXPECT_EQ(::GetParent(dlg->GetSafeHwnd()), HostMainWnd().GetSafeHwnd());
    // Creating again, also through the base, would leave a second map and window behind.
    CZelDialog* pBase = dlg.get();
    EXPECT_FALSE(pBase->Create(m_cor.get(), nullptr));
    EXPECT_FALSE(dlg->Create(m_cor.get()));
    dlg->Show(TRUE);
    EXPECT_TRUE(dlg->IsWindowVisible());
}
