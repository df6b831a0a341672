#include <citydb/CityFind.h>
#include <citydb/CMemTree.h>

#include <afx/AnsiCodePage.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// 場所 > 日本 > 東京都 > (東京, 八王子市), 日本 > とうきょう湾, 世界 > Springfield, ＳＰＲＩＮＧＦＩＥＬＤ館.
struct FindTree {
    CMemTree tree;
    HCITYITEM Add(const wchar_t* name, HCITYITEM hParent) { return tree.InsertItem(name, 0, 1, CITY_FOLDER_DATA, hParent, CITY_TVI_LAST); }
    FindTree()
    {
        HCITYITEM root = Add(L"場所", nullptr), japan = Add(L"日本", root), tokyo = Add(L"東京都", japan);
        Add(L"東京", tokyo), Add(L"八王子市", tokyo), Add(L"とうきょう湾", japan);
        HCITYITEM world = Add(L"世界", root);
        Add(L"Springfield", world), Add(L"ＳＰＲＩＮＧＦＩＥＬＤ館", world), Add(L"ガーデン", world);
    }
    HCITYITEM Named(const wchar_t* name) const
    {
        for (HCITYITEM h : tree.GetItems())
            if (tree.GetItemText(h) == name)
                return h;
        return nullptr;
    }
    std::string Found(const wchar_t* after, const wchar_t* text) const
    {
        HCITYITEM h = CityFindNext(tree, after ? Named(after) : nullptr, text);
        return h ? AnsiFromWide(tree.GetItemText(h).wstr()) : "(none)";
    }
};

TEST(CityFind, FindsTheNextNameThatHoldsTheTextInTreeOrder)
{
    const FindTree t;
    const struct { const char* fault; const wchar_t *after, *text; const wchar_t* found; } cases[] = {
        {"a folder not found", nullptr, L"東京", L"東京都"},
        {"the search did not start after the selection", L"東京都", L"東京", L"東京"},
        {"no wrap at the end", L"ガーデン", L"東京", L"東京都"},
        {"the selection itself not found last", L"八王子市", L"八王子", L"八王子市"},
        {"case of Latin letters", nullptr, L"SPRING", L"Springfield"},
        {"full-width against half-width", L"Springfield", L"springfield", L"ＳＰＲＩＮＧＦＩＥＬＤ館"},
        {"half-width typed for full-width", nullptr, L"ｓｐｒｉｎｇ", L"Springfield"},
        {"hiragana against katakana", nullptr, L"がーでん", L"ガーデン"},
        {"half-width katakana with a voiced mark", nullptr, L"ｶﾞｰﾃﾞﾝ", L"ガーデン"},
        {"katakana against hiragana", nullptr, L"トウキョウ", L"とうきょう湾"},
        {"a reading dictionary used", nullptr, L"とうきょうと", L"(none)"},
        {"a text nowhere found", nullptr, L"大阪", L"(none)"},
        {"an empty text found something", nullptr, L"", L"(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(AnsiFromWide(c.found), t.Found(c.after, c.text));
    }
}

}  // namespace
