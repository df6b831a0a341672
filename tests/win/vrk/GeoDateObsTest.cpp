#include <vrkcom/CGeoDateObs.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

// The observer stand-in keeps what the location dialog pushes, in the units the host uses. Which
// bodies show kilometres and the local mean time zone show in the location dialog's tests.
TEST(GeoDateObs, PushesLandOnTheCurrentBodyInMetres)
{
    CGeoDateObs obs;
    ASSERT_EQ(obs.m_nLocationObject, 4);
    obs.UpdateObsByUI(139.5, 35.25, 40.0);
    EXPECT_EQ(obs.m_dLocation[4][CGeoDateObs::kLat], 35.25) << "latitude is the first of the triple";
    EXPECT_EQ(obs.m_dLocation[4][CGeoDateObs::kHeight], 40.0) << "height is the third";
    EXPECT_EQ(obs.GetLongitude(), 139.5);

    obs.UpdateLocationObjectByUI(6, 1);  // Jupiter shows kilometres
    obs.UpdateObsByUI(10.0, -5.0, 2.5);
    EXPECT_EQ(obs.m_dLocation[6][CGeoDateObs::kHeight], 2500.0) << "kilometres not turned into metres";
    EXPECT_EQ(obs.m_dLocation[4][CGeoDateObs::kHeight], 40.0) << "another body's place changed";
    obs.UpdateObsByUI(11.0, -6.0, 3000.0, -3.5);
    EXPECT_EQ(obs.m_dLocation[6][CGeoDateObs::kHeight], 3000.0) << "the four-value form takes metres";
    EXPECT_EQ(obs.m_dUserTimeZone, -3.5);
    obs.UpdateLocationObjectByUI(15, 1);
    EXPECT_EQ(obs.m_nLocationObject, 6) << "an unknown body was taken";

}
