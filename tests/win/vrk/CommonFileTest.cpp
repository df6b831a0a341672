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
    SYSTEMTIME st = {2026, 12, 0, 1, 12, 0, static_cast<WORD>(seconds), 0};
    FILETIME ft;
    const bool ok = h != INVALID_HANDLE_VALUE && SystemTimeToFileTime(&st, &ft) && SetFileTime(h, nullptr, nullptr, &ft);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok;
}

}  // namespace

TEST(CommonFile, ExistenceAndAge)
{
    const TempFolder tmp;
    const CString a = tmp.Path(L"zelkam.obs"), b = tmp.Path(L"zelkam_user.obs"), missing = tmp.Path(L"none.obs");
    ASSERT_TRUE(WriteBytes(a, "a"));
    ASSERT_TRUE(WriteBytes(b, "b"));
    const struct { const char* fault; int ta, tb; CString older, newer; bool isNewer; } cases[] = {
        {"newer not seen", 10, 5, a, b, true},
        {"older taken as newer", 5, 10, a, b, false},
        {"same time taken as newer", 7, 7, a, b, false},
        {"a missing file counted as newer", 7, 7, missing, b, false},
        {"a list never derived did not count as out of date", 7, 7, a, missing, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ASSERT_TRUE(SetWriteTime(a, c.ta) && SetWriteTime(b, c.tb));
        EXPECT_EQ(CCommonFile::IsFileNewerThan(c.older, c.newer) != FALSE, c.isNewer);
    }
    EXPECT_TRUE(CCommonFile::DoesFileExist(a));
    EXPECT_FALSE(CCommonFile::DoesFileExist(missing));
    EXPECT_FALSE(CCommonFile::DoesFileExist(tmp.Dir())) << "a folder counted as a file";
    CFileExist fe;
    EXPECT_EQ(fe.GetFileName(a), a);
    EXPECT_EQ(fe.GetFileName(missing), L"") << "a missing file was offered";
    EXPECT_EQ(fe.GetFileName(tmp.Dir()), L"") << "a folder was offered as the file";
}

// vrkobs.dll asks for its own folder, which is not the host's.
TEST(CommonFile, ModulePathIsTheCallersFolder)
{
    wchar_t exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    CString folder(exe);
    folder = folder.Left(folder.ReverseFind(L'\\') + 1);
    EXPECT_EQ(CCommonFile::GetModulePath(), folder) << "not the folder of the module that called";

    HMODULE probe = LoadLibraryW(folder + L"vrkprobe\\vrk_modpath_probe.dll");
    ASSERT_TRUE(probe) << "the probe library was not built beside the tests";
    void (*fn)(wchar_t*, int) = nullptr;
    const FARPROC p = GetProcAddress(probe, "VrkProbeModulePath");
    ASSERT_TRUE(p);
    memcpy(&fn, &p, sizeof fn);
    wchar_t got[MAX_PATH] = {};
    fn(got, MAX_PATH);
    EXPECT_EQ(CString(got), folder + L"vrkprobe\\") << "not the calling library's folder";
    FreeLibrary(probe);
}
