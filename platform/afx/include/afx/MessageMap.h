#pragma once

#include <afx/afxdefs.h>
#include <afx/Geometry.h>

#include <type_traits>

class CCmdTarget;

// The message as it reached the window; a thunk stores the handler's result in `result`.
struct AFX_MSGCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// Calls one handler with the arguments unpacked from the message; FALSE when the handler
// declined (only reflected WM_CTLCOLOR does: a null brush leaves the message to the parent).
using AFX_PMSGTHUNK = BOOL (*)(CCmdTarget* target, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;       // window message, WM_COMMAND or WM_NOTIFY; reflected ones + WM_REFLECT_BASE
    UINT nCode;          // notification code (WM_COMMAND, WM_NOTIFY)
    UINT nID;            // first control id (WM_COMMAND, WM_NOTIFY)
    UINT nLastID;        // last control id of a range
    AFX_PMSGTHUNK pfn;   // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null at CCmdTarget
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Marks message handlers in class declarations.
#ifndef afx_msg
#  define afx_msg
#endif

// Messages a parent hands back to the control that sent them (owner draw, colours, notifications).
#define WM_REFLECT_BASE 0xBC00
// All WM_CTLCOLORxxx messages are looked up under the old single message number.
#ifndef WM_CTLCOLOR
#  define WM_CTLCOLOR 0x0019
#endif

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        typedef theClass ThisClass;                                                   \
        typedef baseClass TheBaseClass;                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                             \
            { 0, 0, 0, 0, nullptr } };                                                \
        static_assert(std::is_base_of<TheBaseClass, ThisClass>::value,               \
                      "the message map's base class must be a base of the class");    \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap,      \
                                               &_messageEntries[0] };                 \
        return &messageMap;                                                           \
    }

// One entry: `Signature` is the handler's pointer-to-member type, so a handler with another
// signature does not compile. The trailing arguments form the call (pThis_, pfn_, call_).
#define AFX_MSG_THUNK(msg, code, id, lastId, Signature, memberFxn, ...)               \
    { static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id),         \
      static_cast<UINT>(lastId),                                                      \
      [](CCmdTarget* pTarget_, AFX_MSGCALL& call_) -> BOOL {                          \
          (void)call_;                                                                \
          using Sig_ = Signature;                                                     \
          Sig_ pfn_ = memberFxn;                                                      \
          ThisClass* pThis_ = static_cast<ThisClass*>(pTarget_);                      \
          __VA_ARGS__;                                                                \
          return TRUE;                                                                \
      } },

// Window messages. Handlers have the names and signatures of the well-known framework.
#define ON_WM_CLOSE() \
    AFX_MSG_THUNK(WM_CLOSE, 0, 0, 0, void (ThisClass::*)(), &ThisClass::OnClose, (pThis_->*pfn_)())
#define ON_WM_DESTROY() \
    AFX_MSG_THUNK(WM_DESTROY, 0, 0, 0, void (ThisClass::*)(), &ThisClass::OnDestroy, (pThis_->*pfn_)())
#define ON_WM_PAINT() \
    AFX_MSG_THUNK(WM_PAINT, 0, 0, 0, void (ThisClass::*)(), &ThisClass::OnPaint, (pThis_->*pfn_)())
#define ON_WM_VSCROLL()                                                                     \
    AFX_MSG_THUNK(WM_VSCROLL, 0, 0, 0, void (ThisClass::*)(UINT, UINT, CScrollBar*),      \
                  &ThisClass::OnVScroll,                                                    \
                  (pThis_->*pfn_)(LOWORD(call_.wParam), HIWORD(call_.wParam),               \
                                  AfxScrollBarFromHandle(reinterpret_cast<HWND>(call_.lParam))))
#define ON_WM_HSCROLL()                                                                     \
    AFX_MSG_THUNK(WM_HSCROLL, 0, 0, 0, void (ThisClass::*)(UINT, UINT, CScrollBar*),      \
                  &ThisClass::OnHScroll,                                                    \
                  (pThis_->*pfn_)(LOWORD(call_.wParam), HIWORD(call_.wParam),               \
                                  AfxScrollBarFromHandle(reinterpret_cast<HWND>(call_.lParam))))
