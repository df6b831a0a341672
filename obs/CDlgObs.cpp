#include "obs/CDlgObs.h"

#include "obs/DlgObsConstants.h"
#include "res/resource_obs.h"
#include "res/resource_strings.h"

#include <citydb/MapViewScale.h>

#include <host/CCorZel.h>
#include <vrkcom/CCommonFile.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

using namespace DlgObs;

CDlgObs::CDlgObs(CWnd* pParent, LPCTSTR pszDataDir, int nParam)
    : CZelDialog(IDD_OBS, pParent),
      m_nEastWest(-1),
      m_nLngDeg(0),
      m_nLngMin(0),
      m_dLngSec(0.0),
      m_nNorthSouth(-1),
      m_nLatDeg(0),
      m_nLatMin(0),
      m_dLatSec(0.0),
      m_nTzSign(-1),
      m_nTzHour(0),
      m_nTzMin(0),
      m_dAltitude(0.0),
      m_nAltMode(-1),
      m_nBody(kBodyEarth),
      m_strDataDir(pszDataDir),
      m_bNoAutoAlt(0),
      m_bCreated(0),
      m_rcMap{0, 0, 0, 0},
      m_nParam(nParam),
      m_dMag(1.0),
      m_nSliderPos(kSliderMax),
      m_dViewAngle(SliderPosToViewAngle(kSliderMax)),
      m_pObs(nullptr),
      m_dCurLng(0.0),
      m_dCurLat(0.0),
      m_dCurAlt(0.0),
      m_dCurTz(0.0)
{
    for (const CFeatureFlag& feature : kFeatures)
        this->*feature.pFlag = 0;
    m_strRegKey.LoadString(IDS_REGKEY_OBS);
}

