#include <gtest/gtest.h>

#include "TestDialog.h"
#include <WinTestKit.h>

namespace {

// Scripted: a missing template must fail without a box.
class ResourceChain : public ScriptedTest {};

TEST_F(ResourceChain, StringsLoadThroughTheChainApplicationFirst)
{
    // expected: also what a failed load must leave in place.
    const struct { const char* fault; UINT id; BOOL loads; const wchar_t* expected; } cases[] = {
        {"string only in the extension DLL not found", IDS_AFXTEST_DLL_ONLY, TRUE, L"拡張DLLの文字列 \"引用\""},
        {"extension DLL searched before the application", IDS_AFXTEST_BOTH, TRUE, L"from the application"},
        {"missing string clobbers the target", IDS_AFXTEST_MISSING, FALSE, L"unchanged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        CString s(L"unchanged");
        EXPECT_EQ(c.loads, s.LoadString(c.id));
        EXPECT_EQ(c.expected, s);
    }
    EXPECT_EQ(AfxWinTestResModule(), AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_AFXTEST), RT_DIALOG));
    EXPECT_EQ(nullptr, AfxFindResourceHandle(MAKEINTRESOURCEW(4242), RT_DIALOG));
    // Every other test creates its dialogs from the extension DLL's templates; a missing one fails.
    CTestDialog missing(4242);
    EXPECT_FALSE(missing.Create(4242));
    EXPECT_EQ(-1, missing.DoModal());
}

TEST_F(ResourceChain, BitmapsAndImageListsLoadFromTheExtensionDll)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_AFXTEST_TWO));
    BITMAP bm{};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_FALSE(bitmap.LoadBitmap(IDB_AFXTEST_TWO)) << "a second load must not leak the first";

    CImageListManaged images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(0, images.Add(&bitmap, RGB(255, 0, 0))) << "a masked bitmap was not added";
    CImageListManaged moved(std::move(images));
    EXPECT_EQ(nullptr, images.m_hImageList);
    EXPECT_EQ(2, ImageList_GetImageCount(moved.GetSafeHandle()));
}

TEST_F(ResourceChain, ALibraryIsSearchedOnlyWhileRegistered)
{
    // comctl32 holds a toolbar bitmap that neither the application nor the test DLL has.
    const HMODULE other = ::GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(nullptr, other);
    const LPCWSTR bitmap = MAKEINTRESOURCEW(120);
    ASSERT_NE(nullptr, ::FindResourceW(other, bitmap, RT_BITMAP));
    EXPECT_EQ(nullptr, AfxFindResourceHandle(bitmap, RT_BITMAP));

    AFX_EXTENSION_MODULE state;
    ASSERT_TRUE(AfxInitExtensionModule(state, other));
    new CDynLinkLibrary(state);
    EXPECT_EQ(other, AfxFindResourceHandle(bitmap, RT_BITMAP));
    EXPECT_EQ(AfxWinTestResModule(), AfxFindResourceHandle(MAKEINTRESOURCEW(IDB_AFXTEST_TWO), RT_BITMAP))
        << "the earlier registration no longer comes first";
    AfxTermExtensionModule(state);
    EXPECT_EQ(nullptr, AfxFindResourceHandle(bitmap, RT_BITMAP));
}

}  // namespace
