#include "ObsTestHost.h"

#include <map>

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

namespace {

void Wheel(CDlgObs& dlg, CStandInMap& map, WORD keys, short delta, bool bInside = true)
{
    CRect rc;
    ::GetWindowRect(map.GetHwnd(), &rc);
    const POINT pt = bInside ? POINT{rc.left + 10, rc.top + 10} : POINT{rc.right + 40, rc.top + 10};
    dlg.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)),
                    MAKELPARAM(pt.x, pt.y));
}

// The argument types of a call: "R8 R8 ".
std::wstring Signature(const StandInMapCall& call)
{
    static const std::map<VARTYPE, std::wstring> names = {
        {VT_R8, L"R8 "},     {VT_BYREF | VT_R8, L"PR8 "}, {VT_BOOL, L"BOOL "},
        {VT_BSTR, L"BSTR "}, {VT_UI8, L"UI8 "},           {VT_UI4, L"UI4 "},
    };
    std::wstring sig;
    for (const StandInMapArg& arg : call.args)
        sig += names.count(arg.vt) ? names.at(arg.vt) : L"? ";
    return sig;
}

// The argument types each map method must be called with.
const std::map<DISPID, std::wstring> kSignatures = {
    {4, L"R8 R8 "}, {5, L"PR8 PR8 "}, {6, L"R8 R8 "}, {8, L""},      {9, L"R8 "},
    {12, L"BOOL "}, {16, L"BOOL "},   {18, L"BOOL "}, {20, L"BSTR "}, {22, L""},
    {23, L"UI8 "},  {29, L"BOOL "},   {31, L"BSTR "}, {32, L"BOOL "}, {33, L"UI4 "},
};

}  // namespace

// What the map is told after each thing the user or the map does, refresh (8) included, and
// where the slider ends; every call with its method's argument types.
TEST_F(DlgObsMap, MapCallsOfEachChange)
{
    struct Case {
        const char* fault;
        int nBody;
        int nStartPos;
        double lng, lat;  // the observer's, where opening centres the map
        void (*change)(CDlgObs&, CStandInMap&);
        int pos;
        std::vector<CString> calls;
    };
    const double lng0 = 139.691772, lat0 = 35.689236;
    const Case cases[] = {
        {"wheel zooms in three steps", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, 0, 120); }, 197, {L"9(0.015)", L"8()"}},
        {"wheel zooms in past the end", 4, 2, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, 0, 120); }, 0, {L"9(1)", L"8()"}},
        {"wheel zooms out past the end", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, 0, -120); }, 200, {L"9(0)", L"8()"}},
        {"ctrl moves north", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, MK_CONTROL, 120); }, 200,
         {L"5(139.691772, 35.689236)", L"4(139.691772, 36.689236)", L"8()"}},
        {"ctrl past the pole", 4, 200, lng0, 89.5,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, MK_CONTROL, 120); }, 200,
         {L"5(139.691772, 89.5)", L"4(139.691772, 90)", L"8()"}},
        {"ctrl and shift act as ctrl", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, MK_CONTROL | MK_SHIFT, -120); }, 200,
         {L"5(139.691772, 35.689236)", L"4(139.691772, 34.689236)", L"8()"}},
        {"shift wraps east past 360", 4, 200, 359.5, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, MK_SHIFT, 120); }, 200,
         {L"5(359.5, 35.689236)", L"4(0.5, 35.689236)", L"8()"}},
        {"wheel outside the map", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, 0, 120, false); }, 200, {}},
        {"wheel on the Moon", 1, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap& m) { Wheel(d, m, 0, 120); }, 200, {}},
        {"slider moved", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap&) {
             HWND hSlider = ::GetDlgItem(d.GetSafeHwnd(), IDC_OBS_SLIDER);
             ::SendMessageW(hSlider, TBM_SETPOS, TRUE, 150);
             d.SendMessage(WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 150),
                           reinterpret_cast<LPARAM>(hSlider));
         }, 150, {L"9(0.25)", L"8()"}},
        {"landmark check box", 4, 200, lng0, lat0,
         [](CDlgObs& d, CStandInMap&) { Click(d, IDC_OBS_CHK_FEATURE_ASTRO); }, 200,
         {L"22()", L"23(address)", L"8()"}},
        {"magnification of the whole view", 4, 200, lng0, lat0,
         [](CDlgObs&, CStandInMap& m) { m.FireSetMag(1.0); }, 0, {L"8()"}},
        {"view of 91 degrees", 4, 200, lng0, lat0,
         [](CDlgObs&, CStandInMap& m) { m.FireSetMag(180.0 / 91.0); }, 45, {L"8()"}},
        {"stored zoom beyond the wide end", 4, 5000, lng0, lat0, [](CDlgObs&, CStandInMap&) {}, 200,
         {}},
        {"stored zoom beyond the detail end", 4, -7, lng0, lat0, [](CDlgObs&, CStandInMap&) {}, 0, {}},
        {"zero magnification moved the slider", 4, 120, lng0, lat0,
         [](CDlgObs&, CStandInMap& m) { m.FireSetMag(0.0); }, 120, {}},
        {"refill centres and marks a west place east of 180", 4, 200, -10.5, -20.25,
         [](CDlgObs& d, CStandInMap&) { d.InitLocation(TRUE); }, 200,
         {L"8()", L"4(349.5, -20.25)", L"6(349.5, -20.25)", L"8()"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        CRegistry::Write(_T("Dialog\\Obs"), _T("ViewAngle"), c.nStartPos, 1);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = c.lat;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lng;
        auto dlg = MakeDialog();
        ASSERT_TRUE(Open(*dlg));
        CStandInMap* pMap = CStandInMap::Last();
        ASSERT_NE(pMap, nullptr);
        const size_t nBefore = pMap->m_calls.size();
        c.change(*dlg, *pMap);
        Pump();
        EXPECT_EQ(SliderPos(*dlg), c.pos);
        std::vector<CString> calls;
        for (size_t i = nBefore; i < pMap->m_calls.size(); ++i) {
            const StandInMapCall& call = pMap->m_calls[i];
            calls.push_back(call.id == 23 ? CString(L"23(address)") : call.Text());
        }
        EXPECT_EQ(calls, c.calls);
        for (const StandInMapCall& call : pMap->m_calls) {
            const auto it = kSignatures.find(call.id);
            ASSERT_NE(it, kSignatures.end()) << "method " << call.id;
            EXPECT_EQ(Signature(call), it->second) << CStringA(call.Text()).str();
        }
    }
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
