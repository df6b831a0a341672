#include "city/CEdtCty.h"

#include "res/resource_city.h"
#include "res/resource_strings.h"
#include "vrkobs/CCoordBinding.h"

#include <host/CCorZelMap.h>
#include <citydb/PlaceCheck.h>
#include <vrkcom/VrkDDX.h>

namespace {

// Far more landmark classes than any map has; a larger count is taken for a broken reply.
constexpr long kMaxLandmarkClasses = 4096;

const CFieldRule& Rule(CoordField field) { return kPlaceEditorFieldRules[static_cast<int>(field)]; }

using B = CCoordBinding<CEdtCty>;
using D = CEdtCty;
using F = CoordField;
// One row a field.
// clang-format off
const B kBinding = {
    {B::Int(F::LngDeg, &D::m_nLonDeg, IDC_EDTCTY_EDT_LNG_DEG, &D::m_edtLonDeg, IDC_EDTCTY_SPN_LNG_DEG, &D::m_spnLonDeg),
     B::Int(F::LngMin, &D::m_nLonMin, IDC_EDTCTY_EDT_LNG_MIN, &D::m_edtLonMin, IDC_EDTCTY_SPN_LNG_MIN, &D::m_spnLonMin),
     B::Real(F::LngSec, &D::m_dLonSec, L"%4.1f", IDC_EDTCTY_EDT_LNG_SEC, &D::m_edtLonSec, IDC_EDTCTY_SPN_LNG_SEC, &D::m_spnLonSec),
     B::Int(F::LatDeg, &D::m_nLatDeg, IDC_EDTCTY_EDT_LAT_DEG, &D::m_edtLatDeg, IDC_EDTCTY_SPN_LAT_DEG, &D::m_spnLatDeg),
     B::Int(F::LatMin, &D::m_nLatMin, IDC_EDTCTY_EDT_LAT_MIN, &D::m_edtLatMin, IDC_EDTCTY_SPN_LAT_MIN, &D::m_spnLatMin),
     B::Real(F::LatSec, &D::m_dLatSec, L"%4.1f", IDC_EDTCTY_EDT_LAT_SEC, &D::m_edtLatSec, IDC_EDTCTY_SPN_LAT_SEC, &D::m_spnLatSec),
     B::Real(F::Alt, &D::m_dAlt, L"%.0f", IDC_EDTCTY_EDT_ALT, &D::m_edtAlt, IDC_EDTCTY_SPN_ALT, &D::m_spnAlt),
     B::Int(F::TzHour, &D::m_nTzHour, IDC_EDTCTY_EDT_TZ_HOUR, &D::m_edtTzHour, IDC_EDTCTY_SPN_TZ_HOUR, &D::m_spnTzHour),
     B::Int(F::TzMin, &D::m_nTzMin, IDC_EDTCTY_EDT_TZ_MIN, &D::m_edtTzMin, IDC_EDTCTY_SPN_TZ_MIN, &D::m_spnTzMin)},
    {{&CCoordFields::nEastWest, &D::m_nEastWest, IDC_EDTCTY_RD_EAST, &D::m_rdEast, IDC_EDTCTY_RD_WEST, &D::m_rdWest},
     {&CCoordFields::nNorthSouth, &D::m_nNorthSouth, IDC_EDTCTY_RD_NORTH, &D::m_rdNorth, IDC_EDTCTY_RD_SOUTH, &D::m_rdSouth},
     {&CCoordFields::nTzSign, &D::m_nTzSign, IDC_EDTCTY_RD_TZ_P, &D::m_rdTzP, IDC_EDTCTY_RD_TZ_M, &D::m_rdTzM}},
};
// clang-format on

}  // namespace

CEdtCty::CEdtCty(CWnd* pParent) : CZelDialog(IDD_EDTCTY, pParent) { m_strRegKey.LoadString(IDS_REGKEY_EDITCITY); }

CEdtCty::CEdtCty(CCorZel* pCor, CWnd* pParent) : CZelDialog(pCor, IDD_EDTCTY, pParent)
{
    m_strRegKey.LoadString(IDS_REGKEY_EDITCITY);
}

CEdtCty::~CEdtCty() = default;

void CEdtCty::SetCorMapPtr(CCorZelMap* pCorMap) { m_pCorMap = pCorMap; }

void CEdtCty::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EDTCTY_EDT_NAME, m_strName);
    kBinding.Exchange(pDX, *this);
    DDX_CBIndex(pDX, IDC_EDTCTY_CMB_TYPE, m_nType);
}

void CEdtCty::AttachControls()
{
    m_edtName.Attach(IDC_EDTCTY_EDT_NAME, this);
    kBinding.Attach(*this);
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
    const CString strFailed = CheckPlace(m_strName, Fields());
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

CCoordFields CEdtCty::Fields() const { return kBinding.Read(*this); }

void CEdtCty::SetFields(const CCoordFields& fields) { kBinding.Write(*this, fields); }

void CEdtCty::OnChangeField(CoordField field)
{
    if (m_nWritingFields == 0)
        kBinding.Check(*this, Rule(field), [field] { AfxMessageBox(Rule(field).pszMessage, MB_ICONINFORMATION); });
}

void CEdtCty::OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult)
{
    kBinding.Step(*this, Rule(field), pNMHDR, pResult);
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

void CEdtCty::OnDeltaposSetObsSpinLong1(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngDeg, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinLong2(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngMin, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinLong3(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngSec, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinLat1(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatDeg, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinLat2(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatMin, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinLat3(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatSec, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinAlt(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::Alt, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinHour(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::TzHour, pNM, pRes); }
void CEdtCty::OnDeltaposSetObsSpinMin(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::TzMin, pNM, pRes); }
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
