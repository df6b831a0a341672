#pragma once

#include "vrkobs/VrkObsApi.h"

#include <afx/afxwin.h>
#include <vrkcst/CZelButton.h>
#include <vrkcst/CZelDialog.h>
#include <vrkcst/CZelRadioButton.h>

class CCorZel;

// The add chooser (template 7304): whether a place or a folder is to be added. The caller
// presets m_nAddType, runs it and reads it back after IDOK.
class VRKOBS_API CAddCty : public CZelDialog {
public:
    explicit CAddCty(CWnd* pParent = nullptr);
    CAddCty(CCorZel* pCor, CWnd* pParent);
    ~CAddCty() override;

    void AttachControls() override;

    // 0 a place, 1 a folder; -1 (nothing checked) after construction.
    int m_nAddType;
    CZelRadioButton m_rdCity;
    CZelRadioButton m_rdFolder;
    // The template's OK and Cancel are owner-drawn: without these nothing draws them.
    CZelButton m_btnOK;
    CZelButton m_btnCancel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
