#pragma once

// The string template's operations over std::basic_string, for either width. Narrow text is
// walked by character (a lead byte and its trail byte together), so that searching, replacing,
// trimming and case mapping never act on a trail byte.

#include <afx/AnsiCodePage.h>
#include <afx/CException.h>

#include <cstddef>
#include <string>

namespace afxstr {

// Text of the other width through the ANSI code page.
inline std::string Converted(const std::wstring& s)
{
    return AnsiFromWide(s);
}

inline std::wstring Converted(const std::string& s)
{
    return WideFromAnsi(s);
}

inline std::size_t CharLen(const std::wstring&, std::size_t)
{
    return 1;
}

inline std::size_t CharLen(const std::string& s, std::size_t i)
{
    return i + 1 < s.size() && AfxIsAnsiLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
}

inline bool IsSpace(wchar_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F
        || c == 0x205F || c == 0x3000;
}

inline bool IsSpace(char c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20;
}

inline wchar_t ToUpper(wchar_t c)
{
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        || (c >= 0xFF41 && c <= 0xFF5A))
        return static_cast<wchar_t>(c - 0x20);
    return c;
}

inline wchar_t ToLower(wchar_t c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        || (c >= 0xFF21 && c <= 0xFF3A))
        return static_cast<wchar_t>(c + 0x20);
    return c;
}

inline char ToUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
}

inline char ToLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

template <typename Ch>
std::size_t Length(const Ch* s)
{
    return s == nullptr ? 0 : std::char_traits<Ch>::length(s);
}

inline int Sign(int v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

template <typename S>
int Compare(const S& a, const typename S::value_type* b)
{
    using Ch = typename S::value_type;
    static const Ch kEmpty[1] = {0};
    return Sign(a.compare(b == nullptr ? kEmpty : b));
}

template <typename S>
S Folded(S s)
{
    for (std::size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (CharLen(s, i) == 1)
            s[i] = ToLower(s[i]);
    return s;
}

template <typename S>
int CompareNoCase(const S& a, const typename S::value_type* b)
{
    S fb = Folded(S(b == nullptr ? S() : S(b)));
    return Sign(Folded(a).compare(fb));
}

template <typename Ch>
auto InSet(const Ch* set)
{
    return [set](Ch c) {
        if (set == nullptr)
            return false;
        for (const Ch* p = set; *p != 0; ++p)
            if (*p == c)
                return true;
        return false;
    };
}

template <typename S>
S Left(const S& s, int n)
{
    if (n <= 0)
        return S();
    return s.substr(0, static_cast<std::size_t>(n));
}

template <typename S>
S Right(const S& s, int n)
{
    if (n <= 0)
        return S();
    std::size_t count = static_cast<std::size_t>(n);
    return count >= s.size() ? s : s.substr(s.size() - count);
}

template <typename S>
S Mid(const S& s, int first, int count)
{
    if (first < 0)
        first = 0;
    if (count <= 0 || static_cast<std::size_t>(first) >= s.size())
        return S();
    return s.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

template <typename S>
int Find(const S& s, typename S::value_type ch, int start)
{
    std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
    for (std::size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (i >= from && CharLen(s, i) == 1 && s[i] == ch)
            return static_cast<int>(i);
    return -1;
}

template <typename S>
int Find(const S& s, const typename S::value_type* sub, int start)
{
    std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
    std::size_t n = Length(sub);
    if (from > s.size())
        return -1;
    if (n == 0)
        return static_cast<int>(from);
    for (std::size_t i = 0; i + n <= s.size(); i += CharLen(s, i))
        if (i >= from && s.compare(i, n, sub, n) == 0)
            return static_cast<int>(i);
    return -1;
}

template <typename S>
int ReverseFind(const S& s, typename S::value_type ch)
{
    int found = -1;
    for (std::size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (CharLen(s, i) == 1 && s[i] == ch)
            found = static_cast<int>(i);
    return found;
}

template <typename S>
int Replace(S& s, typename S::value_type from, typename S::value_type to)
{
    int count = 0;
    for (std::size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (CharLen(s, i) == 1 && s[i] == from) {
            s[i] = to;
            ++count;
        }
    return count;
}

template <typename S>
int Replace(S& s, const typename S::value_type* from, const typename S::value_type* to)
{
    std::size_t n = Length(from);
    if (n == 0)
        return 0;
    std::size_t m = Length(to);
    S out;
    int count = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        if (i + n <= s.size() && s.compare(i, n, from, n) == 0) {
            out.append(to, m);
            i += n;
            ++count;
        } else {
            std::size_t step = CharLen(s, i);
            out.append(s, i, step);
            i += step;
        }
    }
    if (count > 0)
        s.swap(out);
    return count;
}

// Trims characters for which `trim` holds; only single-unit characters can match.
template <typename S, typename Pred>
void TrimLeftIf(S& s, Pred trim)
{
    std::size_t i = 0;
    while (i < s.size() && CharLen(s, i) == 1 && trim(s[i]))
        ++i;
    s.erase(0, i);
}

template <typename S, typename Pred>
void TrimRightIf(S& s, Pred trim)
{
    std::size_t keep = 0;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t step = CharLen(s, i);
        if (step != 1 || !trim(s[i]))
            keep = i + step;
        i += step;
    }
    s.erase(keep);
}

// GetAt allows the terminator position, SetAt does not; both throw beyond that.
template <typename S>
typename S::value_type GetAt(const S& s, int i)
{
    if (i < 0 || static_cast<std::size_t>(i) > s.size())
        AfxThrowInvalidArgException();
    return s.c_str()[i];
}

template <typename S>
void SetAt(S& s, int i, typename S::value_type ch)
{
    if (i < 0 || static_cast<std::size_t>(i) >= s.size())
        AfxThrowInvalidArgException();
    s[static_cast<std::size_t>(i)] = ch;
}

}  // namespace afxstr
