// Clone and CopyFrom of every program kind, as one table: which values
// travel, which fade times survive, which node record results, and that
// nothing is leaked or freed twice on the way.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "alloc_tracker.h"
#include "show_model.h"

namespace {

// ---- filling programs with distinctive values -------------------------------

// seed 1 makes a source, seed 2 a target with different values everywhere.
void FillBase(Program& p, int seed)
{
    p.m_programType = 40 + seed;
    p.m_orgFrames = 100 * seed;
    p.m_vTiles = 2 * seed;
    p.m_hTiles = 3 * seed;
    p.m_startFrame = 4 * seed;
    p.m_endFrame = 50 * seed;
    p.m_startSpeed = 0.5f * seed;
    p.m_endSpeed = 1.5f * seed;
    p.m_fadeInTime = seed == 1 ? 3 : 1;
    p.m_fadeOutTime = seed == 1 ? 4 : 2;
    p.SetNode(seed == 1 ? new NodeInfo(5, 7, L"Source", NODE_PROGRAM) : new NodeInfo(9, 11, L"Target", NODE_PROGRAM));
}

ColorTemplate* MakeTemplate(int mode, std::vector<COLORREF> colors)
{
    auto* t = new ColorTemplate;
    t->m_changeMode = mode;
    for (COLORREF c : colors)
        t->m_colors.Add(c);
    return t;
}

void FillColorEffect(ProgramColorEffect& p, int seed)
{
    FillBase(p, seed);
    p.m_style = 21 + seed;
    p.m_zoomFactor = 1.25f * seed;
    p.m_mirror = seed;
    p.RemoveAllTemplates();
    p.m_intList.RemoveAll();
    for (int i = 0; i < seed + 1; ++i) {
        p.m_intList.Add(10 * seed + i);
        p.m_templates.Add(MakeTemplate(i % 2, { COLORREF(seed), COLORREF(0x100 * i), 0xFF0000 }));
    }
}

void FillVideo(ProgramVideo& p, int seed)
{
    FillBase(p, seed);
    p.m_mediaKind = seed;
    p.m_filePath = seed == 1 ? L"C:\\media\\clip.mp4" : L"D:\\other.swf";
    p.m_decoderHandle = seed == 1 ? 7 : 12; // both "open"
    p.m_marginLeft = seed;
    p.m_marginTop = 2 * seed;
    p.m_marginRight = 3 * seed;
    p.m_marginBottom = 4 * seed;
}

void FillImageShow(ProgramImageShow& p, int seed)
{
    FillBase(p, seed);
    p.m_imagePaths.RemoveAll();
    for (int i = 0; i <= seed; ++i) {
        CString path;
        path.Format(L"C:\\img\\%d_%d.png", seed, i);
        p.m_imagePaths.Add(path);
    }
    p.m_backgroundKind = seed;
    p.m_backgroundColor = RGB(seed, 2, 3);
    p.m_backgroundImage = seed == 1 ? L"bk1.jpg" : L"bk2.jpg";
    p.m_backgroundAlign = seed + 1;
    p.m_imageAlign = seed + 2;
    p.m_enterEffect = seed;
    p.m_leaveEffect = seed + 2;
    p.m_enterTime = 0.25f * seed;
    p.m_leaveTime = 0.75f * seed;
    p.m_showingTime = 2.5f * seed;
    p.m_enterFrames = 6 * seed;
    p.m_showingFrames = 60 * seed;
    p.m_leaveFrames = 18 * seed;
}

void FillWords(ProgramColorFulWords& p, int seed)
{
    FillBase(p, seed);
    p.m_text = seed == 1 ? L"Hello 你好" : L"Other";
    p.m_font.lfHeight = -12 * seed;
    p.m_font.lfWeight = 700;
    std::wcscpy(p.m_font.lfFaceName, seed == 1 ? L"Arial" : L"Tahoma");
    p.m_backgroundColor = RGB(1, seed, 3);
    p.m_textColor = RGB(4, 5, seed);
    p.m_textWidth = 90 + seed;
    p.m_textSpacing = seed;
    p.m_useTextColor = seed == 1 ? 0 : 1;
    auto* texture = new ProgramColorEffect;
    FillColorEffect(*texture, seed);
    p.SetTexture(texture);
    p.m_textureSpeed = 3 * seed;
    p.m_strokeType = seed;
    p.m_strokeColor = RGB(seed, seed, 0);
    p.m_strokeWidth = seed + 1;
    p.m_enterEffect = seed;
    p.m_leaveEffect = seed + 1;
    p.m_showWordEffect = seed + 2;
    p.m_enterTime = 0.5f * seed;
    p.m_leaveTime = 0.25f * seed;
    p.m_showWordTime = 3.0f * seed;
    p.m_enterFrames = 5 * seed;
    p.m_showWordFrames = 7 * seed;
    p.m_leaveFrames = 9 * seed;
    p.m_wordRepeatCount = 2 * seed;
    p.m_orientation = seed - 1;
    p.m_reverse = seed == 1 ? 1 : 0;
    p.m_textureIndex = 4 * seed;
    p.m_mirror = seed;
}

ColorTemplateArrayEx* MakeStrip(int seed)
{
    auto* strip = new ColorTemplateArrayEx;
    strip->m_name.Format(L"strip%d", seed);
    for (int i = 0; i < 2; ++i) {
        auto* stop = new ColorTemplateEx;
        stop->m_mode = i;
        stop->m_width = 5 * seed + i;
        stop->m_colors.Add(COLORREF(seed));
        stop->m_colors.Add(COLORREF(0x10 * i));
        strip->m_stops.Add(stop);
    }
    return strip;
}

void FillColorPlusItem(ProgramColorEffectPlus& p, int seed)
{
    FillBase(p, seed);
    p.m_colorCount = 16 * seed;
    p.m_style = 10 + seed; // neither 36 nor 43: no style record
    p.m_mirror = seed;
    p.m_stepLength = 2 * seed;
    p.m_repeatCount = 3 * seed;
    p.m_bandWidth = 4 * seed;
    p.RemoveAllStrips();
    for (int i = 0; i < seed + 1; ++i)
        p.m_strips.Add(MakeStrip(seed + i));
}

void FillColorPlus(ProgramColorEffectPlusArray& p, int seed)
{
    FillBase(p, seed);
    p.RemoveAllItems();
    for (int i = 0; i < seed + 1; ++i) {
        auto* item = new ProgramColorEffectPlus;
        FillColorPlusItem(*item, seed + i);
        if (i == 0)
            item->SetNode(nullptr); // items may have no node record
        p.m_items.Add(item);
    }
}

void FillFlickerStar(CEFlickerStar& p, int seed)
{
    FillBase(p, seed);
    p.m_backgroundColor = RGB(seed, 0, 0);
    p.m_starColor = RGB(0, seed, 0);
    p.m_speed = 1.5f * seed;
    p.m_playTime = 10.0f * seed;
    p.m_starCount = 3 * seed;
    p.m_shape = BYTE(seed);
    p.m_size = BYTE(2 * seed);
    p.m_randomStartColor = seed - 1;
    p.m_minBrightness = BYTE(10 * seed);
    p.m_maxBrightness = BYTE(200 + seed);
    p.m_phases.RemoveAll();
    p.m_startPoints.RemoveAll();
    for (int i = 0; i < p.m_starCount; ++i) {
        p.m_phases.Add(WORD(100 * seed + i));
        StartPoint point;
        point.m_x = i;
        point.m_y = seed;
        point.m_color = RGB(i, seed, 9);
        p.m_startPoints.Add(point);
    }
}

// ---- comparing what travels ---------------------------------------------------

void ExpectBaseValues(const Program& a, const Program& b)
{
    EXPECT_EQ(a.m_programType, b.m_programType);
    EXPECT_EQ(a.m_orgFrames, b.m_orgFrames);
    EXPECT_EQ(a.m_vTiles, b.m_vTiles);
    EXPECT_EQ(a.m_hTiles, b.m_hTiles);
    EXPECT_EQ(a.m_startFrame, b.m_startFrame);
    EXPECT_EQ(a.m_endFrame, b.m_endFrame);
    EXPECT_EQ(a.m_startSpeed, b.m_startSpeed);
    EXPECT_EQ(a.m_endSpeed, b.m_endSpeed);
}

template <class T> std::vector<T> Items(const CArray<T, T>& list)
{
    std::vector<T> out;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        out.push_back(list.GetAt(i));
    return out;
}

// Same templates in the same order, held in separate objects.
void ExpectTemplateCopies(const ColorTemplateList& a, const ColorTemplateList& b)
{
    ASSERT_EQ(a.GetSize(), b.GetSize());
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        EXPECT_NE(a.GetAt(i), b.GetAt(i));
        EXPECT_EQ(a.GetAt(i)->m_changeMode, b.GetAt(i)->m_changeMode);
        EXPECT_EQ(Items(a.GetAt(i)->m_colors), Items(b.GetAt(i)->m_colors));
    }
}

