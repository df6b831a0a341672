#include "obs/CDlgObs.h"

#include "obs/DlgObsConstants.h"
#include "res/resource_obs.h"
#include "city/CDlgCity.h"

#include <citydb/BodyFields.h>
#include <citydb/CCitySession.h>
#include <citydb/CityText.h>
#include <citydb/StoredDefault.h>
#include <vrkcom/CCommonFile.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

using namespace DlgObs;

CString CDlgObs::SystemListPath() const
{
    const CString strObsFile = m_strDataDir + _T("zelkam.obs");
    return CCommonFile::DoesFileExist(strObsFile) ? strObsFile : CCommonFile::GetModulePath() + _T("zelkam.obs");
}

void CDlgObs::RebuildUserCityListIfStale()
{
    // The system list the city button opens: the data folder's, else the one beside the module.
    CCitySession::RebuildUserListIfStale(SystemListPath(), m_strDataDir + _T("zelkam_user.obs"),
                                         m_strDataDir + _T("zelkam_user_obs.json"));
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
                   m_nNorthSouth == 1 ? _T("南緯") : _T("北緯"), m_nLatDeg, m_nLatMin, m_dLatSec, m_dAltitude,
                   m_nTzSign == 1 ? _T("-") : _T("+"), m_nTzHour, m_nTzMin);
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
    limits.dAltLow = AltLowest(IsSmallBody());
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
    const CString strObsFile = SystemListPath();
    if (!CCommonFile::DoesFileExist(strObsFile)) {
        AfxMessageBox(_T("観測地ファイルが見つかりません。"));
        return;
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