// pt is in screen coordinates, as the message carries it.
#define ON_WM_MOUSEWHEEL()                                                                  \
    AFX_MSG_THUNK(WM_MOUSEWHEEL, 0, 0, 0, BOOL (ThisClass::*)(UINT, short, CPoint),       \
                  &ThisClass::OnMouseWheel,                                                 \
                  call_.result = (pThis_->*pfn_)(LOWORD(call_.wParam),                     \
                                                 static_cast<short>(HIWORD(call_.wParam)),  \
                                                 CPoint(call_.lParam)))
#define AFX_MOUSE_THUNK(msg, fn)                                                            \
    AFX_MSG_THUNK(msg, 0, 0, 0, void (ThisClass::*)(UINT, CPoint), &ThisClass::fn,        \
                  (pThis_->*pfn_)(static_cast<UINT>(call_.wParam), CPoint(call_.lParam)))
#define ON_WM_MOUSEMOVE() AFX_MOUSE_THUNK(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_THUNK(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_THUNK(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_THUNK(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_THUNK(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_THUNK(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_SETCURSOR()                                                                   \
    AFX_MSG_THUNK(WM_SETCURSOR, 0, 0, 0, BOOL (ThisClass::*)(CWnd*, UINT, UINT),          \
                  &ThisClass::OnSetCursor,                                                  \
                  call_.result = (pThis_->*pfn_)(                                           \
                      CWnd::FromHandle(reinterpret_cast<HWND>(call_.wParam)),               \
                      LOWORD(call_.lParam), HIWORD(call_.lParam)))
#define ON_WM_DRAWITEM()                                                                    \
    AFX_MSG_THUNK(WM_DRAWITEM, 0, 0, 0, void (ThisClass::*)(int, LPDRAWITEMSTRUCT),       \
                  &ThisClass::OnDrawItem,                                                   \
                  (pThis_->*pfn_)(static_cast<int>(call_.wParam),                           \
                                  reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam));        \
                  call_.result = TRUE)
#define ON_WM_MEASUREITEM()                                                                 \
    AFX_MSG_THUNK(WM_MEASUREITEM, 0, 0, 0, void (ThisClass::*)(int, LPMEASUREITEMSTRUCT), \
                  &ThisClass::OnMeasureItem,                                                \
                  (pThis_->*pfn_)(static_cast<int>(call_.wParam),                           \
                                  reinterpret_cast<LPMEASUREITEMSTRUCT>(call_.lParam));     \
                  call_.result = TRUE)
// One handler for every WM_CTLCOLORxxx; nCtlColor is CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC.
#define ON_WM_CTLCOLOR()                                                                    \
    AFX_MSG_THUNK(WM_CTLCOLOR, 0, 0, 0, HBRUSH (ThisClass::*)(CDC*, CWnd*, UINT),         \
                  &ThisClass::OnCtlColor,                                                   \
                  call_.result = reinterpret_cast<LRESULT>((pThis_->*pfn_)(                 \
                      CDC::FromHandle(reinterpret_cast<HDC>(call_.wParam)),                 \
                      CWnd::FromHandle(reinterpret_cast<HWND>(call_.lParam)),               \
                      call_.message - WM_CTLCOLORMSGBOX)))
#define ON_WM_ERASEBKGND()                                                                  \
    AFX_MSG_THUNK(WM_ERASEBKGND, 0, 0, 0, BOOL (ThisClass::*)(CDC*), &ThisClass::OnEraseBkgnd, \
                  call_.result = (pThis_->*pfn_)(CDC::FromHandle(reinterpret_cast<HDC>(call_.wParam))))
#define ON_WM_TIMER()                                                                       \
    AFX_MSG_THUNK(WM_TIMER, 0, 0, 0, void (ThisClass::*)(UINT_PTR), &ThisClass::OnTimer,  \
                  (pThis_->*pfn_)(static_cast<UINT_PTR>(call_.wParam)))
#define ON_WM_SIZE()                                                                        \
    AFX_MSG_THUNK(WM_SIZE, 0, 0, 0, void (ThisClass::*)(UINT, int, int), &ThisClass::OnSize, \
                  (pThis_->*pfn_)(static_cast<UINT>(call_.wParam),                          \
                                  static_cast<short>(LOWORD(call_.lParam)),                 \
                                  static_cast<short>(HIWORD(call_.lParam))))