void ExpectColorEffect(const ProgramColorEffect& a, const ProgramColorEffect& b)
{
    ExpectBaseValues(a, b);
    EXPECT_EQ(a.m_style, b.m_style);
    EXPECT_EQ(a.m_zoomFactor, b.m_zoomFactor);
    EXPECT_EQ(a.m_mirror, b.m_mirror);
    EXPECT_EQ(Items(a.m_intList), Items(b.m_intList));
    ExpectTemplateCopies(a.m_templates, b.m_templates);
}

void ExpectVideo(const ProgramVideo& a, const ProgramVideo& b)
{
    ExpectBaseValues(a, b);
    EXPECT_EQ(a.m_mediaKind, b.m_mediaKind);
    EXPECT_EQ(a.m_filePath, b.m_filePath);
    EXPECT_EQ(a.m_marginLeft, b.m_marginLeft);
    EXPECT_EQ(a.m_marginTop, b.m_marginTop);
    EXPECT_EQ(a.m_marginRight, b.m_marginRight);
    EXPECT_EQ(a.m_marginBottom, b.m_marginBottom);
}

void ExpectImageShow(const ProgramImageShow& a, const ProgramImageShow& b)
{
    ExpectBaseValues(a, b);
    ASSERT_EQ(a.m_imagePaths.GetSize(), b.m_imagePaths.GetSize());
    for (INT_PTR i = 0; i < a.m_imagePaths.GetSize(); ++i)
        EXPECT_EQ(a.m_imagePaths.GetAt(i), b.m_imagePaths.GetAt(i));
    EXPECT_EQ(a.m_backgroundKind, b.m_backgroundKind);
    EXPECT_EQ(a.m_backgroundColor, b.m_backgroundColor);
    EXPECT_EQ(a.m_backgroundImage, b.m_backgroundImage);
    EXPECT_EQ(a.m_backgroundAlign, b.m_backgroundAlign);
    EXPECT_EQ(a.m_imageAlign, b.m_imageAlign);
    EXPECT_EQ(a.m_enterEffect, b.m_enterEffect);
    EXPECT_EQ(a.m_leaveEffect, b.m_leaveEffect);
    EXPECT_EQ(a.m_enterTime, b.m_enterTime);
    EXPECT_EQ(a.m_leaveTime, b.m_leaveTime);
    EXPECT_EQ(a.m_showingTime, b.m_showingTime);
    EXPECT_EQ(a.m_enterFrames, b.m_enterFrames);
    EXPECT_EQ(a.m_showingFrames, b.m_showingFrames);
    EXPECT_EQ(a.m_leaveFrames, b.m_leaveFrames);
}

