#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

void Click(CDialog* d, int id)
{
    ::SendMessageW(::GetDlgItem(d->m_hWnd, id), BM_CLICK, 0, 0);
}

class ModalDialog : public ScriptedTest {};

TEST_F(ModalDialog, ScriptRunsOnTheLiveDialog)
{
    const struct {
        const char* fault;
        std::function<void(CDialog*)> script;
        INT_PTR result;
        int finalInt;
        const char* failure;  // expected in the only failure, or null for none
    } cases[] = {
        {"OK does not save the typed value or end the dialog",
         [](CDialog* d) {
             d->SetDlgItemText(IDC_AFXTEST_INT, L"42");
             Click(d, IDOK);
         },
         IDOK, 42, nullptr},
        {"Cancel saves the typed value",
         [](CDialog* d) {
             d->SetDlgItemText(IDC_AFXTEST_INT, L"42");
             Click(d, IDCANCEL);
         },
         IDCANCEL, 5, nullptr},
        {"an invalid number ends the dialog instead of keeping it open",
         [](CDialog* d) {
             AfxTestExpectMessageBox(L"整数を入力してください。", IDOK);
             d->SetDlgItemText(IDC_AFXTEST_INT, L"4x2");
             Click(d, IDOK);
             EXPECT_TRUE(d->IsWindowVisible()) << "the dialog closed on invalid input";
             Click(d, IDCANCEL);
         },
         IDCANCEL, 5, nullptr},
        {"WM_CLOSE does not end a modal dialog with IDCANCEL", [](CDialog* d) { d->SendMessage(WM_CLOSE); },
         IDCANCEL, 5, nullptr},
        {"a script that leaves the dialog open hangs the test", [](CDialog*) {}, IDCANCEL, 5, "left open"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        AfxClearTestHooks();
        AfxTestScriptMessageBoxes();
        AfxSetModalDialogHook(IDD_AFXTEST_MODAL, c.script);
        CTestDialog dlg(IDD_AFXTEST_MODAL);
        dlg.m_nInt = 5;
        EXPECT_EQ(c.result, dlg.DoModal());
        EXPECT_EQ(c.finalInt, dlg.m_nInt);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
        const std::string failures = JoinedFailures();
        if (c.failure) {
            EXPECT_EQ(1u, AfxTestMessageBoxFailures().size()) << failures;
            EXPECT_NE(std::string::npos, failures.find(c.failure)) << failures;
            AfxClearTestHooks();
        } else {
            EXPECT_EQ("", failures);
        }
    }
}

TEST_F(ModalDialog, OwnerIsDisabledWhileTheDialogRuns)
{
    CWinApp app(L"AfxWinTest");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, L"main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    app.m_pMainWnd = &main;
    bool ownerDisabled = false;
    HWND owner = nullptr;
    AfxSetModalDialogHook(IDD_AFXTEST_MODAL, [&](CDialog* d) {
        ownerDisabled = !main.IsWindowEnabled();
        owner = ::GetWindow(d->m_hWnd, GW_OWNER);
        Click(d, IDOK);
    });
    CTestDialog dlg(IDD_AFXTEST_MODAL);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(main.m_hWnd, owner);
    EXPECT_TRUE(main.IsWindowEnabled()) << "the owner stays disabled after the dialog";
    app.m_pMainWnd = nullptr;
}

TEST_F(ModalDialog, NestedModalDialogsRunTheirOwnScripts)
{
    std::vector<std::wstring> order;
    HWND outerWindow = nullptr;
    AfxSetModalDialogHook(IDD_AFXTEST, [&](CDialog* d) {
        order.push_back(L"outer");
        outerWindow = d->m_hWnd;
        CTestDialog inner(IDD_AFXTEST_MODAL, d);
        EXPECT_EQ(IDOK, inner.DoModal());
        order.push_back(L"outer after inner");
        Click(d, IDCANCEL);
    });
    AfxSetModalDialogHook(IDD_AFXTEST_MODAL, [&](CDialog* d) {
        order.push_back(L"inner");
        EXPECT_EQ(outerWindow, ::GetWindow(d->m_hWnd, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(outerWindow)) << "the outer dialog stays usable";
        Click(d, IDOK);
    });
    CTestDialog outer(IDD_AFXTEST);
    EXPECT_EQ(IDCANCEL, outer.DoModal());
    EXPECT_EQ(std::vector<std::wstring>({L"outer", L"inner", L"outer after inner"}), order);
}

}  // namespace
