#include "obs/CDlgObs.h"

#include "city/CDlgCity.h"
#include "obs/MapViewScale.h"
#include "res/resource_obs.h"
#include "res/resource_strings.h"

#include <host/CCorZel.h>
#include <lunacl/lunacl.h>
#include <vrkcom/CCommonCoordFormat.h>
#include <vrkcom/CCommonFile.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkcom/VrkDDX.h>
#include <vrkreg/CRegistry.h>

#include <citydb/CCitySession.h>
#include <citydb/CityText.h>
#include <citydb/CoordFields.h>
#include <citydb/StoredDefault.h>

#include <iterator>
#include <vector>

namespace {

constexpr UINT kMsgObsClosedMain = WM_USER + 1010;  // 2034, to the main window
constexpr UINT kMsgObsClosedParent = WM_USER + 1000;  // 2024, to the parent, lParam 7300
constexpr UINT kMsgCityDialogRuns = WM_USER + 701;  // 1725, to the main window: 1 runs, 0 ended
constexpr int kBodyEarth = 4;
constexpr int kFeatureCount = 8;
// Far more landmark classes than any map has; a larger count is taken for a broken reply.
constexpr int kMaxFeatureClasses = 4096;
constexpr LPCTSTR kAutoAltitudeProperty = _T("Solar.Planet.Earth.Landscape.AutoGetAltitude");

constexpr LPCTSTR kDefaultKey = _T("Default");
constexpr LPCTSTR kDefaultLocation = _T("location(139.691772, 35.689236, 39.000000)");
constexpr LPCTSTR kDefaultTimeZone = _T("9.000000");

// Display names of the bodies the observer can stand on, by location object.
constexpr LPCTSTR kBodyNames[] = {
    _T("太陽"),   _T("月"),     _T("水星"),   _T("金星"),     _T("地球"),
    _T("火星"),   _T("木星"),   _T("土星"),   _T("天王星"),   _T("海王星"),
    _T("ケレス"), _T("冥王星"), _T("ハウメア"), _T("マケマケ"), _T("エリス"),
};

LPCTSTR BodyName(int nBody)
{
    return nBody >= 0 && nBody < static_cast<int>(std::size(kBodyNames)) ? kBodyNames[nBody] : _T("");
}

// The landmark flags in the map's class order (check boxes 7070 to 7077), with the registry
// value of each and its default.
struct CFeatureFlag {
    int CDlgObs::*pFlag;
    LPCTSTR pszName;
    int nDefault;
};
constexpr CFeatureFlag kFeatures[kFeatureCount] = {
    {&CDlgObs::m_bFeatureObs, _T("FeatureObs"), 1},
    {&CDlgObs::m_bFeatureCutcherry, _T("FeatureCutcherry"), 1},
    {&CDlgObs::m_bFeatureCity, _T("FeatureCity"), 1},
    {&CDlgObs::m_bFeatureAstro, _T("FeatureAstro"), 0},
    {&CDlgObs::m_bFeatureMount, _T("FeatureMount"), 0},
    {&CDlgObs::m_bFeatureNaturalTerrain, _T("FeatureNaturalTerrain"), 0},
    {&CDlgObs::m_bFeatureBuilding, _T("FeatureBuilding"), 0},
    {&CDlgObs::m_bFeatureOther, _T("FeatureOther"), 0},
};

// The edit of each field, in the order of CoordField.
constexpr int kFieldEdits[kCoordFieldCount] = {
    IDC_EDT_LNG_DEG, IDC_EDT_LNG_MIN, IDC_EDT_LNG_SEC, IDC_EDT_LAT_DEG, IDC_EDT_LAT_MIN,
    IDC_EDT_LAT_SEC, IDC_EDT_ALT,     IDC_EDT_TZ_HOUR, IDC_EDT_TZ_MIN,
};

bool IsSeconds(CoordField field)
{
    return field == CoordField::LngSec || field == CoordField::LatSec;
}

bool KeepsCaret(CoordField field)
{
    return IsSeconds(field) || field == CoordField::LngMin || field == CoordField::LatMin;
}

}  // namespace

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

void CDlgObs::SetCorZel(CCorZel* pCor)
{
    m_pCor = pCor;
}

