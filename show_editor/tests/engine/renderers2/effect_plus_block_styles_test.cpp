// Zazez Urad block, path and lamp styles: random blocks replayed from a known
// generator state, snake paths cell for cell and the fixture scan along port
// chains of a pixel map.
#include "effect_plus_test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace plustest;
using enginetest::Canvas;

namespace {

// Made before a test seeds the generator: making it reseeds.
const CEffectPlusRender& Renderer()
{
    static const CEffectPlusRender renderer;
    return renderer;
}

void Draw(Canvas& canvas, ProgramColorEffectPlus& item, UINT frame)
{
    DrawColorPlusStyle(canvas.dc(), item, frame, &Renderer());
}

void Draw(Canvas& canvas, int style, UINT frame, int band = 1)
{
    auto item = MakeLineItem(style);
    item->m_bandWidth = band;
    Draw(canvas, *item, frame);
}

// The next n values of the C runtime generator from seed.
std::vector<int> RandValues(unsigned seed, int n)
{
    Renderer();
    std::srand(seed);
    std::vector<int> values;
    for (int i = 0; i < n; ++i)
        values.push_back(std::rand());
    return values;
}

// A random-blocks item (W = 4) with the given settings.
std::unique_ptr<ProgramColorEffectPlus> BlocksItem(int type, int shape, int count, int span, int size = 1)
{
    auto item = MakeLineItem(PLUS_STYLE_RANDOM_BLOCKS);
    RandomAnimation settings;
    settings.m_lightingType = type;
    settings.m_dotShape = shape;
    settings.m_dotCount = count;
    settings.m_changeSpan = span;
    settings.m_blockWidth = size;
    settings.m_blockHeight = size;
    ProgramColorEffectPlus::SetRandomAnimation(item.get(), &settings);
    return item;
}

} // namespace

