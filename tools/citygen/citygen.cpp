// Writes a system city list from the GeoNames cities of Debian's libgeonames.
// Usage: citygen [--places N] [--landmarks FILE] LIST
// Without --places every city is written; with it the N most populous (every folder keeps its
// most populous city). --landmarks adds the observatories and mountains of a hand-written
// supplement (CLandmarkSource), all of them also in a cut. The list is written beside LIST first, read back through citydb, and
// only then put in LIST's place. Exit 0 on success, 1 on failure, 2 on bad usage.

#include "CCityListBuilder.h"
#include "CCityListWriter.h"
#include "CGeoSource.h"
#include "CLandmarkSource.h"
#include "CListCheck.h"

#include <citydb/CSafeFile.h>
#include <citydb/Utf8Text.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

std::vector<std::wstring> Header(size_t nPlaces, bool bCut, size_t nLandmarks)
{
    std::vector<std::wstring> aLine = {
        L"都市リスト: GeoNames の都市 " + std::to_wstring(nPlaces) + L" 地点" +
            (bCut ? L"（人口の多い順。各フォルダーの最大の都市を含む）" : L""),
        L"出典: GeoNames（CC BY 4.0）。Debian の libgeonames " + CityWideFromUtf8(CITYGEN_GEONAMES_VERSION) +
            L" から scripts/gen-citylist で生成",
        L"フォルダー: 日本 → 都道府県、世界 → 地域 → 国。" + std::to_wstring(CCityListBuilder::DivideAbove) +
            L" 地点を超える国は国 → 州など第一級の行政区画。各フォルダーの中は人口の多い順",
        L"名前: 40 バイトに収まる日本語名があればそれを、なければ元の名前（コードページ 932 にない文字は ASCII で綴る。"
        L"40 バイトを超えれば語の切れ目で切る）",
        L"同名: 同じフォルダーの同名の都市には行政区画名を括弧で添え、それでも同じなら 2 番目から番号 (2)、(3)… を添える",
        L"標高: 都市はデータにないため 0 m",
        L"時差: タイムゾーンの標準時（2025年1月15日と7月15日の UTC オフセットのうち小さい方）",
    };
    if (nLandmarks > 0)
        aLine.push_back(L"天文台と山岳: " + std::to_wstring(nLandmarks) +
                        L" 地点。tools/citygen/landmarks.tsv の手書きの補足（公開された座標、標高と時差）");
    return aLine;
}

int Generate(const std::string& strOut, size_t nWanted, const std::string& strLandmarks)
{
    CCityListBuilder builder;
    std::vector<CListPlace> aPlace = builder.FromGeo(CGeoSource::LoadAll(), nWanted);
    const size_t nPlaces = aPlace.size();
    std::vector<CListPlace> aLandmark;
    if (!strLandmarks.empty())
        aLandmark = CLandmarkSource::Load(strLandmarks);
    const std::vector<std::wstring> aHeader = Header(nPlaces, nWanted > 0, aLandmark.size());
    aPlace.insert(aPlace.end(), aLandmark.begin(), aLandmark.end());
    CCityListWriter writer;
    std::string strText = writer.Text(std::move(aPlace), aHeader);

    const std::string strNew = strOut + ".new";
    if (!CSafeFile::Write(CString(CityWideFromUtf8(strNew)), strText)) {
        std::fprintf(stderr, "citygen: cannot write %s\n", strNew.c_str());
        return 1;
    }
    CListCheck check;
    if (!check.Run(CString(CityWideFromUtf8(strNew)))) {
        std::fprintf(stderr, "citygen: %s does not read back (left for inspection): %s\n", strNew.c_str(),
                     check.m_strError.c_str());
        return 1;
    }
    if (check.m_nPlaces != writer.m_nPlaces || check.m_nFolders != writer.m_nFolders) {
        std::fprintf(stderr, "citygen: %s reads back %d places in %d folders, not %d in %d\n", strNew.c_str(),
                     check.m_nPlaces, check.m_nFolders, writer.m_nPlaces, writer.m_nFolders);
        return 1;
    }
    if (std::rename(strNew.c_str(), strOut.c_str()) != 0) {
        std::fprintf(stderr, "citygen: cannot replace %s: %s\n", strOut.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("%s: %d places, %d folders, %d levels, %zu bytes; %d countries in %d divisions, %d names with their "
                "division, %d with a number\n",
                strOut.c_str(), check.m_nPlaces, check.m_nFolders, check.m_nLevels, check.m_nBytes, builder.m_nDivided,
                builder.m_nDivisions, builder.m_nByDivision, builder.m_nByNumber);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    size_t nWanted = 0;
    std::string strOut, strLandmarks;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--places") == 0 && i + 1 < argc) {
            char* pEnd = nullptr;
            long n = std::strtol(argv[++i], &pEnd, 10);
            if (*pEnd || n <= 0) {
                std::fprintf(stderr, "citygen: --places takes a positive number, not \"%s\"\n", argv[i]);
                return 2;
            }
            nWanted = static_cast<size_t>(n);
        } else if (std::strcmp(argv[i], "--landmarks") == 0 && i + 1 < argc) {
            strLandmarks = argv[++i];
        } else if (strOut.empty() && argv[i][0] != '-') {
            strOut = argv[i];
        } else {
            std::fprintf(stderr, "usage: citygen [--places N] [--landmarks FILE] LIST\n");
            return 2;
        }
    }
    if (strOut.empty()) {
        std::fprintf(stderr, "usage: citygen [--places N] [--landmarks FILE] LIST\n");
        return 2;
    }
    try {
        return Generate(strOut, nWanted, strLandmarks);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "citygen: %s\n", e.what());
        return 1;
    }
}
