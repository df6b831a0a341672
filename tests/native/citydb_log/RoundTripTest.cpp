#include "LogTestKit.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

// Random system lists and random edit sequences. With a tiny pool of names, siblings share
// names, renames land on deleted names and names swap.
class RandomSession {
public:
    RandomSession(unsigned seed, bool bTinyPool) : m_rng(seed), m_bTinyPool(bTinyPool) {}

    std::string SystemList()
    {
        std::wstring text = L"# random\r\n";
        for (int i = Pick(1, 4); i > 0; --i)
            Folder(text, 1);
        return AnsiFromWide(text);
    }

    // Runs one edit.
    void Step(CityBench& b)
    {
        const std::vector<HCITYITEM> items = b.tree.GetItems();
        HCITYITEM hAny = items[Pick(0, static_cast<int>(items.size()) - 1)];
        CString s;
        const int op = Pick(0, 9);
        if (op <= 2 || items.size() < 2) {
            const CString strName = !m_deleted.empty() && Pick(0, 2) == 0 ? Any(m_deleted) : NewName(L"新");
            if (Pick(0, 1))
                b.editor.AddPlace(hAny, strName, Values(), s);
            else
                b.editor.AddFolder(hAny, strName, s);
            return;
        }
        HCITYITEM hItem = hAny == items[0] ? items[1] : hAny;
        const CString strOld = b.tree.GetItemText(hItem);
        if (op <= 5) {
            // The same name (onto its namesakes), the one it had before, a sibling's, or any
            // name seen so far: a former or deleted name makes the log name two items alike.
            CString strName = strOld;
            const int nHow = Pick(0, 4);
            auto it = m_previous.find(strOld.wstr());
            if (nHow == 1 && it != m_previous.end())
                strName = CString(it->second);
            else if (nHow == 2)
                strName = Any(m_seen);
            else if (nHow == 3)
                strName = NewName(L"改");
            else if (nHow == 4)
                strName = b.tree.GetItemText(Any(Siblings(b, hItem)));
            const bool bDone = b.tree.GetItemData(hItem) == CITY_FOLDER_DATA ? b.editor.EditFolder(hItem, strName, s)
                                                                              : b.editor.EditPlace(hItem, strName, Values(), s);
            if (bDone && strName != strOld)
                m_previous[strName.wstr()] = strOld.wstr();
            return;
        }
        if (op == 6) {
            m_deleted.push_back(strOld);
            b.editor.DeleteItem(hItem);
            return;
        }
        // Into or behind a folder of the item's own name where there is one, else anywhere.
        std::vector<HCITYITEM> aNamesake;
        for (HCITYITEM h : items) {
            if (h != hItem && b.tree.GetItemText(h) == strOld)
                aNamesake.push_back(h);
        }
        HCITYITEM hTarget = !aNamesake.empty() && Pick(0, 1) ? Any(aNamesake) : Any(items);
        const int nMode = Pick(0, 1);
        b.editor.DropItem(hItem, hTarget, [nMode](const CString&) { return nMode; }, s);
    }

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    template <class T> T Any(const std::vector<T>& v) { return v[Pick(0, static_cast<int>(v.size()) - 1)]; }
    static std::vector<HCITYITEM> Siblings(const CityBench& b, HCITYITEM hItem)
    {
        std::vector<HCITYITEM> out;
        for (HCITYITEM h = b.tree.GetChildItem(b.tree.GetParentItem(hItem)); h; h = b.tree.GetNextSiblingItem(h))
            out.push_back(h);
        return out;
    }

    CString NewName(const wchar_t* pszPrefix)
    {
        CString str;
        if (m_bTinyPool)
            str = std::vector<const wchar_t*>{L"A", L"B", L"表", L"東京"}[static_cast<size_t>(Pick(0, 3))];
        else
            str.Format(L"%s%d", pszPrefix, ++m_nName);
        m_seen.push_back(str);
        return str;
    }

    CCityList Values()
    {
        return PlaceValues(Pick(-1800000, 1800000) / 10000.0, Pick(-900000, 900000) / 10000.0, Pick(-100, 4000),
                           Pick(-48, 56) / 4.0, Pick(0, 9), Pick(0, 2));
    }

    void Folder(std::wstring& text, int nLevel)
    {
        text += std::wstring(nLevel, L'@') + NewName(L"区").wstr() + L"\r\n";
        for (int i = Pick(0, 5); i > 0; --i) {
            if (nLevel < 3 && Pick(0, 3) == 0) {
                Folder(text, nLevel + 1);
                continue;
            }
            CString line;
            line.Format(L"%s,%.4fE,%.4fN,%d,+09.00,0,0,%d\r\n", NewName(L"地点").GetString(), Pick(0, 1800000) / 10000.0,
                        Pick(0, 900000) / 10000.0, Pick(0, 3000), Pick(0, 9));
            text += line.wstr();
        }
        text += L"#\r\n";
    }

    std::mt19937 m_rng;
    bool m_bTinyPool;
    int m_nName = 0;
    std::vector<CString> m_deleted, m_seen;
    std::map<std::wstring, std::wstring> m_previous;
};

// Whatever a session did, the log it saved replays over the same system list to exactly the
// tree it saved: names, values and the order of every folder. With a pool of four names,
// siblings share names, folders move into and behind their namesakes and renames land on them.
TEST(RoundTrip, RandomEditSequencesReplayToTheSameTree)
{
#ifdef _WIN32
    // The same logic as natively; under Wine every file call is slow.
    const int nWide = 100, nTiny = 300;
#else
    const int nWide = 300, nTiny = 3000;
#endif
    // Two benches reused for every sequence.
    CityBench b, replay;
    for (int seed = 1; seed <= nWide + nTiny; ++seed) {
        const bool bTinyPool = seed > nWide;
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomSession session(static_cast<unsigned>(seed), bTinyPool);
        RemoveFile(b.dir.Path("zelkam_user_obs.json"));
        b.Open(session.SystemList(), "", true);
        for (int i = 5 + seed % 20; i > 0; --i)
            session.Step(b);
        b.SaveAndReplay(replay);
        ASSERT_EQ(b.Dump(), replay.Dump());
        ASSERT_EQ(b.LogText(), replay.LogText());
    }
}

}  // namespace
