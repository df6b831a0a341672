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

AfxMessageBoxHandler AfxGetMessageBoxHandler()
{
    return g_handler;
}

int AfxShowMessageBox(HWND hOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    const CString text(lpszText);
    const CString caption = lpszCaption ? CString(lpszCaption) : DefaultCaption();
    int answer = 0;
    if (afx_internal::ScriptedMessageBox(hOwner, text, caption, nType, &answer)) return answer;
    if (g_handler) return g_handler(hOwner, text, caption, nType);
    return ::MessageBoxW(hOwner, text, caption, nType);
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    return AfxShowMessageBox(DefaultOwner(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    CString text;
    if (!AfxLoadString(nIDPrompt, text)) text.Format(L"%u", nIDPrompt);
    return AfxShowMessageBox(DefaultOwner(), text, nullptr, nType);
}
