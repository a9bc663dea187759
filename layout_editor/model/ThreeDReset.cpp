// 3-D corrections (see ThreeDReset.h).
#include "ThreeDReset.h"

#include <algorithm>
#include <cmath>

ThreeDReferenceLists ThreeDReferences;

namespace {

bool InBand(int row, int from, int to)
{
    return row >= from - 1 && row <= to - 1;
}

int Trunc(double value)
{
    return static_cast<int>(value);
}

template <class Fn> void ForEachInRow(CLayoutData& model, const std::vector<CLPoint>& list, int row, Fn fn)
{
    int taken = 0;
    for (const CLPoint& entry : list) {
        CLPoint* lamp = ResolveReference(model, entry);
        if (lamp == nullptr || lamp->y != row)
            continue;
        if (++taken > kMaxStepRowEntries)
            return;
        fn(*lamp, entry.m_normX);
    }
}

// Every lamp of the used ports.
template <class Fn> void ForEachUsedLamp(CLayoutData& model, Fn fn)
{
    for (int u = 0; u < model.GetUsedCount(); ++u) {
        const int p = model.GetUsedPort(u);
        if (!model.IsValidPort(p))
            continue;
        LayoutPort& port = model.GetPort(p);
        for (int i = 0; i < port.GetCount(); ++i)
            fn(port.EditPoint(i));
    }
}

void RefreshBounds(CLayoutData& model)
{
    for (int u = 0; u < model.GetUsedCount(); ++u) {
        const int p = model.GetUsedPort(u);
        if (model.IsValidPort(p))
            model.GetPort(p).UpdateBounds();
    }
}

bool HasUsedLamp(CLayoutData& model)
{
    bool any = false;
    ForEachUsedLamp(model, [&](CLPoint&) { any = true; });
    return any;
}

// Flip, move each row by `move`, crop to the rows in use and flip back.
template <class Move> int VerticalStretch(CLayoutData& model, int width, int height, Move move)
{
    ForEachUsedLamp(model, [&](CLPoint& lamp) { lamp.y = height - lamp.y - 1; });
    ForEachUsedLamp(model, [&](CLPoint& lamp) { lamp.y = move(lamp.y); });
    int smallest = 65536;
    int largest = -65536;
    ForEachUsedLamp(model, [&](CLPoint& lamp) {
        smallest = std::min<int>(smallest, lamp.y);
        largest = std::max<int>(largest, lamp.y);
    });
    const int newHeight = largest - smallest + 1;
    ForEachUsedLamp(model, [&](CLPoint& lamp) { lamp.y = newHeight - (lamp.y - smallest) - 1; });
    RefreshBounds(model);
    model.m_width = width;
    model.m_height = newHeight;
    return newHeight;
}

} // namespace

CLPoint* ResolveReference(CLayoutData& model, const CLPoint& entry)
{
    if (entry.x < 0 || entry.x >= model.GetUsedCount())
        return nullptr;
    const int p = model.GetUsedPort(entry.x);
    if (!model.IsValidPort(p))
        return nullptr;
    LayoutPort& port = model.GetPort(p);
    if (entry.y < 0 || entry.y >= port.GetCount())
        return nullptr;
    return &port.EditPoint(entry.y);
}

void ShiftBand(CLayoutData& model, const std::vector<CLPoint>& first, const std::vector<CLPoint>& second, int from,
    int to, int amount)
{
    for (const auto* list : { &first, &second }) {
        for (const CLPoint& entry : *list) {
            CLPoint* lamp = ResolveReference(model, entry);
            if (lamp != nullptr && InBand(lamp->y, from, to))
                lamp->x += amount;
        }
    }
}

void StretchBand(CLayoutData& model, const std::vector<CLPoint>& first, const std::vector<CLPoint>& second, int from,
    int to, double k, bool scale)
{
    const double sign = scale ? -1.0 : 1.0;
    for (const CLPoint& entry : first) {
        CLPoint* lamp = ResolveReference(model, entry);
        if (lamp != nullptr && InBand(lamp->y, from, to))
            lamp->x = Trunc(lamp->x - sign * entry.m_normX * k);
    }
    for (const CLPoint& entry : second) {
        CLPoint* lamp = ResolveReference(model, entry);
        if (lamp != nullptr && InBand(lamp->y, from, to))
            lamp->x = Trunc(lamp->x + sign * entry.m_normX * k);
    }
}

