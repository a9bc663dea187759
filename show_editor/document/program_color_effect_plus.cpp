// Zazez Urad items and programs.
#include "program_color_effect_plus.h"

IMPLEMENT_DYNCREATE(ProgramColorEffectPlus, Program)
IMPLEMENT_DYNCREATE(ProgramColorEffectPlusArray, Program)

ProgramColorEffectPlus::~ProgramColorEffectPlus()
{
    RemoveAllStrips();
    FreeStyleRecord();
}

void ProgramColorEffectPlus::RemoveAllStrips()
{
    FreeColorStrips(m_strips);
}

void ProgramColorEffectPlus::FreeStyleRecord()
{
    if (m_ownsStyleRecord)
        delete static_cast<RandomAnimation*>(m_pStyleRecord);
    m_pStyleRecord = nullptr;
    m_ownsStyleRecord = false;
}

void ProgramColorEffectPlus::SetRandomAnimation(ProgramColorEffectPlus* item, void* record)
{
    if (item == nullptr || record == nullptr)
        return;
    if (item->m_style == STYLE_RANDOM_BLOCKS) {
        // Take the settings before freeing: record may be the item's own.
        auto* own = new RandomAnimation;
        own->CopySettings(*static_cast<const RandomAnimation*>(record));
        item->FreeStyleRecord();
        item->m_pStyleRecord = own;
        item->m_ownsStyleRecord = true;
        return;
    }
    const bool recordIsOwnedByItem = item->m_ownsStyleRecord && record == item->m_pStyleRecord;
    item->FreeStyleRecord();
    if (item->m_style == STYLE_FIXTURE_SCAN && !recordIsOwnedByItem)
        item->m_pStyleRecord = record;
}

ProgramColorEffectPlus* ProgramColorEffectPlus::Clone(const ProgramColorEffectPlus* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ProgramColorEffectPlus;
    CopyFrom(copy, source);
    copy->m_pNode = NewFreshNode();
    return copy;
}

void ProgramColorEffectPlus::CopyFrom(ProgramColorEffectPlus* target, const ProgramColorEffectPlus* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyBaseValues(*source);
    target->CopyFadeTimes(*source);
    target->m_style = source->m_style;
    target->m_stepLength = source->m_stepLength;
    target->m_mirror = source->m_mirror;
    target->m_colorCount = source->m_colorCount;
    target->m_repeatCount = source->m_repeatCount;
    target->m_bandWidth = source->m_bandWidth;
    target->RemoveAllStrips();
    for (INT_PTR i = 0; i < source->m_strips.GetSize(); ++i)
        target->m_strips.Add(ColorTemplateArrayEx::Clone(source->m_strips.GetAt(i)));
    SetRandomAnimation(target, source->m_pStyleRecord);
}

ProgramColorEffectPlusArray::~ProgramColorEffectPlusArray()
{
    RemoveAllItems();
}

void ProgramColorEffectPlusArray::RemoveAllItems()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items.GetAt(i);
    m_items.RemoveAll();
}

void ProgramColorEffectPlusArray::UpdateTotalFrames()
{
    int total = 0;
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        total += m_items.GetAt(i)->m_orgFrames;
    m_orgFrames = total;
    m_endFrame = total;
}

ProgramColorEffectPlusArray* ProgramColorEffectPlusArray::Clone(const ProgramColorEffectPlusArray* source)
{
    if (source == nullptr)
        return nullptr;
    auto* copy = new ProgramColorEffectPlusArray;
    CopyFrom(copy, source);
    copy->m_pNode = NewFreshNode();
    return copy;
}

void ProgramColorEffectPlusArray::CopyFrom(
    ProgramColorEffectPlusArray* target, const ProgramColorEffectPlusArray* source)
{
    if (target == nullptr || source == nullptr || target == source)
        return;
    target->CopyBaseValues(*source);
    target->CopyFadeTimes(*source);
    target->RemoveAllItems();
    for (INT_PTR i = 0; i < source->m_items.GetSize(); ++i)
        target->m_items.Add(ProgramColorEffectPlus::Clone(source->m_items.GetAt(i)));
}
