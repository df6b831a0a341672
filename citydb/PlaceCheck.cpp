#include <citydb/CPlaceFields.h>

#include <citydb/CityName.h>
#include <citydb/CoordFields.h>

CString CPlaceFields::Check()
{
    m_strName.Trim();
    const double dLon = CombineAngle(m_nLonDeg, m_nLonMin, m_dLonSec, 0);
    const double dLat = CombineAngle(m_nLatDeg, m_nLatMin, m_dLatSec, 0);
    const double dTz = CombineTimeZone(m_nTzHour, m_nTzMin, 0);
    const CString strUnstorable = m_strName.IsEmpty() ? CString() : CityNameRefusal(m_strName, L"都市名");
    const struct {
        bool bFails;
        CString strMessage;
    } checks[] = {
        {m_strName.IsEmpty(), L"都市名を入力してください。\n"},
        {!strUnstorable.IsEmpty(), strUnstorable},
        {dLon < 0.0 || dLon > 180.0, L"経度には 0.0 から 180.0 までの値を入力してください\n"},
        {m_nLonMin < 0 || m_nLonMin > 59, L"経度の分には 0 から 59 までの値を入力してください\n"},
        {m_dLonSec < 0.0 || m_dLonSec > 59.9, L"経度の秒には 0 から 59.9 までの値を入力してください\n"},
        {dLat < 0.0 || dLat > 90.0, L"緯度には 0.0 から 90.0 までの値を入力してください\n"},
        {m_nLatMin < 0 || m_nLatMin > 59, L"緯度の分には 0 から 59 までの値を入力してください\n"},
        {m_dLatSec < 0.0 || m_dLatSec > 59.9, L"緯度の秒には 0 から 59.9 までの値を入力してください\n"},
        {m_dAlt < -9999.0 || m_dAlt > 999999.0, L"標高には -9999 から 999999 までの値を入力してください\n"},
        {dTz < 0.0 || dTz > 14.0, L"タイムゾーンには 0 から 14 までの値を入力してください\n"},
        {m_nTzMin < 0 || m_nTzMin > 59, L"タイムゾーンの分には 0 から 59 までの値を入力してください\n"},
    };
    CString strText;
    for (const auto& check : checks) {
        if (check.bFails)
            strText += check.strMessage;
    }
    return strText;
}
