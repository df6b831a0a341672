#pragma once

#include <host/vrkhostdefs.h>
#include <afx/afxwin.h>

// The host's sky-engine control: one automation method, Command (dispatch id 2), a text command
// in and a text reply out. "? name" asks for a value; "name = value" sets one.
class VRKHOST_API CCorZel : public CWnd {
public:
    enum { DISPID_COMMAND = 2 };

    CCorZel();
    // Over an engine that the host (or a test) already holds, with or without a window. The
    // object takes a reference of its own.
    explicit CCorZel(IDispatch* pEngine);
    ~CCorZel() override;

    // The engine's reply; empty when there is no engine or the call fails.
    CString Command(const CString& command);
};
