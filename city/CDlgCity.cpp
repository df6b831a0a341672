#include "city/CDlgCity.h"

#include "city/CAddCty.h"
#include "city/CEdtCty.h"
#include "city/CEdtFld.h"
#include "city/CDlgCityMoveTo.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"

#include <host/CCorZelMap.h>
#include <vrkcom/VrkDDX.h>
#include <vrkcst/CZelTheme.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr UINT kMsgCityProgress = WM_USER + 112;  // 1136, to the host's main window
constexpr COLORREF kImageMask = RGB(255, 0, 0);

// Loading progress to the host's main window; the start carries a pointer to its text.
class CMainWndProgress : public ICityProgress {
public:
    void OnCityProgress(int wParam, int lParam, const CString& strText) override
    {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain == nullptr)
            return;
        const LPARAM lText = reinterpret_cast<LPARAM>(strText.GetString());
        pMain->SendMessage(kMsgCityProgress, static_cast<WPARAM>(wParam), wParam == 0 ? lText : lParam);
    }
};

HCITYITEM CityItem(HTREEITEM hItem) { return reinterpret_cast<HCITYITEM>(hItem); }

}  // namespace

CDlgCity::CDlgCity(CWnd* pParent)
    : CZelDialog(IDD_CITY, pParent)
{
    InitMembers();
}

CDlgCity::CDlgCity(CCorZel* pCor, CWnd* pParent)
    : CZelDialog(pCor, IDD_CITY, pParent)
{
    InitMembers();
}

CDlgCity::~CDlgCity() = default;

void CDlgCity::InitMembers()
{
    m_dAlt = 0.0;
    m_nLatDeg = 0;
    m_nLatMin = 0;
    m_dLatSec = 0.0;
    m_nLonDeg = 0;
    m_nLonMin = 0;
    m_dLonSec = 0.0;
    m_nTzHour = 0;
    m_nTzMin = 0;
    m_nEastWest = -1;
    m_nNorthSouth = -1;
    m_nTzSign = -1;
    m_bSetDefault = 0;
    m_dDefLon = 0.0;
    m_dDefLat = 0.0;
    m_dDefAlt = 0.0;
    m_dDefTz = 0.0;
    m_bAutoAlt = 1;
    m_hSelItem = nullptr;
    m_bSelFolder = 0;
    m_bSelCity = 0;
    m_bMesh = 0;
    m_pCorMap = nullptr;
    m_strRegKey.LoadString(IDS_REGKEY_CITY);
}

void CDlgCity::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CITY_RD_EAST, m_nEastWest);
    DDX_Radio(pDX, IDC_CITY_RD_NORTH, m_nNorthSouth);
    DDX_Radio(pDX, IDC_CITY_RD_TZ_P, m_nTzSign);
    DDX_DoubleFmt(pDX, IDC_CITY_EDT_ALT, m_dAlt, _T("%.0f"), 7);
    DDX_DoubleFmt(pDX, IDC_CITY_EDT_LAT_SEC, m_dLatSec, _T("%.1f"), 7);
    DDX_DoubleFmt(pDX, IDC_CITY_EDT_LNG_SEC, m_dLonSec, _T("%.1f"), 7);
    DDX_Int(pDX, IDC_CITY_EDT_LAT_DEG, m_nLatDeg, 0, 7);
    DDX_Int(pDX, IDC_CITY_EDT_LAT_MIN, m_nLatMin, 0, 7);
    DDX_Int(pDX, IDC_CITY_EDT_LNG_DEG, m_nLonDeg, 0, 7);
    DDX_Int(pDX, IDC_CITY_EDT_LNG_MIN, m_nLonMin, 0, 7);
    DDX_Int(pDX, IDC_CITY_EDT_TZ_HOUR, m_nTzHour, 0, 7);
    DDX_Int(pDX, IDC_CITY_EDT_TZ_MIN, m_nTzMin, 0, 7);
}