void ExpectWords(const ProgramColorFulWords& a, const ProgramColorFulWords& b)
{
    ExpectBaseValues(a, b);
    EXPECT_EQ(a.m_text, b.m_text);
    EXPECT_EQ(std::memcmp(&a.m_font, &b.m_font, sizeof(LOGFONTW)), 0);
    EXPECT_EQ(a.m_backgroundColor, b.m_backgroundColor);
    EXPECT_EQ(a.m_textColor, b.m_textColor);
    EXPECT_EQ(a.m_textWidth, b.m_textWidth);
    EXPECT_EQ(a.m_textSpacing, b.m_textSpacing);
    EXPECT_EQ(a.m_useTextColor, b.m_useTextColor);
    ASSERT_NE(a.m_pTexture, nullptr);
    ASSERT_NE(b.m_pTexture, nullptr);
    EXPECT_NE(a.m_pTexture, b.m_pTexture);
    ExpectColorEffect(*a.m_pTexture, *b.m_pTexture);
    EXPECT_EQ(a.m_textureSpeed, b.m_textureSpeed);
    EXPECT_EQ(a.m_strokeType, b.m_strokeType);
    EXPECT_EQ(a.m_strokeColor, b.m_strokeColor);
    EXPECT_EQ(a.m_strokeWidth, b.m_strokeWidth);
    EXPECT_EQ(a.m_enterEffect, b.m_enterEffect);
    EXPECT_EQ(a.m_leaveEffect, b.m_leaveEffect);
    EXPECT_EQ(a.m_showWordEffect, b.m_showWordEffect);
    EXPECT_EQ(a.m_enterTime, b.m_enterTime);
    EXPECT_EQ(a.m_leaveTime, b.m_leaveTime);
    EXPECT_EQ(a.m_showWordTime, b.m_showWordTime);
    EXPECT_EQ(a.m_enterFrames, b.m_enterFrames);
    EXPECT_EQ(a.m_showWordFrames, b.m_showWordFrames);
    EXPECT_EQ(a.m_leaveFrames, b.m_leaveFrames);
    EXPECT_EQ(a.m_wordRepeatCount, b.m_wordRepeatCount);
    EXPECT_EQ(a.m_orientation, b.m_orientation);
    EXPECT_EQ(a.m_reverse, b.m_reverse);
    EXPECT_EQ(a.m_textureIndex, b.m_textureIndex);
    EXPECT_EQ(a.m_mirror, b.m_mirror);
}