void CDlgObs::SetGeoDateObs(CGeoDateObs* pObs)
{
    m_pObs = pObs;
}

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
    if (pMapPlace == nullptr
        || !m_map.Create(nullptr, WS_CHILD, rcMap, this, IDC_OBS_CORZELMAP)) {
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

void CDlgObs::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_RD_EAST, m_nEastWest);
    DDX_Radio(pDX, IDC_RD_NORTH, m_nNorthSouth);
    DDX_Radio(pDX, IDC_RD_TZ_P, m_nTzSign);
    DDX_Radio(pDX, IDC_RD_ALT_AUTO, m_nAltMode);
    DDX_Int(pDX, IDC_EDT_LNG_DEG, m_nLngDeg, 0, 7);
    DDX_Int(pDX, IDC_EDT_LNG_MIN, m_nLngMin, 0, 7);
    DDX_Int(pDX, IDC_EDT_LAT_DEG, m_nLatDeg, 0, 7);
    DDX_Int(pDX, IDC_EDT_LAT_MIN, m_nLatMin, 0, 7);
    DDX_Int(pDX, IDC_EDT_TZ_HOUR, m_nTzHour, 0, 7);
    DDX_Int(pDX, IDC_EDT_TZ_MIN, m_nTzMin, 0, 7);
    DDX_DoubleFmt(pDX, IDC_EDT_LNG_SEC, m_dLngSec, _T("%.1f"), 7);
    DDX_DoubleFmt(pDX, IDC_EDT_LAT_SEC, m_dLatSec, _T("%.1f"), 7);
    DDX_DoubleFmt(pDX, IDC_EDT_ALT, m_dAltitude, _T("%.0f"), 7);
    for (int i = 0; i < kFeatureCount; ++i)
        DDX_Check(pDX, IDC_OBS_CHK_FEATURE_OBS + i, this->*kFeatures[i].pFlag);
}

