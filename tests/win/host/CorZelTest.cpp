#include <host/CCorZel.h>
#include <host/CCorZelMap.h>
#include <standin/CStandInEngine.h>
#include <standin/CStandInMap.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

TEST(CorZel, CommandReachesTheEngineAndBringsTheReply)
{
    CStandInEngine engine;
    engine.SetReply(L"? info.module.datapath", L"C:\\Program Files\\Sky\\data");
    CCorZel cor(&engine);
    EXPECT_EQ(cor.Command(L"? info.module.datapath"), L"C:\\Program Files\\Sky\\data");
    EXPECT_EQ(cor.Command(L"? Solar.Planet.Earth.SolarEclipse.Path.Visible"), L"")
        << "an unknown query must answer the default";
    EXPECT_EQ(cor.Command(L"location = location(139.691772, 35.689236, 39.000000)"), L"");
    const std::vector<CString> sent = {L"? info.module.datapath",
                                       L"? Solar.Planet.Earth.SolarEclipse.Path.Visible",
                                       L"location = location(139.691772, 35.689236, 39.000000)"};
    EXPECT_EQ(engine.m_commands, sent);
    EXPECT_EQ(engine.m_nOtherCalls, 0) << "a call reached the engine not as Command(BSTR)";

    CCorZel none;
    EXPECT_EQ(none.Command(L"? x"), L"") << "a wrapper without an engine answered";
}

namespace {

// A framework window hosting the map, with an event sink map for its events.
class CMapHost : public CWnd {
public:
    std::vector<std::pair<double, double>> positions;
    std::vector<double> mags;

    void OnSetObsPosition(double lng, double lat) { positions.emplace_back(lng, lat); }
    void OnSetMag(double mag) { mags.push_back(mag); }

protected:
    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(CMapHost, CWnd)
    ON_EVENT(CMapHost, 5002, 8, OnSetObsPosition, VTS_R8 VTS_R8)
    ON_EVENT(CMapHost, 5002, 9, OnSetMag, VTS_R8)
END_EVENTSINK_MAP()

class MapControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        CStandInMap::ResetDefaults();
        CStandInMap::Register();
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, L"host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300),
                                    nullptr, 0));
        ASSERT_TRUE(m_map.Create(L"", WS_CHILD, CRect(10, 20, 210, 170), &m_host));
        m_standIn = CStandInMap::FromHwnd(m_map.GetSafeHwnd());
        ASSERT_TRUE(m_standIn) << "the map window is not the stand-in's";
    }
    void TearDown() override
    {
        m_map.DestroyWindow();
        m_host.DestroyWindow();
        CStandInMap::Unregister();
    }

    CMapHost m_host;
    CCorZelMap m_map;
    CStandInMap* m_standIn = nullptr;
};

}  // namespace

TEST_F(MapControl, CreatedHiddenAsAChildWithTheGivenIdAndPlace)
{
    EXPECT_EQ(GetDlgCtrlID(m_map.GetSafeHwnd()), 5002);
    EXPECT_EQ(GetParent(m_map.GetSafeHwnd()), m_host.GetSafeHwnd());
    EXPECT_FALSE(IsWindowVisible(m_map.GetSafeHwnd())) << "created visible without WS_VISIBLE";
    CRect rc;
    GetWindowRect(m_map.GetSafeHwnd(), &rc);
    m_host.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(10, 20, 210, 170));
}

