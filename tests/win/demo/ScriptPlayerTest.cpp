#include "DemoTestKit.h"
#include "demo/CDataWatch.h"
#include "demo/CScriptPlayer.h"

#include "../afx_win/testres/AfxWinTestRes.h"

#include <afx/afxwin.h>
#include <commctrl.h>
#include <vrkcom/VrkDDX.h>
#include <windowsx.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The framework tests' resource DLL: calling it keeps it loaded, and in the resource chain.
extern "C" __declspec(dllimport) HMODULE AfxWinTestResModule();

namespace {

// A framework dialog of the framework's test resources: a tree of places, and a button that
// runs the same template as a modal dialog whose values are kept.
class CPlayDialog : public CDialog {
public:
    CPlayDialog() : CDialog(IDD_AFXTEST) {}
    int m_nInt = 0, m_nCheck = 0, m_nRadio = 0, m_nCombo = 0;
    // Per modal dialog run: its result, then its int, check, radio and combo values.
    std::vector<std::vector<INT_PTR>> m_modals;
    // Per drag, as the city list dialog takes one: "item>item dropped on" (empty: outside).
    std::vector<CString> m_drags;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Int(pDX, IDC_AFXTEST_INT, m_nInt, 0, 0);
        DDX_Check(pDX, IDC_AFXTEST_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_AFXTEST_RADIO_A, m_nRadio);
        DDX_CBIndex(pDX, IDC_AFXTEST_COMBO, m_nCombo);
    }
    BOOL OnInitDialog() override
    {
        for (const wchar_t* s : {L"甲", L"乙", L"丙"})
            ::SendDlgItemMessageW(m_hWnd, IDC_AFXTEST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        HWND tree = ::GetDlgItem(m_hWnd, IDC_AFXTEST_TREE);
        auto add = [&](HTREEITEM parent, const wchar_t* name, LPARAM data) {
            TVINSERTSTRUCTW is = {parent, TVI_LAST, {}};
            is.item.mask = TVIF_TEXT | TVIF_PARAM, is.item.pszText = const_cast<wchar_t*>(name), is.item.lParam = data;
            return TreeView_InsertItem(tree, &is);
        };
        const HTREEITEM japan = add(add(TVI_ROOT, L"場所", -1), L"日本", -1);
        add(japan, L"東京", 0), add(japan, L"大阪", 1);
        return CDialog::OnInitDialog();
    }
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT*)
    {
        m_drags.push_back(ItemText(reinterpret_cast<NMTREEVIEWW*>(pNMHDR)->itemNew.hItem) + L">");
        ::SetCapture(m_hWnd);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONUP && ::GetCapture() == m_hWnd && !m_drags.empty()) {
            ::ReleaseCapture();
            TVHITTESTINFO hit = {{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, 0, nullptr};
            ::MapWindowPoints(m_hWnd, Tree(), &hit.pt, 1);
            m_drags.back() += ItemText(TreeView_HitTest(Tree(), &hit));
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    HWND Tree() const { return ::GetDlgItem(m_hWnd, IDC_AFXTEST_TREE); }
    CString ItemText(HTREEITEM item) const
    {
        wchar_t buf[64] = {};
        TVITEMW tv = {TVIF_TEXT, item, 0, 0, buf, 64, 0, 0, 0, 0};
        return item && TreeView_GetItem(Tree(), &tv) ? CString(buf) : CString();
    }
    void OnGo()
    {
        CPlayDialog m;  // a braced list is evaluated in order: DoModal first
        m_modals.push_back({m.DoModal(), m.m_nInt, m.m_nCheck, m.m_nRadio, m.m_nCombo});
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPlayDialog, CDialog)
    ON_BN_CLICKED(IDC_AFXTEST_GO, OnGo)
    ON_NOTIFY(TVN_BEGINDRAGW, IDC_AFXTEST_TREE, OnBeginDrag)
END_MESSAGE_MAP()

// The steps that work on whatever dialog is open, played on a framework dialog: a modal dialog
// filled and closed by a "dialog" step, another played step by step until it closes, the tree
// steps on the tree found by its id, and the first step that cannot be played.
TEST(ScriptPlayer, PlaysTheOpenDialogAndItsModalDialogs)
{
    TempFolder tmp;
    ASSERT_TRUE(WriteBytes(tmp.Path(L"s.jsonl"), JoinLines({
        R"({"do":"select","path":["場所","日本","大阪"]})", R"({"do":"tree"})", R"({"do":"dblclick","path":["場所","日本"]})",
        R"({"do":"tree"})", R"({"do":"dialog","set":{"1001":"42","1020":"1","1011":"1","1060":"2"},"press":"OK"})",
        R"({"do":"click","id":1030})", R"({"do":"click","id":1030})", R"({"do":"type","id":1001,"text":"7"})",
        R"({"do":"close"})", R"({"do":"drag","path":["場所","日本","東京"],"to":["場所","日本","大阪"]})",
        R"({"do":"read","ids":[1001]})", R"({"do":"select","path":["場所","火星"]})", R"({"do":"tree"})"})));
    ASSERT_NE(nullptr, AfxWinTestResModule());
    CPlayDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_AFXTEST, nullptr));
    dlg.ShowWindow(SW_SHOW);
    CTranscript out;
    ASSERT_TRUE(out.Open(tmp.Path(L"t.jsonl")));
    ASSERT_TRUE(MakeFolders(tmp.Path(L"data")));
    CDataWatch watch(tmp.Path(L"data"));
    CScriptPlayer::Host host;
    host.nTreeId = IDC_AFXTEST_TREE;
    int line = 0;  // and why: where and why the script stopped
    CString why;
    {
        CScriptPlayer player(out, watch, host);
        ASSERT_TRUE(player.Load(tmp.Path(L"s.jsonl"), line, why)) << line;
        EXPECT_FALSE(player.Play(dlg.m_hWnd, line, why));
    }
    out.Close();
    dlg.DestroyWindow();
    EXPECT_EQ((std::vector<std::vector<INT_PTR>>{{IDOK, 42, 1, 1, 2}, {IDCANCEL, 0, 0, 0, 0}}), dlg.m_modals) << "a modal dialog was not filled, or not closed as told";
    EXPECT_EQ(std::vector<CString>{L"東京>大阪"}, dlg.m_drags) << "the drag did not start or land";

    EXPECT_TRUE(line == 12 && why == L"no tree item \"火星\" under \"場所\"") << "Play misnamed the failing step";
    EXPECT_EQ(JoinLines({
        R"({"event":"step","line":1,"do":"select"})", R"({"event":"step","line":2,"do":"tree"})",
        R"({"event":"tree","items":[{"name":"場所","folder":true,"expanded":true,"selected":false,"items":[)"
        R"({"name":"日本","folder":true,"expanded":true,"selected":false,"items":[)"
        R"({"name":"東京","folder":false,"expanded":false,"selected":false},{"name":"大阪","folder":false,"expanded":false,"selected":true}]}]}]})",
        R"({"event":"step","line":3,"do":"dblclick"})", R"({"event":"step","line":4,"do":"tree"})",
        R"({"event":"tree","items":[{"name":"場所","folder":true,"expanded":true,"selected":false,"items":[)"
        R"({"name":"日本","folder":true,"expanded":false,"selected":true,"items":[)"
        R"({"name":"東京","folder":false,"expanded":false,"selected":false},{"name":"大阪","folder":false,"expanded":false,"selected":false}]}]}]})",
        R"({"event":"step","line":5,"do":"dialog"})", R"({"event":"step","line":6,"do":"click"})",
        R"({"event":"dialog","template":100,"caption":"テスト"})", R"({"event":"step","line":7,"do":"click"})",
        R"({"event":"dialog","template":100,"caption":"テスト"})", R"({"event":"step","line":8,"do":"type"})",
        R"({"event":"step","line":9,"do":"close"})", R"({"event":"step","line":10,"do":"drag"})",
        R"({"event":"step","line":11,"do":"read"})", R"({"event":"read","id":1001,"text":"0","checked":null,"enabled":true})",
        R"({"event":"step","line":12,"do":"select"})",
        R"({"event":"error","line":12,"why":"no tree item \"火星\" under \"場所\""})"}),
        ReadBytes(tmp.Path(L"t.jsonl")));
}

}  // namespace
