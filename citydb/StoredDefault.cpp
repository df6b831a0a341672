#include <citydb/StoredDefault.h>

#include <citydb/CityText.h>

#include <cmath>
#include <cwchar>
#include <string>

namespace {

class CReader {
public:
    explicit CReader(const CString& str) : m_p(str.GetString()), m_pEnd(m_p + str.GetLength()) {}

    // A number: optional sign, digits with an optional '.', an optional exponent; finite.
    bool Number(double& d)
    {
        SkipSpace();
        const wchar_t* pStart = m_p;
        if (m_p < m_pEnd && (*m_p == L'+' || *m_p == L'-'))
            ++m_p;
        const bool bDigits = Digits();
        const bool bFraction = m_p < m_pEnd && *m_p == L'.' && (++m_p, Digits());
        if (!bDigits && !bFraction)
            return false;
        if (m_p < m_pEnd && (*m_p == L'e' || *m_p == L'E')) {
            const wchar_t* pExp = m_p++;
            if (m_p < m_pEnd && (*m_p == L'+' || *m_p == L'-'))
                ++m_p;
            if (!Digits())
                m_p = pExp;  // "1e" is the number 1 followed by text
        }
        d = std::wcstod(std::wstring(pStart, m_p).c_str(), nullptr);
        return std::isfinite(d);
    }
    bool Text(const wchar_t* psz)
    {
        SkipSpace();
        const size_t n = std::wcslen(psz);
        if (static_cast<size_t>(m_pEnd - m_p) < n || std::wcsncmp(m_p, psz, n) != 0)
            return false;
        m_p += n;
        return true;
    }
    bool AtEnd()
    {
        SkipSpace();
        return m_p == m_pEnd;
    }

private:
    void SkipSpace()
    {
        while (m_p < m_pEnd && CityIsSpace(*m_p))
            ++m_p;
    }
    bool Digits()
    {
        const wchar_t* pStart = m_p;
        while (m_p < m_pEnd && *m_p >= L'0' && *m_p <= L'9')
            ++m_p;
        return m_p > pStart;
    }

    const wchar_t* m_p;
    const wchar_t* m_pEnd;
};

bool Within(double d, double dLow, double dHigh)
{
    return d >= dLow && d <= dHigh;
}

}  // namespace

bool ParseStoredDefault(const CString& strLocation, const CString& strTz, const CStoredDefaultLimits& limits,
                        CStoredDefault& out)
{
    CStoredDefault read;
    CReader location(strLocation), tz(strTz);
    if (!(location.Text(L"location") && location.Text(L"(") && location.Number(read.dLng) && location.Text(L",")
          && location.Number(read.dLat) && location.Text(L",") && location.Number(read.dAlt) && location.Text(L")")
          && location.AtEnd() && tz.Number(read.dTz) && tz.AtEnd()))
        return false;
    if (!Within(read.dLng, -limits.dLngMax, limits.dLngMax) || !Within(read.dLat, -90.0, 90.0)
        || !Within(read.dAlt, limits.dAltLow, limits.dAltHigh) || !Within(read.dTz, -14.0, 14.0))
        return false;
    out = read;
    return true;
}
