// The smallest host of the location dialog: a main window, an observer, a sky engine and the
// map control's factory, and the dialog from its first showing to its destruction. It ends
// when the dialog is closed, with exit code 0 when the dialog announced its closing (2034)
// before it closed (2024). docs/HOSTING.md shows this file; demo/DemoHost.cpp does the rest.
#include <afx/afxwin.h>
#include <host/CCorZel.h>
#include <obs/CDlgObs.h>
#include <standin/CStandInEngine.h>
#include <standin/CStandInMap.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

namespace {

// The application's name is the caption of the library's message boxes.
CWinApp theApp(L"最小ホスト");

// The main window, here also the dialog's parent.
class CMainFrame : public CWnd {
public:
    bool m_bObsShown = false;

protected:
    // 2034, sent to the main window: the location dialog is closing.
    afx_msg LRESULT OnObsClosing(WPARAM, LPARAM)
    {
        m_bObsShown = false;
        return 0;
    }
    // 2024, posted to the dialog's parent: lParam 7300, the location dialog has closed.
    afx_msg LRESULT OnDialogClosed(WPARAM, LPARAM lParam)
    {
        if (lParam == 7300)
            PostQuitMessage(m_bObsShown ? 1 : 0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainFrame, CWnd)
    ON_MESSAGE(WM_USER + 1010, OnObsClosing)
    ON_MESSAGE(WM_USER + 1000, OnDialogClosed)
END_MESSAGE_MAP()

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    OleInitialize(nullptr);  // the map is an OLE control
    theApp.m_hInstance = hInstance;
    CRegistry::SetRoot(L"Software\\VRKOBS\\MinimalHost");

    CMainFrame frame;
    frame.CreateEx(0, nullptr, L"最小ホスト", WS_OVERLAPPEDWINDOW, CRect(0, 0, 320, 200), nullptr, 0);
    theApp.m_pMainWnd = &frame;

    // Your application registers its own map control's factory and passes its own engine and
    // observer; the stand-ins take their places here.
    CStandInMap::Register();
    CStandInEngine engine;
    CCorZel cor(&engine);
    CGeoDateObs obs;

    // The user data folder, ending with a separator: here the current folder.
    wchar_t dir[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, dir);
    int code = 1;
    {
        CDlgObs dlg(&frame, CString(dir) + L"\\", 0);
        dlg.SetGeoDateObs(&obs);
        // No terrain index: no automatic altitude.
        if (dlg.DoModeless(&cor, CString())) {
            frame.m_bObsShown = true;
            code = theApp.Run();
        }
    }  // the destructor destroys the window, which stores its placement

    theApp.m_pMainWnd = nullptr;
    CStandInMap::Unregister();
    frame.DestroyWindow();
    OleUninitialize();
    return code;
}
