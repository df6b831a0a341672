#pragma once

#include <vrkcst/vrkcstdefs.h>
#include <afx/afxwin.h>

class CCorZel;

// The themed dialog base. It keeps the sky-engine pointer and a registry key: when the key is
// not empty, OnInitDialog moves the window to the position stored under key\"WindowPos" (without
// showing it) and OnDestroy stores the window's placement there.
class VRKCST_API CZelDialog : public CDialog {
public:
    CZelDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    CZelDialog(CCorZel* pCor, UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CZelDialog() override;

    // Modeless creation on the dialog's own template; pCor replaces m_pCor. A null parent means
    // the parent given to the constructor (if that is null too, the application's main window).
    // FALSE on failure.
    virtual BOOL Create(CCorZel* pCor, CWnd* pParent = nullptr);

    // Where a dialog takes over its template controls with the themed wrappers; the base has
    // none. Dialogs call it themselves (from OnInitDialog or after Create).
    virtual void AttachControls();

    // Sends "<property> = TRUE" or "<property> = FALSE" to the engine. FALSE without an engine.
    BOOL DoitBool(const CString& property, BOOL bValue);

    // 1 when the system draws themed controls (visual styles active), 0 for the classic look, in
    // which dialogs strip the theme from controls that would otherwise draw half-themed.
    BOOL m_bThemed;
    CString m_strRegKey;
    CCorZel* m_pCor;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
