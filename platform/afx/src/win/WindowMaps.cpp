#include "AfxInternal.h"

#include <memory>
#include <unordered_map>

namespace afx_internal {
namespace {

std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

std::unordered_map<HWND, WNDPROC>& OrphanMap()
{
    static std::unordered_map<HWND, WNDPROC> map;
    return map;
}

void ForgetTemporary(std::unique_ptr<CWnd>& p)
{
    // A temporary never owns its window: clear the handle before the object goes.
    p->m_hWnd = nullptr;
    p.reset();
}

int g_nDispatchDepth = 0;

// Drops wrappers of windows that are gone, so a long session does not accumulate them.
void PurgeDeadTemporaries()
{
    auto& map = TemporaryMap();
    if (map.size() < 32) return;
    for (auto it = map.begin(); it != map.end();) {
        if (!::IsWindow(it->first)) {
            ForgetTemporary(it->second);
            it = map.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace

CWnd* LookupPermanent(HWND hWnd)
{
    if (!hWnd) return nullptr;
    auto& map = PermanentMap();
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

void AddPermanent(HWND hWnd, CWnd* pWnd)
{
    // A temporary wrapper of the same window stays valid for whoever holds it; FromHandle
    // prefers the permanent object from now on.
    PermanentMap()[hWnd] = pWnd;
}

void RemovePermanent(HWND hWnd)
{
    PermanentMap().erase(hWnd);
}

CWnd* LookupOrMakeTemporary(HWND hWnd)
{
    auto& map = TemporaryMap();
    auto it = map.find(hWnd);
    if (it != map.end()) return it->second.get();
    auto p = std::make_unique<CWnd>();
    p->m_hWnd = hWnd;
    CWnd* raw = p.get();
    map.emplace(hWnd, std::move(p));
    return raw;
}

void AddOrphanProc(HWND hWnd, WNDPROC proc)
{
    OrphanMap()[hWnd] = proc;
}

WNDPROC TakeOrphanProc(HWND hWnd, bool remove)
{
    auto& map = OrphanMap();
    auto it = map.find(hWnd);
    if (it == map.end()) return nullptr;
    WNDPROC proc = it->second;
    if (remove) map.erase(it);
    return proc;
}

MSG& CurrentMessage()
{
    static MSG msg{};
    return msg;
}

MessageScope::MessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    : m_saved(CurrentMessage())
{
    ++g_nDispatchDepth;
    CurrentMessage() = MSG{hWnd, message, wParam, lParam, 0, {}};
}

MessageScope::~MessageScope()
{
    CurrentMessage() = m_saved;
    // Temporary wrappers live for the message that made them: drop the stale ones once no
    // handler is running.
    if (--g_nDispatchDepth == 0)
        PurgeDeadTemporaries();
}

void ReportCallbackException(CException* e)
{
    const bool invalidArg = dynamic_cast<CInvalidArgException*>(e) != nullptr;
    e->Delete();
    AfxMessageBox(invalidArg ? L"無効な引数が検出されました。" : L"予期しないエラーが発生しました。",
                  MB_OK | MB_ICONSTOP);
}

void ReportCallbackException(const std::exception& e)
{
    CString text(L"予期しないエラーが発生しました。\n");
    text += CString(e.what());
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
}

HINSTANCE ModuleHandle()
{
    static const char anchor = 0;
    static HINSTANCE module = [] {
        HMODULE h = nullptr;
        ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR>(&anchor), &h);
        return h;
    }();
    return module;
}

LPCWSTR FrameworkWindowClass()
{
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = AfxWndProc;
        wc.hInstance = ModuleHandle();
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"AfxWnd";
        ::RegisterClassExW(&wc);
        return L"AfxWnd";
    }();
    return name;
}

CWnd*& WindowBeingCreated()
{
    static CWnd* pWnd = nullptr;
    return pWnd;
}

}  // namespace afx_internal
