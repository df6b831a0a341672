#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/afxwin.h>
#include <citydb/CoordFields.h>
#include <host/CCorZelMap.h>
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelCheckBox.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelEdit.h>
#include <vrkcst/CZelGroupTitle.h>
#include <vrkcst/CZelRadioButton.h>
#include <vrkcst/CZelSlider.h>
#include <vrkcst/CZelSpinButton.h>
#include <vrkcst/CZelStatic.h>

class CCorZel;
class CGeoDateObs;
template <class TDialog> struct CCoordBinding;

// The modeless location dialog (template 7300): the world map with its zoom slider and
// landmark filters, and the observer's longitude, latitude, altitude and time zone. The host
// constructs it once, hands it the observer and the sky engine, and shows and hides it;
// closing only hides it and tells the host.
class VRKOBS_API CDlgObs : public CZelDialog {
public:
    // The user data folder ends with a path separator; file names are appended to it as they are.
    CDlgObs(CWnd* pParent, LPCTSTR pszDataDir, int nParam);
    ~CDlgObs() override;

    void SetCorZel(CCorZel* pCor);
    // Must be set before Create or DoModeless; without it they fail.
    void SetGeoDateObs(CGeoDateObs* pObs);

    // Creates the window (hidden), the map and the fields. FALSE (no window left behind) when
    // there is no observer, the window or the map cannot be created, or the window exists.
    // A null parent means the one given to the constructor.
    BOOL Create(CCorZel* pCor, CWnd* pParent = nullptr) override;
    // Creates the dialog on the first call, later refreshes and shows it. An empty mesh path
    // keeps the earlier one. FALSE when the dialog could not be created.
    BOOL DoModeless(CCorZel* pCor, CString strMeshFile);
    void Show(BOOL bShow);

    void UpdateTimeSys();
    // Stores the default location under "Default" (longitude and latitude east and north
    // positive, altitude in metres, time zone in hours).
    static void SaveDefault(double dLng, double dLat, double dAlt, double dTz);
    void InitLocation(BOOL bForce);
    void RedrawEclipsePath();
    void SetFeatureVisible();
    void UpdateDate() { }
    void InitControls() { }

    int m_nEastWest;
    int m_nLngDeg;
    int m_nLngMin;
    double m_dLngSec;
    int m_nNorthSouth;
    int m_nLatDeg;
    int m_nLatMin;
    double m_dLatSec;
    int m_nTzSign;
    int m_nTzHour;
    int m_nTzMin;
    double m_dAltitude;
    int m_nAltMode;
    int m_nBody;
    int m_bFeatureObs;
    int m_bFeatureCutcherry;
    int m_bFeatureCity;
    int m_bFeatureAstro;
    int m_bFeatureMount;
    int m_bFeatureNaturalTerrain;
    int m_bFeatureBuilding;
    int m_bFeatureOther;

    CZelButton m_btnCity;
    CZelButton m_btnSetInit;
    CZelButton m_btnReset;
    CZelEdit m_edtLngDeg;
    CZelEdit m_edtLngMin;
    CZelEdit m_edtLngSec;
    CZelEdit m_edtLatDeg;
    CZelEdit m_edtLatMin;
    CZelEdit m_edtLatSec;
    CZelEdit m_edtAlt;
    CZelEdit m_edtTzHour;
    CZelEdit m_edtTzMin;
    CZelGroupTitle m_grpLng;
    CZelGroupTitle m_grpLat;
    CZelGroupTitle m_grpAlt;
    CZelGroupTitle m_grpTz;
    CZelGroupTitle m_grpFeature;
    CZelRadioButton m_rdEast;
    CZelRadioButton m_rdWest;
    CZelRadioButton m_rdNorth;
    CZelRadioButton m_rdSouth;
    CZelRadioButton m_rdAltAuto;
    CZelRadioButton m_rdAltManual;
    CZelRadioButton m_rdTzP;
    CZelRadioButton m_rdTzM;
    CZelSpinButton m_spnLngDeg;
    CZelSpinButton m_spnLngMin;
    CZelSpinButton m_spnLngSec;
    CZelSpinButton m_spnLatDeg;
    CZelSpinButton m_spnLatMin;
    CZelSpinButton m_spnLatSec;
    CZelSpinButton m_spnAlt;
    CZelSpinButton m_spnTzHour;
    CZelSpinButton m_spnTzMin;
    CZelCheckBox m_chkFeature[8];
    CZelStatic m_stcTzHour;
    CZelStatic m_stcTzMin;

