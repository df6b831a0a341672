#pragma once

#include <afx/CString.h>
#include <citydb/Utf8Text.h>

#include <cstdio>
#include <string>

#include <windows.h>

// A message of the demo on standard error. A console gets it as it is; a pipe or file gets UTF-8,
// as the transcript, because the C runtime's wide output stops at the first character its "C"
// locale lacks, which cut the names of places out of the messages.
inline void DemoSay(const CString& text)
{
    const CString line = L"vrkobs_demo: " + text + L"\n";
    const HANDLE h = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0, written = 0;
    if (::GetConsoleMode(h, &mode)) {
        ::WriteConsoleW(h, line.GetString(), static_cast<DWORD>(line.GetLength()), &written, nullptr);
        return;
    }
    const std::string utf8 = CityUtf8FromWide(line.wstr());
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    // The C runtime buffers a redirected stderr, and the demo may be ended by a kill.
    std::fflush(stderr);
}