void CDlgObs::AttachControls()
{
    constexpr COLORREF kFace = 0xB4B4B4;
    constexpr COLORREF kShadow = 0x6B6B6B;
    constexpr COLORREF kHot = 0x9DB600;
    m_btnCity.Attach(IDC_OBS_BTN_CITY, this, 0, kFace, kShadow, kHot, 1);
    m_btnSetInit.Attach(IDC_OBS_BTN_SET_INIT, this, 0, kFace, kShadow, kHot, 1);
    m_btnReset.Attach(IDC_OBS_BTN_RESET, this, 0, kFace, kShadow, kHot, 1);

    m_edtLngDeg.Attach(IDC_EDT_LNG_DEG, this);
    m_edtLngMin.Attach(IDC_EDT_LNG_MIN, this);
    m_edtLngSec.Attach(IDC_EDT_LNG_SEC, this);
    m_edtLatDeg.Attach(IDC_EDT_LAT_DEG, this);
    m_edtLatMin.Attach(IDC_EDT_LAT_MIN, this);
    m_edtLatSec.Attach(IDC_EDT_LAT_SEC, this);
    m_edtAlt.Attach(IDC_EDT_ALT, this);
    m_edtTzHour.Attach(IDC_EDT_TZ_HOUR, this);
    m_edtTzMin.Attach(IDC_EDT_TZ_MIN, this);

    m_grpLng.Attach(IDC_GRP_LNG, this);
    m_grpLat.Attach(IDC_GRP_LAT, this);
    m_grpAlt.Attach(IDC_GRP_ALT, this);
    m_grpTz.Attach(IDC_GRP_TZ, this);
    m_grpFeature.Attach(IDC_GRP_FEATURE, this);

    m_rdEast.Attach(IDC_RD_EAST, this);
    m_rdWest.Attach(IDC_RD_WEST, this);
    m_rdNorth.Attach(IDC_RD_NORTH, this);
    m_rdSouth.Attach(IDC_RD_SOUTH, this);
    m_rdAltAuto.Attach(IDC_RD_ALT_AUTO, this);
    m_rdAltManual.Attach(IDC_RD_ALT_MANUAL, this);
    m_rdTzP.Attach(IDC_RD_TZ_P, this);
    m_rdTzM.Attach(IDC_RD_TZ_M, this);

    m_spnLngDeg.Attach(IDC_SPN_LNG_DEG, this);
    m_spnLngMin.Attach(IDC_SPN_LNG_MIN, this);
    m_spnLngSec.Attach(IDC_SPN_LNG_SEC, this);
    m_spnLatDeg.Attach(IDC_SPN_LAT_DEG, this);
    m_spnLatMin.Attach(IDC_SPN_LAT_MIN, this);
    m_spnLatSec.Attach(IDC_SPN_LAT_SEC, this);
    m_spnAlt.Attach(IDC_SPN_ALT, this);
    m_spnTzHour.Attach(IDC_SPN_TZ_HOUR, this);
    m_spnTzMin.Attach(IDC_SPN_TZ_MIN, this);

    for (int i = 0; i < kFeatureCount; ++i)
        m_chkFeature[i].Attach(IDC_OBS_CHK_FEATURE_OBS + i, this);

    m_stcTzHour.Attach(IDC_STC_TZ_HOUR, this);
    m_stcTzMin.Attach(IDC_STC_TZ_MIN, this);
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

void CDlgObs::OnCancel()
{
    OnOK();
}

void CDlgObs::SaveReg()
{
    for (const CFeatureFlag& feature : kFeatures)
        CRegistry::Write(m_strRegKey, feature.pszName, this->*feature.pFlag, 0);
    CRegistry::Write(m_strRegKey, _T("ViewAngle"), m_nSliderPos, 1);
    CRegistry::Write(m_strRegKey, _T("AutoAltitude"), m_nAltMode == 0 ? 1 : 0, 0);
}

void CDlgObs::RefreshMap()
{
    m_map.Redraw();
    if (m_map.GetSafeHwnd() != nullptr)
        ::RedrawWindow(m_map.GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDlgObs::SliderValToVal()
{
    m_dViewAngle = SliderPosToViewAngle(m_nSliderPos);
    m_dMag = SliderPosToMag(m_nSliderPos);
}

void CDlgObs::UpdateViewAngle()
{
    m_nSliderPos = m_slider.GetPos();
    SliderValToVal();
    m_map.SetMag(m_dMag);
    RefreshMap();
}

void CDlgObs::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && pScrollBar->GetDlgCtrlID() == IDC_OBS_SLIDER) {
        UpdateData(TRUE);
        UpdateViewAngle();
        return;
    }
    CZelDialog::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CDlgObs::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    CPoint ptClient = pt;
    ScreenToClient(&ptClient);
    if (!::PtInRect(&m_rcMap, ptClient) || m_pObs == nullptr
        || m_pObs->m_nLocationObject != kBodyEarth)
        return CZelDialog::OnMouseWheel(nFlags, zDelta, pt);

    if (nFlags & MK_CONTROL) {
        double dLng = 0.0, dLat = 0.0;
        m_map.GetCenter(&dLng, &dLat);
        dLat += zDelta > 0 ? 1.0 : -1.0;
        if (!(dLat > -90.0 && dLat < 90.0))
            dLat = dLat <= -90.0 ? -90.0 : 90.0;
        m_map.SetCenter(dLng, dLat);
    } else if (nFlags & MK_SHIFT) {
        double dLng = 0.0, dLat = 0.0;
        m_map.GetCenter(&dLng, &dLat);
        dLng = degmal(dLng + (zDelta > 0 ? 1.0 : -1.0));
        m_map.SetCenter(dLng, dLat);
    } else {
        int nPos = m_slider.GetPos() + (zDelta > 0 ? -3 : 3);
        nPos = nPos < kSliderMin ? kSliderMin : (nPos > kSliderMax ? kSliderMax : nPos);
        m_nSliderPos = nPos;
        SliderValToVal();
        m_map.SetMag(m_dMag);
        m_slider.SetPos(nPos);
    }
    RefreshMap();
    return CZelDialog::OnMouseWheel(nFlags, zDelta, pt);
}

void CDlgObs::OnPaint()
{
    CZelDialog::OnPaint();
}

void CDlgObs::OnSetMag(double dMag)
{
    double dViewAngle = 0.0;
    int nPos = 0;
    // A magnification of 0, negative or not a number has no view angle; nothing changes.
    if (!MagToSliderPos(dMag, dViewAngle, nPos))
        return;
    m_dMag = dMag;
    m_dViewAngle = dViewAngle;
    RefreshMap();
    m_nSliderPos = nPos;
    m_slider.SetPos(nPos);
}

void CDlgObs::OnSetObsPosition(double dLng, double dLat)
{
    if (m_pObs == nullptr)
        return;
    double dCurLng = m_pObs->GetLongitude();
    if (dCurLng < 0.0)
        dCurLng += 360.0;
    const int nBody = m_pObs->m_nLocationObject;
    const double dCurLat = BodyLat(nBody);
    const double dCurAlt = BodyHeight(nBody);
    const double dCurTz = m_pObs->m_dUserTimeZone;
    if (dLng < 0.0)
        dLng += 360.0;
    if (CCommonCoordFormat::IsEqualDeg(dLng, dCurLng) && CCommonCoordFormat::IsEqualDeg(dLat, dCurLat))
        return;
    m_dCurLng = dCurLng;
    m_dCurLat = dCurLat;
    m_dCurAlt = dCurAlt;
    m_dCurTz = dCurTz;
    m_pObs->UpdateObsByUI(dLng, dLat, m_dAltitude);
}

void CDlgObs::SetFeatureVisible()
{
    const long n = m_map.GetLandmarkClassCount();
    if (n <= 0 || n > kMaxFeatureClasses)
        return;
    // The map reads exactly n flags: never fewer, and classes beyond the eight stay hidden.
    std::vector<int> anFlags(static_cast<size_t>(n), 0);
    for (int i = 0; i < n && i < kFeatureCount; ++i)
        anFlags[static_cast<size_t>(i)] = this->*kFeatures[i].pFlag;
    m_map.SetLandmarkFlags(reinterpret_cast<ULONGLONG>(anFlags.data()));
}

void CDlgObs::OnObsChkFeatureObs()
{
    UpdateData(TRUE);
    SetFeatureVisible();
    RefreshMap();
}

CString CDlgObs::Query(LPCTSTR pszCommand)
{
    if (m_pCor == nullptr)
        return CString();
    return m_pCor->Command(pszCommand);
}

void CDlgObs::RedrawEclipsePath()
{
    if (m_map.GetSafeHwnd() == nullptr)
        return;
    if (Query(_T("? Solar.Planet.Earth.SolarEclipse.Path.Visible")).CompareNoCase(_T("TRUE")) == 0) {
        if (m_strEclipsePath.IsEmpty())
            m_strEclipsePath = Query(_T("? Solar.Planet.Earth.SolarEclipse.Path.Data"));
        m_map.SetEclipsePath(m_strEclipsePath);
    } else {
        m_map.SetEclipsePath(CString());
    }
    const CString strColor = Query(_T("? Solar.Planet.Earth.SolarEclipse.Path.Color"));
    m_map.SetEclipsePathColor(ParseEclipseColor(strColor));
    const BOOL bApply =
        Query(_T("? Solar.Planet.Earth.BesselElement.Apply")).CompareNoCase(_T("TRUE")) == 0;
    m_map.SetApplyBessel(bApply);
    RefreshMap();
}

void CDlgObs::RebuildUserCityListIfStale()
{
    CCitySession::RebuildUserListIfStale(m_strDataDir + _T("zelkam.obs"), m_strDataDir + _T("zelkam_user.obs"),
                                         m_strDataDir + _T("zelkam_user_obs.json"));
}

double CDlgObs::EditToLng()
{
    return CombineAngle(m_nLngDeg, m_nLngMin, m_dLngSec, IsSignedLngBody(m_nBody) ? m_nEastWest : 0);
}

double CDlgObs::EditToLat()
{
    return CombineAngle(m_nLatDeg, m_nLatMin, m_dLatSec, m_nNorthSouth);
}

double CDlgObs::EditToTz() const
{
    return CombineTimeZone(m_nTzHour, m_nTzMin, m_nTzSign);
}

void CDlgObs::MoveCurrentPos(double dLng, double dLat)
{
    m_dCurLng = dLng;
    m_dCurLat = dLat;
    m_dCurAlt = m_dAltitude;
    m_dCurTz = EditToTz();
    if (m_pObs != nullptr)
        m_pObs->UpdateObsByUI(dLng, dLat, m_dAltitude);
}

void CDlgObs::UpdateValue()
{
    UpdateData(TRUE);
    if (m_pObs == nullptr)
        return;
    const double dLng = EditToLng();
    const double dLat = EditToLat();
    const double dAlt = m_pObs->IsSmallObject(m_nBody) ? m_dAltitude : m_dAltitude * 1000.0;
    m_dCurLng = dLng;
    m_dCurLat = dLat;
    m_dCurAlt = dAlt;
    m_pObs->UpdateObsByUI(dLng, dLat, dAlt, EditToTz());
}

void CDlgObs::ChangeTz()
{
    const double dTz = EditToTz();
    m_dCurTz = dTz;
    if (m_pObs != nullptr) {
        m_pObs->m_dUserTimeZone = dTz;
        m_pObs->UpdateDateDisp(2);
    }
}

void CDlgObs::InitLocation(BOOL bForce)
{
    if (m_pObs == nullptr || GetSafeHwnd() == nullptr)
        return;
    m_nBody = m_pObs->m_nLocationObject;

    m_map.Redraw();
    if (m_map.GetSafeHwnd() != nullptr && !m_map.IsWindowVisible())
        m_map.ShowWindow(SW_SHOW);

    double dLng = m_pObs->GetLongitude();
    if (dLng < 0.0)
        dLng += 360.0;
    const double dLat = BodyLat(m_nBody);
    const double dAlt = BodyHeight(m_nBody);
    const double dTz = m_pObs->m_dUserTimeZone;

    if (m_nBody == kBodyEarth) {
        m_map.SetCenter(dLng, dLat);
        m_map.SetObsPosition(dLng, dLat);
        RefreshMap();
    }
    if (bForce)
        DoitBool(kAutoAltitudeProperty, FALSE);
    m_nAltMode = 1;
    SetValue(dLng, dLat, dAlt, dTz, bForce);
    UpdateStatus();
}

void CDlgObs::SetValue(double dLng, double dLat, double dAlt, double dTz, BOOL bForce)
{
    if (bForce || !CCommonCoordFormat::IsEqualDeg(dLng, m_dCurLng)) {
        double v = dLng;
        if (m_nBody == 0 || m_nBody == 3) {
            m_nEastWest = 0;
        } else if (IsSignedLngBody(m_nBody)) {
            if (dLng >= 0.0 && dLng <= 180.0) {
                m_nEastWest = 0;
            } else {
                m_nEastWest = 1;
                v = 360.0 - dLng;
            }
        } else {
            m_nEastWest = 1;
        }
        const CAngleParts parts = SplitAngle(v, LngMaxDeg(m_nBody));
        m_nLngDeg = parts.nDeg;
        m_nLngMin = parts.nMin;
        m_dLngSec = parts.dSec;
        WriteFields();
        m_dCurLng = dLng;
    }
    if (bForce || !CCommonCoordFormat::IsEqualDeg(dLat, m_dCurLat)) {
        m_nNorthSouth = dLat < 0.0 ? 1 : 0;
        const CAngleParts parts = SplitAngle(dLat < 0.0 ? -dLat : dLat, 90);
        m_nLatDeg = parts.nDeg;
        m_nLatMin = parts.nMin;
        m_dLatSec = parts.dSec;
        WriteFields();
        m_dCurLat = dLat;
    }
    if (bForce || !CCommonCoordFormat::IsEqualAlt(dAlt, m_dCurAlt)) {
        const bool bMetres = m_pObs == nullptr || m_pObs->IsSmallObject(m_nBody);
        m_dAltitude = bMetres ? dAlt : dAlt / 1000.0;
        WriteFields();
        m_dCurAlt = dAlt;
    }
    if (bForce || dTz != m_dCurTz) {
        if (dTz != 9999.0)
            ShowTz(dTz);
        WriteFields();
        m_dCurTz = dTz;
    }
}

void CDlgObs::ShowTz(double dTz)
{
    const CTzParts parts = SplitTimeZone(dTz);
    m_nTzSign = parts.nSign;
    m_nTzHour = parts.nHour;
    m_nTzMin = parts.nMin;
}

double CDlgObs::BodyLat(int nBody) const
{
    // A body index the observer does not have reads as the origin rather than past its table.
    if (m_pObs == nullptr || nBody < 0 || nBody >= CGeoDateObs::kBodyCount)
        return 0.0;
    return m_pObs->m_dLocation[nBody][CGeoDateObs::kLat];
}

double CDlgObs::BodyHeight(int nBody) const
{
    if (m_pObs == nullptr || nBody < 0 || nBody >= CGeoDateObs::kBodyCount)
        return 0.0;
    return m_pObs->m_dLocation[nBody][CGeoDateObs::kHeight];
}

double CDlgObs::TimeSysTz() const
{
    switch (m_pObs->m_nTimeSystem) {
    case 0:
        return m_pObs->m_dUserTimeZone;
    case 2:
        return m_pObs->GetLMTTz(m_pObs->GetLongitude());
    default:
        return 0.0;
    }
}

bool CDlgObs::IsTzFree() const
{
    return m_pObs != nullptr && m_pObs->m_nTimeSystem == 0;
}

void CDlgObs::UpdateTimeSys()
{
    if (m_pObs == nullptr || GetSafeHwnd() == nullptr)
        return;
    ShowTz(TimeSysTz());
    WriteFields();
    UpdateStatus();
}

void CDlgObs::UpdateStatus()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const bool bEarth = m_nBody == kBodyEarth;
    const bool bSigned = IsSignedLngBody(m_nBody);
    const bool bTzFree = IsTzFree();
    auto enable = [this](int nID, bool bEnable) {
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable ? TRUE : FALSE);
    };
    enable(IDC_RD_EAST, bSigned);
    enable(IDC_RD_WEST, bSigned);
    enable(IDC_GRP_TZ, bEarth);
    for (int nID : {IDC_RD_TZ_P, IDC_RD_TZ_M, IDC_EDT_TZ_HOUR, IDC_SPN_TZ_HOUR, IDC_STC_TZ_HOUR,
                    IDC_EDT_TZ_MIN, IDC_SPN_TZ_MIN, IDC_STC_TZ_MIN})
        enable(nID, bEarth && bTzFree);
    for (int nID : {IDC_OBS_BTN_SET_INIT, IDC_OBS_BTN_CITY, IDC_GRP_FEATURE})
        enable(nID, bEarth);
    for (int i = 0; i < kFeatureCount; ++i)
        enable(IDC_OBS_CHK_FEATURE_OBS + i, bEarth);

    const bool bMetres = m_pObs == nullptr || m_pObs->IsSmallObject(m_nBody);
    SetDlgItemText(IDC_STC_ALT_UNIT, bMetres ? _T("m") : _T("km"));

    if (m_strMeshFile.IsEmpty()) {
        m_nAltMode = 1;
        m_bNoAutoAlt = 1;
        for (int nID : {IDC_RD_ALT_AUTO, IDC_RD_ALT_MANUAL})
            if (CWnd* pWnd = GetDlgItem(nID))
                pWnd->ShowWindow(SW_HIDE);
    } else {
        enable(IDC_RD_ALT_AUTO, !m_bNoAutoAlt);
        enable(IDC_RD_ALT_MANUAL, !m_bNoAutoAlt);
    }
    enable(IDC_EDT_ALT, m_nAltMode == 1);
    enable(IDC_SPN_ALT, m_nAltMode == 1);
}

