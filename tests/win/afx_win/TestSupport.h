#pragma once

#include <afx/afxwin.h>

#include <string>

// The scripted-box failures joined into one text, so a failing check says what went wrong.
inline std::wstring JoinedFailures()
{
    std::wstring all;
    for (const CString& f : AfxTestMessageBoxFailures()) all += f.wstr() + L"\n";
    return all;
}

// Each test starts with no hooks and with every message box scripted (a real box would block).
class ScriptedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
    }
    void TearDown() override { AfxClearTestHooks(); }
};
