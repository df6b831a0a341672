#include <vrkcom/CCommonFile.h>
#include <vrkcom/CFileExist.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Sets a file's last write time to a fixed day plus some seconds.
bool SetWriteTime(const CString& path, int seconds)
{
    HANDLE h = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    SYSTEMTIME st = {2026, 12, 0, 1, 12, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    const bool ok = SetFileTime(h, nullptr, nullptr, &ft) != FALSE;
    CloseHandle(h);
    return ok;
}

}  // namespace

TEST(CommonFile, ExistenceAndAge)
{
    const TempFolder tmp;
    const CString dir = tmp.Dir();
    const CString a = dir + L"zelkam.obs";
    const CString b = dir + L"zelkam_user.obs";
    const CString missing = dir + L"none.obs";
    ASSERT_TRUE(WriteBytes(a, "a"));
    ASSERT_TRUE(WriteBytes(b, "b"));

    EXPECT_TRUE(CCommonFile::DoesFileExist(a));
    EXPECT_FALSE(CCommonFile::DoesFileExist(missing));
    EXPECT_FALSE(CCommonFile::DoesFileExist(dir)) << "a folder counted as a file";

    struct Case {
        const char* fault;
        int ta;
        int tb;
        bool newer;
    } cases[] = {
        {"newer not seen", 10, 5, true},
        {"older taken as newer", 5, 10, false},
        {"same time taken as newer", 7, 7, false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetWriteTime(a, c.ta));
        ASSERT_TRUE(SetWriteTime(b, c.tb));
        EXPECT_EQ(CCommonFile::IsFileNewerThan(a, b) != FALSE, c.newer) << c.fault;
    }
    EXPECT_FALSE(CCommonFile::IsFileNewerThan(missing, b)) << "a missing file counted as newer";
    EXPECT_TRUE(CCommonFile::IsFileNewerThan(a, missing))
        << "a list never derived did not count as out of date";
    EXPECT_FALSE(CCommonFile::IsFileNewerThan(missing, missing));
}

TEST(CommonFile, ModulePathIsTheCallersFolder)
{
    wchar_t exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    CString folder(exe);
    folder = folder.Left(folder.ReverseFind(L'\\') + 1);

    const CString path = CCommonFile::GetModulePath();
    EXPECT_EQ(path, folder) << "not the folder of the module that called";
    ASSERT_FALSE(path.IsEmpty());
    EXPECT_EQ(path[path.GetLength() - 1], L'\\') << "file names are appended without a separator";

    // The library's own module is found from an address inside it.
    HMODULE vrkcom = GetModuleHandleW(L"vrkcom.dll");
    ASSERT_TRUE(vrkcom);
    EXPECT_EQ(CCommonFile::GetModulePath(vrkcom), folder);
    EXPECT_EQ(CCommonFile::GetModulePathOf(reinterpret_cast<const BYTE*>(vrkcom) + 0x1000),
              CCommonFile::GetModulePath(vrkcom));
    EXPECT_EQ(CCommonFile::GetModulePathOf(nullptr), L"");

    // Called from a library in another folder, it names that library's folder.
    HMODULE probe = LoadLibraryW(folder + L"vrkprobe\\vrk_modpath_probe.dll");
    ASSERT_TRUE(probe) << "the probe library was not built beside the tests";
    using ProbeFn = void (*)(wchar_t*, int);
    ProbeFn fn = nullptr;
    const FARPROC p = GetProcAddress(probe, "VrkProbeModulePath");
    ASSERT_TRUE(p);
    memcpy(&fn, &p, sizeof fn);
    wchar_t got[MAX_PATH] = {};
    fn(got, MAX_PATH);
    EXPECT_EQ(CString(got), folder + L"vrkprobe\\") << "not the calling library's folder";
    FreeLibrary(probe);
}

TEST(FileExist, GivesTheFileOrNothing)
{
    const TempFolder tmp;
    const CString dir = tmp.Dir();
    const CString file = dir + L"worldmesh.txt";
    ASSERT_TRUE(WriteBytes(file, "mesh"));
    CFileExist fe;
    EXPECT_EQ(fe.GetFileName(file), file);
    EXPECT_EQ(fe.GetFileName(dir + L"missing.txt"), L"") << "a missing file was offered";
    EXPECT_EQ(fe.GetFileName(dir), L"") << "a folder was offered as the file";
    EXPECT_EQ(fe.GetFileName(L""), L"");
}
