#include "AfxInternal.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<CDynLinkLibrary*>& Chain()
{
    static std::vector<CDynLinkLibrary*> chain;
    return chain;
}

// The modules searched for resources, in order: the application's, then the chain.
std::vector<HINSTANCE> SearchOrder()
{
    std::vector<HINSTANCE> order;
    order.push_back(AfxGetInstanceHandle());
    for (CDynLinkLibrary* lib : Chain())
        if (lib->m_hResource && std::find(order.begin(), order.end(), lib->m_hResource) == order.end())
            order.push_back(lib->m_hResource);
    return order;
}

// A string-table entry of one module: its text (not terminated) and length, or null.
const wchar_t* FindString(HINSTANCE hInst, UINT nID, int* pLength)
{
    const wchar_t* text = nullptr;
    int len = ::LoadStringW(hInst, nID, reinterpret_cast<LPWSTR>(&text), 0);
    if (len <= 0 || !text) return nullptr;
    *pLength = len;
    return text;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (!hModule) return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state)
{
    std::vector<CDynLinkLibrary*> doomed;
    for (CDynLinkLibrary* lib : Chain())
        if (lib->m_hModule == state.hModule) doomed.push_back(lib);
    for (CDynLinkLibrary* lib : doomed) delete lib;
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state)
    : m_hModule(state.hModule), m_hResource(state.hResource)
{
    Chain().push_back(this);
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    auto& chain = Chain();
    chain.erase(std::remove(chain.begin(), chain.end(), this), chain.end());
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    for (HINSTANCE h : SearchOrder())
        if (h && ::FindResourceW(h, lpszName, lpszType)) return h;
    return nullptr;
}

BOOL AfxLoadString(UINT nID, CString& rString)
{
    int len = 0;
    for (HINSTANCE h : SearchOrder()) {
        if (!h) continue;
        if (const wchar_t* text = FindString(h, nID, &len)) {
            rString = CString(text, len);
            return TRUE;
        }
    }
    return FALSE;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    rString.Empty();
    if (AfxLoadString(nIDS, rString))
        rString.Replace(L"%1", lpsz1);
}

namespace afx_internal {

const DLGTEMPLATE* FindDialogTemplate(UINT nIDTemplate, HINSTANCE* phInst)
{
    const LPCWSTR name = MAKEINTRESOURCEW(nIDTemplate);
    HINSTANCE h = AfxFindResourceHandle(name, MAKEINTRESOURCEW(5));  // RT_DIALOG
    if (!h) return nullptr;
    HRSRC res = ::FindResourceW(h, name, MAKEINTRESOURCEW(5));
    HGLOBAL data = res ? ::LoadResource(h, res) : nullptr;
    const void* p = data ? ::LockResource(data) : nullptr;
    if (!p) return nullptr;
    *phInst = h;
    return static_cast<const DLGTEMPLATE*>(p);
}

}  // namespace afx_internal
