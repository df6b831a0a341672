#include <citydb/MapViewScale.h>

#include <citydb/CityText.h>

#include <cmath>
#include <string>

double SliderPosToViewAngle(int nPos)
{
    return std::pow(nPos / 200.0, 2.668378) * 178.0 + 2.0;
}

double SliderPosToMag(int nPos)
{
    const double dMag = (200 - nPos) / 200.0;
    return dMag < 0.0 ? 0.0 : (dMag > 1.0 ? 1.0 : dMag);
}

bool MagToSliderPos(double dMag, double& dViewAngle, int& nPos)
{
    if (!std::isfinite(dMag) || dMag <= 0.0)
        return false;
    dViewAngle = 180.0 / dMag;
    // Outside 2..180 degrees the power below has no meaning; the ends of the trackbar stand.
    double dRatio = (dViewAngle - 2.0) / 178.0;
    if (dRatio < 0.0)
        dRatio = 0.0;
    if (dRatio > 1.0)
        dRatio = 1.0;
    nPos = static_cast<int>(200.0 - std::pow(dRatio, 0.37475949809209935) * 200.0);
    if (nPos < kSliderMin)
        nPos = kSliderMin;
    if (nPos > kSliderMax)
        nPos = kSliderMax;
    return true;
}

unsigned ParseEclipseColor(const wchar_t* pszReply)
{
    std::wstring str = pszReply ? pszReply : L"";
    str = str.size() > 4 ? str.substr(4) : std::wstring();
    // The text up to cEnd, and the rest behind it (all of it when cEnd is missing, as a
    // missing separator reads an empty part and keeps the text).
    auto take = [&str](wchar_t cEnd) {
        const size_t nPos = str.find(cEnd);
        if (nPos == std::wstring::npos)
            return std::wstring();
        std::wstring part = str.substr(0, nPos);
        str.erase(0, nPos + 1);
        return part;
    };
    auto skipSeparators = [&str]() {
        const size_t nPos = str.find_first_not_of(L", ");
        str.erase(0, nPos == std::wstring::npos ? str.size() : nPos);
    };
    const std::wstring strRed = take(L',');
    skipSeparators();
    const std::wstring strGreen = take(L',');
    skipSeparators();
    const std::wstring strBlue = take(L')');
    const unsigned r = static_cast<unsigned>(CityWtoi(strRed.c_str())) & 0xFF;
    const unsigned g = static_cast<unsigned>(CityWtoi(strGreen.c_str())) & 0xFF;
    const unsigned b = static_cast<unsigned>(CityWtoi(strBlue.c_str())) & 0xFF;
    return r | (g << 8) | (b << 16);
}
