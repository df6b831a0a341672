#include <afx/AnsiCodePage.h>

#ifdef _WIN32

#include <climits>

std::string AnsiFromWide(const std::wstring& wide)
{
    if (wide.empty() || wide.size() > INT_MAX / 4)
        return std::string();
    int n = static_cast<int>(wide.size());
    // UTF-8 rejects a default character (ERROR_INVALID_PARAMETER) and needs none.
    const char* def = GetACP() == CP_UTF8 ? nullptr : "?";
    int need = WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, def, nullptr);
    if (need <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(need), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), n, &out[0], need, def, nullptr);
    return out;
}

std::wstring WideFromAnsi(const std::string& ansi)
{
    if (ansi.empty() || ansi.size() > INT_MAX)
        return std::wstring();
    int n = static_cast<int>(ansi.size());
    int need = MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0);
    if (need <= 0)
        return std::wstring();
    std::wstring out(static_cast<std::size_t>(need), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, &out[0], need);
    return out;
}

void AfxSetAnsiCodePage(unsigned)
{
}

unsigned AfxGetAnsiCodePage()
{
    return GetACP();
}

bool AfxIsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
}

#else

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iconv.h>
#include <iterator>
#include <string_view>

namespace {

std::atomic<unsigned> g_codePage{932};

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

std::string IconvName(unsigned cp)
{
    switch (cp) {
    case 65001: return "UTF-8";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    default: break;
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "CP%u", cp);
    return buf;
}

// Each thread keeps its own pair of descriptors (iconv state is not shareable), reopened when
// the process-wide code page changes. kNoConverter when iconv does not know the code page.
class Converters {
public:
    ~Converters() { Close(); }
    iconv_t ToAnsi() { Refresh(); return m_toAnsi; }
    iconv_t FromAnsi() { Refresh(); return m_fromAnsi; }

private:
    void Refresh()
    {
        unsigned cp = g_codePage.load();
        if (cp == m_cp)
            return;
        Close();
        m_cp = cp;
        std::string name = IconvName(cp);
        m_toAnsi = iconv_open(name.c_str(), "WCHAR_T");
        m_fromAnsi = iconv_open("WCHAR_T", name.c_str());
    }
    void Close()
    {
        if (m_toAnsi != kNoConverter)
            iconv_close(m_toAnsi);
        if (m_fromAnsi != kNoConverter)
            iconv_close(m_fromAnsi);
        m_toAnsi = m_fromAnsi = kNoConverter;
    }
    unsigned m_cp = 0;
    iconv_t m_toAnsi = kNoConverter;
    iconv_t m_fromAnsi = kNoConverter;
};

thread_local Converters t_converters;

// Where Windows encodes code page 932 differently from glibc's CP932: the code points it
// best-fits (é -> 'e', « -> 81 E1, ...), five that glibc maps but Windows writes as the default
// character, and the C1 and private-use points Windows keeps for bytes 80, A0 and FD-FF.
// Measured with WideCharToMultiByte(932) against iconv over the whole BMP.
// The letters U+00C0..U+00FF go to their base letters; '.' marks × and ÷, which CP932 holds.
const char kLatinLetters932[] = "AAAAAAACEEEEIIIIDNOOOOO.OUUUUYTsaaaaaaaceeeeiiiidnooooo.ouuuuyty";

struct Override {
    unsigned long code;
    const char* bytes;
};

const Override kOverrides932[] = {
    {0x0080, "\x80"}, {0x00A1, "!"}, {0x00A6, "|"}, {0x00A9, "c"}, {0x00AA, "a"},
    {0x00AB, "\x81\xE1"}, {0x00AD, "-"}, {0x00AE, "R"}, {0x00AF, "\x81\x50"}, {0x00B2, "2"},
    {0x00B3, "3"}, {0x00B5, "\x83\xCA"}, {0x00B7, "\x81\x45"}, {0x00B8, "\x81\x43"}, {0x00B9, "1"},
    {0x00BA, "o"}, {0x00BB, "\x81\xE2"},
    {0x2014, "?"}, {0x2016, "?"}, {0x203E, "?"}, {0x2212, "?"}, {0x301C, "?"},
    {0x3094, "\x83\x94"},
    {0xF8F0, "\xA0"}, {0xF8F1, "\xFD"}, {0xF8F2, "\xFE"}, {0xF8F3, "\xFF"},
};

// Windows' bytes for the code point where they differ from glibc's; empty elsewhere.
std::string_view Override932(unsigned long code)
{
    if (code >= 0xC0 && code <= 0xFF && kLatinLetters932[code - 0xC0] != '.')
        return std::string_view(&kLatinLetters932[code - 0xC0], 1);
    if (code < 0x80)
        return std::string_view();
    const Override* end = std::end(kOverrides932);
    const Override* it = std::lower_bound(std::begin(kOverrides932), end, code,
        [](const Override& o, unsigned long c) { return o.code < c; });
    return it != end && it->code == code ? std::string_view(it->bytes) : std::string_view();
}

// A byte that glibc's CP932 rejects: what Windows reads for it alone (80, A0, FD-FF, the single
// bytes of the table above), else U+FFFD.
wchar_t Windows932Single(unsigned char byte)
{
    for (const Override& o : kOverrides932)
        if (static_cast<unsigned char>(o.bytes[0]) == byte && o.bytes[1] == '\0' && byte >= 0x80)
            return static_cast<wchar_t>(o.code);
    return L'\xFFFD';
}

// Converts a run of characters with iconv; whatever it rejects becomes the default character.
void EncodeRun(iconv_t cd, const wchar_t* run, std::size_t count, std::string& out)
{
    if (count == 0)
        return;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buf[512];
    char* in = const_cast<char*>(reinterpret_cast<const char*>(run));
    std::size_t inLeft = count * sizeof(wchar_t);
    while (inLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        std::size_t r = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        int err = errno;
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r != static_cast<std::size_t>(-1) || err == E2BIG)
            continue;
        // Windows sees a character beyond the BMP as two UTF-16 units and writes two '?'.
        wchar_t rejected;
        std::memcpy(&rejected, in, sizeof rejected);
        out += static_cast<unsigned long>(rejected) > 0xFFFF ? "??" : "?";
        std::size_t skip = inLeft < sizeof(wchar_t) ? inLeft : sizeof(wchar_t);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, static_cast<std::size_t>(dst - buf));
}

}  // namespace

