#pragma once

#include "obs/CDlgObs.h"
#include "res/resource_obs.h"

#include <host/CCorZel.h>
#include <standin/CStandInEngine.h>
#include <standin/CStandInMap.h>
#include <vrkcom/CCommonFile.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

#include <WinTestKit.h>

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

// The host's main window, which is also the dialogs' parent: records the location dialog's
// notices 2034 (sent) and 2024 (posted, lParam 7300) as (message, lParam).
class CHostMainWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::vector<std::pair<UINT, LPARAM>> m_notices;
};

inline CHostMainWnd& HostMainWnd()
{
    static CHostMainWnd wnd;
    return wnd;
}

// A host around each test: registry root cleaned, the map factory registered, a stand-in
// engine and an observer in Tokyo, an empty data folder of the test's own.
class ObsDialogTest : public ScriptedTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<CDlgObs> MakeDialog()
    {
        return std::make_unique<CDlgObs>(&HostMainWnd(), m_strDataDir.GetString(), 0);
    }
    // SetGeoDateObs and DoModeless, as the host does.
    BOOL Open(CDlgObs& dlg, const CString& strMeshFile = CString());
    // A new dialog opened; one that does not open ends the test, as a failed assertion does.
    std::unique_ptr<CDlgObs> OpenNew(const CString& strMeshFile = CString())
    {
        auto dlg = MakeDialog();
        if (!Open(*dlg, strMeshFile))
            throw std::runtime_error("the location dialog did not open");
        return dlg;
    }
    // Folder of vrkobs.dll, ending with a backslash.
    static CString ModuleDir() { return CCommonFile::GetModulePath(GetModuleHandleW(L"vrkobs.dll")); }

    // As the user does it, then what that posted; the rest through the test kit's helpers.
    static void Click(CDlgObs& dlg, int nID)
    {
        ::Click(dlg, nID);
        Pump();
    }
    static void Type(CDlgObs& dlg, int nID, const wchar_t* pszText)
    {
        ::Type(Item(dlg, nID), pszText);
        Pump();
    }
    static void StepUpDown(CDlgObs& dlg, int nID, int nDelta)
    {
        ::StepUpDown(dlg, nID, nDelta);
        Pump();
    }
    static bool Visible(CDlgObs& dlg, int nID) { return ::IsWindowVisible(Item(dlg, nID)) != FALSE; }
    static bool Enabled(CDlgObs& dlg, int nID) { return ::IsWindowEnabled(Item(dlg, nID)) != FALSE; }
    static int SliderPos(CDlgObs& dlg)
    {
        return static_cast<int>(::SendMessageW(Item(dlg, IDC_OBS_SLIDER), TBM_GETPOS, 0, 0));
    }
    static void Pump() { AfxPumpMessages(); }

    TempFolder m_data;
    CString m_strDataDir = m_data.Dir();
    CStandInEngine m_engine;
    std::unique_ptr<CCorZel> m_cor = std::make_unique<CCorZel>(&m_engine);
    CGeoDateObs m_obs;
};
