#include "ObsTestHost.h"

using DlgObsMap = ObsDialogTest;

// The map reads exactly as many flags as it reports classes: never past the array it is sent.
TEST_F(DlgObsMap, LandmarkFlagsMatchTheClassCount)
{
    struct Case {
        const char* fault;
        int nClasses;
        std::vector<int> flags;  // what the map reads; empty: method 23 not called
    };
    const Case cases[] = {
        {"eight classes", 8, {1, 1, 1, 0, 0, 0, 0, 0}},
        {"fewer classes read past the array", 3, {1, 1, 1}},
        {"more classes left uninitialised", 10, {1, 1, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"no classes sent a dangling array", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CStandInMap::Defaults().classNames.assign(static_cast<size_t>(c.nClasses), CString(_T("x")));
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        CStandInMap* pMap = CStandInMap::Last();
        ASSERT_NE(pMap, nullptr);
        EXPECT_EQ(pMap->CountOf(23), c.flags.empty() ? 0 : 1);
        if (!c.flags.empty()) {
            EXPECT_EQ(pMap->m_landmarkFlags, c.flags);
        }
    }
}

TEST_F(DlgObsMap, EclipsePathIsFetchedOnceAndHiddenWhenInvisible)
{
    m_engine.SetReply(_T("? Solar.Planet.Earth.SolarEclipse.Path.Visible"), _T("true"));
    m_engine.SetReply(_T("? Solar.Planet.Earth.SolarEclipse.Path.Data"), _T("PATH-1"));
    m_engine.SetReply(_T("? Solar.Planet.Earth.SolarEclipse.Path.Color"), _T("RGB(255, 128, 0)"));
    m_engine.SetReply(_T("? Solar.Planet.Earth.BesselElement.Apply"), _T("True"));
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    CStandInMap* pMap = CStandInMap::Last();
    ASSERT_NE(pMap, nullptr);
    ASSERT_EQ(pMap->CountOf(31), 1);
    EXPECT_EQ(pMap->CallsOf(31)[0].args.at(0).s, L"PATH-1");
    ASSERT_EQ(pMap->CountOf(33), 1);
    EXPECT_EQ(pMap->CallsOf(33)[0].args.at(0).n, 0x000080FF);
    ASSERT_EQ(pMap->CountOf(32), 1);
    EXPECT_EQ(pMap->CallsOf(32)[0].args.at(0).n, 1);

    // Hidden: the map gets an empty path; visible again: the data fetched first are reused.
    m_engine.SetReply(_T("? Solar.Planet.Earth.SolarEclipse.Path.Visible"), _T("FALSE"));
    m_engine.SetReply(_T("? Solar.Planet.Earth.BesselElement.Apply"), _T("no"));
    dlg->RedrawEclipsePath();
    EXPECT_EQ(pMap->CallsOf(31).back().args.at(0).s, L"");
    EXPECT_EQ(pMap->CallsOf(32).back().args.at(0).n, 0);
    m_engine.SetReply(_T("? Solar.Planet.Earth.SolarEclipse.Path.Visible"), _T("TRUE"));
    m_engine.SetReply(_T("? Solar.Planet.Earth.SolarEclipse.Path.Data"), _T("PATH-2"));
    dlg->RedrawEclipsePath();
    EXPECT_EQ(pMap->CallsOf(31).back().args.at(0).s, L"PATH-1");
    int nDataQueries = 0;
    for (const CString& cmd : m_engine.m_commands)
        if (cmd == _T("? Solar.Planet.Earth.SolarEclipse.Path.Data"))
            ++nDataQueries;
    EXPECT_EQ(nDataQueries, 1);
}

TEST_F(DlgObsMap, MagnificationEventMovesTheSlider)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    CStandInMap* pMap = CStandInMap::Last();
    ASSERT_NE(pMap, nullptr);
    struct Case {
        const char* fault;
        double mag;
        int pos;
    };
    const Case cases[] = {
        {"whole view", 1.0, 0},
        {"beyond the detail end", 500.0, 200},
        {"view of 91 degrees", 180.0 / 91.0, 45},
        {"zero magnification moved the slider", 0.0, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(pMap->FireSetMag(c.mag), S_OK);
        Pump();
        EXPECT_EQ(SliderPos(*dlg), c.pos);
    }
    Click(*dlg, IDOK);
    int nStored = -1;
    CRegistry::Read(_T("Dialog\\Obs"), _T("ViewAngle"), 0, &nStored, 0);
    EXPECT_EQ(nStored, 45);
}

TEST_F(DlgObsMap, PickedPointGoesToTheObserver)
{
    auto dlg = MakeDialog();
    ASSERT_TRUE(Open(*dlg));
    CStandInMap* pMap = CStandInMap::Last();
    ASSERT_NE(pMap, nullptr);
    m_obs.ClearCalls();
    EXPECT_EQ(pMap->FireSetObsPosition(-10.0, 20.0), S_OK);
    Pump();
    ASSERT_EQ(m_obs.m_calls.size(), 1u);
    EXPECT_EQ(m_obs.m_calls[0].Text(), L"UpdateObsByUI(350, 20, 39)");
    // The same point again is no change.
    m_obs.ClearCalls();
    EXPECT_EQ(pMap->FireSetObsPosition(350.0, 20.0), S_OK);
    Pump();
    EXPECT_TRUE(m_obs.m_calls.empty());
}

TEST_F(DlgObsMap, MouseWheelZoomsAndMovesTheCentre)
{
    struct Case {
        const char* fault;
        int nBody;
        bool bInside;
        WORD keys;
        short delta;
        int pos;            // slider afterwards
        double lng, lat;    // centre afterwards
    };
    const double lng0 = 139.691772, lat0 = 35.689236;
    const Case cases[] = {
        {"zoom in three steps", 4, true, 0, 120, 197, lng0, lat0},
        {"zoom out past the end", 4, true, 0, -120, 200, lng0, lat0},
        {"ctrl moves north", 4, true, MK_CONTROL, 120, 200, lng0, lat0 + 1.0},
        {"ctrl and shift act as ctrl", 4, true, MK_CONTROL | MK_SHIFT, -120, 200, lng0, lat0 - 1.0},
        {"shift moves west", 4, true, MK_SHIFT, -120, 200, lng0 - 1.0, lat0},
        {"outside the map", 4, false, 0, 120, 200, lng0, lat0},
        {"on the Moon", 1, true, 0, 120, 200, lng0, lat0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = lat0;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = lng0;
        CStandInMap::Defaults().centerLng = lng0;
        CStandInMap::Defaults().centerLat = lat0;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        CStandInMap* pMap = CStandInMap::Last();
        ASSERT_NE(pMap, nullptr);
        CRect rc;
        ::GetWindowRect(pMap->GetHwnd(), &rc);
        const POINT pt = c.bInside ? POINT{rc.left + 10, rc.top + 10} : POINT{rc.right + 40, rc.top + 10};
        dlg->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(c.keys, static_cast<WORD>(c.delta)),
                         MAKELPARAM(pt.x, pt.y));
        Pump();
        EXPECT_EQ(SliderPos(*dlg), c.pos);
        double lng = 0, lat = 0;
        pMap->m_calls.clear();
        dlg->m_map.GetCenter(&lng, &lat);
        EXPECT_NEAR(lng, c.lng, 1e-9);
        EXPECT_NEAR(lat, c.lat, 1e-9);
    }
}
