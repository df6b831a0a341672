#include <afx/CStringA.h>

#include <afx/AnsiCodePage.h>
#include <afx/CString.h>
#include <afx/TextFormat.h>

#include "StringOps.h"

CStringA::CStringA(const char* psz)
    : m_str(psz == nullptr ? "" : psz)
{
}

CStringA::CStringA(const char* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<std::size_t>(nLength));
}

CStringA::CStringA(const std::string& str)
    : m_str(str)
{
}

CStringA::CStringA(std::string&& str) noexcept
    : m_str(std::move(str))
{
}

CStringA::CStringA(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<std::size_t>(nRepeat), ch);
}

CStringA::CStringA(const CString& str)
    : m_str(AnsiFromWide(str.wstr()))
{
}

CStringA::CStringA(const wchar_t* psz)
    : m_str(psz == nullptr ? std::string() : AnsiFromWide(psz))
{
}

CStringA& CStringA::operator=(const char* psz)
{
    if (psz == nullptr)
        m_str.clear();
    else
        m_str.assign(psz);  // psz may point into m_str itself; assign copes
    return *this;
}

CStringA& CStringA::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

char CStringA::GetAt(int i) const
{
    return afxstr::GetAt(m_str, i);
}

void CStringA::SetAt(int i, char ch)
{
    afxstr::SetAt(m_str, i, ch);
}




CStringA& CStringA::operator+=(const CStringA& str)
{
    m_str += str.m_str;
    return *this;
}

CStringA& CStringA::operator+=(const char* psz)
{
    if (psz != nullptr)
        m_str.append(psz);
    return *this;
}

CStringA& CStringA::operator+=(char ch)
{
    m_str += ch;
    return *this;
}

int CStringA::Compare(const char* psz) const
{
    return afxstr::Compare(m_str, psz);
}

int CStringA::CompareNoCase(const char* psz) const
{
    return afxstr::CompareNoCase(m_str, psz);
}

CStringA CStringA::Left(int nCount) const
{
    return afxstr::Left(m_str, nCount);
}

CStringA CStringA::Right(int nCount) const
{
    return afxstr::Right(m_str, nCount);
}

CStringA CStringA::Mid(int iFirst) const
{
    return afxstr::Mid(m_str, iFirst, GetLength());
}

CStringA CStringA::Mid(int iFirst, int nCount) const
{
    return afxstr::Mid(m_str, iFirst, nCount);
}

int CStringA::Find(char ch, int iStart) const
{
    return afxstr::Find(m_str, ch, iStart);
}

int CStringA::Find(const char* pszSub, int iStart) const
{
    return afxstr::Find(m_str, pszSub, iStart);
}

int CStringA::ReverseFind(char ch) const
{
    return afxstr::ReverseFind(m_str, ch);
}


int CStringA::Replace(char chOld, char chNew)
{
    return afxstr::Replace(m_str, chOld, chNew);
}

int CStringA::Replace(const char* pszOld, const char* pszNew)
{
    return afxstr::Replace(m_str, pszOld, pszNew);
}





CStringA& CStringA::Trim()
{
    return TrimRight().TrimLeft();
}

CStringA& CStringA::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CStringA& CStringA::Trim(const char* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CStringA& CStringA::TrimLeft()
{
    afxstr::TrimLeftIf(m_str, [](char c) { return afxstr::IsSpace(c); });
    return *this;
}

CStringA& CStringA::TrimLeft(char chTarget)
{
    afxstr::TrimLeftIf(m_str, [chTarget](char c) { return c == chTarget; });
    return *this;
}

CStringA& CStringA::TrimLeft(const char* pszTargets)
{
    afxstr::TrimLeftIf(m_str, afxstr::InSet(pszTargets));
    return *this;
}

CStringA& CStringA::TrimRight()
{
    afxstr::TrimRightIf(m_str, [](char c) { return afxstr::IsSpace(c); });
    return *this;
}

CStringA& CStringA::TrimRight(char chTarget)
{
    afxstr::TrimRightIf(m_str, [chTarget](char c) { return c == chTarget; });
    return *this;
}

CStringA& CStringA::TrimRight(const char* pszTargets)
{
    afxstr::TrimRightIf(m_str, afxstr::InSet(pszTargets));
    return *this;
}



void CStringA::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CStringA::AppendFormat(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void CStringA::FormatV(const char* pszFormat, va_list args)
{
    // Formatted first: an argument may be this string's own text.
    m_str = FormatTextV(pszFormat, args);
}

void CStringA::AppendFormatV(const char* pszFormat, va_list args)
{
    m_str += FormatTextV(pszFormat, args);
}

CStringA operator+(const CStringA& a, const CStringA& b)
{
    return CStringA(a.str() + b.str());
}

CStringA operator+(const CStringA& a, const char* b)
{
    CStringA r(a);
    r += b;
    return r;
}

CStringA operator+(const char* a, const CStringA& b)
{
    CStringA r(a);
    r += b;
    return r;
}

CStringA operator+(const CStringA& a, char b)
{
    CStringA r(a);
    r += b;
    return r;
}

CStringA operator+(char a, const CStringA& b)
{
    CStringA r(a);
    r += b;
    return r;
}

bool operator==(const CStringA& a, const CStringA& b)
{
    return a.str() == b.str();
}

bool operator==(const CStringA& a, const char* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const char* a, const CStringA& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CStringA& a, const CStringA& b)
{
    return !(a == b);
}

bool operator!=(const CStringA& a, const char* b)
{
    return !(a == b);
}

bool operator!=(const char* a, const CStringA& b)
{
    return !(a == b);
}

bool operator<(const CStringA& a, const CStringA& b)
{
    return a.str() < b.str();
}

bool operator<(const CStringA& a, const char* b)
{
    return a.Compare(b) < 0;
}

bool operator<(const char* a, const CStringA& b)
{
    return b.Compare(a) > 0;
}
