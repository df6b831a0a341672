#pragma once

// The framework layer, Windows part: windows, dialogs, message maps, field exchange, controls,
// bitmaps and other GDI objects, message boxes, the resource chain and OLE control hosting.
#include <afx/afxdefs.h>

#include <commctrl.h>
#include <ole2.h>

#include <afx/AfxMessageBox.h>
#include <afx/AfxTest.h>
#include <afx/CBitmap.h>
#include <afx/CGdiObject.h>
#include <afx/CCmdTarget.h>
#include <afx/CDataExchange.h>
#include <afx/CDialog.h>
#include <afx/CException.h>
#include <afx/CImageList.h>
#include <afx/CString.h>
#include <afx/CStringA.h>
#include <afx/CTreeCtrl.h>
#include <afx/CWinApp.h>
#include <afx/CWnd.h>
#include <afx/Controls.h>
#include <afx/EventSinkMap.h>
#include <afx/Geometry.h>
#include <afx/MessageMap.h>
#include <afx/OleControl.h>
#include <afx/ResourceChain.h>
