#include <afx/afxwin.h>

// The extension module of vrkobs.dll: its dialog templates, strings and bitmaps join the
// framework's resource chain while the DLL is loaded. Nothing else runs at load time.
static AFX_EXTENSION_MODULE g_vrkobsModule = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*lpReserved*/)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_vrkobsModule, hInstance))
            return FALSE;
        // The chain owns the object and frees it when the module terminates.
        new CDynLinkLibrary(g_vrkobsModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_vrkobsModule);
    }
    return TRUE;
}
