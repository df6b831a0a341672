#pragma once

#include <vrkcom/vrkcomdefs.h>
#include <afx/CString.h>

#include <vector>

// The host's observer: the date and the place it is seen from. The library never owns one.
// This object stands in for the host's: it keeps the fields the dialogs read and write, and
// records every call it receives (m_calls) so that a host or a test can see what it was told.
// The calls are virtual so that a host can forward them to its sky engine.
class VRKCOM_API CGeoDateObs {
public:
    enum { kBodyCount = 15, kEarth = 4, kMoon = 1 };
    // Index of each body's triple in m_dLocation[body][...].
    enum { kLat = 0, kLng = 1, kHeight = 2 };

    struct VRKCOM_API Call {
        CString strName;           // "UpdateObsByUI", "UpdateLocationObjectByUI", ...
        std::vector<double> args;  // the arguments in order (ints as doubles)
        CString Text() const;      // "UpdateObsByUI(139.5, 35.25, 40)" with %g numbers
    };

    CGeoDateObs();
    virtual ~CGeoDateObs();

    // The fields, in the host's order.
    int m_nLocationObject;                  // body the observer stands on, 0..14, 4 the Earth
    double m_dLocation[kBodyCount][3];      // per body: latitude, longitude (east positive), height (m)
    int m_nTimeSystem;                      // 0 the user's zone, 1 zero offset, 2 local mean time
    double m_dUserTimeZone;                 // hours, east positive

    // Altitude as displayed: kilometres for a body that is not small (see IsSmallObject).
    virtual void UpdateObsByUI(double lng, double lat, double alt);
    // Altitude in metres; the time zone becomes the user's zone.
    virtual void UpdateObsByUI(double lng, double lat, double alt, double tz);
    // A body outside 0..14 is recorded and otherwise ignored.
    virtual void UpdateLocationObjectByUI(int nBody, int nFlag);
    virtual void UpdateDateDisp(int nFlag);

    // The current body's longitude in degrees, east positive.
    virtual double GetLongitude() const;
    // Local mean time offset of a longitude, in hours (lng / 15).
    virtual double GetLMTTz(double lng) const;
    // TRUE when the body's altitudes are in metres: the solid bodies (Moon, Mercury, Venus, Earth,
    // Mars and the dwarf planets); FALSE, kilometres, for the Sun and the four giant planets.
    virtual BOOL IsSmallObject(int nBody) const;

    std::vector<Call> m_calls;
    void ClearCalls() { m_calls.clear(); }

protected:
    void Record(const wchar_t* name, std::vector<double> args);
    // The current body's place, when it is one of the 15.
    void Place(double lng, double lat, double metres);
    bool ValidBody(int nBody) const { return nBody >= 0 && nBody < kBodyCount; }
};
