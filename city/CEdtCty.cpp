#include "city/CEdtCty.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"

#include <host/CCorZelMap.h>
#include <vrkcom/VrkDDX.h>

namespace {

// Far more landmark classes than any map has; a larger count is taken for a broken reply.
constexpr long kMaxLandmarkClasses = 4096;

const CFieldRule& Rule(CoordField field)
{
    return kPlaceEditorFieldRules[static_cast<int>(field)];
}

}  // namespace

CEdtCty::CEdtCty(CWnd* pParent) : CZelDialog(IDD_EDTCTY, pParent)
{
    m_strRegKey.LoadString(IDS_REGKEY_EDITCITY);
}

CEdtCty::CEdtCty(CCorZel* pCor, CWnd* pParent) : CZelDialog(pCor, IDD_EDTCTY, pParent)
{
    m_strRegKey.LoadString(IDS_REGKEY_EDITCITY);
}

CEdtCty::~CEdtCty() = default;

void CEdtCty::SetCorMapPtr(CCorZelMap* pCorMap)
{
    m_pCorMap = pCorMap;
}

void CEdtCty::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDTCTY_EDT_NAME, m_strName);
    DDX_DoubleFmt(pDX, IDC_EDTCTY_EDT_ALT, m_dAlt, _T("%.0f"), 7);
    DDX_Int(pDX, IDC_EDTCTY_EDT_LAT_DEG, m_nLatDeg, 0, 7);
    DDX_Int(pDX, IDC_EDTCTY_EDT_LAT_MIN, m_nLatMin, 0, 7);
    DDX_DoubleFmt(pDX, IDC_EDTCTY_EDT_LAT_SEC, m_dLatSec, _T("%4.1f"), 7);
    DDX_Int(pDX, IDC_EDTCTY_EDT_LNG_DEG, m_nLonDeg, 0, 7);
    DDX_Int(pDX, IDC_EDTCTY_EDT_LNG_MIN, m_nLonMin, 0, 7);
    DDX_DoubleFmt(pDX, IDC_EDTCTY_EDT_LNG_SEC, m_dLonSec, _T("%4.1f"), 7);
    DDX_Int(pDX, IDC_EDTCTY_EDT_TZ_HOUR, m_nTzHour, 0, 7);
    DDX_Int(pDX, IDC_EDTCTY_EDT_TZ_MIN, m_nTzMin, 0, 7);
    DDX_Radio(pDX, IDC_EDTCTY_RD_EAST, m_nEastWest);
    DDX_Radio(pDX, IDC_EDTCTY_RD_NORTH, m_nNorthSouth);
    DDX_Radio(pDX, IDC_EDTCTY_RD_TZ_P, m_nTzSign);
    DDX_CBIndex(pDX, IDC_EDTCTY_CMB_TYPE, m_nType);
}

