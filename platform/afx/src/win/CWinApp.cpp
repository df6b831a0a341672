#include "AfxInternal.h"

namespace {

CWinApp* g_pApp = nullptr;

CString ExecutableName()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path, static_cast<int>(n));
    int slash = name.ReverseFind(L'\\');
    if (slash >= 0) name = name.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    if (dot > 0) name = name.Left(dot);
    return name;
}

// The keyboard handling (Tab, arrows, Enter, Esc) of the framework dialog the message is for,
// modeless ones included; TRUE when the message was consumed.
BOOL DialogKeys(MSG* pMsg)
{
    HWND top = pMsg->hwnd ? ::GetAncestor(pMsg->hwnd, GA_ROOT) : nullptr;
    return top && dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(top)) && ::IsDialogMessageW(top, pMsg);
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(::GetModuleHandleW(nullptr)),
      m_strAppName(lpszAppName && *lpszAppName ? CString(lpszAppName) : ExecutableName())
{
    m_pszAppName = m_strAppName.GetString();
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this) g_pApp = nullptr;
}

int CWinApp::Run()
{
    MSG msg{};
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!DialogKeys(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleW(nullptr);
}

void AfxPumpMessages()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (DialogKeys(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void AfxInitCommonControls()
{
    static const BOOL done = [] {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof(icc);
        icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                    ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES;
        return ::InitCommonControlsEx(&icc);
    }();
    (void)done;
}
