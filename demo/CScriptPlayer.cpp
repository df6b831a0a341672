#include "CScriptPlayer.h"

#include "CTreeDriver.h"
#include "WindowImage.h"

#include <afx/AfxMessageBox.h>
#include <afx/AfxTest.h>
#include <afx/CDialog.h>
#include <citydb/CSafeFile.h>
#include <citydb/Utf8Text.h>
#include <vrkreg/CRegistry.h>

#include <commctrl.h>

#include <cstdio>
#include <map>

CScriptPlayer* CScriptPlayer::s_pActive = nullptr;

namespace {

// The stand-in map control in the location dialog.
constexpr int kMapId = 5002;

CString Wide(const std::string& utf8)
{
    return CString(CityWideFromUtf8(utf8));
}

int IntOf(const picojson::object& o, const char* key)
{
    return static_cast<int>(o.at(key).get<double>());
}

double NumOf(const picojson::object& o, const char* key) { return o.at(key).get<double>(); }

CString StrOf(const picojson::object& o, const char* key, const char* fallback = "")
{
    const auto it = o.find(key);
    return Wide(it != o.end() && it->second.is<std::string>() ? it->second.get<std::string>()
                                                              : std::string(fallback));
}

std::vector<CString> PathOf(const picojson::object& o, const char* key)
{
    std::vector<CString> path;
    for (const picojson::value& v : o.at(key).get<picojson::array>())
        path.push_back(Wide(v.get<std::string>()));
    return path;
}

CString ButtonName(int id)
{
    for (const auto& [name, value] : CScriptStep::ButtonIds())
        if (value == id)
            return Wide(name);
    CString s;
    s.Format(L"%d", id);
    return s;
}

// The answer a box gets when the script gave none: OK, or the first button of a box without one.
int DefaultAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

CString ClassOf(HWND h)
{
    wchar_t name[64] = {};
    ::GetClassNameW(h, name, 64);
    return name;
}

// A check box or radio button: its check state is part of what it shows.
bool IsCheckable(HWND h)
{
    if (ClassOf(h).CompareNoCase(L"Button") != 0)
        return false;
    switch (::GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE:
        return true;
    default:
        return false;
    }
}

CString TextOf(HWND h)
{
    CString text;
    CWnd::FromHandle(h)->GetWindowText(text);
    return text;
}

// Replaces an edit's whole text in one change, as a paste over a selection does.
void Paste(HWND hEdit, const CString& text)
{
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageW(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.GetString()));
}

void Settle(HWND hWnd)
{
    // Two rounds: the host refills the dialog from a posted message, and that paints again.
    for (int i = 0; i < 2; ++i) {
        AfxPumpMessages();
        ::RedrawWindow(hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::Sleep(300);
    }
    AfxPumpMessages();
}

}  // namespace

CScriptPlayer::CScriptPlayer(CTranscript& out, CDataWatch& watch, Host host)
    : m_out(out), m_watch(watch), m_host(std::move(host))
{
    s_pActive = this;
    AfxSetMessageBoxHandler(&CScriptPlayer::MessageBoxHandler);
    AfxSetModalDialogHookForAll([this](CDialog* pDlg) { OnModalDialog(pDlg); });
}

CScriptPlayer::~CScriptPlayer()
{
    AfxSetModalDialogHookForAll(nullptr);
    AfxSetMessageBoxHandler(nullptr);
    s_pActive = nullptr;
}

bool CScriptPlayer::Load(const CString& path, int& line, CString& why)
{
    line = 0;
    std::string text;
    if (!CSafeFile::Read(path, text)) {
        why = L"cannot read the script " + path;
        return false;
    }
    if (!CScriptStep::ReadAll(text, m_steps, line, why)) {
        Fail(line, why);
        return false;
    }
    return true;
}

void CScriptPlayer::Fail(int line, const CString& why)
{
    if (m_bFailed)
        return;
    m_bFailed = true;
    m_nFailLine = line;
    m_strFailWhy = why;
    m_out.Write(CJsonLine().Str("event", L"error").Int("line", line).Str("why", why));
}

void CScriptPlayer::ReportFiles()
{
    for (const auto& [name, file] : m_watch.Changes()) {
        CJsonLine e;
        e.Str("event", L"file").Str("name", name);
        if (file.size < 0)
            e.Null("size").Null("sha256");
        else
            e.Int("size", file.size).Str("sha256", Wide(file.sha256));
        m_out.Write(e);
    }
}

