#include "AfxInternal.h"

namespace {

bool EntryMatches(const AFX_MSGMAP_ENTRY& e, UINT nMessage, UINT nCode, UINT nID)
{
    if (e.nMessage != nMessage) return false;
    switch (nMessage) {
    case WM_COMMAND:
    case WM_NOTIFY:
        return e.nCode == nCode && nID == e.nID;
    case WM_REFLECT_BASE + WM_COMMAND:
    case WM_REFLECT_BASE + WM_NOTIFY:
        return e.nCode == nCode;
    default:
        return true;
    }
}

}  // namespace

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_EVENTSINKMAP* CCmdTarget::GetThisEventSinkMap()
{
    static const AFX_EVENTSINKMAP_ENTRY entries[] = {{0, 0, nullptr, nullptr}};
    static const AFX_EVENTSINKMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_EVENTSINKMAP* CCmdTarget::GetEventSinkMap() const
{
    return GetThisEventSinkMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e)
            if (EntryMatches(*e, nMessage, nCode, nID)) return e;
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchMessageEntry(UINT nMessage, UINT nCode, UINT nID, AFX_MSGCALL& call)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(nMessage, nCode, nID);
    if (!e) return FALSE;
    return e->pfn(this, call);
}

HRESULT CCmdTarget::OnEvent(UINT nCtlID, DISPID dispid, DISPPARAMS* pParams)
{
    for (const AFX_EVENTSINKMAP* map = GetEventSinkMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_EVENTSINKMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e)
            if (e->nCtlID == nCtlID && e->dispid == dispid) return e->pfn(this, pParams);
    }
    return DISP_E_MEMBERNOTFOUND;
}

namespace {

// The wait cursor is process-wide.
int g_nWaitCursorCount = 0;
HCURSOR g_hcurWaitCursorRestore = nullptr;

}  // namespace

CWaitCursor::CWaitCursor()
{
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    if (g_nWaitCursorCount++ == 0) g_hcurWaitCursorRestore = previous;
}

CWaitCursor::~CWaitCursor()
{
    if (--g_nWaitCursorCount == 0) {
        ::SetCursor(g_hcurWaitCursorRestore ? g_hcurWaitCursorRestore
                                            : ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
        g_hcurWaitCursorRestore = nullptr;
    }
}
