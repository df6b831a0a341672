#include <afx/CString.h>

#include <afx/TextFormat.h>

#include "StringOps.h"

template <typename Ch>
CStringT<Ch>::CStringT(const Ch* psz)
{
    if (psz != nullptr)
        m_str.assign(psz);
}

template <typename Ch>
CStringT<Ch>::CStringT(const Ch* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

template <typename Ch>
CStringT<Ch>::CStringT(const Str& str)
    : m_str(str)
{
}

template <typename Ch>
CStringT<Ch>::CStringT(Str&& str) noexcept
    : m_str(std::move(str))
{
}

template <typename Ch>
CStringT<Ch>::CStringT(Ch ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<std::size_t>(nRepeat), ch);
}

template <typename Ch>
CStringT<Ch>::CStringT(const Other* psz)
{
    if (psz != nullptr)
        m_str = afxstr::Converted(std::basic_string<Other>(psz));
}

template <typename Ch>
CStringT<Ch>::CStringT(const CStringT<Other>& str)
    : m_str(afxstr::Converted(str.m_str))
{
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::operator=(const Ch* psz)
{
    if (psz == nullptr)
        m_str.clear();
    else
        m_str.assign(psz);  // psz may point into m_str itself; assign copes
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::operator=(Ch ch)
{
    m_str.assign(1, ch);
    return *this;
}

template <typename Ch>
Ch CStringT<Ch>::GetAt(int i) const
{
    return afxstr::GetAt(m_str, i);
}

template <typename Ch>
void CStringT<Ch>::SetAt(int i, Ch ch)
{
    afxstr::SetAt(m_str, i, ch);
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::operator+=(const CStringT& str)
{
    m_str += str.m_str;
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::operator+=(const Ch* psz)
{
    if (psz != nullptr)
        m_str.append(psz);
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::operator+=(Ch ch)
{
    m_str += ch;
    return *this;
}

template <typename Ch>
int CStringT<Ch>::Compare(const Ch* psz) const
{
    return afxstr::Compare(m_str, psz);
}

template <typename Ch>
int CStringT<Ch>::CompareNoCase(const Ch* psz) const
{
    return afxstr::CompareNoCase(m_str, psz);
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Left(int nCount) const
{
    return afxstr::Left(m_str, nCount);
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Right(int nCount) const
{
    return afxstr::Right(m_str, nCount);
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Mid(int iFirst) const
{
    return afxstr::Mid(m_str, iFirst, GetLength());
}

template <typename Ch>
CStringT<Ch> CStringT<Ch>::Mid(int iFirst, int nCount) const
{
    return afxstr::Mid(m_str, iFirst, nCount);
}

template <typename Ch>
int CStringT<Ch>::Find(Ch ch, int iStart) const
{
    return afxstr::Find(m_str, ch, iStart);
}

template <typename Ch>
int CStringT<Ch>::Find(const Ch* pszSub, int iStart) const
{
    return afxstr::Find(m_str, pszSub, iStart);
}

template <typename Ch>
int CStringT<Ch>::ReverseFind(Ch ch) const
{
    return afxstr::ReverseFind(m_str, ch);
}

template <typename Ch>
int CStringT<Ch>::Replace(Ch chOld, Ch chNew)
{
    return afxstr::Replace(m_str, chOld, chNew);
}

template <typename Ch>
int CStringT<Ch>::Replace(const Ch* pszOld, const Ch* pszNew)
{
    return afxstr::Replace(m_str, pszOld, pszNew);
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::Trim()
{
    return TrimRight().TrimLeft();
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::Trim(Ch chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::Trim(const Ch* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimLeft()
{
    afxstr::TrimLeftIf(m_str, [](Ch c) { return afxstr::IsSpace(c); });
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimLeft(Ch chTarget)
{
    afxstr::TrimLeftIf(m_str, [chTarget](Ch c) { return c == chTarget; });
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimLeft(const Ch* pszTargets)
{
    afxstr::TrimLeftIf(m_str, afxstr::InSet(pszTargets));
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimRight()
{
    afxstr::TrimRightIf(m_str, [](Ch c) { return afxstr::IsSpace(c); });
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimRight(Ch chTarget)
{
    afxstr::TrimRightIf(m_str, [chTarget](Ch c) { return c == chTarget; });
    return *this;
}

template <typename Ch>
CStringT<Ch>& CStringT<Ch>::TrimRight(const Ch* pszTargets)
{
    afxstr::TrimRightIf(m_str, afxstr::InSet(pszTargets));
    return *this;
}

template <typename Ch>
void CStringT<Ch>::Format(const Ch* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <typename Ch>
void CStringT<Ch>::AppendFormat(const Ch* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename Ch>
void CStringT<Ch>::FormatV(const Ch* pszFormat, va_list args)
{
    // Formatted first: an argument may be this string's own text.
    m_str = FormatTextV(pszFormat, args);
}

template <typename Ch>
void CStringT<Ch>::AppendFormatV(const Ch* pszFormat, va_list args)
{
    m_str += FormatTextV(pszFormat, args);
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
