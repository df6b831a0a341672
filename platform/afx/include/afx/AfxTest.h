#pragma once

#include <afx/afxdefs.h>
#include <afx/CString.h>

#include <functional>
#include <vector>

class CDialog;

// Test scripting, off by default. When message boxes are scripted, each box takes the next
// expectation: the text must match exactly and the expectation's answer is returned. A box
// with no expectation left, or with another text, is recorded as a failure and answered
// IDCANCEL (IDNO for Yes/No, IDOK for an OK-only box) so that the code under test goes on.

// Queues an expected box and turns scripting on.
AFX_API void AfxTestExpectMessageBox(const CString& text, int answer);
// Turns scripting on with nothing expected: any box is a failure.
AFX_API void AfxTestScriptMessageBoxes();

struct AfxTestMessageBoxRecord {
    CString text;
    CString caption;
    UINT type;
    int answer;
};
// Every box shown while scripted, in order.
AFX_API std::vector<AfxTestMessageBoxRecord> AfxTestShownMessageBoxes();
// What went wrong: unexpected boxes, wrong texts, expectations never met, modal dialogs that a
// script left open, exceptions that reached a window procedure. Empty when all went as scripted.
AFX_API std::vector<CString> AfxTestMessageBoxFailures();
// Records a failure in the same list (for the framework's own checks).
AFX_API void AfxTestRecordFailure(const CString& failure);

// Runs `script` on each modal dialog of the template once it has initialised (posted to the
// running dialog, so its message loop is live). The script ends the dialog, e.g. by clicking
// IDOK with SendMessage(BM_CLICK); a dialog it leaves open is ended with IDCANCEL and recorded
// as a failure.
AFX_API void AfxSetModalDialogHook(UINT nIDTemplate, std::function<void(CDialog*)> script);
// The same for every template that has no hook of its own; null removes it.
AFX_API void AfxSetModalDialogHookForAll(std::function<void(CDialog*)> script);

// Presses a key on a control of a dialog as the user does: the focus on it, Ctrl and Shift held
// as asked while a message loop like the dialog's own (which hands each message to the
// dialog's filters first) takes the key; a dialog the key opens runs inside. Modifiers up after.
AFX_API void AfxTestPressKey(HWND hDlg, HWND hControl, UINT vk, bool bCtrl, bool bShift = false);

// Clears expectations, records and hooks, and turns scripting off.
AFX_API void AfxClearTestHooks();
