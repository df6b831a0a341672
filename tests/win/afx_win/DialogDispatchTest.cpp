#include <gtest/gtest.h>

#include <functional>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

using Log = std::vector<std::wstring>;

class ModelessDialog : public ScriptedTest {};

// Each row drives a shown modeless dialog; the handlers log what reached them.
TEST_F(ModelessDialog, MessagesReachTheirHandlers)
{
    // visible: afterwards.
    const struct { const char* fault; std::function<void(CTestDialog&)> act; Log log; bool visible; } cases[] = {
        {"BN_CLICKED not routed to ON_BN_CLICKED", [](CTestDialog& d) { Click(d, IDC_AFXTEST_GO); },
         {L"Go"}, true},
        {"EN_CHANGE not routed to ON_EN_CHANGE",
         [](CTestDialog& d) { d.SetDlgItemText(IDC_AFXTEST_INT, L"12"); }, {L"Change"}, true},
        {"ON_MESSAGE result lost on the way back from the dialog procedure",
         [](CTestDialog& d) { EXPECT_EQ(42, d.SendMessage(WM_AFXTEST_ASK, 40, 2)); }, {}, true},
        {"WM_NOTIFY from the tree not routed to ON_NOTIFY",
         [](CTestDialog& d) {
             CTreeCtrl tree;
             ASSERT_TRUE(tree.SubclassDlgItem(IDC_AFXTEST_TREE, &d));
             tree.SelectItem(tree.InsertItem(TVIF_TEXT, L"根", 0, 0, 0, 0, 0, TVI_ROOT, TVI_LAST));
         },
         {L"Tree:1"}, true},
        {"trackbar WM_VSCROLL not routed, or its scroll bar wrapper wrong",
         [](CTestDialog& d) { ::SendMessageW(::GetDlgItem(d, IDC_AFXTEST_SLIDER), WM_KEYDOWN, VK_DOWN, 0); },
         {L"VScroll:1:slider"}, true},
        {"owner draw not reflected, or the reflecting control swallowed the click",
         [](CTestDialog& d) {
             DRAWITEMSTRUCT dis{};
             dis.CtlType = ODT_BUTTON;
             dis.CtlID = IDC_AFXTEST_GO;
             dis.hwndItem = ::GetDlgItem(d, IDC_AFXTEST_GO);
             EXPECT_EQ(TRUE, d.SendMessage(WM_DRAWITEM, IDC_AFXTEST_GO, reinterpret_cast<LPARAM>(&dis)));
             Click(d, IDC_AFXTEST_GO);
         },
         {L"Drawn", L"Go"}, true},
        {"wheel delta or point lost, or read unsigned",
         [](CTestDialog& d) {
             d.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)),
                           MAKELPARAM(static_cast<WORD>(-5), 300));
         },
         {L"Wheel:-120:-5,300"}, true},
        {"WM_CLOSE does not end in OnCancel, which hides", [](CTestDialog& d) { d.SendMessage(WM_CLOSE); },
         {L"Close", L"Cancel"}, false},
        {"IDOK on a modeless dialog does not save and hide",
         [](CTestDialog& d) {
             d.SetDlgItemText(IDC_AFXTEST_INT, L"77");
             d.m_log.clear();
             Click(d, IDOK);
         },
         {L"OK:77"}, false},
        {"Esc does not pass the dialog manager in the message pump",
         [](CTestDialog& d) { ::PostMessageW(::GetDlgItem(d, IDC_AFXTEST_TEXT), WM_KEYDOWN, VK_ESCAPE, 0); },
         {L"Cancel"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        dlg.ShowWindow(SW_SHOW);
        EXPECT_EQ(Log({L"Init"}), dlg.m_log);
        dlg.m_log.clear();
        c.act(dlg);
        AfxPumpMessages();
        EXPECT_EQ(c.log, dlg.m_log);
        EXPECT_TRUE(::IsWindow(dlg)) << "a modeless dialog is hidden, not destroyed";
        EXPECT_EQ(c.visible, !!dlg.IsWindowVisible());
    }
}

TEST_F(ModelessDialog, ObjectsAndWindowsForgetEachOther)
{
    HWND hDlg = nullptr;
    {
        CTestDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST));
        const HWND hEdit = dlg.m_edit.m_hWnd;
        EXPECT_EQ(&dlg.m_edit, CWnd::FromHandlePermanent(hEdit)) << "the edit was not subclassed";
        EXPECT_FALSE(dlg.Create(IDD_AFXTEST)) << "a second Create on a live dialog";
        ASSERT_TRUE(dlg.DestroyWindow());
        EXPECT_EQ(nullptr, dlg.m_edit.m_hWnd);
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
        ASSERT_TRUE(dlg.Create(IDD_AFXTEST)) << "the object cannot create its window again";
        hDlg = dlg.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hDlg)) << "the object's destructor left its window";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hDlg));
}

}  // namespace