std::string AnsiFromWide(const std::wstring& wide)
{
    std::string out;
    if (wide.empty())
        return out;
    iconv_t cd = t_converters.ToAnsi();
    if (cd == kNoConverter) {
        for (wchar_t ch : wide)
            out += ch > 0 && ch < 0x80 ? static_cast<char>(ch) : '?';
        return out;
    }
    out.reserve(wide.size() * 2);
    const bool windows932 = g_codePage.load() == 932;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const std::string_view fit = windows932 ? Override932(static_cast<unsigned long>(wide[i])) : "";
        if (fit.empty())
            continue;
        EncodeRun(cd, wide.data() + runStart, i - runStart, out);
        out += fit;
        runStart = i + 1;
    }
    EncodeRun(cd, wide.data() + runStart, wide.size() - runStart, out);
    return out;
}

std::wstring WideFromAnsi(const std::string& ansi)
{
    std::wstring out;
    if (ansi.empty())
        return out;
    iconv_t cd = t_converters.FromAnsi();
    if (cd == kNoConverter) {
        for (char c : ansi)
            out += static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'\xFFFD';
        return out;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.reserve(ansi.size());
    const bool windows932 = g_codePage.load() == 932;
    wchar_t buf[256];
    char* in = const_cast<char*>(ansi.data());
    std::size_t inLeft = ansi.size();
    while (inLeft > 0) {
        char* dst = reinterpret_cast<char*>(buf);
        std::size_t dstLeft = sizeof buf;
        std::size_t r = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        int err = errno;
        out.append(buf, static_cast<std::size_t>(dst - reinterpret_cast<char*>(buf)) / sizeof(wchar_t));
        if (r != static_cast<std::size_t>(-1) || err == E2BIG)
            continue;
        // One replacement character per bad byte, except the single bytes glibc leaves out and
        // Windows reads.
        out += windows932 ? Windows932Single(static_cast<unsigned char>(*in)) : L'\xFFFD';
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

void AfxSetAnsiCodePage(unsigned cp)
{
    g_codePage.store(cp == 0 ? 932 : cp);
}

unsigned AfxGetAnsiCodePage()
{
    return g_codePage.load();
}

bool AfxIsAnsiLeadByte(unsigned char byte)
{
    switch (g_codePage.load()) {
    case 932:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

#endif
