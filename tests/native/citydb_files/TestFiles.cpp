#include "TestFiles.h"

#include <afx/CException.h>

static void DumpItems(const ICityTree& tree, HCITYITEM hItem, std::string& out)
{
    for (bool bFirst = true; hItem; hItem = tree.GetNextSiblingItem(hItem), bFirst = false) {
        out += (bFirst ? "" : ",") + AnsiFromWide(tree.GetItemText(hItem).wstr());
        if (tree.GetItemData(hItem) == CITY_FOLDER_DATA) {
            out += '{';
            DumpItems(tree, tree.GetChildItem(hItem), out);
            out += '}';
        }
    }
}

std::string DumpTree(const ICityTree& tree)
{
    std::string out;
    DumpItems(tree, tree.GetRootItem(), out);
    return out;
}

HCITYITEM LoadedList::Root()
{
    if (!tree.GetRootItem())
        tree.InsertItem(L"場所", CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    return tree.GetRootItem();
}

HCITYITEM LoadedList::Add(HCITYITEM hParent, const CString& strName, double lon, double lat, double alt, double tz,
                          int altFlag, int user, int type)
{
    CCityList city;
    city.m_dLon = lon;
    city.m_dLat = lat;
    city.m_dAlt = alt;
    city.m_dTz = tz;
    city.m_nAltFlag = altFlag;
    city.m_nUser = user;
    city.m_nType = type;
    return tree.InsertItem(strName, CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, data.AppendCity(city), hParent, CITY_TVI_LAST);
}

bool ThrowsInvalidArg(const std::function<void()>& f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}
