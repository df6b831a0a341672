#pragma once

#include <afx/afxdefs.h>
#include <afx/TextFormat.h>

#include <cstdarg>
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

// GCC would pass a string object through "..." by hidden reference, so Format(L"%s", str)
// would print garbage; make that a compile error. Pass GetString() instead.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic error "-Wconditionally-supported"
#endif

template <typename Ch>
class CStringT;
// The framework's wide string: UTF-16 on Windows, UTF-32 natively.
using CString = CStringT<wchar_t>;
// Narrow text in the ANSI code page.
using CStringA = CStringT<char>;

// A string-table entry through the resource chain; FALSE (rString untouched) when there is
// none. Natively there are no resources and it always returns FALSE.
AFX_API BOOL AfxLoadString(UINT nID, CString& rString);

// The framework's strings, written once over the character unit: a value type over
// std::basic_string. Positions and lengths count units and are clamped like the framework's (a
// negative count is 0, a count past the end stops at the end). Narrow text is walked by
// character: searching, replacing and case mapping step over two-byte characters whole, so
// that a trail byte such as 0x5C in 表 (95 5C) is never taken for '\'.
template <typename Ch>
class AFX_API CStringT {
    // The other width, converted through the ANSI code page (characters it cannot hold become '?').
    using Other = std::conditional_t<std::is_same_v<Ch, char>, wchar_t, char>;
    using Str = std::basic_string<Ch>;
    // Enables a member for CString alone.
    template <typename C>
    using IfWide = std::enable_if_t<std::is_same_v<C, wchar_t>>;
    template <typename>
    friend class CStringT;

public:
    CStringT() = default;
    // Null gives an empty string; so does nLength <= 0.
    CStringT(const Ch* psz) { *this = psz; }
    CStringT(const Ch* pch, int nLength)
    {
        if (pch != nullptr && nLength > 0) m_str.assign(pch, static_cast<std::size_t>(nLength));
    }
    CStringT(const Str& str) : m_str(str) {}
    CStringT(Str&& str) noexcept : m_str(std::move(str)) {}
    CStringT(Ch ch, int nRepeat = 1) : m_str(static_cast<std::size_t>(nRepeat > 0 ? nRepeat : 0), ch) {}
    explicit CStringT(const Other* psz);   // null gives an empty string
    explicit CStringT(const CStringT<Other>& str);

    CStringT& operator=(const Ch* psz)
    {
        if (psz == nullptr)
            m_str.clear();
        else
            m_str.assign(psz);  // psz may point into this string; assign copes
        return *this;
    }
    CStringT& operator=(Ch ch) { return *this = CStringT(ch); }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const Ch* GetString() const { return m_str.c_str(); }
    operator const Ch*() const { return m_str.c_str(); }
    // wstr() of a CString, str() of a CStringA.
    template <typename C = Ch, typename = IfWide<C>>
    const std::wstring& wstr() const { return m_str; }
    template <typename C = Ch, typename = std::enable_if_t<std::is_same_v<C, char>>>
    const std::string& str() const { return m_str; }

    CStringT& operator+=(const CStringT& str) { m_str += str.m_str; return *this; }
    CStringT& operator+=(const Ch* psz) { return *this += CStringT(psz); }
    CStringT& operator+=(Ch ch) { m_str += ch; return *this; }

    // <0, 0 or >0 by units. CompareNoCase folds ASCII letters, and in wide text Latin-1 and
    // full-width Latin letters too.
    int Compare(const Ch* psz) const;
    int CompareNoCase(const Ch* psz) const;

    CStringT Left(int nCount) const
    {
        return nCount <= 0 ? CStringT() : CStringT(m_str.substr(0, static_cast<std::size_t>(nCount)));
    }
    CStringT Right(int nCount) const;
    CStringT Mid(int iFirst) const { return Mid(iFirst, GetLength()); }
    CStringT Mid(int iFirst, int nCount) const;

    // Position of the first match at or after iStart, or -1.
    int Find(Ch ch, int iStart = 0) const;
    int Find(const Ch* pszSub, int iStart = 0) const;
    // Position of the last occurrence, or -1.
    int ReverseFind(Ch ch) const;

    // Number of replacements made.
    int Replace(Ch chOld, Ch chNew);
    int Replace(const Ch* pszOld, const Ch* pszNew);

    // White space: tab to CR and the space; in wide text also the rest of the Unicode space
    // set (U+0085, U+00A0, U+1680, U+2000-U+200A, U+2028, U+2029, U+202F, U+205F, U+3000), the
    // same in both builds.
    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& TrimLeft();
    CStringT& TrimRight();
    // Trims chTarget at both ends.
    CStringT& Trim(Ch chTarget);

    // printf formatting through FormatTextV: %s takes the string's own width (pass
    // GetString()), %ls wide and %hs narrow text.
    void Format(const Ch* pszFormat, ...);
    void AppendFormat(const Ch* pszFormat, ...);

    // CString only: a string-table entry as the string, and as the format; an entry that
    // cannot be loaded leaves LoadString's string unchanged and Format's empty.
    template <typename C = Ch, typename = IfWide<C>>
    BOOL LoadString(UINT nID) { return AfxLoadString(nID, *this); }
    template <typename C = Ch, typename = IfWide<C>>
    void Format(UINT nFormatID, ...)
    {
        CStringT format;
        if (!format.LoadString(nFormatID)) {
            Empty();
            return;
        }
        va_list args;
        va_start(args, nFormatID);
        m_str = FormatTextV(format.GetString(), args);
        va_end(args);
    }

    friend CStringT operator+(const CStringT& a, const CStringT& b) { return CStringT(a.m_str + b.m_str); }
    friend CStringT operator+(const CStringT& a, const Ch* b) { return CStringT(a) += b; }
    friend CStringT operator+(const Ch* a, const CStringT& b) { return CStringT(a) += b; }
    friend CStringT operator+(const CStringT& a, Ch b) { return CStringT(a) += b; }
    friend CStringT operator+(Ch a, const CStringT& b) { return CStringT(a) += b; }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CStringT& a, const Ch* b) { return a.Compare(b) == 0; }
    friend bool operator==(const Ch* a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, const Ch* b) { return !(a == b); }
    friend bool operator!=(const Ch* a, const CStringT& b) { return !(a == b); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.m_str < b.m_str; }
    friend bool operator<(const CStringT& a, const Ch* b) { return a.Compare(b) < 0; }
    friend bool operator<(const Ch* a, const CStringT& b) { return b.Compare(a) > 0; }

private:
    Str m_str;
};
