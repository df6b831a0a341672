#include <citydb/CityName.h>

#include <citydb/CityText.h>

#include <string>

namespace {

// The first character after leading white space and control characters (which the list writes
// as blanks), or the end.
size_t FirstVisible(const std::wstring& name)
{
    size_t i = 0;
    while (i < name.size() && (CityIsSpace(name[i]) || name[i] < 0x20 || name[i] == 0x7F))
        ++i;
    return i;
}

bool IsStructureMark(wchar_t ch)
{
    return ch == L'@' || ch == L'#';
}

}  // namespace

CString CityNameRefusal(const CString& strName, const wchar_t* pszWhat)
{
    const std::wstring& name = strName.wstr();
    const std::wstring what = pszWhat;
    std::wstring text;
    const size_t nFirst = FirstVisible(name);
    if (nFirst < name.size() && IsStructureMark(name[nFirst]))
        text += what + L"の先頭に半角の「" + name[nFirst] + L"」は使えません。\n";
    if (name.find(L',') != std::wstring::npos)
        text += what + L"に半角の「,」(カンマ)は使えません。\n";
    return CString(text);
}

CString CityListName(const CString& strName)
{
    std::wstring name = strName.wstr();
    for (wchar_t& ch : name) {
        if (ch == L',')
            ch = L'，';
    }
    const size_t nFirst = FirstVisible(name);
    if (nFirst < name.size() && IsStructureMark(name[nFirst]))
        name[nFirst] = name[nFirst] == L'@' ? L'＠' : L'＃';
    return CString(name);
}
