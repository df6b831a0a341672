#include "AfxInternal.h"

#include <deque>
#include <map>

namespace {

struct Expectation {
    CString text;
    int answer;
};

struct TestState {
    bool scripted = false;
    std::deque<Expectation> expected;
    std::vector<AfxTestMessageBoxRecord> shown;
    std::vector<CString> failures;
    std::map<UINT, std::function<void(CDialog*)>> hooks;
    std::function<void(CDialog*)> hookForAll;
};

TestState& State()
{
    static TestState state;
    return state;
}

// The answer that lets the code go on without agreeing to anything.
int SafeAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

}  // namespace

void AfxTestExpectMessageBox(const CString& text, int answer)
{
    TestState& s = State();
    s.scripted = true;
    s.expected.push_back({text, answer});
}

void AfxTestScriptMessageBoxes()
{
    State().scripted = true;
}

std::vector<AfxTestMessageBoxRecord> AfxTestShownMessageBoxes()
{
    return State().shown;
}

std::vector<CString> AfxTestMessageBoxFailures()
{
    const TestState& s = State();
    std::vector<CString> all = s.failures;
    for (const Expectation& e : s.expected) all.push_back(L"expected message box not shown: \"" + e.text + L"\"");
    return all;
}

void AfxTestRecordFailure(const CString& failure)
{
    State().failures.push_back(failure);
}

void AfxSetModalDialogHook(UINT nIDTemplate, std::function<void(CDialog*)> script)
{
    if (script)
        State().hooks[nIDTemplate] = std::move(script);
    else
        State().hooks.erase(nIDTemplate);
}

void AfxSetModalDialogHookForAll(std::function<void(CDialog*)> script)
{
    State().hookForAll = std::move(script);
}

void AfxClearTestHooks()
{
    TestState& s = State();
    s.scripted = false;
    s.expected.clear();
    s.shown.clear();
    s.failures.clear();
    s.hooks.clear();
    s.hookForAll = nullptr;
}

void AfxTestPressKey(HWND hDlg, HWND hControl, UINT vk, bool bCtrl, bool bShift)
{
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = bCtrl ? 0x80 : 0;
    state[VK_SHIFT] = bShift ? 0x80 : 0;
    ::SetKeyboardState(state);
    ::SetFocus(hControl);
    ::PostMessageW(hControl, WM_KEYDOWN, vk, 1);
    for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
        if (!::IsDialogMessageW(hDlg, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    state[VK_CONTROL] = state[VK_SHIFT] = 0;
    ::SetKeyboardState(state);
}

namespace afx_internal {

bool HasModalDialogHook(UINT nIDTemplate)
{
    return nIDTemplate != 0 && (State().hooks.count(nIDTemplate) != 0 || State().hookForAll);
}

void RunModalDialogHook(CDialog* pDlg, UINT nIDTemplate)
{
    auto it = State().hooks.find(nIDTemplate);
    // A copy: the script may clear or replace the hooks while it runs.
    std::function<void(CDialog*)> script = it != State().hooks.end() ? it->second : State().hookForAll;
    if (!script) return;
    CallGuarded([&] { script(pDlg); });
}

bool ScriptedMessageBox(HWND, const CString& text, const CString& caption, UINT type, int* pAnswer)
{
    TestState& s = State();
    if (!s.scripted) return false;
    int answer = SafeAnswer(type);
    if (s.expected.empty()) {
        s.failures.push_back(L"unexpected message box: \"" + text + L"\"");
    } else {
        Expectation e = s.expected.front();
        s.expected.pop_front();
        if (e.text == text) {
            answer = e.answer;
        } else {
            s.failures.push_back(L"message box \"" + text + L"\" shown where \"" + e.text +
                                 L"\" was expected");
        }
    }
    s.shown.push_back({text, caption, type, answer});
    *pAnswer = answer;
    return true;
}

}  // namespace afx_internal
