#include "CDemoObserver.h"

void CDemoObserver::Tell()
{
    if (m_onCall)
        m_onCall(m_calls.back());
    Remember();
}

void CDemoObserver::UpdateObsByUI(double lng, double lat, double alt)
{
    CGeoDateObs::UpdateObsByUI(lng, lat, alt);
    Tell();
}

void CDemoObserver::UpdateObsByUI(double lng, double lat, double alt, double tz)
{
    CGeoDateObs::UpdateObsByUI(lng, lat, alt, tz);
    Tell();
}

void CDemoObserver::UpdateLocationObjectByUI(int nBody, int nFlag)
{
    CGeoDateObs::UpdateLocationObjectByUI(nBody, nFlag);
    Tell();
}

void CDemoObserver::UpdateDateDisp(int nFlag)
{
    if (m_dUserTimeZone != m_dToldTimeZone && m_onCall)
        m_onCall(Call{L"m_dUserTimeZone", {m_dUserTimeZone}});
    CGeoDateObs::UpdateDateDisp(nFlag);
    Tell();
}
