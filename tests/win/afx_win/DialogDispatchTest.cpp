#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

using Log = std::vector<std::wstring>;

void Click(HWND dlg, int id)
{
    ::SendMessageW(::GetDlgItem(dlg, id), BM_CLICK, 0, 0);
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
        {"BN_CLICKED not routed to ON_BN_CLICKED", [](CTestDialog& d) { Click(d, IDC_AFXTEST_GO); },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init", L"Go"}), d.m_log); }},
        {"EN_CHANGE not routed to ON_EN_CHANGE", [](CTestDialog& d) {
             d.m_nEnChangeInt = 0;
             d.SetDlgItemText(IDC_AFXTEST_INT, L"12");
         },
         [](CTestDialog& d) { EXPECT_EQ(1, d.m_nEnChangeInt); }},
        {"control range handler gets the wrong id", [](CTestDialog& d) { Click(d, IDC_AFXTEST_RADIO_B); },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init", L"Radio:1011"}), d.m_log); }},
        {"ON_MESSAGE result lost on the way back from the dialog procedure",
         [](CTestDialog& d) { EXPECT_EQ(42, d.SendMessage(WM_AFXTEST_ASK, 40, 2)); },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init"}), d.m_log); }},
        {"WM_NOTIFY from the tree not routed to ON_NOTIFY",
         [](CTestDialog& d) {
             CTreeCtrl tree;
             ASSERT_TRUE(tree.Attach(::GetDlgItem(d, IDC_AFXTEST_TREE)));
             HTREEITEM child = tree.InsertItem(L"葉", tree.InsertItem(L"根"));
             tree.SelectItem(child);
             EXPECT_EQ(L"葉", tree.GetItemText(child));
             tree.Detach();
         },
         [](CTestDialog& d) { EXPECT_NE(nullptr, d.m_hLastSelected); }},
        {"trackbar WM_VSCROLL not routed or scroll bar wrapper wrong",
         [](CTestDialog& d) { ::SendMessageW(::GetDlgItem(d, IDC_AFXTEST_SLIDER), WM_KEYDOWN, VK_DOWN, 0); },
         [](CTestDialog& d) {
             EXPECT_EQ(static_cast<UINT>(TB_LINEDOWN), d.m_nLastVScrollCode);
             EXPECT_EQ(::GetDlgItem(d, IDC_AFXTEST_SLIDER), d.m_hLastScrollBar);
         }},
        {"owner draw not reflected to the control that draws itself",
         [](CTestDialog& d) {
             DRAWITEMSTRUCT dis{};
             dis.CtlType = ODT_BUTTON;
             dis.CtlID = IDC_AFXTEST_GO;
             dis.hwndItem = ::GetDlgItem(d, IDC_AFXTEST_GO);
             EXPECT_EQ(TRUE, d.SendMessage(WM_DRAWITEM, IDC_AFXTEST_GO, reinterpret_cast<LPARAM>(&dis)));
             Click(d, IDC_AFXTEST_GO);
         },
         [](CTestDialog& d) {
             EXPECT_EQ(1, d.m_goButton.m_nDrawn);
             EXPECT_EQ(Log({L"Init", L"Go"}), d.m_log) << "a reflecting control swallowed the click";
         }},
        {"wheel delta or point lost, or the point read unsigned",
         [](CTestDialog& d) {
             d.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)),
                           MAKELPARAM(static_cast<WORD>(-5), 300));
             d.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(-3), 7));
         },
         [](CTestDialog& d) {
             EXPECT_EQ(Log({L"Init", L"Wheel", L"MouseMove"}), d.m_log);
             EXPECT_EQ(-WHEEL_DELTA, d.m_zDelta);
             EXPECT_EQ(CPoint(-3, 7), d.m_pt);
         }},
        {"WM_CLOSE default handling does not end in OnCancel (hide)",
         [](CTestDialog& d) {
             d.ShowWindow(SW_SHOW);
             d.SendMessage(WM_CLOSE);
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
             Click(d, IDOK);
         },
         [](CTestDialog& d) {
             EXPECT_EQ(Log({L"Init", L"OK"}), d.m_log);
             EXPECT_EQ(77, d.m_nInt);
             EXPECT_FALSE(d.IsWindowVisible());
         }},
        {"Esc in a modeless dialog does not pass the dialog manager in the message pump",
         [](CTestDialog& d) {
             d.ShowWindow(SW_SHOW);
             ::PostMessageW(::GetDlgItem(d, IDC_AFXTEST_TEXT), WM_KEYDOWN, VK_ESCAPE, 0);
         },
         [](CTestDialog& d) { EXPECT_EQ(Log({L"Init", L"Cancel"}), d.m_log); }},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        c.act(dlg);
        AfxPumpMessages();
        c.check(dlg);
    }
}

TEST_F(ModelessDialog, ObjectsAndWindowsForgetEachOther)
{
    HWND hDlg = nullptr;
    {
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        const HWND hEdit = dlg.m_editInt.m_hWnd;
        ASSERT_NE(nullptr, hEdit) << "DDX_Control did not subclass the edit";
        EXPECT_EQ(&dlg.m_editInt, CWnd::FromHandlePermanent(hEdit));
        EXPECT_FALSE(dlg.Create(IDD_AFXTEST)) << "a second Create on a live dialog";

        ASSERT_TRUE(dlg.DestroyWindow());
        EXPECT_EQ(nullptr, dlg.m_editInt.m_hWnd);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST)) << "the object cannot create its window again";
        hDlg = dlg.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hDlg)) << "the object's destructor left its window";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
}

TEST(FrameworkWindow, TemporaryWrappersStandInForForeignWindows)
{
    HWND foreign = ::CreateWindowExW(0, L"STATIC", L"他所", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    ASSERT_NE(nullptr, foreign);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(temp, CWnd::FromHandle(foreign)) << "one wrapper per window";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));

    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_EQ(&owner, CWnd::FromHandle(foreign)) << "the permanent object comes first";
    EXPECT_FALSE(CWnd().Attach(foreign)) << "a window with an object attached twice";
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(nullptr, owner.m_hWnd) << "an attached window's object kept a dead handle";
}

}  // namespace
