#include <afx/TextFormat.h>

#include <afx/AnsiCodePage.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

namespace {

// The flags "-", "+", " ", "0" and "#", the width and the precision (-1 for none).
struct Directive {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int precision = -1;
};

// A finite non-negative double with `prec` digits after the point. std::to_chars rounds the
// exact binary value, ties to even, and writes the exponent as "e+dd", as glibc's printf does.
std::string Digits(double v, std::chars_format form, int prec)
{
    std::string s(static_cast<std::size_t>(prec) + 330, '\0');  // 309 integer digits at most
    char* end = std::to_chars(&s[0], &s[0] + s.size(), v, form, prec).ptr;
    s.resize(static_cast<std::size_t>(end - &s[0]));
    return s;
}

void StripFractionZeros(std::string& body)
{
    if (body.find('.') == std::string::npos)
        return;
    std::size_t expPos = body.find('e');
    std::string exp = expPos == std::string::npos ? std::string() : body.substr(expPos);
    std::string mant = body.substr(0, expPos);
    while (mant.back() == '0')
        mant.pop_back();
    if (mant.back() == '.')
        mant.pop_back();
    body = mant + exp;
}

// The digits and sign of a floating conversion, before padding. `zeroPadOk` tells whether
// the '0' flag may apply (not for inf and nan).
void FormatFloat(double v, char conv, const Directive& item, std::string& sign, std::string& body,
                 bool& zeroPadOk)
{
    if (std::signbit(v) && !std::isnan(v))
        sign = "-";
    else if (item.plus)
        sign = "+";
    else if (item.space)
        sign = " ";
    zeroPadOk = std::isfinite(v);
    const double a = std::fabs(v);
    const int prec = item.precision < 0 ? 6 : item.precision;
    const char form = static_cast<char>(conv | 0x20);  // the lower-case conversion
    if (!zeroPadOk) {
        body = std::isnan(v) ? "nan" : "inf";
    } else if (form == 'f') {
        body = Digits(a, std::chars_format::fixed, prec);
    } else if (form == 'e') {
        body = Digits(a, std::chars_format::scientific, prec);
    } else {
        // %g: the exponent of the %e form with p significant digits chooses the notation.
        const int p = prec == 0 ? 1 : prec;
        body = Digits(a, std::chars_format::scientific, p - 1);
        const int x = std::atoi(body.c_str() + body.find('e') + 1);
        if (x < p && x >= -4)
            body = Digits(a, std::chars_format::fixed, p - 1 - x);
        if (!item.alt)
            StripFractionZeros(body);
    }
    // '#' keeps the point even without digits after it.
    if (zeroPadOk && item.alt && body.find('.') == std::string::npos)
        body.insert(std::min(body.find('e'), body.size()), 1, '.');
    if (form != conv)
        for (char& c : body)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 0x20 : c);
}

void FormatInteger(std::uint64_t magnitude, bool negative, char conv, const Directive& item,
                   std::string& prefix, std::string& body)
{
    if (negative)
        prefix = "-";
    else if (conv == 'd' && item.plus)
        prefix = "+";
    else if (conv == 'd' && item.space)
        prefix = " ";
    char tmp[24];
    const int base = conv == 'o' ? 8 : (conv == 'x' || conv == 'X' || conv == 'p') ? 16 : 10;
    // Zero has no digits of its own: the precision alone writes it (none for "%.0d").
    std::string digits(tmp, magnitude == 0 ? tmp : std::to_chars(tmp, tmp + sizeof tmp, magnitude, base).ptr);
    if (conv != 'x')
        for (char& c : digits)
            c = static_cast<char>(c >= 'a' ? c - 0x20 : c);
    int prec = item.precision < 0 ? 1 : item.precision;
    const int t = static_cast<int>(digits.size());
    if (conv == 'o' && item.alt && prec <= t)
        prec = t + 1;  // '#' makes the first octal digit a zero
    body.assign(static_cast<std::size_t>(prec > t ? prec - t : 0), '0');
    body += digits;
    if (item.alt && magnitude != 0 && (conv == 'x' || conv == 'X'))
        prefix += conv == 'x' ? "0x" : "0X";
}

template <typename Ch>
void AppendFill(std::basic_string<Ch>& out, int count, Ch ch)
{
    if (count > 0)
        out.append(static_cast<std::size_t>(count), ch);
}

