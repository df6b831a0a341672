#include <afx/CString.h>

#include <afx/AnsiCodePage.h>

#include <cstddef>

namespace {

// Narrow text is walked by character (a lead byte and its trail byte together), so that
// searching, replacing, trimming and case mapping never act on a trail byte.
std::size_t CharLen(const std::wstring&, std::size_t)
{
    return 1;
}

std::size_t CharLen(const std::string& s, std::size_t i)
{
    return i + 1 < s.size() && AfxIsAnsiLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
}

bool IsSpace(wchar_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F
        || c == 0x205F || c == 0x3000;
}

bool IsSpace(char c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20;
}

wchar_t ToLower(wchar_t c)
{
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        || (c >= 0xFF21 && c <= 0xFF3A))
        return static_cast<wchar_t>(c + 0x20);
    return c;
}

char ToLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

// Text of the other width through the ANSI code page.
std::string Converted(const std::wstring& s)
{
    return AnsiFromWide(s);
}

std::wstring Converted(const std::string& s)
{
    return WideFromAnsi(s);
}

template <typename Ch>
std::basic_string<Ch> Folded(std::basic_string<Ch> s)
{
    for (std::size_t i = 0; i < s.size(); i += CharLen(s, i))
        if (CharLen(s, i) == 1)
            s[i] = ToLower(s[i]);
    return s;
}

template <typename Ch>
std::size_t Length(const Ch* s)
{
    return s == nullptr ? 0 : std::char_traits<Ch>::length(s);
}

int Sign(int v)
{
    return v < 0 ? -1 : v > 0 ? 1 : 0;
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

}  // namespace

template <typename Ch>
CStringT<Ch>::CStringT(const Other* psz)
{
    if (psz != nullptr)
        m_str = Converted(std::basic_string<Other>(psz));
}

template <typename Ch>
CStringT<Ch>::CStringT(const CStringT<Other>& str)
    : m_str(Converted(str.m_str))
{
}

template <typename Ch>
int CStringT<Ch>::Compare(const Ch* psz) const
{
    static const Ch kEmpty[1] = {0};
    return Sign(m_str.compare(psz == nullptr ? kEmpty : psz));
}

template <typename Ch>
int CStringT<Ch>::CompareNoCase(const Ch* psz) const
{
    return Sign(Folded(m_str).compare(Folded(psz == nullptr ? Str() : Str(psz))));
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Right(int nCount) const
{
    if (nCount <= 0)
        return CStringT();
    const std::size_t count = static_cast<std::size_t>(nCount);
    return count >= m_str.size() ? *this : CStringT(m_str.substr(m_str.size() - count));
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Mid(int iFirst, int nCount) const
{
    if (iFirst < 0)
        iFirst = 0;
    if (nCount <= 0 || static_cast<std::size_t>(iFirst) >= m_str.size())
        return CStringT();
    return CStringT(m_str.substr(static_cast<std::size_t>(iFirst), static_cast<std::size_t>(nCount)));
}

template <typename Ch>
int CStringT<Ch>::Find(Ch ch, int iStart) const
{
    const std::size_t from = iStart < 0 ? 0 : static_cast<std::size_t>(iStart);
    for (std::size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (i >= from && CharLen(m_str, i) == 1 && m_str[i] == ch)
            return static_cast<int>(i);
    return -1;
}

template <typename Ch>
int CStringT<Ch>::Find(const Ch* pszSub, int iStart) const
{
    const std::size_t from = iStart < 0 ? 0 : static_cast<std::size_t>(iStart);
    const std::size_t n = Length(pszSub);
    if (from > m_str.size())
        return -1;
    if (n == 0)
        return static_cast<int>(from);
    for (std::size_t i = 0; i + n <= m_str.size(); i += CharLen(m_str, i))
        if (i >= from && m_str.compare(i, n, pszSub, n) == 0)
            return static_cast<int>(i);
    return -1;
}

template <typename Ch>
int CStringT<Ch>::ReverseFind(Ch ch) const
{
    int found = -1;
    for (std::size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (CharLen(m_str, i) == 1 && m_str[i] == ch)
            found = static_cast<int>(i);
    return found;
}

template <typename Ch>
int CStringT<Ch>::Replace(Ch chOld, Ch chNew)
{
    int count = 0;
    for (std::size_t i = 0; i < m_str.size(); i += CharLen(m_str, i))
        if (CharLen(m_str, i) == 1 && m_str[i] == chOld) {
            m_str[i] = chNew;
            ++count;
        }
    return count;
}

template <typename Ch>
int CStringT<Ch>::Replace(const Ch* pszOld, const Ch* pszNew)
{
    const std::size_t n = Length(pszOld);
    if (n == 0)
        return 0;
    const std::size_t m = Length(pszNew);
    Str out;
    int count = 0;
    std::size_t i = 0;
    while (i < m_str.size()) {
        if (i + n <= m_str.size() && m_str.compare(i, n, pszOld, n) == 0) {
            out.append(pszNew, m);
            i += n;
            ++count;
        } else {
            const std::size_t step = CharLen(m_str, i);
            out.append(m_str, i, step);
            i += step;
        }
    }
    if (count > 0)
        m_str.swap(out);
    return count;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimLeft()
{
    TrimLeftIf(m_str, [](Ch c) { return IsSpace(c); });
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimRight()
{
    TrimRightIf(m_str, [](Ch c) { return IsSpace(c); });
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::Trim(Ch chTarget)
{
    TrimRightIf(m_str, [chTarget](Ch c) { return c == chTarget; });
    TrimLeftIf(m_str, [chTarget](Ch c) { return c == chTarget; });
    return *this;
}

template <typename Ch>
void CStringT<Ch>::Format(const Ch* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    // Formatted first: an argument may be this string's own text.
    m_str = FormatTextV(pszFormat, args);
    va_end(args);
}

template <typename Ch>
void CStringT<Ch>::AppendFormat(const Ch* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatTextV(pszFormat, args);
    va_end(args);
}

template class CStringT<wchar_t>;
template class CStringT<char>;

#ifndef _WIN32
// No resources natively; the Windows body searches the resource chain.
BOOL AfxLoadString(UINT, CString&)
{
    return FALSE;
}
#endif
