#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/afxwin.h>
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelEdit.h>
#include <vrkcst/CZelRadioButton.h>
#include <vrkcst/CZelSpinButton.h>
#include <vrkcst/CZelTreeCtrl.h>

#include <memory>

class CCityList;
class CCitySession;
class CCityTreeAdapter;
class CCorZel;
class CCorZelMap;
struct CCoordFields;
enum class CoordField;
template <class TDialog> struct CCoordBinding;

// The modal city list dialog (template 7301): the tree of places and folders from the system
// list and the user's recorded edits, and the picked place's fields. The caller sets the three
// paths, the map pointer, the mesh flag and the twelve fields, runs DoModal, and reads the
// fields, the default to store and m_bAutoAlt back.
class VRKOBS_API CDlgCity : public CZelDialog {
public:
    explicit CDlgCity(CWnd* pParent = nullptr);
    CDlgCity(CCorZel* pCor, CWnd* pParent);
    ~CDlgCity() override;

    void SetCorMapPtr(CCorZelMap* pCorMap) { m_pCorMap = pCorMap; }
    void SetMesh(int bMesh) { m_bMesh = bMesh; }
    // Writes the tree to the user list; false (old file unchanged) when it could not be written.
    bool RefreshUserObs();

    afx_msg void OnBnClickedCityReset();
    // Ctrl+F wherever the focus is: asks for a text and finds the next place or folder whose
    // name holds it. F3 finds the next one with the last text (with none yet, as Ctrl+F).
    afx_msg void OnCityFind();
    afx_msg void OnCityFindNext();
    // The modal run, with the dialog's keys.
    INT_PTR DoModal() override;

    double m_dAlt;
    int m_nLatDeg;
    int m_nLatMin;
    double m_dLatSec;
    int m_nLonDeg;
    int m_nLonMin;
    double m_dLonSec;
    int m_nTzHour;
    int m_nTzMin;
    int m_nEastWest;
    int m_nNorthSouth;
    int m_nTzSign;
    int m_bSetDefault;
    double m_dDefLon;
    double m_dDefLat;
    double m_dDefAlt;
    double m_dDefTz;

    // OK and Cancel too: the template makes every push button owner-drawn, and only the
    // themed wrapper draws one.
    CZelButton m_btnOK;
    CZelButton m_btnCancel;
    CZelButton m_btnEdit;
    CZelButton m_btnAdd;
    CZelButton m_btnDel;
    CZelButton m_btnReset;
    CZelButton m_btnSetInit;
    CZelEdit m_edtLonDeg;
    CZelEdit m_edtLonMin;
    CZelEdit m_edtLonSec;
    CZelEdit m_edtLatDeg;
    CZelEdit m_edtLatMin;
    CZelEdit m_edtLatSec;
    CZelEdit m_edtAlt;
    CZelEdit m_edtTzHour;
    CZelEdit m_edtTzMin;
    CZelRadioButton m_rdEast;
    CZelRadioButton m_rdWest;
    CZelRadioButton m_rdNorth;
    CZelRadioButton m_rdSouth;
    CZelRadioButton m_rdTzP;
    CZelRadioButton m_rdTzM;
    CZelSpinButton m_spnLonDeg;
    CZelSpinButton m_spnLonMin;
    CZelSpinButton m_spnLonSec;
    CZelSpinButton m_spnLatDeg;
    CZelSpinButton m_spnLatMin;
    CZelSpinButton m_spnLatSec;
    CZelSpinButton m_spnAlt;
    CZelSpinButton m_spnTzHour;
    CZelSpinButton m_spnTzMin;
    CZelTreeCtrl m_tree;

    CString m_strObsFile;
    CString m_strUserObsFile;
    CString m_strUserJsonFile;
    int m_bAutoAlt;
    HTREEITEM m_hSelItem;
    int m_bSelFolder;
    int m_bSelCity;
    CImageListManaged m_imageList;
    int m_bMesh;
    CCorZelMap* m_pCorMap;