void CEdtCty::AttachControls()
{
    m_edtName.Attach(IDC_EDTCTY_EDT_NAME, this);
    m_edtLonDeg.Attach(IDC_EDTCTY_EDT_LNG_DEG, this);
    m_edtLonMin.Attach(IDC_EDTCTY_EDT_LNG_MIN, this);
    m_edtLonSec.Attach(IDC_EDTCTY_EDT_LNG_SEC, this);
    m_edtAlt.Attach(IDC_EDTCTY_EDT_ALT, this);
    m_edtLatDeg.Attach(IDC_EDTCTY_EDT_LAT_DEG, this);
    m_edtLatMin.Attach(IDC_EDTCTY_EDT_LAT_MIN, this);
    m_edtLatSec.Attach(IDC_EDTCTY_EDT_LAT_SEC, this);
    m_edtTzHour.Attach(IDC_EDTCTY_EDT_TZ_HOUR, this);
    m_edtTzMin.Attach(IDC_EDTCTY_EDT_TZ_MIN, this);
    m_rdEast.Attach(IDC_EDTCTY_RD_EAST, this);
    m_rdWest.Attach(IDC_EDTCTY_RD_WEST, this);
    m_spnLonDeg.Attach(IDC_EDTCTY_SPN_LNG_DEG, this);
    m_spnLonMin.Attach(IDC_EDTCTY_SPN_LNG_MIN, this);
    m_spnLonSec.Attach(IDC_EDTCTY_SPN_LNG_SEC, this);
    m_rdNorth.Attach(IDC_EDTCTY_RD_NORTH, this);
    m_rdSouth.Attach(IDC_EDTCTY_RD_SOUTH, this);
    m_spnLatDeg.Attach(IDC_EDTCTY_SPN_LAT_DEG, this);
    m_spnLatMin.Attach(IDC_EDTCTY_SPN_LAT_MIN, this);
    m_spnLatSec.Attach(IDC_EDTCTY_SPN_LAT_SEC, this);
    m_spnAlt.Attach(IDC_EDTCTY_SPN_ALT, this);
    m_rdTzP.Attach(IDC_EDTCTY_RD_TZ_P, this);
    m_rdTzM.Attach(IDC_EDTCTY_RD_TZ_M, this);
    m_spnTzHour.Attach(IDC_EDTCTY_SPN_TZ_HOUR, this);
    m_spnTzMin.Attach(IDC_EDTCTY_SPN_TZ_MIN, this);
    m_cmbType.Attach(IDC_EDTCTY_CMB_TYPE, this);
    m_btnOK.Attach(IDOK, this);
    m_btnCancel.Attach(IDCANCEL, this);
}

BOOL CEdtCty::OnInitDialog()
{
    ++m_nWritingFields;
    CZelDialog::OnInitDialog();
    --m_nWritingFields;
    AttachControls();
    if (m_pCorMap != nullptr) {
        const long nCount = m_pCorMap->GetLandmarkClassCount();
        for (long i = 0; nCount <= kMaxLandmarkClasses && i < nCount; ++i)
            m_cmbType.AddString(m_pCorMap->GetLandmarkClassName(i));
        // An index beyond the list selects nothing.
        m_cmbType.SetCurSel(m_nType);
    }
    return TRUE;
}

void CEdtCty::OnOK()
{
    UpdateData(TRUE);
    const BOOL bPassed = CheckValue();
    WriteFields();
    if (bPassed)
        CZelDialog::OnOK();
}

BOOL CEdtCty::CheckValue()
{
    CPlaceFields fields = PlaceFields();
    const CString strFailed = fields.Check();
    m_strName = fields.m_strName;
    if (strFailed.IsEmpty())
        return TRUE;
    AfxMessageBox(strFailed, MB_OK);
    return FALSE;
}

void CEdtCty::WriteFields()
{
    ++m_nWritingFields;
    UpdateData(FALSE);
    --m_nWritingFields;
}

CCoordFields CEdtCty::Fields() const
{
    return CCoordFields{m_nEastWest, m_nLonDeg, m_nLonMin, m_dLonSec, m_nNorthSouth, m_nLatDeg,
                        m_nLatMin,   m_dLatSec, m_dAlt,    m_nTzSign, m_nTzHour,     m_nTzMin};
}

void CEdtCty::SetFields(const CCoordFields& fields)
{
    m_nEastWest = fields.nEastWest;
    m_nNorthSouth = fields.nNorthSouth;
    m_nTzSign = fields.nTzSign;
    m_nLonDeg = fields.nLngDeg;
    m_nLonMin = fields.nLngMin;
    m_dLonSec = fields.dLngSec;
    m_nLatDeg = fields.nLatDeg;
    m_nLatMin = fields.nLatMin;
    m_dLatSec = fields.dLatSec;
    m_dAlt = fields.dAlt;
    m_nTzHour = fields.nTzHour;
    m_nTzMin = fields.nTzMin;
}

CPlaceFields CEdtCty::PlaceFields() const
{
    CPlaceFields fields;
    fields.m_strName = m_strName;
    fields.m_nLonDeg = m_nLonDeg;
    fields.m_nLonMin = m_nLonMin;
    fields.m_dLonSec = m_dLonSec;
    fields.m_nLatDeg = m_nLatDeg;
    fields.m_nLatMin = m_nLatMin;
    fields.m_dLatSec = m_dLatSec;
    fields.m_dAlt = m_dAlt;
    fields.m_nTzHour = m_nTzHour;
    fields.m_nTzMin = m_nTzMin;
    return fields;
}

