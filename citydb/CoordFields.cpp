#include <citydb/CoordFields.h>

#include <citydb/CityText.h>

#include <climits>
#include <cmath>

CAngleParts SplitAngle(double dValue, int nMaxDeg)
{
    CAngleParts parts;
    if (!std::isfinite(dValue))
        return parts;
    const double dDeg = std::floor(dValue);
    const double dMin = (dValue - dDeg) * 60.0;
    const double dMinFloor = std::floor(dMin);
    const double dTenths = std::floor((dMin - dMinFloor) * 60.0 * 10.0 + 0.5);
    parts.nDeg = CityTruncToInt(dDeg);
    parts.nMin = static_cast<int>(dMinFloor);
    if (dTenths >= 600.0) {
        parts.dSec = 0.0;
        if (++parts.nMin >= 60) {
            parts.nMin = 0;
            // Capped before the increment, which could otherwise overflow.
            parts.nDeg = parts.nDeg >= nMaxDeg ? nMaxDeg : parts.nDeg + 1;
        }
    } else {
        parts.dSec = dTenths / 10.0;
    }
    return parts;
}

double CombineAngle(int nDeg, int nMin, double dSec, int nChoice)
{
    const double dValue = nDeg + nMin / 60.0 + dSec / 3600.0;
    return nChoice == 1 ? -dValue : dValue;
}

CTzParts SplitTimeZone(double dTz)
{
    CTzParts parts;
    if (!std::isfinite(dTz))
        return parts;
    const double dAbs = std::fabs(dTz);
    parts.nHour = CityTruncToInt(dAbs);
    // The minutes of the fraction alone, at most 60 even where the hours were capped.
    parts.nMin = static_cast<int>((dAbs - std::floor(dAbs)) * 60.0 + 0.5);
    if (parts.nMin >= 60 && parts.nHour < INT_MAX) {
        parts.nMin -= 60;
        ++parts.nHour;
    }
    parts.nSign = dTz < 0.0 && (parts.nHour != 0 || parts.nMin != 0) ? 1 : 0;
    return parts;
}

double CombineTimeZone(int nHour, int nMin, int nSign)
{
    const double dTz = nHour + nMin / 60.0;
    return nSign == 1 ? -dTz : dTz;
}

CCoordFields PlaceFields(const CCityList& place)
{
    const CAngleParts lon = SplitAngle(std::fabs(place.m_dLon), 180);
    const CAngleParts lat = SplitAngle(std::fabs(place.m_dLat), 90);
    const CTzParts tz = SplitTimeZone(place.m_dTz);
    return CCoordFields{place.m_dLon < 0 ? 1 : 0, lon.nDeg, lon.nMin, lon.dSec, place.m_dLat < 0 ? 1 : 0, lat.nDeg, lat.nMin,
                        lat.dSec, place.m_dAlt, tz.nSign, tz.nHour, tz.nMin};
}

CCityList PlaceOfFields(const CCoordFields& fields, int nType)
{
    CCityList place;
    place.m_dLon = CombineAngle(fields.nLngDeg, fields.nLngMin, fields.dLngSec, fields.nEastWest != 0 ? 1 : 0);
    place.m_dLat = CombineAngle(fields.nLatDeg, fields.nLatMin, fields.dLatSec, fields.nNorthSouth != 0 ? 1 : 0);
    place.m_dAlt = fields.dAlt;
    place.m_dTz = CombineTimeZone(fields.nTzHour, fields.nTzMin, fields.nTzSign != 0 ? 1 : 0);
    place.m_nType = nType;
    return place;
}