    // The folder and place lists, the header, the change log, m_bModified and m_bEditable
    // live in the session (m_data, m_log, m_editor), over the tree view through the adapter;
    // a host's build sees neither.
    CCitySession& Session() { return *m_pSession; }

    // Drag and drop of the tree's items: the drop target is the tree's drop highlight.
    BOOL m_bDragging = FALSE;
    HTREEITEM m_hDragItem = nullptr;
    // Made by the tree at the start of a drag, deleted at its end.
    std::unique_ptr<CImageList> m_pDragImage;

    // The twelve coordinate fields as one set of values: for the shared field rules, and to
    // hand them to and from another dialog.
    CCoordFields Fields() const;
    void SetFields(const CCoordFields& fields);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void AttachControls() override;

    void MakeImageList();
    void EnableBtn();
    // Reads the lists into the tree (the session's load, its progress to the main window); the
    // open benchmark's floor fills the tree from memory instead.
    virtual void LoadTree();

    afx_msg void OnSelchangedSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblclkSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndlabeleditSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnObsSetInit();
    // One body for the six radio buttons.
    afx_msg void OnClickedSetObsRadio();

    afx_msg void OnChangeSetObsEditLong1();
    afx_msg void OnChangeSetObsEditLong2();
    afx_msg void OnChangeSetObsEditLong3();
    afx_msg void OnChangeSetObsEditLat1();
    afx_msg void OnChangeSetObsEditLat2();
    afx_msg void OnChangeSetObsEditLat3();
    afx_msg void OnChangeSetObsEditAlt();
    afx_msg void OnChangeSetObsEditTzHour();
    afx_msg void OnChangeSetObsEditTzMin();
    afx_msg void OnDeltaposSetObsSpinLong1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLong2(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLong3(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLat1(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLat2(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinLat3(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinAlt(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinHour(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaposSetObsSpinMin(NMHDR* pNMHDR, LRESULT* pResult);

    // Add, edit and delete: the small dialogs here, what they do to the list in the editor.
    afx_msg void OnCityAdd();
    afx_msg void OnCityEdit();
    afx_msg void OnCityDel();
    // Drag and drop. While dragging the dialog holds the capture, so the mouse messages
    // arrive wherever the mouse is, in the dialog's client coordinates.
    afx_msg void OnBegindragSetObsTreeCity(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    // Another window took the mouse (a system dialog, a switch of application): the drag
    // ends as cancelled instead of waiting for a button that will not come.
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    // bDrop: the left button was released (else the right one cancels).
    void EndOfDrag(BOOL bDrop, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    friend struct CCoordBinding<CDlgCity>;

    void InitMembers();
    // The place record's values in the twelve fields, split as every dialog shows them.
    void ShowPlace(const CCityList& place);
    // Writes the members to the controls; the edits' change handlers ignore the EN_CHANGE
    // this causes, which is not the user's typing.
    void WriteFields();
    // The selection handler's work without a notification: after a delete, a reset or a refusal.
    void ShowSelection();
    // Tells the user why an add or edit was refused, and shows the selected item again.
    void ReportRefusal(const CString& strRefusal);
    // One body for the nine edits and one for the nine up-downs, by the field's rule.
    void OnChangeField(CoordField field);
    void OnDeltaposField(CoordField field, NMHDR* pNMHDR, LRESULT* pResult);

    // Selects the next match of m_strFindText after the selection, or says there is none.
    void FindNext();

    // Runs the place editor on the shown fields with this name and type; on IDOK the name, the
    // type and the editor's fields come back (the dialog's own fields untouched).
    bool RunPlaceEditor(CString& strName, int& nType, CCoordFields& fields);

    // Off until the initialisation has filled the controls: its first transfer is not typing.
    bool m_bFieldsLive = false;
    int m_nWritingFields = 0;
    std::unique_ptr<CCityTreeAdapter> m_pTreeAdapter;
    std::unique_ptr<CCitySession> m_pSession;
    CString m_strFindText;
};