bool CDlgObs::IsUserEdit() const
{
    return m_bCreated && m_nWritingFields == 0;
}

void CDlgObs::WriteFields()
{
    ++m_nWritingFields;
    UpdateData(FALSE);
    --m_nWritingFields;
}

double CDlgObs::AltLowerBound() const
{
    const bool bMetres = m_pObs == nullptr || m_pObs->IsSmallObject(m_nBody);
    return bMetres ? -9999.0 : 0.0;
}

void CDlgObs::ShowRangeMessage(const CString& strText)
{
    AfxMessageBox(strText, MB_ICONINFORMATION);
}

CDlgObs::CCaret CDlgObs::TakeCaret(int nID)
{
    CCaret caret;
    if (HWND hEdit = ::GetDlgItem(m_hWnd, nID)) {
        caret.nLen = ::GetWindowTextLengthW(hEdit);
        DWORD dwEnd = 0;
        ::SendMessageW(hEdit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&dwEnd));
        caret.nEnd = static_cast<int>(dwEnd);
    }
    return caret;
}

void CDlgObs::PlaceCaret(int nID, const CCaret& caret)
{
    HWND hEdit = ::GetDlgItem(m_hWnd, nID);
    if (hEdit == nullptr)
        return;
    const int nPos = caret.nEnd + (::GetWindowTextLengthW(hEdit) <= caret.nLen ? 1 : 0);
    ::SendMessageW(hEdit, EM_SETSEL, nPos, nPos);
    ::SendMessageW(hEdit, EM_SCROLLCARET, 0, 0);
}

