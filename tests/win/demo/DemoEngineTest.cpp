#include "demo/CDemoEngine.h"

#include <host/CCorZel.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The demo host's engine keeps what it is told, so that the dialog's queries see its own
// assignments (the terrain index, the automatic altitude switch, the default place), and tells
// the host of each assignment.
TEST(DemoEngine, KeepsWhatItIsTold)
{
    const struct { const char* fault; std::vector<CString> told; CString query, answer; } cases[] = {
        {"an assignment was not kept", {L"location = location(1.000000, 2.000000, 3.000000)"}, L"? location", L"location(1.000000, 2.000000, 3.000000)"},
        {"the command after the value was kept with it", {L"time.timezone = 9.000000; Show Sky"},
         L"? time.timezone", L"9.000000"},
        {"a quoted path was cut at a semicolon or kept its quotes",
         {L"Solar.Planet.Earth.Landscape.IndexFile = \"C:\\a;b\\WORLDM~1.TXT\""},
         L"? Solar.Planet.Earth.Landscape.IndexFile", L"C:\\a;b\\WORLDM~1.TXT"},
        {"a later assignment did not replace the earlier",
         {L"Solar.Planet.Earth.Landscape.AutoGetAltitude = TRUE", L"Solar.Planet.Earth.Landscape.AutoGetAltitude = FALSE"},
         L"? Solar.Planet.Earth.Landscape.AutoGetAltitude", L"FALSE"},
        {"a query was taken for an assignment", {L"? a = b"}, L"? a", L"table"},
        {"a name never told did not fall back to the table", {}, L"? a", L"table"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CDemoEngine engine;
        engine.SetReply(L"? a", L"table");
        std::vector<CString> seen;
        engine.m_onAssign = [&](const CString&, const CString& value) { seen.push_back(value); };
        CCorZel cor(&engine);
        for (const CString& t : c.told)
            EXPECT_EQ(cor.Command(t), L"") << "an assignment got a reply";
        EXPECT_EQ(cor.Command(c.query), c.answer);
        EXPECT_EQ(engine.m_commands.size(), c.told.size() + 1) << "a command was not recorded";
        const bool bAssigned = !c.told.empty() && c.told.back()[0] != L'?';
        EXPECT_EQ(seen.empty() ? CString() : seen.back(), bAssigned ? c.answer : CString());
    }
}

}  // namespace
