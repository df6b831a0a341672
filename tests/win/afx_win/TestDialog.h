#pragma once

#include <afx/afxwin.h>

#include <string>
#include <vector>

#include "testres/AfxWinTestRes.h"

extern "C" __declspec(dllimport) HMODULE AfxWinTestResModule();

// A dialog on the test templates that logs what reached its handlers ("Init", "Go").
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT nIDTemplate = IDD_AFXTEST, CWnd* pParent = nullptr)
        : CDialog(nIDTemplate, pParent) {}

    std::vector<std::wstring> m_log;
    bool m_bThrowOnGo = false;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnGo();

    DECLARE_MESSAGE_MAP()
};
