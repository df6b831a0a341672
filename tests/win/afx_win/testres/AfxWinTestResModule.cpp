// A framework extension DLL holding the tests' dialog templates, strings and bitmap: its
// DllMain puts it in the resource chain, as the product DLL does.
#include <afx/afxwin.h>

namespace {
AFX_EXTENSION_MODULE g_module;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_module, hInstance)) return FALSE;
        new CDynLinkLibrary(g_module);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_module);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HMODULE AfxWinTestResModule()
{
    return g_module.hModule;
}
