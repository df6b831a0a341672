// A library in a folder of its own that asks for "its" folder, as vrkobs.dll does.
#include <vrkcom/CCommonFile.h>

extern "C" __declspec(dllexport) void VrkProbeModulePath(wchar_t* out, int size)
{
    const CString path = CCommonFile::GetModulePath();
    lstrcpynW(out, path.GetString(), size);
}