void CDlgCity::AttachControls()
{
    m_btnOK.Attach(IDOK, this);
    m_btnCancel.Attach(IDCANCEL, this);
    m_btnSetInit.Attach(IDC_CITY_BTN_SET_INIT, this);
    m_btnEdit.Attach(IDC_CITY_BTN_EDIT, this);
    m_btnAdd.Attach(IDC_CITY_BTN_ADD, this);
    m_btnDel.Attach(IDC_CITY_BTN_DEL, this);
    m_btnReset.Attach(IDC_CITY_BTN_RESET, this);

    m_edtLonDeg.Attach(IDC_CITY_EDT_LNG_DEG, this);
    m_edtLonMin.Attach(IDC_CITY_EDT_LNG_MIN, this);
    m_edtLonSec.Attach(IDC_CITY_EDT_LNG_SEC, this);
    m_edtLatDeg.Attach(IDC_CITY_EDT_LAT_DEG, this);
    m_edtLatMin.Attach(IDC_CITY_EDT_LAT_MIN, this);
    m_edtLatSec.Attach(IDC_CITY_EDT_LAT_SEC, this);
    m_edtAlt.Attach(IDC_CITY_EDT_ALT, this);
    m_edtTzHour.Attach(IDC_CITY_EDT_TZ_HOUR, this);
    m_edtTzMin.Attach(IDC_CITY_EDT_TZ_MIN, this);

    m_tree.Attach(IDC_CITY_TREE, this);

    m_rdEast.Attach(IDC_CITY_RD_EAST, this);
    m_rdWest.Attach(IDC_CITY_RD_WEST, this);
    m_rdNorth.Attach(IDC_CITY_RD_NORTH, this);
    m_rdSouth.Attach(IDC_CITY_RD_SOUTH, this);
    m_rdTzP.Attach(IDC_CITY_RD_TZ_P, this);
    m_rdTzM.Attach(IDC_CITY_RD_TZ_M, this);

    m_spnLonDeg.Attach(IDC_CITY_SPN_LNG_DEG, this);
    m_spnLonMin.Attach(IDC_CITY_SPN_LNG_MIN, this);
    m_spnLonSec.Attach(IDC_CITY_SPN_LNG_SEC, this);
    m_spnLatDeg.Attach(IDC_CITY_SPN_LAT_DEG, this);
    m_spnLatMin.Attach(IDC_CITY_SPN_LAT_MIN, this);
    m_spnLatSec.Attach(IDC_CITY_SPN_LAT_SEC, this);
    m_spnAlt.Attach(IDC_CITY_SPN_ALT, this);
    m_spnTzHour.Attach(IDC_CITY_SPN_TZ_HOUR, this);
    m_spnTzMin.Attach(IDC_CITY_SPN_TZ_MIN, this);

    if (!m_bThemed)
        CZelTheme::SetWindowTheme(&m_tree, L"", L"");
}

void CDlgCity::MakeImageList()
{
    m_imageList.DeleteImageList();
    m_imageList.Create(16, 15, ILC_COLOR24 | ILC_MASK, 4, 2);
    for (UINT nID : {IDB_CITY_FOLDER, IDB_CITY_FOLDER_OPEN, IDB_CITY_PLACE_SEL, IDB_CITY_PLACE}) {
        CBitmap bitmap;
        bitmap.LoadBitmap(nID);
        m_imageList.Add(&bitmap, kImageMask);
    }
}

BOOL CDlgCity::OnInitDialog()
{
    CZelDialog::OnInitDialog();
    AttachControls();
    CWaitCursor wait;

    MakeImageList();
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
    CMainWndProgress progress;
    m_session.SetFiles(m_strObsFile, m_strUserObsFile, m_strUserJsonFile);
    m_session.SetProgress(&progress);
    m_session.Load();
    m_session.SetProgress(nullptr);

    m_bFieldsLive = true;
    m_tree.SelectItem(m_tree.GetRootItem());
    EnableBtn();
    m_tree.SetFocus();
    return FALSE;
}

void CDlgCity::WriteFields()
{
    ++m_nWritingFields;
    UpdateData(FALSE);
    --m_nWritingFields;
}

