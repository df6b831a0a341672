#pragma once

#include <afx/afxdefs.h>
#include <afx/EventSinkMap.h>
#include <afx/MessageMap.h>

// Base of everything that receives messages: the message map and the event sink map, searched
// from the most derived class to this one.
class AFX_API CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget();

    // The first entry, from the most derived map down, that takes the message; null if none.
    // nCode and nID are used for WM_COMMAND and WM_NOTIFY (and their reflections) only.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
    // Calls the handler of the first matching entry; FALSE when none took the message.
    BOOL DispatchMessageEntry(UINT nMessage, UINT nCode, UINT nID, AFX_MSGCALL& call);

    // Routes an OLE control's event to the event sink map entry of (nCtlID, dispid).
    // S_OK when a handler ran, DISP_E_MEMBERNOTFOUND when none is mapped, or the argument
    // conversion's error.
    HRESULT OnEvent(UINT nCtlID, DISPID dispid, DISPPARAMS* pParams);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();
    virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const;
};

// Shows the wait cursor for its lifetime; they nest.
class AFX_API CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
