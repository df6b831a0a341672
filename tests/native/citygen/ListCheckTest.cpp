#include "CListCheck.h"

#include <TempDir.h>

#include <gtest/gtest.h>

namespace {

// A list with two items of one name in a folder is refused, naming the name and the folder.
TEST(ListCheck, RefusesNamesakesInAFolder)
{
    auto place = [](std::string name) { return name.append(40 - name.size(), ' ') + ",139.7667000E,35.6833000N,      0,+09.00, 0, 0, 2\r\n"; };
    const struct { const char* fault; std::string list; const char* error; } cases[] = {
        {"namesakes in two folders refused", "@A\r\n" + place("x") + "#\r\n@B\r\n" + place("x") + "#\r\n", ""},
        {"two places of a name taken", "@A\r\n" + place("y") + place("x") + place("x") + "#\r\n", "\"x\" is in 場所/A more than once"},
        {"a folder and a place of a name taken", place("A") + "@A\r\n" + place("x") + "#\r\n", "\"A\" is in 場所 more than once"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteBytes(dir.Path("list.obs"), c.list);
        CListCheck check;
        EXPECT_EQ(!*c.error, check.Run(dir.WidePath("list.obs"))) << c.fault;
        EXPECT_EQ(0u, check.m_strError.find(c.error)) << c.fault << ": " << check.m_strError;
    }
}

}  // namespace
