#include "DlgTemplateReader.h"

#include <cwctype>

namespace {

class Cursor {
public:
    Cursor(const BYTE* p, size_t n) : m_p(p), m_n(n) {}
    bool ok() const { return m_ok; }
    size_t pos() const { return m_pos; }
    void align4() { m_pos = (m_pos + 3) & ~size_t(3); }
    template <typename T> T get()
    {
        T v{};
        if (m_pos + sizeof(T) > m_n) {
            m_ok = false;
            return v;
        }
        memcpy(&v, m_p + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return v;
    }
    std::wstring str()
    {
        std::wstring s;
        for (WCHAR c; m_ok && (c = get<WCHAR>()) != 0;)
            s += c;
        return s;
    }
    // A string or an ordinal (0xFFFF followed by a WORD), as class names and menus are stored.
    std::wstring strOrOrd()
    {
        const WORD first = get<WORD>();
        if (first == 0)
            return {};
        if (first == 0xFFFF) {
            switch (const WORD ord = get<WORD>()) {
            case 0x80: return L"Button";
            case 0x81: return L"Edit";
            case 0x82: return L"Static";
            case 0x83: return L"ListBox";
            case 0x84: return L"ScrollBar";
            case 0x85: return L"ComboBox";
            default: return L"#" + std::to_wstring(ord);
            }
        }
        std::wstring s(1, static_cast<wchar_t>(first));
        return s + str();
    }

private:
    const BYTE* m_p;
    size_t m_n;
    size_t m_pos = 0;
    bool m_ok = true;
};

}  // namespace

bool ReadDlgTemplate(HMODULE hModule, LPCWSTR name, DlgTemplate& dlg, std::string& error)
{
    HRSRC hRes = FindResourceW(hModule, name, reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL hData = hRes ? LoadResource(hModule, hRes) : nullptr;
    const BYTE* p = hData ? static_cast<const BYTE*>(LockResource(hData)) : nullptr;
    if (p == nullptr) {
        error = "template not found";
        return false;
    }
    Cursor c(p, SizeofResource(hModule, hRes));
    const WORD w0 = c.get<WORD>();
    const WORD w1 = c.get<WORD>();
    const bool ex = w0 == 1 && w1 == 0xFFFF;
    if (ex) {
        c.get<DWORD>();  // help id
        c.get<DWORD>();  // extended style
        dlg.style = c.get<DWORD>();
    } else {
        dlg.style = static_cast<DWORD>(w1) << 16 | w0;
        c.get<DWORD>();  // extended style
    }
    const WORD count = c.get<WORD>();
    dlg.x = c.get<short>();
    dlg.y = c.get<short>();
    dlg.cx = c.get<short>();
    dlg.cy = c.get<short>();
    c.strOrOrd();  // menu
    c.strOrOrd();  // class
    dlg.title = c.str();
    if (dlg.style & (DS_SETFONT | DS_SHELLFONT)) {
        dlg.pointSize = c.get<WORD>();
        if (ex) {
            c.get<WORD>();  // weight
            c.get<BYTE>();  // italic
            c.get<BYTE>();  // charset
        }
        dlg.face = c.str();
    }
    for (WORD i = 0; i < count && c.ok(); ++i) {
        c.align4();
        DlgItem item;
        if (ex) {
            c.get<DWORD>();  // help id
            c.get<DWORD>();  // extended style
            item.style = c.get<DWORD>();
        } else {
            item.style = c.get<DWORD>();
            c.get<DWORD>();
        }
        item.x = c.get<short>();
        item.y = c.get<short>();
        item.cx = c.get<short>();
        item.cy = c.get<short>();
        item.id = ex ? static_cast<int>(c.get<DWORD>()) : static_cast<short>(c.get<WORD>());
        item.cls = c.strOrOrd();
        item.title = c.strOrOrd();
        const WORD extra = c.get<WORD>();
        for (WORD k = 0; k < extra; ++k)
            c.get<BYTE>();
        dlg.items.push_back(item);
    }
    if (!c.ok()) {
        error = "template ends early";
        return false;
    }
    return true;
}

wchar_t AccessKeyOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towupper(caption[i + 1]));
    }
    return 0;
}
