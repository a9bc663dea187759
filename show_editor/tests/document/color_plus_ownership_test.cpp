// Style records of Zazez Urad items: an owned random-blocks record under
// style 36, the document's shared pixel map under style 43. Allocation
// counting proves that nothing leaks and nothing is freed twice, and that an
// item never frees the pixel map.
#include <gtest/gtest.h>

#include "alloc_tracker.h"
#include "program_color_effect_plus.h"

namespace {

// Stands in for the document's pixel map: the items only keep its address.
struct FakePixelMap {
    int ports[8] = {};
};

RandomAnimation* MakeSettings()
{
    auto* record = new RandomAnimation;
    record->m_blockWidth = 4;
    record->m_blockHeight = 3;
    record->m_changeSpan = 9;
    record->m_lightingType = 1;
    record->m_dotShape = 2;
    record->m_dotCount = 6;
    for (int i = 0; i < 5; ++i)
        record->m_blocks.Add(RandomElement { i, 2 * i, 3 * i });
    return record;
}

void ExpectSixSettings(const RandomAnimation* record)
{
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->m_blockWidth, 4);
    EXPECT_EQ(record->m_blockHeight, 3);
    EXPECT_EQ(record->m_changeSpan, 9);
    EXPECT_EQ(record->m_lightingType, 1);
    EXPECT_EQ(record->m_dotShape, 2);
    EXPECT_EQ(record->m_dotCount, 6);
}

ProgramColorEffectPlus* MakeItem(int style, void* record)
{
    auto* item = new ProgramColorEffectPlus;
    item->m_style = style;
    ProgramColorEffectPlus::SetRandomAnimation(item, record);
    return item;
}

