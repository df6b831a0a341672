#include "ObsTestHost.h"

#include <algorithm>

using DlgObsMap = ObsDialogTest;

// The map reads exactly as many flags as it reports classes, never past the array it is sent;
// stored settings out of their ranges fall back to the built-in ones when the dialog opens: the
// landmark flags the map is sent and the slider's position.
TEST_F(DlgObsMap, LandmarkFlagsAndSliderOnOpening)
{
    // The classes the map reports; a setting stored first (null: none); the flags the map reads,
    // one per class (empty: method 23 not called); the slider's position.
    const struct { const char* fault; int nClasses; const wchar_t* name; int stored; std::vector<int> flags; int pos; } cases[] = {
        {"fewer classes read past the array", 3, nullptr, 0, {1, 1, 1}, 200},
        {"more classes left uninitialised", 10, nullptr, 0, {1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, 200},
        {"no classes sent a dangling array", 0, nullptr, 0, {}, 200},
        {"a flag of 7 sent", 8, L"FeatureObs", 7, {1, 1, 1, 0, 0, 0, 0, 0}, 200},
        {"a flag of -1 sent", 8, L"FeatureAstro", -1, {1, 1, 1, 0, 0, 0, 0, 0}, 200},
        {"a stored flag not taken", 8, L"FeatureAstro", 1, {1, 1, 1, 1, 0, 0, 0, 0}, 200},
        {"a slider position of 201 taken", 8, L"ViewAngle", 201, {1, 1, 1, 0, 0, 0, 0, 0}, 200},
        {"a slider position of -1 taken", 8, L"ViewAngle", -1, {1, 1, 1, 0, 0, 0, 0, 0}, 200},
        {"a stored slider position not taken", 8, L"ViewAngle", 150, {1, 1, 1, 0, 0, 0, 0, 0}, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        if (c.name != nullptr)
            CRegistry::Write(_T("Dialog\\Obs"), c.name, c.stored, 1);
        CStandInMap::Defaults().classNames.assign(c.nClasses, CString(_T("x")));
        auto dlg = OpenNew();
        EXPECT_EQ(CStandInMap::Last()->CountOf(23), c.flags.empty() ? 0 : 1);
        EXPECT_EQ(CStandInMap::Last()->m_landmarkFlags, c.flags);
        EXPECT_EQ(SliderPos(*dlg), c.pos);
    }
}

// The eclipse path is fetched once and reused, sent empty while invisible, with its colour as
// a COLORREF and the Bessel switch.
TEST_F(DlgObsMap, EclipsePathIsFetchedOnceAndHiddenWhenInvisible)
{
    const CString strQuery = _T("? Solar.Planet.Earth.");
    m_engine.SetReply(strQuery + _T("SolarEclipse.Path.Visible"), _T("true"));
    m_engine.SetReply(strQuery + _T("SolarEclipse.Path.Data"), _T("PATH-1"));
    m_engine.SetReply(strQuery + _T("SolarEclipse.Path.Color"), _T("RGB(255, 128, 0)"));
    m_engine.SetReply(strQuery + _T("BesselElement.Apply"), _T("True"));
    auto dlg = OpenNew();
    CStandInMap& map = *CStandInMap::Last();
    auto last = [&](DISPID id) { return map.CallsOf(id).empty() ? CString() : map.CallsOf(id).back().Text(); };
    EXPECT_EQ(last(31) + last(32) + last(33), L"31(\"PATH-1\")32(TRUE)33(33023)");

    m_engine.SetReply(strQuery + _T("SolarEclipse.Path.Visible"), _T("FALSE"));
    m_engine.SetReply(strQuery + _T("BesselElement.Apply"), _T("no"));
    dlg->RedrawEclipsePath();
    EXPECT_EQ(last(31) + last(32), L"31(\"\")32(FALSE)");
    m_engine.SetReply(strQuery + _T("SolarEclipse.Path.Visible"), _T("TRUE"));
    m_engine.SetReply(strQuery + _T("SolarEclipse.Path.Data"), _T("PATH-2"));
    dlg->RedrawEclipsePath();
    EXPECT_EQ(last(31), L"31(\"PATH-1\")");
    EXPECT_EQ(std::count(m_engine.m_commands.begin(), m_engine.m_commands.end(),
                         strQuery + _T("SolarEclipse.Path.Data")), 1);
}

namespace {

enum Act { Wheel, WheelOutside, Slider, Check, Mag, Refill, Pick };

}  // namespace

// What the map and the observer are told after each thing the user or the map does, refresh
// (8) included, and where the slider ends. The argument types of each call are the map
// wrapper's, checked call by call in the host's map test.
TEST_F(DlgObsMap, MapCallsOfEachChange)
{
    const struct {
        const char* fault;
        int nBody, nStartPos;
        double lng, lat;  // the observer's, where opening centres the map
        Act act;
        WORD keys;
        double value;     // wheel delta, slider position, magnification, picked longitude
        int pos;
        std::vector<CString> calls;
        const wchar_t* pushed;
    } cases[] = {
        {"wheel zooms in three steps", 4, 200, 139.5, 35.5, Wheel, 0, 120, 197, {L"9(0.015)", L"8()"}, L""},
        {"wheel zooms in past the end", 4, 2, 139.5, 35.5, Wheel, 0, 120, 0, {L"9(1)", L"8()"}, L""},
        {"wheel zooms out past the end", 4, 200, 139.5, 35.5, Wheel, 0, -120, 200, {L"9(0)", L"8()"}, L""},
        {"ctrl moves north", 4, 200, 139.5, 35.5, Wheel, MK_CONTROL, 120, 200, {L"5(139.5, 35.5)", L"4(139.5, 36.5)", L"8()"}, L""},
        {"ctrl past the pole", 4, 200, 139.5, 89.5, Wheel, MK_CONTROL, 120, 200, {L"5(139.5, 89.5)", L"4(139.5, 90)", L"8()"}, L""},
        {"ctrl and shift act as ctrl", 4, 200, 139.5, 35.5, Wheel, MK_CONTROL | MK_SHIFT, -120, 200, {L"5(139.5, 35.5)", L"4(139.5, 34.5)", L"8()"}, L""},
        {"shift wraps east past 360", 4, 200, 359.5, 35.5, Wheel, MK_SHIFT, 120, 200, {L"5(359.5, 35.5)", L"4(0.5, 35.5)", L"8()"}, L""},
        {"wheel outside the map", 4, 200, 139.5, 35.5, WheelOutside, 0, 120, 200, {}, L""},
        {"wheel on the Moon", 1, 200, 139.5, 35.5, Wheel, 0, 120, 200, {}, L""},
        {"slider moved", 4, 200, 139.5, 35.5, Slider, 0, 150, 150, {L"9(0.25)", L"8()"}, L""},
        {"landmark check box", 4, 200, 139.5, 35.5, Check, 0, 0, 200, {L"22()", L"23(address)", L"8()"}, L""},
        {"view of 91 degrees", 4, 200, 139.5, 35.5, Mag, 0, 180.0 / 91.0, 45, {L"8()"}, L""},
        {"zero magnification moved the slider", 4, 120, 139.5, 35.5, Mag, 0, 0.0, 120, {}, L""},
        {"refill centres and marks a west place east of 180", 4, 200, -10.5, -20.25, Refill, 0, 0, 200,
         {L"8()", L"4(349.5, -20.25)", L"6(349.5, -20.25)", L"8()"}, L""},
        {"picked point not pushed with the altitude", 4, 200, 139.5, 35.5, Pick, 0, -10, 200, {},
         L"UpdateObsByUI(350, 20, 39)"},
        {"the same point picked again pushed", 4, 200, 350.0, 20.0, Pick, 0, -10, 200, {}, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CRegistry::DeleteKey(CString());
        CRegistry::Write(_T("Dialog\\Obs"), _T("ViewAngle"), c.nStartPos, 1);
        m_obs.m_nLocationObject = c.nBody;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLat] = c.lat;
        m_obs.m_dLocation[c.nBody][CGeoDateObs::kLng] = c.lng;
        auto dlg = OpenNew();
        CStandInMap& map = *CStandInMap::Last();
        const size_t nBefore = map.m_calls.size();
        m_obs.ClearCalls();
        CRect rc;
        ::GetWindowRect(map.GetHwnd(), &rc);
        const LPARAM at = c.act == Wheel ? MAKELPARAM(rc.left + 10, rc.top + 10)
                                         : MAKELPARAM(rc.right + 40, rc.top + 10);
        switch (c.act) {
        case Wheel:
        case WheelOutside:
            dlg->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(c.keys, static_cast<short>(c.value)), at);
            break;
        case Slider:
            ::SendMessageW(Item(*dlg, IDC_OBS_SLIDER), TBM_SETPOS, TRUE, static_cast<LPARAM>(c.value));
            dlg->SendMessage(WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, static_cast<int>(c.value)),
                             reinterpret_cast<LPARAM>(Item(*dlg, IDC_OBS_SLIDER)));
            break;
        case Check: Click(*dlg, IDC_OBS_CHK_FEATURE_ASTRO); break;
        case Mag: EXPECT_EQ(map.FireSetMag(c.value), S_OK); break;
        case Refill: dlg->InitLocation(TRUE); break;
        case Pick: EXPECT_EQ(map.FireSetObsPosition(c.value, 20.0), S_OK); break;
        }
        Pump();
        EXPECT_EQ(SliderPos(*dlg), c.pos);
        std::vector<CString> calls;
        for (size_t i = nBefore; i < map.m_calls.size(); ++i)
            calls.push_back(map.m_calls[i].id == 23 ? CString(L"23(address)") : map.m_calls[i].Text());
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(m_obs.m_calls.empty() ? CString() : m_obs.m_calls.back().Text(), c.pushed);
        EXPECT_LE(m_obs.m_calls.size(), 1u);
    }
}
