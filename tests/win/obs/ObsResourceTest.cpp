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

// Each control where the layout puts it; -1 where the layout leaves a size open.
TEST(ObsResources, LocationTemplateControls)
{
    struct Expected {
        int id;
        const wchar_t* cls;
        const wchar_t* title;
        int x, y, cx, cy;
    };
    const Expected expected[] = {
        {IDC_OBS_MAP, L"Static", L"map", 3, 6, 231, 253},
        {IDC_STC_SLIDER_TOP, L"Static", L"広域", 240, 7, -1, -1},
        {IDC_STC_SLIDER_BOTTOM, L"Static", L"詳細", 240, 252, -1, -1},
        {IDC_OBS_SLIDER, L"msctls_trackbar32", L"", 235, 17, 24, 233},
        {IDC_GRP_LNG, L"Button", L"経度(&O)：", 261, 7, 83, 67},
        {IDC_RD_EAST, L"Button", L"東経", 265, 19, -1, -1},
        {IDC_RD_WEST, L"Button", L"西経", 265, 33, -1, -1},
        {IDC_EDT_LNG_DEG, L"Edit", L"", 296, 19, 24, 14},
        {IDC_SPN_LNG_DEG, L"msctls_updown32", L"", 320, 19, 9, 14},
        {IDC_EDT_LNG_MIN, L"Edit", L"", 296, 36, 24, 14},
        {IDC_SPN_LNG_MIN, L"msctls_updown32", L"", 320, 36, 9, 14},
        {IDC_EDT_LNG_SEC, L"Edit", L"", 296, 53, 24, 14},
        {IDC_SPN_LNG_SEC, L"msctls_updown32", L"", 320, 53, 9, 14},
        {IDC_GRP_LAT, L"Button", L"緯度(&A)：", 261, 77, 83, 67},
        {IDC_RD_NORTH, L"Button", L"北緯", 265, 89, -1, -1},
        {IDC_RD_SOUTH, L"Button", L"南緯", 265, 103, -1, -1},
        {IDC_EDT_LAT_DEG, L"Edit", L"", 296, 89, 24, 14},
        {IDC_SPN_LAT_DEG, L"msctls_updown32", L"", 320, 89, 9, 14},
        {IDC_EDT_LAT_MIN, L"Edit", L"", 296, 106, 24, 14},
        {IDC_SPN_LAT_MIN, L"msctls_updown32", L"", 320, 106, 9, 14},
        {IDC_EDT_LAT_SEC, L"Edit", L"", 296, 123, 24, 14},
        {IDC_SPN_LAT_SEC, L"msctls_updown32", L"", 320, 123, 9, 14},
        {IDC_GRP_ALT, L"Button", L"標高(&E)：", 261, 147, 83, 42},
        {IDC_RD_ALT_AUTO, L"Button", L"自動", 265, 159, -1, -1},
        {IDC_RD_ALT_MANUAL, L"Button", L"手動", 265, 173, -1, -1},
        {IDC_EDT_ALT, L"Edit", L"", 296, 163, 24, 14},
        {IDC_SPN_ALT, L"msctls_updown32", L"", 320, 163, 9, 14},
        {IDC_STC_ALT_UNIT, L"Static", L"km", 332, 166, -1, -1},
        {IDC_GRP_TZ, L"Button", L"タイムゾーン(&T)：", 261, 192, 83, 50},
        {IDC_RD_TZ_P, L"Button", L"+", 265, 206, -1, -1},
        {IDC_RD_TZ_M, L"Button", L"-", 265, 221, -1, -1},
        {IDC_EDT_TZ_HOUR, L"Edit", L"", 295, 204, 24, 14},
        {IDC_SPN_TZ_HOUR, L"msctls_updown32", L"", 319, 204, 9, 14},
        {IDC_EDT_TZ_MIN, L"Edit", L"", 295, 221, 24, 14},
        {IDC_SPN_TZ_MIN, L"msctls_updown32", L"", 319, 221, 9, 14},
        {IDC_STC_TZ_HOUR, L"Static", L"時", 331, 207, -1, -1},
        {IDC_STC_TZ_MIN, L"Static", L"分", 331, 224, -1, -1},
        {IDC_GRP_FEATURE, L"Button", L"ランドマーク表示(&L)：", 3, 265, 341, 31},
        {IDC_OBS_CHK_FEATURE_OBS, L"Button", L"観測地", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_CUTCHERRY, L"Button", L"市区町村", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_CITY, L"Button", L"都市", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_ASTRO, L"Button", L"天文台", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_MOUNT, L"Button", L"山岳", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_NATURAL_TERRAIN, L"Button", L"自然地形", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_BUILDING, L"Button", L"建造物", -1, 279, -1, -1},
        {IDC_OBS_CHK_FEATURE_OTHER, L"Button", L"その他", -1, 279, -1, -1},
        {IDC_OBS_BTN_SET_INIT, L"Button", L"初期値として保存(&I)", 3, 299, 68, 14},
        {IDC_OBS_BTN_RESET, L"Button", L"初期値に戻す(&R)", 74, 299, 68, 14},
        {IDC_OBS_BTN_CITY, L"Button", L"都市名選択(&N)...", 148, 299, 68, 14},
        {IDOK, L"Button", L"閉じる(&C)", 294, 299, 50, 14},
    };
    DlgTemplate dlg;
    std::string error;
    ASSERT_TRUE(ReadDlgTemplate(VrkObsModule(), MAKEINTRESOURCEW(IDD_OBS), dlg, error)) << error;
    std::map<int, const DlgItem*> byId;
    for (const DlgItem& item : dlg.items)
        byId[item.id] = &item;
    for (const Expected& e : expected) {
        SCOPED_TRACE("control " + std::to_string(e.id));
        ASSERT_EQ(byId.count(e.id), 1u);
        const DlgItem& item = *byId[e.id];
        EXPECT_EQ(_wcsicmp(item.cls.c_str(), e.cls), 0) << Narrow(item.cls);
        EXPECT_EQ(item.title, e.title);
        if (e.x >= 0) {
            EXPECT_EQ(item.x, e.x);
        }
        EXPECT_EQ(item.y, e.y);
        if (e.cx >= 0) {
            EXPECT_EQ(item.cx, e.cx);
        }
        if (e.cy >= 0) {
            EXPECT_EQ(item.cy, e.cy);
        }
    }
    // The map's place is never shown; the up-downs neither move nor write their buddies' text.
    EXPECT_EQ(byId[IDC_OBS_MAP]->style & WS_VISIBLE, 0u);
    for (int id : {IDC_SPN_LNG_DEG, IDC_SPN_LNG_MIN, IDC_SPN_LNG_SEC, IDC_SPN_LAT_DEG,
                   IDC_SPN_LAT_MIN, IDC_SPN_LAT_SEC, IDC_SPN_ALT, IDC_SPN_TZ_HOUR, IDC_SPN_TZ_MIN}) {
        EXPECT_EQ(byId[id]->style & (UDS_SETBUDDYINT | UDS_AUTOBUDDY), 0u) << "up-down " << id;
    }
    // The unit labels of the longitude and latitude rows.
    int nUnits = 0;
    for (const DlgItem& item : dlg.items)
        if (item.id == -1 && item.x == 332 &&
            (item.title == L"度" || item.title == L"分" || item.title == L"秒"))
            ++nUnits;
    EXPECT_EQ(nUnits, 6);
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