void StepStretchBand(CLayoutData& model, const std::vector<CLPoint>& first, const std::vector<CLPoint>& second,
    int from, int to, double increment)
{
    if (from >= to)
        return;
    for (int side = 0; side < 2; ++side) {
        const std::vector<CLPoint>& list = side == 0 ? first : second;
        const double sign = side == 0 ? -1.0 : 1.0;
        double f = 0.2;
        for (int row = from; row <= to - 1; ++row) {
            f += increment;
            ForEachInRow(model, list, row, [&](CLPoint& lamp, double w) { lamp.x = Trunc(lamp.x + sign * w * f); });
        }
    }
}

int VerticalProportionalStretch(CLayoutData& model, int width, int height, int from, int to, int angle)
{
    const double a = std::cos(angle * 3.1415926535 / 180);
    // A cosine of 0 or below would divide by zero or turn the rows over.
    if (from >= to || !(a > 1e-9) || !HasUsedLamp(model))
        return -1;
    const int lo = height - to;
    const int hi = height - from;
    return VerticalStretch(model, width, height, [&](int u) -> int {
        if (u < lo)
            return Trunc(u + lo / a - lo + 0.5);
        if (u > hi)
            return Trunc(u + hi / a - hi + 0.5);
        return Trunc(u / a + 0.5);
    });
}

int VerticalStepStretch(CLayoutData& model, int width, int height, int from, int to, double r0, double dr)
{
    if (from >= to || !HasUsedLamp(model))
        return -1;
    const int lo = height - to;
    const int hi = height - from;
    const int n = to - from + 1;
    return VerticalStretch(model, width, height, [&](int u) -> int {
        if (u < lo)
            return Trunc(u + lo * r0 + 0.5);
        if (u > hi)
            return Trunc(u + hi * (r0 + n * dr) + 0.5);
        return Trunc(u * (1 + r0 + (u - lo) * dr) + 0.5);
    });
}

namespace {

struct Band {
    int first;
    int last;
    double extra;
};

double ExtraOf(const std::vector<Band>& bands, int row)
{
    for (const Band& band : bands) {
        if (row >= band.first && row <= band.last)
            return band.extra;
    }
    return 0.0;
}

} // namespace

void ApplyPresetStretch(CLayoutData& model, const ThreeDReferenceLists& lists)
{
    constexpr double kIncrement = 0.0037;
    const std::vector<Band> left1 = { { 244, 512, 0.0008 }, { 657, 1027, -0.002 } };
    const std::vector<Band> left2 = { { 56, 89, 0.0004 }, { 90, 99, 0.0008 }, { 101, 149, 0.0017 }, { 150, 186, 0.002 },
        { 187, 502, 0.0028 }, { 503, 667, 0.0009 }, { 669, 779, -0.001 }, { 780, 1027, -0.002 } };
    const std::vector<Band> right1 = { { 56, 89, 0.0007 }, { 90, 117, 0.0016 }, { 119, 194, 0.0018 },
        { 196, 502, 0.003 }, { 507, 668, 0.001 }, { 669, 1027, -0.0013 } };
    const std::vector<Band> right2 = { { 244, 418, 0.001 }, { 419, 687, 0.0003 }, { 688, 1027, -0.0017 } };
    const struct {
        const std::vector<CLPoint>* list;
        const std::vector<Band>* bands;
        double sign;
    } passes[] = { { &lists.left1, &left1, -1.0 }, { &lists.left2, &left2, 1.0 }, { &lists.right1, &right1, -1.0 },
        { &lists.right2, &right2, 1.0 } };
    for (const auto& pass : passes) {
        double f = 0.2;
        for (int row = 1; row <= 1027; ++row) {
            f += kIncrement;
            f += ExtraOf(*pass.bands, row);
            ForEachInRow(
                model, *pass.list, row, [&](CLPoint& lamp, double w) { lamp.x = Trunc(lamp.x + pass.sign * w * f); });
        }
    }
    ShiftBand(model, lists.left1, lists.left2, 1, 1028, 299);
    ShiftBand(model, lists.right1, lists.right2, 1, 1028, 635);
}
