#pragma once

#include <vrkreg/vrkregdefs.h>
#include <afx/CString.h>

class CWnd;

// Settings under HKEY_CURRENT_USER\<root>\<key>. The host sets the root once at start-up; tests
// use a root of their own. A key may hold sub-keys ("Dialog\Obs"); an empty key means the root.
//
// The int forms take a flag:
//   Read, flag 0: nothing stored (or not a number) -> *value = default.
//   Read, flag 1: nothing stored -> *value is left as the caller set it, so a member that the
//                 constructor initialised keeps that value on a first run; the default is ignored.
//   Write: the flag changes nothing in what is stored (a REG_DWORD either way); it is taken so
//          that a value's Read and Write calls read alike.
// Every call returns nonzero on success; a Read returns 0 when nothing usable is stored.
class VRKREG_API CRegistry {
public:
    // "Software\\Maker\\Product"; null or empty restores the default root "Software\\VRKOBS"
    // (settings never go straight under HKEY_CURRENT_USER).
    static void SetRoot(LPCTSTR root);
    static CString GetRoot();

    static BOOL Read(const CString& key, const CString& name, int nDefault, int* pValue, int nFlag);
    static BOOL Write(const CString& key, const CString& name, int nValue, int nFlag);

    // Restores the placement stored by the window form of Write. Flag 0: place the window and show
    // it with the stored show command (a stored minimised or hidden state shows as *pShow, which
    // the caller sets, usually SW_SHOWNORMAL). Flag 1: place it only, leaving it hidden or shown
    // as it is. *pShow receives the show command used. A window without a sizing border keeps its
    // size; a position that lies on no monitor is moved onto the primary one. 0 when nothing is
    // stored (the window is then left untouched).
    static BOOL Read(const CString& key, const CString& name, CWnd* pWnd, int* pShow, int nFlag);
    static BOOL Write(const CString& key, const CString& name, CWnd* pWnd, int nFlag);

    // Read: value = stored text, or the default when nothing (or not text) is stored.
    static BOOL Read(const CString& key, const CString& name, const CString& strDefault,
                     CString& strValue);
    static BOOL Write(const CString& key, const CString& name, const CString& strValue);

    // Removes a key with everything below it; an empty key removes the whole root (for tests and
    // for a host's "reset settings"). Nonzero also when there was nothing to remove.
    static BOOL DeleteKey(const CString& key);
};