TEST(ColorPlusStyleRecord, Style36CloneHasTheSixSettingsAndNoBlocks)
{
    alloc_tracker::Scope scope;
    RandomAnimation* settings = MakeSettings();
    ProgramColorEffectPlus* item = MakeItem(36, settings);
    delete settings;
    // The renderer fills the blocks of the item's own record.
    item->GetRandomAnimation()->m_blocks.Add(RandomElement { 1, 1, 1 });

    ProgramColorEffectPlus* copy = ProgramColorEffectPlus::Clone(item);
    RandomAnimation* copied = copy->GetRandomAnimation();
    ExpectSixSettings(copied);
    EXPECT_NE(copied, item->GetRandomAnimation());
    EXPECT_EQ(copied->m_blocks.GetSize(), 0);
    EXPECT_EQ(item->GetRandomAnimation()->m_blocks.GetSize(), 1);

    delete copy;
    delete item;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

TEST(ColorPlusStyleRecord, Style43CloneSharesThePixelMap)
{
    alloc_tracker::Scope scope;
    auto* map = new FakePixelMap;
    ProgramColorEffectPlus* item = MakeItem(43, map);
    ProgramColorEffectPlus* copy = ProgramColorEffectPlus::Clone(item);
    EXPECT_EQ(copy->GetStyleRecord(), map);
    EXPECT_EQ(item->GetStyleRecord(), map);
    EXPECT_EQ(copy->GetRandomAnimation(), nullptr);

    delete copy;
    delete item;
    const bool mapSurvived = alloc_tracker::IsLive(map);
    delete map;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_TRUE(mapSurvived) << "an item freed the shared pixel map";
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

TEST(ColorPlusStyleRecord, CopyingA43ItemIntoA36ItemFreesTheOwnedRecordOnly)
{
    alloc_tracker::Scope scope;
    auto* map = new FakePixelMap;
    RandomAnimation* settings = MakeSettings();
    ProgramColorEffectPlus* target = MakeItem(36, settings);
    delete settings;
    RandomAnimation* owned = target->GetRandomAnimation();
    ASSERT_NE(owned, nullptr);
    ProgramColorEffectPlus* source = MakeItem(43, map);

    ProgramColorEffectPlus::CopyFrom(target, source);
    const bool ownedFreed = !alloc_tracker::IsLive(owned);
    EXPECT_EQ(target->m_style, 43);
    EXPECT_EQ(target->GetStyleRecord(), map);
    EXPECT_EQ(target->GetRandomAnimation(), nullptr);

    delete target; // must leave the map alone
    delete source;
    const bool mapSurvived = alloc_tracker::IsLive(map);
    delete map;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_TRUE(ownedFreed) << "the target's own random-block record was not freed";
    EXPECT_TRUE(mapSurvived);
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

TEST(ColorPlusStyleRecord, CopyingA36ItemOverAnother36ItemReplacesTheRecord)
{
    alloc_tracker::Scope scope;
    RandomAnimation* settings = MakeSettings();
    ProgramColorEffectPlus* source = MakeItem(36, settings);
    auto* plain = new RandomAnimation;
    ProgramColorEffectPlus* target = MakeItem(36, plain);
    RandomAnimation* before = target->GetRandomAnimation();
    ProgramColorEffectPlus::CopyFrom(target, source);
    const bool beforeFreed = !alloc_tracker::IsLive(before);
    ExpectSixSettings(target->GetRandomAnimation());
    EXPECT_NE(target->GetRandomAnimation(), source->GetRandomAnimation());
    delete target;
    delete source;
    delete plain;
    delete settings;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_TRUE(beforeFreed);
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

TEST(ColorPlusStyleRecord, SetRandomAnimationRules)
{
    alloc_tracker::Scope scope;
    RandomAnimation* settings = MakeSettings();
    auto* map = new FakePixelMap;

    // No record: nothing changes, the owned record included.
    ProgramColorEffectPlus* item = MakeItem(36, settings);
    RandomAnimation* owned = item->GetRandomAnimation();
    ProgramColorEffectPlus::SetRandomAnimation(item, nullptr);
    EXPECT_EQ(item->GetRandomAnimation(), owned);
    ExpectSixSettings(owned);

    // The item's own record given back: a fresh copy of its settings.
    ProgramColorEffectPlus::SetRandomAnimation(item, item->GetRandomAnimation());
    ExpectSixSettings(item->GetRandomAnimation());

    // Another style keeps no record; the owned one is freed.
    item->m_style = 12;
    ProgramColorEffectPlus::SetRandomAnimation(item, settings);
    EXPECT_EQ(item->GetStyleRecord(), nullptr);

    // Style 43 stores the pointer as given.
    item->m_style = 43;
    ProgramColorEffectPlus::SetRandomAnimation(item, map);
    EXPECT_EQ(item->GetStyleRecord(), map);
    EXPECT_EQ(item->GetRandomAnimation(), nullptr);

    // Back to 36: a record of its own, the map untouched.
    item->m_style = 36;
    ProgramColorEffectPlus::SetRandomAnimation(item, settings);
    ExpectSixSettings(item->GetRandomAnimation());

    // A style change without a new record: the owned record is still freed
    // with the item.
    item->m_style = 43;
    delete item;
    const bool mapSurvived = alloc_tracker::IsLive(map);
    delete map;
    delete settings;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_TRUE(mapSurvived);
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

TEST(ColorPlusStyleRecord, ZazezUradProgramCloneAndDeleteCountBalanced)
{
    alloc_tracker::Scope scope;
    auto* map = new FakePixelMap;
    RandomAnimation* settings = MakeSettings();
    auto* program = new ProgramColorEffectPlusArray;
    program->m_items.Add(MakeItem(36, settings));
    program->m_items.Add(MakeItem(43, map));
    program->m_items.Add(MakeItem(5, settings));
    delete settings;

    ProgramColorEffectPlusArray* copy = ProgramColorEffectPlusArray::Clone(program);
    ASSERT_EQ(copy->m_items.GetSize(), 3);
    ExpectSixSettings(copy->m_items[0]->GetRandomAnimation());
    EXPECT_EQ(copy->m_items[1]->GetStyleRecord(), map);
    EXPECT_EQ(copy->m_items[2]->GetStyleRecord(), nullptr);

    ProgramColorEffectPlusArray::CopyFrom(program, copy);
    delete copy;
    delete program;
    const bool mapSurvived = alloc_tracker::IsLive(map);
    delete map;
    const alloc_tracker::Counts counts = scope.StopAndCount();
    EXPECT_TRUE(mapSurvived);
    EXPECT_EQ(counts.live, 0);
    EXPECT_EQ(counts.doubleFrees, 0);
}

} // namespace
