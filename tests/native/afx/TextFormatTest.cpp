#include <afx/TextFormat.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

struct FormatCase {
    const char* fault;
    std::string got;
    const char* want;
};

std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

// Flags, widths and precisions in every combination are held to glibc natively (below); here,
// what the files and texts use and where rounding and cutting go wrong, in both builds.
TEST(TextFormat, NarrowCasesGiveExactBytes)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::string fifty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx";
    const FormatCase cases[] = {
        {"longitude field width", FormatText("%11.7f", 139.7667), "139.7667000"},
        {"longitude field pads short numbers", FormatText("%11.7f", 35.6895), " 35.6895000"},
        {"latitude field width", FormatText("%10.7f", 35.689236), "35.6892360"},
        {"zero flag pads time zone", FormatText("%05.2f", 9.0), "09.00"},
        {"zero flag goes after the sign", FormatText("%05.1f", -2.5), "-02.5"},
        {"tie rounds to even down", FormatText("%.0f", 40.5), "40"},
        {"tie rounds to even up", FormatText("%.0f", 41.5), "42"},
        {"half rounds to zero", FormatText("%.0f", 0.5), "0"},
        {"tie 2.5 to even", FormatText("%.0f", 2.5), "2"},
        {"exact tie at two places", FormatText("%.2f", 0.125), "0.12"},
        {"binary value below the tie", FormatText("%.2f", 2.675), "2.67"},
        {"binary value below the tie 1.005", FormatText("%.2f", 1.005), "1.00"},
        {"binary value above the tie", FormatText("%.1f", 0.05), "0.1"},
        {"carry through all nines", FormatText("%.2f", 999.995), "1000.00"},
        {"carry into a wider field", FormatText("%4.1f", 59.95), "60.0"},
        {"tiny negative keeps its sign", FormatText("%11.7f", -0.00000005), " -0.0000000"},
        {"negative rounds to minus zero", FormatText("%.1f", -0.04), "-0.0"},
        {"exact expansion of 0.1", FormatText("%.20f", 0.1), "0.10000000000000000555"},
        {"smallest subnormal", FormatText("%f", 5e-324), "0.000000"},
        {"large integer part", FormatText("%.3f", 1e21), "1000000000000000000000.000"},
        {"altitude without decimals", FormatText("%.0f", 39.0), "39"},
        {"scientific", FormatText("%.3e", 12345.678), "1.235e+04"},
        {"scientific tie to even", FormatText("%.0e", 2.5), "2e+00"},
        {"scientific of a subnormal", FormatText("%.10e", 5e-324), "4.9406564584e-324"},
        {"general switches to exponent", FormatText("%g", 1e-5), "1e-05"},
        {"general 17 digits", FormatText("%.17g", 0.1), "0.10000000000000001"},
        {"infinity", FormatText("%f", inf), "inf"},
        {"negative infinity padded", FormatText("%6f", -inf), "  -inf"},
        {"zero flag not applied to infinity", FormatText("%06f", inf), "   inf"},
        {"not a number", FormatText("%f", std::nan("")), "nan"},
        {"width two for a small int", FormatText("%2d", 3), " 3"},
        {"width seven for a negative int", FormatText("%7d", -3), "     -3"},
        {"int minimum", FormatText("%d", INT_MIN), "-2147483648"},
        {"long long minimum", FormatText("%lld", LLONG_MIN), "-9223372036854775808"},
        {"I64 length", FormatText("%I64d", 1234567890123LL), "1234567890123"},
        {"short is cut", FormatText("%hd", 70000), "4464"},
        {"star width", FormatText("%*d", 5, 42), "   42"},
        {"negative star width left justifies", FormatText("%*d|", -5, 42), "42   |"},
        {"star precision", FormatText("%.*f", 2, 3.14159), "3.14"},
        {"percent sign", FormatText("100%%"), "100%"},
        {"character", FormatText("[%3c]", 'x'), "[  x]"},
        {"string cut and padded", FormatText("%-40.40s|", fifty.c_str()),
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn|"},
        {"short string padded", FormatText("%-10.10s|", "abc"), "abc       |"},
        {"null string", FormatText("%s", static_cast<const char*>(nullptr)), "(null)"},
        {"unknown conversion copied", FormatText("%y%d", 1), "%y1"},
        {"format ending in percent", FormatText("50%"), "50%"},
        {"location data string",
         FormatText("%11.7f,%10.7f,%.0f,%05.2f,%2d,%2d,%2d", 139.691772, 35.689236, 39.0, 9.0, 0, 1,
                    0),
         "139.6917720,35.6892360,39,09.00, 0, 1, 0"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(c.got, c.want) << c.fault;
}

TEST(TextFormat, WideFormMatchesNarrowForm)
{
    struct WideCase {
        const char* fault;
        std::wstring got;
        std::wstring want;
    };
    const WideCase cases[] = {
        {"fixed", FormatText(L"%11.7f|%05.2f|%.0f", 35.6895, 9.0, 40.5), L" 35.6895000|09.00|40"},
        {"ints", FormatText(L"%2d,%7d", 3, -3), L" 3,     -3"},
        {"wide string counts characters", FormatText(L"%-4.2s|", L"東京都"), L"東京  |"},
        {"narrow string converted", FormatText(L"%hs", "\x93\x8C\x8B\x9E"), L"東京"},
        {"capital S is narrow in the wide form", FormatText(L"%S", "\x95\x5C"), L"表"},
        {"wide char", FormatText(L"%c", L'場'), L"場"},
        {"null wide string", FormatText(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
        {"japanese literal text", FormatText(L"都市名[%s]はすでに存在しています。", L"東京"),
         L"都市名[東京]はすでに存在しています。"},
    };
    for (const WideCase& c : cases)
        EXPECT_EQ(c.got, c.want) << c.fault;
    EXPECT_EQ(FormatText(L"%.20f", 0.1), Widen(FormatText("%.20f", 0.1)));
}

TEST(TextFormat, NarrowStringsCountBytesAndKeepCharactersWhole)
{
    // "A" + 20 x 東京 is 81 bytes; byte 40 would fall inside a character.
    std::string longName = "A";
    for (int i = 0; i < 20; ++i)
        longName += "\x93\x8C\x8B\x9E";
    std::string got = FormatText("%-40.40s|", longName.c_str());
    EXPECT_EQ(got, longName.substr(0, 39) + " |") << "cut at a character boundary, padded to 40";
    EXPECT_EQ(FormatText("%-6.6s|", "\x93\x8C\x8B\x9E"), "\x93\x8C\x8B\x9E  |");
    const char unterminated[3] = {'a', '\x93', '\x8C'};
    EXPECT_EQ(FormatText("[%.2s]", unterminated), "[a]") << "precision bounds the read";
    EXPECT_EQ(FormatText("[%.3s]", unterminated), "[a\x93\x8C]");
    EXPECT_EQ(FormatText("%ls", L"場所"), "\x8F\xEA\x8F\x8A") << "wide argument converted";
    EXPECT_EQ(FormatText("%lc", L'表'), "\x95\x5C");
}


// Formats a fixed set of values (raw bit patterns, so every exponent appears, and coordinates
// as the city files hold them) and digests the text; the native build and the .exe must reach
// the same digest. Natively each text is also checked against glibc, which rounds exactly.
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
            if (!std::isfinite(v))
                continue;
        } else {
            v = static_cast<double>(rng() % 3600000000u) / 1e7 - 180.0;
        }
        for (const char* f : formats) {
            std::string got = FormatText(f, v);
            for (unsigned char c : got)
                digest = (digest ^ c) * 1099511628211ull;
#ifndef _WIN32
            char ref[1200];
            std::snprintf(ref, sizeof ref, f, v);
            if (got != ref && ++mismatches <= 5)
                ADD_FAILURE() << f << ": got " << got << ", glibc " << ref;
#endif
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(digest, 0x83bdf1380d71aff3ull) << std::hex << digest;
}

#ifndef _WIN32
// Every combination of flags, width and precision for each conversion, against glibc.
TEST(TextFormat, FlagCombinationsAgreeWithGlibc)
{
    const char* flagSets[] = {"", "-", "+", " ", "0", "#", "-+", "+0", " 0", "-0", "#0", "-#",
                              "+#0", "- "};
    const char* widths[] = {"", "1", "8"};
    const char* precisions[] = {"", ".0", ".3"};
    const int ints[] = {0, 7, -42, 123456, INT_MIN};
    const double doubles[] = {0.0, -0.0, 0.5, 1.5, -2.5, 9.995, 123456.789, 1e-7, -1e22};
    int mismatches = 0;
    for (const char* flags : flagSets)
        for (const char* width : widths)
            for (const char* prec : precisions) {
                for (char conv : std::string("dxXou")) {
                    if (std::string(flags).find('#') != std::string::npos && (conv == 'd' || conv == 'u'))
                        continue;  // '#' has no meaning there
                    std::string f = std::string("[%") + flags + width + prec + conv + "]";
                    for (int v : ints) {
                        char ref[64];
                        std::snprintf(ref, sizeof ref, f.c_str(), v);
                        if (FormatText(f.c_str(), v) != ref && ++mismatches <= 5)
                            ADD_FAILURE() << f << " of " << v << ": got " << FormatText(f.c_str(), v)
                                          << ", glibc " << ref;
                    }
                }
                for (char conv : std::string("feEgG")) {
                    std::string f = std::string("[%") + flags + width + prec + conv + "]";
                    for (double v : doubles) {
                        char ref[64];
                        std::snprintf(ref, sizeof ref, f.c_str(), v);
                        if (FormatText(f.c_str(), v) != ref && ++mismatches <= 5)
                            ADD_FAILURE() << f << " of " << v << ": got " << FormatText(f.c_str(), v)
                                          << ", glibc " << ref;
                    }
                }
            }
    EXPECT_EQ(mismatches, 0);
}

// glibc's printf rounds exactly too, so natively it is an independent oracle for random values.
TEST(TextFormat, AgreesWithGlibcOnRandomDoubles)
{
    std::mt19937_64 rng(20261206);
    std::uniform_int_distribution<int> expDist(-330, 310);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    const char* formats[] = {"%.0f", "%.1f", "%.2f", "%11.7f", "%10.7f", "%05.2f", "%.3e",
                             "%.0e", "%g", "%.12g", "%4.1f", "%.17e"};
    int mismatches = 0;
    for (int i = 0; i < 20000 && mismatches < 5; ++i) {
        double v = mant(rng) * std::pow(10.0, expDist(rng) / (i % 4 == 0 ? 1 : 40));
        if (i % 3 == 0)
            v = -v;
        if (i % 7 == 0)  // exact halves and quarters hit the ties
            v = std::round(v * 8) / 8;
        for (const char* f : formats) {
            char ref[1200];
            std::snprintf(ref, sizeof ref, f, v);
            std::string got = FormatText(f, v);
            if (got != ref) {
                ++mismatches;
                ADD_FAILURE() << f << " of " << v << ": got " << got << ", glibc " << ref;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