#define ON_WM_MOVE()                                                                        \
    AFX_MSG_THUNK(WM_MOVE, 0, 0, 0, void (ThisClass::*)(int, int), &ThisClass::OnMove,    \
                  (pThis_->*pfn_)(static_cast<short>(LOWORD(call_.lParam)),                 \
                                  static_cast<short>(HIWORD(call_.lParam))))
#define ON_WM_SETFOCUS()                                                                    \
    AFX_MSG_THUNK(WM_SETFOCUS, 0, 0, 0, void (ThisClass::*)(CWnd*), &ThisClass::OnSetFocus, \
                  (pThis_->*pfn_)(CWnd::FromHandle(reinterpret_cast<HWND>(call_.wParam))))
#define ON_WM_KILLFOCUS()                                                                   \
    AFX_MSG_THUNK(WM_KILLFOCUS, 0, 0, 0, void (ThisClass::*)(CWnd*), &ThisClass::OnKillFocus, \
                  (pThis_->*pfn_)(CWnd::FromHandle(reinterpret_cast<HWND>(call_.wParam))))
#define AFX_KEY_THUNK(msg, fn)                                                              \
    AFX_MSG_THUNK(msg, 0, 0, 0, void (ThisClass::*)(UINT, UINT, UINT), &ThisClass::fn,    \
                  (pThis_->*pfn_)(static_cast<UINT>(call_.wParam), LOWORD(call_.lParam),    \
                                  HIWORD(call_.lParam)))
#define ON_WM_KEYDOWN() AFX_KEY_THUNK(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_THUNK(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_THUNK(WM_CHAR, OnChar)
#define ON_WM_SHOWWINDOW()                                                                  \
    AFX_MSG_THUNK(WM_SHOWWINDOW, 0, 0, 0, void (ThisClass::*)(BOOL, UINT),                \
                  &ThisClass::OnShowWindow,                                                 \
                  (pThis_->*pfn_)(static_cast<BOOL>(call_.wParam), static_cast<UINT>(call_.lParam)))
#define ON_WM_ENABLE()                                                                      \
    AFX_MSG_THUNK(WM_ENABLE, 0, 0, 0, void (ThisClass::*)(BOOL), &ThisClass::OnEnable,    \
                  (pThis_->*pfn_)(static_cast<BOOL>(call_.wParam)))
#define ON_WM_CAPTURECHANGED()                                                              \
    AFX_MSG_THUNK(WM_CAPTURECHANGED, 0, 0, 0, void (ThisClass::*)(CWnd*),                 \
                  &ThisClass::OnCaptureChanged,                                             \
                  (pThis_->*pfn_)(CWnd::FromHandle(reinterpret_cast<HWND>(call_.lParam))))
#define ON_WM_CREATE()                                                                      \
    AFX_MSG_THUNK(WM_CREATE, 0, 0, 0, int (ThisClass::*)(LPCREATESTRUCT), &ThisClass::OnCreate, \
                  call_.result = (pThis_->*pfn_)(reinterpret_cast<LPCREATESTRUCT>(call_.lParam)))
#define ON_WM_GETDLGCODE()                                                                  \
    AFX_MSG_THUNK(WM_GETDLGCODE, 0, 0, 0, UINT (ThisClass::*)(), &ThisClass::OnGetDlgCode, \
                  call_.result = (pThis_->*pfn_)())
#define ON_WM_SYSCOMMAND()                                                                  \
    AFX_MSG_THUNK(WM_SYSCOMMAND, 0, 0, 0, void (ThisClass::*)(UINT, LPARAM),              \
                  &ThisClass::OnSysCommand,                                                 \
                  (pThis_->*pfn_)(static_cast<UINT>(call_.wParam), call_.lParam))
#define ON_WM_CONTEXTMENU()                                                                 \
    AFX_MSG_THUNK(WM_CONTEXTMENU, 0, 0, 0, void (ThisClass::*)(CWnd*, CPoint),            \
                  &ThisClass::OnContextMenu,                                                \
                  (pThis_->*pfn_)(CWnd::FromHandle(reinterpret_cast<HWND>(call_.wParam)),   \
                                  CPoint(call_.lParam)))
#define ON_WM_ACTIVATE()                                                                    \
    AFX_MSG_THUNK(WM_ACTIVATE, 0, 0, 0, void (ThisClass::*)(UINT, CWnd*, BOOL),           \
                  &ThisClass::OnActivate,                                                   \
                  (pThis_->*pfn_)(LOWORD(call_.wParam),                                     \
                                  CWnd::FromHandle(reinterpret_cast<HWND>(call_.lParam)),   \
                                  HIWORD(call_.wParam) != 0))

