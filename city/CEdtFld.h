#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/afxwin.h>
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelEdit.h>

class CCorZel;

// The folder editor (template 7303): the name of one folder. The caller sets m_strName, runs
// it and reads the name back after IDOK, trimmed and accepted by the folder name rule.
class VRKOBS_API CEdtFld : public CZelDialog {
public:
    explicit CEdtFld(CWnd* pParent = nullptr);
    CEdtFld(CCorZel* pCor, CWnd* pParent);
    ~CEdtFld() override;

    void AttachControls() override;

    CString m_strName;
    CZelEdit m_edtName;
    // The template's OK and Cancel are owner-drawn: without these nothing draws them.
    CZelButton m_btnOK;
    CZelButton m_btnCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // A refused name is answered in a message box and the dialog stays open.
    void OnOK() override;
};
