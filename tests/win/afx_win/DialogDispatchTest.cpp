#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include "TestSupport.h"

namespace {

std::vector<std::wstring> Log(std::initializer_list<const wchar_t*> entries)
{
    std::vector<std::wstring> v;
    for (const wchar_t* e : entries) v.push_back(e);
    return v;
}

struct DispatchCase {
    const char* fault;
    std::function<void(CTestDialog&)> act;
    std::function<void(CTestDialog&)> check;
};

class ModelessDialog : public ScriptedTest {};

TEST_F(ModelessDialog, MessagesReachTheirHandlers)
{
    const DispatchCase cases[] = {
        {"BN_CLICKED not routed to ON_BN_CLICKED",
         [](CTestDialog& d) { ::SendMessageW(::GetDlgItem(d, IDC_AFXTEST_GO), BM_CLICK, 0, 0); },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init", L"Go"}), d.m_log); }},
        {"EN_CHANGE not routed to ON_EN_CHANGE",
         [](CTestDialog& d) {
             d.m_nEnChangeInt = 0;
             d.SetDlgItemText(IDC_AFXTEST_INT, L"12");
         },
         [](CTestDialog& d) { EXPECT_EQ(1, d.m_nEnChangeInt); }},
        {"control range handler gets the wrong id",
         [](CTestDialog& d) { ::SendMessageW(::GetDlgItem(d, IDC_AFXTEST_RADIO_B), BM_CLICK, 0, 0); },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init", L"Radio:1011"}), d.m_log); }},
        {"ON_MESSAGE result lost on the way back from the dialog procedure",
         [](CTestDialog& d) { EXPECT_EQ(42, d.SendMessage(WM_AFXTEST_ASK, 40, 2)); },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init"}), d.m_log); }},
        {"WM_NOTIFY from the tree not routed to ON_NOTIFY",
         [](CTestDialog& d) {
             CTreeCtrl tree;
             ASSERT_TRUE(tree.Attach(::GetDlgItem(d, IDC_AFXTEST_TREE)));
             HTREEITEM root = tree.InsertItem(L"根");
             HTREEITEM child = tree.InsertItem(L"葉", root);
             tree.SelectItem(child);
             EXPECT_EQ(child, tree.GetSelectedItem());
             EXPECT_STREQ(L"葉", tree.GetItemText(child).GetString());
             tree.Detach();
         },
         [](CTestDialog& d) { EXPECT_NE(nullptr, d.m_hLastSelected); }},
        {"trackbar WM_VSCROLL not routed or scroll bar wrapper wrong",
         [](CTestDialog& d) {
             ::SendMessageW(::GetDlgItem(d, IDC_AFXTEST_SLIDER), WM_KEYDOWN, VK_DOWN, 0);
         },
         [](CTestDialog& d) {
             EXPECT_EQ(static_cast<UINT>(TB_LINEDOWN), d.m_nLastVScrollCode);
             EXPECT_EQ(::GetDlgItem(d, IDC_AFXTEST_SLIDER), d.m_hLastScrollBar);
         }},
        {"WM_CLOSE default handling does not end in OnCancel (hide)",
         [](CTestDialog& d) {
             d.ShowWindow(SW_SHOW);
             d.SendMessage(WM_CLOSE);
             AfxPumpMessages();
         },
         [](CTestDialog& d) {
             EXPECT_EQ(Log({L"Init", L"Close", L"Cancel"}), d.m_log);
             EXPECT_TRUE(::IsWindow(d)) << "a modeless dialog is hidden, not destroyed";
             EXPECT_FALSE(d.IsWindowVisible());
         }},
        {"IDOK on a modeless dialog does not save and hide",
         [](CTestDialog& d) {
             d.ShowWindow(SW_SHOW);
             d.SetDlgItemText(IDC_AFXTEST_INT, L"77");
             ::SendMessageW(::GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
         },
         [](CTestDialog& d) {
             EXPECT_EQ(Log({L"Init", L"OK"}), d.m_log);
             EXPECT_EQ(77, d.m_nInt);
             EXPECT_FALSE(d.IsWindowVisible());
         }},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        EXPECT_EQ(&dlg, CWnd::FromHandle(dlg.m_hWnd));
        c.act(dlg);
        c.check(dlg);
    }
    EXPECT_EQ(L"", JoinedFailures());
}

TEST_F(ModelessDialog, ObjectsForgetTheirWindowsWhenDestroyed)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    const HWND hDlg = dlg.m_hWnd;
    const HWND hEdit = dlg.m_editInt.m_hWnd;
    ASSERT_NE(nullptr, hEdit) << "DDX_Control did not subclass the edit";
    EXPECT_EQ(&dlg.m_editInt, CWnd::FromHandlePermanent(hEdit));
    EXPECT_FALSE(dlg.Create(IDD_AFXTEST)) << "a second Create on a live dialog";

    ASSERT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_editInt.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));

    // The object can create its window again.
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    EXPECT_NE(nullptr, dlg.m_editInt.m_hWnd);
}

TEST_F(ModelessDialog, DestroyingTheObjectDestroysItsWindow)
{
    HWND hDlg = nullptr;
    {
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        hDlg = dlg.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hDlg));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
}

TEST_F(ModelessDialog, SubclassedControlSeesItsMessagesBeforeTheControl)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    CEdit text;
    ASSERT_TRUE(text.SubclassDlgItem(IDC_AFXTEST_TEXT, &dlg));
    EXPECT_FALSE(text.SubclassDlgItem(IDC_AFXTEST_TEXT, &dlg)) << "subclassed twice";
    text.SetWindowText(L"東京");
    CString got;
    text.GetWindowText(got);
    EXPECT_STREQ(L"東京", got.GetString()) << "the original edit procedure was not called";
    HWND h = text.UnsubclassWindow();
    EXPECT_EQ(::GetDlgItem(dlg, IDC_AFXTEST_TEXT), h);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    ::SetWindowTextW(h, L"大阪");
    dlg.GetDlgItemText(IDC_AFXTEST_TEXT, got);
    EXPECT_STREQ(L"大阪", got.GetString());
}

}  // namespace

namespace {

TEST_F(ModelessDialog, KeyboardReachesAModelessDialogThroughTheMessagePump)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
    dlg.ShowWindow(SW_SHOW);
    const HWND edit = ::GetDlgItem(dlg, IDC_AFXTEST_TEXT);
    ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    AfxPumpMessages();
    const std::vector<std::wstring> expected = {L"Init", L"Cancel"};
    EXPECT_EQ(expected, dlg.m_log) << "Esc in a modeless dialog did not reach OnCancel";
    EXPECT_FALSE(dlg.IsWindowVisible());
}

}  // namespace