CDlgObs::~CDlgObs()
{
    // The window goes while this object is whole, so its last messages (the base stores the
    // placement on WM_DESTROY) reach the dialog and not a half-destroyed object.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CDlgObs::SetCorZel(CCorZel* pCor) { m_pCor = pCor; }

void CDlgObs::SetGeoDateObs(CGeoDateObs* pObs) { m_pObs = pObs; }

BOOL CDlgObs::Create(CCorZel* pCor, CWnd* pParent)
{
    if (m_pObs == nullptr || GetSafeHwnd() != nullptr)
        return FALSE;
    CWaitCursor wait;

    // The base must not restore anything under our key while it creates the window.
    const CString strRegKey = m_strRegKey;
    m_strRegKey.Empty();
    const BOOL bCreated = CZelDialog::Create(pCor, pParent);
    m_strRegKey = strRegKey;
    if (!bCreated)
        return FALSE;

    AttachControls();

    m_slider.Attach(IDC_OBS_SLIDER, this);
    m_slider.SetRange(kSliderMin, kSliderMax);
    m_slider.SetTicFreq(20);
    m_slider.SetPos(m_nSliderPos);

    CRect rcMap;
    CWnd* pMapPlace = GetDlgItem(IDC_OBS_MAP);
    if (pMapPlace != nullptr) {
        pMapPlace->GetClientRect(&rcMap);
        pMapPlace->ClientToScreen(&rcMap);
        ScreenToClient(&rcMap);
    }
    m_rcMap = rcMap;
    if (pMapPlace == nullptr || !m_map.Create(nullptr, WS_CHILD, rcMap, this, IDC_OBS_CORZELMAP)) {
        AfxMessageBox(_T("Can't create corzelmap control"));
        // No half-built dialog stays behind, and the placement of a window never shown is not
        // stored: the next DoModeless starts afresh.
        m_strRegKey.Empty();
        DestroyWindow();
        m_strRegKey = strRegKey;
        return FALSE;
    }

    m_map.SetFireEvents(TRUE);
    m_map.SetShowLandmarks(TRUE);
    m_map.SetShowGrid(TRUE);

    CString strCityFile = m_strDataDir + _T("zelkam_user.obs");
    BOOL bCityFileExists = TRUE;
    if (!CCommonFile::DoesFileExist(strCityFile)) {
        strCityFile = CCommonFile::GetModulePath() + _T("zelkam.obs");
        bCityFileExists = CCommonFile::DoesFileExist(strCityFile) ? TRUE : FALSE;
    }

    RebuildUserCityListIfStale();

    m_map.SetCityFile(strCityFile);
    m_map.SetCityFileExists(bCityFileExists);

    // A stored value out of its range (another program, an older version, a hand edit) falls
    // back to the built-in one.
    for (const CFeatureFlag& feature : kFeatures) {
        int& nFlag = this->*feature.pFlag;
        CRegistry::Read(m_strRegKey, feature.pszName, feature.nDefault, &nFlag, 0);
        if (nFlag != 0 && nFlag != 1)
            nFlag = feature.nDefault;
    }
    SetFeatureVisible();

    const int nBuiltInPos = m_nSliderPos;
    CRegistry::Read(m_strRegKey, _T("ViewAngle"), 0, &m_nSliderPos, 1);
    if (m_nSliderPos < kSliderMin || m_nSliderPos > kSliderMax)
        m_nSliderPos = nBuiltInPos;
    m_slider.SetPos(m_nSliderPos);
    UpdateViewAngle();

    RedrawEclipsePath();
    InitLocation(TRUE);

    m_bCreated = TRUE;
    return TRUE;
}

BOOL CDlgObs::DoModeless(CCorZel* pCor, CString strMeshFile)
{
    m_pCor = pCor;
    if (!strMeshFile.IsEmpty())
        m_strMeshFile = strMeshFile;

    if (GetSafeHwnd() != nullptr) {
        RedrawEclipsePath();
        InitLocation(TRUE);
        ShowWindow(SW_SHOWNORMAL);
        return TRUE;
    }

    m_bCreated = FALSE;
    if (!Create(pCor))
        return FALSE;
    int nShow = SW_SHOWNORMAL;
    if (!CRegistry::Read(m_strRegKey, _T("WindowPos"), this, &nShow, 0))
        ShowWindow(nShow);
    return TRUE;
}

void CDlgObs::Show(BOOL bShow)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (bShow) {
        RedrawEclipsePath();
        InitLocation(TRUE);
        ShowWindow(SW_SHOW);
    } else {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDlgObs::OnInitDialog()
{
    CZelDialog::OnInitDialog();
    // Detail at the top of the slider, wide at the bottom.
    SetDlgItemText(IDC_STC_SLIDER_TOP, _T("詳細"));
    SetDlgItemText(IDC_STC_SLIDER_BOTTOM, _T("広域"));
    return TRUE;
}

void CDlgObs::NotifyHostClosed()
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(kMsgObsClosedMain, 0, 0);
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(kMsgObsClosedParent, 0, IDD_OBS);
}

void CDlgObs::OnClose()
{
    NotifyHostClosed();
    CZelDialog::OnClose();
}

void CDlgObs::OnOK()
{
    SaveReg();
    NotifyHostClosed();
    CDialog::OnOK();
}

void CDlgObs::OnCancel() { OnOK(); }

void CDlgObs::SaveReg()
{
    for (const CFeatureFlag& feature : kFeatures)
        CRegistry::Write(m_strRegKey, feature.pszName, this->*feature.pFlag, 0);
    CRegistry::Write(m_strRegKey, _T("ViewAngle"), m_nSliderPos, 1);
    CRegistry::Write(m_strRegKey, _T("AutoAltitude"), m_nAltMode == 0 ? 1 : 0, 0);
}

BEGIN_MESSAGE_MAP(CDlgObs, CZelDialog)
    ON_WM_CLOSE()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_OBS, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_CUTCHERRY, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_CITY, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_ASTRO, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_MOUNT, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_NATURAL_TERRAIN, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_BUILDING, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_CHK_FEATURE_OTHER, &CDlgObs::OnObsChkFeatureObs)
    ON_BN_CLICKED(IDC_OBS_BTN_SET_INIT, &CDlgObs::OnObsBtnSetInit)
    ON_BN_CLICKED(IDC_OBS_BTN_RESET, &CDlgObs::OnBnClickedObsBtnReset)
    ON_BN_CLICKED(IDC_OBS_BTN_CITY, &CDlgObs::OnObsBtnCity)
    ON_EN_CHANGE(IDC_EDT_LNG_DEG, &CDlgObs::OnChangeEdtLngDeg)
    ON_EN_CHANGE(IDC_EDT_LNG_MIN, &CDlgObs::OnChangeEdtLngMin)
    ON_EN_CHANGE(IDC_EDT_LNG_SEC, &CDlgObs::OnChangeEdtLngSec)
    ON_EN_CHANGE(IDC_EDT_LAT_DEG, &CDlgObs::OnChangeEdtLatDeg)
    ON_EN_CHANGE(IDC_EDT_LAT_MIN, &CDlgObs::OnChangeEdtLatMin)
    ON_EN_CHANGE(IDC_EDT_LAT_SEC, &CDlgObs::OnChangeEdtLatSec)
    ON_EN_CHANGE(IDC_EDT_ALT, &CDlgObs::OnChangeEdtAlt)
    ON_EN_CHANGE(IDC_EDT_TZ_HOUR, &CDlgObs::OnChangeEdtTzHour)
    ON_EN_CHANGE(IDC_EDT_TZ_MIN, &CDlgObs::OnChangeEdtTzMin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_LNG_DEG, &CDlgObs::OnDeltaposSpnLngDeg)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_LNG_MIN, &CDlgObs::OnDeltaposSpnLngMin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_LNG_SEC, &CDlgObs::OnDeltaposSpnLngSec)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_LAT_DEG, &CDlgObs::OnDeltaposSpnLatDeg)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_LAT_MIN, &CDlgObs::OnDeltaposSpnLatMin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_LAT_SEC, &CDlgObs::OnDeltaposSpnLatSec)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_ALT, &CDlgObs::OnDeltaposSpnAlt)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_TZ_HOUR, &CDlgObs::OnDeltaposSpnTzHour)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPN_TZ_MIN, &CDlgObs::OnDeltaposSpnTzMin)
    ON_BN_CLICKED(IDC_RD_EAST, &CDlgObs::OnRdEast)
    ON_BN_CLICKED(IDC_RD_WEST, &CDlgObs::OnRdEast)
    ON_BN_CLICKED(IDC_RD_NORTH, &CDlgObs::OnRdNorth)
    ON_BN_CLICKED(IDC_RD_SOUTH, &CDlgObs::OnRdNorth)
    ON_BN_CLICKED(IDC_RD_TZ_P, &CDlgObs::OnRdTzP)
    ON_BN_CLICKED(IDC_RD_TZ_M, &CDlgObs::OnRdTzP)
    ON_BN_CLICKED(IDC_RD_ALT_MANUAL, &CDlgObs::OnRdAltManual)
    ON_BN_CLICKED(IDC_RD_ALT_AUTO, &CDlgObs::OnRdAltAuto)
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CDlgObs, CZelDialog)
    ON_EVENT(CDlgObs, IDC_OBS_CORZELMAP, 8, OnSetObsPosition, VTS_R8 VTS_R8)
    ON_EVENT(CDlgObs, IDC_OBS_CORZELMAP, 9, OnSetMag, VTS_R8)
END_EVENTSINK_MAP()