bool CDlgObs::IsTypingNumber(int nID)
{
    CString strText;
    GetDlgItemText(nID, strText);
    return strText.IsEmpty() || strText[strText.GetLength() - 1] == L'.';
}

CCoordFields CDlgObs::Fields() const
{
    return CCoordFields{m_nEastWest,   m_nLngDeg, m_nLngMin, m_dLngSec,  m_nNorthSouth,
                        m_nLatDeg,     m_nLatMin, m_dLatSec, m_dAltitude, m_nTzSign,
                        m_nTzHour,     m_nTzMin};
}

void CDlgObs::SetFields(const CCoordFields& fields)
{
    m_nEastWest = fields.nEastWest;
    m_nLngDeg = fields.nLngDeg;
    m_nLngMin = fields.nLngMin;
    m_dLngSec = fields.dLngSec;
    m_nNorthSouth = fields.nNorthSouth;
    m_nLatDeg = fields.nLatDeg;
    m_nLatMin = fields.nLatMin;
    m_dLatSec = fields.dLatSec;
    m_dAltitude = fields.dAlt;
    m_nTzSign = fields.nTzSign;
    m_nTzHour = fields.nTzHour;
    m_nTzMin = fields.nTzMin;
}

CFieldRule CDlgObs::FieldRule(CoordField field) const
{
    return ObsFieldRule(field, IsSignedLngBody(m_nBody), AltLowerBound());
}