CCoordFields CDlgCity::Fields() const
{
    return CCoordFields{m_nEastWest, m_nLonDeg, m_nLonMin, m_dLonSec, m_nNorthSouth, m_nLatDeg,
                        m_nLatMin,   m_dLatSec, m_dAlt,    m_nTzSign, m_nTzHour,    m_nTzMin};
}

void CDlgCity::SetFields(const CCoordFields& fields)
{
    m_nEastWest = fields.nEastWest;
    m_nLonDeg = fields.nLngDeg;
    m_nLonMin = fields.nLngMin;
    m_dLonSec = fields.dLngSec;
    m_nNorthSouth = fields.nNorthSouth;
    m_nLatDeg = fields.nLatDeg;
    m_nLatMin = fields.nLatMin;
    m_dLatSec = fields.dLatSec;
    m_dAlt = fields.dAlt;
    m_nTzSign = fields.nTzSign;
    m_nTzHour = fields.nTzHour;
    m_nTzMin = fields.nTzMin;
}

void CDlgCity::ShowPlace(const CCityList& place)
{
    SetFields(PlaceFields(place));
    m_bAutoAlt = 0;
    WriteFields();
}

void CDlgCity::ShowSelection()
{
    LRESULT result = 0;
    OnSelchangedSetObsTreeCity(nullptr, &result);
}

void CDlgCity::OnSelchangedSetObsTreeCity(NMHDR*, LRESULT* pResult)
{
    m_hSelItem = m_tree.GetSelectedItem();
    const std::intptr_t nData = m_hSelItem ? static_cast<std::intptr_t>(m_tree.GetItemData(m_hSelItem))
                                           : CITY_FOLDER_DATA;
    m_bSelCity = nData != CITY_FOLDER_DATA ? 1 : 0;
    m_bSelFolder = m_bSelCity ? 0 : 1;
    if (m_bSelCity)
        ShowPlace(m_session.m_data.CityAt(static_cast<int>(nData)));
    EnableBtn();
    if (pResult != nullptr)
        *pResult = 0;
}

void CDlgCity::EnableBtn()
{
    auto enable = [this](int nID, bool bEnable) {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable ? TRUE : FALSE);
    };
    const HTREEITEM hSel = m_tree.GetSelectedItem();
    if (hSel != nullptr && hSel == m_tree.GetRootItem()) {
        enable(IDC_CITY_BTN_EDIT, false);
        enable(IDC_CITY_BTN_DEL, false);
        return;
    }
    enable(IDC_CITY_BTN_SET_INIT, m_bSelCity != 0);
    const bool bEditable = m_session.m_editor.m_bEditable != 0;
    enable(IDC_CITY_BTN_ADD, bEditable);
    // With nothing selected there is nothing to edit or delete; an add goes into the root.
    for (int nID : {IDC_CITY_BTN_EDIT, IDC_CITY_BTN_DEL})
        enable(nID, bEditable && hSel != nullptr);
}

void CDlgCity::OnDblclkSetObsTreeCity(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    m_hSelItem = m_tree.GetSelectedItem();
    if (m_hSelItem != nullptr && static_cast<std::intptr_t>(m_tree.GetItemData(m_hSelItem)) != CITY_FOLDER_DATA) {
        UpdateData(TRUE);
        OnOK();
    }
}

void CDlgCity::OnClickedSetObsRadio()
{
    UpdateData(TRUE);
}

void CDlgCity::OnChangeField(CoordField field)
{
    if (!m_bFieldsLive || m_nWritingFields != 0)
        return;
    UpdateData(TRUE);
    const CFieldRule& rule = kCityListFieldRules[static_cast<int>(field)];
    CCoordFields fields = Fields();
    const FieldCheck result = CheckField(rule, fields);
    if (result == FieldCheck::OutOfRange)
        AfxMessageBox(rule.pszMessage, MB_OK | MB_ICONINFORMATION);
    if (result != FieldCheck::Accepted) {
        SetFields(fields);
        WriteFields();
    }
}

