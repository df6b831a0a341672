#include <afx/CString.h>

#include <afx/AnsiCodePage.h>
#include <afx/CStringA.h>
#include <afx/TextFormat.h>

#include "StringOps.h"

CString::CString(const wchar_t* psz)
    : m_str(psz == nullptr ? L"" : psz)
{
}

CString::CString(const wchar_t* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

CString::CString(const std::wstring& str)
    : m_str(str)
{
}

CString::CString(std::wstring&& str) noexcept
    : m_str(std::move(str))
{
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<std::size_t>(nRepeat), ch);
}

CString::CString(const char* psz)
    : m_str(psz == nullptr ? std::wstring() : WideFromAnsi(psz))
{
}

CString::CString(const CStringA& str)
    : m_str(WideFromAnsi(str.str()))
{
}

CString& CString::operator=(const wchar_t* psz)
{
    if (psz == nullptr)
        m_str.clear();
    else
        m_str.assign(psz);  // psz may point into m_str itself; assign copes
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int i) const
{
    return afxstr::GetAt(m_str, i);
}

void CString::SetAt(int i, wchar_t ch)
{
    afxstr::SetAt(m_str, i, ch);
}




CString& CString::operator+=(const CString& str)
{
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(const wchar_t* psz)
{
    if (psz != nullptr)
        m_str.append(psz);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_str += ch;
    return *this;
}

int CString::Compare(const wchar_t* psz) const
{
    return afxstr::Compare(m_str, psz);
}

int CString::CompareNoCase(const wchar_t* psz) const
{
    return afxstr::CompareNoCase(m_str, psz);
}

CString CString::Left(int nCount) const
{
    return afxstr::Left(m_str, nCount);
}

CString CString::Right(int nCount) const
{
    return afxstr::Right(m_str, nCount);
}

CString CString::Mid(int iFirst) const
{
    return afxstr::Mid(m_str, iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    return afxstr::Mid(m_str, iFirst, nCount);
}

int CString::Find(wchar_t ch, int iStart) const
{
    return afxstr::Find(m_str, ch, iStart);
}

int CString::Find(const wchar_t* pszSub, int iStart) const
{
    return afxstr::Find(m_str, pszSub, iStart);
}

int CString::ReverseFind(wchar_t ch) const
{
    return afxstr::ReverseFind(m_str, ch);
}


int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    return afxstr::Replace(m_str, chOld, chNew);
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew)
{
    return afxstr::Replace(m_str, pszOld, pszNew);
}





CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(const wchar_t* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    afxstr::TrimLeftIf(m_str, [](wchar_t c) { return afxstr::IsSpace(c); });
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    afxstr::TrimLeftIf(m_str, [chTarget](wchar_t c) { return c == chTarget; });
    return *this;
}

CString& CString::TrimLeft(const wchar_t* pszTargets)
{
    afxstr::TrimLeftIf(m_str, afxstr::InSet(pszTargets));
    return *this;
}

CString& CString::TrimRight()
{
    afxstr::TrimRightIf(m_str, [](wchar_t c) { return afxstr::IsSpace(c); });
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    afxstr::TrimRightIf(m_str, [chTarget](wchar_t c) { return c == chTarget; });
    return *this;
}

CString& CString::TrimRight(const wchar_t* pszTargets)
{
    afxstr::TrimRightIf(m_str, afxstr::InSet(pszTargets));
    return *this;
}



void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::Format(UINT nFormatID, ...)
{
    CString format;
    if (!format.LoadString(nFormatID)) {
        Empty();
        return;
    }
    va_list args;
    va_start(args, nFormatID);
    FormatV(format.GetString(), args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* pszFormat, va_list args)
{
    // Formatted first: an argument may be this string's own text.
    m_str = FormatTextV(pszFormat, args);
}

void CString::AppendFormatV(const wchar_t* pszFormat, va_list args)
{
    m_str += FormatTextV(pszFormat, args);
}

#ifndef _WIN32
// No resources natively; the Windows body loads through the resource chain.
BOOL CString::LoadString(UINT)
{
    return FALSE;
}
#endif

CString operator+(const CString& a, const CString& b)
{
    return CString(a.wstr() + b.wstr());
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, const CString& b)
{
    return a.wstr() == b.wstr();
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const wchar_t* a, const CString& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const wchar_t* b)
{
    return !(a == b);
}

bool operator!=(const wchar_t* a, const CString& b)
{
    return !(a == b);
}

bool operator<(const CString& a, const CString& b)
{
    return a.wstr() < b.wstr();
}

bool operator<(const CString& a, const wchar_t* b)
{
    return a.Compare(b) < 0;
}

bool operator<(const wchar_t* a, const CString& b)
{
    return b.Compare(a) > 0;
}