CString CDlgObs::RangeMessage(const CFieldRule& rule) const
{
    if (rule.pszMessage != nullptr)
        return rule.pszMessage;
    CString strText;
    if (rule.field == CoordField::LngDeg)
        strText.Format(IDS_LNG_RANGE, 0, static_cast<int>(rule.dHigh));
    else
        strText.Format(IDS_ALT_RANGE, BodyName(m_nBody), rule.dLow, rule.dHigh);
    return strText;
}

void CDlgObs::PushField(CoordField field)
{
    switch (field) {
    case CoordField::Alt:
        UpdateValue();
        break;
    case CoordField::TzHour:
    case CoordField::TzMin:
        ChangeTz();
        break;
    default:
        UpdateData(TRUE);
        MoveCurrentPos(EditToLng(), EditToLat());
        break;
    }
}

void CDlgObs::OnChangeField(CoordField field)
{
    const int nEdit = kFieldEdits[static_cast<int>(field)];
    if (!IsUserEdit() || (IsSeconds(field) && IsTypingNumber(nEdit)))
        return;
    const CCaret caret = KeepsCaret(field) ? TakeCaret(nEdit) : CCaret();
    UpdateData(TRUE);
    const CFieldRule rule = FieldRule(field);
    CCoordFields fields = Fields();
    const FieldCheck result = CheckField(rule, fields);
    if (result == FieldCheck::OutOfRange)
        ShowRangeMessage(RangeMessage(rule));
    if (result != FieldCheck::Accepted) {
        SetFields(fields);
        WriteFields();
    }
    // A clamped value goes to the observer too, or the fields and the sky would disagree.
    PushField(field);
    if (KeepsCaret(field))
        PlaceCaret(nEdit, caret);
}