void ExpectColorPlusItem(const ProgramColorEffectPlus& a, const ProgramColorEffectPlus& b)
{
    ExpectBaseValues(a, b);
    EXPECT_EQ(a.m_fadeInTime, b.m_fadeInTime);
    EXPECT_EQ(a.m_fadeOutTime, b.m_fadeOutTime);
    EXPECT_EQ(a.m_colorCount, b.m_colorCount);
    EXPECT_EQ(a.m_style, b.m_style);
    EXPECT_EQ(a.m_mirror, b.m_mirror);
    EXPECT_EQ(a.m_stepLength, b.m_stepLength);
    EXPECT_EQ(a.m_repeatCount, b.m_repeatCount);
    EXPECT_EQ(a.m_bandWidth, b.m_bandWidth);
    ASSERT_EQ(a.m_strips.GetSize(), b.m_strips.GetSize());
    for (INT_PTR i = 0; i < a.m_strips.GetSize(); ++i) {
        const ColorTemplateArrayEx* sa = a.m_strips.GetAt(i);
        const ColorTemplateArrayEx* sb = b.m_strips.GetAt(i);
        EXPECT_NE(sa, sb);
        EXPECT_EQ(sa->m_name, sb->m_name);
        ASSERT_EQ(sa->m_stops.GetSize(), sb->m_stops.GetSize());
        for (INT_PTR k = 0; k < sa->m_stops.GetSize(); ++k) {
            EXPECT_NE(sa->m_stops.GetAt(k), sb->m_stops.GetAt(k));
            EXPECT_EQ(sa->m_stops.GetAt(k)->m_mode, sb->m_stops.GetAt(k)->m_mode);
            EXPECT_EQ(sa->m_stops.GetAt(k)->m_width, sb->m_stops.GetAt(k)->m_width);
            EXPECT_EQ(Items(sa->m_stops.GetAt(k)->m_colors), Items(sb->m_stops.GetAt(k)->m_colors));
        }
    }
}

void ExpectColorPlus(const ProgramColorEffectPlusArray& a, const ProgramColorEffectPlusArray& b)
{
    ExpectBaseValues(a, b);
    ASSERT_EQ(a.m_items.GetSize(), b.m_items.GetSize());
    for (INT_PTR i = 0; i < a.m_items.GetSize(); ++i) {
        EXPECT_NE(a.m_items.GetAt(i), b.m_items.GetAt(i));
        ExpectColorPlusItem(*a.m_items.GetAt(i), *b.m_items.GetAt(i));
    }
}

void ExpectFlickerStar(const CEFlickerStar& a, const CEFlickerStar& b)
{
    ExpectBaseValues(a, b);
    EXPECT_EQ(a.m_backgroundColor, b.m_backgroundColor);
    EXPECT_EQ(a.m_starColor, b.m_starColor);
    EXPECT_EQ(a.m_speed, b.m_speed);
    EXPECT_EQ(a.m_playTime, b.m_playTime);
    EXPECT_EQ(a.m_starCount, b.m_starCount);
    EXPECT_EQ(a.m_shape, b.m_shape);
    EXPECT_EQ(a.m_size, b.m_size);
    EXPECT_EQ(a.m_randomStartColor, b.m_randomStartColor);
    EXPECT_EQ(a.m_minBrightness, b.m_minBrightness);
    EXPECT_EQ(a.m_maxBrightness, b.m_maxBrightness);
    EXPECT_EQ(Items(a.m_phases), Items(b.m_phases));
    ASSERT_EQ(a.m_startPoints.GetSize(), b.m_startPoints.GetSize());
    for (INT_PTR i = 0; i < a.m_startPoints.GetSize(); ++i) {
        EXPECT_EQ(a.m_startPoints[i].m_x, b.m_startPoints[i].m_x);
        EXPECT_EQ(a.m_startPoints[i].m_y, b.m_startPoints[i].m_y);
        EXPECT_EQ(a.m_startPoints[i].m_color, b.m_startPoints[i].m_color);
    }
}

