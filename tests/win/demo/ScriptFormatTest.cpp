#include "demo/CJsonLine.h"
#include "demo/CScriptStep.h"

#include <WinTestKit.h>

#include <gtest/gtest.h>

namespace {

// Numbers keep the digits the call carried, and texts go over as UTF-8 JSON strings.
TEST(ScriptFormat, NumbersAndTextsAsTheyCame)
{
    const struct { double value; const char* json; } numbers[] = {{139.691772, "139.691772"}, {4.0, "4"}, {40.0, "40"}, {-1500.0, "-1500"}, {1e20, "1e+20"}, {-0.0015, "-0.0015"},
                   {0.1 + 0.2, "0.30000000000000004"}, {1e-7, "1e-07"}, {180.6917777777778, "180.6917777777778"}};
    for (const auto& n : numbers)
        EXPECT_EQ(n.json, CJsonLine::Number(n.value));
    EXPECT_EQ("\"a\\\"b\\\\c\\u000a\"", CJsonLine::Quote(L"a\"b\\c\n"));
    EXPECT_EQ("\"場所 \xF0\xA0\xAE\xB7\"", CJsonLine::Quote(L"場所 \xD842\xDFB7")) << "a surrogate pair was split";
}

// A bad step is named with why before anything is played.
TEST(ScriptFormat, BadStepsSayWhy)
{
    const struct { const char* step; const wchar_t* why; /* empty: the step is good */ } cases[] = {
        {R"({"do":"drag","path":["場所"],"to":["場所","日本"],"button":"right","release":"outside"})", L""},
        {R"({"do":"observer","set":{"body":1,"tz":-3.5}})", L""},
        {R"({"do":"key","id":1,"key":"ctrl+shift+F12"})", L""}, {R"({"do":"key","id":1,"key":"f"})", L""},
        {R"({"do":"key","id":1,"key":"f13"})", L"\"key\" is no letter or F1 to F12, with \"ctrl+\" or \"shift+\" before it"},
        {R"({"do":"key","id":1,"key":"alt+f"})", L"\"key\" is no letter or F1 to F12, with \"ctrl+\" or \"shift+\" before it"},
        {R"([1])", L"a step is a JSON object"}, {R"({"id":1})", L"no \"do\" naming the step"},
        {R"({"do":"jump"})", L"no step \"jump\""}, {R"({"do":"click","id":1.5})", L"\"id\" is not a whole number"},
        {R"({"do":"click","id":1,"text":"x"})", L"\"text\" does not belong to a \"click\" step"},
        {R"({"do":"select","path":["場所",3]})", L"\"path\" is not an array of texts"},
        {R"({"do":"answer","button":"Maybe"})", L"\"button\" is none of OK, Cancel, Abort, Retry, Ignore, Yes, No"},
        {R"({"do":"drag","path":[],"to":[],"button":"left"})", L"\"button\" of a drag can only be \"right\""},
        {R"({"do":"wheel","delta":120,"keys":["alt"]})", L"a wheel key is neither \"ctrl\" nor \"shift\""},
        {R"({"do":"dialog","set":{"x":"1"},"press":"OK"})", L"\"set\" must map control ids to texts"},
        {R"({"do":"observer","set":{"height":3}})", L"the observer has no \"height\""},
        {R"({"do":"observer","set":{"body":15}})", L"\"body\" is not a body index 0 to 14"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        picojson::value v;
        ASSERT_EQ("", picojson::parse(v, std::string(c.step)));
        EXPECT_EQ(CString(c.why), CScriptStep::Check(v));
    }
}

}  // namespace
