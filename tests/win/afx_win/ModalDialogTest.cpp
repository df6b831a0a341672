#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

class ModalDialog : public ScriptedTest {};

TEST_F(ModalDialog, ScriptRunsOnTheLiveDialog)
{
    const struct {
        const char* fault;
        std::function<void(CDialog*)> script;
        INT_PTR result;
        const wchar_t* text;  // the member afterwards
        const char* failure;  // expected in the only failure, or null for none
    } cases[] = {
        {"OK does not save the typed text or end the dialog",
         [](CDialog* d) { d->SetDlgItemText(IDC_AFXTEST_INT, L"東京"); Click(d->m_hWnd, IDOK); }, IDOK, L"東京", nullptr},
        {"Cancel saves the typed text",
         [](CDialog* d) { d->SetDlgItemText(IDC_AFXTEST_INT, L"東京"); Click(d->m_hWnd, IDCANCEL); }, IDCANCEL, L"前", nullptr},
        {"WM_CLOSE does not end a modal dialog with IDCANCEL", [](CDialog* d) { d->SendMessage(WM_CLOSE); },
         IDCANCEL, L"前", nullptr},
        {"a script that leaves the dialog open hangs the test", [](CDialog*) {}, IDCANCEL, L"前", "left open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
        AfxSetModalDialogHook(IDD_AFXTEST_MODAL, c.script);
        CTestDialog dlg(IDD_AFXTEST_MODAL);
        dlg.m_strText = L"前";
        EXPECT_EQ(c.result, dlg.DoModal());
        EXPECT_EQ(c.text, dlg.m_strText);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        const std::string failures = JoinedFailures();
        EXPECT_EQ(c.failure ? 1u : 0u, AfxTestMessageBoxFailures().size()) << failures;
        if (c.failure) { EXPECT_NE(std::string::npos, failures.find(c.failure)) << failures; }
        AfxClearTestHooks();
    }
}

// The inner dialog is owned by the outer one, which is disabled while the inner one runs.
TEST_F(ModalDialog, NestedModalDialogsRunTheirOwnScripts)
{
    std::vector<std::wstring> order;
    HWND outerWindow = nullptr;
    AfxSetModalDialogHook(IDD_AFXTEST, [&](CDialog* d) {
        order.push_back(L"outer");
        outerWindow = d->m_hWnd;
        CTestDialog inner(IDD_AFXTEST_MODAL, d);
        EXPECT_EQ(IDOK, inner.DoModal());
        order.push_back(::IsWindowEnabled(outerWindow) ? L"outer enabled" : L"outer disabled");
        Click(d->m_hWnd, IDCANCEL);
    });
    AfxSetModalDialogHook(IDD_AFXTEST_MODAL, [&](CDialog* d) {
        order.push_back(::GetWindow(d->m_hWnd, GW_OWNER) == outerWindow ? L"inner owned" : L"inner not owned");
        order.push_back(::IsWindowEnabled(outerWindow) ? L"outer enabled" : L"outer disabled");
        Click(d->m_hWnd, IDOK);
    });
    CTestDialog outer(IDD_AFXTEST);
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    EXPECT_EQ(std::vector<std::wstring>({L"outer", L"inner owned", L"outer disabled", L"outer enabled"}), order);
}

}  // namespace
