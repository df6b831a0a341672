#include "TestFiles.h"

#include <citydb/CCityEditor.h>
#include <citydb/CPlaceFields.h>

#include <gtest/gtest.h>

namespace {

// The place editor's and the folder editor's OK refuse a name the list would read back as
// something else, naming the character; the rest of the checks go on as before.
TEST(NameSafety, EditorsRefuseNamesTheListCannotHold)
{
    const struct {
        const char* fault;
        CString name;
        int nLonDeg;
        CString place;   // the place editor's text
        CString folder;  // the folder editor's
    } cases[] = {
        {"comma", L"Washington, D.C.", 0, L"都市名に半角の「,」(カンマ)は使えません。\n",
         L"フォルダ名に半角の「,」(カンマ)は使えません。\n"},
        {"leading hash", L"#x", 0, L"都市名の先頭に半角の「#」は使えません。\n",
         L"フォルダ名の先頭に半角の「#」は使えません。\n"},
        {"leading at after blanks the trim removes", L"  @x ", 0, L"都市名の先頭に半角の「@」は使えません。\n",
         L"フォルダ名の先頭に半角の「@」は使えません。\n"},
        {"both, before the values' messages", L"@a,b", 181,
         L"都市名の先頭に半角の「@」は使えません。\n都市名に半角の「,」(カンマ)は使えません。\n"
         L"経度には 0.0 から 180.0 までの値を入力してください\n",
         L"フォルダ名の先頭に半角の「@」は使えません。\nフォルダ名に半角の「,」(カンマ)は使えません。\n"},
        {"marks inside a name are harmless", L"x#y@z", 0, L"", L""},
        {"full-width forms are allowed", L"＃x，y", 0, L"", L""},
        {"blanks only stay the empty-name refusal", L" \t", 0, L"都市名を入力してください。\n",
         L"フォルダ名を入力してください。\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CPlaceFields fields;
        fields.m_strName = c.name;
        fields.m_nLonDeg = c.nLonDeg;
        EXPECT_EQ(fields.Check(), c.place);
        CString strFolder = c.name;
        EXPECT_EQ(CCityEditor::CheckFolderName(strFolder), c.folder);
    }
}

// A name that reached the tree another way (a hand-edited change log) is written with full-width
// marks: reading the list back gives one item of that name where it was, with its values, and
// the item behind it stays in its folder.
TEST(NameSafety, WrittenListReadsBackTheSameTree)
{
    const struct {
        const char* fault;
        CString name;
        bool bFolder;
        const wchar_t* readBack;
    } cases[] = {
        {"comma split the place line", L"Washington, D.C.", false, L"Washington， D.C."},
        {"place read as a close line", L"#x", false, L"＃x"},
        {"place read as a folder line", L"@x", false, L"＠x"},
        {"blanks before the mark", L"  #x", false, L"＃x"},
        {"only the leading mark changes", L"x#,y@", false, L"x#，y@"},
        {"folder nested one deeper", L"@x", true, L"＠x"},
        {"folder with a comma", L"a,b", true, L"a，b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        TempDir dir;
        LoadedList written;
        HCITYITEM hFolder = written.tree.InsertItem(L"F", 0, 1, CITY_FOLDER_DATA, written.Root(), CITY_TVI_LAST);
        if (c.bFolder)
            written.tree.InsertItem(c.name, 0, 1, CITY_FOLDER_DATA, hFolder, CITY_TVI_LAST);
        else
            written.Add(hFolder, c.name, -77.0366, 38.8951, 7, -5, 1, 1, 2);
        written.Add(hFolder, L"next", 1, 2, 3, 4);
        LoadedList read;
        read.Load(dir, written.data.BuildUserObsText(written.tree));
        const std::string name = A(c.readBack);
        EXPECT_EQ(DumpTree(read.tree), A(L"場所") + "{F{" + name + (c.bFolder ? "{}" : "") + ",next}}");
        if (!c.bFolder) {
            ASSERT_EQ(read.data.m_nCityNum, 2);
            const CCityList& place = read.data.CityAt(0);
            EXPECT_DOUBLE_EQ(place.m_dLon, -77.0366);
            EXPECT_DOUBLE_EQ(place.m_dLat, 38.8951);
            EXPECT_EQ(place.m_dAlt, 7);
            EXPECT_EQ(place.m_dTz, -5);
            EXPECT_EQ(place.m_nType, 2);
        }
    }
}

}  // namespace
