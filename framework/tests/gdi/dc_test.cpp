// Device contexts and GDI wrappers: pixels drawn into a memory DC, object
// selection and restoration, and no GDI objects left behind.
#include "afx_gdi.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

DWORD GdiObjectCount()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

// A 32-bit top-down DIB section selected into a memory DC; pixels readable
// straight from memory.
struct Canvas {
    Canvas(int w, int h)
        : width(w)
        , height(h)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bitmap.Attach(::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
        bits = static_cast<DWORD*>(p);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    }
    ~Canvas() { dc.SelectObject(old); }

    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = bits[y * width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(COLORREF c) const
    {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                n += At(x, y) == c;
        return n;
    }

    int width, height;
    CBitmap bitmap; // declared before dc: the DC goes first
    CDC dc;
    CBitmap* old = nullptr;
    DWORD* bits = nullptr;
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

} // namespace

TEST(MemoryDC, ShapesAndFillsDrawTheExpectedPixels)
{
    Canvas c(40, 30);
    c.dc.FillSolidRect(2, 2, 5, 4, kRed);
    EXPECT_EQ(kRed, c.At(2, 2));
    EXPECT_EQ(kRed, c.At(6, 5));
    EXPECT_EQ(kWhite, c.At(7, 5));
    EXPECT_EQ(kWhite, c.At(6, 6));
    EXPECT_EQ(20, c.Count(kRed));

    {
        CPen pen(PS_SOLID, 1, kBlue);
        CBrush brush(kGreen);
        CSelectGuard gp(c.dc, pen);
        CSelectGuard gb(c.dc, brush);
        EXPECT_TRUE(c.dc.Rectangle(10, 10, 20, 16));
        EXPECT_EQ(kBlue, c.At(10, 10)); // outline
        EXPECT_EQ(kBlue, c.At(19, 15));
        EXPECT_EQ(kGreen, c.At(11, 11)); // inside
        EXPECT_EQ(kWhite, c.At(20, 16)); // right and bottom are exclusive
        c.dc.MoveTo(0, 25);
        c.dc.LineTo(10, 25);
        EXPECT_EQ(kBlue, c.At(0, 25));
        EXPECT_EQ(kBlue, c.At(9, 25));
        EXPECT_EQ(kWhite, c.At(10, 25));
        EXPECT_TRUE(c.dc.GetCurrentPosition() == CPoint(10, 25));
    }
    // The guards put the stock objects back.
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(c.dc, OBJ_PEN));
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ::GetCurrentObject(c.dc, OBJ_BRUSH));

    c.dc.Draw3dRect(25, 2, 6, 5, kRed, kBlue);
    EXPECT_EQ(kRed, c.At(25, 2));
    EXPECT_EQ(kRed, c.At(25, 5));
    EXPECT_EQ(kBlue, c.At(30, 2));
    EXPECT_EQ(kBlue, c.At(25, 6));
    EXPECT_EQ(kBlue, c.At(30, 6));
    EXPECT_EQ(kWhite, c.At(27, 4));

    CBrush frame(kGreen);
    CRect fr(32, 10, 38, 14);
    c.dc.FrameRect(&fr, &frame);
    EXPECT_EQ(kGreen, c.At(32, 10));
    EXPECT_EQ(kGreen, c.At(37, 13));
    EXPECT_EQ(kWhite, c.At(34, 12));
    CRect fill(33, 11, 37, 13);
    c.dc.FillRect(&fill, &frame);
    EXPECT_EQ(kGreen, c.At(34, 12));

    EXPECT_EQ(kWhite, c.dc.SetPixel(1, 28, kRed) == kRed ? kWhite : c.dc.GetPixel(1, 28));
    EXPECT_EQ(kRed, c.dc.GetPixel(1, 28));
}

TEST(MemoryDC, EllipsePolygonArcAndPieStayInsideTheirBounds)
{
    Canvas c(40, 40);
    CBrush brush(kRed);
    CPen pen(PS_SOLID, 1, kRed);
    CSelectGuard gb(c.dc, brush);
    CSelectGuard gp(c.dc, pen);
    c.dc.Ellipse(0, 0, 20, 20);
    EXPECT_EQ(kRed, c.At(10, 10));
    EXPECT_EQ(kWhite, c.At(0, 0));
    EXPECT_EQ(kWhite, c.At(20, 10));

    POINT tri[3] = { { 20, 20 }, { 39, 20 }, { 20, 39 } };
    c.dc.Polygon(tri, 3);
    EXPECT_EQ(kRed, c.At(22, 22));
    EXPECT_EQ(kWhite, c.At(37, 37));

    CRect arcBox(0, 20, 20, 40);
    c.dc.Arc(&arcBox, CPoint(20, 30), CPoint(0, 30)); // upper half, counter-clockwise
    EXPECT_EQ(kWhite, c.At(10, 30));
    c.dc.Pie(&arcBox, CPoint(20, 30), CPoint(0, 30));
    EXPECT_EQ(kRed, c.At(10, 26));
    EXPECT_EQ(kWhite, c.At(10, 36));

    POINT line[3] = { { 25, 2 }, { 35, 2 }, { 35, 12 } };
    c.dc.Polyline(line, 3);
    EXPECT_EQ(kRed, c.At(30, 2));
    EXPECT_EQ(kRed, c.At(35, 8));
    c.dc.RoundRect(24, 14, 38, 19, 4, 4);
    EXPECT_EQ(kRed, c.At(30, 16));
}

