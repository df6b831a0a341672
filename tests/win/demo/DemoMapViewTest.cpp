#include "demo/CDemoMapView.h"

#include <standin/CStandInMap.h>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

namespace {

const int kWidth = 400, kHeight = 300;

struct Place {
    const char* name;
    double lng, lat;
    bool land;
};
const Place kSahara = {"the Sahara", 20, 23, true};
const Place kPacific = {"the Pacific", -160, 0, false};
const Place kIndia = {"India", 78, 22, true};  // its mirror image lies in the Indian Ocean
const Place kHonshu = {"Honshu", 138, 36, true};
const Place kPhilippineSea = {"the Philippine Sea", 137, 30, false};
const Place kKansas = {"Kansas", -100, 40, true};

enum class Looks { Land, Sea, Other };

Looks LooksOf(COLORREF c)
{
    const int r = GetRValue(c), b = GetBValue(c);
    return r > b + 20 ? Looks::Land : b > r + 20 ? Looks::Sea : Looks::Other;
}

std::ostream& operator<<(std::ostream& os, Looks l)
{
    return os << (l == Looks::Land ? "land" : l == Looks::Sea ? "sea" : "neither land nor sea");
}

// The stand-in map window the dialog would create, with the demo's view on it, drawn into a
// bitmap of its client area's size.
class DrawnMap {
public:
    DrawnMap()
    {
        m_hParent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                      nullptr, nullptr, nullptr);
        const RECT rc = {0, 0, kWidth, kHeight};
        HWND hMap = nullptr;
        CStandInMap::Factory(m_hParent, WS_CHILD | WS_VISIBLE, rc, 5002, nullptr, &hMap, &m_pDispatch);
        m_pMap = CStandInMap::FromHwnd(hMap);
    }
    ~DrawnMap()
    {
        ::DestroyWindow(m_hParent);
        if (m_pDispatch)
            m_pDispatch->Release();
    }
    DrawnMap(const DrawnMap&) = delete;
    DrawnMap& operator=(const DrawnMap&) = delete;

    CStandInMap* Map() const { return m_pMap; }

    // Sends the centre (method 4) and the magnification (method 9) as the dialog does.
    void Show(double mag, double lng, double lat)
    {
        Call(4, {lat, lng});
        Call(9, {mag});
    }

    // Draws the view and keeps the pixels, 0x00RRGGBB, top row first.
    void Draw(CDemoMapView& view)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kWidth;
        bi.bmiHeader.biHeight = -kHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        CBitmap bmp;
        bmp.Attach(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        ASSERT_TRUE(bits);
        const HDC hdc = ::CreateCompatibleDC(nullptr);
        ASSERT_TRUE(hdc);
        const HGDIOBJ old = ::SelectObject(hdc, bmp);
        view.Draw(hdc);
        ::GdiFlush();
        ::SelectObject(hdc, old);
        ::DeleteDC(hdc);
        const auto* px = static_cast<const DWORD*>(bits);
        m_pixels.assign(px, px + kWidth * kHeight);
    }

    // The colour most pixels of the 5 x 5 patch around a point have, so that a graticule line
    // through the point does not decide.
    COLORREF Around(CPoint pt) const
    {
        std::map<DWORD, int> count;
        for (int y = pt.y - 2; y <= pt.y + 2; ++y)
            for (int x = pt.x - 2; x <= pt.x + 2; ++x)
                if (x >= 0 && y >= 0 && x < kWidth && y < kHeight)
                    ++count[m_pixels[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFF];
        DWORD most = 0;
        int n = 0;
        for (const auto& [c, k] : count)
            if (k > n) {
                most = c;
                n = k;
            }
        return RGB(most >> 16 & 0xFF, most >> 8 & 0xFF, most & 0xFF);
    }

private:
    void Call(DISPID id, std::vector<double> reversed)
    {
        std::vector<VARIANT> args(reversed.size());
        for (size_t i = 0; i < args.size(); ++i) {
            args[i].vt = VT_R8;
            args[i].dblVal = reversed[i];
        }
        DISPPARAMS dp = {args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        ASSERT_EQ(m_pMap->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &dp, nullptr, nullptr, nullptr),
                  S_OK);
    }

    HWND m_hParent = nullptr;
    IDispatch* m_pDispatch = nullptr;
    CStandInMap* m_pMap = nullptr;
    std::vector<DWORD> m_pixels;
};

// The picture lies where the markers and clicks put the places (a longitude offset, a flipped
// latitude or a picture not wrapped at the date line shows sea on land or land on sea), at
// every size of the picture the views choose; without the picture the map is a plain field.
TEST(DemoMapView, PlacesLieOnTheirLandOrSea)
{
    struct Case {
        const char* view;
        bool picture;
        double mag, lng, lat;
        std::vector<Place> places;
    };
    const Case cases[] = {
        {"the whole world, centred on Greenwich", true, 0.0, 0.0, 0.0, {kSahara, kPacific, kIndia}},
        {"half the world, the date line on the right", true, 0.04, 110.0, 10.0,
         {kSahara, kPacific, kIndia}},
        {"the date line in the middle", true, 0.04, 180.0, 30.0, {kHonshu, kPacific, kKansas}},
        {"zoomed in on Japan", true, 0.3, 137.0, 33.0, {kHonshu, kPhilippineSea}},
        {"no picture", false, 0.04, 110.0, 10.0, {kSahara, kPacific, kIndia}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.view);
        DrawnMap drawn;
        ASSERT_TRUE(drawn.Map());
        CDemoMapView view;
        if (c.picture) {
            ASSERT_TRUE(view.LoadEarth(VRKOBS_EARTH_IMAGE))
                << "the build made no picture of the Earth: run scripts/setup";
        } else {
            EXPECT_FALSE(view.LoadEarth(L"no such picture.bmp"));
        }
        ASSERT_TRUE(view.Attach(drawn.Map()));
        drawn.Show(c.mag, c.lng, c.lat);
        drawn.Draw(view);
        ASSERT_FALSE(HasFatalFailure());
        std::vector<COLORREF> seen;
        for (const Place& p : c.places) {
            SCOPED_TRACE(p.name);
            CPoint pt;
            ASSERT_TRUE(view.PointOf(p.lng, p.lat, pt)) << "not in view";
            seen.push_back(drawn.Around(pt));
            if (c.picture) {
                EXPECT_EQ(LooksOf(seen.back()), p.land ? Looks::Land : Looks::Sea)
                    << std::hex << seen.back();
            } else {
                EXPECT_EQ(seen.back(), seen.front()) << "the field is not plain";
            }
        }
        if (!c.picture) {
            EXPECT_EQ(LooksOf(seen.front()), Looks::Sea) << std::hex << seen.front();
        }
    }
}

}  // namespace
