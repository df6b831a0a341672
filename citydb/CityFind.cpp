#include <citydb/CityFind.h>

namespace {

// U+FF61 to U+FF9D, the half-width katakana and marks, as their full-width forms.
constexpr wchar_t kHalfKana[] =
    L"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";

bool Voices(wchar_t ch)
{
    return (ch >= L'カ' && ch <= L'ト' && ch != L'ッ') || (ch >= L'ハ' && ch <= L'ホ') || ch == L'ウ';
}

// The next item in pre-order, wrapping from the last to the first.
HCITYITEM NextInTree(const ICityTree& tree, HCITYITEM hItem)
{
    if (!hItem)
        return tree.GetRootItem();
    if (HCITYITEM hChild = tree.GetChildItem(hItem))
        return hChild;
    for (HCITYITEM h = hItem; h; h = tree.GetParentItem(h)) {
        if (HCITYITEM hNext = tree.GetNextSiblingItem(h))
            return hNext;
    }
    return tree.GetRootItem();
}

}  // namespace

std::wstring CityFindFold(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        if (ch >= 0xFF01 && ch <= 0xFF5E)
            ch = static_cast<wchar_t>(ch - 0xFEE0);
        else if (ch == 0x3000)
            ch = L' ';
        if ((ch == 0xFF9E || ch == 0xFF9F) && !out.empty()) {
            // A half-width voiced or semi-voiced mark joins the kana before it (ｶﾞ is が).
            wchar_t& prev = out.back();
            const wchar_t kata = static_cast<wchar_t>(prev + 0x60);
            if (ch == 0xFF9E && Voices(kata))
                prev = kata == L'ウ' ? L'ゔ' : static_cast<wchar_t>(prev + 1);
            else if (ch == 0xFF9F && kata >= L'ハ' && kata <= L'ホ')
                prev = static_cast<wchar_t>(prev + 2);
            continue;
        }
        if (ch >= 0xFF61 && ch <= 0xFF9D)
            ch = kHalfKana[ch - 0xFF61];
        if (ch >= 0x30A1 && ch <= 0x30F6)
            ch = static_cast<wchar_t>(ch - 0x60);
        if ((ch >= L'A' && ch <= L'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7))
            ch = static_cast<wchar_t>(ch + 0x20);
        out += ch;
    }
    return out;
}

HCITYITEM CityFindNext(const ICityTree& tree, HCITYITEM hAfter, const CString& strText)
{
    const std::wstring text = CityFindFold(strText.wstr());
    HCITYITEM hFirst = NextInTree(tree, hAfter);
    if (text.empty() || !hFirst)
        return nullptr;
    HCITYITEM h = hFirst;
    do {
        if (CityFindFold(tree.GetItemText(h).wstr()).find(text) != std::wstring::npos)
            return h;
        h = NextInTree(tree, h);
    } while (h != hFirst);
    return nullptr;
}
