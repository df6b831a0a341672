#include "obs/CDlgObs.h"

#include "obs/DlgObsConstants.h"
#include "res/resource_obs.h"
#include <citydb/MapViewScale.h>

#include <host/CCorZel.h>
#include <lunacl/lunacl.h>
#include <vrkcom/CCommonCoordFormat.h>
#include <vrkcom/CGeoDateObs.h>

#include <vector>

using namespace DlgObs;

void CDlgObs::RefreshMap()
{
    m_map.Redraw();
    if (m_map.GetSafeHwnd() != nullptr)
        ::RedrawWindow(m_map.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
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
    if (!::PtInRect(&m_rcMap, ptClient) || m_pObs == nullptr || m_pObs->m_nLocationObject != kBodyEarth)
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

void CDlgObs::OnPaint() { CZelDialog::OnPaint(); }

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
    const BOOL bApply = Query(_T("? Solar.Planet.Earth.BesselElement.Apply")).CompareNoCase(_T("TRUE")) == 0;
    m_map.SetApplyBessel(bApply);
    RefreshMap();
}
