#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Reads a dialog template resource (DIALOG or DIALOGEX) into plain values, so that tests can
// check what the resource compiler made of the .rc.
struct DlgItem {
    DWORD style = 0;
    int id = 0;               // -1 for IDC_STATIC
    std::wstring cls;         // "Button", "Edit", "Static", ... or the class name as written
    std::wstring title;
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct DlgTemplate {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;
    std::wstring face;
    std::vector<DlgItem> items;
};

// False when the resource is missing or malformed (error says why).
bool ReadDlgTemplate(HMODULE hModule, LPCWSTR name, DlgTemplate& dlg, std::string& error);

// The upper-case access key of a caption ("経度(&O)：" -> 'O'), or 0; "&&" is a literal '&'.
wchar_t AccessKeyOf(const std::wstring& caption);