void CEdtCty::OnChangeField(CoordField field)
{
    if (m_nWritingFields != 0)
        return;
    UpdateData(TRUE);
    CCoordFields fields = Fields();
    const FieldCheck result = CheckField(Rule(field), fields);
    if (result == FieldCheck::OutOfRange)
        AfxMessageBox(Rule(field).pszMessage, MB_ICONINFORMATION);
    if (result != FieldCheck::Accepted) {
        SetFields(fields);
        WriteFields();
    }
}

void CEdtCty::OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult)
{
    UpdateData(TRUE);
    CCoordFields fields = Fields();
    StepField(Rule(field), fields, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    SetFields(fields);
    WriteFields();
    *pResult = 0;
}

void CEdtCty::OnChangeEditCityEditLong1() { OnChangeField(CoordField::LngDeg); }
void CEdtCty::OnChangeEditCityEditLong2() { OnChangeField(CoordField::LngMin); }
void CEdtCty::OnChangeEditCityEditLong3() { OnChangeField(CoordField::LngSec); }
void CEdtCty::OnChangeEditCityEditLat1() { OnChangeField(CoordField::LatDeg); }
void CEdtCty::OnChangeEditCityEditLat2() { OnChangeField(CoordField::LatMin); }
void CEdtCty::OnChangeEditCityEditLat3() { OnChangeField(CoordField::LatSec); }
void CEdtCty::OnChangeEditCityEditAlt() { OnChangeField(CoordField::Alt); }
void CEdtCty::OnChangeEditCityEditHour() { OnChangeField(CoordField::TzHour); }
void CEdtCty::OnChangeEditCityEditMin() { OnChangeField(CoordField::TzMin); }

void CEdtCty::OnDeltaposSetObsSpinLong1(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngDeg, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinLong2(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngMin, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinLong3(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LngSec, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinLat1(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatDeg, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinLat2(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatMin, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinLat3(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::LatSec, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinAlt(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::Alt, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinHour(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::TzHour, pNMHDR, pResult);
}

void CEdtCty::OnDeltaposSetObsSpinMin(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnDeltaposField(CoordField::TzMin, pNMHDR, pResult);
}

BEGIN_MESSAGE_MAP(CEdtCty, CZelDialog)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_LNG_DEG, &CEdtCty::OnChangeEditCityEditLong1)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_LNG_MIN, &CEdtCty::OnChangeEditCityEditLong2)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_LNG_SEC, &CEdtCty::OnChangeEditCityEditLong3)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_LAT_DEG, &CEdtCty::OnChangeEditCityEditLat1)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_LAT_MIN, &CEdtCty::OnChangeEditCityEditLat2)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_LAT_SEC, &CEdtCty::OnChangeEditCityEditLat3)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_ALT, &CEdtCty::OnChangeEditCityEditAlt)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_TZ_HOUR, &CEdtCty::OnChangeEditCityEditHour)
    ON_EN_CHANGE(IDC_EDTCTY_EDT_TZ_MIN, &CEdtCty::OnChangeEditCityEditMin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_LNG_DEG, &CEdtCty::OnDeltaposSetObsSpinLong1)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_LNG_MIN, &CEdtCty::OnDeltaposSetObsSpinLong2)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_LNG_SEC, &CEdtCty::OnDeltaposSetObsSpinLong3)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_LAT_DEG, &CEdtCty::OnDeltaposSetObsSpinLat1)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_LAT_MIN, &CEdtCty::OnDeltaposSetObsSpinLat2)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_LAT_SEC, &CEdtCty::OnDeltaposSetObsSpinLat3)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_ALT, &CEdtCty::OnDeltaposSetObsSpinAlt)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_TZ_HOUR, &CEdtCty::OnDeltaposSetObsSpinHour)
    ON_NOTIFY(UDN_DELTAPOS, IDC_EDTCTY_SPN_TZ_MIN, &CEdtCty::OnDeltaposSetObsSpinMin)
END_MESSAGE_MAP()
