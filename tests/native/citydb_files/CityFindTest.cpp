#include <citydb/CityFind.h>
#include <citydb/CMemTree.h>

#include <afx/AnsiCodePage.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// 場所 > 日本 > 東京都 > (東京, 八王子市), 日本 > とうきょう湾, 世界 > Springfield, ＳＰＲＩＮＧＦＩＥＬＤ館, ガーデン.
std::string Found(const wchar_t* after, const wchar_t* text)
{
    CMemTree tree;
    auto add = [&](const wchar_t* name, HCITYITEM hParent) { return tree.InsertItem(name, 0, 1, CITY_FOLDER_DATA, hParent, CITY_TVI_LAST); };
    HCITYITEM root = add(L"場所", nullptr), japan = add(L"日本", root), tokyo = add(L"東京都", japan), world = add(L"世界", root);
    add(L"東京", tokyo), add(L"八王子市", tokyo), add(L"とうきょう湾", japan);
    add(L"Springfield", world), add(L"ＳＰＲＩＮＧＦＩＥＬＤ館", world), add(L"ガーデン", world);
    HCITYITEM hAfter = nullptr;
    for (HCITYITEM h : tree.GetItems())
        hAfter = after && tree.GetItemText(h) == after ? h : hAfter;
    HCITYITEM h = CityFindNext(tree, hAfter, text);
    return h ? AnsiFromWide(tree.GetItemText(h).wstr()) : "(none)";
}

// The search from after the selection, its wrap, a match by letters of another case, width or
// kana, and none at all are the city list dialog's find test's (DlgCityFind); folders and
// half-width kana are found in obsdb's find too.
TEST(CityFind, FindsTheNextNameThatHoldsTheTextInTreeOrder)
{
    const struct { const char* fault; const wchar_t *after, *text; const wchar_t* found; } cases[] = {
        {"the selection itself not found last", L"八王子市", L"八王子", L"八王子市"},
        {"full-width against half-width", L"Springfield", L"springfield", L"ＳＰＲＩＮＧＦＩＥＬＤ館"},
        {"half-width katakana with a voiced mark", nullptr, L"ｶﾞｰﾃﾞﾝ", L"ガーデン"},
        {"katakana against hiragana", nullptr, L"トウキョウ", L"とうきょう湾"},
        {"a reading dictionary used", nullptr, L"とうきょうと", L"(none)"},
        {"an empty text found something", nullptr, L"", L"(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(AnsiFromWide(c.found), Found(c.after, c.text));
    }
}

}  // namespace
