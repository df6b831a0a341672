#include <afx/AnsiCodePage.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct EncodeCase {
    const char* fault;
    std::wstring wide;
    std::string ansi;
};

// Both builds must hold these: natively by default (932), on Windows through CP_ACP under a
// Japanese locale.
TEST(AnsiCodePage, DefaultIsJapanese)
{
    EXPECT_EQ(AfxGetAnsiCodePage(), 932u);
}

TEST(AnsiCodePage, EncodesExactCp932Bytes)
{
    const EncodeCase cases[] = {
        {"kanji place", L"場所", "\x8F\xEA\x8F\x8A"},
        {"kanji city", L"東京", "\x93\x8C\x8B\x9E"},
        {"trail byte 5C", L"表", "\x95\x5C"},
        {"trail byte A", L"ア", "\x83\x41"},
        {"ascii untouched", L"Tokyo, 139.7", "Tokyo, 139.7"},
        {"half-width katakana is one byte", L"ｱ", "\xB1"},
        {"unmappable becomes default char", L"x€y", "x?y"},
        {"hangul unmappable", L"한", "?"},
        {"best fit e acute", L"é", "e"},
        {"best fit A grave", L"Àb", "Ab"},
        {"best fit guillemet to double angle", L"«", "\x81\xE1"},
        {"cent sign held", L"¢", "\x81\x91"},
        {"wave dash written as default", L"\x301C", "?"},
        {"character beyond the BMP is two UTF-16 units", L"a\U0001F600b", "a??b"},
        {"mixed text", L"Café 東京", "Cafe \x93\x8C\x8B\x9E"},
    };
    for (const EncodeCase& c : cases)
        EXPECT_EQ(AnsiFromWide(c.wide), c.ansi) << c.fault;
}

TEST(AnsiCodePage, DecodesExactCp932Bytes)
{
    const EncodeCase cases[] = {
        {"kanji place", L"場所", "\x8F\xEA\x8F\x8A"},
        {"kanji city", L"東京", "\x93\x8C\x8B\x9E"},
        {"trail byte 5C is not a backslash", L"表\\", "\x95\x5C\x5C"},
        {"half-width katakana", L"ｱ", "\xB1"},
        {"byte 80 alone", L"\x0080", "\x80"},
        {"bytes A0 and FD-FF as Windows reads them", L"\xF8F0\xF8F1\xF8F2\xF8F3", "\xA0\xFD\xFE\xFF"},
        {"empty", L"", ""},
    };
    for (const EncodeCase& c : cases)
        EXPECT_EQ(WideFromAnsi(c.ansi), c.wide) << c.fault;
}

TEST(AnsiCodePage, RoundTripsJapaneseText)
{
    const std::wstring text = L"都市名[東京]はすでに存在しています。\n別の名称を指定してください。";
    EXPECT_EQ(WideFromAnsi(AnsiFromWide(text)), text);
    const std::string odd = "\x80\xA0\xFD\xFE\xFF";
    EXPECT_EQ(AnsiFromWide(WideFromAnsi(odd)), odd) << "single bytes outside the JIS table survive";
}

TEST(AnsiCodePage, LeadBytes)
{
    EXPECT_TRUE(AfxIsAnsiLeadByte(0x95));
    EXPECT_TRUE(AfxIsAnsiLeadByte(0xE0));
    EXPECT_FALSE(AfxIsAnsiLeadByte(0x5C));
    EXPECT_FALSE(AfxIsAnsiLeadByte(0xB1)) << "half-width katakana is a single byte";
}

#ifndef _WIN32
TEST(AnsiCodePage, InvalidBytesNeverThrowNorLoop)
{
    EXPECT_EQ(WideFromAnsi("a\x95"), L"a\xFFFD") << "lead byte at the end";
    EXPECT_EQ(WideFromAnsi("\x85\x40z"), L"\xFFFD@z") << "undefined pair: the lead byte alone is bad";
    std::wstring surrogate(1, static_cast<wchar_t>(0xD800));
    EXPECT_EQ(AnsiFromWide(surrogate + L"a"), "?a");
}

TEST(AnsiCodePage, OtherCodePagesCanBeSelected)
{
    struct Restore {
        ~Restore() { AfxSetAnsiCodePage(932); }
    } restore;
    AfxSetAnsiCodePage(1252);
    EXPECT_EQ(AfxGetAnsiCodePage(), 1252u);
    EXPECT_EQ(AnsiFromWide(L"é"), "\xE9");
    EXPECT_EQ(WideFromAnsi("\xE9"), L"é");
    EXPECT_FALSE(AfxIsAnsiLeadByte(0x95));
    AfxSetAnsiCodePage(932);
    EXPECT_EQ(AnsiFromWide(L"é"), "e") << "the best fit returns with 932";
}
#endif

}  // namespace
