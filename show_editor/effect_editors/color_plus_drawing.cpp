// The Zazez Urad editor's bar pictures and their drawing thread.
#include "color_plus_drawing.h"

#include "color_strips.h"

#include <algorithm>

namespace {

// Wider strips than this are not drawn (a hostile file's widths).
constexpr int kMaxStripPixels = 1 << 22;

HBITMAP NewDib(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxStripPixels || height > 4096)
        return nullptr;
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// A memory device context with a bitmap selected for the life of the object.
class CSelectedDC {
public:
    explicit CSelectedDC(HBITMAP bitmap)
    {
        m_dc.CreateCompatibleDC(nullptr);
        if (m_dc.GetSafeHdc() != nullptr && bitmap != nullptr)
            m_old = ::SelectObject(m_dc.GetSafeHdc(), bitmap);
    }
    ~CSelectedDC()
    {
        if (m_old != nullptr)
            ::SelectObject(m_dc.GetSafeHdc(), m_old);
    }
    CSelectedDC(const CSelectedDC&) = delete;
    CSelectedDC& operator=(const CSelectedDC&) = delete;
    CDC& DC() { return m_dc; }
    bool Ok() const { return m_old != nullptr; }

private:
    CDC m_dc;
    HGDIOBJ m_old = nullptr;
};

void Fill(CDC& dc, int x, int y, int w, int h, COLORREF color)
{
    if (w > 0 && h > 0)
        dc.FillSolidRect(x, y, w, h, color);
}

// Paints strips one after another from x 0 into a W x 1 picture and
// stretches it over width x 1; black when W is 0 or too wide.
CPlusBitmap StretchStrips(const std::vector<const ColorTemplateArrayEx*>& strips, int W, int width)
{
    CPlusBitmap out(NewDib(std::max(width, 1), 1));
    if (!out)
        return out;
    CSelectedDC target(out.Get());
    if (!target.Ok())
        return CPlusBitmap();
    Fill(target.DC(), 0, 0, std::max(width, 1), 1, RGB(0, 0, 0));
    CPlusBitmap row(W > 0 ? NewDib(W, 1) : nullptr);
    if (!row)
        return out;
    CSelectedDC source(row.Get());
    if (!source.Ok())
        return out;
    int x = 0;
    for (const ColorTemplateArrayEx* strip : strips) {
        const int w = strip->GetTotalWidth();
        if (w <= 0)
            continue;
        PaintColorStrip(x, &source.DC(), *strip);
        x += w;
    }
    ::SetStretchBltMode(target.DC().GetSafeHdc(), COLORONCOLOR);
    ::StretchBlt(target.DC().GetSafeHdc(), 0, 0, std::max(width, 1), 1, source.DC().GetSafeHdc(), 0, 0, W, 1, SRCCOPY);
    return out;
}

} // namespace

// ---------------------------------------------------------------------------

PlusEditorShared::PlusEditorShared()
{
    std::copy(std::begin(kPlusPaletteColors), std::end(kPlusPaletteColors), palette);
}

PlusEditorShared::~PlusEditorShared()
{
    FreeColorStrips(colors);
}

CPlusBitmap& CPlusBitmap::operator=(CPlusBitmap&& other) noexcept
{
    if (this != &other)
        Reset(other.Release());
    return *this;
}

HBITMAP CPlusBitmap::Release()
{
    HBITMAP bitmap = m_bitmap;
    m_bitmap = nullptr;
    return bitmap;
}

void CPlusBitmap::Reset(HBITMAP bitmap)
{
    if (m_bitmap != nullptr)
        ::DeleteObject(m_bitmap);
    m_bitmap = bitmap;
}

COLORREF PlusPixel(HBITMAP bitmap, int x, int y)
{
    CSelectedDC dc(bitmap);
    return dc.Ok() ? ::GetPixel(dc.DC().GetSafeHdc(), x, y) : CLR_INVALID;
}

CSize PlusBitmapSize(HBITMAP bitmap)
{
    BITMAP info {};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0)
        return CSize(0, 0);
    return CSize(info.bmWidth, info.bmHeight);
}

CPlusBitmap DrawPlusColorBar(const ColorStripList& strips, int width, int& W)
{
    W = ColorListWidth(strips);
    std::vector<const ColorTemplateArrayEx*> list;
    for (INT_PTR i = 0; i < strips.GetSize(); ++i)
        list.push_back(strips.GetAt(i));
    return StretchStrips(list, W, width);
}

