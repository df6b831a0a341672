#pragma once

#include <vrkcst/vrkcstdefs.h>
#include <afx/afxwin.h>

class VRKCST_API CZelTheme {
public:
    // uxtheme's SetWindowTheme, loaded when first needed; two empty strings give a window the
    // classic look. S_FALSE (and nothing done) when uxtheme or the function is not there.
    static HRESULT SetWindowTheme(HWND hWnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
    static HRESULT SetWindowTheme(CWnd* pWnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList)
    {
        return SetWindowTheme(pWnd ? pWnd->GetSafeHwnd() : nullptr, pszSubAppName, pszSubIdList);
    }
    // TRUE when visual styles are active for this process.
    static BOOL IsThemeActive();
};