namespace {

bool IsIntField(CoordField field)
{
    return field != CoordField::LngSec && field != CoordField::LatSec && field != CoordField::Alt;
}

int RoundToInt(double d)
{
    return CityTruncToInt(d < 0.0 ? d - 0.5 : d + 0.5);
}

bool IsLatitude(CoordField field)
{
    return field == CoordField::LatDeg || field == CoordField::LatMin || field == CoordField::LatSec;
}

bool IsMinOrSec(CoordField field)
{
    return field == CoordField::LngMin || field == CoordField::LngSec || field == CoordField::LatMin
        || field == CoordField::LatSec;
}

bool IsDegrees(CoordField field)
{
    return field == CoordField::LngDeg || field == CoordField::LatDeg;
}

// The minutes and seconds of the field's angle.
void ZeroMinSec(CCoordFields& fields, CoordField field)
{
    if (IsLatitude(field)) {
        fields.nLatMin = 0;
        fields.dLatSec = 0.0;
    } else {
        fields.nLngMin = 0;
        fields.dLngSec = 0.0;
    }
}

// True when the rule has a top and the degrees of its field's angle stand at it.
bool AtTop(const CFieldRule& rule, const CCoordFields& fields)
{
    const int nDeg = IsLatitude(rule.field) ? fields.nLatDeg : fields.nLngDeg;
    return rule.dTopDeg > 0.0 && nDeg >= rule.dTopDeg;
}

}  // namespace

double GetCoordField(const CCoordFields& fields, CoordField field)
{
    switch (field) {
    case CoordField::LngDeg: return fields.nLngDeg;
    case CoordField::LngMin: return fields.nLngMin;
    case CoordField::LngSec: return fields.dLngSec;
    case CoordField::LatDeg: return fields.nLatDeg;
    case CoordField::LatMin: return fields.nLatMin;
    case CoordField::LatSec: return fields.dLatSec;
    case CoordField::Alt: return fields.dAlt;
    case CoordField::TzHour: return fields.nTzHour;
    case CoordField::TzMin: return fields.nTzMin;
    }
    return 0.0;
}

void SetCoordField(CCoordFields& fields, CoordField field, double dValue)
{
    const int n = IsIntField(field) ? RoundToInt(dValue) : 0;
    switch (field) {
    case CoordField::LngDeg: fields.nLngDeg = n; break;
    case CoordField::LngMin: fields.nLngMin = n; break;
    case CoordField::LngSec: fields.dLngSec = dValue; break;
    case CoordField::LatDeg: fields.nLatDeg = n; break;
    case CoordField::LatMin: fields.nLatMin = n; break;
    case CoordField::LatSec: fields.dLatSec = dValue; break;
    case CoordField::Alt: fields.dAlt = dValue; break;
    case CoordField::TzHour: fields.nTzHour = n; break;
    case CoordField::TzMin: fields.nTzMin = n; break;
    }
}

FieldCheck CheckField(const CFieldRule& rule, CCoordFields& fields)
{
    if (IsMinOrSec(rule.field) && AtTop(rule, fields)) {
        ZeroMinSec(fields, rule.field);
        return FieldCheck::Corrected;
    }
    const double dValue = GetCoordField(fields, rule.field);
    const bool bBelow = !(dValue >= rule.dLow);  // not a number counts as below
    const bool bAbove = rule.bBelowHigh ? dValue >= rule.dHigh : dValue > rule.dHigh;
    const bool bTopRule = IsDegrees(rule.field) && rule.dTopDeg > 0.0;
    if (bBelow || bAbove) {
        SetCoordField(fields, rule.field, bBelow ? rule.dSetBelow : rule.dSetAbove);
        if (bTopRule && (AtTop(rule, fields) || rule.field == CoordField::LatDeg))
            ZeroMinSec(fields, rule.field);
        return FieldCheck::OutOfRange;
    }
    if (bTopRule && AtTop(rule, fields)) {
        ZeroMinSec(fields, rule.field);
        return FieldCheck::Corrected;
    }
    return FieldCheck::Accepted;
}

