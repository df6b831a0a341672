#include <afx/TextFormat.h>

#include <afx/AnsiCodePage.h>

#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// The exact decimal expansion of a finite double: value = 0.d[0]d[1]...d[n-1] x 10^point,
// with no leading or trailing zero digits; n == 0 for zero. The longest expansion (the
// smallest subnormal) has 767 significant digits.
struct Decimal {
    char d[800];
    int n = 0;
    int point = 0;
};

// Base-1e9 big integer on the stack: m x 5^1074 needs 86 limbs, m x 2^971 needs 35.
class BigDec {
public:
    explicit BigDec(std::uint64_t v)
    {
        do {
            m_limb[m_size++] = static_cast<std::uint32_t>(v % kBase);
            v /= kBase;
        } while (v != 0);
    }
    // x must stay below 2^32 so that limb * x + carry fits in 64 bits.
    void Mul(std::uint32_t x)
    {
        std::uint64_t carry = 0;
        for (int i = 0; i < m_size; ++i) {
            std::uint64_t t = static_cast<std::uint64_t>(m_limb[i]) * x + carry;
            m_limb[i] = static_cast<std::uint32_t>(t % kBase);
            carry = t / kBase;
        }
        while (carry != 0) {
            m_limb[m_size++] = static_cast<std::uint32_t>(carry % kBase);
            carry /= kBase;
        }
    }
    void MulPow5(int k)
    {
        for (; k >= 13; k -= 13)
            Mul(1220703125u);  // 5^13
        std::uint32_t p = 1;
        for (; k > 0; --k)
            p *= 5;
        if (p != 1)
            Mul(p);
    }
    void MulPow2(int k)
    {
        for (; k >= 31; k -= 31)
            Mul(1u << 31);
        if (k > 0)
            Mul(1u << k);
    }
    // Writes the decimal digits without leading zeros; returns their count.
    int Digits(char* out) const
    {
        int n = 0;
        char tmp[10];
        std::uint32_t top = m_limb[m_size - 1];
        int t = 0;
        do {
            tmp[t++] = static_cast<char>('0' + top % 10);
            top /= 10;
        } while (top != 0);
        while (t > 0)
            out[n++] = tmp[--t];
        for (int i = m_size - 2; i >= 0; --i) {
            std::uint32_t v = m_limb[i];
            for (int j = 8; j >= 0; --j) {
                out[n + j] = static_cast<char>('0' + v % 10);
                v /= 10;
            }
            n += 9;
        }
        return n;
    }

private:
    static constexpr std::uint64_t kBase = 1000000000u;
    std::uint32_t m_limb[90];
    int m_size = 0;
};

void ExactDecimal(double v, Decimal& dec)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e;
    if (biased == 0) {
        e = -1074;
    } else {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    dec.n = 0;
    dec.point = 0;
    if (m == 0)
        return;
    while ((m & 1) == 0 && e < 0) {
        m >>= 1;
        ++e;
    }
    BigDec big(m);
    int k = 0;
    if (e >= 0)
        big.MulPow2(e);
    else {
        k = -e;
        big.MulPow5(k);  // m / 2^k == m * 5^k / 10^k
    }
    int n = big.Digits(dec.d);
    dec.point = n - k;
    while (n > 0 && dec.d[n - 1] == '0')
        --n;
    dec.n = n;
}

// Keeps the first `keep` significant digits, rounding the exact value half to even.
void RoundDecimal(Decimal& dec, int keep)
{
    if (keep >= dec.n)
        return;
    if (keep < 0) {
        dec.n = 0;
        return;
    }
    char next = dec.d[keep];
    bool moreAfter = dec.n > keep + 1;  // the last digit is never '0'
    int lastKept = keep > 0 ? dec.d[keep - 1] - '0' : 0;
    bool up = next > '5' || (next == '5' && (moreAfter || (lastKept & 1) != 0));
    dec.n = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && dec.d[i] == '9')
            --i;
        if (i < 0) {
            dec.d[0] = '1';
            dec.n = 1;
            ++dec.point;
        } else {
            ++dec.d[i];
            dec.n = i + 1;
        }
    }
    while (dec.n > 0 && dec.d[dec.n - 1] == '0')
        --dec.n;
}