TEST(MemoryDC, BlitsStretchAlphaAndTransparency)
{
    Canvas src(4, 4), dst(16, 16);
    src.dc.FillSolidRect(0, 0, 4, 4, kRed);
    src.dc.FillSolidRect(0, 0, 2, 2, kBlue);

    dst.dc.BitBlt(0, 0, 4, 4, &src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(kBlue, dst.At(1, 1));
    EXPECT_EQ(kRed, dst.At(3, 3));

    dst.dc.SetStretchBltMode(COLORONCOLOR);
    dst.dc.StretchBlt(8, 0, 8, 8, &src.dc, 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(kBlue, dst.At(11, 3));
    EXPECT_EQ(kRed, dst.At(12, 4));
    EXPECT_EQ(kRed, dst.At(15, 7));

    // Blue is the transparent colour: only the red part lands.
    dst.dc.TransparentBlt(0, 8, 4, 4, &src.dc, 0, 0, 4, 4, kBlue);
    EXPECT_EQ(kWhite, dst.At(0, 8));
    EXPECT_EQ(kRed, dst.At(3, 11));

    // Half-transparent red over white.
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 128, 0 };
    dst.dc.AlphaBlend(8, 8, 4, 4, &src.dc, 2, 2, 2, 2, blend);
    COLORREF mixed = dst.At(9, 9);
    EXPECT_EQ(255, GetRValue(mixed));
    EXPECT_NEAR(127, GetGValue(mixed), 2);
    EXPECT_NEAR(127, GetBValue(mixed), 2);

    dst.dc.PatBlt(12, 12, 2, 2, BLACKNESS);
    EXPECT_EQ(RGB(0, 0, 0), dst.At(13, 13));
}

TEST(MemoryDC, TransformsClippingAndRasterOps)
{
    Canvas c(20, 20);
    CBrush red(kRed);

    c.dc.SetGraphicsMode(GM_ADVANCED);
    XFORM shift = { 1, 0, 0, 1, 10, 5 };
    EXPECT_TRUE(c.dc.SetWorldTransform(&shift));
    CRect r(0, 0, 2, 2);
    c.dc.FillRect(&r, &red);
    XFORM back;
    EXPECT_TRUE(c.dc.GetWorldTransform(&back));
    EXPECT_EQ(10.0f, back.eDx);
    EXPECT_TRUE(c.dc.ModifyWorldTransform(nullptr, MWT_IDENTITY));
    EXPECT_EQ(kRed, c.At(10, 5));
    EXPECT_EQ(kRed, c.At(11, 6));
    EXPECT_EQ(kWhite, c.At(0, 0));

    int saved = c.dc.SaveDC();
    c.dc.IntersectClipRect(0, 10, 5, 15);
    c.dc.ExcludeClipRect(0, 10, 1, 11);
    c.dc.FillSolidRect(0, 0, 20, 20, kBlue);
    EXPECT_TRUE(c.dc.RestoreDC(saved));
    EXPECT_EQ(kBlue, c.At(4, 14));
    EXPECT_EQ(kWhite, c.At(0, 10)); // excluded
    EXPECT_EQ(kWhite, c.At(5, 14));
    EXPECT_EQ(kWhite, c.At(4, 9));
    EXPECT_EQ(24, c.Count(kBlue));

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(15, 15, 18, 18));
    EXPECT_NE(ERROR, c.dc.SelectClipRgn(&rgn));
    c.dc.FillSolidRect(0, 0, 20, 20, kGreen);
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(9, c.Count(kGreen));

    // R2_NOT inverts what is under the line.
    c.dc.SetROP2(R2_NOT);
    EXPECT_EQ(R2_NOT, c.dc.GetROP2());
    c.dc.MoveTo(0, 19);
    c.dc.LineTo(3, 19);
    EXPECT_EQ(RGB(0, 0, 0), c.At(1, 19));

    c.dc.SetViewportOrg(5, 0);
    c.dc.SetROP2(R2_COPYPEN);
    c.dc.SetPixel(0, 0, kRed);
    EXPECT_EQ(kRed, c.At(5, 0));
    EXPECT_TRUE(c.dc.SetViewportOrg(0, 0) == CPoint(5, 0));
}

