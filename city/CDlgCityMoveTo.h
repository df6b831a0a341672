#pragma once

#include <afx/afxwin.h>

// The move-destination question (template 7306) when a folder is dropped on a folder: behind
// the target folder (m_nMoveMode 0, checked at first) or into it as its first item (1). The
// city list dialog runs it and reads m_nMoveMode after IDOK; Cancel moves nothing.
class CDlgCityMoveTo : public CDialog {
public:
    CDlgCityMoveTo(const CString& strFolder, CWnd* pParent = nullptr);

    int m_nMoveMode;
    // The target folder's name, as the tree shows it.
    CString m_strFolder;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // One body for both radio buttons.
    afx_msg void OnRdMoveTo();

    DECLARE_MESSAGE_MAP()
};
