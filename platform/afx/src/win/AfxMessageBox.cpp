#include "AfxInternal.h"

namespace {

AfxMessageBoxHandler g_handler = nullptr;

CString DefaultCaption()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pszAppName) return CString(app->m_pszAppName);
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path, static_cast<int>(n));
    int slash = name.ReverseFind(L'\\');
    return slash >= 0 ? name.Mid(slash + 1) : name;
}

HWND DefaultOwner()
{
    HWND h = ::GetActiveWindow();
    if (!h) {
        CWnd* main = AfxGetMainWnd();
        h = main ? main->GetSafeHwnd() : nullptr;
    }
    return h ? ::GetAncestor(h, GA_ROOT) : nullptr;
}

}  // namespace

AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler)
{
    AfxMessageBoxHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    const HWND owner = DefaultOwner();
    const CString text(lpszText);
    const CString caption = DefaultCaption();
    int answer = 0;
    if (afx_internal::ScriptedMessageBox(owner, text, caption, nType, &answer)) return answer;
    if (g_handler) return g_handler(owner, text, caption, nType);
    return ::MessageBoxW(owner, text, caption, nType);
}
