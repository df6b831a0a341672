#pragma once

#include "CDataWatch.h"
#include "CScriptStep.h"
#include "CTranscript.h"

#include <afx/afxwin.h>
#include <picojson.h>

#include <deque>
#include <functional>
#include <vector>

class CDialog;

// Plays a script (JSON Lines, one step an object, "do" naming it) on the dialogs of the demo
// host as a person would, and writes what happened to a transcript. Steps act on the window
// on top: the location dialog, or the modal dialog that a step opened. A modal dialog is
// reached through the framework's modal-dialog hook, installed for every dialog template of
// the loaded modules: while it runs, the following steps play inside it until one ends it.
class CScriptPlayer {
public:
    // What the host lets the player do to it.
    struct Host {
        std::function<void(const picojson::object& set)> setObserver;
        std::function<void(double lng, double lat)> mapClick;
        std::function<void(double mag)> mapMag;
        CString strShots;         // empty: shot steps keep no picture
        int nTreeId = 1118;       // the tree the tree steps work (the city list dialog's)
    };

    CScriptPlayer(CTranscript& out, CDataWatch& watch, Host host);
    CScriptPlayer(const CScriptPlayer&) = delete;
    CScriptPlayer& operator=(const CScriptPlayer&) = delete;
    ~CScriptPlayer();

    // Reads the script; false, with the line and why, when it cannot be read or a line is bad.
    bool Load(const CString& path, int& line, CString& why);
    // Plays every step on the window; false when a step could not be played (the transcript
    // and `line`, `why` say which).
    bool Play(HWND hWnd, int& line, CString& why);
    // Writes the files written since the last look.
    void ReportFiles();

private:
    void PlayLevel(HWND hWnd, bool modal);
    bool PlayStep(const CScriptStep& s, HWND hWnd, CString& why);
    bool PlayControlStep(const CScriptStep& s, HWND hWnd, CString& why);
    bool PlayTreeStep(const CScriptStep& s, HWND hWnd, CString& why);
    bool FillDialog(const CScriptStep& s, HWND hWnd, CString& why);
    bool Read(const CScriptStep& s, HWND hWnd, CString& why);
    void DumpRegistry(const CString& key);
    void Fail(int line, const CString& why);

    void OnModalDialog(CDialog* pDlg);
    int OnMessageBox(const CString& text, const CString& caption, UINT type);
    static int MessageBoxHandler(HWND, const CString& text, const CString& caption, UINT type);

    CTranscript& m_out;
    CDataWatch& m_watch;
    Host m_host;
    std::vector<CScriptStep> m_steps;
    size_t m_next = 0;
    std::deque<const CScriptStep*> m_answers;
    std::deque<const CScriptStep*> m_dialogs;
    int m_nShot = 0;
    bool m_bFailed = false;
    int m_nFailLine = 0;
    CString m_strFailWhy;

    static CScriptPlayer* s_pActive;
};
