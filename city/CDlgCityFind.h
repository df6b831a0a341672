#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/afxwin.h>
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelEdit.h>

class CCorZel;

// The find (template 7307): the text to find in the city list. The caller sets m_strText (the
// last one), runs it and reads the text back after IDOK, never empty.
class VRKOBS_API CDlgCityFind : public CZelDialog {
public:
    CDlgCityFind(CCorZel* pCor, CWnd* pParent);
    ~CDlgCityFind() override;

    void AttachControls() override;

    CString m_strText;
    CZelEdit m_edtText;
    // The template's buttons are owner-drawn: without these nothing draws them.
    CZelButton m_btnOK;
    CZelButton m_btnCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Nothing to find in an empty text: the dialog stays open on its edit.
    void OnOK() override;
};
