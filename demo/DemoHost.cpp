// A small host application for the location dialog: it plays the part of the astronomy
// application, with a stand-in sky engine and world map, so that the dialog can be seen and
// tried. Arguments: --data FOLDER (the user data folder, ending with a separator),
// --rect-file FILE (written with "x y width height" of the dialog once it is shown).
#include "CDemoMapView.h"

#include <afx/afxwin.h>
#include <host/CCorZel.h>
#include <host/CCorZelMap.h>
#include <hosttest/CFakeEngine.h>
#include <hosttest/CFakeMap.h>
#include <obs/CDlgObs.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

#include <cstdio>
#include <shellapi.h>

namespace {

CWinApp theApp(L"VRKOBS デモ");

// The main window: it only takes the dialog's closing notice and ends the demo.
class CDemoFrame : public CWnd {
protected:
    afx_msg LRESULT OnObsClosed(WPARAM, LPARAM lParam)
    {
        if (lParam == 7300)
            PostQuitMessage(0);
        return 0;
    }
    afx_msg void OnClose() { PostQuitMessage(0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_MESSAGE(WM_USER + 1000, OnObsClosed)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

struct Options {
    CString strData;
    CString strRectFile;
};

Options ParseArgs()
{
    Options o;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i + 1 < argc; ++i) {
        CString a = argv[i];
        if (a == L"--data")
            o.strData = argv[++i];
        else if (a == L"--rect-file")
            o.strRectFile = argv[++i];
    }
    LocalFree(argv);
    if (o.strData.IsEmpty()) {
        wchar_t dir[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, dir);
        o.strData = dir;
    }
    if (o.strData.Right(1) != L"\\" && o.strData.Right(1) != L"/")
        o.strData += L"\\";
    return o;
}

void SetUpEngine(CFakeEngine& engine)
{
    engine.SetReply(L"? Solar.Planet.Earth.SolarEclipse.Path.Visible", L"TRUE");
    engine.SetReply(L"? Solar.Planet.Earth.SolarEclipse.Path.Data",
                    L"100 -10;110 -2;120 5;130 12;140 20;150 26;160 31");
    engine.SetReply(L"? Solar.Planet.Earth.SolarEclipse.Path.Color", L"RGB(255, 128, 0)");
    engine.SetReply(L"? Solar.Planet.Earth.BesselElement.Apply", L"FALSE");
}

void SetUpObserver(CGeoDateObs& obs)
{
    obs.m_nLocationObject = CGeoDateObs::kEarth;
    obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = 35.689236;
    obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = 139.691772;
    obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kHeight] = 39.0;
    obs.m_nTimeSystem = 0;
    obs.m_dUserTimeZone = 9.0;
}

void WriteRect(const CString& path, CWnd& wnd)
{
    if (path.IsEmpty())
        return;
    CRect rc;
    wnd.GetWindowRect(&rc);
    FILE* f = _wfopen(path.GetString(), L"w");
    if (!f)
        return;
    std::fprintf(f, "%ld %ld %d %d\n", rc.left, rc.top, rc.Width(), rc.Height());
    std::fclose(f);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    OleInitialize(nullptr);
    theApp.m_hInstance = hInstance;
    const Options opt = ParseArgs();
    CRegistry::SetRoot(L"Software\\VRKOBS\\Demo");

    CDemoFrame frame;
    frame.CreateEx(0, nullptr, L"VRKOBS デモ", WS_OVERLAPPEDWINDOW, CRect(0, 0, 320, 200),
                   nullptr, 0);
    theApp.m_pMainWnd = &frame;

    CFakeMap::Register();
    CFakeEngine engine;
    SetUpEngine(engine);
    CCorZel cor(&engine);
    CGeoDateObs obs;
    SetUpObserver(obs);

    int code = 1;
    {
        CDlgObs dlg(&frame, opt.strData, 0);
        dlg.SetGeoDateObs(&obs);
        CDemoMapView view;
        if (dlg.DoModeless(&cor, L"") && dlg.GetSafeHwnd()) {
            view.Attach(CFakeMap::Last());
            dlg.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            dlg.ShowWindow(SW_SHOWNORMAL);
            dlg.UpdateWindow();
            AfxPumpMessages();
            WriteRect(opt.strRectFile, dlg);
            code = theApp.Run();
        }
    }
    CFakeMap::Unregister();
    frame.DestroyWindow();
    OleUninitialize();
    return code;
}
