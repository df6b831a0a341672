#include "CJsonLine.h"

#include <citydb/Utf8Text.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>


CJsonLine& CJsonLine::Add(const char* key, const std::string& json)
{
    if (!m_body.empty())
        m_body += ',';
    m_body += '"';
    m_body += key;
    m_body += "\":";
    m_body += json;
    return *this;
}

CJsonLine& CJsonLine::Str(const char* key, const CString& value) { return Add(key, Quote(value)); }
CJsonLine& CJsonLine::Num(const char* key, double value) { return Add(key, Number(value)); }
CJsonLine& CJsonLine::Int(const char* key, long long value) { return Add(key, std::to_string(value)); }
CJsonLine& CJsonLine::Bool(const char* key, bool value) { return Add(key, value ? "true" : "false"); }
CJsonLine& CJsonLine::Null(const char* key) { return Add(key, "null"); }
CJsonLine& CJsonLine::Raw(const char* key, const std::string& json) { return Add(key, json); }

std::string CJsonLine::Quote(const CString& text)
{
    std::wstring escaped = L"\"";
    for (const wchar_t c : text.wstr()) {
        if (c == L'"' || c == L'\\') {
            escaped += L'\\';
            escaped += c;
        } else if (c < 0x20) {
            wchar_t buf[8];
            std::swprintf(buf, 8, L"\\u%04x", static_cast<unsigned>(c));
            escaped += buf;
        } else {
            escaped += c;
        }
    }
    return CityUtf8FromWide(escaped + L"\"");
}

std::string CJsonLine::Number(double value)
{
    if (!std::isfinite(value))
        return "null";
    // The fewest digits that read back as the same double, but never fewer than the integer
    // part has: %g with one digit writes 40 as "4e+01".
    const double magnitude = std::fabs(value);
    const int intDigits = magnitude < 1 ? 1 : magnitude >= 1e17 ? 17 : static_cast<int>(std::log10(magnitude)) + 1;
    char buf[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits < intDigits ? intDigits : digits, value);
        if (std::strtod(buf, nullptr) == value)
            break;
    }
    return buf;
}

std::string CJsonLine::Hex(const unsigned char* bytes, size_t size)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}
