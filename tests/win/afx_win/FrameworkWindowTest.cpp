#include <gtest/gtest.h>

#include <functional>

#include "TestSupport.h"

namespace {

// A plain framework window recording what its handlers saw.
class CRecordingWnd : public CWnd {
public:
    std::vector<std::wstring> m_log;
    short m_zDelta = 0;
    CPoint m_pt;
    UINT m_nFlags = 0;
    bool m_bNcDestroyed = false;

protected:
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        m_log.push_back(L"Wheel");
        m_nFlags = nFlags;
        m_zDelta = zDelta;
        m_pt = pt;
        return TRUE;
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_log.push_back(L"LButtonDown");
        m_nFlags = nFlags;
        m_pt = point;
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        m_log.push_back(dc.GetSafeHdc() ? L"Paint" : L"Paint without DC");
    }
    afx_msg void OnClose()
    {
        m_log.push_back(L"Close");
        CWnd::OnClose();  // the default destroys the window
    }
    afx_msg void OnDestroy()
    {
        m_log.push_back(L"Destroy");
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override { m_bNcDestroyed = true; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

struct WindowCase {
    const char* fault;
    std::function<void(CRecordingWnd&)> act;
    std::function<void(CRecordingWnd&)> check;
};

TEST(FrameworkWindow, HandlersGetTheMessagesUnpacked)
{
    const WindowCase cases[] = {
        {"wheel delta or flags or point lost",
         [](CRecordingWnd& w) {
             w.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)),
                           MAKELPARAM(static_cast<WORD>(-5), 300));
         },
         [](CRecordingWnd& w) {
             EXPECT_EQ(std::vector<std::wstring>{L"Wheel"}, w.m_log);
             EXPECT_EQ(-WHEEL_DELTA, w.m_zDelta);
             EXPECT_EQ(static_cast<UINT>(MK_CONTROL), w.m_nFlags);
             EXPECT_EQ(CPoint(-5, 300), w.m_pt) << "screen coordinates are signed";
         }},
        {"mouse point unpacked unsigned",
         [](CRecordingWnd& w) { w.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-3), 7)); },
         [](CRecordingWnd& w) {
             EXPECT_EQ(std::vector<std::wstring>{L"LButtonDown"}, w.m_log);
             EXPECT_EQ(CPoint(-3, 7), w.m_pt);
         }},
        {"WM_PAINT not routed or no paint DC",
         [](CRecordingWnd& w) {
             w.ShowWindow(SW_SHOW);
             w.Invalidate();
             w.UpdateWindow();
         },
         [](CRecordingWnd& w) {
             ASSERT_FALSE(w.m_log.empty());
             EXPECT_EQ(L"Paint", w.m_log.back());
         }},
        {"default WM_CLOSE handling does not destroy the window",
         [](CRecordingWnd& w) { w.SendMessage(WM_CLOSE); },
         [](CRecordingWnd& w) {
             const std::vector<std::wstring> expected = {L"Close", L"Destroy"};
             EXPECT_EQ(expected, w.m_log);
             EXPECT_EQ(nullptr, w.m_hWnd);
             EXPECT_TRUE(w.m_bNcDestroyed);
         }},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.fault);
        CRecordingWnd w;
        ASSERT_TRUE(w.CreateEx(0, nullptr, L"記録", WS_OVERLAPPEDWINDOW, CRect(10, 10, 200, 150), nullptr, 0));
        EXPECT_EQ(&w, CWnd::FromHandlePermanent(w.m_hWnd));
        c.act(w);
        c.check(w);
    }
}

TEST(FrameworkWindow, TemporaryWrappersStandInForForeignWindows)
{
    HWND foreign = ::CreateWindowExW(0, L"STATIC", L"他所", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    ASSERT_NE(nullptr, foreign);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(nullptr, temp);
    EXPECT_EQ(foreign, temp->m_hWnd);
    EXPECT_EQ(temp, CWnd::FromHandle(foreign)) << "one wrapper per window";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));
    CString text;
    temp->GetWindowText(text);
    EXPECT_STREQ(L"他所", text.GetString());
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_EQ(&owner, CWnd::FromHandle(foreign)) << "the permanent object comes first";
    EXPECT_FALSE(CWnd().Attach(foreign)) << "a window with an object attached twice";
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(nullptr, owner.m_hWnd) << "an attached window's object kept a dead handle";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));
}

}  // namespace
