#pragma once

#include <afx/afxdefs.h>

#include <cstdarg>
#include <string>
#include <type_traits>

class CString;

// GCC would pass a string object through "..." by hidden reference, so Format(L"%s", str)
// would print garbage; make that a compile error. Pass GetString() instead.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic error "-Wconditionally-supported"
#endif

// Narrow text in the ANSI code page, a value type over std::string. Positions and lengths
// count bytes; searching, replacing and case mapping step over two-byte characters whole, so
// that a trail byte such as 0x5C in 表 (95 5C) is never taken for '\'.
class AFX_API CStringA {
public:
    CStringA() = default;
    CStringA(const char* psz);               // null gives an empty string
    CStringA(const char* pch, int nLength);  // null or nLength <= 0 gives an empty string
    CStringA(const std::string& str);
    CStringA(std::string&& str) noexcept;
    CStringA(char ch, int nRepeat = 1);
    // To the ANSI code page; characters it cannot hold become '?'.
    explicit CStringA(const CString& str);
    explicit CStringA(const wchar_t* psz);

    CStringA(const CStringA&) = default;
    CStringA(CStringA&&) noexcept = default;
    CStringA& operator=(const CStringA&) = default;
    CStringA& operator=(CStringA&&) noexcept = default;
    CStringA& operator=(const char* psz);
    CStringA& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // Out-of-range positions throw CInvalidArgException*.
    char GetAt(int i) const;
    void SetAt(int i, char ch);
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    char operator[](I i) const { return GetAt(static_cast<int>(i)); }

    CStringA& operator+=(const CStringA& str);
    CStringA& operator+=(const char* psz);
    CStringA& operator+=(char ch);

    // <0, 0 or >0 by bytes. CompareNoCase folds ASCII letters outside two-byte characters.
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    CStringA Left(int nCount) const;
    CStringA Right(int nCount) const;
    CStringA Mid(int iFirst) const;
    CStringA Mid(int iFirst, int nCount) const;

    int Find(char ch, int iStart = 0) const;
    int Find(const char* pszSub, int iStart = 0) const;
    int ReverseFind(char ch) const;

    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);

    // White space: tab to CR and the space.
    CStringA& Trim();
    CStringA& Trim(char chTarget);
    CStringA& Trim(const char* pszTargets);
    CStringA& TrimLeft();
    CStringA& TrimLeft(char chTarget);
    CStringA& TrimLeft(const char* pszTargets);
    CStringA& TrimRight();
    CStringA& TrimRight(char chTarget);
    CStringA& TrimRight(const char* pszTargets);

    // printf formatting through FormatTextV (%s takes const char*, %ls const wchar_t*).
    void Format(const char* pszFormat, ...);
    void AppendFormat(const char* pszFormat, ...);
    void FormatV(const char* pszFormat, va_list args);
    void AppendFormatV(const char* pszFormat, va_list args);

private:
    std::string m_str;
};

AFX_API CStringA operator+(const CStringA& a, const CStringA& b);
AFX_API CStringA operator+(const CStringA& a, const char* b);
AFX_API CStringA operator+(const char* a, const CStringA& b);
AFX_API CStringA operator+(const CStringA& a, char b);
AFX_API CStringA operator+(char a, const CStringA& b);

AFX_API bool operator==(const CStringA& a, const CStringA& b);
AFX_API bool operator==(const CStringA& a, const char* b);
AFX_API bool operator==(const char* a, const CStringA& b);
AFX_API bool operator!=(const CStringA& a, const CStringA& b);
AFX_API bool operator!=(const CStringA& a, const char* b);
AFX_API bool operator!=(const char* a, const CStringA& b);
AFX_API bool operator<(const CStringA& a, const CStringA& b);
AFX_API bool operator<(const CStringA& a, const char* b);
AFX_API bool operator<(const char* a, const CStringA& b);
