#pragma once

#include <afx/afxdefs.h>
#include <afx/CCmdTarget.h>
#include <afx/CString.h>

// The state of an extension DLL, filled by AfxInitExtensionModule in its DllMain.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

// Records the module; FALSE for a null module.
AFX_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Takes the module out of the resource chain and deletes its CDynLinkLibrary objects (which
// must have been made with new, as DllMain does).
AFX_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state);

// Constructing one (in DllMain, with new) puts the DLL's resources in the process-wide chain
// searched after the application's module; destroying it takes them out.
class AFX_API CDynLinkLibrary : public CCmdTarget {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule = nullptr;
    HMODULE m_hResource = nullptr;
};

// The module holding the resource: the application's resource module first, then the chain in
// the order the libraries were registered; null when none has it.
AFX_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
// String nIDS with each "%1" replaced by lpsz1 in one pass (a "%1" in lpsz1 stays as it is);
// empty when there is no such entry.
AFX_API void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