    CString m_strDataDir;
    int m_bNoAutoAlt;
    int m_bCreated;
    RECT m_rcMap;
    int m_nParam;
    CCorZelMap m_map;
    double m_dMag;
    CZelSlider m_slider;
    int m_nSliderPos;
    double m_dViewAngle;
    CGeoDateObs* m_pObs;
    double m_dCurLng;
    double m_dCurLat;
    double m_dCurAlt;
    double m_dCurTz;
    CString m_strMeshFile;
    CString m_strEclipsePath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Takes over the template's controls with the themed wrappers (the trackbar apart).
    void AttachControls() override;

    void SaveReg();
    void SliderValToVal();
    void UpdateViewAngle();
    void SetValue(double dLng, double dLat, double dAlt, double dTz, BOOL bForce);
    void UpdateStatus();
    double EditToLng();
    double EditToLat();
    double EditToTz() const;
    void MoveCurrentPos(double dLng, double dLat);
    void UpdateValue();
    void ChangeTz();

    afx_msg void OnClose();
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnPaint();
    // One body for all eight landmark check boxes.
    afx_msg void OnObsChkFeatureObs();
    afx_msg void OnSetObsPosition(double dLng, double dLat);
    afx_msg void OnSetMag(double dMag);

    afx_msg void OnChangeEdtLngDeg();
    afx_msg void OnChangeEdtLngMin();
    afx_msg void OnChangeEdtLngSec();
    afx_msg void OnChangeEdtLatDeg();
    afx_msg void OnChangeEdtLatMin();
    afx_msg void OnChangeEdtLatSec();
    afx_msg void OnChangeEdtAlt();
    afx_msg void OnChangeEdtTzHour();
    afx_msg void OnChangeEdtTzMin();
    afx_msg void OnDeltaposSpnLngDeg(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnLngMin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnLngSec(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnLatDeg(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnLatMin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnLatSec(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnAlt(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnTzHour(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSpnTzMin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRdEast();
    afx_msg void OnRdNorth();
    afx_msg void OnRdTzP();
    afx_msg void OnRdAltManual();
    afx_msg void OnRdAltAuto();

    afx_msg void OnObsBtnSetInit();
    afx_msg void OnBnClickedObsBtnReset();
    // Runs the city list dialog over the data folder's lists and takes the picked place back.
    afx_msg void OnObsBtnCity();

    DECLARE_MESSAGE_MAP()
    DECLARE_EVENTSINK_MAP()

private:
    friend struct CCoordBinding<CDlgObs>;

    // When the data folder's system list or change log is newer than its user list, the user
    // list is written again from the system list with the log replayed, so the map shows the
    // user's places after an update of the system list or a save cut short.
    void RebuildUserCityListIfStale();
    // The data folder's system list, else the one beside the module (which may be missing too).
    CString SystemListPath() const;
    // Map method 8, then an immediate repaint of the map window.
    void RefreshMap();
    // Tells the host's main window and the parent that the dialog has closed.
    void NotifyHostClosed();
    // The observer's user time zone per its time system (0 user zone, 1 zero, 2 local mean time).
    double TimeSysTz() const;
    // Latitude and height of a body from the observer's table; 0 for an index it does not have.
    double BodyLat(int nBody) const;
    double BodyHeight(int nBody) const;
    CString Query(LPCTSTR pszCommand);
    bool IsTzFree() const;
    // Writes the members to the controls. The edits' change handlers ignore the EN_CHANGE that
    // this writing causes: it is not the user's typing, and reading the fields back half-way
    // through would overwrite members not yet written.
    void WriteFields();
    // TRUE for a change the user made: the window is fully created (the base's first field
    // exchange writes the members' initial zeros) and the dialog is not writing the fields.
    bool IsUserEdit() const;
    // The altitude is shown in metres (else kilometres); also without an observer.
    bool IsSmallBody() const;
    void ShowRangeMessage(const CString& strText);
    // The time-zone fields of a zone in hours.
    void ShowTz(double dTz);
    // The fields as one set of values for the shared rules, and back.
    CCoordFields Fields() const;
    void SetFields(const CCoordFields& fields);
    CFieldRule FieldRule(CoordField field) const;
    CString RangeMessage(const CFieldRule& rule) const;
    // One body for the nine edits and one for the nine up-downs: check or step by the field's
    // rule, write back what changed and push the result the way the field's group does.
    void OnChangeField(CoordField field);
    void OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult);
    void PushField(CoordField field);
    // Caret handling of the minute and second edits around a change.
    struct CCaret {
        int nLen = 0;
        int nEnd = 0;
    };
    CCaret TakeCaret(int nID);
    void PlaceCaret(int nID, const CCaret& caret);
    // TRUE while the text of a seconds edit is a number still being typed ("" or "12.").
    bool IsTypingNumber(int nID);

    int m_nWritingFields = 0;
};