void CDlgObs::OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult)
{
    UpdateData(TRUE);
    CCoordFields fields = Fields();
    StepField(FieldRule(field), fields, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    SetFields(fields);
    WriteFields();
    PushField(field);
    *pResult = 0;
}

void CDlgObs::OnChangeEdtLngDeg() { OnChangeField(CoordField::LngDeg); }
void CDlgObs::OnChangeEdtLngMin() { OnChangeField(CoordField::LngMin); }
void CDlgObs::OnChangeEdtLngSec() { OnChangeField(CoordField::LngSec); }
void CDlgObs::OnChangeEdtLatDeg() { OnChangeField(CoordField::LatDeg); }
void CDlgObs::OnChangeEdtLatMin() { OnChangeField(CoordField::LatMin); }
void CDlgObs::OnChangeEdtLatSec() { OnChangeField(CoordField::LatSec); }
void CDlgObs::OnChangeEdtAlt() { OnChangeField(CoordField::Alt); }
void CDlgObs::OnChangeEdtTzHour() { OnChangeField(CoordField::TzHour); }
void CDlgObs::OnChangeEdtTzMin() { OnChangeField(CoordField::TzMin); }

void CDlgObs::OnDeltaposSpnLngDeg(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngDeg, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnLngMin(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngMin, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnLngSec(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngSec, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnLatDeg(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatDeg, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnLatMin(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatMin, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnLatSec(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatSec, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnAlt(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::Alt, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnTzHour(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::TzHour, pNMHDR, pResult);
}

void CDlgObs::OnDeltaposSpnTzMin(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::TzMin, pNMHDR, pResult);
}

void CDlgObs::OnRdEast()
{
    if (!m_bCreated)
        return;
    UpdateData(TRUE);
    MoveCurrentPos(EditToLng(), EditToLat());
}

void CDlgObs::OnRdNorth()
{
    UpdateData(TRUE);
    MoveCurrentPos(EditToLng(), EditToLat());
}

void CDlgObs::OnRdTzP()
{
    UpdateValue();
}

void CDlgObs::OnRdAltManual()
{
    UpdateData(TRUE);
    UpdateStatus();
    DoitBool(kAutoAltitudeProperty, m_nAltMode == 0 ? TRUE : FALSE);
}

void CDlgObs::OnRdAltAuto()
{
    // One flag for every instance: the engine's switch is process-wide too.
    static bool s_bInAltAuto = false;
    if (m_strMeshFile.IsEmpty() || s_bInAltAuto)
        return;
    if (m_bNoAutoAlt) {
        CheckDlgButton(IDC_RD_ALT_AUTO, BST_UNCHECKED);
        CheckDlgButton(IDC_RD_ALT_MANUAL, BST_CHECKED);
        return;
    }
    s_bInAltAuto = true;
    // Cleared on every way out: a flag left set would disable the radio for the process.
    struct CClearOnExit {
        bool& bFlag;
        ~CClearOnExit() { bFlag = false; }
    } clearOnExit{s_bInAltAuto};
    UpdateData(TRUE);
    UpdateStatus();
    DoitBool(kAutoAltitudeProperty, m_nAltMode == 0 ? TRUE : FALSE);
    UpdateValue();
}

void CDlgObs::SaveDefault(double dLng, double dLat, double dAlt, double dTz)
{
    CString strLocation;
    strLocation.Format(_T("location(%f, %f, %f)"), dLng, dLat, dAlt);
    CRegistry::Write(kDefaultKey, _T("location"), strLocation);
    CString strTz;
    strTz.Format(_T("%f"), dTz);
    CRegistry::Write(kDefaultKey, _T("time.timezone"), strTz);
}

void CDlgObs::OnObsBtnSetInit()
{
    CString strText;
    strText.Format(_T("%s %3d度%02d分%04.1f秒\n%s %3d度%02d分%04.1f秒\n標高 %.0fm\nタイムゾーン %s%02d時間%02d分"),
                   m_nEastWest == 1 ? _T("西経") : _T("東経"), m_nLngDeg, m_nLngMin, m_dLngSec,
                   m_nNorthSouth == 1 ? _T("南緯") : _T("北緯"), m_nLatDeg, m_nLatMin, m_dLatSec,
                   m_dAltitude, m_nTzSign == 1 ? _T("-") : _T("+"), m_nTzHour, m_nTzMin);
    strText += _T("\n\nを初期値として設定します。");
    if (AfxMessageBox(strText, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    // West is negative for every body here, unlike the pushes.
    const double dLng = CombineAngle(m_nLngDeg, m_nLngMin, m_dLngSec, m_nEastWest);
    SaveDefault(dLng, EditToLat(), m_dAltitude, EditToTz());
}

void CDlgObs::OnBnClickedObsBtnReset()
{
    if (m_pObs == nullptr)
        return;
    m_pObs->UpdateLocationObjectByUI(m_nBody, 1);
    CString strLocation, strTz;
    CRegistry::Read(kDefaultKey, _T("location"), kDefaultLocation, strLocation);
    CRegistry::Read(kDefaultKey, _T("time.timezone"), kDefaultTimeZone, strTz);
    // A value that is no finite number within its field's range is no stored default: the
    // built-in one goes to the engine instead of a place the fields cannot show.
    CStoredDefaultLimits limits;
    limits.dLngMax = LngMaxDeg(m_nBody);
    limits.dAltLow = AltLowerBound();
    CStoredDefault stored;
    if (!ParseStoredDefault(strLocation, strTz, limits, stored)) {
        strLocation = kDefaultLocation;
        strTz = kDefaultTimeZone;
    }
    CString strCommand;
    strCommand.Format(_T("%s = %s"), _T("location"), strLocation.GetString());
    Query(strCommand);
    const double dTz = CityWtof(strTz);
    m_dCurTz = dTz;
    m_pObs->m_dUserTimeZone = dTz;
    strCommand.Format(_T("%s = %s; Show Sky"), _T("time.timezone"), strTz.GetString());
    Query(strCommand);
    m_pObs->UpdateDateDisp(2);
    UpdateTimeSys();
}

void CDlgObs::OnObsBtnCity()
{
    CString strObsFile = m_strDataDir + _T("zelkam.obs");
    if (!CCommonFile::DoesFileExist(strObsFile)) {
        strObsFile = CCommonFile::GetModulePath() + _T("zelkam.obs");
        if (!CCommonFile::DoesFileExist(strObsFile)) {
            AfxMessageBox(_T("観測地ファイルが見つかりません。"));
            return;
        }
    }

    CDlgCity dlg(this);
    dlg.SetCorMapPtr(&m_map);
    dlg.SetMesh(m_strMeshFile.IsEmpty() ? 0 : 1);
    dlg.m_strObsFile = strObsFile;
    dlg.m_strUserObsFile = m_strDataDir + _T("zelkam_user.obs");
    dlg.m_strUserJsonFile = m_strDataDir + _T("zelkam_user_obs.json");
    dlg.SetFields(Fields());

    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr)
        pMain->SendMessage(kMsgCityDialogRuns, 1, 0);
    const INT_PTR nResult = dlg.DoModal();
    if (pMain != nullptr)
        pMain->SendMessage(kMsgCityDialogRuns, 0, 0);
    if (nResult != IDOK)
        return;

    SetFields(dlg.Fields());
    if (dlg.m_bSetDefault)
        SaveDefault(dlg.m_dDefLon, dlg.m_dDefLat, dlg.m_dDefAlt, dlg.m_dDefTz);
    WriteFields();
    if (!m_strMeshFile.IsEmpty() && !dlg.m_bAutoAlt) {
        DoitBool(kAutoAltitudeProperty, FALSE);
        m_nAltMode = 1;
        WriteFields();
        UpdateStatus();
    }
    UpdateValue();
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
