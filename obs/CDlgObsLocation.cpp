#include "obs/CDlgObs.h"

#include "obs/DlgObsConstants.h"
#include "res/resource_obs.h"

#include <citydb/BodyFields.h>
#include <vrkcom/CCommonCoordFormat.h>
#include <vrkcom/CGeoDateObs.h>

using namespace DlgObs;

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
    const double dAlt = AltMetres(m_dAltitude, IsSmallBody());
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
        CCoordFields fields = Fields();
        SetBodyLng(fields, dLng, m_nBody);
        SetFields(fields);
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
        m_dAltitude = AltShown(dAlt, IsSmallBody());
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

bool CDlgObs::IsTzFree() const { return m_pObs != nullptr && m_pObs->m_nTimeSystem == 0; }

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
    for (int nID : {IDC_RD_TZ_P, IDC_RD_TZ_M, IDC_EDT_TZ_HOUR, IDC_SPN_TZ_HOUR, IDC_STC_TZ_HOUR, IDC_EDT_TZ_MIN,
                    IDC_SPN_TZ_MIN, IDC_STC_TZ_MIN})
        enable(nID, bEarth && bTzFree);
    for (int nID : {IDC_OBS_BTN_SET_INIT, IDC_OBS_BTN_CITY, IDC_GRP_FEATURE})
        enable(nID, bEarth);
    for (int i = 0; i < kFeatureCount; ++i)
        enable(IDC_OBS_CHK_FEATURE_OBS + i, bEarth);

    SetDlgItemText(IDC_STC_ALT_UNIT, AltUnit(IsSmallBody()));

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

void CDlgObs::OnRdTzP() { UpdateValue(); }

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