void CDlgCity::OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult)
{
    UpdateData(TRUE);
    CCoordFields fields = Fields();
    StepField(kCityListFieldRules[static_cast<int>(field)], fields,
              reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    SetFields(fields);
    WriteFields();
    *pResult = 0;
}

void CDlgCity::OnChangeSetObsEditLong1() { OnChangeField(CoordField::LngDeg); }
void CDlgCity::OnChangeSetObsEditLong2() { OnChangeField(CoordField::LngMin); }
void CDlgCity::OnChangeSetObsEditLong3() { OnChangeField(CoordField::LngSec); }
void CDlgCity::OnChangeSetObsEditLat1() { OnChangeField(CoordField::LatDeg); }
void CDlgCity::OnChangeSetObsEditLat2() { OnChangeField(CoordField::LatMin); }
void CDlgCity::OnChangeSetObsEditLat3() { OnChangeField(CoordField::LatSec); }
void CDlgCity::OnChangeSetObsEditAlt() { OnChangeField(CoordField::Alt); }
void CDlgCity::OnChangeSetObsEditTzHour() { OnChangeField(CoordField::TzHour); }
void CDlgCity::OnChangeSetObsEditTzMin() { OnChangeField(CoordField::TzMin); }

void CDlgCity::OnDeltaposSetObsSpinLong1(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngDeg, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinLong2(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngMin, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinLong3(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngSec, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinLat1(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatDeg, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinLat2(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatMin, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinLat3(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatSec, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinAlt(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::Alt, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinHour(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::TzHour, pNMHDR, pResult);
}

void CDlgCity::OnDeltaposSetObsSpinMin(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::TzMin, pNMHDR, pResult);
}

void CDlgCity::OnObsSetInit()
{
    CString strText;
    strText.Format(_T("%s %3d度%2d分%4.1f秒\n%s %3d度%2d分%4.1f秒\n標高 %.0fm\nタイムゾーン %s%2d時間%2d分"),
                   m_nEastWest != 0 ? _T("西経") : _T("東経"), m_nLonDeg, m_nLonMin, m_dLonSec,
                   m_nNorthSouth != 0 ? _T("南緯") : _T("北緯"), m_nLatDeg, m_nLatMin, m_dLatSec, m_dAlt,
                   m_nTzSign != 0 ? _T("-") : _T("+"), m_nTzHour, m_nTzMin);
    strText += _T("\n\nを初期値として設定します。");
    if (AfxMessageBox(strText, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    m_bSetDefault = 1;
    const CCityList place = PlaceOfFields(Fields(), 0);
    m_dDefLon = place.m_dLon;
    m_dDefLat = place.m_dLat;
    m_dDefAlt = place.m_dAlt;
    m_dDefTz = place.m_dTz;
}

void CDlgCity::OnBnClickedCityReset()
{
    if (AfxMessageBox(_T("都市名データを初期化します。\r\nこれまで編集したデータは全て失われます。"),
                      MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    // The reload reads the whole system list again: shown as the first load is.
    CWaitCursor wait;
    CMainWndProgress progress;
    m_session.SetProgress(&progress);
    m_session.Reset();
    m_session.SetProgress(nullptr);
    // The old items are gone with their handles: nothing is selected now, as after a delete.
    ShowSelection();
}

void CDlgCity::OnEndlabeleditSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_session.m_editor.m_bEditable)
        return;
    const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR)->item;
    if (item.pszText != nullptr && item.hItem != nullptr) {
        // Through the editor, so that the new name is also in the log and survives the next
        // load; a bare text change would be undone by the replay.
        const CString strName(item.pszText);
        CString strRefusal;
        const bool bDone = m_session.m_editor.RenameItem(CityItem(item.hItem), strName, strRefusal);
        if (!bDone && !strRefusal.IsEmpty())
            AfxMessageBox(strRefusal, MB_OK | MB_ICONINFORMATION);
    }
    m_session.m_editor.m_bModified = 1;
}

void CDlgCity::OnBegindragSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_session.m_editor.m_bEditable || m_bDragging)
        return;
    const NMTREEVIEWW& nm = *reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    m_hDragItem = nm.itemNew.hItem;
    m_pDragImage = m_tree.CreateDragImage(m_hDragItem);
    // Without an image the drag still works; the image functions then do nothing.
    if (m_pDragImage) {
        CImageList::DragShowNolock(TRUE);
        ::ImageList_SetDragCursorImage(m_pDragImage->GetSafeHandle(), 0, 0, 0);
        m_pDragImage->BeginDrag(0, CPoint(0, 0));
    }
    // ptDrag is already in the tree's client coordinates.
    const CPoint ptStart(nm.ptDrag);
    CImageList::DragMove(ptStart);
    CImageList::DragEnter(&m_tree, ptStart);
    SetCapture();
    m_bDragging = TRUE;
}

void CDlgCity::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_session.m_editor.m_bEditable)
        return;
    if (m_bDragging) {
        CPoint ptTree = point;
        MapWindowPoints(&m_tree, &ptTree, 1);
        CImageList::DragMove(ptTree);
        // Over no item the last target stays highlighted.
        if (HTREEITEM hItem = m_tree.HitTest(ptTree)) {
            CImageList::DragLeave(&m_tree);
            m_tree.SelectDropTarget(hItem);
            CImageList::DragEnter(&m_tree, ptTree);
        }
    }
    CZelDialog::OnMouseMove(nFlags, point);
}

void CDlgCity::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_session.m_editor.m_bEditable)
        return;
    if (m_bDragging)
        EndOfDrag(TRUE, point);
    CZelDialog::OnLButtonUp(nFlags, point);
}

void CDlgCity::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_session.m_editor.m_bEditable)
        return;
    if (m_bDragging)
        EndOfDrag(FALSE, point);
    CZelDialog::OnRButtonDown(nFlags, point);
}