// Any message, handled as LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                      \
    AFX_MSG_THUNK(message, 0, 0, 0, LRESULT (ThisClass::*)(WPARAM, LPARAM), memberFxn,    \
                  call_.result = (pThis_->*pfn_)(call_.wParam, call_.lParam))

// Commands and control notifications (WM_COMMAND), by control id and notification code.
// Handlers are named as &CClass::Handler.
#define ON_CONTROL(code, id, memberFxn) \
    AFX_MSG_THUNK(WM_COMMAND, code, id, id, void (ThisClass::*)(), memberFxn, (pThis_->*pfn_)())
#define ON_CONTROL_RANGE(code, idFirst, idLast, memberFxn)                                  \
    AFX_MSG_THUNK(WM_COMMAND, code, idFirst, idLast, void (ThisClass::*)(UINT), memberFxn, \
                  (pThis_->*pfn_)(LOWORD(call_.wParam)))
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn) ON_CONTROL_RANGE(0, idFirst, idLast, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// WM_NOTIFY, by code and control id: void fn(NMHDR*, LRESULT*); *pResult starts at 0.
#define ON_NOTIFY(code, id, memberFxn)                                                      \
    AFX_MSG_THUNK(WM_NOTIFY, code, id, id, void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn, \
                  (pThis_->*pfn_)(reinterpret_cast<NMHDR*>(call_.lParam), &call_.result))
#define ON_NOTIFY_RANGE(code, idFirst, idLast, memberFxn)                                   \
    AFX_MSG_THUNK(WM_NOTIFY, code, idFirst, idLast,                                         \
                  void (ThisClass::*)(UINT, NMHDR*, LRESULT*), memberFxn,                   \
                  (pThis_->*pfn_)(static_cast<UINT>(reinterpret_cast<NMHDR*>(call_.lParam)->idFrom), \
                                  reinterpret_cast<NMHDR*>(call_.lParam), &call_.result))

// Reflected to the control that sent them; when the control handles one, its parent does not
// see it (a reflected WM_CTLCOLOR handler returning a null brush leaves it to the parent).
#define ON_CONTROL_REFLECT(code, memberFxn)                                                 \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, void (ThisClass::*)(), memberFxn, \
                  (pThis_->*pfn_)())
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                  \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                  \
                  void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn,                         \
                  (pThis_->*pfn_)(reinterpret_cast<NMHDR*>(call_.lParam), &call_.result))
#define ON_WM_CTLCOLOR_REFLECT()                                                            \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, HBRUSH (ThisClass::*)(CDC*, UINT), \
                  &ThisClass::CtlColor,                                                     \
                  HBRUSH hbr_ = (pThis_->*pfn_)(CDC::FromHandle(reinterpret_cast<HDC>(call_.wParam)), \
                                                call_.message - WM_CTLCOLORMSGBOX);         \
                  call_.result = reinterpret_cast<LRESULT>(hbr_);                           \
                  if (!hbr_) return FALSE)
#define ON_WM_DRAWITEM_REFLECT()                                                            \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, void (ThisClass::*)(LPDRAWITEMSTRUCT), \
                  &ThisClass::DrawItem,                                                     \
                  (pThis_->*pfn_)(reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam));        \
                  call_.result = TRUE)
#define ON_WM_HSCROLL_REFLECT()                                                             \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_HSCROLL, 0, 0, 0, void (ThisClass::*)(UINT, UINT),  \
                  &ThisClass::HScroll,                                                      \
                  (pThis_->*pfn_)(LOWORD(call_.wParam), HIWORD(call_.wParam)))
#define ON_WM_VSCROLL_REFLECT()                                                             \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_VSCROLL, 0, 0, 0, void (ThisClass::*)(UINT, UINT),  \
                  &ThisClass::VScroll,                                                      \
                  (pThis_->*pfn_)(LOWORD(call_.wParam), HIWORD(call_.wParam)))

class CScrollBar;
// The scroll bar a WM_HSCROLL/WM_VSCROLL came from (its permanent or a temporary wrapper), or
// null for a window's own scroll bar (lParam 0).
AFX_API CScrollBar* AfxScrollBarFromHandle(HWND hWnd);
