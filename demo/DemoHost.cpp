// A small host application for the location dialog: it plays the part of the astronomy
// application, with a stand-in sky engine and world map, so that the dialog can be seen and
// tried. Arguments: --data FOLDER (the user data folder, ending with a separator),
// --rect-file FILE (written with "x y width height" of the dialog once it is shown),
// --engine-log FILE (every command the engine receives, one a line), --script FILE with
// --transcript FILE (plays the script on the dialog, writes what happened, and exits: 0 when
// every step was played, 1 when one could not be), --shots FOLDER (where a script's pictures
// go). A bad command line exits with 2.
// The engine's own data folder, with its terrain index, is "sky engine" in the data folder; it
// is made at start-up when missing.
#include "CDemoEngine.h"
#include "CDemoMapView.h"
#include "CDemoObserver.h"
#include "CScriptPlayer.h"
#include "DemoSay.h"
#include "TranscriptEvents.h"

#include <afx/afxwin.h>
#include <host/CCorZel.h>
#include <host/CCorZelMap.h>
#include <standin/CStandInMap.h>
#include <mesh/CEarthMesh.h>
#include <obs/CDlgObs.h>
#include <vrkreg/CRegistry.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <shellapi.h>

namespace {

CWinApp theApp(L"VRKOBS デモ");
const wchar_t kRegistryRoot[] = L"Software\\VRKOBS\\Demo";

// The main window: it takes the dialog's closing notice and ends the demo, and refills the
// dialog when the observer has changed outside it (a point picked on the map, a location sent
// to the engine), as the host application does.
class CDemoFrame : public CWnd {
public:
    CDlgObs* m_pDlg = nullptr;
    // Told of every message of the application's range that the window receives.
    std::function<void(UINT, WPARAM, LPARAM)> m_onMessage;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_onMessage && message >= WM_USER && message < WM_APP)
            m_onMessage(message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
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
    CString strScript;
    CString strTranscript;
    CString strShots;
    CString strError;  // what is wrong with the command line
};

Options ParseArgs()
{
    Options o;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::pair<const wchar_t*, CString Options::*> names[] = {
        {L"--data", &Options::strData},         {L"--rect-file", &Options::strRectFile},
        {L"--engine-log", &Options::strEngineLog}, {L"--script", &Options::strScript},
        {L"--transcript", &Options::strTranscript}, {L"--shots", &Options::strShots}};
    for (int i = 1; argv && i < argc && o.strError.IsEmpty(); ++i) {
        const CString a = argv[i];
        CString Options::*member = nullptr;
        for (const auto& [name, m] : names)
            if (a == name)
                member = m;
        if (!member)
            o.strError = L"unknown argument " + a;
        else if (i + 1 >= argc || CString(argv[i + 1]).IsEmpty())
            o.strError = a + L" needs a value";
        else
            o.*member = argv[++i];
    }
    LocalFree(argv);
    if (o.strError.IsEmpty() && o.strScript.IsEmpty() != o.strTranscript.IsEmpty())
        o.strError = L"--script and --transcript go together";
    if (o.strError.IsEmpty() && !o.strShots.IsEmpty() && o.strScript.IsEmpty())
        o.strError = L"--shots needs --script";
    if (!o.strShots.IsEmpty() && o.strShots.Right(1) != L"\\" && o.strShots.Right(1) != L"/")
        o.strShots += L"\\";
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

void SetUpObserver(CDemoObserver& obs)
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

void SayScriptError(int line, const CString& why)
{
    CString where;
    if (line > 0)
        where.Format(L"line %d: ", line);
    DemoSay(where + why);
}

// A script step sets the observer as the host would, then lets the dialog refill itself.
void SetObserver(CDemoObserver& obs, CDlgObs& dlg, const picojson::object& set)
{
    auto has = [&](const char* key) { return set.count(key) != 0; };
    auto num = [&](const char* key) { return set.at(key).get<double>(); };
    if (has("body"))
        obs.m_nLocationObject = static_cast<int>(num("body"));
    double* loc = obs.m_dLocation[obs.m_nLocationObject];
    if (has("lon"))
        loc[CGeoDateObs::kLng] = num("lon");
    if (has("lat"))
        loc[CGeoDateObs::kLat] = num("lat");
    if (has("alt"))
        loc[CGeoDateObs::kHeight] = num("alt");
    if (has("tz"))
        obs.m_dUserTimeZone = num("tz");
    if (has("timesystem"))
        obs.m_nTimeSystem = static_cast<int>(num("timesystem"));
    obs.Remember();
    if (has("timesystem"))
        dlg.UpdateTimeSys();
    dlg.InitLocation(TRUE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    OleInitialize(nullptr);
    theApp.m_hInstance = hInstance;
    const Options opt = ParseArgs();
    if (!opt.strError.IsEmpty()) {
        DemoSay(opt.strError
                 + L"\nusage: vrkobs_demo [--data FOLDER] [--rect-file FILE] [--engine-log FILE]"
                   L" [--script FILE --transcript FILE [--shots FOLDER]]");
        return 2;
    }
    CTranscript transcript;
    if (!opt.strScript.IsEmpty() && !transcript.Open(opt.strTranscript)) {
        DemoSay(L"cannot write the transcript " + opt.strTranscript);
        return 2;
    }
    CRegistry::SetRoot(kRegistryRoot);

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
    CDemoObserver obs;
    SetUpObserver(obs);
    obs.Remember();
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

    // A script's transcript hears what the engine, the map, the observer and the host's window
    // receive from the start, and what the library writes in the data folder.
    CDataWatch watch(opt.strData);
    if (transcript.IsOpen()) {
        engine.m_onCommand = [&](const CString& c) { transcript.Write(EngineEvent(c)); };
        CStandInMap::Defaults().onCall = [&](const StandInMapCall& call) {
            CStandInMap* map = CStandInMap::Last();
            transcript.Write(MapEvent(call, map ? map->m_landmarkFlags : std::vector<int>()));
        };
        obs.m_onCall = [&](const CGeoDateObs::Call& c) { transcript.Write(ObserverEvent(c)); };
        frame.m_onMessage = [&](UINT m, WPARAM w, LPARAM l) {
            transcript.Write(HostMessageEvent(m, w, l));
        };
    }
    CDlgObs* pShown = nullptr;
    CScriptPlayer::Host host;
    host.setObserver = [&](const picojson::object& set) { SetObserver(obs, *pShown, set); };
    // A point picked on the map moves the observer there, and the host refills the dialog.
    host.mapClick = [&](double lng, double lat) {
        CStandInMap::Last()->FireSetObsPosition(lng, lat);
        frame.PostMessage(CDemoMapView::WM_DEMO_OBSERVER_CHANGED, 0, 0);
    };
    host.mapMag = [&](double mag) { CStandInMap::Last()->FireSetMag(mag); };
    host.strShots = opt.strShots;
    std::unique_ptr<CScriptPlayer> player;
    if (transcript.IsOpen()) {
        player = std::make_unique<CScriptPlayer>(transcript, watch, host);
        int line = 0;
        CString why;
        if (!opt.strShots.IsEmpty())
            CreateDirectoryW(opt.strShots, nullptr);
        if (!player->Load(opt.strScript, line, why)) {
            SayScriptError(line, why);
            CStandInMap::Unregister();
            frame.DestroyWindow();
            OleUninitialize();
            return 1;
        }
    }

    // The host hands the engine its terrain index once; the same file offers the dialog's
    // automatic altitude.
    CEarthMesh mesh;
    mesh.CheckMeshIndex(&cor);
    const CString meshFile = mesh.GetIdxFile(&cor);

    int code = 1;
    {
        CDlgObs dlg(&frame, opt.strData, 0);
        frame.m_pDlg = &dlg;
        pShown = &dlg;
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
            if (player) {
                int line = 0;
                CString why;
                code = player->Play(dlg.GetSafeHwnd(), line, why) ? 0 : 1;
                if (code)
                    SayScriptError(line, why);
                // What the dialog and the host do when the demo ends is no part of the session.
                player.reset();
                transcript.Close();
            } else {
                code = theApp.Run();
            }
        } else if (player) {
            DemoSay(L"the location dialog could not be created");
        }
        frame.m_pDlg = nullptr;
    }
    CStandInMap::Unregister();
    frame.DestroyWindow();
    OleUninitialize();
    return code;
}