TEST(MemoryDC, TextIsDrawnAndMeasured)
{
    Canvas c(120, 30);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Arial", &c.dc));
    LOGFONT lf;
    ASSERT_EQ(static_cast<int>(sizeof(lf)), font.GetLogFont(&lf));
    EXPECT_EQ(-16, lf.lfHeight); // 12 pt at 96 dpi
    CFont* old = c.dc.SelectObject(&font);
    ASSERT_NE(nullptr, old);
    c.dc.SetTextColor(kBlue);
    c.dc.SetBkMode(TRANSPARENT);
    EXPECT_EQ(TRANSPARENT, c.dc.GetBkMode());
    CSize size = c.dc.GetTextExtent(CString(L"HHHH"));
    EXPECT_GT(size.cx, 20);
    EXPECT_GT(size.cy, 10);
    TEXTMETRIC tm;
    EXPECT_TRUE(c.dc.GetTextMetrics(&tm));
    EXPECT_EQ(size.cy, tm.tmHeight);
    c.dc.TextOut(2, 2, CString(L"HHHH"));
    EXPECT_GT(c.Count(kBlue), 20);

    CRect box(0, 0, 120, 30);
    c.dc.SetTextColor(kRed);
    c.dc.DrawText(CString(L"I"), &box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_GT(c.Count(kRed), 3);
    c.dc.SelectObject(old);
}

TEST(GdiObjects, SelectionReturnsTemporaryWrappersThatDoNotOwn)
{
    Canvas c(4, 4);
    CPen pen;
    ASSERT_TRUE(pen.CreatePen(PS_DOT, 1, kRed));
    LOGPEN lp;
    EXPECT_EQ(static_cast<int>(sizeof(lp)), pen.GetLogPen(&lp));
    EXPECT_EQ(kRed, lp.lopnColor);

    CPen* previous = c.dc.SelectObject(&pen);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), previous->GetSafeHandle());
    EXPECT_EQ(previous, CPen::FromHandle(static_cast<HPEN>(::GetStockObject(BLACK_PEN))));
    EXPECT_TRUE(previous->IsKindOf(RUNTIME_CLASS(CPen)));
    CPen* mine = c.dc.SelectObject(previous);
    EXPECT_EQ(pen.m_hObject, mine->m_hObject);
    EXPECT_NE(&pen, mine);

    CGdiObject::DeleteTempMap();
    // Freeing the temporaries left the pen alive.
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(pen));
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));

    HGDIOBJ h = pen.Detach();
    EXPECT_EQ(nullptr, pen.GetSafeHandle());
    EXPECT_FALSE(pen.DeleteObject());
    CPen adopted;
    EXPECT_TRUE(adopted.Attach(h));
    EXPECT_TRUE(adopted.DeleteObject());
    EXPECT_EQ(0u, ::GetObjectType(h));

    CDC* temp = CDC::FromHandle(c.dc);
    EXPECT_EQ(temp, CDC::FromHandle(c.dc.GetSafeHdc()));
    CDC::DeleteTempMap();
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(c.dc));
}

TEST(GdiObjects, RegionsBitmapsPalettesAndImageLists)
{
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateEllipticRgn(5, 5, 15, 15);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, both.CombineRgn(&a, &b, RGN_OR));
    EXPECT_TRUE(both.PtInRegion(1, 1));
    EXPECT_TRUE(both.PtInRegion(12, 10));
    EXPECT_FALSE(both.PtInRegion(14, 1));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(0, box.left);
    EXPECT_EQ(0, box.top);
    EXPECT_GE(box.right, 14);
    EXPECT_GE(box.bottom, 14);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    copy.CopyRgn(&both);
    EXPECT_TRUE(copy.EqualRgn(&both));
    copy.OffsetRgn(1, 0);
    EXPECT_FALSE(copy.EqualRgn(&both));

    CBitmap bmp;
    const WORD bits[2] = { 0xAAAA, 0x5555 };
    ASSERT_TRUE(bmp.CreateBitmap(16, 2, 1, 1, bits));
    BITMAP info;
    EXPECT_EQ(static_cast<int>(sizeof(info)), bmp.GetBitmap(&info));
    EXPECT_EQ(16, info.bmWidth);
    EXPECT_EQ(1, info.bmBitsPixel);

    std::vector<BYTE> raw(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(raw.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 2;
    lp->palPalEntry[0] = { 255, 0, 0, 0 };
    lp->palPalEntry[1] = { 0, 0, 255, 0 };
    CPalette pal;
    ASSERT_TRUE(pal.CreatePalette(lp));
    EXPECT_EQ(2, pal.GetEntryCount());
    EXPECT_EQ(1u, pal.GetNearestPaletteIndex(RGB(0, 0, 250)));

    Canvas c(8, 8);
    CBitmap image;
    ASSERT_TRUE(image.CreateCompatibleBitmap(&c.dc, 4, 4));
    {
        CDC mem;
        mem.CreateCompatibleDC(&c.dc);
        CSelectGuard g(mem, image);
        mem.FillSolidRect(0, 0, 4, 4, kBlue);
    }
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR32, 1, 1));
    EXPECT_EQ(0, list.Add(&image, static_cast<CBitmap*>(nullptr)));
    EXPECT_EQ(1, list.GetImageCount());
    EXPECT_TRUE(list.Draw(&c.dc, 0, CPoint(2, 2), ILD_NORMAL));
    EXPECT_EQ(kBlue, c.At(3, 3));
    EXPECT_EQ(kWhite, c.At(1, 1));
}

