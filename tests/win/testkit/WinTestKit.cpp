#include "WinTestKit.h"

#include <commctrl.h>

namespace {

CString Extended(const CString& path)
{
    return L"\\\\?\\" + path;
}

std::string Utf8(const CString& s)
{
    std::string out(static_cast<size_t>(s.GetLength()) * 3, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, s.GetString(), s.GetLength(), out.data(),
                                                       static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

}  // namespace

void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << Utf8(s) << '"';
}

void PrintTo(const CRect& r, std::ostream* os)
{
    *os << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
}

TempFolder::TempFolder()
{
    wchar_t tmp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tmp);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    CString name = info ? CString(info->test_suite_name()) + L"." + CString(info->name()) : CString(L"outside");
    name.Replace(L'/', L'_');
    m_strDir = CString(tmp) + L"vrk-tests\\" + name;
    RemoveTree(m_strDir);
    EXPECT_TRUE(MakeFolders(m_strDir)) << Utf8(m_strDir);
    m_strDir += L"\\";
}

TempFolder::~TempFolder()
{
    RemoveTree(m_strDir);
}

void RemoveTree(const CString& path)
{
    const CString dir = path.Right(1) == L"\\" ? path.Left(path.GetLength() - 1) : path;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Extended(dir + L"\\*"), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &fd)) {
        const CString name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(dir + L"\\" + name);
        else
            DeleteFileW(Extended(dir + L"\\" + name));
    }
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    RemoveDirectoryW(Extended(dir));
}

bool MakeFolders(const CString& path)
{
    for (int i = path.Find(L'\\', 3);; i = path.Find(L'\\', i + 1)) {
        if (!CreateDirectoryW(Extended(i < 0 ? path : path.Left(i)), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (i < 0) return true;
    }
}

std::string ReadBytes(const CString& path)
{
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out;
    char buf[4096];
    for (DWORD got = 0; ReadFile(h, buf, sizeof buf, &got, nullptr) && got;) out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool WriteBytes(const CString& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = h != INVALID_HANDLE_VALUE
                    && WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
                    && written == bytes.size();
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok;
}

CString Text(HWND hDlg, int nID)
{
    wchar_t szText[256] = {};
    ::GetDlgItemTextW(hDlg, nID, szText, 256);
    return szText;
}

void Type(HWND hEdit, const wchar_t* pszText)
{
    ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    ::SendMessageW(hEdit, WM_CLEAR, 0, 0);
    for (const wchar_t* p = pszText; *p; ++p)
        ::SendMessageW(hEdit, WM_CHAR, *p, 1);
}

void StepUpDown(HWND hDlg, int nID, int nDelta)
{
    NMUPDOWN nm = {{Item(hDlg, nID), static_cast<UINT_PTR>(nID), static_cast<UINT>(UDN_DELTAPOS)}, 0, nDelta};
    ::SendMessageW(hDlg, WM_NOTIFY, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(&nm));
}

std::string JoinedFailures()
{
    std::string all;
    for (const CString& f : AfxTestMessageBoxFailures()) all += Utf8(f) + "\n";
    return all;
}

void ScriptedTest::SetUp()
{
    AfxClearTestHooks();
    AfxTestScriptMessageBoxes();
}

void ScriptedTest::TearDown()
{
    EXPECT_EQ(JoinedFailures(), "");
    AfxClearTestHooks();
}
