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

// Reads a DIALOGEX template as the resource compiler wrote it; reading never passes its end,
// and a read that would have is seen at the end (pos > size).
struct Reader {
    const BYTE* data;
    size_t size, pos;
    template <typename T> T Get()
    {
        T v{};
        if (pos + sizeof(T) <= size)
            memcpy(&v, data + pos, sizeof(T));
        pos += sizeof(T);
        return v;
    }
    std::wstring Str()
    {
        std::wstring s;
        for (WCHAR c; pos < size && (c = Get<WCHAR>()) != 0;)
            s += c;
        return s;
    }
    // A string, or 0xFFFF and an ordinal (a predefined class's atom).
    std::wstring StrOrOrd()
    {
        static const wchar_t* const kClasses[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
        const WORD w = Get<WORD>();
        if (w != 0xFFFF)
            return w == 0 ? std::wstring() : std::wstring(1, static_cast<wchar_t>(w)) + Str();
        const WORD ord = Get<WORD>();
        return ord >= 0x80 && ord <= 0x85 ? kClasses[ord - 0x80] : L"#" + std::to_wstring(ord);
    }
};

// The template's style, its frame ("場所 347 x 319, MS UI Gothic 9") and its controls in order.
::testing::AssertionResult ReadTemplate(UINT id, DWORD& style, std::wstring& frame, std::vector<DlgItem>& items)
{
    HRSRC hRes = FindResourceW(kVrkObs, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    Reader r{static_cast<const BYTE*>(LockResource(LoadResource(kVrkObs, hRes))), SizeofResource(kVrkObs, hRes), 0};
    if (r.data == nullptr)
        return ::testing::AssertionFailure() << "not found";
    if (r.Get<DWORD>() != 0xFFFF0001)
        return ::testing::AssertionFailure() << "not a DIALOGEX";
    r.pos += 8;  // help id, extended style
    style = r.Get<DWORD>();
    const WORD count = r.Get<WORD>();
    r.pos += 4;  // x, y
    const short cx = r.Get<short>(), cy = r.Get<short>();
    r.StrOrOrd();  // menu
    r.StrOrOrd();  // class
    frame = r.Str() + L" " + std::to_wstring(cx) + L" x " + std::to_wstring(cy);
    if (style & DS_SETFONT) {
        const WORD points = r.Get<WORD>();
        r.pos += 4;  // weight, italic, charset
        frame += L", " + r.Str() + L" " + std::to_wstring(points);
    }
    for (WORD i = 0; i < count; ++i) {
        r.pos = (r.pos + 3) & ~size_t(3);
        r.pos += 8;  // help id, extended style
        DlgItem item;
        item.style = r.Get<DWORD>();
        r.pos += 8;  // x, y, cx, cy
        item.id = static_cast<int>(r.Get<DWORD>());
        item.cls = r.StrOrOrd();
        item.title = r.StrOrOrd();
        r.pos += r.Get<WORD>();  // creation data
        items.push_back(item);
    }
    if (r.pos > r.size)
        return ::testing::AssertionFailure() << "ends early";
    return ::testing::AssertionSuccess();
}

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
    const struct {
        UINT id;
        const wchar_t* frame;
    } frames[] = {
        {IDD_OBS, L"場所 347 x 319"},           {IDD_CITY, L"都市名 336 x 232"},
        {IDD_EDTCTY, L"場所の編集 254 x 151"},  {IDD_EDTFLD, L"フォルダの編集 184 x 45"},
        {IDD_ADDCTY, L"場所の追加 129 x 41"},   {IDD_CITY_MOVETO, L"移動先の選択 239 x 75"},
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
        DWORD style = 0;
        std::wstring frame;
        std::vector<DlgItem> items;
        ASSERT_TRUE(ReadTemplate(f.id, style, frame, items));
        EXPECT_EQ(frame, f.frame + std::wstring(L", MS UI Gothic 9"));
        const DWORD needed = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(style & (needed | WS_VISIBLE), needed) << "a modeless dialog must not show itself on creation";
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

// The strings that no dialog test shows the user or reads back: the keys the city dialogs keep
// their places under, and the name a new place starts with.
TEST(ObsResources, StringTable)
{
    const struct {
        UINT id;
        const wchar_t* text;
    } cases[] = {
        {IDS_REGKEY_CITY, L"Dialog\\City"},
        {IDS_REGKEY_ADDCITY, L"Dialog\\AddCity"},
        {IDS_REGKEY_EDITFOLDER, L"Dialog\\EditFolder"},
        {IDS_NEW_CITY, L"新規"},
    };
    for (const auto& c : cases) {
        wchar_t buf[256] = {};
        LoadStringW(kVrkObs, c.id, buf, 256);
        EXPECT_STREQ(buf, c.text) << "string " << c.id;
    }
}
