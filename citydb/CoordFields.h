#pragma once

#include <citydb/CCityList.h>

// The coordinate fields that every dialog shows: an angle as degrees, minutes and seconds with
// a hemisphere choice, the altitude, and the time zone as sign, hours and minutes. How a value
// is split into fields and combined back, and the rules of a typed value and of an up-down
// step, are said here once; each dialog keeps only a table of its ranges and messages.

// Degrees, minutes and seconds as the fields show them: seconds rounded to tenths, 600 tenths
// carried into the minutes and 60 minutes into the degrees, the degrees then capped at nMaxDeg.
struct CAngleParts {
    int nDeg = 0;
    int nMin = 0;
    double dSec = 0.0;
};
CAngleParts SplitAngle(double dValue, int nMaxDeg);
// degrees + minutes / 60 + seconds / 3600, negated when nChoice is 1 (west, south).
double CombineAngle(int nDeg, int nMin, double dSec, int nChoice);

// Hours and minutes of |tz|, the minutes rounded and 60 of them carried into the hours; nSign 1
// ("-") only for a negative zone that does not round to zero.
struct CTzParts {
    int nSign = 0;
    int nHour = 0;
    int nMin = 0;
};
CTzParts SplitTimeZone(double dTz);
// hours + minutes / 60, negated when nSign is 1.
double CombineTimeZone(int nHour, int nMin, int nSign);

// The nine fields of a coordinate row and its three choices (0 east, north, "+"; 1 west, south,
// "-"), as one set of values that a dialog copies its members into and back.
struct CCoordFields {
    int nEastWest = 0;
    int nLngDeg = 0;
    int nLngMin = 0;
    double dLngSec = 0.0;
    int nNorthSouth = 0;
    int nLatDeg = 0;
    int nLatMin = 0;
    double dLatSec = 0.0;
    double dAlt = 0.0;
    int nTzSign = 0;
    int nTzHour = 0;
    int nTzMin = 0;
};

// The twelve fields of a place as the city dialogs show it: a negative angle is west or south,
// the degrees capped at 180 and 90.
CCoordFields PlaceFields(const CCityList& place);
// The longitude, latitude, altitude and time zone the twelve fields give, with the kind nType.
CCityList PlaceOfFields(const CCoordFields& fields, int nType);

enum class CoordField { LngDeg, LngMin, LngSec, LatDeg, LatMin, LatSec, Alt, TzHour, TzMin };
constexpr int kCoordFieldCount = 9;

double GetCoordField(const CCoordFields& fields, CoordField field);
// An integer field takes the value rounded.
void SetCoordField(CCoordFields& fields, CoordField field, double dValue);

// What an up-down does at the ends of its range.
enum class StepEnds {
    Clamp,
    // Past the top it comes back down on the other hemisphere (181 -> 179 west), below 0 up
    // again on the other hemisphere (-1 -> 1).
    Mirror,
    // Past the top it starts again from the bottom (361 -> 1), below 0 from the top (-1 -> 359).
    Wrap,
};

// One field of one dialog.
struct CFieldRule {
    CoordField field;
    double dLow;
    double dHigh;
    bool bBelowHigh;            // accepted up to, not including, dHigh (the seconds)
    const wchar_t* pszMessage;  // shown for a typed value out of range; null: the dialog formats it
    double dSetBelow;           // what a typed value below dLow becomes
    double dSetAbove;           // and one above the range
    double dStep;
    double dStepHigh;           // the highest value a step gives
    StepEnds ends;
    // The degrees at the top of the field's angle (the latitude's pole, the longitude's
    // maximum), where its minutes and seconds are 0, typed, corrected or stepped there, and a
    // minute or second field stays 0; 0: no such rule. The latitude's degrees corrected to 0
    // zero them too.
    double dTopDeg;
};

enum class FieldCheck {
    Accepted,
    Corrected,   // the top of the angle zeroed the minutes and seconds; no message
    OutOfRange,  // the rule's message goes to the user; the value was set
};

// The check of a typed value of the rule's field.
FieldCheck CheckField(const CFieldRule& rule, CCoordFields& fields);
// One step of an up-down: a negative delta raises the field by the rule's step, a positive one
// lowers it, 0 leaves it. Steps of tenths are made on whole tenths, so they never drift.
void StepField(const CFieldRule& rule, CCoordFields& fields, int nDelta);

// The location dialog's rules. The longitude's top (180 for a body with signed longitudes,
// which mirrors, else 360, which wraps) and the altitude's bottom depend on the body; their
// messages name them and come formatted from the dialog's strings.
CFieldRule ObsFieldRule(CoordField field, bool bSignedLng, double dAltLow);
// The city list dialog's and the place editor's rules, in the order of CoordField.
extern const CFieldRule kCityListFieldRules[kCoordFieldCount];
extern const CFieldRule kPlaceEditorFieldRules[kCoordFieldCount];