CPlusBitmap DrawPlusPalette(CSize size, const COLORREF (&rows)[7])
{
    CPlusBitmap out(NewDib(size.cx, size.cy));
    CSelectedDC dc(out.Get());
    if (!dc.Ok())
        return CPlusBitmap();
    Fill(dc.DC(), 0, 0, size.cx, size.cy, RGB(255, 255, 255));
    const int w = size.cx / kPaletteColumns;
    const int h = size.cy / kPaletteRows;
    for (int r = 0; r < kPaletteRows; ++r) {
        for (int i = 0; i < kPaletteColumns; ++i)
            Fill(dc.DC(), i * w, r * h, w - 1, h - 1, PaletteCellColor(rows[r], i));
    }
    return out;
}

CPlusBitmap DrawPlusPaletteDrag(CSize size, const COLORREF (&rows)[7], CPoint press, CPoint current)
{
    CPlusBitmap out = DrawPlusPalette(size, rows);
    CRect rect(press, current);
    rect.NormalizeRect();
    if (!out || rect.IsRectEmpty())
        return out;
    CSelectedDC dc(out.Get());
    if (!dc.Ok())
        return out;
    HDC hdc = dc.DC().GetSafeHdc();
    HPEN pen = ::CreatePen(PS_DASH, 1, RGB(255, 255, 255));
    HGDIOBJ oldPen = ::SelectObject(hdc, pen);
    HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    ::Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
    ::SetBkMode(hdc, oldMode);
    ::SelectObject(hdc, oldBrush);
    ::SelectObject(hdc, oldPen);
    ::DeleteObject(pen);
    return out;
}

CPlusBitmap DrawPlusSequence(
    const ColorPlusItemList& items, int width, int& W, std::vector<PlusSnapshotPicture>& snapshots)
{
    W = 0;
    std::vector<const ColorTemplateArrayEx*> strips;
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        const ProgramColorEffectPlus* item = items.GetAt(i);
        W += ColorListWidth(item->m_strips);
        for (INT_PTR s = 0; s < item->m_strips.GetSize(); ++s)
            strips.push_back(item->m_strips.GetAt(s));
    }
    if (items.GetSize() == 0 || W <= 0) {
        W = 0;
        return StretchStrips({}, 0, width);
    }
    for (INT_PTR i = 0; i < items.GetSize(); ++i) {
        const ProgramColorEffectPlus* item = items.GetAt(i);
        if (item->m_colorCount <= 0)
            continue;
        PlusSnapshotPicture snap;
        snap.style = item->m_style;
        snap.item = static_cast<int>(i);
        snap.thumb.Reset(NewDib(item->m_colorCount, 1));
        if (snap.thumb) {
            CSelectedDC dc(snap.thumb.Get());
            if (dc.Ok()) {
                Fill(dc.DC(), 0, 0, item->m_colorCount, 1, RGB(0, 0, 0));
                int x = 0;
                for (INT_PTR s = 0; s < item->m_strips.GetSize(); ++s) {
                    PaintColorStrip(x, &dc.DC(), *item->m_strips.GetAt(s));
                    x += item->m_strips.GetAt(s)->GetTotalWidth();
                }
            }
        }
        snapshots.push_back(std::move(snap));
    }
    return StretchStrips(strips, W, width);
}

CPlusBitmap DrawPlusCustomBar(CSize size, const CustomStops& stops, int selected, bool gradient)
{
    const int B = size.cx;
    const int H = size.cy;
    CPlusBitmap out(NewDib(B, H));
    CSelectedDC dc(out.Get());
    if (!dc.Ok())
        return CPlusBitmap();
    CDC& cdc = dc.DC();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    Fill(cdc, 0, 0, B, H, face);
    for (int a = 5; a < B - 5; ++a)
        Fill(cdc, a, 0, 1, H / 2 + 1, CustomBarColorAt(stops, gradient, a, B, face));
    HDC hdc = cdc.GetSafeHdc();
    for (int p = NextStopRightOf(stops, -1); p >= 0; p = NextStopRightOf(stops, p)) {
        const S_CusPosInfo& s = stops[p];
        ::MoveToEx(hdc, s.x, s.y - 5, nullptr);
        ::LineTo(hdc, s.x, H / 2);
        Fill(cdc, s.x - 5, s.y - 5, 10, 10, s.color);
    }
    if (selected >= 0 && selected < static_cast<int>(stops.size()) && B > 10) {
        const double position = static_cast<double>(stops[selected].x - 5) / (B - 10);
        CString text;
        text.Format(L"%02d%%", static_cast<int>(position * 100));
        HFONT font = ::CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
        HGDIOBJ oldFont = ::SelectObject(hdc, font);
        SIZE measured {};
        ::GetTextExtentPoint32W(hdc, L"100", 3, &measured);
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, RGB(255, 255, 255));
        ::TextOutW(hdc, 5, (H - measured.cy) / 4, text, text.GetLength());
        ::SelectObject(hdc, oldFont);
        ::DeleteObject(font);
    }
    return out;
}