LRESULT CDlgCity::OnCaptureChanged(WPARAM, LPARAM)
{
    if (m_bDragging)
        EndOfDrag(FALSE, CPoint());
    return 0;
}

void CDlgCity::EndOfDrag(BOOL bDrop, CPoint point)
{
    m_bDragging = FALSE;
    CImageList::DragLeave(&m_tree);
    CImageList::EndDrag();
    m_pDragImage.reset();
    // The capture goes before the move-destination question, so that its buttons get the mouse;
    // one another window has taken meanwhile stays with it.
    if (::GetCapture() == GetSafeHwnd())
        ReleaseCapture();

    // The tree as the user sees it, border included, in the point's coordinates.
    CRect rcTree;
    m_tree.GetWindowRect(&rcTree);
    ScreenToClient(&rcTree);
    const BOOL bInTree = bDrop && rcTree.PtInRect(point);
    const HTREEITEM hTarget = bInTree ? m_tree.GetDropHilightItem() : nullptr;
    const HTREEITEM hItem = m_hDragItem;
    m_hDragItem = nullptr;
    auto askMode = [this](const CString& strFolder) {
        CDlgCityMoveTo dlg(strFolder, this);
        return dlg.DoModal() == IDOK ? dlg.m_nMoveMode : -1;
    };
    CString strRefusal;
    m_session.m_editor.EndOfDrag(bInTree, CityItem(hItem), CityItem(hTarget), askMode, strRefusal);
    m_tree.SelectDropTarget(nullptr);
    if (!strRefusal.IsEmpty())
        AfxMessageBox(strRefusal, MB_OK | MB_ICONINFORMATION);
}

void CDlgCity::ReportSaveFailure(const CLocationLog::SaveResult& result)
{
    // With the log written the edits are kept; only the list the map shows lags behind, and the
    // next start rebuilds it from the log.
    CString strText = result.bLogWritten
        ? _T("変更は保存しましたが、都市名リストを書き込めませんでした。\n次のファイルに書き込めません：\n")
        : _T("都市名データを保存できませんでした。\n次のファイルに書き込めません：\n");
    strText += result.strUnwritten;
    if (result.bLogWritten)
        strText += _T("\n\n都市名リストは次回の起動時に変更履歴から作り直します。");
    if (!result.strBackup.IsEmpty()) {
        strText += _T("\n\n以前の変更履歴は次のファイルに残してあります：\n");
        strText += result.strBackup;
    }
    AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
}

