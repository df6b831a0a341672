#include "obs/CDlgObs.h"

#include "obs/DlgObsConstants.h"
#include "res/resource_obs.h"
#include "res/resource_strings.h"
#include "vrkobs/CCoordBinding.h"

#include <citydb/BodyFields.h>
#include <vrkcom/CGeoDateObs.h>

using namespace DlgObs;

namespace {

using B = CCoordBinding<CDlgObs>;
using D = CDlgObs;
using F = CoordField;
// One row a field.
// clang-format off
const B kBinding = {
    {B::Int(F::LngDeg, &D::m_nLngDeg, IDC_EDT_LNG_DEG, &D::m_edtLngDeg, IDC_SPN_LNG_DEG, &D::m_spnLngDeg),
     B::Int(F::LngMin, &D::m_nLngMin, IDC_EDT_LNG_MIN, &D::m_edtLngMin, IDC_SPN_LNG_MIN, &D::m_spnLngMin),
     B::Real(F::LngSec, &D::m_dLngSec, L"%.1f", IDC_EDT_LNG_SEC, &D::m_edtLngSec, IDC_SPN_LNG_SEC, &D::m_spnLngSec),
     B::Int(F::LatDeg, &D::m_nLatDeg, IDC_EDT_LAT_DEG, &D::m_edtLatDeg, IDC_SPN_LAT_DEG, &D::m_spnLatDeg),
     B::Int(F::LatMin, &D::m_nLatMin, IDC_EDT_LAT_MIN, &D::m_edtLatMin, IDC_SPN_LAT_MIN, &D::m_spnLatMin),
     B::Real(F::LatSec, &D::m_dLatSec, L"%.1f", IDC_EDT_LAT_SEC, &D::m_edtLatSec, IDC_SPN_LAT_SEC, &D::m_spnLatSec),
     B::Real(F::Alt, &D::m_dAltitude, L"%.0f", IDC_EDT_ALT, &D::m_edtAlt, IDC_SPN_ALT, &D::m_spnAlt),
     B::Int(F::TzHour, &D::m_nTzHour, IDC_EDT_TZ_HOUR, &D::m_edtTzHour, IDC_SPN_TZ_HOUR, &D::m_spnTzHour),
     B::Int(F::TzMin, &D::m_nTzMin, IDC_EDT_TZ_MIN, &D::m_edtTzMin, IDC_SPN_TZ_MIN, &D::m_spnTzMin)},
    {{&CCoordFields::nEastWest, &D::m_nEastWest, IDC_RD_EAST, &D::m_rdEast, IDC_RD_WEST, &D::m_rdWest},
     {&CCoordFields::nNorthSouth, &D::m_nNorthSouth, IDC_RD_NORTH, &D::m_rdNorth, IDC_RD_SOUTH, &D::m_rdSouth},
     {&CCoordFields::nTzSign, &D::m_nTzSign, IDC_RD_TZ_P, &D::m_rdTzP, IDC_RD_TZ_M, &D::m_rdTzM}},
};
// clang-format on

bool IsSeconds(CoordField field) { return field == CoordField::LngSec || field == CoordField::LatSec; }

bool KeepsCaret(CoordField field)
{
    return IsSeconds(field) || field == CoordField::LngMin || field == CoordField::LatMin;
}

}  // namespace

void CDlgObs::DoDataExchange(CDataExchange* pDX)
{
    CZelDialog::DoDataExchange(pDX);
    kBinding.Exchange(pDX, *this);
    DDX_Radio(pDX, IDC_RD_ALT_AUTO, m_nAltMode);
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

    kBinding.Attach(*this);

    m_grpLng.Attach(IDC_GRP_LNG, this);
    m_grpLat.Attach(IDC_GRP_LAT, this);
    m_grpAlt.Attach(IDC_GRP_ALT, this);
    m_grpTz.Attach(IDC_GRP_TZ, this);
    m_grpFeature.Attach(IDC_GRP_FEATURE, this);

    m_rdAltAuto.Attach(IDC_RD_ALT_AUTO, this);
    m_rdAltManual.Attach(IDC_RD_ALT_MANUAL, this);

    for (int i = 0; i < kFeatureCount; ++i)
        m_chkFeature[i].Attach(IDC_OBS_CHK_FEATURE_OBS + i, this);

    m_stcTzHour.Attach(IDC_STC_TZ_HOUR, this);
    m_stcTzMin.Attach(IDC_STC_TZ_MIN, this);
}

double CDlgObs::EditToLng() { return BodyLng(Fields(), m_nBody); }

double CDlgObs::EditToLat() { return CombineAngle(m_nLatDeg, m_nLatMin, m_dLatSec, m_nNorthSouth); }

double CDlgObs::EditToTz() const { return CombineTimeZone(m_nTzHour, m_nTzMin, m_nTzSign); }

bool CDlgObs::IsUserEdit() const { return m_bCreated && m_nWritingFields == 0; }

void CDlgObs::WriteFields()
{
    ++m_nWritingFields;
    UpdateData(FALSE);
    --m_nWritingFields;
}

bool CDlgObs::IsSmallBody() const { return m_pObs == nullptr || m_pObs->IsSmallObject(m_nBody); }

void CDlgObs::ShowRangeMessage(const CString& strText) { AfxMessageBox(strText, MB_ICONINFORMATION); }

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

CCoordFields CDlgObs::Fields() const { return kBinding.Read(*this); }

void CDlgObs::SetFields(const CCoordFields& fields) { kBinding.Write(*this, fields); }

CFieldRule CDlgObs::FieldRule(CoordField field) const
{
    return ObsFieldRule(field, IsSignedLngBody(m_nBody), AltLowest(IsSmallBody()));
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
    const int nEdit = kBinding.numbers[static_cast<int>(field)].nEdit;
    if (!IsUserEdit() || (IsSeconds(field) && IsTypingNumber(nEdit)))
        return;
    const CCaret caret = KeepsCaret(field) ? TakeCaret(nEdit) : CCaret();
    const CFieldRule rule = FieldRule(field);
    kBinding.Check(*this, rule, [&] { ShowRangeMessage(RangeMessage(rule)); });
    // A clamped value goes to the observer too, or the fields and the sky would disagree.
    PushField(field);
    if (KeepsCaret(field))
        PlaceCaret(nEdit, caret);
}

void CDlgObs::OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult)
{
    kBinding.Step(*this, FieldRule(field), pNMHDR, pResult);
    PushField(field);
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

void CDlgObs::OnDeltaposSpnLngDeg(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngDeg, pNM, pRes); }
void CDlgObs::OnDeltaposSpnLngMin(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngMin, pNM, pRes); }
void CDlgObs::OnDeltaposSpnLngSec(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LngSec, pNM, pRes); }
void CDlgObs::OnDeltaposSpnLatDeg(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatDeg, pNM, pRes); }
void CDlgObs::OnDeltaposSpnLatMin(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatMin, pNM, pRes); }
void CDlgObs::OnDeltaposSpnLatSec(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::LatSec, pNM, pRes); }
void CDlgObs::OnDeltaposSpnAlt(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::Alt, pNM, pRes); }
void CDlgObs::OnDeltaposSpnTzHour(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::TzHour, pNM, pRes); }
void CDlgObs::OnDeltaposSpnTzMin(NMHDR* pNM, LRESULT* pRes) { OnDeltaposField(CoordField::TzMin, pNM, pRes); }
