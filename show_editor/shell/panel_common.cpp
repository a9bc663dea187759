// Helpers shared by the panels of the main window.
#include "panel_common.h"

#include "dornel_doc.h"

CDornelDoc* PanelDornelDoc(CDocument* doc)
{
    return doc != nullptr && doc->IsKindOf(RUNTIME_CLASS(CDornelDoc)) ? static_cast<CDornelDoc*>(doc) : nullptr;
}

CString PanelLangText(CDornelDoc* doc, LPCTSTR section, int key, LPCTSTR fallback)
{
    CString text;
    if (doc != nullptr)
        text = doc->Host().GetLangText(section, key);
    if (text.IsEmpty() && fallback != nullptr)
        text = fallback;
    return text;
}

void EraseFramedPanelBackground(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(clip);
    pDC->FillSolidRect(clip, RGB(220, 220, 220));
    CRgn region;
    region.CreateRectRgn(clip.left - 1, clip.top, clip.right, clip.bottom);
    CBrush frame(RGB(85, 85, 85));
    pDC->FrameRgn(&region, &frame, 3, 3);
}

CString DefaultSegmentLabel(CDornelDoc* doc, int number)
{
    CString label = PanelLangText(doc, L"ITEM_TITLE", 1, L"片段");
    CString suffix;
    suffix.Format(L"_%02d", number);
    return label + suffix;
}

CString DefaultProgramLabel(CDornelDoc* doc, int programType, int number)
{
    CString label;
    switch (programType) {
    case PROGRAM_TYPE_MEDIA:
        label = PanelLangText(doc, L"ITEM_TITLE", 3, L"视频文件");
        break;
    case PROGRAM_TYPE_COLOR_EFFECT:
    case PROGRAM_TYPE_FLICKER_STAR:
        label = PanelLangText(doc, L"ITEM_TITLE", 2, L"炫彩特效");
        break;
    case PROGRAM_TYPE_COLORFUL_WORDS:
        label = PanelLangText(doc, L"ITEM_TITLE", 4, L"多彩文字");
        break;
    case PROGRAM_TYPE_IMAGE_SHOW:
        label = PanelLangText(doc, L"ITEM_TITLE", 276, L"图像文件");
        break;
    default:
        return CString();
    }
    CString suffix;
    suffix.Format(L"_%02d", number);
    return label + suffix;
}

bool IsSegmentTimed(const QvSegmentGourp* segment)
{
    if (segment == nullptr || segment->m_pSegmentInfo == nullptr)
        return false;
    const SegmentTimePlay& play = segment->m_pSegmentInfo->m_timePlay;
    return play.m_timedPlay != 0 || play.m_holidayMask != 0;
}
