#pragma once

#include <afx/AnsiCodePage.h>
#include <afx/afxwin.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

// Readable failure output for the framework's types.
inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << AnsiFromWide(s.wstr()) << '"';
}
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << '(' << r.left << ',' << r.top << ")-(" << r.right << ',' << r.bottom << ')';
}

// A folder of its own below the temporary folder, emptied at the start.
inline CString TestFolder(const wchar_t* name)
{
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    CString dir = CString(tmp) + L"vrk-" + name + L"\\";
    CreateDirectoryW(dir, nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(dir + L"*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW(dir + fd.cFileName);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    return dir;
}

inline std::string ReadBytes(const CString& path)
{
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string("<missing>");
    std::string out;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got)
        out.append(buf, got);
    CloseHandle(h);
    return out;
}

inline bool WriteBytes(const CString& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)
                    && written == bytes.size();
    CloseHandle(h);
    return ok;
}