void StepField(const CFieldRule& rule, CCoordFields& fields, int nDelta)
{
    if (nDelta == 0)
        return;
    const int nSign = nDelta < 0 ? 1 : -1;
    if (IsMinOrSec(rule.field) && AtTop(rule, fields)) {
        SetCoordField(fields, rule.field, 0.0);
        return;
    }
    const double dOld = GetCoordField(fields, rule.field);
    double dNew = 0.0;
    if (rule.dStep < 1.0) {
        const double dPerUnit = std::round(1.0 / rule.dStep);
        dNew = (std::llround(dOld * dPerUnit) + nSign) / dPerUnit;
    } else {
        dNew = dOld + nSign * rule.dStep;
    }
    const double dTop = rule.dStepHigh;
    if (rule.dTopDeg > 0.0 && rule.field == CoordField::LatDeg && (dNew < rule.dLow || dNew >= dTop)) {
        SetCoordField(fields, rule.field, dNew < rule.dLow ? rule.dLow : dTop);
        ZeroMinSec(fields, rule.field);
        return;
    }
    const bool bBelow = dNew < rule.dLow;
    const bool bAbove = dNew > dTop;
    if ((bBelow || bAbove) && rule.ends == StepEnds::Mirror) {
        dNew = bAbove ? 2.0 * dTop - dNew : 2.0 * rule.dLow - dNew;
        fields.nEastWest = fields.nEastWest == 1 ? 0 : 1;
    } else if ((bBelow || bAbove) && rule.ends == StepEnds::Wrap) {
        const double dTurn = dTop - rule.dLow;
        dNew += bAbove ? -dTurn : dTurn;
    } else if (bBelow || bAbove) {
        dNew = bBelow ? rule.dLow : dTop;
    }
    SetCoordField(fields, rule.field, dNew);
    if (rule.field == CoordField::LngDeg && AtTop(rule, fields))
        ZeroMinSec(fields, rule.field);
}

namespace {

constexpr wchar_t kLngMinMsg[] = L"経度の分には 0 から 59 までの値を入力してください。";
constexpr wchar_t kLngSecMsg[] = L"経度の秒には 0 から 59.9 までの値を入力してください。";
constexpr wchar_t kLatDegMsg[] = L"緯度の度には 0 から 90 までの値を入力してください。";
constexpr wchar_t kTzMinMsg[] = L"タイムゾーンの分には 0 から 59 までの値を入力してください。";
constexpr wchar_t kTzHourMsg[] = L"タイムゾーンの時には 0 から 14 までの値を入力してください。";

constexpr double kAltTop = 999999.0;

// The location dialog on the Earth: every violation is set to the bound it crossed.
constexpr CFieldRule kObsFieldRules[kCoordFieldCount] = {
    {CoordField::LngDeg, 0, 180, false, nullptr, 0, 180, 1, 180, StepEnds::Mirror, 180},
    {CoordField::LngMin, 0, 59, false, kLngMinMsg, 0, 59, 1, 59, StepEnds::Clamp, 180},
    {CoordField::LngSec, 0, 60, true, kLngSecMsg, 0, 59.9, 0.1, 59.9, StepEnds::Clamp, 180},
    {CoordField::LatDeg, 0, 90, false, kLatDegMsg, 0, 90, 1, 90, StepEnds::Clamp, 90},
    {CoordField::LatMin, 0, 59, false, L"緯度の分には 0 から 59 までの値を入力してください。", 0, 59, 1,
     59, StepEnds::Clamp, 90},
    {CoordField::LatSec, 0, 60, true, L"緯度の秒には 0 から 59.9 までの値を入力してください。", 0, 59.9,
     0.1, 59.9, StepEnds::Clamp, 90},
    {CoordField::Alt, -9999, kAltTop, false, nullptr, -9999, kAltTop, 1, kAltTop, StepEnds::Clamp,
     0},
    {CoordField::TzHour, 0, 14, false, kTzHourMsg, 0, 14, 1, 14, StepEnds::Clamp, 0},
    {CoordField::TzMin, 0, 59, false, kTzMinMsg, 0, 59, 1, 59, StepEnds::Clamp, 0},
};

constexpr wchar_t kAltMsg[] = L"標高には -9999 から 999999 までの値を入力してください。";
constexpr wchar_t kLngDegMsg[] = L"経度の度には 0 から 180 までの値を入力してください。";
constexpr wchar_t kLatMinShortMsg[] = L"緯度の分には 0 から 59 の値を入力してください。";
constexpr wchar_t kLatSecShortMsg[] = L"緯度の秒には 0 から 59.9 の値を入力してください。";

}  // namespace

