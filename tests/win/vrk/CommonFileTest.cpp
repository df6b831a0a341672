#include <vrkcom/CCommonFile.h>
#include <vrkcom/CFileExist.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(CommonFile, Existence)
{
    const TempFolder tmp;
    const CString a = tmp.Path(L"zelkam.obs"), missing = tmp.Path(L"none.obs");
    ASSERT_TRUE(WriteBytes(a, "a"));
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
