#include "CJsonLine.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <windows.h>

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
    std::string out = "\"";
    for (int i = 0; i < text.GetLength(); ++i) {
        const wchar_t c = text[i];
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            // A surrogate pair goes over as one character.
            const int n = (c >= 0xD800 && c < 0xDC00 && i + 1 < text.GetLength()) ? 2 : 1;
            char buf[8];
            const int len = WideCharToMultiByte(CP_UTF8, 0, text.GetString() + i, n, buf,
                                                sizeof buf, nullptr, nullptr);
            out.append(buf, static_cast<size_t>(len > 0 ? len : 0));
            i += n - 1;
        }
    }
    return out + "\"";
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
