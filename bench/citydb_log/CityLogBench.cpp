#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>

#include <afx/AnsiCodePage.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const wchar_t* const kRegion[] = {L"北海道", L"東北", L"関東", L"中部", L"近畿", L"中国", L"四国", L"九州", L"沖縄", L"海外"};
const wchar_t* const kPart[] = {L"山", L"川", L"田", L"島", L"橋", L"森", L"浜", L"原", L"沢", L"野", L"崎", L"岡"};

// A system list of 10,000 places with Japanese names in 300 folders (10 regions of 29 or 30).
std::string MakeSystemList()
{
    std::wstring text = L"# bench\r\n";
    int nPlace = 0;
    for (int r = 0; r < 10; ++r) {
        text += std::wstring(L"@") + kRegion[r] + L"\r\n";
        for (int f = 0; f < 30; ++f) {
            text += std::wstring(L"@@") + kRegion[r] + kPart[f % 12] + std::to_wstring(f) + L"県\r\n";
            int nHere = 10000 / 300 + (r * 30 + f < 10000 % 300 ? 1 : 0);
            for (int p = 0; p < nHere; ++p, ++nPlace) {
                wchar_t line[160];
                swprintf(line, 160, L"%ls%ls%d町,%.4fE,%.4fN,%d,+09.00,0,0,%d\r\n", kPart[nPlace % 12],
                         kPart[(nPlace / 12) % 12], nPlace, 123.0 + (nPlace % 2000) / 100.0,
                         24.0 + (nPlace % 1700) / 100.0, nPlace % 3000, nPlace % 10);
                text += line;
            }
            text += L"#\r\n";
        }
        text += L"#\r\n";
    }
    return AnsiFromWide(text);
}

std::string TempDir()
{
    static std::string s_dir;
    if (s_dir.empty()) {
        char templ[] = "/tmp/citydb_bench_XXXXXX";
        if (!mkdtemp(templ))
            throw std::runtime_error("mkdtemp failed");
        s_dir = templ;
    }
    return s_dir;
}

CString Wide(const std::string& s)
{
    return CString(std::wstring(s.begin(), s.end()));
}

// A session over the in-memory tree; the benchmarks load the system list alone and replay or
// record on their own.
struct City {
    CMemTree tree;
    CCitySession session{tree};
    CCityData& data = session.m_data;
    CLocationLog& log = session.m_log;
    CCityEditor& editor = session.m_editor;

    City()
    {
        session.SetFiles(Wide(TempDir() + "/zelkam.obs"), Wide(TempDir() + "/zelkam_user.obs"),
                         Wide(TempDir() + "/log.json"));
        editor.m_bEditable = 1;
    }
    void LoadList()
    {
        data.ResetLists();
        data.LoadCityList();
    }
};

size_t CountRecords(const picojson::value& v)
{
    if (!v.is<picojson::array>())
        return 0;
    size_t n = 0;
    for (const picojson::value& rec : v.get<picojson::array>()) {
        ++n;
        if (rec.is<picojson::object>()) {
            auto it = rec.get<picojson::object>().find("next");
            if (it != rec.get<picojson::object>().end())
                n += CountRecords(it->second);
        }
    }
    return n;
}

// The edits a user makes, in a mix: adds, edits, renames, deletes and moves of places. Keeps
// its own list of the items so that picking one costs nothing.
class EditMix {
public:
    EditMix(City& city, unsigned seed) : m_city(city), m_rng(seed)
    {
        m_items = city.tree.GetItems();
        m_items.erase(m_items.begin());  // not the root
    }

    void Step()
    {
        ICityTree& tree = m_city.tree;
        size_t nItem = Pick(m_items.size());
        HCITYITEM hItem = m_items[nItem];
        HCITYITEM hOther = m_items[Pick(m_items.size())];
        bool bFolder = tree.GetItemData(hItem) == CITY_FOLDER_DATA;
        CString s;
        CCityList place;
        place.m_dLon = 135.0 + (m_nName % 100) / 10.0;
        place.m_dLat = 35.0;
        place.m_dAlt = m_nName % 500;
        place.m_dTz = 9;
        CString strName;
        strName.Format(L"新地点%d", ++m_nName);
        switch (Pick(10)) {
        case 0: case 1: case 2:
            if (HCITYITEM h = m_city.editor.AddPlace(hItem, strName, place, s))
                m_items.push_back(h);
            break;
        case 3:
            if (HCITYITEM h = m_city.editor.AddFolder(hItem, strName, s))
                m_items.push_back(h);
            break;
        case 4: case 5:
            if (bFolder)
                m_city.editor.EditFolder(hItem, strName, s);
            else
                m_city.editor.EditPlace(hItem, strName, place, s);
            break;
        case 6: case 7:
            if (!bFolder)
                m_city.editor.EditPlace(hItem, tree.GetItemText(hItem), place, s);
            break;
        case 8:
            if (!bFolder && m_city.editor.DeleteItem(hItem))
                Forget(nItem);
            break;
        default:
            if (!bFolder && m_city.editor.DropItem(hItem, hOther, [](const CString&) { return 0; }, s)) {
                Forget(nItem);
                m_items.push_back(tree.GetItemData(hOther) == CITY_FOLDER_DATA ? tree.GetChildItem(hOther)
                                                                               : tree.GetNextSiblingItem(hOther));
            }
            break;
        }
    }

private:
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }
    void Forget(size_t n)
    {
        m_items[n] = m_items.back();
        m_items.pop_back();
    }

    City& m_city;
    std::mt19937 m_rng;
    std::vector<HCITYITEM> m_items;
    int m_nName = 0;
};

struct Fixture {
    std::string logText;
    size_t nRecords = 0;

    Fixture()
    {
        std::string list = MakeSystemList();
        if (!CSafeFile::Write(Wide(TempDir() + "/zelkam.obs"), list))
            throw std::runtime_error("cannot write the system list");
        City city;
        city.LoadList();
        city.log.ResetContext();
        EditMix mix(city, 7);
        while ((nRecords = CountRecords(city.log.GetLocationTreeContext())) < 2000)
            mix.Step();
        logText = city.log.GetLocationTreeContext().serialize();
        CSafeFile::Write(Wide(TempDir() + "/log.json"), logText);
    }
};

Fixture& Data()
{
    static Fixture s_fixture;
    return s_fixture;
}

void BM_Replay2000Records(benchmark::State& state)
{
    Fixture& fx = Data();
    City city;
    for (auto _ : state) {
        state.PauseTiming();
        city.LoadList();
        state.ResumeTiming();
        city.log.LoadLocationTreeContext();
        benchmark::DoNotOptimize(city.data.m_nCityNum);
    }
    state.counters["records"] = static_cast<double>(fx.nRecords);
    state.counters["places"] = city.data.m_nCityNum;
}
BENCHMARK(BM_Replay2000Records)->Unit(benchmark::kMillisecond);

void BM_Record1000Edits(benchmark::State& state)
{
    Data();
    City city;
    for (auto _ : state) {
        state.PauseTiming();
        city.LoadList();
        city.log.ResetContext();
        EditMix mix(city, 11);
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            mix.Step();
        benchmark::DoNotOptimize(city.log.GetLocationTreeContext());
    }
    state.counters["places"] = city.data.m_nCityNum;
}
BENCHMARK(BM_Record1000Edits)->Unit(benchmark::kMillisecond);

}  // namespace
