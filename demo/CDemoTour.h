#pragma once

#include <afx/afxwin.h>

class CDlgObs;
class CDemoMapView;

// Plays a few steps on the shown location dialog through its controls, as a person would
// (zoom with the slider, switch landmark classes on, pick a point on the map, choose the
// automatic altitude, return to the default), keeps a picture of the dialog after each as
// "NN-name.bmp" in a folder, and closes the dialog at the end.
class CDemoTour {
public:
    CDemoTour(CDlgObs& dlg, CDemoMapView& view, const CString& folder);
    CDemoTour(const CDemoTour&) = delete;
    CDemoTour& operator=(const CDemoTour&) = delete;

    // FALSE when a step could not be played or a picture not written.
    BOOL Run();

private:
    // Lets the dialog handle what the step caused and paint it.
    void Settle();
    BOOL Shoot(const wchar_t* name);
    BOOL Click(UINT id);
    // Clicks a check box only when it is not checked yet.
    BOOL Check(UINT id);
    BOOL Slide(int pos);

    CDlgObs& m_dlg;
    CDemoMapView& m_view;
    CString m_strFolder;
    int m_nShot = 0;
};
