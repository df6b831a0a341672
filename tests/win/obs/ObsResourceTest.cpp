#include "DlgTemplateReader.h"

#include <commctrl.h>

#include "res/resource_city.h"
#include "res/resource_obs.h"
#include "res/resource_strings.h"

#include <afx/afxwin.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

HMODULE VrkObsModule()
{
    return GetModuleHandleW(L"vrkobs.dll");
}

std::string Narrow(const std::wstring& w)
{
    std::string s;
    for (wchar_t c : w)
        s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

BOOL CALLBACK CollectDialog(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(param)->push_back(
            static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

std::vector<UINT> TemplateIds()
{
    std::vector<UINT> ids;
    EnumResourceNamesW(VrkObsModule(), reinterpret_cast<LPCWSTR>(RT_DIALOG), CollectDialog,
                       reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

// Every template of the DLL, read; one that cannot be read fails the test that asked.
std::vector<std::pair<UINT, DlgTemplate>> Templates()
{
    std::vector<std::pair<UINT, DlgTemplate>> all;
    for (UINT id : TemplateIds()) {
        DlgTemplate dlg;
        std::string error;
        if (ReadDlgTemplate(VrkObsModule(), MAKEINTRESOURCEW(id), dlg, error))
            all.emplace_back(id, dlg);
        else
            ADD_FAILURE() << "template " << id << ": " << error;
    }
    return all;
}

bool IsClass(const DlgItem& item, const wchar_t* cls)
{
    return _wcsicmp(item.cls.c_str(), cls) == 0;
}

bool IsRadio(const DlgItem& item)
{
    const DWORD type = item.style & BS_TYPEMASK;
    return IsClass(item, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

bool IsLabel(const DlgItem& item)
{
    return IsClass(item, L"Static") ||
           (IsClass(item, L"Button") && (item.style & BS_TYPEMASK) == BS_GROUPBOX);
}

}  // namespace

// Every dialog template of the DLL: no control id twice (statics apart) and no access key twice,
// or the keyboard reaches the wrong control.
TEST(ObsResources, NoTemplateRepeatsAnIdOrAnAccessKey)
{
    ASSERT_NE(VrkObsModule(), nullptr);
    const std::vector<UINT> ids = TemplateIds();
    ASSERT_FALSE(ids.empty());
    for (UINT id : ids) {
        DlgTemplate dlg;
        std::string error;
        ASSERT_TRUE(ReadDlgTemplate(VrkObsModule(), MAKEINTRESOURCEW(id), dlg, error))
            << "template " << id << ": " << error;
        std::map<int, std::string> byId;
        std::map<wchar_t, std::string> byKey;
        for (const DlgItem& item : dlg.items) {
            const std::string what = "control " + std::to_string(item.id) + " \"" +
                                     Narrow(item.title) + "\"";
            if (item.id != -1 && item.id != 0xFFFF) {
                EXPECT_TRUE(byId.emplace(item.id, what).second)
                    << "template " << id << ": id " << item.id << " twice";
            }
            if (const wchar_t key = AccessKeyOf(item.title)) {
                EXPECT_TRUE(byKey.emplace(key, what).second)
                    << "template " << id << ": access key " << Narrow(std::wstring(1, key))
                    << " on " << what << " and on " << byKey[key];
            }
        }
    }
}

// A label's access key moves the focus to the first tab stop after the label: two labels that
// lead to one control send one of their keys to the wrong field.
TEST(ObsResources, EachLabelLeadsToAControlOfItsOwn)
{
    for (const auto& [id, dlg] : Templates()) {
        const size_t n = dlg.items.size();
        std::map<size_t, wchar_t> reachedBy;
        for (size_t i = 0; i < n; ++i) {
            const wchar_t key = AccessKeyOf(dlg.items[i].title);
            if (!key || !IsLabel(dlg.items[i]))
                continue;
            size_t k = 1;
            while (k < n && !(dlg.items[(i + k) % n].style & WS_TABSTOP))
                ++k;
            ASSERT_LT(k, n) << "template " << id << ": no control after the label of &"
                            << Narrow(std::wstring(1, key));
            const size_t target = (i + k) % n;
            const auto [it, added] = reachedBy.emplace(target, key);
            EXPECT_TRUE(added) << "template " << id << ": the labels of &"
                               << Narrow(std::wstring(1, it->second)) << " and &"
                               << Narrow(std::wstring(1, key)) << " both lead to control "
                               << dlg.items[target].id;
        }
    }
}

// Each run of radio buttons is one group: runs that merge share one check and one DDX_Radio
// value; a run split in two keeps two checks.
TEST(ObsResources, EachRunOfRadioButtonsIsOneGroup)
{
    for (const auto& [id, dlg] : Templates()) {
        for (size_t i = 0; i < dlg.items.size(); ++i) {
            if (!IsRadio(dlg.items[i]))
                continue;
            const bool first = i == 0 || !IsRadio(dlg.items[i - 1]);
            EXPECT_EQ((dlg.items[i].style & WS_GROUP) != 0, first)
                << "template " << id << ": radio button " << dlg.items[i].id;
        }
    }
}

// An automatic buddy is the control just before the up-down, which must be its edit; and no
// up-down writes its own position there, since the handlers set the numbers.
TEST(ObsResources, UpDownsBuddyTheEditBeforeThemAndLeaveItsText)
{
    for (const auto& [id, dlg] : Templates()) {
        for (size_t i = 0; i < dlg.items.size(); ++i) {
            const DlgItem& item = dlg.items[i];
            if (!IsClass(item, UPDOWN_CLASSW))
                continue;
            EXPECT_EQ(item.style & UDS_SETBUDDYINT, 0u)
                << "template " << id << ": up-down " << item.id;
            if (item.style & UDS_AUTOBUDDY) {
                EXPECT_TRUE(i > 0 && IsClass(dlg.items[i - 1], L"Edit"))
                    << "template " << id << ": up-down " << item.id << " follows no edit";
            }
        }
    }
}

// The city tree's images as its image list takes them: found through the resource chain,
// 16 x 15, the red background masked out, four different pictures.
TEST(ObsResources, CityTreeImagesLoadThroughTheChainWithTheirBackgroundMasked)
{
    CImageListManaged images;
    ASSERT_TRUE(images.Create(16, 15, ILC_MASK, 4, 2));
    for (UINT id : {IDB_CITY_FOLDER, IDB_CITY_FOLDER_OPEN, IDB_CITY_PLACE_SEL, IDB_CITY_PLACE}) {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmap(id)) << "bitmap " << id;
        BITMAP bm = {};
        ASSERT_TRUE(bitmap.GetBitmap(&bm));
        EXPECT_EQ(bm.bmWidth, 16) << "bitmap " << id;
        EXPECT_EQ(bm.bmHeight, 15) << "bitmap " << id;
        ASSERT_GE(images.Add(&bitmap, RGB(255, 0, 0)), 0) << "bitmap " << id;
    }

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -15;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(canvas, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    const DWORD* px = static_cast<const DWORD*>(bits);
    // A ground colour that no image uses, so that only masked pixels show it.
    const COLORREF ground = RGB(0x12, 0x34, 0x56);
    const DWORD groundPixel = 0x123456;
    HBRUSH brush = CreateSolidBrush(ground);
    std::set<std::vector<DWORD>> pictures;
    for (int i = 0; i < images.GetImageCount(); ++i) {
        const RECT all = {0, 0, 16, 15};
        FillRect(dc, &all, brush);
        images.Draw(dc, i, POINT{0, 0}, ILD_NORMAL);
        GdiFlush();
        std::vector<DWORD> picture(px, px + 16 * 15);
        for (DWORD& c : picture)
            c &= 0x00FFFFFF;
        EXPECT_EQ(picture[0], groundPixel) << "image " << i << ": corner not masked";
        const auto masked = std::count(picture.begin(), picture.end(), groundPixel);
        EXPECT_LE(masked, 16 * 15 * 3 / 4) << "image " << i << ": hardly anything drawn";
        pictures.insert(picture);
    }
    EXPECT_EQ(pictures.size(), 4u);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
}

// Every template the dialogs load, each with its frame: a missing one fails here, before a
// dialog fails to open.
TEST(ObsResources, TemplateFrames)
{
    const struct {
        UINT id;
        const wchar_t* title;
        short cx, cy;
    } cases[] = {
        {IDD_OBS, L"場所", 347, 319},
        {IDD_CITY, L"都市名", 336, 232},
        {IDD_EDTCTY, L"場所の編集", 254, 151},
        {IDD_EDTFLD, L"フォルダの編集", 184, 45},
        {IDD_ADDCTY, L"場所の追加", 129, 41},
        {IDD_CITY_MOVETO, L"移動先の選択", 239, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("template " + std::to_string(c.id));
        DlgTemplate dlg;
        std::string error;
        ASSERT_TRUE(ReadDlgTemplate(VrkObsModule(), MAKEINTRESOURCEW(c.id), dlg, error)) << error;
        EXPECT_EQ(dlg.title, c.title);
        EXPECT_EQ(dlg.cx, c.cx);
        EXPECT_EQ(dlg.cy, c.cy);
        EXPECT_EQ(dlg.face, L"MS UI Gothic");
        EXPECT_EQ(dlg.pointSize, 9);
        const DWORD needed = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(dlg.style & needed, needed);
        // The location dialog is modeless and the city list also runs hidden.
        EXPECT_EQ(dlg.style & WS_VISIBLE, 0u) << "a dialog that shows itself on creation";
    }
}

TEST(ObsResources, StringTable)
{
    const struct {
        UINT id;
        const wchar_t* text;
    } cases[] = {
        {IDS_DELETE_ITEM, L"\"%1\"を削除します"},
        {IDS_DELETE_FOLDER, L"\"%1\"フォルダとこのフォルダに含まれるすべての情報を消去します。"},
        {IDS_REGKEY_CITY, L"Dialog\\City"},
        {IDS_REGKEY_OBS, L"Dialog\\Obs"},
        {IDS_REGKEY_ADDCITY, L"Dialog\\AddCity"},
        {IDS_REGKEY_EDITCITY, L"Dialog\\EditCity"},
        {IDS_REGKEY_EDITFOLDER, L"Dialog\\EditFolder"},
        {IDS_ALT_RANGE, L"%sの標高には %.0f から %.0f までの値を入力してください。"},
        {IDS_LNG_RANGE, L"経度には %d から %d までの値を入力してください。"},
        {IDS_MOVE_BEHIND_FOLDER, L"[%s] フォルダの後ろに挿入"},
        {IDS_MOVE_INTO_FOLDER, L"[%s] フォルダの中に移動"},
        {IDS_NEW_CITY, L"新規"},
    };
    for (const auto& c : cases) {
        wchar_t buf[256] = {};
        LoadStringW(VrkObsModule(), c.id, buf, 256);
        EXPECT_STREQ(buf, c.text) << "string " << c.id;
    }
}