void CDlgCity::OnOK()
{
    if (m_session.IsSaveDue()) {
        const CLocationLog::SaveResult result = m_session.Save();
        if (!result)
            ReportSaveFailure(result);
        // The map reads the user list: tell it only when that file changed.
        if (m_pCorMap != nullptr && result.bListWritten)
            m_pCorMap->SetCityFileChanged(TRUE);
    }
    CZelDialog::OnOK();
}

bool CDlgCity::RunPlaceEditor(CString& strName, int& nType, CCoordFields& fields)
{
    CEdtCty edit;
    edit.SetCorMapPtr(m_pCorMap);
    edit.m_strName = strName;
    edit.SetFields(Fields());
    edit.m_nType = nType;
    if (edit.DoModal() != IDOK)
        return false;
    strName = edit.m_strName;
    nType = edit.m_nType;
    fields = edit.Fields();
    return true;
}

void CDlgCity::OnCityAdd()
{
    CAddCty add;
    add.m_nAddType = 0;
    if (add.DoModal() != IDOK)
        return;
    CCityEditor& editor = m_session.m_editor;
    CString strRefusal;
    if (add.m_nAddType == 0) {
        CString strName;
        strName.LoadString(IDS_NEW_CITY);
        int nType = 0;
        CCoordFields fields;
        if (!RunPlaceEditor(strName, nType, fields))
            return;
        // Selecting the new place shows it in the fields.
        if (editor.AddPlace(CityItem(m_hSelItem), strName, PlaceOfFields(fields, nType), strRefusal)) {
            SetFields(fields);
            WriteFields();
        }
    } else {
        CEdtFld folder;
        if (folder.DoModal() != IDOK)
            return;
        editor.AddFolder(CityItem(m_hSelItem), folder.m_strName, strRefusal);
    }
    ReportRefusal(strRefusal);
}

void CDlgCity::ReportRefusal(const CString& strRefusal)
{
    if (strRefusal.IsEmpty())
        return;
    AfxMessageBox(strRefusal, MB_OK | MB_ICONINFORMATION);
    // Nothing changed: the members and the fields show the selected item again, so that what
    // is stored as the default or compared by the next edit is what the user sees.
    ShowSelection();
}

void CDlgCity::OnCityEdit()
{
    if (m_hSelItem == nullptr)
        return;
    const HCITYITEM hItem = CityItem(m_hSelItem);
    CString strName = m_tree.GetItemText(m_hSelItem);
    CString strRefusal;
    if (m_bSelCity) {
        const CCityList& record = m_session.m_data.CityAt(static_cast<int>(m_tree.GetItemData(m_hSelItem)));
        int nType = record.m_nType;
        const CCoordFields before = Fields();
        CCoordFields fields;
        if (!RunPlaceEditor(strName, nType, fields))
            return;
        CCityList after = PlaceOfFields(fields, nType);
        after.m_nAltFlag = CCityEditor::EditedAltFlag(before, fields);
        if (m_session.m_editor.EditPlace(hItem, strName, after, strRefusal)) {
            SetFields(fields);
            WriteFields();
        }
    } else {
        CEdtFld folder;
        folder.m_strName = strName;
        if (folder.DoModal() != IDOK)
            return;
        m_session.m_editor.EditFolder(hItem, folder.m_strName, strRefusal);
    }
    ReportRefusal(strRefusal);
}

