#include <afx/AnsiCodePage.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Both builds must hold these: natively by default (932), on Windows through CP_ACP under a
// Japanese locale.
TEST(AnsiCodePage, ExactCp932BytesBothWays)
{
    ASSERT_EQ(AfxGetAnsiCodePage(), 932u);
    enum Way { kBoth, kEncode, kDecode };
    const struct { const char* fault; Way way; std::wstring wide; std::string ansi; } cases[] = {
        {"kanji place", kBoth, L"場所", "\x8F\xEA\x8F\x8A"},
        {"trail byte 5C is not a backslash", kBoth, L"表\\", "\x95\x5C\x5C"},
        {"trail byte 41 is not an A", kBoth, L"ア", "\x83\x41"},
        {"half-width katakana is one byte", kBoth, L"ｱ", "\xB1"},
        {"ascii untouched", kBoth, L"Tokyo, 139.7", "Tokyo, 139.7"},
        {"byte 80 alone", kBoth, L"\x0080", "\x80"},
        {"bytes A0 and FD-FF as Windows reads them", kBoth, L"\xF8F0\xF8F1\xF8F2\xF8F3", "\xA0\xFD\xFE\xFF"},
        {"unmappable becomes default char", kEncode, L"x€y한", "x?y?"},
        {"best fit of Latin letters", kEncode, L"Café À", "Cafe A"},
        {"best fit guillemet to double angle", kEncode, L"«", "\x81\xE1"},
        {"cent sign held", kEncode, L"¢", "\x81\x91"},
        {"wave dash written as default", kEncode, L"\x301C", "?"},
        {"character beyond the BMP is two UTF-16 units", kEncode, L"a\U0001F600b", "a??b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        if (c.way != kDecode) { EXPECT_EQ(AnsiFromWide(c.wide), c.ansi); }
        if (c.way != kEncode) { EXPECT_EQ(WideFromAnsi(c.ansi), c.wide); }
    }
    EXPECT_TRUE(AfxIsAnsiLeadByte(0x95));
    EXPECT_FALSE(AfxIsAnsiLeadByte(0x5C));
    EXPECT_FALSE(AfxIsAnsiLeadByte(0xB1)) << "half-width katakana is a single byte";
}

#ifndef _WIN32
TEST(AnsiCodePage, InvalidBytesAndOtherCodePages)
{
    EXPECT_EQ(WideFromAnsi("a\x95"), L"a\xFFFD") << "lead byte at the end";
    EXPECT_EQ(WideFromAnsi("\x85\x40z"), L"\xFFFD@z") << "undefined pair: the lead byte alone is bad";
    EXPECT_EQ(AnsiFromWide(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"a"), "?a");

    // obsdb selects 1252 for lists of that code page.
    struct Restore {
        ~Restore() { AfxSetAnsiCodePage(932); }
    } restore;
    AfxSetAnsiCodePage(1252);
    EXPECT_EQ(AnsiFromWide(L"é"), "\xE9");
    EXPECT_EQ(WideFromAnsi("\xE9"), L"é");
    EXPECT_FALSE(AfxIsAnsiLeadByte(0x95));
}
#endif

}  // namespace
