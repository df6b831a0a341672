#include "res/resource_city.h"
#include "res/resource_obs.h"
#include "res/resource_strings.h"

#include <afx/afxwin.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

namespace {

const HMODULE kVrkObs = GetModuleHandleW(L"vrkobs.dll");

struct DlgItem {
    DWORD style = 0;
    int id = 0;  // -1 for IDC_STATIC
    std::wstring cls, title;
};

// A template of the DLL made into a hidden dialog that does nothing of its own, so that Windows
// reads it as it reads the product's dialogs: its style (from the template's header), its frame
// ("場所, MS UI Gothic 9") and its controls in order.
struct TemplateDialog {
    explicit TemplateDialog(UINT id)
    {
        const BYTE* data = static_cast<const BYTE*>(
            LockResource(LoadResource(kVrkObs, FindResourceW(kVrkObs, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5)))));
        if (data == nullptr)
            return;
        memcpy(&style, data + 12, sizeof style);  // past version, signature, help id, extended style
        hWnd = CreateDialogIndirectParamW(kVrkObs, reinterpret_cast<LPCDLGTEMPLATEW>(data), nullptr,
                                          [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        for (HWND h = GetWindow(hWnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            items.push_back({static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)), GetDlgCtrlID(h),
                             Get(GetClassNameW, h), Get(GetWindowTextW, h)});
    }
    ~TemplateDialog() { DestroyWindow(hWnd); }
    // A window's class name or text.
    static std::wstring Get(int(WINAPI* get)(HWND, LPWSTR, int), HWND h)
    {
        wchar_t sz[256] = {};
        get(h, sz, 256);
        return sz;
    }
    // The caption and the font the controls are laid out in.
    std::wstring Frame() const
    {
        LOGFONTW lf = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hWnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        HDC dc = GetDC(hWnd);
        const int points = MulDiv(-lf.lfHeight, 72, GetDeviceCaps(dc, LOGPIXELSY));
        ReleaseDC(hWnd, dc);
        return Get(GetWindowTextW, hWnd) + L", " + lf.lfFaceName + L" " + std::to_wstring(points);
    }

    DWORD style = 0;
    HWND hWnd = nullptr;
    std::vector<DlgItem> items;
};

// The upper-case access key of a caption ("経度(&O)：" -> 'O'), or 0; "&&" is a literal '&'.
wchar_t AccessKeyOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == L'&' && caption[i + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(caption[i + 1]));
        if (caption[i] == L'&')
            ++i;
    }
    return 0;
}

bool Is(const DlgItem& item, const wchar_t* cls)
{
    return _wcsicmp(item.cls.c_str(), cls) == 0;
}