TEST_F(MapControl, EveryMethodReachesItsDispatchIdWithItsArgumentTypes)
{
    m_standIn->m_settings.centerLng = 139.5;
    m_standIn->m_settings.centerLat = 35.25;
    int flags[8] = {1, 1, 1, 0, 0, 0, 0, 1};

    m_map.SetCenter(120.25, -33.5);
    double lng = 0, lat = 0;
    m_map.GetCenter(&lng, &lat);
    m_map.SetObsPosition(139.691772, 35.689236);
    m_map.Redraw();
    m_map.SetMag(0.5);
    m_map.SetShowGrid(TRUE);
    m_map.SetCityFileExists(FALSE);
    m_map.SetShowLandmarks(TRUE);
    m_map.SetCityFile(L"C:\\データ\\zelkam_user.obs");
    const long n = m_map.GetLandmarkClassCount();
    m_map.SetLandmarkFlags(reinterpret_cast<ULONGLONG>(flags));
    const CString name = m_map.GetLandmarkClassName(3);
    m_map.SetCityFileChanged(TRUE);
    m_map.SetFireEvents(TRUE);
    m_map.SetEclipsePath(L"");
    m_map.SetApplyBessel(FALSE);
    m_map.SetEclipsePathColor(0x000080FF);

    const std::vector<CString> want = {
        L"4(120.25, -33.5)", L"5(120.25, -33.5)", L"6(139.691772, 35.689236)", L"8()", L"9(0.5)",
        L"12(TRUE)", L"16(FALSE)", L"18(TRUE)", L"20(\"C:\\データ\\zelkam_user.obs\")", L"22()",
        L"23(" + [&] { CString s; s.Format(L"%lld", reinterpret_cast<long long>(flags)); return s; }() + L")",
        L"25(3)", L"26(TRUE)", L"29(TRUE)", L"31(\"\")", L"32(FALSE)", L"33(33023)"};
    std::vector<CString> got;
    for (const StandInMapCall& c : m_standIn->m_calls)
        got.push_back(c.Text());
    EXPECT_EQ(got, want);

    const std::vector<VARTYPE> types[] = {
        {VT_R8, VT_R8}, {VT_BYREF | VT_R8, VT_BYREF | VT_R8}, {VT_R8, VT_R8}, {}, {VT_R8},
        {VT_BOOL}, {VT_BOOL}, {VT_BOOL}, {VT_BSTR}, {}, {VT_UI8}, {VT_I4}, {VT_BOOL}, {VT_BOOL},
        {VT_BSTR}, {VT_BOOL}, {VT_UI4}};
    ASSERT_EQ(m_standIn->m_calls.size(), std::size(types));
    for (size_t i = 0; i < m_standIn->m_calls.size(); ++i) {
        const StandInMapCall& c = m_standIn->m_calls[i];
        EXPECT_EQ(c.wFlags, DISPATCH_METHOD) << "call " << c.id << " not a method call";
        ASSERT_EQ(c.args.size(), types[i].size()) << "call " << c.id;
        for (size_t j = 0; j < c.args.size(); ++j)
            EXPECT_EQ(c.args[j].vt, types[i][j]) << "call " << c.id << " argument " << j;
    }

    EXPECT_EQ(lng, 120.25) << "the centre read by 5 did not come back";
    EXPECT_EQ(lat, -33.5);
    EXPECT_EQ(n, 8);
    EXPECT_EQ(name, L"天文台");
    EXPECT_EQ(m_standIn->m_landmarkFlags, std::vector<int>(flags, flags + 8))
        << "the flag array did not reach the map";
}

TEST_F(MapControl, FailedCallsLeaveResultsAlone)
{
    // A map without a control behind it: every call fails.
    CCorZelMap bare;
    double lng = 1.5, lat = 2.5;
    bare.GetCenter(&lng, &lat);
    EXPECT_EQ(lng, 1.5);
    EXPECT_EQ(lat, 2.5);
    EXPECT_EQ(bare.GetLandmarkClassCount(), 0);
    EXPECT_EQ(bare.GetLandmarkClassName(0), L"");

    m_standIn->m_settings.classNames.resize(3);
    EXPECT_EQ(m_map.GetLandmarkClassCount(), 3);
    EXPECT_EQ(m_map.GetLandmarkClassName(7), L"") << "an index past the classes gave a name";
}

TEST_F(MapControl, EventsReachTheParentsHandlers)
{
    EXPECT_EQ(m_standIn->FireSetObsPosition(139.75, -35.5), S_OK);
    EXPECT_EQ(m_standIn->FireSetMag(0.25), S_OK);
    EXPECT_EQ(m_standIn->FireSetObsPosition(-0.5, 89.0), S_OK);
    ASSERT_EQ(m_host.positions.size(), 2u);
    EXPECT_EQ(m_host.positions[0], std::make_pair(139.75, -35.5)) << "arguments swapped or lost";
    EXPECT_EQ(m_host.positions[1], std::make_pair(-0.5, 89.0));
    EXPECT_EQ(m_host.mags, std::vector<double>{0.25});
}
