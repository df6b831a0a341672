#include <vrkcom/CCommonFile.h>

#include <gtest/gtest.h>

#include <process.h>

// The guide's host as its makers start it: the location dialog shows with its caption, and its
// close box ends the host with 0, which the host gives only when 2034 came before 2024.
TEST(MinimalHost, ShowsTheDialogAndEndsWhenItCloses)
{
    const CString exe = CCommonFile::GetModulePath(nullptr) + L"vrkobs_minimal_host.exe";
    const intptr_t spawned = _wspawnl(_P_NOWAIT, exe, exe.GetString(), nullptr);
    ASSERT_NE(spawned, -1) << "cannot start the host";
    const HANDLE host = reinterpret_cast<HANDLE>(spawned);
    HWND hDlg = nullptr;
    for (int i = 0; i < 600 && !((hDlg = FindWindowW(L"#32770", L"場所")) && IsWindowVisible(hDlg)); ++i)
        Sleep(100);
    EXPECT_TRUE(hDlg && IsWindowVisible(hDlg) && PostMessageW(hDlg, WM_CLOSE, 0, 0)) << "no dialog 場所 shown";
    if (WaitForSingleObject(host, 30000) != WAIT_OBJECT_0)
        TerminateProcess(host, 998);
    DWORD code = 999;
    GetExitCodeProcess(host, &code);
    CloseHandle(host);
    EXPECT_EQ(0u, code);
}
