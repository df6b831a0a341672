#include <host/CCorZel.h>
#include <host/CCorZelMap.h>
#include <standin/CStandInEngine.h>
#include <standin/CStandInMap.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// The engine's replies, and the commands it keeps as they were sent, are the terrain mesh's and the
// demo engine's tests'; here that a command is the engine's one method and nothing else reaches it.
TEST(CorZel, CommandReachesTheEngineAsItsOneMethod)
{
    CStandInEngine engine;
    CCorZel cor(&engine);
    cor.Command(L"? info.module.datapath");
    EXPECT_EQ(engine.m_commands, std::vector<CString>{L"? info.module.datapath"});
    EXPECT_EQ(engine.m_nOtherCalls, 0) << "a call reached the engine not as Command(BSTR)";
    EXPECT_EQ(CCorZel().Command(L"? x"), L"") << "a wrapper without an engine answered";
}

namespace {

// A framework window hosting the map, with an event sink map for its events.
class CMapHost : public CWnd {
public:
    std::vector<double> seen;
    void OnSetObsPosition(double lng, double lat) { seen.insert(seen.end(), {8, lng, lat}); }
    void OnSetMag(double mag) { seen.insert(seen.end(), {9, mag}); }

protected:
    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CMapHost, CWnd)
    ON_EVENT(CMapHost, 5002, 8, OnSetObsPosition, VTS_R8 VTS_R8)
    ON_EVENT(CMapHost, 5002, 9, OnSetMag, VTS_R8)
END_EVENTSINK_MAP()

// Every call the product makes, with its dispatch id and argument types; a wrong VARTYPE is
// refused or misread by the real control.
TEST(MapControl, MethodsEventsAndFailures)
{
    CStandInMap::ResetDefaults();
    CStandInMap::Register();
    CMapHost host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    CCorZelMap map;
    ASSERT_TRUE(map.Create(L"", WS_CHILD, CRect(10, 20, 210, 170), &host));
    CStandInMap* standIn = CStandInMap::FromHwnd(map.GetSafeHwnd());
    ASSERT_TRUE(standIn) << "the map window is not the stand-in's";
    EXPECT_EQ(GetDlgCtrlID(map.GetSafeHwnd()), 5002);
    EXPECT_FALSE(IsWindowVisible(map.GetSafeHwnd())) << "created visible without WS_VISIBLE";

    int flags[8] = {1, 1, 1, 0, 0, 0, 0, 1};
    double lng = 0, lat = 0;
    // An empty sent: checked below.
    const struct { std::function<void(CCorZelMap&)> call; CString sent; std::vector<VARTYPE> types; } cases[] = {
        {[](CCorZelMap& m) { m.SetCenter(120.25, -33.5); }, L"4(120.25, -33.5)", {VT_R8, VT_R8}},
        {[&](CCorZelMap& m) { m.GetCenter(&lng, &lat); }, L"5(120.25, -33.5)", {VT_BYREF | VT_R8, VT_BYREF | VT_R8}},
        {[](CCorZelMap& m) { m.SetObsPosition(139.691772, 35.689236); }, L"6(139.691772, 35.689236)", {VT_R8, VT_R8}},
        {[](CCorZelMap& m) { m.Redraw(); }, L"8()", {}},
        {[](CCorZelMap& m) { m.SetMag(0.5); }, L"9(0.5)", {VT_R8}},
        {[](CCorZelMap& m) { m.SetShowGrid(TRUE); }, L"12(TRUE)", {VT_BOOL}},
        {[](CCorZelMap& m) { m.SetCityFileExists(FALSE); }, L"16(FALSE)", {VT_BOOL}},
        {[](CCorZelMap& m) { m.SetShowLandmarks(TRUE); }, L"18(TRUE)", {VT_BOOL}},
        {[](CCorZelMap& m) { m.SetCityFile(L"C:\\データ\\zelkam_user.obs"); }, L"20(\"C:\\データ\\zelkam_user.obs\")", {VT_BSTR}},
        {[](CCorZelMap& m) { EXPECT_EQ(m.GetLandmarkClassCount(), 8); }, L"22()", {}},
        {[&](CCorZelMap& m) { m.SetLandmarkFlags(reinterpret_cast<ULONGLONG>(flags)); }, L"", {VT_UI8}},
        {[](CCorZelMap& m) { EXPECT_EQ(m.GetLandmarkClassName(3), L"天文台"); }, L"25(3)", {VT_I4}},
        {[](CCorZelMap& m) { m.SetCityFileChanged(TRUE); }, L"26(TRUE)", {VT_BOOL}},
        {[](CCorZelMap& m) { m.SetFireEvents(TRUE); }, L"29(TRUE)", {VT_BOOL}},
        {[](CCorZelMap& m) { m.SetEclipsePath(L""); }, L"31(\"\")", {VT_BSTR}},
        {[](CCorZelMap& m) { m.SetApplyBessel(FALSE); }, L"32(FALSE)", {VT_BOOL}},
        {[](CCorZelMap& m) { m.SetEclipsePathColor(0x000080FF); }, L"33(33023)", {VT_UI4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CStringA(c.sent).str());
        standIn->m_calls.clear();
        c.call(map);
        ASSERT_EQ(standIn->m_calls.size(), 1u);
        const StandInMapCall& call = standIn->m_calls[0];
        if (!c.sent.IsEmpty()) { EXPECT_EQ(call.Text(), c.sent); }
        EXPECT_EQ(call.wFlags, DISPATCH_METHOD);
        std::vector<VARTYPE> types;
        for (const StandInMapArg& a : call.args) types.push_back(a.vt);
        EXPECT_EQ(types, c.types);
    }
    EXPECT_EQ(lng, 120.25) << "the centre read by 5 did not come back";
    EXPECT_EQ(lat, -33.5);
    EXPECT_EQ(standIn->m_landmarkFlags, std::vector<int>(flags, flags + 8)) << "the flag array did not reach the map";

    EXPECT_EQ(standIn->FireSetObsPosition(139.75, -35.5), S_OK);
    EXPECT_EQ(standIn->FireSetMag(0.25), S_OK);
    EXPECT_EQ(host.seen, std::vector<double>({8, 139.75, -35.5, 9, 0.25})) << "event arguments swapped or lost";

    EXPECT_EQ(map.GetLandmarkClassName(8), L"") << "an index past the classes gave a name";
    CCorZelMap bare;  // no control behind it: every call fails and leaves its results alone
    lng = 1.5;
    bare.GetCenter(&lng, &lat);
    EXPECT_EQ(lng, 1.5);
    EXPECT_EQ(bare.GetLandmarkClassCount(), 0);
    map.DestroyWindow();
    host.DestroyWindow();
    CStandInMap::Unregister();
}

}  // namespace