CFieldRule ObsFieldRule(CoordField field, bool bSignedLng, double dAltLow)
{
    CFieldRule rule = kObsFieldRules[static_cast<int>(field)];
    if (!bSignedLng && rule.dTopDeg == 180)
        rule.dTopDeg = 360;
    if (field == CoordField::LngDeg && !bSignedLng) {
        rule.dHigh = rule.dSetAbove = rule.dStepHigh = 360;
        rule.ends = StepEnds::Wrap;
    }
    if (field == CoordField::Alt)
        rule.dLow = rule.dSetBelow = dAltLow;
    return rule;
}

// Most violations start the field again from 0; the latitude's keep to the bound they crossed.
const CFieldRule kCityListFieldRules[kCoordFieldCount] = {
    {CoordField::LngDeg, 0, 180, false, kLngDegMsg, 0, 0, 1, 180, StepEnds::Clamp, 180},
    {CoordField::LngMin, 0, 59, false, kLngMinMsg, 0, 0, 1, 59, StepEnds::Clamp, 180},
    {CoordField::LngSec, 0, 60, true, kLngSecMsg, 0, 0, 0.1, 59.9, StepEnds::Clamp, 180},
    {CoordField::LatDeg, 0, 90, false, kLatDegMsg, 0, 90, 1, 90, StepEnds::Clamp, 90},
    {CoordField::LatMin, 0, 59, false, kLatMinShortMsg, 0, 59, 1, 59, StepEnds::Clamp, 90},
    {CoordField::LatSec, 0, 60, true, kLatSecShortMsg, 0, 59.9, 0.1, 59.9, StepEnds::Clamp, 90},
    {CoordField::Alt, -9999, kAltTop, false, kAltMsg, -9999, kAltTop, 1, kAltTop, StepEnds::Clamp,
     0},
    {CoordField::TzHour, 0, 14, false, L"タイムゾーンの時には 0 から14 までの値を入力してください。", 0, 0,
     1, 14, StepEnds::Clamp, 0},
    {CoordField::TzMin, 0, 59, false, kTzMinMsg, 0, 0, 1, 59, StepEnds::Clamp, 0},
};

// Every violation but the altitude's starts the field again from 0; no pole rule, but the
// longitude's top of 180 has its minutes and seconds at 0.
const CFieldRule kPlaceEditorFieldRules[kCoordFieldCount] = {
    {CoordField::LngDeg, 0, 180, false, kLngDegMsg, 0, 0, 1, 180, StepEnds::Clamp, 180},
    {CoordField::LngMin, 0, 59, false, kLngMinMsg, 0, 0, 1, 59, StepEnds::Clamp, 180},
    {CoordField::LngSec, 0, 60, true, kLngSecMsg, 0, 0, 0.1, 59.9, StepEnds::Clamp, 180},
    {CoordField::LatDeg, 0, 90, false, kLatDegMsg, 0, 0, 1, 90, StepEnds::Clamp, 0},
    {CoordField::LatMin, 0, 59, false, kLatMinShortMsg, 0, 0, 1, 59, StepEnds::Clamp, 0},
    {CoordField::LatSec, 0, 60, true, kLatSecShortMsg, 0, 0, 0.1, 59.9, StepEnds::Clamp, 0},
    {CoordField::Alt, -9999, kAltTop, false, kAltMsg, -9999, kAltTop, 1, kAltTop, StepEnds::Clamp,
     0},
    {CoordField::TzHour, 0, 14, false, kTzHourMsg, 0, 0, 1, 14, StepEnds::Clamp, 0},
    {CoordField::TzMin, 0, 59, false, kTzMinMsg, 0, 0, 1, 59, StepEnds::Clamp, 0},
};
