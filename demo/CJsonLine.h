#pragma once

#include <afx/CString.h>

#include <string>

// One JSON object written as a line of UTF-8 text, keys in the order they are added. Numbers
// keep what the call carried: a double is written with the fewest digits that read back to the
// same value, so 139.691772 stays 139.691772 and 4.0 is 4.
class CJsonLine {
public:
    CJsonLine& Str(const char* key, const CString& value);
    CJsonLine& Num(const char* key, double value);
    CJsonLine& Int(const char* key, long long value);
    CJsonLine& Bool(const char* key, bool value);
    CJsonLine& Null(const char* key);
    // A value that is already JSON text (an array or an object).
    CJsonLine& Raw(const char* key, const std::string& json);

    // The object's text, without a line end.
    std::string Text() const { return "{" + m_body + "}"; }

    static std::string Quote(const CString& text);
    static std::string Number(double value);
    // Bytes as lower-case hex, two digits each.
    static std::string Hex(const unsigned char* bytes, size_t size);

private:
    CJsonLine& Add(const char* key, const std::string& json);

    std::string m_body;
};
