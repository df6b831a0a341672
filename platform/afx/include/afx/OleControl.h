#pragma once

#include <afx/afxdefs.h>

#include <ole2.h>
#include <oleauto.h>

// Argument type strings for CWnd::InvokeHelper and ON_EVENT: one byte per argument, a VARTYPE,
// with 0x40 marking an argument passed by reference (a pointer). Concatenate them:
// `static const BYTE params[] = VTS_R8 VTS_R8;`.
#define VT_AFXBYREF 0x40
#define VTS_NONE ""
#define VTS_I4 "\x03"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_BOOL "\x0B"
#define VTS_UI4 "\x13"
#define VTS_UI8 "\x15"
#define VTS_PR8 "\x45"

// A host supplies the control of a class id through a factory: it creates the control window
// (child of hParent with dwStyle, rc and nID), keeps pEventSink (AddRef it) to fire events with
// IDispatch::Invoke(dispid, DISPATCH_METHOD, arguments in reverse order), and returns the
// window and an AddRef'ed IDispatch of the control. A failure HRESULT makes CreateControl fail.
using AfxControlFactory = HRESULT (*)(HWND hParent, DWORD dwStyle, const RECT& rc, UINT nID,
                                      IDispatch* pEventSink, HWND* phWnd,
                                      IDispatch** ppDispatch);

// Registers (or replaces) the factory of a class id; a null factory removes it.
AFX_API void AfxRegisterControlFactory(REFCLSID clsid, AfxControlFactory factory);
AFX_API void AfxUnregisterControlFactory(REFCLSID clsid);
