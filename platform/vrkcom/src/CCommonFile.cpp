#include <vrkcom/CCommonFile.h>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

bool LastWrite(const CString& path, FILETIME& ft)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.IsEmpty() || !GetFileAttributesExW(path, GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    ft = data.ftLastWriteTime;
    return true;
}

}  // namespace

BOOL CCommonFile::DoesFileExist(const CString& path)
{
    FILETIME ft;
    return LastWrite(path, ft);
}

// Never inlined: the return address must be the caller's.
__attribute__((noinline)) CString CCommonFile::GetModulePath()
{
    const void* pCaller = __builtin_extract_return_addr(__builtin_return_address(0));
    HMODULE hModule = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                                | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(pCaller), &hModule))
        return CString();
    return GetModulePath(hModule);
}

CString CCommonFile::GetModulePath(HMODULE hModule)
{
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(hModule, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return CString();
        if (n < buf.size())
            break;
        if (buf.size() >= 32768)
            return CString();
        buf.resize(buf.size() * 2);
    }
    CString path(buf.data());
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return slash < 0 ? CString() : path.Left(slash + 1);
}
