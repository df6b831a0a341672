#include "TreeBehaviour.h"

#include <afx/AnsiCodePage.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using T = ICityTree;

HCITYITEM Add(T& t, const wchar_t* name, HCITYITEM hParent = nullptr, HCITYITEM hAfter = CITY_TVI_LAST, std::intptr_t nData = CITY_FOLDER_DATA)
{
    return t.InsertItem(name, 0, 1, nData, hParent, hAfter);
}

std::string Name(const T& t, HCITYITEM h)
{
    return h ? AnsiFromWide(t.GetItemText(h).wstr()) : "-";
}

// "R(a,b(x))": the items from the top, each with its children, checked against their parent
// and the walk backwards.
std::string Shape(const T& t, HCITYITEM hParent = nullptr)
{
    std::string out, back;
    HCITYITEM hLast = nullptr;
    for (HCITYITEM h = t.GetChildItem(hParent); h; hLast = h, h = t.GetNextSiblingItem(h)) {
        out += (out.empty() ? "" : ",") + Name(t, h) + (t.GetParentItem(h) == hParent ? "" : "!parent");
        if (t.ItemHasChildren(h))
            out += "(" + Shape(t, h) + ")";
    }
    for (HCITYITEM h = hLast; h; h = t.GetPrevSiblingItem(h))
        back = Name(t, h) + back;
    std::string names;
    for (HCITYITEM h = t.GetChildItem(hParent); h; h = t.GetNextSiblingItem(h))
        names += Name(t, h);
    return back == names ? out : out + "!backwards " + back;
}

}  // namespace

void ExpectTreeViewBehaviour(const std::function<std::unique_ptr<ICityTree>()>& makeTree)
{
    const struct { const char* fault; std::function<std::string(T&)> act; const char* expected; } cases[] = {
        {"first", [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"b", r); Add(t, L"a", r, CITY_TVI_FIRST); return Shape(t); }, "R(a,b)"},
        {"last", [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"a", r); Add(t, L"b", r, CITY_TVI_LAST); return Shape(t); }, "R(a,b)"},
        {"after a sibling", [](T& t) { HCITYITEM r = Add(t, L"R"); HCITYITEM a = Add(t, L"a", r); Add(t, L"c", r); Add(t, L"b", r, a); return Shape(t); },
         "R(a,b,c)"},
        {"after an item that is not a child",
         [](T& t) { HCITYITEM r = Add(t, L"R"); HCITYITEM a = Add(t, L"a", r); Add(t, L"c", r); Add(t, L"b", r, Add(t, L"x", a)); return Shape(t); },
         "R(a(x),c,b)"},
        {"top level", [](T& t) { Add(t, L"R"); Add(t, L"S", nullptr, CITY_TVI_FIRST); return Shape(t) + " root " + Name(t, t.GetRootItem()); },
         "S,R root S"},
        {"deleting the selected item selects the next sibling",
         [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"a", r); HCITYITEM b = Add(t, L"b", r); Add(t, L"c", r);
                    t.SelectItem(b), t.DeleteItem(b); return Name(t, t.GetSelectedItem()); },
         "c"},
        {"deleting the selected last item selects the parent",
         [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"a", r); HCITYITEM b = Add(t, L"b", r); t.SelectItem(b), t.DeleteItem(b); return Name(t, t.GetSelectedItem()); },
         "R"},
        {"deleting the selected last top-level item selects the previous",
         [](T& t) { Add(t, L"R"); HCITYITEM s = Add(t, L"S"); t.SelectItem(s), t.DeleteItem(s); return Name(t, t.GetSelectedItem()); },
         "R"},
        {"deleting the selected only child selects the parent",
         [](T& t) { HCITYITEM r = Add(t, L"R"); HCITYITEM a = Add(t, L"a", r); t.SelectItem(a), t.DeleteItem(a); return Name(t, t.GetSelectedItem()); },
         "R"},
        {"deleting an ancestor of the selected item",
         [](T& t) { HCITYITEM r = Add(t, L"R"); HCITYITEM a = Add(t, L"a", r); Add(t, L"b", r); HCITYITEM x = Add(t, L"x", a);
                    t.SelectItem(x), t.DeleteItem(a); return Name(t, t.GetSelectedItem()) + " " + Shape(t); },
         "b R(b)"},
        {"deleting all",
         [](T& t) { HCITYITEM r = Add(t, L"R"); t.SelectItem(Add(t, L"a", r)); t.DeleteAllItems(); return Name(t, t.GetSelectedItem()) + Name(t, t.GetRootItem()); },
         "--"},
        {"state bits kept and masked",
         [](T& t) {
             HCITYITEM r = Add(t, L"R");
             t.SetItemState(r, 0x10 | 0x04, 0x10);  // bold set, cut masked out
             const unsigned nBoth = t.GetItemState(r, 0x10 | 0x04), nCut = t.GetItemState(r, 0x04);
             t.SetItemState(r, 0, 0x10);
             return std::to_string(nBoth) + " " + std::to_string(nCut) + " " + std::to_string(t.GetItemState(r, 0x10));
         },
         "16 0 0"},
        {"item data and images",
         [](T& t) {
             HCITYITEM r = Add(t, L"R"), p = t.InsertItem(L"p", CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, 7, r, CITY_TVI_LAST);
             int nImage = -1, nSelected = -1;
             t.GetItemImage(p, nImage, nSelected);
             t.SetItemData(r, 2147483647);
             return std::to_string(t.GetItemData(p)) + " " + std::to_string(t.GetItemData(r)) + " " + std::to_string(nImage) + "/"
                 + std::to_string(nSelected);
         },
         "7 2147483647 3/2"},
        {"handles after a delete",
         [](T& t) {
             HCITYITEM r = Add(t, L"R"), a = Add(t, L"a", r), b = Add(t, L"b", r), c = Add(t, L"c", r);
             Add(t, L"y", b);
             t.DeleteItem(b);
             std::string out = Name(t, t.GetNextSiblingItem(a)) + Name(t, t.GetPrevSiblingItem(c)) + " " + Shape(t);
             t.DeleteItem(a), t.DeleteItem(c);
             return out + (t.ItemHasChildren(r) ? " children" : " none") + " " + Name(t, t.GetChildItem(r));
         },
         "ca R(a,c) none -"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        std::unique_ptr<ICityTree> tree = makeTree();
        EXPECT_EQ(c.expected, c.act(*tree));
    }
}
