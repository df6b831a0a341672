#include <windows.h>
#include <commctrl.h>

#include <cwctype>

#include "res/resource_obs.h"
#include "res/resource_strings.h"

#include <gtest/gtest.h>

#include <map>
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

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct Control {
    int id;
    std::wstring text;
    DWORD style;
};

// The dialog and the controls that Windows makes of a template: created, read, destroyed.
// False when the template cannot be made into a dialog.
bool ReadDialog(UINT idTemplate, DWORD& dwStyle, std::vector<Control>& controls)
{
    HWND hDlg = CreateDialogParamW(VrkObsModule(), MAKEINTRESOURCEW(idTemplate), nullptr,
                                   NoDialogProc, 0);
    if (hDlg == nullptr)
        return false;
    dwStyle = static_cast<DWORD>(GetWindowLongW(hDlg, GWL_STYLE));
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t szText[256] = {};
        GetWindowTextW(h, szText, 256);
        const DWORD dwControlStyle = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
        controls.push_back({GetDlgCtrlID(h), szText, dwControlStyle});
    }
    DestroyWindow(hDlg);
    return true;
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

}  // namespace

// Every dialog template of the DLL: no control id twice (statics apart) and no access key twice,
// or the keyboard reaches the wrong control.
TEST(ObsResources, NoTemplateRepeatsAnIdOrAnAccessKey)
{
    ASSERT_NE(VrkObsModule(), nullptr);
    std::vector<UINT> ids;
    EnumResourceNamesW(VrkObsModule(), reinterpret_cast<LPCWSTR>(RT_DIALOG), CollectDialog,
                       reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_FALSE(ids.empty());
    for (UINT id : ids) {
        DWORD dwStyle = 0;
        std::vector<Control> controls;
        ASSERT_TRUE(ReadDialog(id, dwStyle, controls)) << "template " << id;
        std::map<int, std::string> byId;
        std::map<wchar_t, std::string> byKey;
        for (const Control& control : controls) {
            const std::string what = "control " + std::to_string(control.id) + " \"" +
                                     Narrow(control.text) + "\"";
            if (control.id != -1 && control.id != 0xFFFF) {
                EXPECT_TRUE(byId.emplace(control.id, what).second)
                    << "template " << id << ": id " << control.id << " twice";
            }
            if (const wchar_t key = AccessKeyOf(control.text)) {
                EXPECT_TRUE(byKey.emplace(key, what).second)
                    << "template " << id << ": access key " << Narrow(std::wstring(1, key))
                    << " on " << what << " and on " << byKey[key];
            }
        }
    }
}

// What the dialog's code relies on in its template: a modeless dialog that does not show itself,
// a map place that is never seen, and up-downs that leave their buddies' text to the handlers.
TEST(ObsResources, LocationTemplateStyles)
{
    DWORD dwStyle = 0;
    std::vector<Control> controls;
    ASSERT_TRUE(ReadDialog(IDD_OBS, dwStyle, controls));
    EXPECT_EQ(dwStyle & WS_VISIBLE, 0u) << "a modeless dialog that shows itself on creation";
    constexpr DWORD kBuddy = UDS_SETBUDDYINT | UDS_AUTOBUDDY;
    const std::map<int, DWORD> forbidden = {
        {IDC_OBS_MAP, WS_VISIBLE},   {IDC_SPN_LNG_DEG, kBuddy}, {IDC_SPN_LNG_MIN, kBuddy},
        {IDC_SPN_LNG_SEC, kBuddy},   {IDC_SPN_LAT_DEG, kBuddy}, {IDC_SPN_LAT_MIN, kBuddy},
        {IDC_SPN_LAT_SEC, kBuddy},   {IDC_SPN_ALT, kBuddy},     {IDC_SPN_TZ_HOUR, kBuddy},
        {IDC_SPN_TZ_MIN, kBuddy},
    };
    int nFound = 0;
    for (const Control& control : controls) {
        const auto it = forbidden.find(control.id);
        if (it == forbidden.end())
            continue;
        ++nFound;
        EXPECT_EQ(control.style & it->second, 0u) << "control " << control.id;
    }
    EXPECT_EQ(nFound, static_cast<int>(forbidden.size()));
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
