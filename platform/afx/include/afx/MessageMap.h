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

// Calls one handler with the arguments unpacked from the message; TRUE when it handled it.
using AFX_PMSGTHUNK = BOOL (*)(CCmdTarget* target, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;       // window message, WM_COMMAND or WM_NOTIFY; reflected ones + WM_REFLECT_BASE
    UINT nCode;          // notification code (WM_COMMAND, WM_NOTIFY)
    UINT nID;            // control id (WM_COMMAND, WM_NOTIFY)
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

// Messages a parent hands back to the control that sent them (owner draw, notifications).
#define WM_REFLECT_BASE 0xBC00

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
            { 0, 0, 0, nullptr } };                                                \
        static_assert(std::is_base_of<TheBaseClass, ThisClass>::value,               \
                      "the message map's base class must be a base of the class");    \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap,      \
                                               &_messageEntries[0] };                 \
        return &messageMap;                                                           \
    }

// One entry: `Signature` is the handler's pointer-to-member type, so a handler with another
// signature does not compile. The trailing arguments form the call (pThis_, pfn_, call_).
#define AFX_MSG_THUNK(msg, code, id, Signature, memberFxn, ...)                       \
    { static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id),         \
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
    AFX_MSG_THUNK(WM_CLOSE, 0, 0, void (ThisClass::*)(), &ThisClass::OnClose, (pThis_->*pfn_)())
#define ON_WM_DESTROY() \
    AFX_MSG_THUNK(WM_DESTROY, 0, 0, void (ThisClass::*)(), &ThisClass::OnDestroy, (pThis_->*pfn_)())
#define ON_WM_PAINT() \
    AFX_MSG_THUNK(WM_PAINT, 0, 0, void (ThisClass::*)(), &ThisClass::OnPaint, (pThis_->*pfn_)())
#define ON_WM_VSCROLL()                                                                     \
    AFX_MSG_THUNK(WM_VSCROLL, 0, 0, void (ThisClass::*)(UINT, UINT, CScrollBar*),      \
                  &ThisClass::OnVScroll,                                                    \
                  (pThis_->*pfn_)(LOWORD(call_.wParam), HIWORD(call_.wParam),               \
                                  AfxScrollBarFromHandle(reinterpret_cast<HWND>(call_.lParam))))
// pt is in screen coordinates, as the message carries it.
#define ON_WM_MOUSEWHEEL()                                                                  \
    AFX_MSG_THUNK(WM_MOUSEWHEEL, 0, 0, BOOL (ThisClass::*)(UINT, short, CPoint),       \
                  &ThisClass::OnMouseWheel,                                                 \
                  call_.result = (pThis_->*pfn_)(LOWORD(call_.wParam),                     \
                                                 static_cast<short>(HIWORD(call_.wParam)),  \
                                                 CPoint(call_.lParam)))
#define AFX_MOUSE_THUNK(msg, fn)                                                            \
    AFX_MSG_THUNK(msg, 0, 0, void (ThisClass::*)(UINT, CPoint), &ThisClass::fn,        \
                  (pThis_->*pfn_)(static_cast<UINT>(call_.wParam), CPoint(call_.lParam)))
#define ON_WM_MOUSEMOVE() AFX_MOUSE_THUNK(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONUP() AFX_MOUSE_THUNK(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_THUNK(WM_RBUTTONDOWN, OnRButtonDown)

// Any message, handled as LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                      \
    AFX_MSG_THUNK(message, 0, 0, LRESULT (ThisClass::*)(WPARAM, LPARAM), memberFxn,    \
                  call_.result = (pThis_->*pfn_)(call_.wParam, call_.lParam))

// Commands and control notifications (WM_COMMAND), by control id and notification code.
// Handlers are named as &CClass::Handler.
#define ON_CONTROL(code, id, memberFxn) \
    AFX_MSG_THUNK(WM_COMMAND, code, id, void (ThisClass::*)(), memberFxn, (pThis_->*pfn_)())
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

// WM_NOTIFY, by code and control id: void fn(NMHDR*, LRESULT*); *pResult starts at 0.
#define ON_NOTIFY(code, id, memberFxn)                                                      \
    AFX_MSG_THUNK(WM_NOTIFY, code, id, void (ThisClass::*)(NMHDR*, LRESULT*), memberFxn, \
                  (pThis_->*pfn_)(reinterpret_cast<NMHDR*>(call_.lParam), &call_.result))

// Reflected to the control that sent it; when the control handles it, its parent does not see it.
#define ON_WM_DRAWITEM_REFLECT()                                                            \
    AFX_MSG_THUNK(WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, void (ThisClass::*)(LPDRAWITEMSTRUCT), \
                  &ThisClass::DrawItem,                                                     \
                  (pThis_->*pfn_)(reinterpret_cast<LPDRAWITEMSTRUCT>(call_.lParam));        \
                  call_.result = TRUE)

class CScrollBar;
// The scroll bar a WM_HSCROLL/WM_VSCROLL came from (its permanent or a temporary wrapper), or
// null for a window's own scroll bar (lParam 0).
AFX_API CScrollBar* AfxScrollBarFromHandle(HWND hWnd);
