#pragma once

#include <vrkcom/vrkcomdefs.h>
#include <afx/CString.h>

class VRKCOM_API CCommonFile {
public:
    // TRUE when the path names an existing file (a folder does not count).
    static BOOL DoesFileExist(const CString& path);

    // The folder, ending with a backslash, of the library that makes the call: the module whose
    // code holds the return address of this call (vrkobs.dll when vrkobs calls it, the .exe when
    // the host does). Empty when the module cannot be found.
    static CString GetModulePath();
    // The same for a module handle.
    static CString GetModulePath(HMODULE hModule);
};