bool IsRadio(const DlgItem& item)
{
    const DWORD type = item.style & BS_TYPEMASK;
    return Is(item, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

}  // namespace

// Every template of the DLL with its frame, and the guards that keep its keyboard right: no
// control id or access key twice; a label's key moves the focus to the first tab stop after it,
// which no other label leads to; each run of radio buttons is one group (merged runs share one
// check, a split run keeps two); an automatic up-down buddies the edit just before it, and none
// writes its own position there, since the handlers set the numbers.
TEST(ObsResources, Templates)
{
    const struct { UINT id; const wchar_t* frame; } frames[] = {
        {IDD_OBS, L"場所"},         {IDD_CITY, L"都市名"},        {IDD_EDTCTY, L"場所の編集"},
        {IDD_EDTFLD, L"フォルダの編集"}, {IDD_ADDCTY, L"場所の追加"}, {IDD_CITY_MOVETO, L"移動先の選択"}, {IDD_CITY_FIND, L"場所の検索"},
    };
    std::set<UINT> ids, expected;
    EnumResourceNamesW(
        kVrkObs, MAKEINTRESOURCEW(5),
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            reinterpret_cast<std::set<UINT>*>(param)->insert(
                static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    for (const auto& f : frames)
        expected.insert(f.id);
    EXPECT_EQ(ids, expected);
    for (const auto& f : frames) {
        SCOPED_TRACE("template " + std::to_string(f.id));
        const TemplateDialog dlg(f.id);
        ASSERT_NE(dlg.hWnd, nullptr);
        EXPECT_EQ(dlg.Frame(), f.frame + std::wstring(L", MS UI Gothic 9"));
        const DWORD needed = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(dlg.style & (needed | WS_VISIBLE), needed) << "a modeless dialog must not show itself on creation";
        const std::vector<DlgItem>& items = dlg.items;
        std::set<int> seenIds;
        std::set<wchar_t> keys;
        std::set<size_t> targets;
        for (size_t i = 0; i < items.size(); ++i) {
            const DlgItem& item = items[i];
            const std::string what = "control " + std::to_string(item.id);
            EXPECT_TRUE(item.id == -1 || item.id == 0xFFFF || seenIds.insert(item.id).second)
                << what << ": id twice";
            const wchar_t key = AccessKeyOf(item.title);
            const char shownKey = static_cast<char>(key < 0x80 ? key : '?');
            EXPECT_TRUE(key == 0 || keys.insert(key).second) << what << ": access key " << shownKey << " twice";
            if (key != 0 && (Is(item, L"Static") || (Is(item, L"Button") && (item.style & BS_TYPEMASK) == BS_GROUPBOX))) {
                size_t k = 1;
                while (k < items.size() && !(items[(i + k) % items.size()].style & WS_TABSTOP))
                    ++k;
                EXPECT_TRUE(k < items.size() && targets.insert((i + k) % items.size()).second)
                    << "the label of " << shownKey << " leads to no control of its own";
            }
            EXPECT_TRUE(!IsRadio(item) || ((item.style & WS_GROUP) != 0) == (i == 0 || !IsRadio(items[i - 1])))
                << what << ": radio runs merged or split";
            const bool bUpDown = Is(item, UPDOWN_CLASSW);
            EXPECT_FALSE(bUpDown && (item.style & UDS_SETBUDDYINT)) << what << " writes its buddy's text";
            EXPECT_FALSE(bUpDown && (item.style & UDS_AUTOBUDDY) && !(i > 0 && Is(items[i - 1], L"Edit")))
                << what << " follows no edit";
        }
    }
}

// The city tree's images as its image list takes them: found through the resource chain,
// 16 x 15, four different pictures on a background of the image list's mask colour.
TEST(ObsResources, CityTreeImagesLoadThroughTheChainWithTheirBackgroundMasked)
{
    std::set<std::vector<DWORD>> pictures;
    HDC dc = GetDC(nullptr);
    for (UINT id : {IDB_CITY_FOLDER, IDB_CITY_FOLDER_OPEN, IDB_CITY_PLACE_SEL, IDB_CITY_PLACE}) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        CBitmap bitmap;
        BITMAP bm = {};
        ASSERT_TRUE(bitmap.LoadBitmap(id) && bitmap.GetBitmap(&bm));
        EXPECT_EQ(std::make_pair(bm.bmWidth, bm.bmHeight), std::make_pair(16L, 15L));
        BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), 16, -15, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        std::vector<DWORD> picture(16 * 15);
        ASSERT_EQ(GetDIBits(dc, bitmap.GetSafeHandle(), 0, 15, picture.data(), &bi,
                            DIB_RGB_COLORS), 15);
        for (DWORD& px : picture)
            px &= 0x00FFFFFF;
        EXPECT_EQ(picture[0], 0xFF0000u) << "corner not of the mask colour";
        EXPECT_LE(std::count(picture.begin(), picture.end(), 0xFF0000u), 16 * 15 * 3 / 4)
            << "hardly anything drawn";
        pictures.insert(picture);
    }
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(pictures.size(), 4u);
}

// Strings no dialog test shows: the name a new place starts with, and the keys under which
// users' window positions are stored. The other texts are checked where the dialogs show them.
TEST(ObsResources, StringTable)
{
    const struct { UINT id; const wchar_t* text; } cases[] = {{IDS_NEW_CITY, L"新規"}, {IDS_REGKEY_CITY, L"Dialog\\City"},
        {IDS_REGKEY_ADDCITY, L"Dialog\\AddCity"}, {IDS_REGKEY_EDITFOLDER, L"Dialog\\EditFolder"}};
    for (const auto& c : cases) {
        wchar_t buf[32] = {};
        LoadStringW(kVrkObs, c.id, buf, 32);
        EXPECT_STREQ(buf, c.text) << "string " << c.id;
    }
}
