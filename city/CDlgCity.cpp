#include "city/CDlgCity.h"

#include "city/CCityTreeAdapter.h"
#include "city/CDlgCityFind.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"

#include <host/CCorZelMap.h>
#include <vrkcom/VrkDDX.h>
#include "vrkobs/CCoordBinding.h"
#include <vrkcst/CZelTheme.h>

#include <citydb/CCitySession.h>
#include <citydb/CityFind.h>
#include <citydb/CoordFields.h>

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

// The dialog's keys reach it wherever the focus is: the modal loop hands each message to this
// filter before the focused control sees it, and the keys of the accelerator table become the
// dialog's commands. Only messages to the dialog and its controls: not to a box it shows.
thread_local HWND t_hKeysDialog = nullptr;
thread_local HACCEL t_hKeys = nullptr;

LRESULT CALLBACK KeysFilter(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode == MSGF_DIALOGBOX && t_hKeysDialog != nullptr && t_hKeys != nullptr && pMsg != nullptr
        && (pMsg->hwnd == t_hKeysDialog || ::IsChild(t_hKeysDialog, pMsg->hwnd))
        && ::TranslateAcceleratorW(t_hKeysDialog, t_hKeys, pMsg))
        return 1;
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void ReportSaveFailure(const CLocationLog::SaveResult& result)
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

using B = CCoordBinding<CDlgCity>;
using D = CDlgCity;
using F = CoordField;
// One row a field.
// clang-format off
const B kBinding = {
    {B::Int(F::LngDeg, &D::m_nLonDeg, IDC_CITY_EDT_LNG_DEG, &D::m_edtLonDeg, IDC_CITY_SPN_LNG_DEG, &D::m_spnLonDeg),
     B::Int(F::LngMin, &D::m_nLonMin, IDC_CITY_EDT_LNG_MIN, &D::m_edtLonMin, IDC_CITY_SPN_LNG_MIN, &D::m_spnLonMin),
     B::Real(F::LngSec, &D::m_dLonSec, L"%.1f", IDC_CITY_EDT_LNG_SEC, &D::m_edtLonSec, IDC_CITY_SPN_LNG_SEC, &D::m_spnLonSec),
     B::Int(F::LatDeg, &D::m_nLatDeg, IDC_CITY_EDT_LAT_DEG, &D::m_edtLatDeg, IDC_CITY_SPN_LAT_DEG, &D::m_spnLatDeg),
     B::Int(F::LatMin, &D::m_nLatMin, IDC_CITY_EDT_LAT_MIN, &D::m_edtLatMin, IDC_CITY_SPN_LAT_MIN, &D::m_spnLatMin),
     B::Real(F::LatSec, &D::m_dLatSec, L"%.1f", IDC_CITY_EDT_LAT_SEC, &D::m_edtLatSec, IDC_CITY_SPN_LAT_SEC, &D::m_spnLatSec),
     B::Real(F::Alt, &D::m_dAlt, L"%.0f", IDC_CITY_EDT_ALT, &D::m_edtAlt, IDC_CITY_SPN_ALT, &D::m_spnAlt),
     B::Int(F::TzHour, &D::m_nTzHour, IDC_CITY_EDT_TZ_HOUR, &D::m_edtTzHour, IDC_CITY_SPN_TZ_HOUR, &D::m_spnTzHour),
     B::Int(F::TzMin, &D::m_nTzMin, IDC_CITY_EDT_TZ_MIN, &D::m_edtTzMin, IDC_CITY_SPN_TZ_MIN, &D::m_spnTzMin)},
    {{&CCoordFields::nEastWest, &D::m_nEastWest, IDC_CITY_RD_EAST, &D::m_rdEast, IDC_CITY_RD_WEST, &D::m_rdWest},
     {&CCoordFields::nNorthSouth, &D::m_nNorthSouth, IDC_CITY_RD_NORTH, &D::m_rdNorth, IDC_CITY_RD_SOUTH, &D::m_rdSouth},
     {&CCoordFields::nTzSign, &D::m_nTzSign, IDC_CITY_RD_TZ_P, &D::m_rdTzP, IDC_CITY_RD_TZ_M, &D::m_rdTzM}},
};
// clang-format on

}  // namespace

CDlgCity::CDlgCity(CWnd* pParent) : CZelDialog(IDD_CITY, pParent) { InitMembers(); }

CDlgCity::CDlgCity(CCorZel* pCor, CWnd* pParent) : CZelDialog(pCor, IDD_CITY, pParent) { InitMembers(); }

CDlgCity::~CDlgCity() = default;

bool CDlgCity::RefreshUserObs() { return m_pSession->m_data.RefreshUserObs(); }

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
    m_pTreeAdapter = std::make_unique<CCityTreeAdapter>(m_tree);
    m_pSession = std::make_unique<CCitySession>(*m_pTreeAdapter);
}

void CDlgCity::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    kBinding.Exchange(pDX, *this);
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

    kBinding.Attach(*this);

    m_tree.Attach(IDC_CITY_TREE, this);

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
    t_hKeysDialog = m_hWnd;
    CWaitCursor wait;

    MakeImageList();
    m_tree.SetImageList(&m_imageList, TVSIL_NORMAL);
    LoadTree();

    m_bFieldsLive = true;
    m_tree.SelectItem(m_tree.GetRootItem());
    EnableBtn();
    m_tree.SetFocus();
    return FALSE;
}

void CDlgCity::LoadTree()
{
    CMainWndProgress progress;
    m_pSession->SetFiles(m_strObsFile, m_strUserObsFile, m_strUserJsonFile);
    m_pSession->SetProgress(&progress);
    m_pSession->Load();
    m_pSession->SetProgress(nullptr);
}

