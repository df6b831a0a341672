#include <vrkcom/CGeoDateObs.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

TEST(GeoDateObs, PushesLandOnTheCurrentBodyInMetres)
{
    CGeoDateObs obs;
    EXPECT_EQ(obs.m_nLocationObject, 4);

    obs.UpdateObsByUI(139.5, 35.25, 40.0);
    EXPECT_EQ(obs.m_dLocation[4][CGeoDateObs::kLat], 35.25) << "latitude is the first of the triple";
    EXPECT_EQ(obs.m_dLocation[4][CGeoDateObs::kHeight], 40.0) << "height is the third";
    EXPECT_EQ(obs.GetLongitude(), 139.5);

    // Jupiter shows kilometres: the three-value form takes the altitude as displayed.
    obs.UpdateLocationObjectByUI(6, 1);
    obs.UpdateObsByUI(10.0, -5.0, 2.5);
    EXPECT_EQ(obs.m_dLocation[6][CGeoDateObs::kHeight], 2500.0) << "kilometres not turned into metres";
    EXPECT_EQ(obs.m_dLocation[4][CGeoDateObs::kHeight], 40.0) << "another body's place changed";

    // The four-value form takes metres and the zone.
    obs.UpdateObsByUI(11.0, -6.0, 3000.0, -3.5);
    EXPECT_EQ(obs.m_dLocation[6][CGeoDateObs::kHeight], 3000.0);
    EXPECT_EQ(obs.m_dUserTimeZone, -3.5);

    obs.UpdateLocationObjectByUI(15, 1);
    EXPECT_EQ(obs.m_nLocationObject, 6) << "an unknown body was taken";
    obs.UpdateDateDisp(2);

    const std::vector<CString> calls = {
        L"UpdateObsByUI(139.5, 35.25, 40)", L"UpdateLocationObjectByUI(6, 1)",
        L"UpdateObsByUI(10, -5, 2.5)", L"UpdateObsByUI(11, -6, 3000, -3.5)",
        L"UpdateLocationObjectByUI(15, 1)", L"UpdateDateDisp(2)"};
    std::vector<CString> got;
    for (const CGeoDateObs::Call& c : obs.m_calls)
        got.push_back(c.Text());
    EXPECT_EQ(got, calls);
}

TEST(GeoDateObs, UnitsAndMeanTime)
{
    CGeoDateObs obs;
    const bool metres[15] = {false, true, true, true, true, true, false, false, false, false,
                             true, true, true, true, true};
    for (int b = 0; b < 15; ++b)
        EXPECT_EQ(obs.IsSmallObject(b) != FALSE, metres[b]) << "body " << b;
    EXPECT_DOUBLE_EQ(obs.GetLMTTz(135.0), 9.0);
    EXPECT_DOUBLE_EQ(obs.GetLMTTz(-157.5), -10.5);
}
