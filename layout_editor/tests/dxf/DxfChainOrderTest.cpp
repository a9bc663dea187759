// The indexed chain building must pick exactly what walking every line in
// file order picks. Random drawings with shared, near and just-missed line
// ends are imported and compared with a plain walk over the records.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>

#include "DxfReader.h"
#include "DxfTestUtil.h"
#include "EditorSettings.h"
#include "LampTypeList.h"

namespace {

struct P {
    double x;
    double y;
};
struct L {
    P a;
    P b;
    bool used = false;
};

// The import of the texts, lines and circles (radius 1) done the slow way.
std::vector<std::vector<std::pair<int, int>>> Reference(
    std::vector<P> texts, std::vector<L> lines, const std::vector<P>& circles, bool circleMode)
{
    const double r = 1.0;
    const double cell = 2.0;
    const double snap = 0.5;
    const double sample = 0.6;
    auto within
        = [](const P& p, const P& q, double tol) { return std::fabs(p.x - q.x) < tol && std::fabs(p.y - q.y) < tol; };
    std::vector<bool> snapped(texts.size(), false);
    double minX = 16777215.0, minY = 16777215.0, maxX = -16777215.0, maxY = -16777215.0;
    auto widen = [&](const P& p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    };
    for (size_t t = 0; t < texts.size(); ++t) {
        for (double tol : { 0.0001, snap }) {
            for (L& l : lines) {
                if (l.used)
                    continue;
                if (within(l.a, texts[t], tol))
                    texts[t] = l.b;
                else if (within(l.b, texts[t], tol))
                    texts[t] = l.a;
                else
                    continue;
                l.used = true;
                snapped[t] = true;
                widen(texts[t]);
                break;
            }
            if (snapped[t])
                break;
        }
    }
    for (const L& l : lines) {
        if (!l.used) {
            widen(l.a);
            widen(l.b);
        }
    }
    const int rows = static_cast<int>(std::trunc((maxY - minY) / cell + 1.5));
    auto place = [&](const P& p) {
        return std::make_pair(static_cast<int>(std::trunc((p.x - minX) / cell + 0.5)),
            (rows - 1) - static_cast<int>(std::trunc((p.y - minY) / cell + 0.5)));
    };
    std::vector<bool> circleUsed(circles.size(), false);
    std::vector<std::vector<std::pair<int, int>>> chains(texts.size());
    for (size_t t = 0; t < texts.size(); ++t) {
        if (!snapped[t])
            continue;
        auto& chain = chains[t];
        P cur = texts[t];
        if (!circleMode) {
            chain.push_back(place(cur));
            for (bool found = true; found;) {
                found = false;
                for (L& l : lines) {
                    if (l.used)
                        continue;
                    P next;
                    if (within(l.a, cur, snap))
                        next = l.b;
                    else if (within(l.b, cur, snap))
                        next = l.a;
                    else
                        continue;
                    l.used = true;
                    chain.push_back(place(next));
                    cur = next;
                    found = true;
                    break;
                }
            }
            continue;
        }
        std::vector<P> path { cur };
        for (bool followed = true; followed;) {
            followed = false;
            for (L& l : lines) {
                if (l.used)
                    continue;
                P nearEnd, farEnd;
                if (within(l.a, cur, sample)) {
                    nearEnd = l.a;
                    farEnd = l.b;
                } else if (within(l.b, cur, sample)) {
                    nearEnd = l.b;
                    farEnd = l.a;
                } else {
                    continue;
                }
                const double length = std::sqrt((l.b.x - l.a.x) * (l.b.x - l.a.x) + (l.b.y - l.a.y) * (l.b.y - l.a.y));
                const double n = std::trunc(length / r + 1.0);
                if (n > 2.0) {
                    const double sx = std::fabs(l.b.x - l.a.x) / n * (farEnd.x >= nearEnd.x ? 1.0 : -1.0);
                    const double sy = std::fabs(l.b.y - l.a.y) / n * (farEnd.y >= nearEnd.y ? 1.0 : -1.0);
                    for (int k = 1; k <= static_cast<int>(n - 2.0); ++k)
                        path.push_back(P { cur.x + k * sx, cur.y + k * sy });
                }
                l.used = true;
                cur = farEnd;
                path.push_back(cur);
                followed = true;
            }
        }
        for (const P& s : path) {
            for (size_t c = 0; c < circles.size(); ++c) {
                if (!circleUsed[c] && within(circles[c], s, sample)) {
                    circleUsed[c] = true;
                    chain.push_back(place(circles[c]));
                }
            }
        }
    }
    int mx = INT_MAX, my = INT_MAX;
    for (const auto& chain : chains) {
        for (const auto& c : chain) {
            mx = std::min(mx, c.first);
            my = std::min(my, c.second);
        }
    }
    for (auto& chain : chains) {
        for (auto& c : chain) {
            c.first -= mx;
            c.second -= my;
        }
    }
    return chains;
}

// Coordinates on a lattice of 2 units with jitter in 64ths, so the six
// decimals of the file hold them exactly.
P Node(std::mt19937& rng, int maxJitter)
{
    std::uniform_int_distribution<int> node(0, 5);
    std::uniform_int_distribution<int> jitter(-maxJitter, maxJitter);
    return P { node(rng) * 2.0 + jitter(rng) / 64.0, node(rng) * 2.0 + jitter(rng) / 64.0 };
}

TEST(DxfChainOrderTest, IndexedChainsMatchAWalkInFileOrder)
{
    ResetEditorSettings();
    ResetLampTypeList();
    std::mt19937 rng(20240611);
    size_t lamps = 0;
    for (int round = 0; round < 60; ++round) {
        const bool circleMode = round % 2 == 1;
        std::vector<P> texts;
        std::vector<L> lines;
        std::vector<P> circles;
        DxfDrawing d;
        for (int t = 0; t < 3; ++t) {
            const P lamp = Node(rng, 8);
            const P label { lamp.x - 0.75, lamp.y - 0.25 };
            texts.push_back(label);
            lines.push_back(L { lamp, label });
        }
        const int lineCount = 10 + round % 40;
        for (int i = 0; i < lineCount; ++i)
            lines.push_back(L { Node(rng, 24), Node(rng, 24) });
        for (int i = 0; i < 40; ++i)
            circles.push_back(Node(rng, 30));
        char label[8];
        for (size_t t = 0; t < texts.size(); ++t) {
            std::snprintf(label, sizeof label, "P%d", static_cast<int>(t) + 1);
            d.Text(texts[t].x, texts[t].y, label);
        }
        for (const L& l : lines)
            d.Line(l.a.x, l.a.y, l.b.x, l.b.y);
        for (const P& c : circles)
            d.Circle(c.x, c.y, 1.0);

        ScratchFile file(L".dxf");
        file.Write(d.Build());
        CLayoutData layout;
        layout.ResetPorts(1, 3072, CString(L"RGB"), 0);
        TestControllers controllers({ 8 });
        DxfReader reader;
        ASSERT_EQ(0, reader.Parse(file, layout, controllers, circleMode ? DxfReader::kCircleMode : 1, nullptr, 1.0));
        const auto expected = Reference(texts, lines, circles, circleMode);
        for (const auto& chain : expected)
            lamps += chain.size();
        for (int port = 0; port < 3; ++port)
            EXPECT_EQ(expected[static_cast<size_t>(port)], PortCells(layout, port)) << "round " << round;
    }
    // The drawings do wire up: most labels collect several lamps.
    EXPECT_GT(lamps, 300u);
}

} // namespace
