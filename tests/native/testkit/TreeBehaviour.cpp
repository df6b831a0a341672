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

// Selects hSelect, deletes hDelete; the name of what is selected then.
std::string SelectedAfter(T& t, HCITYITEM hSelect, HCITYITEM hDelete)
{
    t.SelectItem(hSelect), t.DeleteItem(hDelete);
    return Name(t, t.GetSelectedItem());
}

}  // namespace

void ExpectTreeViewBehaviour(const std::function<std::unique_ptr<ICityTree>()>& makeTree)
{
    const struct { const char* fault; std::function<std::string(T&)> act; const char* expected; } cases[] = {
        {"first", [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"b", r), Add(t, L"a", r, CITY_TVI_FIRST); return Shape(t); }, "R(a,b)"},
        {"last", [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"a", r), Add(t, L"b", r, CITY_TVI_LAST); return Shape(t); }, "R(a,b)"},
        {"after a sibling", [](T& t) { HCITYITEM r = Add(t, L"R"), a = Add(t, L"a", r); Add(t, L"c", r), Add(t, L"b", r, a); return Shape(t); }, "R(a,b,c)"},
        {"after an item that is not a child", [](T& t) { HCITYITEM r = Add(t, L"R"), a = Add(t, L"a", r); Add(t, L"c", r), Add(t, L"b", r, Add(t, L"x", a)); return Shape(t); }, "R(a(x),c,b)"},
        {"top level", [](T& t) { Add(t, L"R"), Add(t, L"S", nullptr, CITY_TVI_FIRST); return Shape(t) + " root " + Name(t, t.GetRootItem()); }, "S,R root S"},
        // The selection after a delete: R(a,b,c), R(a,b), S after R, R(a), R(a(x),b), all.
        {"deleting the selected item selects the next sibling", [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"a", r); HCITYITEM b = Add(t, L"b", r); Add(t, L"c", r); return SelectedAfter(t, b, b); }, "c"},
        {"deleting the selected last item selects the parent", [](T& t) { HCITYITEM r = Add(t, L"R"); Add(t, L"a", r); HCITYITEM b = Add(t, L"b", r); return SelectedAfter(t, b, b); }, "R"},
        {"deleting the selected last top-level item selects the previous", [](T& t) { Add(t, L"R"); HCITYITEM s = Add(t, L"S"); return SelectedAfter(t, s, s); }, "R"},
        {"deleting the selected only child selects the parent", [](T& t) { HCITYITEM a = Add(t, L"a", Add(t, L"R")); return SelectedAfter(t, a, a); }, "R"},
        {"deleting an ancestor of the selected item", [](T& t) { HCITYITEM r = Add(t, L"R"), a = Add(t, L"a", r); Add(t, L"b", r); const std::string sel = SelectedAfter(t, Add(t, L"x", a), a); return sel + " " + Shape(t); }, "b R(b)"},
        {"deleting all", [](T& t) { t.SelectItem(Add(t, L"a", Add(t, L"R"))), t.DeleteAllItems(); return Name(t, t.GetSelectedItem()) + Name(t, t.GetRootItem()); }, "--"},
        // Bold set, cut masked out; then bold cleared.
        {"state bits kept and masked", [](T& t) { HCITYITEM r = Add(t, L"R"); t.SetItemState(r, 0x10 | 0x04, 0x10);
             const std::string set = std::to_string(t.GetItemState(r, 0x10 | 0x04)) + " " + std::to_string(t.GetItemState(r, 0x04));
             return t.SetItemState(r, 0, 0x10), set + " " + std::to_string(t.GetItemState(r, 0x10)); }, "16 0 0"},
        {"item data and images", [](T& t) { HCITYITEM r = Add(t, L"R"), p = t.InsertItem(L"p", CITY_IMG_PLACE, CITY_IMG_PLACE_SELECTED, 7, r, CITY_TVI_LAST);
             int nImage = -1, nSelected = -1;
             t.GetItemImage(p, nImage, nSelected), t.SetItemData(r, 2147483647);
             return std::to_string(t.GetItemData(p)) + " " + std::to_string(t.GetItemData(r)) + " " + std::to_string(nImage) + "/" + std::to_string(nSelected); }, "7 2147483647 3/2"},
        {"null handles", [](T& t) { Add(t, L"R"); return Name(t, t.GetChildItem(nullptr)) + Name(t, t.GetParentItem(nullptr)) + Name(t, t.GetNextSiblingItem(nullptr)) + Name(t, t.GetPrevSiblingItem(nullptr)) + std::to_string(t.GetItemData(nullptr)) + "[" + Name(t, nullptr) + AnsiFromWide(t.GetItemText(nullptr).wstr()) + "]" + (t.ItemHasChildren(nullptr) ? "children" : ""); }, "R---0[-]"},
        {"handles after a delete", [](T& t) { HCITYITEM r = Add(t, L"R"), a = Add(t, L"a", r), b = Add(t, L"b", r), c = Add(t, L"c", r);
             Add(t, L"y", b), t.DeleteItem(b);
             std::string out = Name(t, t.GetNextSiblingItem(a)) + Name(t, t.GetPrevSiblingItem(c)) + " " + Shape(t);
             t.DeleteItem(a), t.DeleteItem(c);
             return out + (t.ItemHasChildren(r) ? " children" : " none") + " " + Name(t, t.GetChildItem(r)); }, "ca R(a,c) none -"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        std::unique_ptr<ICityTree> tree = makeTree();
        EXPECT_EQ(c.expected, c.act(*tree));
    }
}
