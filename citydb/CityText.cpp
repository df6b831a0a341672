#include <citydb/CityText.h>

#include <afx/AnsiCodePage.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

bool CityIsSpace(wchar_t ch)
{
    return (ch >= 0x09 && ch <= 0x0D) || ch == 0x20 || ch == 0x85 || ch == 0xA0 || ch == 0x1680
        || (ch >= 0x2000 && ch <= 0x200A) || ch == 0x2028 || ch == 0x2029 || ch == 0x202F
        || ch == 0x205F || ch == 0x3000;
}

static bool IsDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

double CityWtof(const wchar_t* p, const wchar_t* pEnd)
{
    while (p < pEnd && CityIsSpace(*p))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == L'+' || *p == L'-'))
        bNegative = *p++ == L'-';

    // The accepted prefix, in ASCII for from_chars (which is locale-independent).
    std::string text;
    bool bDigits = false;
    while (p < pEnd && IsDigit(*p)) {
        text += static_cast<char>(*p++);
        bDigits = true;
    }
    if (p < pEnd && *p == L'.') {
        text += '.';
        ++p;
        while (p < pEnd && IsDigit(*p)) {
            text += static_cast<char>(*p++);
            bDigits = true;
        }
    }
    if (!bDigits)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (p < pEnd && (*p == L'e' || *p == L'E')) {
        const wchar_t* q = p + 1;
        std::string exponent = "e";
        if (q < pEnd && (*q == L'+' || *q == L'-'))
            exponent += static_cast<char>(*q++);
        if (q < pEnd && IsDigit(*q)) {
            while (q < pEnd && IsDigit(*q))
                exponent += static_cast<char>(*q++);
            text += exponent;
        }
    }
    double d = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
    (void)ptr;
    if (ec != std::errc())
        return 0.0;
    return bNegative ? -d : d;
}

double CityWtof(const CString& str)
{
    const wchar_t* p = str.GetString();
    return CityWtof(p, p + str.GetLength());
}

int CityWtoi(const wchar_t* p, const wchar_t* pEnd)
{
    while (p < pEnd && CityIsSpace(*p))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == L'+' || *p == L'-'))
        bNegative = *p++ == L'-';
    long long n = 0;
    while (p < pEnd && IsDigit(*p)) {
        if (n <= static_cast<long long>(INT_MAX) + 1)
            n = n * 10 + (*p - L'0');
        ++p;
    }
    if (bNegative)
        n = -n;
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return static_cast<int>(n);
}

int CityWtoi(const CString& str)
{
    const wchar_t* p = str.GetString();
    return CityWtoi(p, p + str.GetLength());
}

double CityParseHemisphere(const wchar_t* p, const wchar_t* pEnd, wchar_t chNegative)
{
    if (p >= pEnd)
        return 0.0;
    wchar_t chLetter = pEnd[-1];
    double d = CityWtof(p, pEnd - 1);
    wchar_t chLower = (chNegative >= L'A' && chNegative <= L'Z') ? chNegative + (L'a' - L'A') : chNegative;
    return (chLetter == chNegative || chLetter == chLower) ? -d : d;
}

double CityParseHemisphere(const CString& str, wchar_t chNegative)
{
    const wchar_t* p = str.GetString();
    return CityParseHemisphere(p, p + str.GetLength(), chNegative);
}

int CityTruncToInt(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= 2147483647.0)
        return INT_MAX;
    if (d <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(d);
}

std::string CityAnsiName(const CString& strName)
{
    std::wstring wide = strName.wstr();
    for (wchar_t& ch : wide) {
        if (ch < 0x20 || ch == 0x7F)
            ch = L' ';
    }
    return AnsiFromWide(wide);
}

std::string CityCutName(const CString& strName, int nMaxBytes)
{
    std::string ansi = CityAnsiName(strName);
    size_t nMax = nMaxBytes > 0 ? static_cast<size_t>(nMaxBytes) : 0;
    if (ansi.size() <= nMax)
        return ansi;
    size_t i = 0;
    while (i < ansi.size()) {
        size_t nChar = (AfxIsAnsiLeadByte(static_cast<unsigned char>(ansi[i])) && i + 1 < ansi.size()) ? 2 : 1;
        if (i + nChar > nMax)
            break;
        i += nChar;
    }
    ansi.resize(i);
    return ansi;
}

std::vector<CString> CitySplitFields(const CString& strText)
{
    std::vector<CString> fields;
    const std::wstring& text = strText.wstr();
    size_t nStart = 0;
    for (;;) {
        size_t nComma = text.find(L',', nStart);
        if (nComma == std::wstring::npos) {
            fields.emplace_back(text.substr(nStart));
            return fields;
        }
        fields.emplace_back(text.substr(nStart, nComma - nStart));
        nStart = nComma + 1;
    }
}
