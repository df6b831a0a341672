#include "mesh/CEarthMesh.h"

#include <host/CCorZel.h>
#include <standin/CStandInEngine.h>

#include <WinTestKit.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

const wchar_t kAsk[] = L"? info.module.datapath";
const wchar_t kMeshBelow[] = L"\\solar\\earth\\mesh\\worldmesh.txt";

// Reaches the pieces a host does not see.
class CEarthMeshProbe : public CEarthMesh {
public:
    using CEarthMesh::EnginePath;
};

// The system's long or 8.3 form of an existing path; empty when there is none.
CString PathForm(DWORD (WINAPI *form)(LPCWSTR, LPWSTR, DWORD), const CString& path)
{
    std::vector<wchar_t> buf(32768);
    const DWORD n = form(path, buf.data(), static_cast<DWORD>(buf.size()));
    return n && n < buf.size() ? CString(buf.data(), static_cast<int>(n)) : CString();
}

class EarthMeshTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_strRoot = m_tmp.Dir().Left(m_tmp.Dir().GetLength() - 1);
        m_cor = std::make_unique<CCorZel>(&m_engine);
    }

    // A data folder below the test root holding the index file; its path.
    CString DataFolder(const CString& rel, bool withIndex)
    {
        const CString dir = m_strRoot + L"\\" + rel;
        EXPECT_TRUE(MakeFolders(withIndex ? dir + L"\\solar\\earth\\mesh" : dir)) << "cannot make " << CStringA(dir).str();
        // The \\?\ form reaches paths past MAX_PATH.
        if (withIndex) { EXPECT_TRUE(WriteBytes(L"\\\\?\\" + dir + kMeshBelow, "mesh\r\n")); }
        return dir;
    }
    // The commands sent since the last call.
    std::vector<CString> Sent() { return std::exchange(m_engine.m_commands, {}); }

    TempFolder m_tmp;
    CString m_strRoot;
    CStandInEngine m_engine;
    std::unique_ptr<CCorZel> m_cor;
};

// A folder path of n parts, each from the format and its index.
CString DeepPath(const wchar_t* first, const wchar_t* partFormat, int n)
{
    CString rel = first, part;
    for (int i = 0; i < n; ++i, rel += part) part.Format(partFormat, i);
    return rel;
}

enum class Sends { kNothing, kShortForm, kWhole };

TEST_F(EarthMeshTest, LooksUpAndHandsOverOnce)
{
    struct Case {
        const char* fault;
        CString rel;  // data folder below the root; empty: the engine names none
        bool withIndex;
        Sends sends;
        int minLength;  // of the index file's path, so that a case tests what it says
    };
    const Case cases[] = {
        {"an empty data folder reply led to a command", L"", false, Sends::kNothing, 0},
        {"a folder without the index file was handed over", L"noindex", false, Sends::kNothing, 0},
        {"the index file found was not handed over as it is named", L"plain", true, Sends::kShortForm, 0},
        {"blanks reached the engine", L"Data Folder\\with blanks", true, Sends::kShortForm, 0},
        {"a path past MAX_PATH was not shortened", DeepPath(L"long", L"\\a folder name with blanks that is long %d", 8), true, Sends::kShortForm, MAX_PATH},
        {"a path whose short form passes MAX_PATH was cut", DeepPath(L"dos", L"\\level_%02d", 30), true, Sends::kWhole, MAX_PATH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const CString dir = c.rel.IsEmpty() ? CString() : DataFolder(c.rel, c.withIndex);
        const CString file = c.withIndex ? dir + kMeshBelow : CString();
        EXPECT_GE(file.GetLength(), c.minLength);
        m_engine.SetReply(kAsk, dir);
        CEarthMeshProbe mesh;

        EXPECT_EQ(mesh.GetIdxFile(m_cor.get()), file);
        EXPECT_EQ(Sent(), std::vector<CString>{kAsk});

        EXPECT_TRUE(mesh.CheckMeshIndex(m_cor.get())) << "the first check said it was done before";
        const std::vector<CString> sent = Sent();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent[0], kAsk);
        if (c.sends == Sends::kNothing) {
            EXPECT_EQ(sent.size(), 1u);
            EXPECT_EQ(mesh.m_bIndexSet, 0);
            EXPECT_TRUE(mesh.CheckMeshIndex(m_cor.get())) << "a failed lookup counted as done";
            EXPECT_EQ(Sent(), std::vector<CString>{kAsk}) << "the next check did not look again";
            continue;
        }
        ASSERT_EQ(sent.size(), 2u);
        const CString expected = c.sends == Sends::kWhole ? file : PathForm(GetShortPathNameW, file);
        EXPECT_EQ(sent[1], L"Solar.Planet.Earth.Landscape.IndexFile = \"" + expected + L"\"");
        if (c.sends == Sends::kShortForm) {
            EXPECT_EQ(expected.Find(L' '), -1) << "the short form holds a blank";
            EXPECT_LT(expected.GetLength(), MAX_PATH);
            EXPECT_EQ(CompareStringOrdinal(PathForm(GetLongPathNameW, expected), -1, file, -1, TRUE), CSTR_EQUAL)
                << "the short form names another file";
        }
        EXPECT_TRUE(mesh.m_bIndexSet);

        EXPECT_FALSE(mesh.CheckMeshIndex(m_cor.get())) << "a second check did the work again";
        EXPECT_TRUE(Sent().empty()) << "a check after a success asked the engine";
    }
}

TEST_F(EarthMeshTest, SetMeshIndexSendsEveryTimeAndKeepsItsFlag)
{
    const CString dir = DataFolder(L"Data Folder", true);
    m_engine.SetReply(kAsk, dir);
    CEarthMesh mesh;
    mesh.SetMeshIndex(m_cor.get());
    mesh.SetMeshIndex(m_cor.get());
    const std::vector<CString> sets = m_engine.Assignments();
    ASSERT_EQ(sets.size(), 2u) << "SetMeshIndex did not send each time";
    EXPECT_EQ(sets[0], sets[1]);
    EXPECT_TRUE(mesh.m_bIndexSet);
    Sent();

    // The index file goes away: nothing is sent and the object still counts as done.
    ASSERT_TRUE(DeleteFileW(dir + kMeshBelow));
    mesh.SetMeshIndex(m_cor.get());
    EXPECT_EQ(Sent(), std::vector<CString>{kAsk});
    EXPECT_TRUE(mesh.m_bIndexSet) << "a failed lookup cleared the flag";
    EXPECT_FALSE(mesh.CheckMeshIndex(m_cor.get()));
    EXPECT_TRUE(Sent().empty());
}

// A path with no short form (it does not exist) is sent whole, however long.
TEST_F(EarthMeshTest, FallsBackToTheWholePath)
{
    CString longMissing = m_strRoot;
    while (longMissing.GetLength() < 2 * MAX_PATH) longMissing += L"\\missing folder";
    for (const CString& path : {m_strRoot + L"\\gone\\worldmesh.txt", longMissing})
        EXPECT_EQ(CEarthMeshProbe::EnginePath(path), path);
}

}  // namespace
