#include "city/CDlgCity.h"
#include "res/resource_city.h"

#include <afx/AfxTest.h>
#include <afx/afxwin.h>
#include <citydb/CCityData.h>
#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

class CBenchApp : public CWinApp {
public:
    CBenchApp() : CWinApp(_T("VRKOBS city dialog bench")) {}
};

CBenchApp theApp;
CWnd theMainWnd;

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 9;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> a)
{
    std::sort(a.begin(), a.end());
    return a[a.size() / 2];
}

// One item of the list as the tree view gets it, in pre-order; the indices point at earlier items.
struct FlatItem {
    CString strText;
    int nImage;
    int nSelected;
    LPARAM lParam;
    int nParent;  // -1: top level
    int nAfter;   // a place: the folder before it among its siblings, -1 for none
};

void Flatten(const CMemTree& mem, HCITYITEM hItem, int nParent, std::vector<FlatItem>& aItem)
{
    int nLastFolder = -1;
    for (; hItem != nullptr; hItem = mem.GetNextSiblingItem(hItem)) {
        FlatItem item{mem.GetItemText(hItem), 0, 0, static_cast<LPARAM>(mem.GetItemData(hItem)), nParent, nLastFolder};
        mem.GetItemImage(hItem, item.nImage, item.nSelected);
        aItem.push_back(item);
        const int nIndex = static_cast<int>(aItem.size()) - 1;
        if (item.lParam == CITY_FOLDER_DATA)
            nLastFolder = nIndex;
        Flatten(mem, mem.GetChildItem(hItem), nIndex, aItem);
    }
}