TEST(GdiObjects, DrawingLeavesTheGdiObjectCountUnchanged)
{
    // Warm up: the first use of fonts and DCs may allocate cached objects.
    {
        Canvas c(8, 8);
        CFont f;
        f.CreatePointFont(90, L"Arial", &c.dc);
        CSelectGuard g(c.dc, f);
        c.dc.TextOut(0, 0, CString(L"x"));
    }
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    // Wine's GetGuiResources always reports 0; there the check of every
    // handle below carries the test.
    DWORD before = GdiObjectCount();
    std::vector<HGDIOBJ> made;
    for (int round = 0; round < 3; ++round) {
        Canvas c(32, 32);
        CPen pen(PS_SOLID, 2, kRed);
        CBrush brush(HS_CROSS, kBlue);
        CFont font;
        font.CreatePointFont(100, L"Arial", &c.dc);
        CRgn rgn;
        rgn.CreateEllipticRgn(0, 0, 30, 30);
        made.insert(made.end(),
            { pen.m_hObject, brush.m_hObject, font.m_hObject, rgn.m_hObject, c.bitmap.m_hObject,
                static_cast<HGDIOBJ>(c.dc.m_hDC) });
        CSelectGuard gp(c.dc, pen);
        CSelectGuard gb(c.dc, brush);
        CSelectGuard gf(c.dc, font);
        c.dc.SelectClipRgn(&rgn);
        c.dc.Ellipse(1, 1, 31, 31);
        c.dc.TextOut(4, 4, CString(L"GDI"));
        c.dc.SelectStockObject(NULL_BRUSH);
        c.dc.SelectObject(&brush);
        EXPECT_GT(c.Count(kBlue), 20); // the hatch
        EXPECT_GT(c.Count(kRed), 20); // the outline
    }
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    EXPECT_EQ(before, GdiObjectCount());
    for (HGDIOBJ h : made)
        EXPECT_EQ(0u, ::GetObjectType(h)) << h;
}

namespace {

// Stands in for a window class: anything with GetSafeHwnd() will do.
struct FakeWnd {
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
};

} // namespace

TEST(WindowDC, TakeAHandleOrAnythingWithGetSafeHwnd)
{
    FakeWnd wnd;
    wnd.m_hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, wnd.m_hWnd) << ::GetLastError();
    {
        CClientDC byHandle(wnd.m_hWnd);
        EXPECT_NE(nullptr, byHandle.GetSafeHdc());
        CClientDC byObject(&wnd);
        EXPECT_EQ(wnd.m_hWnd, byObject.m_hWnd);
        EXPECT_NE(nullptr, byObject.GetSafeHdc());
        CWindowDC whole(&wnd);
        EXPECT_NE(nullptr, whole.GetSafeHdc());
        CRect clip;
        EXPECT_NE(ERROR, byObject.GetClipBox(&clip));
    }
    {
        CPaintDC paint(&wnd);
        EXPECT_EQ(wnd.m_hWnd, paint.m_hWnd);
        EXPECT_NE(nullptr, paint.GetSafeHdc());
    }
    ::DestroyWindow(wnd.m_hWnd);
}

TEST(GdiObjects, EachThreadHasItsOwnTemporaries)
{
    HGDIOBJ stock = ::GetStockObject(BLACK_PEN);
    CPen* mine = CPen::FromHandle(static_cast<HPEN>(stock));
    CPen* theirs = nullptr;
    std::thread worker([&] {
        theirs = CPen::FromHandle(static_cast<HPEN>(stock));
        EXPECT_EQ(theirs, CPen::FromHandle(static_cast<HPEN>(stock)));
        // The worker's temporaries go with it; the handle stays.
    });
    worker.join();
    EXPECT_NE(nullptr, theirs);
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(stock));
    EXPECT_EQ(mine, CPen::FromHandle(static_cast<HPEN>(stock)));
}
