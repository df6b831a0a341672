// A small host application for the location dialog: it plays the part of the astronomy
// application, with a stand-in sky engine and world map, so that the dialog can be seen and
// tried. Arguments: --data FOLDER (the user data folder, ending with a separator),
// --rect-file FILE (written with "x y width height" of the dialog once it is shown),
// --engine-log FILE (every command the engine receives, one a line), --tour FOLDER (plays a
// few steps on the dialog and keeps a picture after each in FOLDER; with --rect-file it starts
// once that file has been removed, the sign that the first picture has been taken).
// The engine's own data folder, with its terrain index, is "sky engine" in the data folder; it
// is made at start-up when missing.
#include "CDemoEngine.h"
#include "CDemoMapView.h"
#include "CDemoTour.h"

#include <afx/afxwin.h>
#include <host/CCorZel.h>
#include <host/CCorZelMap.h>
#include <standin/CStandInMap.h>
#include <mesh/CEarthMesh.h>
#include <obs/CDlgObs.h>
#include <vrkcom/CGeoDateObs.h>
#include <vrkreg/CRegistry.h>

#include <cstdio>
#include <cwchar>
#include <shellapi.h>

namespace {

CWinApp theApp(L"VRKOBS デモ");

// The main window: it takes the dialog's closing notice and ends the demo, and refills the
// dialog when the observer has changed outside it (a point picked on the map, a location sent
// to the engine), as the host application does.
class CDemoFrame : public CWnd {
public:
    CDlgObs* m_pDlg = nullptr;

protected:
    afx_msg LRESULT OnObsClosed(WPARAM, LPARAM lParam)
    {
        if (lParam == 7300)
            PostQuitMessage(0);
        return 0;
    }
    afx_msg LRESULT OnObserverChanged(WPARAM, LPARAM)
    {
        if (m_pDlg && m_pDlg->GetSafeHwnd())
            m_pDlg->InitLocation(TRUE);
        return 0;
    }
    afx_msg void OnClose() { PostQuitMessage(0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_MESSAGE(WM_USER + 1000, OnObsClosed)
    ON_MESSAGE(CDemoMapView::WM_DEMO_OBSERVER_CHANGED, OnObserverChanged)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

struct Options {
    CString strData;
    CString strRectFile;
    CString strEngineLog;
    CString strTour;
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
        else if (a == L"--engine-log")
            o.strEngineLog = argv[++i];
        else if (a == L"--tour")
            o.strTour = argv[++i];
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

// The engine's data folder below the user data folder, with its terrain index; the folder
// without a trailing separator, as the engine names it, or empty when it cannot be made.
CString MakeEngineDataFolder(const CString& dataDir)
{
    const CString root = dataDir + L"sky engine";
    CString dir = root;
    for (const wchar_t* part : {L"", L"\\solar", L"\\earth", L"\\mesh"}) {
        dir += part;
        if (!CreateDirectoryW(dir, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return CString();
    }
    const CString index = dir + L"\\worldmesh.txt";
    HANDLE h = CreateFileW(index, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        static const char text[] = "; terrain index of the demo engine\r\n";
        DWORD n = 0;
        WriteFile(h, text, sizeof text - 1, &n, nullptr);
        CloseHandle(h);
    } else if (GetLastError() != ERROR_FILE_EXISTS) {
        return CString();
    }
    return root;
}

void SetUpEngine(CDemoEngine& engine, const CString& engineData)
{
    engine.SetReply(L"? info.module.datapath", engineData);
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

// Keeps the dialog working while a file exists, at most the given time; false on time-out.
bool WaitWhileExists(const CString& path, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > ms)
            return false;
        AfxPumpMessages();
        Sleep(50);
    }
    return true;
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

    CStandInMap::Defaults().classNames = {L"観測地", L"市区町村", L"都市", L"天文台",
                                       L"山岳",   L"自然地形", L"建造物", L"その他"};
    CStandInMap::Register();
    CDemoEngine engine;
    engine.m_strLogFile = opt.strEngineLog;
    SetUpEngine(engine, MakeEngineDataFolder(opt.strData));
    CCorZel cor(&engine);
    CGeoDateObs obs;
    SetUpObserver(obs);
    // The stored default comes back as "location = location(lng, lat, alt)": the engine moves
    // the observer there and the host refills the dialog.
    engine.m_onAssign = [&](const CString& name, const CString& value) {
        double lng = 0, lat = 0, alt = 0;
        if (name == L"location"
            && std::swscanf(value.GetString(), L"location(%lf, %lf, %lf)", &lng, &lat, &alt) == 3) {
            obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLng] = lng;
            obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kLat] = lat;
            obs.m_dLocation[CGeoDateObs::kEarth][CGeoDateObs::kHeight] = alt;
            frame.PostMessage(CDemoMapView::WM_DEMO_OBSERVER_CHANGED, 0, 0);
        }
    };

    // The host hands the engine its terrain index once; the same file offers the dialog's
    // automatic altitude.
    CEarthMesh mesh;
    mesh.CheckMeshIndex(&cor);
    const CString meshFile = mesh.GetIdxFile(&cor);

    int code = 1;
    bool bTourFailed = false;
    {
        CDlgObs dlg(&frame, opt.strData, 0);
        frame.m_pDlg = &dlg;
        dlg.SetGeoDateObs(&obs);
        CDemoMapView view;
        if (dlg.DoModeless(&cor, meshFile) && dlg.GetSafeHwnd()) {
            view.Attach(CStandInMap::Last(), frame.GetSafeHwnd());
            dlg.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            dlg.ShowWindow(SW_SHOWNORMAL);
            ::SetForegroundWindow(dlg.GetSafeHwnd());
            // Wine activates a window shown before its process has the X focus with an inactive
            // caption, and a later SetForegroundWindow does not repaint it.
            if (::GetForegroundWindow() == dlg.GetSafeHwnd())
                dlg.SendMessage(WM_NCACTIVATE, TRUE, 0);
            dlg.UpdateWindow();
            AfxPumpMessages();
            WriteRect(opt.strRectFile, dlg);
            if (!opt.strTour.IsEmpty()
                && (opt.strRectFile.IsEmpty() || WaitWhileExists(opt.strRectFile, 30000))) {
                CDemoTour tour(dlg, view, opt.strTour);
                bTourFailed = !tour.Run();
                if (bTourFailed)
                    frame.PostMessage(WM_CLOSE);
            }
            code = theApp.Run();
            if (bTourFailed)
                code = 2;
        }
        frame.m_pDlg = nullptr;
    }
    CStandInMap::Unregister();
    frame.DestroyWindow();
    OleUninitialize();
    return code;
}
