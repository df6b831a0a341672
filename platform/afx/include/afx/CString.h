#pragma once

#include <afx/afxdefs.h>

#include <cstdarg>
#include <string>
#include <type_traits>

class CStringA;

// GCC would pass a string object through "..." by hidden reference, so Format(L"%s", str)
// would print garbage; make that a compile error. Pass GetString() instead.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic error "-Wconditionally-supported"
#endif

// The framework's wide string: a value type over std::wstring (UTF-16 on Windows, UTF-32
// natively). Positions and lengths are in wchar_t units and are clamped like the framework's
// (a negative count is 0, a count past the end stops at the end).
class AFX_API CString {
public:
    CString() = default;
    CString(const wchar_t* psz);               // null gives an empty string
    CString(const wchar_t* pch, int nLength);  // null or nLength <= 0 gives an empty string
    CString(const std::wstring& str);
    CString(std::wstring&& str) noexcept;
    CString(wchar_t ch, int nRepeat = 1);
    // From text in the ANSI code page.
    explicit CString(const char* psz);
    explicit CString(const CStringA& str);

    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* psz);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const std::wstring& wstr() const { return m_str; }

    // Out-of-range positions throw CInvalidArgException*.
    wchar_t GetAt(int i) const;
    void SetAt(int i, wchar_t ch);
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    wchar_t operator[](I i) const { return GetAt(static_cast<int>(i)); }

    CString& operator+=(const CString& str);
    CString& operator+=(const wchar_t* psz);
    CString& operator+=(wchar_t ch);

    // <0, 0 or >0. CompareNoCase folds ASCII, Latin-1 and full-width Latin letters.
    int Compare(const wchar_t* psz) const;
    int CompareNoCase(const wchar_t* psz) const;

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;

    // Position of the first match at or after iStart, or -1.
    int Find(wchar_t ch, int iStart = 0) const;
    int Find(const wchar_t* pszSub, int iStart = 0) const;
    // Position of the last occurrence, or -1.
    int ReverseFind(wchar_t ch) const;

    // Number of replacements made.
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);

    // White space is the Unicode space set (tab to CR, space, U+0085, U+00A0, U+1680,
    // U+2000-U+200A, U+2028, U+2029, U+202F, U+205F, U+3000), the same in both builds.
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(const wchar_t* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(const wchar_t* pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(const wchar_t* pszTargets);

    // printf formatting through FormatTextV (%s takes const wchar_t*; pass GetString()).
    void Format(const wchar_t* pszFormat, ...);
    // The format is a string-table entry; an entry that cannot be loaded leaves the string empty.
    void Format(UINT nFormatID, ...);
    void AppendFormat(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormatV(const wchar_t* pszFormat, va_list args);

    // Loads a string-table entry through the resource chain. FALSE (string unchanged) when
    // there is none; natively there are no resources and it always returns FALSE.
    BOOL LoadString(UINT nID);

private:
    std::wstring m_str;
};

AFX_API CString operator+(const CString& a, const CString& b);
AFX_API CString operator+(const CString& a, const wchar_t* b);
AFX_API CString operator+(const wchar_t* a, const CString& b);
AFX_API CString operator+(const CString& a, wchar_t b);
AFX_API CString operator+(wchar_t a, const CString& b);

AFX_API bool operator==(const CString& a, const CString& b);
AFX_API bool operator==(const CString& a, const wchar_t* b);
AFX_API bool operator==(const wchar_t* a, const CString& b);
AFX_API bool operator!=(const CString& a, const CString& b);
AFX_API bool operator!=(const CString& a, const wchar_t* b);
AFX_API bool operator!=(const wchar_t* a, const CString& b);
AFX_API bool operator<(const CString& a, const CString& b);
AFX_API bool operator<(const CString& a, const wchar_t* b);
AFX_API bool operator<(const wchar_t* a, const CString& b);