// ---- the table ------------------------------------------------------------------

enum class CloneNode {
    Fresh, // {-1, 0, "", program}
    SamePlace, // {source's parent and index, "", program}
};

struct KindCase {
    std::string name;
    CRuntimeClass* runtimeClass;
    std::function<Program*(int seed)> make;
    std::function<Program*(const Program*)> clone;
    std::function<void(Program*, const Program*)> copyFrom;
    std::function<void(const Program&, const Program&)> expectSameValues;
    bool cloneKeepsFade;
    CloneNode cloneNode;
    bool copyTakesFade;
};

// Names the row in test output instead of dumping its bytes.
void PrintTo(const KindCase& kind, std::ostream* os)
{
    *os << kind.name;
}

template <class T>
KindCase Kind(std::string name, CRuntimeClass* runtimeClass, void (*fill)(T&, int), void (*expect)(const T&, const T&),
    bool cloneKeepsFade, CloneNode cloneNode, bool copyTakesFade)
{
    return KindCase {
        name,
        runtimeClass,
        [fill](int seed) -> Program* {
            auto* p = new T;
            fill(*p, seed);
            return p;
        },
        [](const Program* source) -> Program* { return T::Clone(static_cast<const T*>(source)); },
        [](Program* target, const Program* source) {
            T::CopyFrom(static_cast<T*>(target), static_cast<const T*>(source));
        },
        [expect](const Program& a, const Program& b) { expect(static_cast<const T&>(a), static_cast<const T&>(b)); },
        cloneKeepsFade,
        cloneNode,
        copyTakesFade,
    };
}

std::vector<KindCase> AllKinds()
{
    return {
        Kind<ProgramColorEffect>("ColorEffect", RUNTIME_CLASS(ProgramColorEffect), FillColorEffect, ExpectColorEffect,
            true, CloneNode::Fresh, true),
        Kind<ProgramVideo>(
            "Video", RUNTIME_CLASS(ProgramVideo), FillVideo, ExpectVideo, true, CloneNode::SamePlace, true),
        Kind<ProgramImageShow>("ImageShow", RUNTIME_CLASS(ProgramImageShow), FillImageShow, ExpectImageShow, false,
            CloneNode::Fresh, false),
        Kind<ProgramColorFulWords>("ColorFulWords", RUNTIME_CLASS(ProgramColorFulWords), FillWords, ExpectWords, false,
            CloneNode::SamePlace, false),
        Kind<ProgramColorEffectPlus>("ColorPlusItem", RUNTIME_CLASS(ProgramColorEffectPlus), FillColorPlusItem,
            ExpectColorPlusItem, true, CloneNode::Fresh, true),
        Kind<ProgramColorEffectPlusArray>("ColorPlus", RUNTIME_CLASS(ProgramColorEffectPlusArray), FillColorPlus,
            ExpectColorPlus, true, CloneNode::Fresh, true),
        Kind<CEFlickerStar>("FlickerStar", RUNTIME_CLASS(CEFlickerStar), FillFlickerStar, ExpectFlickerStar, false,
            CloneNode::Fresh, false),
    };
}

void ExpectNode(const NodeInfo* node, int parent, int index, const wchar_t* name, int kind)
{
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->m_parent, parent);
    EXPECT_EQ(node->m_index, index);
    EXPECT_EQ(node->m_name, CString(name));
    EXPECT_EQ(node->m_kind, kind);
}

class ProgramKinds : public testing::TestWithParam<KindCase> { };

