#include <vrkcst/CZelTheme.h>

#include <cstring>

namespace {

using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
using IsThemeActiveFn = BOOL(WINAPI*)();

HMODULE UxTheme()
{
    // Loaded once and kept for the life of the process.
    static HMODULE h = LoadLibraryW(L"uxtheme.dll");
    return h;
}

template <typename Fn>
Fn Proc(const char* name)
{
    HMODULE h = UxTheme();
    const FARPROC p = h ? GetProcAddress(h, name) : nullptr;
    Fn fn = nullptr;
    static_assert(sizeof fn == sizeof p, "function pointers differ in size");
    if (p)
        memcpy(&fn, &p, sizeof fn);
    return fn;
}

}  // namespace

HRESULT CZelTheme::SetWindowTheme(HWND hWnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList)
{
    if (!hWnd || !IsWindow(hWnd))
        return E_INVALIDARG;
    static const SetWindowThemeFn fn = Proc<SetWindowThemeFn>("SetWindowTheme");
    return fn ? fn(hWnd, pszSubAppName, pszSubIdList) : S_FALSE;
}

BOOL CZelTheme::IsThemeActive()
{
    static const IsThemeActiveFn fn = Proc<IsThemeActiveFn>("IsThemeActive");
    return fn ? fn() : FALSE;
}