char DigitAt(const Decimal& dec, int i)
{
    return i >= 0 && i < dec.n ? dec.d[i] : '0';
}

struct Directive {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    bool alt = false;
    int width = 0;
    int precision = -1;
};

// Appends fixed notation of a non-negative rounded decimal with `prec` fraction digits.
void AppendFixed(std::string& out, const Decimal& dec, int prec, bool alt)
{
    if (dec.point <= 0)
        out += '0';
    else
        for (int i = 0; i < dec.point; ++i)
            out += DigitAt(dec, i);
    if (prec > 0 || alt)
        out += '.';
    for (int i = 0; i < prec; ++i)
        out += DigitAt(dec, dec.point + i);
}

void AppendExponent(std::string& out, int exp, bool upper)
{
    out += upper ? 'E' : 'e';
    out += exp < 0 ? '-' : '+';
    unsigned a = static_cast<unsigned>(exp < 0 ? -exp : exp);
    char tmp[8];
    int t = 0;
    do {
        tmp[t++] = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a != 0);
    if (t < 2)
        tmp[t++] = '0';
    while (t > 0)
        out += tmp[--t];
}

// Scientific notation with `prec` digits after the point; dec is already rounded.
void AppendScientific(std::string& out, const Decimal& dec, int prec, bool alt, bool upper)
{
    out += DigitAt(dec, 0);
    if (prec > 0 || alt)
        out += '.';
    for (int i = 1; i <= prec; ++i)
        out += DigitAt(dec, i);
    AppendExponent(out, dec.n == 0 ? 0 : dec.point - 1, upper);
}

void StripFractionZeros(std::string& body)
{
    if (body.find('.') == std::string::npos)
        return;
    std::size_t expPos = body.find_first_of("eE");
    std::string exp = expPos == std::string::npos ? std::string() : body.substr(expPos);
    std::string mant = body.substr(0, expPos);
    while (!mant.empty() && mant.back() == '0')
        mant.pop_back();
    if (!mant.empty() && mant.back() == '.')
        mant.pop_back();
    body = mant + exp;
}

// The digits and sign of a floating conversion, before padding. `zeroPadOk` tells whether
// the '0' flag may apply (not for inf and nan).
void FormatFloat(double v, char conv, const Directive& item, std::string& sign, std::string& body,
                 bool& zeroPadOk)
{
    bool upper = conv == 'F' || conv == 'E' || conv == 'G';
    if (std::signbit(v) && !std::isnan(v))
        sign = "-";
    else if (item.plus)
        sign = "+";
    else if (item.space)
        sign = " ";
    zeroPadOk = true;
    if (std::isnan(v) || std::isinf(v)) {
        body = std::isnan(v) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
        zeroPadOk = false;
        return;
    }
    Decimal dec;
    ExactDecimal(std::fabs(v), dec);
    int prec = item.precision < 0 ? 6 : item.precision;
    switch (conv) {
    case 'f':
    case 'F':
        RoundDecimal(dec, dec.point + prec);
        AppendFixed(body, dec, prec, item.alt);
        break;
    case 'e':
    case 'E':
        RoundDecimal(dec, prec + 1);
        AppendScientific(body, dec, prec, item.alt, upper);
        break;
    default: {  // g, G
        int p = prec == 0 ? 1 : prec;
        RoundDecimal(dec, p);
        int x = dec.n == 0 ? 0 : dec.point - 1;
        if (x < p && x >= -4)
            AppendFixed(body, dec, p - 1 - x, item.alt);
        else
            AppendScientific(body, dec, p - 1, item.alt, upper);
        if (!item.alt)
            StripFractionZeros(body);
        break;
    }
    }
}

