#pragma once

#include <vrkcom/CGeoDateObs.h>

#include <functional>

// The demo's observer: tells the host of every call that changes it, with its arguments as
// they came. The dialog writes the user time zone as a field just before it calls
// UpdateDateDisp; that write is told as the call "m_dUserTimeZone" with the new hours.
class CDemoObserver : public CGeoDateObs {
public:
    std::function<void(const Call&)> m_onCall;

    void UpdateObsByUI(double lng, double lat, double alt) override;
    void UpdateObsByUI(double lng, double lat, double alt, double tz) override;
    void UpdateLocationObjectByUI(int nBody, int nFlag) override;
    void UpdateDateDisp(int nFlag) override;

    // What the observer was last told or set to; the host calls it after changing the fields.
    void Remember() { m_dToldTimeZone = m_dUserTimeZone; }

private:
    void Tell();

    double m_dToldTimeZone = 0.0;
};
