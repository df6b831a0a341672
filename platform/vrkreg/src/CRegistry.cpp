#include <vrkreg/CRegistry.h>

#include <afx/afxwin.h>

#include <cstring>
#include <vector>

namespace {

const wchar_t kDefaultRoot[] = L"Software\\VRKOBS";

CString& Root()
{
    static CString root(kDefaultRoot);
    return root;
}

CString Trimmed(const CString& key)
{
    CString k(key);
    k.Trim(L'\\');
    return k;
}

CString FullPath(const CString& key)
{
    // Never the bare HKEY_CURRENT_USER: DeleteKey(L"") would then remove the user's whole hive.
    CString path = Trimmed(Root());
    if (path.IsEmpty())
        path = kDefaultRoot;
    CString k = Trimmed(key);
    if (!k.IsEmpty()) {
        path += L'\\';
        path += k;
    }
    return path;
}

// Owns an open key; closes it on every path out.
class Key {
public:
    Key(const CString& key, bool create)
    {
        const CString path = FullPath(key);
        LONG rc = create
            ? RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, &m_h, nullptr)
            : RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &m_h);
        if (rc != ERROR_SUCCESS)
            m_h = nullptr;
    }
    ~Key()
    {
        if (m_h)
            RegCloseKey(m_h);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return m_h; }

    // false when the value is missing or of another type; bytes hold the raw data otherwise.
    bool Query(const CString& name, DWORD wantType, std::vector<BYTE>& bytes) const
    {
        if (!m_h)
            return false;
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(m_h, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        if (type != wantType && !(wantType == REG_SZ && type == REG_EXPAND_SZ))
            return false;
        bytes.assign(size, 0);
        // The value may grow between the two calls; retry once with the new size.
        for (int attempt = 0; attempt < 2; ++attempt) {
            DWORD got = static_cast<DWORD>(bytes.size());
            LONG rc = RegQueryValueExW(m_h, name, nullptr, &type, bytes.data(), &got);
            if (rc == ERROR_SUCCESS) {
                bytes.resize(got);
                return true;
            }
            if (rc != ERROR_MORE_DATA)
                return false;
            bytes.assign(got, 0);
        }
        return false;
    }

    BOOL Set(const CString& name, DWORD type, const void* data, DWORD size) const
    {
        return m_h && RegSetValueExW(m_h, name, 0, type, static_cast<const BYTE*>(data), size)
                          == ERROR_SUCCESS;
    }

private:
    HKEY m_h = nullptr;
};

// The window's handle and placement; false when it has no window or no placement.
bool Placement(CWnd* pWnd, HWND& hWnd, WINDOWPLACEMENT& wp)
{
    hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    wp = WINDOWPLACEMENT{};
    wp.length = sizeof wp;
    return hWnd && IsWindow(hWnd) && GetWindowPlacement(hWnd, &wp);
}

}  // namespace

void CRegistry::SetRoot(LPCTSTR root)
{
    CString r(root);
    Root() = Trimmed(r).IsEmpty() ? CString(kDefaultRoot) : r;
}

CString CRegistry::GetRoot()
{
    return Root();
}

BOOL CRegistry::Read(const CString& key, const CString& name, int nDefault, int* pValue, int nFlag)
{
    if (!pValue)
        return FALSE;
    std::vector<BYTE> bytes;
    if (Key(key, false).Query(name, REG_DWORD, bytes) && bytes.size() == sizeof(DWORD)) {
        DWORD v = 0;
        memcpy(&v, bytes.data(), sizeof v);
        *pValue = static_cast<int>(v);
        return TRUE;
    }
    if (nFlag == 0)
        *pValue = nDefault;
    return FALSE;
}

BOOL CRegistry::Write(const CString& key, const CString& name, int nValue, int /*nFlag*/)
{
    const DWORD v = static_cast<DWORD>(nValue);
    return Key(key, true).Set(name, REG_DWORD, &v, sizeof v);
}

BOOL CRegistry::Read(const CString& key, const CString& name, const CString& strDefault,
                     CString& strValue)
{
    std::vector<BYTE> bytes;
    if (Key(key, false).Query(name, REG_SZ, bytes)) {
        // The stored data need not end with a terminator, nor have an even length.
        const size_t n = bytes.size() / sizeof(wchar_t);
        std::wstring text(n, L'\0');
        if (n)
            memcpy(&text[0], bytes.data(), n * sizeof(wchar_t));
        const size_t nul = text.find(L'\0');
        if (nul != std::wstring::npos)
            text.resize(nul);
        strValue = CString(std::move(text));
        return TRUE;
    }
    strValue = strDefault;
    return FALSE;
}

BOOL CRegistry::Write(const CString& key, const CString& name, const CString& strValue)
{
    const DWORD size = static_cast<DWORD>((strValue.GetLength() + 1) * sizeof(wchar_t));
    return Key(key, true).Set(name, REG_SZ, strValue.GetString(), size);
}

BOOL CRegistry::Read(const CString& key, const CString& name, CWnd* pWnd, int* pShow, int nFlag)
{
    HWND hWnd = nullptr;
    WINDOWPLACEMENT wp;
    if (!Placement(pWnd, hWnd, wp))
        return FALSE;
    std::vector<BYTE> bytes;
    if (!Key(key, false).Query(name, REG_BINARY, bytes) || bytes.size() != sizeof(WINDOWPLACEMENT))
        return FALSE;
    WINDOWPLACEMENT stored;
    memcpy(&stored, bytes.data(), sizeof stored);
    if (stored.length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    RECT rc = stored.rcNormalPosition;
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return FALSE;

    if (!(GetWindowLongW(hWnd, GWL_STYLE) & WS_THICKFRAME)) {
        rc.right = rc.left + (wp.rcNormalPosition.right - wp.rcNormalPosition.left);
        rc.bottom = rc.top + (wp.rcNormalPosition.bottom - wp.rcNormalPosition.top);
    }
    // A monitor that was there when the placement was stored may be gone now.
    if (!MonitorFromRect(&rc, MONITOR_DEFAULTTONULL)) {
        RECT work = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        OffsetRect(&rc, work.left - rc.left, work.top - rc.top);
    }

    int show = static_cast<int>(stored.showCmd);
    if (show <= SW_HIDE || show > SW_MAX || show == SW_MINIMIZE || show == SW_SHOWMINIMIZED
        || show == SW_SHOWMINNOACTIVE || show == SW_FORCEMINIMIZE)
        show = pShow ? *pShow : SW_SHOWNORMAL;
    if (pShow)
        *pShow = show;

    wp.flags = 0;
    wp.rcNormalPosition = rc;
    if (nFlag & 1) {
        // Position only: SetWindowPlacement would show the window.
        return SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left,
                            rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    wp.showCmd = static_cast<UINT>(show);
    return SetWindowPlacement(hWnd, &wp);
}

BOOL CRegistry::Write(const CString& key, const CString& name, CWnd* pWnd, int /*nFlag*/)
{
    HWND hWnd = nullptr;
    WINDOWPLACEMENT wp;
    return Placement(pWnd, hWnd, wp) && Key(key, true).Set(name, REG_BINARY, &wp, sizeof wp);
}

BOOL CRegistry::DeleteKey(const CString& key)
{
    const LONG rc = RegDeleteTreeW(HKEY_CURRENT_USER, FullPath(key));
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}
