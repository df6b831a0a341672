#include <citydb/CityName.h>

#include <citydb/CityText.h>

#include <afx/AnsiCodePage.h>

#include <string>
#include <vector>

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

// The characters of name that the ANSI code page cannot hold, each once, in order: those the
// files' own conversion does not bring back unchanged (replaced by '?' or a look-alike).
std::vector<std::wstring> UnstorableChars(const std::wstring& name)
{
    std::vector<std::wstring> found;
    for (size_t i = 0; i < name.size();) {
        // A surrogate pair is one character where wchar_t holds UTF-16.
        size_t n = sizeof(wchar_t) == 2 && name[i] >= 0xD800 && name[i] <= 0xDBFF && i + 1 < name.size()
                && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF ? 2 : 1;
        std::wstring ch = name.substr(i, n);
        i += n;
        bool bSeen = false;
        for (const std::wstring& f : found)
            bSeen = bSeen || f == ch;
        if (!bSeen && WideFromAnsi(AnsiFromWide(ch)) != ch)
            found.push_back(ch);
    }
    return found;
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
    const std::vector<std::wstring> unstorable = UnstorableChars(name);
    if (!unstorable.empty()) {
        text += what + L"に";
        for (const std::wstring& ch : unstorable)
            text += L"「" + ch + L"」";
        text += L"は使えません(保存できない文字です)。\n";
    }
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
