#pragma once

#include <afx/CString.h>

// Receives the loading progress of the city list; the dialog forwards it to the host's main
// window as message 1136 (wParam 0 start with text, 1 percent in lParam, 2 end).
class ICityProgress {
public:
    virtual ~ICityProgress() = default;
    virtual void OnCityProgress(int wParam, int lParam, const CString& strText) = 0;
};
