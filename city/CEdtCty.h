#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/afxwin.h>
#include <citydb/CoordFields.h>
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelComboBox.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelEdit.h>
#include <vrkcst/CZelRadioButton.h>
#include <vrkcst/CZelSpinButton.h>

class CCorZel;
class CCorZelMap;
template <class TDialog> struct CCoordBinding;

// The place editor (template 7302): the name, position, altitude, time zone and type of one
// place. The city list dialog fills the members, runs it modally and takes the members back
// after IDOK; it closes with IDOK only when the values pass CheckValue.
class VRKOBS_API CEdtCty : public CZelDialog {
public:
    explicit CEdtCty(CWnd* pParent = nullptr);
    CEdtCty(CCorZel* pCor, CWnd* pParent);
    ~CEdtCty() override;

    // The map whose landmark classes make the type list; null leaves the list empty.
    void SetCorMapPtr(CCorZelMap* pCorMap);
    // Trims m_strName, then shows every failed check in one box; FALSE when any failed.
    BOOL CheckValue();

    CString m_strName;
    double m_dAlt = 0.0;  // metres
    int m_nLatDeg = 0;
    int m_nLatMin = 0;
    double m_dLatSec = 0.0;
    int m_nLonDeg = 0;
    int m_nLonMin = 0;
    double m_dLonSec = 0.0;
    int m_nTzHour = 0;
    int m_nTzMin = 0;
    int m_nEastWest = -1;  // 0 east, 1 west
    int m_nNorthSouth = -1;  // 0 north, 1 south
    int m_nTzSign = -1;  // 0 "+", 1 "-"
    int m_nType = 0;  // index in the map's landmark classes; -1 for none

    CZelEdit m_edtName;
    CZelEdit m_edtLonDeg;
    CZelEdit m_edtLonMin;
    CZelEdit m_edtLonSec;
    CZelEdit m_edtAlt;
    CZelEdit m_edtLatDeg;
    CZelEdit m_edtLatMin;
    CZelEdit m_edtLatSec;
    CZelEdit m_edtTzHour;
    CZelEdit m_edtTzMin;
    CZelRadioButton m_rdEast;
    CZelRadioButton m_rdWest;
    CZelSpinButton m_spnLonDeg;
    CZelSpinButton m_spnLonMin;
    CZelSpinButton m_spnLonSec;
    CZelRadioButton m_rdNorth;
    CZelRadioButton m_rdSouth;
    CZelSpinButton m_spnLatDeg;
    CZelSpinButton m_spnLatMin;
    CZelSpinButton m_spnLatSec;
    CZelSpinButton m_spnAlt;
    CZelRadioButton m_rdTzP;
    CZelRadioButton m_rdTzM;
    CZelSpinButton m_spnTzHour;
    CZelSpinButton m_spnTzMin;
    CZelComboBox m_cmbType;
    // The template's OK and Cancel are owner-drawn: without these nothing would draw them.
    CZelButton m_btnOK;
    CZelButton m_btnCancel;

    CCorZelMap* m_pCorMap = nullptr;

    // The twelve coordinate fields as one set of values: for the shared field rules, and to
    // hand them to and from another dialog.
    CCoordFields Fields() const;
    void SetFields(const CCoordFields& fields);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void AttachControls() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnDeltaposSetObsSpinLong1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLong2(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLong3(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLat1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLat2(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLat3(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinAlt(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinHour(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinMin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnChangeEditCityEditLong1();
    afx_msg void OnChangeEditCityEditLong2();
    afx_msg void OnChangeEditCityEditLong3();
    afx_msg void OnChangeEditCityEditLat1();
    afx_msg void OnChangeEditCityEditLat2();
    afx_msg void OnChangeEditCityEditLat3();
    afx_msg void OnChangeEditCityEditAlt();
    afx_msg void OnChangeEditCityEditHour();
    afx_msg void OnChangeEditCityEditMin();

    DECLARE_MESSAGE_MAP()

private:
    friend struct CCoordBinding<CEdtCty>;

    // Writes the members to the controls. The edits' change handlers ignore the EN_CHANGE this
    // causes: half-way through, reading the fields back would overwrite members not yet written.
    void WriteFields();
    // One body for the nine edits and one for the nine up-downs, by the field's rule.
    void OnChangeField(CoordField field);
    void OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult);

    int m_nWritingFields = 0;
};
