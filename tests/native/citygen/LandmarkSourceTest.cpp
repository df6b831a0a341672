#include "CLandmarkSource.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

namespace {

// A supplement line becomes a place of its folder's kind with its numbers as written; a bad
// line is refused with its line number rather than written into the list.
TEST(LandmarkSource, ReadsItsLinesOrNamesTheBadOne)
{
    struct Case {
        const char* fault;
        std::string text;
        const char* error;  // null: the line is read
    };
    const Case cases[] = {
        {"a mountain lost its kind, folder or numbers", "# comment\n\n山岳\tアコンカグア\t-70.0109\t-32.6532\t6961\t-3\r\n", nullptr},
        {"a line with a field missing was read", "山岳\t富士山\t138.7\t35.3\t3776\n", "landmark line 1: 5 fields"},
        {"an unknown folder was read", "#\n都市\t東京\t139.7\t35.7\t40\t9\n", "landmark line 2: the folder"},
        {"an altitude out of range was read", "天文台\tX\t1\t2\t99999\t0\n", "landmark line 1: \"99999\""},
        {"a number with trailing text was read", "天文台\tX\t1E\t2\t0\t0\n", "landmark line 1: \"1E\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        if (c.error) {
            try {
                CLandmarkSource::Parse(c.text);
                ADD_FAILURE() << "no error";
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(0u, std::string(e.what()).find(c.error)) << e.what();
            }
            continue;
        }
        const std::vector<CListPlace> a = CLandmarkSource::Parse(c.text);
        ASSERT_EQ(1u, a.size());
        ASSERT_EQ(1u, a[0].m_aPath.size());
        const CListPlace& p = a[0];
        EXPECT_EQ(L"山岳/アコンカグア", p.m_aPath[0].m_strName + L"/" + p.m_strName.wstr());
        // Order 3: after 日本 and 世界.
        EXPECT_EQ(std::make_tuple(3, 4, -70.0109, -32.6532, 6961.0, -3.0),
                  std::make_tuple(p.m_aPath[0].m_nOrder, p.m_nKind, p.m_dLon, p.m_dLat, p.m_dAlt, p.m_dTz));
    }
}

}  // namespace
