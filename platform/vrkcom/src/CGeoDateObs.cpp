#include <vrkcom/CGeoDateObs.h>

CString CGeoDateObs::Call::Text() const
{
    CString text = strName + L"(";
    for (size_t i = 0; i < args.size(); ++i)
        text.AppendFormat(i ? L", %g" : L"%g", args[i]);
    return text + L")";
}

CGeoDateObs::CGeoDateObs()
    : m_nLocationObject(kEarth), m_dLocation{}, m_nTimeSystem(0), m_dUserTimeZone(0.0)
{
}

CGeoDateObs::~CGeoDateObs() = default;

void CGeoDateObs::Record(const wchar_t* name, std::vector<double> args)
{
    m_calls.push_back(Call{CString(name), std::move(args)});
}

void CGeoDateObs::Place(double lng, double lat, double metres)
{
    if (!ValidBody(m_nLocationObject))
        return;
    double* loc = m_dLocation[m_nLocationObject];
    loc[kLat] = lat;
    loc[kLng] = lng;
    loc[kHeight] = metres;
}

void CGeoDateObs::UpdateObsByUI(double lng, double lat, double alt)
{
    Record(L"UpdateObsByUI", {lng, lat, alt});
    Place(lng, lat, IsSmallObject(m_nLocationObject) ? alt : alt * 1000.0);
}

void CGeoDateObs::UpdateObsByUI(double lng, double lat, double alt, double tz)
{
    Record(L"UpdateObsByUI", {lng, lat, alt, tz});
    m_dUserTimeZone = tz;
    Place(lng, lat, alt);
}

void CGeoDateObs::UpdateLocationObjectByUI(int nBody, int nFlag)
{
    Record(L"UpdateLocationObjectByUI", {double(nBody), double(nFlag)});
    if (ValidBody(nBody))
        m_nLocationObject = nBody;
}

void CGeoDateObs::UpdateDateDisp(int nFlag)
{
    Record(L"UpdateDateDisp", {double(nFlag)});
}

double CGeoDateObs::GetLongitude() const
{
    return ValidBody(m_nLocationObject) ? m_dLocation[m_nLocationObject][kLng] : 0.0;
}

double CGeoDateObs::GetLMTTz(double lng) const
{
    return lng / 15.0;
}

BOOL CGeoDateObs::IsSmallObject(int nBody) const
{
    // Sun, Jupiter, Saturn, Uranus, Neptune.
    return !(nBody == 0 || (nBody >= 6 && nBody <= 9));
}
