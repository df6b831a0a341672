#include "TestFiles.h"

#include <citydb/CityText.h>

#include <gtest/gtest.h>

namespace {

// A sign before a number, and an integer field's blanks and fraction, are read in the place
// lines' and the records' own tests (LoadCityList, LocationData).
TEST(CityText, ReadsNumbersAsWtofAndWtoi)
{
    const struct { const char* fault; const wchar_t* text; double value; } floats[] = {
        {"leading blanks not skipped", L"  \t12.5", 12.5},
        {"ideographic space not skipped", L"\x3000" L"3", 3},
        {"stops too late", L"1.5E", 1.5},
        {"exponent without digits taken", L"2e+", 2},
        {"exponent lost", L"-2.5e-1", -0.25},
        {"no number not 0", L"abc", 0},
        {"lone sign not 0", L"-", 0},
        {"lone point not 0", L".", 0},
        {"point first refused", L".5", 0.5},
        {"overflow gives inf", L"1e400", 0},
        {"many digits misrounded", L"0.1000000000000000055511151231257827", 0.1},
        {"long integer misrounded", L"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"hex form accepted", L"0x10", 0},
        {"inf accepted", L"inf", 0},
    };
    for (const auto& c : floats)
        EXPECT_EQ(CityWtof(CString(c.text)), c.value) << c.fault;
    const struct { const char* fault; const wchar_t* text; int value; } ints[] = {
        {"overflow wraps", L"99999999999", 2147483647},
        {"underflow wraps", L"-99999999999", -2147483647 - 1},
        {"empty not 0", L"", 0},
    };
    for (const auto& c : ints)
        EXPECT_EQ(CityWtoi(CString(c.text)), c.value) << c.fault;
}

// A cut inside a character and a name of exactly the width are the place lines' (GetCityString).
TEST(CityText, CutsNamesOnCharacterBoundaries)
{
    const struct { const char* fault; CString name; int nMax; std::string expected; } cases[] = {
        {"short name changed", L"abc", 40, "abc"},
        {"ASCII not cut", CString(std::wstring(45, L'x')), 40, std::string(40, 'x')},
        {"trail byte 0x5C taken for a character", L"表表表", 5, A(L"表表")},
        {"line break kept", L"a\nb\tc", 40, "a b c"},
        {"zero width not empty", L"abc", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CityCutName(c.name, c.nMax), c.expected) << c.fault;
}

// Only what is not ASCII goes through the code page, and it must read as its whole line would.
TEST(CityText, ReadsALineAsConvertingItAlone)
{
    const struct { const char* fault; std::string line; } cases[] = {
        {"second byte in the ASCII range read alone", A(L"表示,ソ") + "a,b"},
        {"half-width katakana or single bytes taken for lead bytes", "\xB1\xB2,\x80\xA0\xFD\xFE\xFF,x"},
        {"lead byte at the line's end", "a\x93\x8C\x82"},
        {"invalid second byte", "\x82\x20\x82\x0D\x82\x7F,"},
        {"long ASCII runs around Japanese", std::string(21, 'x') + A(L"東京") + std::string(13, ',') + A(L"大阪")},
        {"empty line", ""},
    };
    std::wstring line = L"longer than any line, from an earlier call";
    for (const auto& c : cases) {
        CityWideLine(c.line.data(), c.line.data() + c.line.size(), line);
        EXPECT_EQ(line, WideFromAnsi(c.line)) << c.fault;
    }
}

}  // namespace
