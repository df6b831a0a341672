#include <afx/TextFormat.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

const char kTokyo[] = "\x93\x8C\x8B\x9E";  // 東京 in CP932

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    while (n-- > 0) out += s;
    return out;
}

// Flags, widths and precisions in every combination are held to glibc natively, and the common
// conversions to the same bytes in both builds (below); here, where rounding and cutting go
// wrong beyond those, and what the files and texts use, in both builds. The string class's
// format covers a padded string and a padded negative int, the location data a tie of %.0f.
TEST(TextFormat, NarrowCasesGiveExactBytes)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::string name81 = "A" + Repeat(kTokyo, 20);  // byte 40 falls inside a character
    const char unterminated[3] = {'a', '\x93', '\x8C'};
    const struct { const char* fault; std::string got; std::string want; } cases[] = {
        {"location data string",
         FormatText("%11.7f,%10.7f,%.0f,%05.2f,%2d,%2d,%2d", 139.691772, 35.689236, 39.0, 9.0, 0, 1, 0),
         "139.6917720,35.6892360,39,09.00, 0, 1, 0"},
        {"tie rounds to even up", FormatText("%.0f", 41.5), "42"},
        {"exact tie at two places", FormatText("%.2f", 0.125), "0.12"},
        {"binary value below the tie", FormatText("%.2f", 2.675), "2.67"},
        {"binary value above the tie", FormatText("%.1f", 0.05), "0.1"},
        {"carry through all nines", FormatText("%.2f", 999.995), "1000.00"},
        {"carry into a wider field", FormatText("%4.1f", 59.95), "60.0"},
        {"tiny negative keeps its sign", FormatText("%11.7f", -0.00000005), " -0.0000000"},
        {"exact expansion of 0.1", FormatText("%.20f", 0.1), "0.10000000000000000555"},
        {"zero flag not applied to infinity", FormatText("%06f", inf), "   inf"},
        {"not a number", FormatText("%f", std::nan("")), "nan"},
        {"long long minimum", FormatText("%lld", LLONG_MIN), "-9223372036854775808"},
        {"I64 length", FormatText("%I64d", 1234567890123LL), "1234567890123"},
        {"short is cut", FormatText("%hd", 70000), "4464"},
        {"negative star width left justifies", FormatText("%*d|", -5, 42), "42   |"},
        {"star precision", FormatText("%.*f", 2, 3.14159), "3.14"},
        {"percent sign and a trailing one", FormatText("100%% 50%"), "100% 50%"},
        {"character", FormatText("[%3c]", 'x'), "[  x]"},
        {"string cut and padded", FormatText("%-40.40s|", Repeat("abcdefghij", 5).c_str()), Repeat("abcdefghij", 4) + "|"},
        {"null string", FormatText("%s", static_cast<const char*>(nullptr)), "(null)"},
        {"unknown conversion copied", FormatText("%y%d", 1), "%y1"},
        {"cut inside a character", FormatText("%-40.40s|", name81.c_str()), name81.substr(0, 39) + " |"},
        {"padding counts bytes", FormatText("%-6.6s|", kTokyo), std::string(kTokyo) + "  |"},
        {"precision bounds the read", FormatText("[%.2s]", unterminated), "[a]"},
        {"precision reaches a whole character", FormatText("[%.3s]", unterminated), "[a\x93\x8C]"},
        {"wide argument converted", FormatText("%ls|%lc", L"場所", L'表'), "\x8F\xEA\x8F\x8A|\x95\x5C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(c.got, c.want);
    }
}

TEST(TextFormat, WideFormCountsCharacters)
{
    const struct { const char* fault; std::wstring got; std::wstring want; } cases[] = {
        {"fixed", FormatText(L"%11.7f|%05.2f|%.0f", 35.6895, 9.0, 40.5), L" 35.6895000|09.00|40"},
        {"wide string counts characters", FormatText(L"%-4.2s|", L"東京都"), L"東京  |"},
        {"narrow string converted", FormatText(L"%hs|%S", kTokyo, "\x95\x5C"), L"東京|表"},
        {"wide char", FormatText(L"%c", L'場'), L"場"},
        {"null wide string", FormatText(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        EXPECT_EQ(c.got, c.want);
    }
}

// Checks one text against glibc, which rounds exactly, natively; counts what differs.
template <class T>
void ExpectGlibc(const std::string& format, T value, int& mismatches)
{
#ifndef _WIN32
    char ref[1200];
    std::snprintf(ref, sizeof ref, format.c_str(), value);
    const std::string got = FormatText(format.c_str(), value);
    if (got != ref && ++mismatches <= 5)
        ADD_FAILURE() << format << " of " << value << ": got " << got << ", glibc " << ref;
#else
    (void)format, (void)value, (void)mismatches;
#endif
}

// Formats a fixed set of values (raw bit patterns, so every exponent appears, and coordinates
// as the city files hold them) and digests the text; the native build and the .exe must reach
// the same digest.
TEST(TextFormat, SameBytesInBothBuilds)
{
    const char* formats[] = {"%f", "%.0f", "%11.7f", "%10.7f", "%05.2f", "%.3e", "%.17e", "%g",
                             "%.15g", "%+.1f"};
    std::mt19937_64 rng(7300);
    std::uint64_t digest = 14695981039346656037ull;
    int mismatches = 0;
    for (int i = 0; i < 4000; ++i) {
        double v;
        if (i % 2 == 0) {
            std::uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
            if (!std::isfinite(v)) continue;
        } else {
            v = static_cast<double>(rng() % 3600000000u) / 1e7 - 180.0;
        }
        for (const char* f : formats) {
            for (unsigned char c : FormatText(f, v)) digest = (digest ^ c) * 1099511628211ull;
            ExpectGlibc(f, v, mismatches);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(digest, 0x83bdf1380d71aff3ull) << std::hex << digest;
}

#ifndef _WIN32
// Every combination of flags, width and precision for each conversion, then random doubles
// with exact halves among them.
TEST(TextFormat, AgreesWithGlibc)
{
    const int ints[] = {0, 7, -42, 123456, INT_MIN};
    const double doubles[] = {0.0, -0.0, 0.5, 1.5, -2.5, 9.995, 123456.789, 1e-7, -1e22};
    int mismatches = 0;
    for (const std::string flags : {"", "-", "+", " ", "0", "#", "-+", "+0", " 0", "-0", "#0", "-#", "+#0", "- "})
        for (const char* width : {"", "1", "8"})
            for (const char* prec : {"", ".0", ".3"})
                for (char conv : std::string("dxXoufeEgG")) {
                    const std::string f = "[%" + flags + width + prec + conv + "]";
                    if (std::string("dxXou").find(conv) == std::string::npos) {
                        for (double v : doubles) ExpectGlibc(f, v, mismatches);
                    } else if (flags.find('#') == std::string::npos || (conv != 'd' && conv != 'u')) {
                        for (int v : ints) ExpectGlibc(f, v, mismatches);
                    }
                }
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<int> expDist(-330, 310);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    for (int i = 0; i < 20000 && mismatches < 5; ++i) {
        double v = mant(rng) * std::pow(10.0, expDist(rng) / (i % 4 == 0 ? 1 : 40));
        if (i % 3 == 0) v = -v;
        if (i % 7 == 0) v = std::round(v * 8) / 8;
        for (const char* f : {"%.0f", "%.1f", "%.2f", "%11.7f", "%10.7f", "%05.2f", "%.3e", "%.0e",
                              "%g", "%.12g", "%4.1f", "%.17e"})
            ExpectGlibc(f, v, mismatches);
    }
    EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