// Pads a converted item to the width: its sign or prefix (ASCII), then zeros for the '0' flag,
// else spaces before it all; or spaces after it all for '-'.
template <typename Ch>
void EmitText(std::basic_string<Ch>& out, const Directive& item, const Ch* text, std::size_t len,
              const std::string& prefix = std::string(), bool zeroPad = false)
{
    int fill = item.width - static_cast<int>(prefix.size() + len);
    if (!item.left && !zeroPad)
        AppendFill(out, fill, Ch(' '));
    out.append(prefix.begin(), prefix.end());
    if (!item.left && zeroPad)
        AppendFill(out, fill, Ch('0'));
    out.append(text, len);
    if (item.left)
        AppendFill(out, fill, Ch(' '));
}

template <typename Ch>
void EmitNumber(std::basic_string<Ch>& out, const Directive& item, const std::string& prefix,
                const std::string& body, bool zeroPad)
{
    const std::basic_string<Ch> text(body.begin(), body.end());
    EmitText(out, item, text.c_str(), text.size(), prefix, zeroPad);
}

// The length of a string argument cut to the precision. Narrow text is cut at a character
// boundary, so that a two-byte character is never split into a stray lead byte.
std::size_t CutLength(const char* s, int precision)
{
    std::size_t limit = precision < 0 ? SIZE_MAX : static_cast<std::size_t>(precision);
    std::size_t i = 0;
    while (i < limit && s[i] != '\0') {
        if (!AfxIsAnsiLeadByte(static_cast<unsigned char>(s[i]))) {
            ++i;
            continue;
        }
        if (i + 1 >= limit)
            break;  // the trail byte lies beyond the precision (which may end the buffer)
        i += s[i + 1] != '\0' ? 2 : 1;
    }
    return i;
}

std::size_t CutLength(const wchar_t* s, int precision)
{
    std::size_t limit = precision < 0 ? SIZE_MAX : static_cast<std::size_t>(precision);
    std::size_t i = 0;
    while (i < limit && s[i] != L'\0')
        ++i;
    return i;
}

