#pragma once

#include <afx/afxdefs.h>
#include <afx/CWnd.h>

class CDataExchange;

// A dialog on a template found through the resource chain. Modeless with Create, modal with
// DoModal. Its messages reach the message map through one dialog procedure; what no entry
// handles gets the system's default dialog handling (so WM_CLOSE becomes IDCANCEL -> OnCancel).
class AFX_API CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless. The parent defaults to the application's main window. FALSE when the template
    // is not found or the window cannot be created.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Modal: the owner (the parent, else the main window) is disabled while it runs. The value
    // given to EndDialog, or -1 when the template is not found or the dialog cannot be created.
    virtual INT_PTR DoModal();
    // Modal: ends the loop with nResult. Modeless: hides the window. DestroyWindow on a modal
    // dialog ends it with IDCANCEL.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    // Exchanges the fields; FALSE (nothing saved beyond the failing field) when a field is
    // invalid, after its message box.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    void GotoDlgCtrl(CWnd* pWndCtrl)
    {
        if (pWndCtrl && pWndCtrl->m_hWnd) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
    }
    // The template id given to the constructor or Create.
    UINT GetTemplateID() const { return m_nIDHelp; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

protected:
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}
    // Runs the system's default dialog handling for the message now and returns its result.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

    BOOL m_bModal = FALSE;
    // Set while a handler's Default() runs the system handling, so the dialog procedure
    // steps aside for that one nested call.
    BOOL m_bDefaultPending = FALSE;
    MSG m_defaultMsg{};
    // Set by WindowProc when no handler took the message: the procedure returns FALSE.
    BOOL m_bUnhandled = FALSE;
    // Set by EndDialog.
    BOOL m_bEnded = FALSE;
};

// The dialog procedure of every CDialog.
AFX_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