// ---------------------------------------------------------------------------
// CPlusDrawWorker

namespace {

// The commands with a drawing of their own; every other value draws the colour bar.
bool HasOwnDrawing(int command)
{
    return command == PLUS_DRAW_ALL || command == PLUS_DRAW_PALETTE_DRAG || command == PLUS_DRAW_PALETTE
        || command == PLUS_DRAW_SEQUENCE || command == PLUS_DRAW_CUSTOM;
}

} // namespace

CPlusDrawWorker::CPlusDrawWorker(PlusEditorShared& shared)
    : m_shared(shared)
{
}

CPlusDrawWorker::~CPlusDrawWorker()
{
    Stop();
}

void CPlusDrawWorker::Start(HWND notify)
{
    if (m_thread.joinable())
        return;
    m_notify = notify;
    m_run = 1;
    m_exited = 0;
    m_thread = std::thread([this] { Run(); });
}

void CPlusDrawWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    // The event is auto-reset: set it until the thread has seen the flag.
    while (m_exited == 0) {
        m_run = 0;
        m_wake.SetEvent();
        ::Sleep(1);
    }
    m_thread.join();
}

void CPlusDrawWorker::Request(int command)
{
    {
        PlusGuard guard(m_shared.lock);
        m_shared.pending = command;
        if (command == PLUS_DRAW_ALL || !HasOwnDrawing(command)) {
            CopyColors(m_askedStops, m_askedStripEnds);
            m_askedColors = true;
        }
        if (command == PLUS_DRAW_ALL || command == PLUS_DRAW_CUSTOM) {
            m_askedCustomStops = m_shared.stops;
            m_askedCustom = true;
        }
    }
    m_wake.SetEvent();
}

void CPlusDrawWorker::Run()
{
    while (m_run != 0) {
        ::WaitForSingleObject(m_wake.m_hObject, INFINITE);
        if (m_run == 0)
            break;
        DrawPending();
    }
    m_run = 0;
    m_exited = 1;
}

