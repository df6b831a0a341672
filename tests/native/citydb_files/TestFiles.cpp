#include "TestFiles.h"

#include <afx/CException.h>

HCITYITEM LoadedList::Root()
{
    if (!tree.GetRootItem())
        tree.InsertItem(L"場所", CITY_IMG_FOLDER, CITY_IMG_FOLDER_OPEN, CITY_FOLDER_DATA, nullptr, CITY_TVI_LAST);
    return tree.GetRootItem();
}

HCITYITEM LoadedList::Add(HCITYITEM hParent, const CString& strName, double lon, double lat, double alt, double tz,
                          int altFlag, int user, int type)
{
    const CCityList city{nullptr, 0, CString(), lon, lat, alt, tz, altFlag, user, type};
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