TEST(PlusBlockStyles, RandomBlocksArePlacedAndColouredFromTheGenerator)
{
    const std::vector<int> r = RandValues(77, 12);
    auto item = BlocksItem(0, 0, 3, 3);
    RandomAnimation* blocks = item->GetRandomAnimation();
    ASSERT_NE(blocks, nullptr);

    // First call: three blocks, each from three calls in the order x, y, phase.
    std::srand(77);
    Canvas canvas(8, 6, kMarker);
    Draw(canvas, *item, 0);
    ASSERT_EQ(blocks->m_blocks.GetSize(), 3);
    std::vector<RandomElement> first;
    for (int i = 0; i < 3; ++i) {
        const RandomElement& b = blocks->m_blocks[i];
        EXPECT_EQ(b.m_x, r[3 * i] % 8) << i;
        EXPECT_EQ(b.m_y, r[3 * i + 1] % 6) << i;
        first.push_back({ r[3 * i] % 8, r[3 * i + 1] % 6, r[3 * i + 2] % 3 });
        // Drawn in line pixel (phase), then the phase grows.
        EXPECT_EQ(b.m_phase, first.back().m_phase + 1) << i;
    }
    // Each 1 x 1 block shows its colour (later blocks over earlier ones);
    // everything else is black.
    EXPECT_TRUE(Matches(canvas, [&](int x, int y) {
        COLORREF c = kBlack;
        for (const RandomElement& b : first)
            if (b.m_x == x && b.m_y == y)
                c = Lp(b.m_phase);
        return c;
    }));

    // Later calls create no blocks; lowering the count keeps drawing all three.
    blocks->m_dotCount = 1;
    for (int call = 0; call < 5; ++call)
        Draw(canvas, *item, 0);
    EXPECT_EQ(blocks->m_blocks.GetSize(), 3);
    int lit = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            lit += canvas.At(x, y) != kBlack ? 1 : 0;
    EXPECT_GE(lit, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(blocks->m_blocks[i].m_phase, 3);
}

TEST(PlusBlockStyles, ABlockWhosePhaseRunsOutMovesOnTheNextCall)
{
    // Change span 2: a block at phase 2 is placed anew with phase 0, still
    // drawn at its old place in line pixel 0 this call.
    auto item = BlocksItem(0, 0, 1, 2);
    RandomAnimation* blocks = item->GetRandomAnimation();
    blocks->m_blocks.Add(RandomElement { 3, 2, 2 });
    const std::vector<int> r = RandValues(5, 2);
    std::srand(5);
    Canvas canvas(8, 6, kMarker);
    Draw(canvas, *item, 0);
    EXPECT_TRUE(Matches(canvas, [](int x, int y) { return x == 3 && y == 2 ? L0 : kBlack; }));
    EXPECT_EQ(blocks->m_blocks[0].m_x, r[0] % 8);
    EXPECT_EQ(blocks->m_blocks[0].m_y, r[1] % 6);
    EXPECT_EQ(blocks->m_blocks[0].m_phase, 1);
}

TEST(PlusBlockStyles, BreathingBlocksShowTheLineOnceThenStayDark)
{
    // Lighting type 1, change span 6: span = max(W 4, 6) = 6. A block at
    // phase 0 shows L0, L1, L2, L3, then stays dark for phases 4 and 5,
    // then is placed anew.
    auto item = BlocksItem(1, 0, 1, 6, 2);
    RandomAnimation* blocks = item->GetRandomAnimation();
    blocks->m_blocks.Add(RandomElement { 1, 1, 0 });
    Canvas canvas(6, 5, kMarker);
    const COLORREF expected[] = { L0, L1, L2, L3, kBlack, kBlack };
    for (int call = 0; call < 6; ++call) {
        Draw(canvas, *item, 0);
        EXPECT_TRUE(Matches(
            canvas, [&](int x, int y) { return x >= 1 && x <= 2 && y >= 1 && y <= 2 ? expected[call] : kBlack; }))
            << "call " << call;
    }
    EXPECT_EQ(blocks->m_blocks[0].m_phase, 6);
    Draw(canvas, *item, 0); // phase 6 >= span: placed anew, drawn in L0 at the old place
    EXPECT_EQ(canvas.At(1, 1), L0);
    EXPECT_EQ(blocks->m_blocks[0].m_phase, 1);
}

TEST(PlusBlockStyles, RandomBlocksDeterminismAndOddSettings)
{
    // The same generator state gives the same blocks and the same pictures.
    auto picture = [](unsigned seed, int shape) {
        auto item = BlocksItem(0, shape, 6, 4, 3);
        Renderer();
        std::srand(seed);
        std::vector<std::vector<COLORREF>> frames;
        for (int call = 0; call < 4; ++call) {
            Canvas canvas(12, 9, kMarker);
            Draw(canvas, *item, 0);
            for (int y = 0; y < 9; ++y)
                frames.push_back(canvas.Row(y));
        }
        return frames;
    };
    for (int shape : { 0, 1, 2 })
        EXPECT_EQ(picture(1234, shape), picture(1234, shape)) << shape;
    EXPECT_NE(picture(1234, 0), picture(4321, 0));

    // Lighting type 2 leaves the canvas black (and creates the blocks).
    auto other = BlocksItem(2, 0, 3, 3);
    Canvas canvas(8, 6, kMarker);
    Draw(canvas, *other, 0);
    EXPECT_TRUE(AllPixels(canvas, kBlack));
    // An unknown shape draws nothing and keeps the phases.
    auto shapeless = BlocksItem(0, 7, 2, 100);
    Draw(canvas, *shapeless, 0);
    EXPECT_TRUE(AllPixels(canvas, kBlack));
    const int phase = shapeless->GetRandomAnimation()->m_blocks[0].m_phase;
    Draw(canvas, *shapeless, 0);
    EXPECT_EQ(shapeless->GetRandomAnimation()->m_blocks[0].m_phase, phase);
    // A change span of 0 (never stored by the editor) does not divide by zero.
    auto spanless = BlocksItem(0, 0, 2, 0);
    Draw(canvas, *spanless, 0);
    EXPECT_EQ(spanless->GetRandomAnimation()->m_blocks.GetSize(), 2);
    // Without its record the style draws nothing at all.
    auto bare = MakeLineItem(PLUS_STYLE_RANDOM_BLOCKS);
    Canvas untouched(4, 4, kMarker);
    Draw(untouched, *bare, 0);
    EXPECT_TRUE(AllPixels(untouched, kMarker));
}

TEST(PlusBlockStyles, SnakeDownAndUpTheColumns)
{
    // Band width 2 on a canvas 5 high at F = 7: band 0 full, band 1 holds its
    // bottom two cells; the newest (row 3 of band 1) shows line pixel 0 and
    // the first (row 0 of band 0) line pixel 6.
    Canvas canvas(6, 5, kMarker);
    Draw(canvas, PLUS_STYLE_SNAKE_LEFT, 7, 2);
    EXPECT_EQ(canvas.At(2, 3), L0);
    EXPECT_EQ(canvas.At(3, 3), L0);
    EXPECT_EQ(canvas.At(2, 4), L1);
    EXPECT_EQ(canvas.At(0, 0), Lp(6));
    EXPECT_EQ(canvas.At(1, 4), Lp(2));
    EXPECT_EQ(canvas.At(2, 2), kBlack);
    EXPECT_EQ(canvas.At(4, 4), kBlack);

    // Every style against the path order, also past the last band.
    struct Case {
        int style;
        long long (*cell)(int x, int y, int w, int h, int b);
    };
    const Case cases[] = {
        { PLUS_STYLE_SNAKE_LEFT,
            [](int x, int y, int, int h, int b) -> long long {
                const int k = x / b;
                return k * h + (k % 2 == 0 ? y : h - 1 - y);
            } },
        { PLUS_STYLE_SNAKE_RIGHT,
            [](int x, int y, int w, int h, int b) -> long long {
                const int k = (w - 1 - x) / b;
                return k * h + (k % 2 == 0 ? y : h - 1 - y);
            } },
        { PLUS_STYLE_SNAKE_TOP,
            [](int x, int y, int w, int, int b) -> long long {
                const int k = y / b;
                return k * w + (k % 2 == 0 ? x : w - 1 - x);
            } },
        { PLUS_STYLE_SNAKE_BOTTOM,
            [](int x, int y, int w, int h, int b) -> long long {
                const int k = (h - 1 - y) / b;
                return k * w + (k % 2 == 0 ? x : w - 1 - x);
            } },
    };
    for (const Case& c : cases)
        for (int band : { 1, 2, 3 })
            for (UINT f : { 0u, 1u, 4u, 9u, 17u, 40u }) {
                Canvas snake(7, 5, kMarker);
                Draw(snake, c.style, f, band);
                ASSERT_TRUE(Matches(snake,
                    [&](int x, int y) {
                        const long long p = c.cell(x, y, 7, 5, band);
                        return p < static_cast<long long>(f) ? Lp(f - 1 - p) : kBlack;
                    }))
                    << "style " << c.style << " band " << band << " F " << f;
            }
    // A band width of 0 or less counts as 1.
    Canvas zero(4, 3, kMarker), one(4, 3, kMarker);
    Draw(zero, PLUS_STYLE_SNAKE_TOP, 6, 0);
    Draw(one, PLUS_STYLE_SNAKE_TOP, 6, 1);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(zero.Row(y), one.Row(y));
}

TEST(PlusBlockStyles, FixtureScanRunsAlongEveryPort)
{
    // One controller with a 4-lamp chain along row 0 and a 2-lamp chain on
    // row 2 (right to left), plus a lamp outside the canvas.
    PixPortMap map;
    auto* controller = new PixController;
    auto* chain = new PixPort;
    for (int x = 0; x < 4; ++x)
        chain->Add(new S_PixPoint { x, 0 });
    auto* shortChain = new PixPort;
    shortChain->Add(new S_PixPoint { 3, 2 });
    shortChain->Add(new S_PixPoint { 2, 2 });
    shortChain->Add(new S_PixPoint { 40, 40 });
    controller->Add(chain);
    controller->Add(shortChain);
    controller->Add(new PixPort); // an empty port is passed over
    map.m_controllers.Add(controller);

    auto item = MakeLineItem(PLUS_STYLE_FIXTURE_SCAN);
    ProgramColorEffectPlus::SetRandomAnimation(item.get(), &map);
    ASSERT_EQ(item->GetStyleRecord(), &map);

    Canvas canvas(5, 3, kMarker);
    // F = 1, 2, 3, 4, 5 light the 4-lamp chain up to lamps 0, 1, 2, 3, 0.
    const int heads[] = { 0, 1, 2, 3, 0 };
    for (UINT f = 1; f <= 5; ++f) {
        Draw(canvas, *item, f);
        const int k = heads[f - 1];
        for (int j = 0; j <= k; ++j)
            EXPECT_EQ(canvas.At(j, 0), Lp(k - j)) << "F " << f << " lamp " << j;
    }
    // At F = 5 the head is back at lamp 0; lamps 1 .. 3 keep the colours of F = 4.
    EXPECT_EQ(canvas.At(1, 0), L2);
    EXPECT_EQ(canvas.At(3, 0), L0);
    // The 3-lamp chain at F = 5: head (5 - 1) mod 3 = 1: lamps 0, 1 show L1, L0.
    EXPECT_EQ(canvas.At(3, 2), L1);
    EXPECT_EQ(canvas.At(2, 2), L0);
    // Everything that is no lamp keeps what the canvas held.
    EXPECT_EQ(canvas.At(4, 0), kMarker);
    EXPECT_EQ(canvas.At(0, 1), kMarker);
    EXPECT_EQ(canvas.At(0, 2), kMarker);

    // At F = 3 lamps 0, 1, 2 show L2, L1, L0 and lamp 3 is not reached.
    Canvas fresh(5, 3, kMarker);
    Draw(fresh, *item, 3);
    EXPECT_EQ(fresh.At(0, 0), L2);
    EXPECT_EQ(fresh.At(1, 0), L1);
    EXPECT_EQ(fresh.At(2, 0), L0);
    EXPECT_EQ(fresh.At(3, 0), kMarker);

    // Without the map nothing is drawn.
    auto bare = MakeLineItem(PLUS_STYLE_FIXTURE_SCAN);
    Canvas untouched(5, 3, kMarker);
    Draw(untouched, *bare, 3);
    EXPECT_TRUE(AllPixels(untouched, kMarker));
}
