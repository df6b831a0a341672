#pragma once

#include <afx/CString.h>
#include <standin/CDispatchStub.h>

#include <functional>
#include <vector>

// One argument of a recorded call, as it arrived.
struct StandInMapArg {
    VARTYPE vt = VT_EMPTY;     // VT_R8, VT_BOOL, VT_BSTR, VT_I4, VT_UI4, VT_UI8, VT_BYREF|VT_R8
    double d = 0.0;            // VT_R8; for VT_BYREF|VT_R8 the value written back
    long long n = 0;           // VT_BOOL (TRUE/FALSE as 1/0), VT_I4, VT_UI4, VT_UI8
    CString s;                 // VT_BSTR
    CString Text() const;      // "139.5", "TRUE", "\"text\"", "42"
};

struct StandInMapCall {
    DISPID id = 0;
    WORD wFlags = 0;
    std::vector<StandInMapArg> args;  // in call order (first argument first)
    CString Text() const;          // "4(139.5, 35.25)"
};

// A stand-in world map control: a real child window with an IDispatch. Register its factory for
// CLSID_CorZelMap (Register) and CWnd::CreateControl makes one. It records every method call,
// keeps the centre that method 4 sets and method 5 reads, answers 22 and 25 from its landmark
// class list, reads the flag array that method 23 points to, and fires events 8 and 9 into the
// event sink it was given. Owned by its window and by the references handed out.
class CStandInMap : public CDispatchStub {
public:
    // What a newly created map starts with; a host or a test changes it before the dialog creates its map.
    struct Settings {
        std::vector<CString> classNames;  // landmark classes (count answered by 22)
        double centerLng = 0.0;
        double centerLat = 0.0;
        HRESULT createResult = S_OK;      // a failing HRESULT makes creation fail
        // Told of every call once it is recorded, for a host that keeps a running record.
        std::function<void(const StandInMapCall&)> onCall;
    };
    static Settings& Defaults();
    static void ResetDefaults();

    static void Register();    // the factory for CLSID_CorZelMap
    static void Unregister();
    static HRESULT Factory(HWND hParent, DWORD dwStyle, const RECT& rc, UINT nID,
                           IDispatch* pEventSink, HWND* phWnd, IDispatch** ppDispatch);

    // The map created last, null once it is destroyed.
    static CStandInMap* Last();
    static CStandInMap* FromHwnd(HWND hWnd);

    HWND GetHwnd() const { return m_hWnd; }
    IDispatch* GetEventSink() const { return m_pSink; }

    // Event 8 (R8 lng, R8 lat) and 9 (R8 mag) into the sink; the sink's HRESULT, E_POINTER when
    // there is none.
    HRESULT FireSetObsPosition(double lng, double lat);
    HRESULT FireSetMag(double mag);

    // Calls with a dispatch id, in order; the number of calls with that id.
    std::vector<StandInMapCall> CallsOf(DISPID id) const;
    int CountOf(DISPID id) const;
    std::vector<DISPID> Ids() const;

    std::vector<StandInMapCall> m_calls;
    Settings m_settings;
    std::vector<int> m_landmarkFlags;  // as read at the last call of 23

    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispId, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcep,
                                     UINT* puArgErr) override;

private:
    CStandInMap();
    virtual ~CStandInMap();
    CStandInMap(const CStandInMap&) = delete;
    CStandInMap& operator=(const CStandInMap&) = delete;
    void OnFinalRelease() override { delete this; }

    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HRESULT Fire(DISPID id, std::vector<double> args);
    void Keep(const StandInMapCall& call);

    HWND m_hWnd = nullptr;
    IDispatch* m_pSink = nullptr;
};
