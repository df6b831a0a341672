#include "CityDlgFixture.h"

#include <citydb/CCityEditor.h>

namespace {

// Two パリ: a move may not give 欧州 a second one.
const wchar_t kList[] =
    L"# test list\r\n@日本\r\n東京,139.7667000E,35.6833000N,40,+09.00, 0, 0, 3\r\n"
    L"大阪,135.5000000E,34.5000000N,5,+09.00, 0, 0, 3\r\nパリ,140.0000000E,36.0000000N,0,+09.00, 0, 0, 2\r\n"
    L"@@関東\r\n横浜,139.6000000E,35.4000000N,0,+09.00, 0, 0, 3\r\n川崎,139.7000000E,35.5000000N,0,+09.00, 0, 0, 3\r\n#\r\n#\r\n"
    L"@世界\r\n@@欧州\r\nロンドン,0.1000000W,51.5000000N,0,+00.00, 0, 0, 2\r\n"
    L"パリ,2.3500000E,48.8500000N,0,+01.00, 0, 0, 2\r\n#\r\n"
    L"ニューヨーク,74.0000000W,40.7000000N,0,-05.00, 0, 0, 2\r\n#\r\n";
// Every folder open ("+"); a place whose item data leads to another read record is marked "!"
// (the replay gives moved places new records, without a name).
constexpr wchar_t kAsLoaded[] = L"場所+(日本+(東京,大阪,パリ,関東+(横浜,川崎)),世界+(欧州+(ロンドン,パリ),ニューヨーク))";

// Inserts the tree view refuses from the given one on (1 the first), as a full tree would.
int g_nInsertsToRefuse = 0;

LRESULT CALLBACK RefuseInserts(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (uMsg == TVM_INSERTITEMW && g_nInsertsToRefuse > 0 && --g_nInsertsToRefuse == 0) {
        g_nInsertsToRefuse = 1;
        return 0;
    }
    return DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

class CityDragTest : public CityDlgFixture {};

enum class Release { OnTarget, TreeLeftEdge, TreeRightEdge, RightClick, CaptureLost };

// What each kind of move records, and that its log replays to the same tree, is held natively
// (citydb_log's Record and Editor tests, obsdb's move modes); here what the user does and sees.
TEST_F(CityDragTest, DropsMoveByTheRules)
{
    WriteList(kList);
    const CString strRefusedParis = CCityEditor::DuplicatePlaceMessage(_T("パリ"));
    // Which drop moves what, and where, is the editor's and held natively rule by rule; here the
    // mouse, the question, the refusal and the tree view around one move of each kind.
    // Paths below 場所 as "日本/東京", empty for 場所; the shape after it (null: as loaded); the question's
    // button (0: none may be asked); the tree refuses this insert and the ones after it (0: none).
    struct { const char* pszCase; const wchar_t *pszDragged, *pszTarget, *pszShape; Release release = Release::OnTarget; int nAnswer = 0, nRefusedInsert = 0; const wchar_t* pszRefusal = nullptr; } const cases[] = {
        {"place onto a place in another folder", L"日本/東京", L"世界/ニューヨーク", L"場所+(日本+(大阪,パリ,関東+(横浜,川崎)),世界+(欧州+(ロンドン,パリ),ニューヨーク,東京))"},
        {"folder behind a folder", L"日本/関東", L"世界/欧州", L"場所+(日本+(東京,大阪,パリ),世界+(欧州+(ロンドン,パリ),関東+(横浜,川崎),ニューヨーク))", Release::OnTarget, IDC_MOVETO_RD_BEHIND},
        {"folder into a folder", L"日本/関東", L"世界/欧州", L"場所+(日本+(東京,大阪,パリ),世界+(欧州+(関東+(横浜,川崎),ロンドン,パリ),ニューヨーク))", Release::OnTarget, IDC_MOVETO_RD_INTO},
        {"folder onto a folder, question cancelled", L"日本/関東", L"世界/欧州", nullptr, Release::OnTarget, IDCANCEL},
        {"right click", L"日本/東京", L"世界/ニューヨーク", nullptr, Release::RightClick},
        {"capture taken by another window", L"日本/東京", L"世界/ニューヨーク", nullptr, Release::CaptureLost},
        {"released just right of the tree", L"日本/東京", L"世界/ニューヨーク", nullptr, Release::TreeRightEdge},
        {"released on the tree's left border", L"日本/東京", L"世界/ニューヨーク", L"場所+(日本+(大阪,パリ,関東+(横浜,川崎)),世界+(欧州+(ロンドン,パリ),ニューヨーク,東京))", Release::TreeLeftEdge},
        {"a second パリ in 欧州", L"日本/パリ", L"世界/欧州/ロンドン", nullptr, Release::OnTarget, 0, 0, strRefusedParis},
        {"the tree refuses the copy's first child", L"日本/関東", L"世界/ニューヨーク", nullptr, Release::OnTarget, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        DeleteUserLists();
        const CString strExpected = c.pszShape ? c.pszShape : kAsLoaded;
        int nAsked = 0;
        AfxSetModalDialogHook(IDD_CITY_MOVETO, [&](CDialog* pDlg) {
            ++nAsked;
            EXPECT_EQ(CString(L"[欧州] フォルダの後ろに挿入"), Text(pDlg->GetSafeHwnd(), IDC_MOVETO_RD_BEHIND));
            if (c.nAnswer != IDCANCEL)
                ::Click(pDlg->GetSafeHwnd(), c.nAnswer ? c.nAnswer : IDC_MOVETO_RD_INTO);
            ::Click(pDlg->GetSafeHwnd(), c.nAnswer == IDCANCEL ? IDCANCEL : IDOK);
        });
        if (c.pszRefusal != nullptr)
            AfxTestExpectMessageBox(c.pszRefusal, IDOK);
        RunCity([&](CDlgCity& dlg, HWND hDlg) {
            const HWND hTree = ::GetDlgItem(hDlg, IDC_CITY_TREE);
            for (const wchar_t* pszFolder : {L"日本", L"日本/関東", L"世界", L"世界/欧州"})
                TreeView_Expand(hTree, Find(dlg, pszFolder), TVE_EXPAND);
            ASSERT_EQ(CString(kAsLoaded), Shape(dlg, TreeView_GetRoot(hTree), true));
            // Wine's tree leaves the drop highlight where it was when asked to put it on the selected
            // item, and the root is selected at first.
            TreeView_SelectItem(hTree, Find(dlg, L"世界/欧州/パリ"));

            // The button goes down on the item and a move beyond the drag distance waits: the
            // tree's own drag detection reads it and sends TVN_BEGINDRAG.
            const POINT ptFrom = Centre(hTree, Find(dlg, c.pszDragged));
            ::PostMessageW(hTree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptFrom.x + 20, ptFrom.y + 20));
            ::SendMessageW(hTree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptFrom.x, ptFrom.y));
            ASSERT_EQ(hDlg, ::GetCapture());

            // From here the dialog holds the capture: the mouse reaches it in its client coordinates.
            POINT pt = Centre(hTree, Find(dlg, c.pszTarget));
            ::MapWindowPoints(hTree, hDlg, &pt, 1);
            ::SendMessageW(hDlg, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            EXPECT_EQ(Find(dlg, c.pszTarget), TreeView_GetDropHilight(hTree));
            if (c.release == Release::TreeLeftEdge || c.release == Release::TreeRightEdge) {
                RECT rcTree = {};
                ::GetWindowRect(hTree, &rcTree);
                ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rcTree), 2);
                pt.x = c.release == Release::TreeLeftEdge ? rcTree.left : rcTree.right;
                ::SendMessageW(hDlg, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            }
            g_nInsertsToRefuse = c.nRefusedInsert;
            SetWindowSubclass(hTree, RefuseInserts, 1, 0);
            if (c.release == Release::CaptureLost)
                ::SetCapture(hTree);
            else if (c.release == Release::RightClick)
                ::SendMessageW(hDlg, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
            else
                ::SendMessageW(hDlg, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            RemoveWindowSubclass(hTree, RefuseInserts, 1), g_nInsertsToRefuse = 0;

            EXPECT_NE(hDlg, ::GetCapture());
            // The window that took the capture keeps it.
            if (c.release == Release::CaptureLost) {
                EXPECT_EQ(hTree, ::GetCapture());
            }
            ::ReleaseCapture();
            EXPECT_EQ(nullptr, TreeView_GetDropHilight(hTree));
            EXPECT_FALSE(dlg.m_bDragging || dlg.m_pDragImage);
            EXPECT_EQ(1, dlg.Session().m_editor.m_bModified);
            EXPECT_EQ(strExpected, Shape(dlg, TreeView_GetRoot(hTree), true));
            ::Click(hDlg, IDOK);
        });
        EXPECT_EQ(c.nAnswer != 0 ? 1 : 0, nAsked);
    }
}

}  // namespace
