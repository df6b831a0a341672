#include "GeoTables.h"

#include <cstring>
#include <iterator>

namespace {

struct Region {
    const wchar_t* pszName;
    const char* pszCountries;  // ISO 3166 codes separated by blanks
};

// Continents as GeoNames assigns them (Russia and Cyprus in Europe, Turkey and the Caucasus in
// Asia). The French Southern Territories, filed under Antarctica there, join the neighbouring
// islands of the Indian Ocean in Africa, so that no region holds a single place.
const Region kRegions[] = {
    {L"アジア",
     "AE AF AM AZ BD BH BN BT CC CN CX GE HK ID IL IN IO IQ IR JO JP KG KH KP KR KW KZ LA LB "
     "LK MM MN MO MV MY NP OM PH PK PS QA SA SG SY TH TJ TL TM TR TW UZ VN YE"},
    {L"ヨーロッパ",
     "AD AL AT AX BA BE BG BY CH CY CZ DE DK EE ES FI FO FR GB GG GI GR HR HU IE IM IS IT JE LI "
     "LT LU LV MC MD ME MK MT NL NO PL PT RO RS RU SE SI SJ SK SM UA VA XK"},
    {L"アフリカ",
     "AO BF BI BJ BW CD CF CG CI CM CV DJ DZ EG EH ER ET GA GH GM GN GQ GW KE KM LR LS LY MA MG "
     "ML MR MU MW MZ NA NE NG RE RW SC SD SH SL SN SO SS ST SZ TD TF TG TN TZ UG YT ZA ZM ZW"},
    {L"北アメリカ",
     "AG AI AW BB BL BM BQ BS BZ CA CR CU CW DM DO GD GL GP GT HN HT JM KN KY LC MF MQ MS MX NI "
     "PA PM PR SV SX TC TT US VC VG VI"},
    {L"南アメリカ", "AR BO BR CL CO EC FK GF GY PE PY SR UY VE"},
    {L"オセアニア",
     "AS AU CK FJ FM GU KI MH MP NC NF NR NU NZ PF PG PN PW SB TK TO TV UM VU WF WS"},
};

const wchar_t* const kPrefectures[] = {
    L"北海道", L"青森県", L"岩手県", L"宮城県", L"秋田県", L"山形県", L"福島県", L"茨城県",
    L"栃木県", L"群馬県", L"埼玉県", L"千葉県", L"東京都", L"神奈川県", L"新潟県", L"富山県",
    L"石川県", L"福井県", L"山梨県", L"長野県", L"岐阜県", L"静岡県", L"愛知県", L"三重県",
    L"滋賀県", L"京都府", L"大阪府", L"兵庫県", L"奈良県", L"和歌山県", L"鳥取県", L"島根県",
    L"岡山県", L"広島県", L"山口県", L"徳島県", L"香川県", L"愛媛県", L"高知県", L"福岡県",
    L"佐賀県", L"長崎県", L"熊本県", L"大分県", L"宮崎県", L"鹿児島県", L"沖縄県",
};

bool ListHasCode(const char* pszList, const std::string& strCode)
{
    for (const char* p = pszList; *p;) {
        const char* pEnd = std::strchr(p, ' ');
        size_t nLength = pEnd ? static_cast<size_t>(pEnd - p) : std::strlen(p);
        if (strCode.compare(0, std::string::npos, p, nLength) == 0)
            return true;
        p += nLength;
        while (*p == ' ')
            ++p;
    }
    return false;
}

}  // namespace

int RegionOfCountry(const std::string& strCountryCode)
{
    for (int i = 0; i < RegionCount(); ++i) {
        if (ListHasCode(kRegions[i].pszCountries, strCountryCode))
            return i;
    }
    return -1;
}

int RegionCount()
{
    return static_cast<int>(std::size(kRegions));
}

const wchar_t* RegionName(int nRegion)
{
    return kRegions[nRegion].pszName;
}

const wchar_t* CountryNameFix(const std::string& strCountryCode)
{
    // The data's name puts 韓国 (South Korea) in front of North Korea's.
    return strCountryCode == "KP" ? L"朝鮮民主主義人民共和国" : nullptr;
}

int PrefectureOrder(const std::wstring& strName)
{
    for (size_t i = 0; i < std::size(kPrefectures); ++i) {
        if (strName == kPrefectures[i])
            return static_cast<int>(i);
    }
    return -1;
}
