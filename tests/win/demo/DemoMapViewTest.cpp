#include "demo/CDemoMapView.h"

#include <standin/CStandInMap.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

const int kWidth = 400, kHeight = 300;

// The stand-in map window the dialog would create, with the demo's view on it.
struct DrawnMap {
    HWND hParent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    IDispatch* pDispatch = nullptr;
    CStandInMap* pMap = nullptr;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, top row first
    DrawnMap()
    {
        HWND hMap = nullptr;
        CStandInMap::Factory(hParent, WS_CHILD | WS_VISIBLE, {0, 0, kWidth, kHeight}, 5002, nullptr, &hMap, &pDispatch);
        pMap = CStandInMap::FromHwnd(hMap);
    }
    ~DrawnMap() { ::DestroyWindow(hParent); if (pDispatch) pDispatch->Release(); }

    // Centres (method 4, latitude first as arguments arrive reversed) and zooms (method 9) the
    // map as the dialog does, then draws the view and keeps its pixels.
    void Draw(CDemoMapView& view, double mag, double lng, double lat)
    {
        for (const auto& [id, args] : std::map<DISPID, std::vector<double>>{{4, {lat, lng}}, {9, {mag}}}) {
            std::vector<VARIANT> v(args.size());
            for (size_t i = 0; i < v.size(); ++i)
                v[i].vt = VT_R8, v[i].dblVal = args[i];
            DISPPARAMS dp = {v.data(), nullptr, static_cast<UINT>(v.size()), 0};
            ASSERT_EQ(pMap->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr), S_OK);
        }
        BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        const HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HDC hdc = ::CreateCompatibleDC(nullptr);
        ASSERT_TRUE(bits && hdc);
        ::SelectObject(hdc, hBitmap);
        view.Draw(hdc);
        ::GdiFlush();
        pixels.assign(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + kWidth * kHeight);
        ::DeleteDC(hdc);
        ::DeleteObject(hBitmap);
    }

    // The colour of most pixels of the 5 x 5 patch around a point, so that a graticule line
    // through the point does not decide.
    DWORD ColourAround(CPoint pt) const
    {
        std::map<DWORD, int> count;
        for (int y = std::max<int>(pt.y - 2, 0); y <= pt.y + 2 && y < kHeight; ++y)
            for (int x = std::max<int>(pt.x - 2, 0); x <= pt.x + 2 && x < kWidth; ++x)
                ++count[pixels[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFF];
        return std::max_element(count.begin(), count.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    }
};

// How a place looks on the picture: 'L' land, 'S' sea. India's mirror image lies in the Indian
// Ocean.
struct Place { double lng, lat; char looks; };
const Place kSahara = {20, 23, 'L'}, kPacific = {-160, 0, 'S'}, kIndia = {78, 22, 'L'};
const Place kHonshu = {138, 36, 'L'}, kPhilippineSea = {137, 30, 'S'}, kKansas = {-100, 40, 'L'};

// The picture lies where the markers and clicks put the places (a longitude offset, a flipped
// latitude or a picture not wrapped at the date line shows sea on land or land on sea), at
// every size of the picture the views choose; without the picture the map is a plain sea.
TEST(DemoMapView, PlacesLieOnTheirLandOrSea)
{
    const struct { const char* view; bool picture; double mag, lng, lat; std::vector<Place> places; } cases[] = {
        {"the whole world, centred on Greenwich", true, 0.0, 0.0, 0.0, {kSahara, kPacific, kIndia}},
        {"half the world, the date line on the right", true, 0.04, 110.0, 10.0, {kSahara, kPacific, kIndia}},
        {"the date line in the middle", true, 0.04, 180.0, 30.0, {kHonshu, kPacific, kKansas}},
        {"zoomed in on Japan", true, 0.3, 137.0, 33.0, {kHonshu, kPhilippineSea}},
        {"no picture", false, 0.04, 110.0, 10.0, {kSahara, kPacific, kIndia}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view);
        DrawnMap drawn;
        CDemoMapView view;
        ASSERT_EQ(view.LoadEarth(c.picture ? VRKOBS_EARTH_IMAGE : L"no such picture.bmp") != FALSE, c.picture)
            << "the build made no picture of the Earth, or a missing one was read";
        ASSERT_TRUE(view.Attach(drawn.pMap));
        ASSERT_NO_FATAL_FAILURE(drawn.Draw(view, c.mag, c.lng, c.lat));
        std::string looks, expected;
        std::vector<DWORD> colours;
        for (const Place& p : c.places) {
            CPoint pt;
            ASSERT_TRUE(view.PointOf(p.lng, p.lat, pt)) << "a place is not in view";
            colours.push_back(drawn.ColourAround(pt));
            const int r = colours.back() >> 16 & 0xFF, b = colours.back() & 0xFF;  // land red over blue
            looks += r > b + 20 ? 'L' : b > r + 20 ? 'S' : '?';
            expected += c.picture ? p.looks : 'S';
        }
        EXPECT_EQ(looks, expected);
        EXPECT_TRUE(c.picture || std::count(colours.begin(), colours.end(), colours[0]) == 3) << "the field is not plain";
    }
}

}  // namespace