TEST_P(ProgramKinds, CloneCarriesValuesFadeTimesAndNodeRecordByKind)
{
    const KindCase& kind = GetParam();
    Program* source = kind.make(1);
    alloc_tracker::Start();
    Program* copy = kind.clone(source);
    alloc_tracker::Counts whileCloning = alloc_tracker::Stop();
    EXPECT_EQ(whileCloning.frees, 0) << "a clone frees nothing";

    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    EXPECT_EQ(copy->GetRuntimeClass(), kind.runtimeClass);
    EXPECT_TRUE(copy->IsKindOf(RUNTIME_CLASS(Program)));
    kind.expectSameValues(*copy, *source);
    if (kind.cloneKeepsFade) {
        EXPECT_EQ(copy->m_fadeInTime, 3);
        EXPECT_EQ(copy->m_fadeOutTime, 4);
    } else {
        EXPECT_EQ(copy->m_fadeInTime, 0);
        EXPECT_EQ(copy->m_fadeOutTime, 0);
    }
    EXPECT_NE(copy->m_pNode, source->m_pNode);
    if (kind.cloneNode == CloneNode::SamePlace)
        ExpectNode(copy->m_pNode, 5, 7, L"", NODE_PROGRAM);
    else
        ExpectNode(copy->m_pNode, -1, 0, L"", NODE_PROGRAM);

    // A source without a node record gives a fresh one in every kind.
    source->SetNode(nullptr);
    Program* orphanCopy = kind.clone(source);
    ExpectNode(orphanCopy->m_pNode, -1, 0, L"", NODE_PROGRAM);

    // Deleting source and copies frees all they own, each block once.
    alloc_tracker::Scope scope;
    delete orphanCopy;
    delete copy;
    delete source;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_EQ(counts.doubleFrees, 0);
    EXPECT_EQ(counts.allocations, 0) << "deleting allocates nothing";
}

TEST_P(ProgramKinds, CopyFromTakesValuesAndKeepsTargetIdentity)
{
    const KindCase& kind = GetParam();
    Program* source = kind.make(1);
    Program* target = kind.make(2);
    const NodeInfo* targetNode = target->m_pNode;

    kind.copyFrom(target, source);

    kind.expectSameValues(*target, *source);
    EXPECT_EQ(target->m_pNode, targetNode);
    ExpectNode(target->m_pNode, 9, 11, L"Target", NODE_PROGRAM);
    if (kind.copyTakesFade) {
        EXPECT_EQ(target->m_fadeInTime, 3);
        EXPECT_EQ(target->m_fadeOutTime, 4);
    } else {
        EXPECT_EQ(target->m_fadeInTime, 1);
        EXPECT_EQ(target->m_fadeOutTime, 2);
    }

    // Copying a program onto itself changes nothing and frees nothing.
    Program* before = kind.clone(target);
    kind.copyFrom(target, target);
    kind.expectSameValues(*target, *before);

    delete before;
    delete target;
    delete source;
}

TEST_P(ProgramKinds, CloneAndCopyLeakNothing)
{
    const KindCase& kind = GetParam();
    auto scenario = [&kind] {
        Program* source = kind.make(1);
        Program* target = kind.make(2);
        Program* copy = kind.clone(source);
        kind.copyFrom(target, source);
        kind.copyFrom(copy, target);
        delete copy;
        delete target;
        delete source;
    };
    scenario(); // warm up anything the framework makes once
    alloc_tracker::Scope scope;
    scenario();
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_GT(counts.allocations, 0);
    EXPECT_EQ(counts.live, 0) << "leaked blocks";
    EXPECT_EQ(counts.doubleFrees, 0);
}

TEST_P(ProgramKinds, DynamicCreationGivesConstructorDefaults)
{
    const KindCase& kind = GetParam();
    CObject* object = kind.runtimeClass->CreateObject();
    ASSERT_NE(object, nullptr);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(Program)));
    EXPECT_TRUE(object->IsKindOf(kind.runtimeClass));
    auto* p = static_cast<Program*>(object);
    EXPECT_EQ(p->m_programType, kind.runtimeClass == RUNTIME_CLASS(CEFlickerStar) ? 8 : 0);
    EXPECT_EQ(p->m_orgFrames, 0);
    EXPECT_EQ(p->m_vTiles, 1);
    EXPECT_EQ(p->m_hTiles, 1);
    EXPECT_EQ(p->m_startFrame, 1);
    EXPECT_EQ(p->m_endFrame, 1);
    EXPECT_EQ(p->m_startSpeed, 1.0f);
    EXPECT_EQ(p->m_endSpeed, 1.0f);
    EXPECT_EQ(p->m_fadeInTime, 0);
    EXPECT_EQ(p->m_fadeOutTime, 0);
    EXPECT_EQ(p->m_pNode, nullptr);
    delete object;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ProgramKinds, testing::ValuesIn(AllKinds()),
    [](const testing::TestParamInfo<KindCase>& info) { return info.param.name; });