void CDlgCity::WriteFields()
{
    ++m_nWritingFields;
    UpdateData(FALSE);
    --m_nWritingFields;
}

CCoordFields CDlgCity::Fields() const { return kBinding.Read(*this); }

void CDlgCity::SetFields(const CCoordFields& fields) { kBinding.Write(*this, fields); }

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
    const std::intptr_t nData
        = m_hSelItem ? static_cast<std::intptr_t>(m_tree.GetItemData(m_hSelItem)) : CITY_FOLDER_DATA;
    m_bSelCity = nData != CITY_FOLDER_DATA ? 1 : 0;
    m_bSelFolder = m_bSelCity ? 0 : 1;
    if (m_bSelCity)
        ShowPlace(m_pSession->m_data.CityAt(static_cast<int>(nData)));
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
    const bool bEditable = m_pSession->m_editor.m_bEditable != 0;
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

void CDlgCity::OnClickedSetObsRadio() { UpdateData(TRUE); }

void CDlgCity::OnChangeField(CoordField field)
{
    if (!m_bFieldsLive || m_nWritingFields != 0)
        return;
    const CFieldRule& rule = kCityListFieldRules[static_cast<int>(field)];
    kBinding.Check(*this, rule, [&rule] { AfxMessageBox(rule.pszMessage, MB_OK | MB_ICONINFORMATION); });
}

void CDlgCity::OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult)
{
    kBinding.Step(*this, kCityListFieldRules[static_cast<int>(field)], pNMHDR, pResult);
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

void CDlgCity::OnDeltaposSetObsSpinLong1(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngDeg, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinLong2(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngMin, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinLong3(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngSec, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinLat1(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatDeg, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinLat2(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatMin, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinLat3(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatSec, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinAlt(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::Alt, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinHour(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::TzHour, pNM, pRes); }
void CDlgCity::OnDeltaposSetObsSpinMin(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::TzMin, pNM, pRes); }

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

INT_PTR CDlgCity::DoModal()
{
    // The dialog's window comes with OnInitDialog, which sets t_hKeysDialog; a dialog run
    // from this one (the place editor) keeps ours, and a city list inside one gets its own.
    const HWND hOuterDialog = t_hKeysDialog;
    const HACCEL hOuterKeys = t_hKeys;
    t_hKeys = ::LoadAcceleratorsW(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_CITY_KEYS), RT_ACCELERATOR),
                                  MAKEINTRESOURCE(IDR_CITY_KEYS));
    const HHOOK hFilter = ::SetWindowsHookExW(WH_MSGFILTER, KeysFilter, nullptr, ::GetCurrentThreadId());
    const INT_PTR nResult = CZelDialog::DoModal();
    if (hFilter != nullptr)
        ::UnhookWindowsHookEx(hFilter);
    t_hKeysDialog = hOuterDialog;
    t_hKeys = hOuterKeys;
    return nResult;
}

void CDlgCity::OnCityFind()
{
    CDlgCityFind find(m_pCor, this);
    find.m_strText = m_strFindText;
    if (find.DoModal() != IDOK)
        return;
    m_strFindText = find.m_strText;
    FindNext();
}

void CDlgCity::OnCityFindNext()
{
    if (m_strFindText.IsEmpty())
        OnCityFind();
    else
        FindNext();
}

void CDlgCity::FindNext()
{
    const HCITYITEM hFound
        = CityFindNext(*m_pTreeAdapter, CCityTreeAdapter::Item(m_tree.GetSelectedItem()), m_strFindText);
    if (hFound == nullptr) {
        CString strText;
        strText.Format(_T("「%s」は見つかりません。"), m_strFindText.GetString());
        AfxMessageBox(strText, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // As a click selects it: its folders open, it comes into view, the selection handler fills
    // the fields, and the tree has the focus for the next key.
    const HTREEITEM hItem = CCityTreeAdapter::Handle(hFound);
    m_tree.SelectItem(hItem);
    m_tree.EnsureVisible(hItem);
    GotoDlgCtrl(&m_tree);
}

void CDlgCity::OnBnClickedCityReset()
{
    if (AfxMessageBox(_T("都市名データを初期化します。\r\nこれまで編集したデータは全て失われます。"),
                      MB_OKCANCEL | MB_ICONEXCLAMATION)
        != IDOK)
        return;
    // The reload reads the whole system list again: shown as the first load is.
    CWaitCursor wait;
    CMainWndProgress progress;
    m_pSession->SetProgress(&progress);
    m_pSession->Reset();
    m_pSession->SetProgress(nullptr);
    // The old items are gone with their handles: nothing is selected now, as after a delete.
    ShowSelection();
}

void CDlgCity::OnOK()
{
    if (m_pSession->IsSaveDue()) {
        const CLocationLog::SaveResult result = m_pSession->Save();
        if (!result)
            ReportSaveFailure(result);
        // The map reads the user list: tell it only when that file changed.
        if (m_pCorMap != nullptr && result.bListWritten)
            m_pCorMap->SetCityFileChanged(TRUE);
    }
    CZelDialog::OnOK();
}

BEGIN_MESSAGE_MAP(CDlgCity, CZelDialog)
    // Code 1: the command comes from the dialog's keys.
    ON_CONTROL(1, ID_CITY_FIND, &CDlgCity::OnCityFind)
    ON_CONTROL(1, ID_CITY_FIND_NEXT, &CDlgCity::OnCityFindNext)
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