void FormatInteger(std::uint64_t magnitude, bool negative, char conv, const Directive& item,
                   std::string& prefix, std::string& body)
{
    if (negative)
        prefix = "-";
    else if (conv == 'd' || conv == 'i') {
        if (item.plus)
            prefix = "+";
        else if (item.space)
            prefix = " ";
    }
    unsigned base = conv == 'o' ? 8 : (conv == 'x' || conv == 'X' || conv == 'p') ? 16 : 10;
    const char* digits = conv == 'x' ? "0123456789abcdef" : "0123456789ABCDEF";
    char tmp[24];
    int t = 0;
    for (std::uint64_t a = magnitude; a != 0; a /= base)
        tmp[t++] = digits[a % base];
    int prec = item.precision < 0 ? 1 : item.precision;
    if (conv == 'o' && item.alt && prec <= t)
        prec = t + 1;  // '#' makes the first octal digit a zero
    for (int i = t; i < prec; ++i)
        body += '0';
    while (t > 0)
        body += tmp[--t];
    if (item.alt && magnitude != 0 && (conv == 'x' || conv == 'X'))
        prefix += conv == 'x' ? "0x" : "0X";
}

template <typename Ch>
void AppendAscii(std::basic_string<Ch>& out, const std::string& s)
{
    for (char c : s)
        out += static_cast<Ch>(static_cast<unsigned char>(c));
}

template <typename Ch>
void AppendFill(std::basic_string<Ch>& out, int count, Ch ch)
{
    if (count > 0)
        out.append(static_cast<std::size_t>(count), ch);
}

// Pads a converted number: sign or prefix, zeros after them for the '0' flag, else spaces.
template <typename Ch>
void EmitNumber(std::basic_string<Ch>& out, const Directive& item, const std::string& prefix,
                const std::string& body, bool zeroPad)
{
    int len = static_cast<int>(prefix.size() + body.size());
    int fill = item.width - len;
    if (item.left) {
        AppendAscii(out, prefix);
        AppendAscii(out, body);
        AppendFill(out, fill, Ch(' '));
    } else if (zeroPad) {
        AppendAscii(out, prefix);
        AppendFill(out, fill, Ch('0'));
        AppendAscii(out, body);
    } else {
        AppendFill(out, fill, Ch(' '));
        AppendAscii(out, prefix);
        AppendAscii(out, body);
    }
}

