#pragma once

#include <afx/afxwin.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// gtest shows the framework's strings as UTF-8 text and rectangles by their corners.
void PrintTo(const CString& s, std::ostream* os);
void PrintTo(const CRect& r, std::ostream* os);

// A folder of the running test's own below the temporary folder, empty at the start and removed
// with all it holds at the end. Dir() ends with a backslash, so file names append directly.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const CString& Dir() const { return m_strDir; }
    CString Path(const CString& name) const { return m_strDir + name; }

private:
    CString m_strDir;
};

// The folder and all it holds; a trailing backslash is allowed, paths past MAX_PATH too.
void RemoveTree(const CString& dir);
// Creates every missing folder of an absolute path; false when one cannot be made.
bool MakeFolders(const CString& path);
// "<missing>" when the file cannot be opened.
std::string ReadBytes(const CString& path);
bool WriteBytes(const CString& path, const std::string& bytes);

// A dialog's controls driven as a user drives them, by the dialog's window and a control's id.
inline HWND Item(HWND hDlg, int nID) { return ::GetDlgItem(hDlg, nID); }
inline void Click(HWND hDlg, int nID) { ::SendMessageW(Item(hDlg, nID), BM_CLICK, 0, 0); }
inline bool Checked(HWND hDlg, int nID) { return ::IsDlgButtonChecked(hDlg, nID) == BST_CHECKED; }
CString Text(HWND hDlg, int nID);
// Selects the edit's text, clears it and types character by character.
void Type(HWND hEdit, const wchar_t* pszText);
// The up-down's UDN_DELTAPOS to its dialog, as a click on an arrow sends it (-1 steps up).
void StepUpDown(HWND hDlg, int nID, int nDelta);

// The failures the framework's test hooks recorded, one a line; empty when all went as scripted.
std::string JoinedFailures();

// Each test starts with no hooks and with every message box scripted (a real box would block);
// a box nobody expected fails the test.
class ScriptedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