// The floor: the same dialog opened the same way, its tree view filled straight from memory
// with the same items (no file, no replay), the root expanded as the loading leaves it. The
// order is the one cheapest for the tree view, which looks a parent up among all items made
// before: the folders first, then the places, last first, each after the folder before it.
class CFloorDlg : public CDlgCity {
public:
    CFloorDlg(const std::vector<FlatItem>& aItem, CWnd* pParent) : CDlgCity(pParent), m_aItem(aItem) {}

protected:
    void LoadTree() override
    {
        const HWND hTree = m_tree.GetSafeHwnd();
        std::vector<HTREEITEM> aHandle(m_aItem.size());
        auto insert = [&](size_t i, HTREEITEM hAfter) {
            const FlatItem& item = m_aItem[i];
            TVINSERTSTRUCTW tvi = {};
            tvi.hParent = item.nParent < 0 ? TVI_ROOT : aHandle[item.nParent];
            tvi.hInsertAfter = hAfter;
            tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
            tvi.item.pszText = const_cast<LPWSTR>(item.strText.GetString());
            tvi.item.iImage = item.nImage;
            tvi.item.iSelectedImage = item.nSelected;
            tvi.item.lParam = item.lParam;
            aHandle[i] = reinterpret_cast<HTREEITEM>(
                ::SendMessageW(hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
        };
        for (size_t i = 0; i < m_aItem.size(); ++i) {
            if (m_aItem[i].lParam == CITY_FOLDER_DATA)
                insert(i, TVI_LAST);
        }
        for (size_t i = m_aItem.size(); i-- > 0;) {
            if (m_aItem[i].lParam != CITY_FOLDER_DATA)
                insert(i, m_aItem[i].nAfter < 0 ? TVI_FIRST : aHandle[m_aItem[i].nAfter]);
        }
        ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, ::SendMessageW(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    }

private:
    const std::vector<FlatItem>& m_aItem;
};

// From DoModal to the dialog painted: the hook's message arrives when the dialog's loop first
// runs, and the pending paints of the dialog and its controls are done there and counted.
// nItems: how many items its tree view then holds.
double OpenMs(CDlgCity& dlg, size_t& nItems)
{
    Clock::time_point tShown;
    AfxSetModalDialogHook(IDD_CITY, [&](CDialog* pDlg) {
        ::RedrawWindow(pDlg->GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        tShown = Clock::now();
        nItems = static_cast<size_t>(dlg.m_tree.SendMessage(TVM_GETCOUNT, 0, 0));
        pDlg->EndDialog(IDCANCEL);
    });
    const Clock::time_point tStart = Clock::now();
    dlg.DoModal();
    return Ms(tShown - tStart);
}

double DialogMs(const CString& strList, const CString& strDir, size_t& nItems)
{
    CDlgCity dlg(&theMainWnd);
    dlg.m_strObsFile = strList;
    dlg.m_strUserObsFile = strDir + _T("zelkam_user.obs");
    dlg.m_strUserJsonFile = strDir + _T("zelkam_user_obs.json");
    return OpenMs(dlg, nItems);
}

double FloorMs(const std::vector<FlatItem>& aItem, size_t& nItems)
{
    CFloorDlg dlg(aItem, &theMainWnd);
    return OpenMs(dlg, nItems);
}

// Reading alone: the system list into the place and folder records, no tree.
double ReadingMs(const CString& strList)
{
    CCityData data;
    data.m_strObsFile = strList;
    const Clock::time_point tStart = Clock::now();
    data.LoadCityList();
    return Ms(Clock::now() - tStart);
}

// The converting floor: the file's bytes, turned into wide text in one call and split into lines.
double ConvertingMs(const CString& strList, size_t& nLines)
{
    const Clock::time_point tStart = Clock::now();
    std::string bytes;
    CSafeFile::Read(strList, bytes);
    std::wstring text(bytes.size(), L'\0');
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                            static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(nWide, 0)));
    std::vector<std::wstring_view> aLine;
    for (size_t nPos = 0; nPos < text.size();) {
        size_t nEnd = text.find(L'\n', nPos);
        const size_t nNext = nEnd == std::wstring::npos ? text.size() : nEnd + 1;
        if (nEnd == std::wstring::npos)
            nEnd = text.size();
        if (nEnd > nPos && text[nEnd - 1] == L'\r')
            --nEnd;
        aLine.emplace_back(text.data() + nPos, nEnd - nPos);
        nPos = nNext;
    }
    const double dMs = Ms(Clock::now() - tStart);
    nLines = aLine.size();
    return dMs;
}

void Measure(const CString& strList, const CString& strDir)
{
    CMemTree mem;
    CCitySession session(mem);
    session.SetFiles(strList, CString(), CString());
    session.Load();
    std::vector<FlatItem> aItem;
    Flatten(mem, mem.GetRootItem(), -1, aItem);

    // A first opening (fonts, classes, the heap's first growth) is not what is compared.
    size_t nOpenItems = 0;
    size_t nFloorItems = 0;
    DialogMs(strList, strDir, nOpenItems);
    FloorMs(aItem, nFloorItems);
    // Interleaved, so that a change in the machine's load touches both sides alike; each
    // ratio is taken within one run.
    std::vector<double> aOpen, aFloor, aRead, aConvert, aOpenRatio, aReadRatio;
    size_t nLines = 0;
    for (int i = 0; i < kRuns; ++i) {
        aOpen.push_back(DialogMs(strList, strDir, nOpenItems));
        aFloor.push_back(FloorMs(aItem, nFloorItems));
        aRead.push_back(ReadingMs(strList));
        aConvert.push_back(ConvertingMs(strList, nLines));
        aOpenRatio.push_back(aOpen.back() / aFloor.back());
        aReadRatio.push_back(aRead.back() / aConvert.back());
    }
    std::printf("%ls\n  %d places, %d folders, %zu items, %zu lines\n"
                "  open %.1f ms, floor %.1f ms: open/floor %.2f (goal 1.25)\n"
                "  reading %.1f ms, converting floor %.1f ms: reading/floor %.2f (goal 2)\n",
                strList.GetString(), session.m_data.m_nCityNum, session.m_data.m_nTagNum, aItem.size(), nLines,
                Median(aOpen), Median(aFloor), Median(aOpenRatio), Median(aRead), Median(aConvert),
                Median(aReadRatio));
    if (nOpenItems != aItem.size() || nFloorItems != aItem.size())
        std::printf("  the dialog shows %zu items and the floor %zu, not %zu: the figures compare unlike trees\n",
                    nOpenItems, nFloorItems, aItem.size());
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

    std::printf("Wine timings, medians of %d runs after one more (ratios within each run)\n", kRuns);
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