bool CScriptPlayer::Play(HWND hWnd, int& line, CString& why)
{
    ReportFiles();
    PlayLevel(hWnd, false);
    if (!m_bFailed && !m_answers.empty())
        Fail(m_answers.front()->line, L"no message box came for this answer");
    if (!m_bFailed && !m_dialogs.empty())
        Fail(m_dialogs.front()->line, L"no modal dialog opened for this step");
    line = m_nFailLine;
    why = m_strFailWhy;
    return !m_bFailed;
}

void CScriptPlayer::PlayLevel(HWND hWnd, bool modal)
{
    while (!m_bFailed && m_next < m_steps.size()) {
        // A modal dialog's steps end with it; the ones after it belong to the window below.
        if (modal && !::IsWindowVisible(hWnd))
            return;
        const CScriptStep& s = m_steps[m_next++];
        m_out.Write(CJsonLine().Str("event", L"step").Int("line", s.line).Str("do", Wide(s.kind)));
        CString why;
        if (!PlayStep(s, hWnd, why)) {
            Fail(s.line, why);
            return;
        }
        AfxPumpMessages();
        ReportFiles();
    }
}

bool CScriptPlayer::PlayStep(const CScriptStep& s, HWND hWnd, CString& why)
{
    const picojson::object& o = s.o;
    if (s.kind == "answer") {
        m_answers.push_back(&s);
        return true;
    }
    if (s.kind == "dialog") {
        m_dialogs.push_back(&s);
        return true;
    }
    // The registry can be read with the dialog closed: closing is what stores its settings.
    if (s.kind == "registry")
    {
        DumpRegistry(StrOf(o, "key"));
        return true;
    }
    if (!::IsWindow(hWnd) || !::IsWindowVisible(hWnd)) {
        why = L"the dialog is closed";
        return false;
    }
    if (s.kind == "type" || s.kind == "keys" || s.kind == "key" || s.kind == "click" || s.kind == "spin"
        || s.kind == "slide")
        return PlayControlStep(s, hWnd, why);
    if (s.kind == "select" || s.kind == "dblclick" || s.kind == "drag" || s.kind == "tree")
        return PlayTreeStep(s, hWnd, why);
    if (s.kind == "read")
        return Read(s, hWnd, why);
    if (s.kind == "wheel") {
        WPARAM keys = 0;
        if (o.count("keys"))
            for (const picojson::value& k : o.at("keys").get<picojson::array>())
                keys |= k.get<std::string>() == "ctrl" ? MK_CONTROL : MK_SHIFT;
        // The wheel turns over the middle of the map, or of the dialog when it has none.
        HWND hOver = ::GetDlgItem(hWnd, kMapId) ? ::GetDlgItem(hWnd, kMapId) : hWnd;
        RECT rc;
        ::GetWindowRect(hOver, &rc);
        ::SendMessageW(hWnd, WM_MOUSEWHEEL, MAKEWPARAM(keys, IntOf(o, "delta")),
                       MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
        return true;
    }
    if (s.kind == "map-click" || s.kind == "map-mag") {
        if (!::GetDlgItem(hWnd, kMapId)) {
            why = L"the dialog has no map";
            return false;
        }
        if (s.kind == "map-click")
            m_host.mapClick(NumOf(o, "lon"), NumOf(o, "lat"));
        else
            m_host.mapMag(NumOf(o, "mag"));
        return true;
    }
    if (s.kind == "observer") {
        m_host.setObserver(o.at("set").get<picojson::object>());
        return true;
    }
    if (s.kind == "shot") {
        if (m_host.strShots.IsEmpty())
            return true;
        Settle(hWnd);
        CString file;
        file.Format(L"%02d-%s.bmp", ++m_nShot, StrOf(o, "name").GetString());
        if (!SaveWindowImage(hWnd, m_host.strShots + file)) {
            why = L"cannot write the picture " + m_host.strShots + file;
            return false;
        }
        return true;
    }
    // "close": the caption's close box.
    ::SendMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool CScriptPlayer::PlayControlStep(const CScriptStep& s, HWND hWnd, CString& why)
{
    const int id = IntOf(s.o, "id");
    HWND hCtl = ::GetDlgItem(hWnd, id);
    if (!hCtl) {
        why.Format(L"no control %d in the dialog", id);
        return false;
    }
    if (!::IsWindowEnabled(hCtl)) {
        why.Format(L"control %d is disabled", id);
        return false;
    }
    if (s.kind == "type") {
        ::SetFocus(hCtl);
        Paste(hCtl, StrOf(s.o, "text"));
    } else if (s.kind == "keys") {
        ::SetFocus(hCtl);
        ::SendMessageW(hCtl, EM_SETSEL, 0, -1);
        const CString text = StrOf(s.o, "text");
        for (int i = 0; i < text.GetLength(); ++i)
            ::SendMessageW(hCtl, WM_CHAR, text[i], 1);
    } else if (s.kind == "key") {
        unsigned vk = 0;
        bool bCtrl = false, bShift = false;
        CScriptStep::ParseKey(s.o.at("key").get<std::string>(), vk, bCtrl, bShift);
        AfxTestPressKey(hWnd, hCtl, vk, bCtrl, bShift);
    } else if (s.kind == "click") {
        ::SendMessageW(hCtl, BM_CLICK, 0, 0);
    } else if (s.kind == "slide") {
        // A drag of the thumb ends with the trackbar at its place and a last scroll notice.
        const int pos = IntOf(s.o, "pos");
        const UINT msg = (::GetWindowLongW(hCtl, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
        ::SendMessageW(hCtl, TBM_SETPOS, TRUE, pos);
        ::SendMessageW(::GetParent(hCtl), msg, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(hCtl));
        ::SendMessageW(::GetParent(hCtl), msg, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(hCtl));
    } else {
        // What an up-down sends for a press of an arrow: the change to allow, then the scroll.
        NMUPDOWN nm = {};
        nm.hdr.hwndFrom = hCtl;
        nm.hdr.idFrom = static_cast<UINT_PTR>(id);
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = static_cast<int>(::SendMessageW(hCtl, UDM_GETPOS32, 0, 0));
        nm.iDelta = IntOf(s.o, "delta");
        HWND hParent = ::GetParent(hCtl);
        if (::SendMessageW(hParent, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&nm)) == 0) {
            int lo = 0, hi = 0;
            ::SendMessageW(hCtl, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
            const int pos = std::min(std::max(nm.iPos + nm.iDelta, std::min(lo, hi)), std::max(lo, hi));
            ::SendMessageW(hCtl, UDM_SETPOS32, 0, pos);
            const UINT msg = (::GetWindowLongW(hCtl, GWL_STYLE) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
            ::SendMessageW(hParent, msg, MAKEWPARAM(SB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(hCtl));
            ::SendMessageW(hParent, msg, MAKEWPARAM(SB_ENDSCROLL, pos), reinterpret_cast<LPARAM>(hCtl));
        }
    }
    return true;
}

bool CScriptPlayer::PlayTreeStep(const CScriptStep& s, HWND hWnd, CString& why)
{
    HWND hTree = ::GetDlgItem(hWnd, m_host.nTreeId);
    if (!hTree) {
        why.Format(L"the dialog has no tree %d", m_host.nTreeId);
        return false;
    }
    CTreeDriver tree(hTree);
    if (s.kind == "tree") {
        m_out.Write(CJsonLine().Str("event", L"tree").Raw("items", tree.Dump()));
        return true;
    }
    HTREEITEM item = tree.Find(PathOf(s.o, "path"), why);
    if (!item)
        return false;
    if (s.kind == "select") {
        tree.Click(item);
    } else if (s.kind == "dblclick") {
        tree.DoubleClick(item);
    } else {
        const bool outside = s.o.count("release") != 0;
        HTREEITEM to = tree.Find(PathOf(s.o, "to"), why);
        if (!to)
            return false;
        tree.Drag(item, to, s.o.count("button") != 0, outside);
    }
    return true;
}

bool CScriptPlayer::Read(const CScriptStep& s, HWND hWnd, CString& why)
{
    for (const picojson::value& v : s.o.at("ids").get<picojson::array>()) {
        const int id = static_cast<int>(v.get<double>());
        HWND hCtl = ::GetDlgItem(hWnd, id);
        if (!hCtl) {
            why.Format(L"no control %d in the dialog", id);
            return false;
        }
        CJsonLine e;
        e.Str("event", L"read").Int("id", id).Str("text", TextOf(hCtl));
        if (IsCheckable(hCtl))
            e.Bool("checked", ::SendMessageW(hCtl, BM_GETCHECK, 0, 0) == BST_CHECKED);
        else
            e.Null("checked");
        e.Bool("enabled", ::IsWindowEnabled(hCtl) != FALSE);
        m_out.Write(e);
    }
    return true;
}

void CScriptPlayer::DumpRegistry(const CString& key)
{
    std::map<CString, std::string> values;
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, CRegistry::GetRoot() + L"\\" + key, 0, KEY_READ, &h)
        == ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLen = 256, type = 0, size = 0;
            BYTE data[4096];
            size = sizeof data;
            if (RegEnumValueW(h, i, name, &nameLen, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            std::string json;
            if (type == REG_DWORD && size == 4) {
                json = std::to_string(*reinterpret_cast<const DWORD*>(data));
            } else if (type == REG_QWORD && size == 8) {
                json = std::to_string(*reinterpret_cast<const unsigned long long*>(data));
            } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
                json = CJsonLine::Quote(CString(reinterpret_cast<const wchar_t*>(data),
                                                static_cast<int>(wcsnlen(reinterpret_cast<const wchar_t*>(data), size / 2))));
            } else {
                // Other data as its bytes in hex.
                json = "\"" + CJsonLine::Hex(data, size) + "\"";
            }
            values[name] = json;
        }
        RegCloseKey(h);
    }
    std::string obj = "{";
    for (const auto& [name, json] : values)
        obj += (obj.size() > 1 ? "," : "") + CJsonLine::Quote(name) + ":" + json;
    m_out.Write(CJsonLine().Str("event", L"registry").Str("key", key).Raw("values", obj + "}"));
}

bool CScriptPlayer::FillDialog(const CScriptStep& s, HWND hWnd, CString& why)
{
    if (s.o.count("set")) {
        for (const auto& [key, v] : s.o.at("set").get<picojson::object>()) {
            const int id = std::atoi(key.c_str());
            const CString value = Wide(v.get<std::string>());
            HWND hCtl = ::GetDlgItem(hWnd, id);
            if (!hCtl) {
                why.Format(L"no control %d in dialog", id);
                return false;
            }
            const CString cls = ClassOf(hCtl);
            if (cls.CompareNoCase(L"Edit") == 0) {
                Paste(hCtl, value);
            } else if (IsCheckable(hCtl)) {
                const bool want = value == L"1";
                const bool has = ::SendMessageW(hCtl, BM_GETCHECK, 0, 0) == BST_CHECKED;
                const DWORD type = ::GetWindowLongW(hCtl, GWL_STYLE) & BS_TYPEMASK;
                if (has && !want && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)) {
                    why.Format(L"radio button %d is cleared by choosing another", id);
                    return false;
                }
                if (want != has)
                    ::SendMessageW(hCtl, BM_CLICK, 0, 0);
            } else if (cls.CompareNoCase(L"ComboBox") == 0) {
                const int index = _wtoi(value);
                if (::SendMessageW(hCtl, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == CB_ERR) {
                    why.Format(L"combo box %d has no item %d", id, index);
                    return false;
                }
                ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(hCtl));
            } else {
                why.Format(L"control %d is no edit, check box, radio button or combo box", id);
                return false;
            }
        }
    }
    const std::string press = s.o.at("press").get<std::string>();
    const int id = press == "OK" ? IDOK : press == "Cancel" ? IDCANCEL : std::atoi(press.c_str());
    HWND hButton = ::GetDlgItem(hWnd, id);
    if (hButton && ::IsWindowEnabled(hButton))
        ::SendMessageW(hButton, BM_CLICK, 0, 0);
    else
        ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    if (::IsWindowVisible(hWnd)) {
        why = L"the dialog stayed open after \"" + Wide(press) + L"\"";
        return false;
    }
    return true;
}

void CScriptPlayer::OnModalDialog(CDialog* pDlg)
{
    HWND hDlg = pDlg->GetSafeHwnd();
    m_out.Write(CJsonLine()
                    .Str("event", L"dialog")
                    .Int("template", pDlg->GetTemplateID())
                    .Str("caption", TextOf(hDlg)));
    if (m_bFailed)
        return;
    if (!m_dialogs.empty()) {
        const CScriptStep* s = m_dialogs.front();
        m_dialogs.pop_front();
        CString why;
        if (!FillDialog(*s, hDlg, why))
            Fail(s->line, why);
        return;
    }
    PlayLevel(hDlg, true);
}

int CScriptPlayer::OnMessageBox(const CString& text, const CString& caption, UINT type)
{
    const bool answered = !m_answers.empty();
    int answer = DefaultAnswer(type);
    if (answered) {
        answer = CScriptStep::ButtonIds().at(m_answers.front()->o.at("button").get<std::string>());
        m_answers.pop_front();
    }
    m_out.Write(CJsonLine()
                    .Str("event", L"messagebox")
                    .Str("text", text)
                    .Str("caption", caption)
                    .Int("style", type)
                    .Str("answer", ButtonName(answer))
                    .Bool("unanswered", !answered));
    return answer;
}

int CScriptPlayer::MessageBoxHandler(HWND, const CString& text, const CString& caption, UINT type)
{
    return s_pActive ? s_pActive->OnMessageBox(text, caption, type) : DefaultAnswer(type);
}