// A string argument of either width, converted to the form's own.
template <typename Ch, typename Arg>
void EmitString(std::basic_string<Ch>& out, const Directive& item, const Arg* s)
{
    static const Ch kNull[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
    if constexpr (std::is_same_v<Ch, Arg>) {
        if (s == nullptr)
            s = kNull;
        EmitText(out, item, s, CutLength(s, item.precision));
    } else if (s == nullptr) {
        EmitString(out, item, kNull);
    } else if constexpr (sizeof(Ch) == 1) {
        EmitString(out, item, AnsiFromWide(s).c_str());
    } else {
        EmitString(out, item, WideFromAnsi(s).c_str());
    }
}

template <typename Ch>
int ParseNumber(const Ch*& p)
{
    int v = 0;
    while (*p >= '0' && *p <= '9') {
        if (v < 100000000)  // larger widths are nonsense; stop growing rather than overflow
            v = v * 10 + (*p - '0');
        ++p;
    }
    return v;
}

// The argument sizes the length modifiers name: ll also for q, I64 and j; z also for t and
// a bare I; I32 is the default.
enum class Len { None, hh, h, l, ll, L, z };

template <typename Ch>
Len ParseLength(const Ch*& p)
{
    static const struct { const char* text; Len len; } kModifiers[] = {
        {"hh", Len::hh}, {"h", Len::h}, {"ll", Len::ll}, {"l", Len::l}, {"w", Len::l},
        {"q", Len::ll}, {"L", Len::L}, {"z", Len::z}, {"j", Len::ll}, {"t", Len::z},
        {"I64", Len::ll}, {"I32", Len::None}, {"I", Len::z},
    };
    for (const auto& m : kModifiers) {
        std::size_t n = 0;
        while (m.text[n] != 0 && p[n] == Ch(m.text[n]))
            ++n;
        if (m.text[n] == 0) {
            p += n;
            return m.len;
        }
    }
    return Len::None;
}

template <typename Ch>
std::basic_string<Ch> FormatImpl(const Ch* fmt, va_list ap)
{
    const bool wide = sizeof(Ch) != 1;
    std::basic_string<Ch> out;
    if (fmt == nullptr)
        return out;
    out.reserve(64);
    const Ch* p = fmt;
    while (*p != 0) {
        if (*p != '%') {
            const Ch* run = p;
            while (*p != 0 && *p != '%')
                ++p;
            out.append(run, static_cast<std::size_t>(p - run));
            continue;
        }
        const Ch* start = p++;
        Directive item;
        for (; *p == '-' || *p == '+' || *p == ' ' || *p == '0' || *p == '#'; ++p) {
            item.left |= *p == '-';
            item.plus |= *p == '+';
            item.space |= *p == ' ';
            item.zero |= *p == '0';
            item.alt |= *p == '#';
        }
        if (*p == '*') {
            int w = va_arg(ap, int);
            if (w < 0) {
                item.left = true;
                w = w == INT_MIN ? INT_MAX : -w;
            }
            item.width = w;
            ++p;
        } else {
            item.width = ParseNumber(p);
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                int pr = va_arg(ap, int);
                item.precision = pr < 0 ? -1 : pr;
                ++p;
            } else {
                item.precision = ParseNumber(p);
            }
        }
        const Len len = ParseLength(p);
        const Ch conv = *p;
        if (conv == 0) {
            out.append(start, static_cast<std::size_t>(p - start));
            break;
        }
        ++p;
        // %c and %s take the form's own width, %C and %S the other one; h names narrow, l wide.
        const bool argWide = len == Len::h ? false : len == Len::l ? true : (conv == 'c' || conv == 's') == wide;
        std::string prefix, body;
        switch (conv) {
        case '%':
            out += Ch('%');
            break;
        case 'd':
        case 'i': {
            long long v;
            switch (len) {
            case Len::hh: v = static_cast<signed char>(va_arg(ap, int)); break;
            case Len::h: v = static_cast<short>(va_arg(ap, int)); break;
            case Len::l: v = va_arg(ap, long); break;
            case Len::ll: v = va_arg(ap, long long); break;
            case Len::z: v = va_arg(ap, std::ptrdiff_t); break;
            default: v = va_arg(ap, int); break;
            }
            std::uint64_t mag = v < 0 ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
            FormatInteger(mag, v < 0, 'd', item, prefix, body);
            EmitNumber(out, item, prefix, body, item.zero && !item.left && item.precision < 0);
            break;
        }
        case 'u':
        case 'x':
        case 'X':
        case 'o': {
            std::uint64_t v;
            switch (len) {
            case Len::hh: v = static_cast<unsigned char>(va_arg(ap, unsigned)); break;
            case Len::h: v = static_cast<unsigned short>(va_arg(ap, unsigned)); break;
            case Len::l: v = va_arg(ap, unsigned long); break;
            case Len::ll: v = va_arg(ap, unsigned long long); break;
            case Len::z: v = va_arg(ap, std::size_t); break;
            default: v = va_arg(ap, unsigned); break;
            }
            FormatInteger(v, false, static_cast<char>(conv), item, prefix, body);
            EmitNumber(out, item, prefix, body, item.zero && !item.left && item.precision < 0);
            break;
        }
        case 'p': {
            Directive ps = item;
            ps.precision = static_cast<int>(2 * sizeof(void*));
            ps.alt = false;
            FormatInteger(reinterpret_cast<std::uintptr_t>(va_arg(ap, const void*)), false, 'p', ps, prefix, body);
            EmitNumber(out, item, prefix, body, false);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            double v = len == Len::L ? static_cast<double>(va_arg(ap, long double)) : va_arg(ap, double);
            bool zeroPadOk;
            FormatFloat(v, static_cast<char>(conv), item, prefix, body, zeroPadOk);
            EmitNumber(out, item, prefix, body, item.zero && !item.left && zeroPadOk);
            break;
        }
        case 'c':
        case 'C': {
            int v = va_arg(ap, int);
            Directive cs = item;
            cs.precision = -1;
            const Ch own[1] = {static_cast<Ch>(v)};
            const wchar_t wc[2] = {static_cast<wchar_t>(v), 0};
            const char nc[2] = {static_cast<char>(v), 0};
            if (argWide == wide)
                EmitText(out, cs, own, 1);
            else if (argWide)
                EmitString(out, cs, wc);
            else
                EmitString(out, cs, nc);
            break;
        }
        case 's':
        case 'S':
            if (argWide)
                EmitString(out, item, va_arg(ap, const wchar_t*));
            else
                EmitString(out, item, va_arg(ap, const char*));
            break;
        default:
            // Unknown conversions (and %n, which would write through an argument) are copied.
            out.append(start, static_cast<std::size_t>(p - start));
            break;
        }
    }
    return out;
}

}  // namespace

std::wstring FormatTextV(const wchar_t* fmt, va_list args)
{
    va_list ap;
    va_copy(ap, args);
    std::wstring s = FormatImpl(fmt, ap);
    va_end(ap);
    return s;
}

std::string FormatTextV(const char* fmt, va_list args)
{
    va_list ap;
    va_copy(ap, args);
    std::string s = FormatImpl(fmt, ap);
    va_end(ap);
    return s;
}

std::wstring FormatText(const wchar_t* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::wstring s = FormatImpl(fmt, ap);
    va_end(ap);
    return s;
}

std::string FormatText(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    std::string s = FormatImpl(fmt, ap);
    va_end(ap);
    return s;
}
