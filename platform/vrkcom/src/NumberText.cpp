#include <vrkcom/NumberText.h>

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

// The longest prefix of text (after white space) that reads as a number: sign, digits and, when
// allowDot, one '.' with more digits. digits tells whether it holds any digit; end is where it
// stops.
struct Scan {
    size_t begin = 0;
    size_t end = 0;
    bool digits = false;
};

Scan ScanNumber(const std::wstring& s, bool allowDot)
{
    Scan r;
    size_t i = 0;
    while (i < s.size() && std::iswspace(s[i]))
        ++i;
    r.begin = i;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        ++i;
    while (i < s.size() && s[i] >= L'0' && s[i] <= L'9') {
        ++i;
        r.digits = true;
    }
    if (allowDot && i < s.size() && s[i] == L'.') {
        ++i;
        while (i < s.size() && s[i] >= L'0' && s[i] <= L'9') {
            ++i;
            r.digits = true;
        }
    }
    r.end = i;
    return r;
}

bool OnlySpaceFrom(const std::wstring& s, size_t i)
{
    for (; i < s.size(); ++i)
        if (!std::iswspace(s[i]))
            return false;
    return true;
}

// The number as plain ASCII for the C conversions ("12." and "-.5" are fine for strtod).
std::string Ascii(const std::wstring& s, const Scan& sc)
{
    std::string out;
    for (size_t i = sc.begin; i < sc.end; ++i)
        out += static_cast<char>(s[i]);
    return out;
}

}  // namespace

int VrkParseIntLenient(const CString& text)
{
    const std::wstring& s = text.wstr();
    const Scan sc = ScanNumber(s, false);
    if (!sc.digits)
        return 0;
    const long long v = std::strtoll(Ascii(s, sc).c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

double VrkParseDoubleLenient(const CString& text)
{
    const std::wstring& s = text.wstr();
    const Scan sc = ScanNumber(s, true);
    if (!sc.digits)
        return 0.0;
    return std::strtod(Ascii(s, sc).c_str(), nullptr);
}

BOOL VrkIsCompleteInt(const CString& text)
{
    const Scan sc = ScanNumber(text.wstr(), false);
    return sc.digits && OnlySpaceFrom(text.wstr(), sc.end);
}

BOOL VrkIsCompleteDouble(const CString& text)
{
    const Scan sc = ScanNumber(text.wstr(), true);
    return sc.digits && OnlySpaceFrom(text.wstr(), sc.end);
}

BOOL VrkTextMeansInt(const CString& text, int value)
{
    return VrkIsCompleteInt(text) && VrkParseIntLenient(text) == value;
}

BOOL VrkTextMeansDouble(const CString& text, double value, const wchar_t* fmt)
{
    if (!VrkIsCompleteDouble(text))
        return FALSE;
    CString shown, typed;
    shown.Format(fmt, value);
    typed.Format(fmt, VrkParseDoubleLenient(text));
    return shown == typed;
}

BOOL VrkIsDoubleFormat(const wchar_t* fmt)
{
    if (!fmt)
        return FALSE;
    int conversions = 0;
    for (const wchar_t* p = fmt; *p; ++p) {
        if (*p != L'%')
            continue;
        ++p;
        if (*p == L'%')
            continue;
        while (*p && wcschr(L"-+ #0", *p))
            ++p;
        while (*p >= L'0' && *p <= L'9')
            ++p;
        if (*p == L'.') {
            ++p;
            while (*p >= L'0' && *p <= L'9')
                ++p;
        }
        if (!*p || !wcschr(L"feEgG", *p))
            return FALSE;
        ++conversions;
    }
    return conversions == 1;
}
