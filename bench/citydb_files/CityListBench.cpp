// Reading and writing city lists of 10,000 and 100,000 places, against the floor of reading
// the file's lines and splitting them at commas.

#include <citydb/CCitySession.h>
#include <citydb/CMemTree.h>
#include <citydb/CSafeFile.h>
#include <citydb/CityFind.h>

#include <afx/AnsiCodePage.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <cstring>
#include <malloc.h>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <unistd.h>

namespace {

std::string g_dir;

// A system list of nPlaces places in nFolders folders (a tenth at level 1, the rest at level
// 2 below them), with Japanese names.
std::string MakeList(int nPlaces, int nFolders)
{
    static const wchar_t kKanji[] = L"東西南北京都大阪神戸山川海島森林田町村市区橋本松竹梅";
    const int nKanji = static_cast<int>(sizeof(kKanji) / sizeof(kKanji[0])) - 1;
    auto name = [&](int n, const wchar_t* suffix) {
        std::wstring s;
        for (int i = 0; i < 4; ++i, n /= nKanji)
            s += kKanji[n % nKanji];
        return AnsiFromWide(s + suffix);
    };
    std::string out = "#city list for benchmarks\r\n#second header line\r\n";
    int nTop = nFolders / 10;
    int nPerTop = nFolders / nTop - 1;
    int nFolder = 0;
    // Places per folder, the remainder spread over the first folders.
    auto perFolder = [&]() { return nPlaces / nFolders + (nFolder++ < nPlaces % nFolders ? 1 : 0); };
    int nPlace = 0;
    char buf[128];
    auto places = [&](int nCount) {
        for (int i = 0; i < nCount; ++i, ++nPlace) {
            std::snprintf(buf, sizeof(buf), ",%11.7fE,%10.7fN,%7d,+09.00, 0, 0,%2d\r\n",
                          120.0 + (nPlace % 3000) * 0.01, 20.0 + (nPlace % 2000) * 0.01,
                          nPlace % 3000, nPlace % 20);
            std::string n = name(nPlace * 7 + 1, L"駅");
            out += n + std::string(40 - n.size(), ' ') + buf;
        }
    };
    for (int t = 0; t < nTop; ++t) {
        out += "@" + name(t, L"地方") + "\r\n";
        places(perFolder());
        for (int f = 0; f < nPerTop; ++f) {
            out += "@@" + name(t * 100 + f, L"県") + "\r\n";
            places(perFolder());
            out += "#\r\n";
        }
        out += "#\r\n";
    }
    return out;
}

std::string ListPath(int nPlaces)
{
    return g_dir + "/list" + std::to_string(nPlaces) + ".obs";
}

CString Wide(const std::string& ascii)
{
    return CString(std::wstring(ascii.begin(), ascii.end()));
}

// The floor: read the bytes, split lines and fields, and bring each line to wide text.
void BM_Floor(benchmark::State& state)
{
    CString path = Wide(ListPath(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        std::string bytes;
        if (!CSafeFile::Read(path, bytes))
            throw std::runtime_error("cannot read the list");
        size_t nFields = 0;
        size_t nPos = 0;
        while (nPos < bytes.size()) {
            size_t nEnd = bytes.find('\n', nPos);
            if (nEnd == std::string::npos)
                nEnd = bytes.size();
            std::wstring line = WideFromAnsi(bytes.substr(nPos, nEnd - nPos));
            for (wchar_t ch : line)
                nFields += ch == L',';
            nPos = nEnd + 1;
        }
        benchmark::DoNotOptimize(nFields);
    }
}

// The floor without the code page: bytes, lines and commas only.
void BM_FloorBytes(benchmark::State& state)
{
    CString path = Wide(ListPath(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        std::string bytes;
        if (!CSafeFile::Read(path, bytes))
            throw std::runtime_error("cannot read the list");
        size_t nFields = 0;
        size_t nLines = 0;
        for (char ch : bytes) {
            nFields += ch == ',';
            nLines += ch == '\n';
        }
        benchmark::DoNotOptimize(nFields);
        benchmark::DoNotOptimize(nLines);
    }
}

// A session over the in-memory tree with the list of nPlaces places, loaded as the dialog
// opens it.
struct LoadedList {
    CMemTree tree;
    CCitySession session{tree};

    explicit LoadedList(int nPlaces)
    {
        session.SetFiles(Wide(ListPath(nPlaces)), Wide(g_dir + "/user" + std::to_string(nPlaces) + ".obs"), CString());
        session.Load();
        if (session.m_data.m_nCityNum != nPlaces)
            throw std::runtime_error("load failed");
    }
};

void BM_LoadCityList(benchmark::State& state)
{
    for (auto _ : state) {
        auto* pList = new LoadedList(static_cast<int>(state.range(0)));
        state.PauseTiming();
        delete pList;
        state.ResumeTiming();
    }
}

void BM_RefreshUserObs(benchmark::State& state)
{
    LoadedList list(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!list.session.m_data.RefreshUserObs())
            throw std::runtime_error("save failed");
    }
}

// The writer without the file system (the save itself ends in fsync and a rename).
void BM_BuildUserObsText(benchmark::State& state)
{
    LoadedList list(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string text = list.session.m_data.BuildUserObsText(list.tree);
        benchmark::DoNotOptimize(text.data());
    }
}

// Finding the last item of the demo's real list (24,361 places) from the top: the find reads
// and folds every name once. The goal is under 5 ms.
void BM_FindLastOfTheRealList(benchmark::State& state)
{
    CMemTree tree;
    CCitySession session(tree);
    session.SetFiles(CString(VRKOBS_SOURCE_DIR "/demo/data/zelkam.obs"), CString(), CString());
    session.Load();
    const std::vector<HCITYITEM> items = tree.GetItems();
    const CString strLast = tree.GetItemText(items.back());
    for (auto _ : state) {
        HCITYITEM h = CityFindNext(tree, nullptr, strLast);
        benchmark::DoNotOptimize(h);
    }
    state.counters["items"] = static_cast<double>(items.size());
}

BENCHMARK(BM_FindLastOfTheRealList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorBytes)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCityList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildUserObsText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshUserObs)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    char templ[] = "/tmp/citydb_bench_XXXXXX";
    if (!mkdtemp(templ))
        return 1;
    g_dir = templ;
    const std::pair<int, int> lists[] = {{10000, 300}, {100000, 3000}};
    for (const auto& [nPlaces, nFolders] : lists) {
        std::ofstream out(ListPath(nPlaces), std::ios::binary);
        out << MakeList(nPlaces, nFolders);
    }
    // By default freed memory stays in the process, as in a long-running host, so that every
    // size is measured warm; with --cold each load of the large list pays the kernel's page
    // faults again, which the small list (reusing its freed memory) does not.
    bool bCold = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cold") == 0) {
            bCold = true;
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    if (!bCold) {
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& list : lists) {
        unlink(ListPath(list.first).c_str());
        unlink((g_dir + "/user" + std::to_string(list.first) + ".obs").c_str());
    }
    rmdir(g_dir.c_str());
    return 0;
}
