#include <citydb/CityLogText.h>

#include <citydb/Utf8Text.h>

namespace {

// A name on one line: control characters are shown as their pictures (U+2400 on), so that no
// name can break the one-item-a-line form.
std::string DumpName(const CString& strName)
{
    std::wstring name = strName.wstr();
    for (wchar_t& ch : name) {
        if (static_cast<unsigned long>(ch) < 0x20)
            ch = static_cast<wchar_t>(0x2400 + ch);
        else if (ch == 0x7F)
            ch = 0x2421;
    }
    return CityUtf8FromWide(name);
}

}  // namespace

std::string CityDumpTree(const CCityData& data)
{
    std::string out;
    if (!data.m_pTree)
        return out;
    const ICityTree& tree = *data.m_pTree;
    // Pre-order without recursion, so that no depth of tree exhausts the stack.
    std::vector<HCITYITEM> aStack;
    for (HCITYITEM h = tree.GetRootItem(); h; h = tree.GetNextSiblingItem(h))
        aStack.push_back(h);
    std::vector<std::pair<HCITYITEM, int>> aWork;
    for (auto it = aStack.rbegin(); it != aStack.rend(); ++it)
        aWork.emplace_back(*it, 0);
    while (!aWork.empty()) {
        auto [hItem, nLevel] = aWork.back();
        aWork.pop_back();
        out.append(static_cast<size_t>(nLevel) * 2, ' ');
        out += DumpName(tree.GetItemText(hItem));
        std::intptr_t nData = tree.GetItemData(hItem);
        if (nData == CITY_FOLDER_DATA) {
            out += '/';
        } else {
            out += '\t';
            if (nData >= 0 && nData < data.m_nCityNum)
                out += CityUtf8FromWide(data.GetLocationData(static_cast<int>(nData)).wstr());
            else
                out += '?';
        }
        out += '\n';
        std::vector<HCITYITEM> aChild;
        for (HCITYITEM h = tree.GetChildItem(hItem); h; h = tree.GetNextSiblingItem(h))
            aChild.push_back(h);
        for (auto it = aChild.rbegin(); it != aChild.rend(); ++it)
            aWork.emplace_back(*it, nLevel + 1);
    }
    return out;
}
