#include "TestFiles.h"

#include <citydb/CityName.h>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A name that reached the tree another way (a hand-edited change log) is written with full-width
// marks: the list reads back one item of that name, with its values, and the next item stays in
// the folder.
TEST(NameSafety, WrittenListReadsBackTheSameTree)
{
    const struct { const char* fault; CString name; bool bFolder; const char* readBack; } cases[] = {
        {"comma split the place line", L"Washington, D.C.", false, "Washington， D.C."},
        {"place read as a close line", L" #x,y@", false, "＃x，y@"},
        {"place read as a folder line", L"@x", false, "＠x"},
        {"folder nested one deeper", L"@x", true, "＠x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir dir;
        LoadedList written, read;
        HCITYITEM hFolder = written.tree.InsertItem(L"F", 0, 1, CITY_FOLDER_DATA, written.Root(), CITY_TVI_LAST);
        if (c.bFolder)
            written.tree.InsertItem(c.name, 0, 1, CITY_FOLDER_DATA, hFolder, CITY_TVI_LAST);
        else
            written.Add(hFolder, c.name, -77.0366, 38.8951, 7, -5, 1, 1, 2);
        written.Add(hFolder, L"next", 1, 2, 3, 4);
        read.Load(dir, written.data.BuildUserObsText(written.tree));
        EXPECT_EQ(TreeNames(read.tree), "場所{F{" + std::string(c.readBack) + (c.bFolder ? "{}" : "") + ",next}}");
        if (!c.bFolder) {
            const CCityList& place = read.data.CityAt(0);
            EXPECT_EQ(std::make_tuple(place.m_dLon, place.m_dLat, place.m_dAlt, place.m_dTz, place.m_nType),
                      std::make_tuple(-77.0366, 38.8951, 7.0, -5.0, 2));
        }
    }
}

// A character the code page lacks would be saved as "?" or a look-alike and come back as another
// name; the editors refuse it by name. What the code page holds stays allowed. Accented Latin
// is the place editor's test's (EdtCty), Hangul obsdb's, a comma beside such a character the
// editor's label edit's.
TEST(NameSafety, CharactersTheCodePageLacksAreRefusedByName)
{
    const struct { const char* fault; CString name; CString refusal; } cases[] = {
        {"an emoji, a surrogate pair in UTF-16", L"東京🗼", L"都市名に「🗼」は使えません(保存できない文字です)。\n"},
        {"best-fit only: e for é, ≪ for «", L"«Café»", L"都市名に「«」「é」「»」は使えません(保存できない文字です)。\n"},
        {"Greek, Cyrillic, full-width forms or the NEC and IBM extensions refused", L"Αθηνα Москва ＡＢＣ１ｱｲ ①㈱№∮ 髙﨑ⅰ￤", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(c.refusal, CityNameRefusal(c.name, L"都市名"));
    }
}

}  // namespace
