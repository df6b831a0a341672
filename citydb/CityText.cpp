#include <citydb/CityText.h>

#include <afx/AnsiCodePage.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

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

    // The accepted prefix, in ASCII for from_chars (which is locale-independent); on the way
    // the digits are also gathered for the exact short path below.
    char text[64];
    size_t nText = 0;
    std::string longText;
    auto put = [&](char ch) {
        if (nText < sizeof(text))
            text[nText] = ch;
        else if (nText == sizeof(text))
            longText.assign(text, nText), longText += ch;
        else
            longText += ch;
        ++nText;
    };
    unsigned long long nMantissa = 0;
    int nDigits = 0;       // significant digits gathered into nMantissa
    int nFraction = 0;     // of them after the point
    bool bExact = true;    // nMantissa holds every digit read
    bool bAnyDigit = false;
    auto digit = [&](wchar_t ch, bool bAfterPoint) {
        put(static_cast<char>(ch));
        bAnyDigit = true;
        if (nDigits == 0 && ch == L'0' && !bAfterPoint)
            return;  // leading zeros of the integer part
        if (nDigits < 15) {
            nMantissa = nMantissa * 10 + static_cast<unsigned>(ch - L'0');
            ++nDigits;
            if (bAfterPoint)
                ++nFraction;
        } else {
            bExact = false;
        }
    };
    while (p < pEnd && IsDigit(*p))
        digit(*p++, false);
    if (p < pEnd && *p == L'.') {
        put('.');
        ++p;
        while (p < pEnd && IsDigit(*p))
            digit(*p++, true);
    }
    if (!bAnyDigit)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (p < pEnd && (*p == L'e' || *p == L'E')) {
        const wchar_t* q = p + 1;
        bool bSign = q < pEnd && (*q == L'+' || *q == L'-');
        if (q + (bSign ? 1 : 0) < pEnd && IsDigit(q[bSign ? 1 : 0])) {
            bExact = false;
            put('e');
            if (bSign)
                put(static_cast<char>(*q++));
            while (q < pEnd && IsDigit(*q))
                put(static_cast<char>(*q++));
        }
    }
    double d = 0.0;
    if (bExact && nFraction <= 22) {
        // Both operands are exact doubles (below 2^53 and 10^22), so one division rounds
        // correctly, as from_chars would.
        static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        d = static_cast<double>(nMantissa) / kPow10[nFraction];
    } else {
        const char* pBegin = nText <= sizeof(text) ? text : longText.data();
        auto [ptr, ec] = std::from_chars(pBegin, pBegin + nText, d);
        (void)ptr;
        if (ec != std::errc())
            return 0.0;
    }
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

void CityWideLine(const char* pLine, const char* pLineEnd, std::wstring& strLine)
{
    // A byte makes at most one wide character (a converter that made more gets room below).
    strLine.resize(static_cast<size_t>(pLineEnd - pLine));
    size_t nOut = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pLine);
    const unsigned char* const pEnd = reinterpret_cast<const unsigned char*>(pLineEnd);
    while (p < pEnd) {
        // ASCII stands for itself in every ANSI code page; eight bytes at a time while it lasts.
        if (pEnd - p >= 8) {
            std::uint64_t nEight = 0;
            std::memcpy(&nEight, p, 8);
            if ((nEight & 0x8080808080808080u) == 0) {
                for (int i = 0; i < 8; ++i)
                    strLine[nOut + i] = p[i];
                p += 8;
                nOut += 8;
                continue;
            }
        }
        if (*p < 0x80) {
            strLine[nOut++] = *p++;
            continue;
        }
        // From here to the end of the line's last character beyond ASCII (inside a character at
        // the line's end if need be) in one conversion, the ASCII between them along: it starts
        // and ends on character boundaries, so it reads as converting the whole line would.
        const unsigned char* q = p;
        for (const unsigned char* r = p; r < pEnd;) {
            if (*r < 0x80) {
                ++r;
                continue;
            }
            r += AfxIsAnsiLeadByte(*r) ? 2 : 1;
            q = r;
        }
        q = std::min(q, pEnd);
        const std::wstring wide = WideFromAnsi(std::string(p, q));
        if (wide.size() > static_cast<size_t>(q - p))
            strLine.resize(strLine.size() + wide.size() - static_cast<size_t>(q - p));
        std::copy(wide.begin(), wide.end(), strLine.begin() + static_cast<std::ptrdiff_t>(nOut));
        nOut += wide.size();
        p = q;
    }
    strLine.resize(nOut);
}
