#include "city/CDlgCity.h"
#include "res/resource_city.h"

#include <afx/AfxTest.h>
#include <afx/afxwin.h>
#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(_T("VRKOBS city dialog bench")) {}
};

CBenchApp theApp;
CWnd theMainWnd;

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 3;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// From DoModal to the first idle of its loop, where the modal hook's posted script runs.
double OpenMs(const CString& strList, const CString& strDir)
{
    CDlgCity dlg(&theMainWnd);
    dlg.m_strObsFile = strList;
    dlg.m_strUserObsFile = strDir + _T("zelkam_user.obs");
    dlg.m_strUserJsonFile = strDir + _T("zelkam_user_obs.json");
    Clock::time_point tIdle;
    AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) {
        tIdle = Clock::now();
        pDlg->EndDialog(IDCANCEL);
    });
    const Clock::time_point tStart = Clock::now();
    dlg.DoModal();
    return Ms(tIdle - tStart);
}

void InsertItems(const CMemTree& mem, HWND hTree, HCITYITEM hItem, HTREEITEM hParent)
{
    for (; hItem != nullptr; hItem = mem.GetNextSiblingItem(hItem)) {
        const CString strText = mem.GetItemText(hItem);
        int nImage = 0;
        int nSelected = 0;
        mem.GetItemImage(hItem, nImage, nSelected);
        TVINSERTSTRUCTW tvi = {};
        tvi.hParent = hParent;
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvi.item.pszText = const_cast<LPWSTR>(strText.GetString());
        tvi.item.iImage = nImage;
        tvi.item.iSelectedImage = nSelected;
        tvi.item.lParam = static_cast<LPARAM>(mem.GetItemData(hItem));
        const auto hNew = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
        InsertItems(mem, hTree, mem.GetChildItem(hItem), hNew);
    }
}

// The same items inserted into a bare tree view, root expanded: what any dialog over this
// control pays at least.
double FloorMs(const CMemTree& mem)
{
    HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS
                                   | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0, 400, 300,
                                   theMainWnd.GetSafeHwnd(), nullptr, nullptr, nullptr);
    const Clock::time_point tStart = Clock::now();
    InsertItems(mem, hTree, mem.GetRootItem(), TVI_ROOT);
    ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND,
                   ::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const double dMs = Ms(Clock::now() - tStart);
    ::DestroyWindow(hTree);
    return dMs;
}

void Measure(const CString& strList, const CString& strDir)
{
    CMemTree mem;
    CCitySession session(mem);
    session.SetFiles(strList, CString(), CString());
    const Clock::time_point tRead = Clock::now();
    session.Load();
    // Reading and parsing into the in-memory tree: the part of the opening no tree view pays.
    const double dRead = Ms(Clock::now() - tRead);
    double dOpen = 1e300;
    double dFloor = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        dOpen = std::min(dOpen, OpenMs(strList, strDir));
        dFloor = std::min(dFloor, FloorMs(mem));
    }
    const int nPlaces = session.m_data.m_nCityNum;
    std::printf("%ls\n  %d places, %d folders: open %.1f ms, floor %.1f ms, open/floor %.2f, "
                "open %.1f us/place; reading into memory %.1f ms\n",
                strList.GetString(), nPlaces, session.m_data.m_nTagNum, dOpen, dFloor, dOpen / dFloor,
                nPlaces > 0 ? dOpen * 1000.0 / nPlaces : 0.0, dRead);
}

CString WinePath(const char* pszUnixPath)
{
    CString strPath(pszUnixPath);
    strPath.Replace(L'/', L'\\');
    return _T("Z:") + strPath;
}

}  // namespace

// Arguments: the system lists to open; none: the benchmark's cut and the demo's full list.
int wmain(int argc, wchar_t** argv)
{
    AfxInitCommonControls();
    theMainWnd.CreateEx(0, nullptr, _T("VRKOBS bench host"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300),
                        nullptr, 0);
    theApp.m_pMainWnd = &theMainWnd;
    wchar_t szTemp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, szTemp);
    const CString strDir = CString(szTemp) + _T("vrkobs_citydlg_bench_");

    std::printf("Wine timings, best of %d runs\n", kRuns);
    if (argc > 1) {
        for (int i = 1; i < argc; ++i)
            Measure(argv[i], strDir);
    } else {
        Measure(WinePath(VRKOBS_SOURCE_DIR "/bench/data/zelkam-10k.obs"), strDir);
        Measure(WinePath(VRKOBS_SOURCE_DIR "/demo/data/zelkam.obs"), strDir);
    }
    theApp.m_pMainWnd = nullptr;
    theMainWnd.DestroyWindow();
    return 0;
}