// ---- kind-specific rules --------------------------------------------------------

TEST(ProgramVideo, CloneStartsWithoutDecoderAndCopyKeepsTargetsDecoder)
{
    ProgramVideo playing;
    FillVideo(playing, 1);
    playing.m_decoderHandle = 7;
    ProgramVideo* copy = ProgramVideo::Clone(&playing);
    EXPECT_EQ(copy->m_decoderHandle, -1);
    EXPECT_EQ(playing.m_decoderHandle, 7);

    ProgramVideo target;
    target.m_decoderHandle = 12;
    ProgramVideo::CopyFrom(&target, &playing);
    EXPECT_EQ(target.m_decoderHandle, 12);
    EXPECT_EQ(target.m_filePath, playing.m_filePath);
    delete copy;

    ProgramVideo fresh;
    EXPECT_EQ(fresh.m_decoderHandle, -1);
}

TEST(ProgramColorEffectPlusArray, CloneGivesProgramAndEveryItemAFreshNodeRecord)
{
    ProgramColorEffectPlusArray source;
    FillColorPlus(source, 2); // three items; the first has no node record
    ASSERT_EQ(source.m_items[0]->m_pNode, nullptr);

    ProgramColorEffectPlusArray* copy = ProgramColorEffectPlusArray::Clone(&source);
    ExpectNode(copy->m_pNode, -1, 0, L"", NODE_PROGRAM);
    ASSERT_EQ(copy->m_items.GetSize(), 3);
    for (INT_PTR i = 0; i < copy->m_items.GetSize(); ++i)
        ExpectNode(copy->m_items[i]->m_pNode, -1, 0, L"", NODE_PROGRAM);
    delete copy;
}

TEST(ProgramColorEffectPlusArray, TotalFramesAreTheSumOfTheItems)
{
    ProgramColorEffectPlusArray program;
    for (int frames : { 30, 45, 25 }) {
        auto* item = new ProgramColorEffectPlus;
        item->m_orgFrames = frames;
        program.m_items.Add(item);
    }
    program.m_startFrame = 1;
    program.UpdateTotalFrames();
    EXPECT_EQ(program.m_orgFrames, 100);
    EXPECT_EQ(program.m_endFrame, 100);
}

TEST(ProgramColorFulWords, CopyFromFollowsTheSourcesTexture)
{
    ProgramColorFulWords source;
    FillWords(source, 1);

    // A target without a texture gets its own copy.
    ProgramColorFulWords bare;
    ProgramColorFulWords::CopyFrom(&bare, &source);
    ASSERT_NE(bare.m_pTexture, nullptr);
    EXPECT_NE(bare.m_pTexture, source.m_pTexture);
    ExpectColorEffect(*bare.m_pTexture, *source.m_pTexture);

    // A target with a texture keeps its texture object and its node record.
    ProgramColorFulWords target;
    FillWords(target, 2);
    ProgramColorEffect* ownTexture = target.m_pTexture;
    const NodeInfo* textureNode = ownTexture->m_pNode;
    ProgramColorFulWords::CopyFrom(&target, &source);
    EXPECT_EQ(target.m_pTexture, ownTexture);
    EXPECT_EQ(target.m_pTexture->m_pNode, textureNode);
    ExpectColorEffect(*target.m_pTexture, *source.m_pTexture);

    // A source without a texture leaves the target without one.
    ProgramColorFulWords plain;
    ProgramColorFulWords::CopyFrom(&target, &plain);
    EXPECT_EQ(target.m_pTexture, nullptr);
    ProgramColorFulWords* clone = ProgramColorFulWords::Clone(&plain);
    EXPECT_EQ(clone->m_pTexture, nullptr);
    delete clone;
}

TEST(ProgramTransEffect, IsAProgramThatCanBeCreatedByClass)
{
    CObject* object = RUNTIME_CLASS(ProgramTransEffect)->CreateObject();
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(Program)));
    auto* effect = static_cast<ProgramTransEffect*>(object);
    EXPECT_EQ(effect->m_programType, 0);
    EXPECT_EQ(effect->m_transEffect, 0);
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(ProgramColorEffect)));
    delete object;
}

} // namespace