void CDlgCity::OnCityDel()
{
    if (m_hSelItem == nullptr)
        return;
    CString strPrompt;
    AfxFormatString1(strPrompt, m_bSelFolder ? IDS_DELETE_FOLDER : IDS_DELETE_ITEM, m_tree.GetItemText(m_hSelItem));
    if (AfxMessageBox(strPrompt, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    if (!m_session.m_editor.DeleteItem(CityItem(m_hSelItem)))
        return;
    ShowSelection();
}

BEGIN_MESSAGE_MAP(CDlgCity, CZelDialog)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_LNG_DEG, &CDlgCity::OnDeltaposSetObsSpinLong1)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_LNG_MIN, &CDlgCity::OnDeltaposSetObsSpinLong2)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_LNG_SEC, &CDlgCity::OnDeltaposSetObsSpinLong3)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_LAT_DEG, &CDlgCity::OnDeltaposSetObsSpinLat1)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_LAT_MIN, &CDlgCity::OnDeltaposSetObsSpinLat2)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_LAT_SEC, &CDlgCity::OnDeltaposSetObsSpinLat3)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_ALT, &CDlgCity::OnDeltaposSetObsSpinAlt)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_TZ_HOUR, &CDlgCity::OnDeltaposSetObsSpinHour)
    ON_NOTIFY(UDN_DELTAPOS, IDC_CITY_SPN_TZ_MIN, &CDlgCity::OnDeltaposSetObsSpinMin)
    ON_EN_CHANGE(IDC_CITY_EDT_LNG_DEG, &CDlgCity::OnChangeSetObsEditLong1)
    ON_EN_CHANGE(IDC_CITY_EDT_LNG_MIN, &CDlgCity::OnChangeSetObsEditLong2)
    ON_EN_CHANGE(IDC_CITY_EDT_LNG_SEC, &CDlgCity::OnChangeSetObsEditLong3)
    ON_EN_CHANGE(IDC_CITY_EDT_LAT_DEG, &CDlgCity::OnChangeSetObsEditLat1)
    ON_EN_CHANGE(IDC_CITY_EDT_LAT_MIN, &CDlgCity::OnChangeSetObsEditLat2)
    ON_EN_CHANGE(IDC_CITY_EDT_LAT_SEC, &CDlgCity::OnChangeSetObsEditLat3)
    ON_EN_CHANGE(IDC_CITY_EDT_ALT, &CDlgCity::OnChangeSetObsEditAlt)
    ON_EN_CHANGE(IDC_CITY_EDT_TZ_HOUR, &CDlgCity::OnChangeSetObsEditTzHour)
    ON_EN_CHANGE(IDC_CITY_EDT_TZ_MIN, &CDlgCity::OnChangeSetObsEditTzMin)
    ON_BN_CLICKED(IDC_CITY_RD_EAST, &CDlgCity::OnClickedSetObsRadio)
    ON_BN_CLICKED(IDC_CITY_RD_WEST, &CDlgCity::OnClickedSetObsRadio)
    ON_BN_CLICKED(IDC_CITY_RD_NORTH, &CDlgCity::OnClickedSetObsRadio)
    ON_BN_CLICKED(IDC_CITY_RD_SOUTH, &CDlgCity::OnClickedSetObsRadio)
    ON_BN_CLICKED(IDC_CITY_RD_TZ_P, &CDlgCity::OnClickedSetObsRadio)
    ON_BN_CLICKED(IDC_CITY_RD_TZ_M, &CDlgCity::OnClickedSetObsRadio)
    ON_NOTIFY(TVN_SELCHANGED, IDC_CITY_TREE, &CDlgCity::OnSelchangedSetObsTreeCity)
    ON_NOTIFY(NM_DBLCLK, IDC_CITY_TREE, &CDlgCity::OnDblclkSetObsTreeCity)
    ON_NOTIFY(TVN_ENDLABELEDIT, IDC_CITY_TREE, &CDlgCity::OnEndlabeleditSetObsTreeCity)
    ON_NOTIFY(TVN_BEGINDRAG, IDC_CITY_TREE, &CDlgCity::OnBegindragSetObsTreeCity)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_CAPTURECHANGED, &CDlgCity::OnCaptureChanged)
    ON_BN_CLICKED(IDC_CITY_BTN_SET_INIT, &CDlgCity::OnObsSetInit)
    ON_BN_CLICKED(IDC_CITY_BTN_RESET, &CDlgCity::OnBnClickedCityReset)
    ON_BN_CLICKED(IDC_CITY_BTN_EDIT, &CDlgCity::OnCityEdit)
    ON_BN_CLICKED(IDC_CITY_BTN_ADD, &CDlgCity::OnCityAdd)
    ON_BN_CLICKED(IDC_CITY_BTN_DEL, &CDlgCity::OnCityDel)
END_MESSAGE_MAP()
