#include <citydb/PlaceCheck.h>

#include <citydb/CityName.h>

CString CheckPlace(CString& strName, const CCoordFields& f)
{
    strName.Trim();
    const double dLon = CombineAngle(f.nLngDeg, f.nLngMin, f.dLngSec, 0);
    const double dLat = CombineAngle(f.nLatDeg, f.nLatMin, f.dLatSec, 0);
    const double dTz = CombineTimeZone(f.nTzHour, f.nTzMin, 0);
    const CString strUnstorable = strName.IsEmpty() ? CString() : CityNameRefusal(strName, L"都市名");
    const struct {
        bool bFails;
        CString strMessage;
    } checks[] = {
        {strName.IsEmpty(), L"都市名を入力してください。\n"},
        {!strUnstorable.IsEmpty(), strUnstorable},
        {dLon < 0.0 || dLon > 180.0, L"経度には 0.0 から 180.0 までの値を入力してください\n"},
        {f.nLngMin < 0 || f.nLngMin > 59, L"経度の分には 0 から 59 までの値を入力してください\n"},
        {f.dLngSec < 0.0 || f.dLngSec > 59.9, L"経度の秒には 0 から 59.9 までの値を入力してください\n"},
        {dLat < 0.0 || dLat > 90.0, L"緯度には 0.0 から 90.0 までの値を入力してください\n"},
        {f.nLatMin < 0 || f.nLatMin > 59, L"緯度の分には 0 から 59 までの値を入力してください\n"},
        {f.dLatSec < 0.0 || f.dLatSec > 59.9, L"緯度の秒には 0 から 59.9 までの値を入力してください\n"},
        {f.dAlt < -9999.0 || f.dAlt > 999999.0, L"標高には -9999 から 999999 までの値を入力してください\n"},
        {dTz < 0.0 || dTz > 14.0, L"タイムゾーンには 0 から 14 までの値を入力してください\n"},
        {f.nTzMin < 0 || f.nTzMin > 59, L"タイムゾーンの分には 0 から 59 までの値を入力してください\n"},
    };
    CString strText;
    for (const auto& check : checks) {
        if (check.bFails)
            strText += check.strMessage;
    }
    return strText;
}