void CPlusDrawWorker::DrawPending()
{
    // What the command draws, taken under the lock (mostly copies the request
    // made); the drawing itself runs without it, so the user-interface thread
    // never waits for more than a few swaps.
    int command = 0;
    ColorStripList colors;
    ColorPlusItemList items;
    COLORREF palette[7] = {};
    CPoint press, current;
    CustomStops stops;
    int selected = -1;
    bool gradient = true;
    CSize colorBar, paletteSize, sequenceBar, customBar;
    {
        PlusGuard guard(m_shared.lock);
        command = m_shared.pending;
        const bool all = command == PLUS_DRAW_ALL;
        if (all || !HasOwnDrawing(command)) {
            if (m_askedColors) {
                m_flatStops.swap(m_askedStops);
                m_flatStripEnds.swap(m_askedStripEnds);
                m_askedColors = false;
            } else {
                CopyColors(m_flatStops, m_flatStripEnds);
            }
            colorBar = m_shared.colorBarSize;
        }
        std::copy(std::begin(m_shared.palette), std::end(m_shared.palette), palette);
        press = m_shared.pressPoint;
        current = m_shared.currentPoint;
        paletteSize = m_shared.paletteSize;
        if ((all || command == PLUS_DRAW_SEQUENCE) && m_shared.sequence != nullptr) {
            for (INT_PTR i = 0; i < m_shared.sequence->GetSize(); ++i)
                items.Add(ProgramColorEffectPlus::Clone(m_shared.sequence->GetAt(i)));
        }
        sequenceBar = m_shared.sequenceBarSize;
        if (all || command == PLUS_DRAW_CUSTOM) {
            if (m_askedCustom) {
                stops.swap(m_askedCustomStops);
                m_askedCustom = false;
            } else {
                stops = m_shared.stops;
            }
            selected = m_shared.selectedStop;
            gradient = m_shared.gradient;
        }
        customBar = m_shared.customBarSize;
    }

    PlusPictures drawn;
    const bool all = command == PLUS_DRAW_ALL;
    const bool drawColors = all || !HasOwnDrawing(command);
    if (drawColors) {
        RebuildColors(colors);
        drawn.pictures[PLUS_PIC_COLORS] = DrawPlusColorBar(colors, colorBar.cx, drawn.colorWidth);
        drawn.mask |= 1u << PLUS_PIC_COLORS;
    }
    if (all || command == PLUS_DRAW_PALETTE) {
        drawn.pictures[PLUS_PIC_PALETTE] = DrawPlusPalette(paletteSize, palette);
        drawn.mask |= 1u << PLUS_PIC_PALETTE;
    }
    if (command == PLUS_DRAW_PALETTE_DRAG) {
        drawn.pictures[PLUS_PIC_PALETTE_DRAG] = DrawPlusPaletteDrag(paletteSize, palette, press, current);
        drawn.mask |= 1u << PLUS_PIC_PALETTE_DRAG;
    }
    if (all || command == PLUS_DRAW_SEQUENCE) {
        drawn.pictures[PLUS_PIC_SEQUENCE]
            = DrawPlusSequence(items, sequenceBar.cx, drawn.sequenceWidth, drawn.snapshots);
        drawn.mask |= 1u << PLUS_PIC_SEQUENCE;
    }
    if (all || command == PLUS_DRAW_CUSTOM) {
        drawn.pictures[PLUS_PIC_CUSTOM] = DrawPlusCustomBar(customBar, stops, selected, gradient);
        drawn.mask |= 1u << PLUS_PIC_CUSTOM;
    }
    FreeColorStrips(colors);
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        delete items.GetAt(i);

    {
        PlusGuard guard(m_shared.lock);
        for (int p = 0; p < PLUS_PIC_COUNT; ++p) {
            if ((drawn.mask & (1u << p)) == 0)
                continue;
            // Swapped: a picture not yet taken is deleted below, outside the lock.
            std::swap(m_ready.pictures[p], drawn.pictures[p]);
            m_ready.mask |= 1u << p;
            ++m_drawings[p];
        }
        if ((drawn.mask & (1u << PLUS_PIC_COLORS)) != 0)
            m_ready.colorWidth = drawn.colorWidth;
        if ((drawn.mask & (1u << PLUS_PIC_SEQUENCE)) != 0) {
            m_ready.sequenceWidth = drawn.sequenceWidth;
            // An empty sequence leaves the snapshots as they are.
            if (drawn.sequenceWidth > 0) {
                std::swap(m_ready.snapshots, drawn.snapshots);
                m_ready.snapshotsMade = true;
            }
        }
    }
    if (m_notify != nullptr) {
        if ((drawn.mask & (1u << PLUS_PIC_COLORS)) != 0)
            ::PostMessageW(m_notify, WM_PLUS_STRIP_READY, static_cast<WPARAM>(drawn.colorWidth), 0);
        if ((drawn.mask & ~(1u << PLUS_PIC_COLORS)) != 0)
            ::PostMessageW(m_notify, WM_PLUS_PICTURES_READY, 0, 0);
    }
}

void CPlusDrawWorker::CopyColors(std::vector<FlatStop>& flatStops, std::vector<size_t>& stripEnds) const
{
    flatStops.clear();
    stripEnds.clear();
    for (INT_PTR i = 0; i < m_shared.colors.GetSize(); ++i) {
        const ColorStopList& stops = m_shared.colors.GetAt(i)->m_stops;
        for (INT_PTR s = 0; s < stops.GetSize(); ++s) {
            const ColorTemplateEx* stop = stops.GetAt(s);
            FlatStop flat;
            flat.mode = stop->m_mode;
            flat.width = stop->m_width;
            flat.colors = static_cast<int>(std::min<INT_PTR>(stop->m_colors.GetSize(), 2));
            if (flat.colors > 0)
                flat.c0 = stop->m_colors.GetAt(0);
            if (flat.colors > 1)
                flat.c1 = stop->m_colors.GetAt(1);
            flatStops.push_back(flat);
        }
        stripEnds.push_back(flatStops.size());
    }
}

void CPlusDrawWorker::RebuildColors(ColorStripList& colors) const
{
    size_t from = 0;
    for (size_t end : m_flatStripEnds) {
        auto* strip = new ColorTemplateArrayEx;
        for (size_t i = from; i < end; ++i) {
            const FlatStop& flat = m_flatStops[i];
            auto* stop = new ColorTemplateEx;
            stop->m_mode = flat.mode;
            stop->m_width = flat.width;
            if (flat.colors > 0)
                stop->m_colors.Add(flat.c0);
            if (flat.colors > 1)
                stop->m_colors.Add(flat.c1);
            strip->m_stops.Add(stop);
        }
        colors.Add(strip);
        from = end;
    }
}

PlusPictures CPlusDrawWorker::TakePictures()
{
    PlusGuard guard(m_shared.lock);
    PlusPictures taken = std::move(m_ready);
    m_ready = PlusPictures();
    return taken;
}