template <typename Ch>
void EmitText(std::basic_string<Ch>& out, const Directive& item, const Ch* text, std::size_t len)
{
    int fill = item.width - static_cast<int>(len);
    if (!item.left)
        AppendFill(out, fill, Ch(' '));
    out.append(text, len);
    if (item.left)
        AppendFill(out, fill, Ch(' '));
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

std::string ToForm(const char*, const wchar_t* s)
{
    return AnsiFromWide(s);
}

std::wstring ToForm(const wchar_t*, const char* s)
{
    return WideFromAnsi(s);
}

template <typename Ch>
void EmitString(std::basic_string<Ch>& out, const Directive& item, const Ch* s)
{
    static const Ch kNull[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
    if (s == nullptr)
        s = kNull;
    EmitText(out, item, s, CutLength(s, item.precision));
}

template <typename Ch, typename Other>
void EmitForeignString(std::basic_string<Ch>& out, const Directive& item, const Other* s)
{
    if (s == nullptr) {
        EmitString<Ch>(out, item, nullptr);
        return;
    }
    std::basic_string<Ch> converted = ToForm(static_cast<const Ch*>(nullptr), s);
    EmitString(out, item, converted.c_str());
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

enum class Len { None, hh, h, l, ll, L, z, j, t, I64, I32 };

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
        for (;; ++p) {
            if (*p == '-')
                item.left = true;
            else if (*p == '+')
                item.plus = true;
            else if (*p == ' ')
                item.space = true;
            else if (*p == '0')
                item.zero = true;
            else if (*p == '#')
                item.alt = true;
            else
                break;
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
        Len len = Len::None;
        switch (*p) {
        case 'h':
            ++p;
            if (*p == 'h') {
                ++p;
                len = Len::hh;
            } else
                len = Len::h;
            break;
        case 'l':
            ++p;
            if (*p == 'l') {
                ++p;
                len = Len::ll;
            } else
                len = Len::l;
            break;
        case 'w':
            ++p;
            len = Len::l;
            break;
        case 'q':
            ++p;
            len = Len::ll;
            break;
        case 'L':
            ++p;
            len = Len::L;
            break;
        case 'z':
            ++p;
            len = Len::z;
            break;
        case 'j':
            ++p;
            len = Len::j;
            break;
        case 't':
            ++p;
            len = Len::t;
            break;
        case 'I':
            if (p[1] == '6' && p[2] == '4') {
                p += 3;
                len = Len::I64;
            } else if (p[1] == '3' && p[2] == '2') {
                p += 3;
                len = Len::I32;
            } else {
                ++p;
                len = Len::z;
            }
            break;
        default:
            break;
        }
        Ch conv = *p;
        if (conv == 0) {
            out.append(start, static_cast<std::size_t>(p - start));
            break;
        }
        ++p;
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
            case Len::ll:
            case Len::I64:
            case Len::j: v = va_arg(ap, long long); break;
            case Len::z:
            case Len::t: v = va_arg(ap, std::ptrdiff_t); break;
            default: v = va_arg(ap, int); break;
            }
            std::uint64_t mag = v < 0 ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
            std::string prefix, body;
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
            case Len::ll:
            case Len::I64:
            case Len::j: v = va_arg(ap, unsigned long long); break;
            case Len::z:
            case Len::t: v = va_arg(ap, std::size_t); break;
            default: v = va_arg(ap, unsigned); break;
            }
            std::string prefix, body;
            FormatInteger(v, false, static_cast<char>(conv), item, prefix, body);
            EmitNumber(out, item, prefix, body, item.zero && !item.left && item.precision < 0);
            break;
        }
        case 'p': {
            const void* ptr = va_arg(ap, const void*);
            Directive ps = item;
            ps.precision = static_cast<int>(2 * sizeof(void*));
            ps.alt = false;
            std::string prefix, body;
            FormatInteger(reinterpret_cast<std::uintptr_t>(ptr), false, 'p', ps, prefix, body);
            EmitNumber(out, item, prefix, body, false);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': {
            double v = len == Len::L ? static_cast<double>(va_arg(ap, long double))
                                     : va_arg(ap, double);
            std::string sign, body;
            bool zeroPadOk;
            FormatFloat(v, static_cast<char>(conv), item, sign, body, zeroPadOk);
            EmitNumber(out, item, sign, body, item.zero && !item.left && zeroPadOk);
            break;
        }
        case 'c':
        case 'C': {
            int v = va_arg(ap, int);
            // %c is the form's own character, %C the other one; %hc names narrow, %lc wide.
            bool argWide = len == Len::h ? false
                : len == Len::l ? true
                : conv == 'c' ? wide : !wide;
            Directive cs = item;
            cs.precision = -1;
            if (argWide == wide) {
                Ch buf[1] = {static_cast<Ch>(v)};
                EmitText(out, cs, buf, 1);
            } else if constexpr (sizeof(Ch) == 1) {
                wchar_t wb[2] = {static_cast<wchar_t>(v), 0};
                EmitForeignString(out, cs, wb);
            } else {
                char nb[2] = {static_cast<char>(v), 0};
                EmitForeignString(out, cs, nb);
            }
            break;
        }
        case 's':
        case 'S': {
            // %s is the form's own string; %hs names narrow, %ls and %ws wide, %S the other one.
            bool argWide;
            if (len == Len::h)
                argWide = false;
            else if (len == Len::l)
                argWide = true;
            else
                argWide = conv == 's' ? wide : !wide;
            if (argWide) {
                const wchar_t* s = va_arg(ap, const wchar_t*);
                if constexpr (sizeof(Ch) == 1)
                    EmitForeignString(out, item, s);
                else
                    EmitString(out, item, s);
            } else {
                const char* s = va_arg(ap, const char*);
                if constexpr (sizeof(Ch) == 1)
                    EmitString(out, item, s);
                else
                    EmitForeignString(out, item, s);
            }
            break;
        }
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
