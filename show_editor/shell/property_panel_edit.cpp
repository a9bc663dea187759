// The property panel's edit handling: every changed row is checked by its
// property id and handed to the document's setter, or put back to its
// initial value without a message.
#include "property_panel.h"

#include "dornel_doc.h"

namespace {

// The leading decimal number of the text, 0 when there is none.
int LeadingNumber(const CString& text)
{
    return _wtoi(text);
}

void PutBack(CMFCPropertyGridProperty* row)
{
    row->ResetOriginalValue();
}

} // namespace

void CPropertypanel::OnPropertyChanged(CMFCPropertyGridProperty* prop)
{
    CDornelDoc* doc = GetDornelDoc();
    if (doc == nullptr || prop == nullptr)
        return;
    const int id = static_cast<int>(prop->GetData());
    const CString text = RowText(prop);
    const int number = LeadingNumber(text);
    auto checkState = [prop]() {
        auto* check = dynamic_cast<QvCheckedProperty*>(prop);
        return check != nullptr ? check->IsChecked() : FALSE;
    };
    // The view of the current view node in the current segment, or null.
    auto currentView = [doc](QvSegmentGourp** segmentOut) -> ProgramView* {
        const int n = doc->m_currentSegment;
        if (n < 1 || n > doc->m_segments.GetSize() || doc->m_pCurrentViewNode == nullptr)
            return nullptr;
        QvSegmentGourp* segment = doc->GetSegment(n - 1);
        if (segmentOut != nullptr)
            *segmentOut = segment;
        return CDornelDoc::GetSegmentView(doc->m_pCurrentViewNode->m_index - 1, segment);
    };
    const ProjSet* active = doc->GetActiveProjSet();
    // The view rows edit a view of the project: its size bounds them, also
    // while an open editor has made its preview list the active one.
    const ProjSet& project = doc->m_projectSettings;

    switch (id) {
    case PROP_PROJECT_WIDTH:
    case PROP_PROJECT_HEIGHT:
        if (number >= 1)
            doc->OnProjectPropertyChanged(id, text);
        else
            PutBack(prop);
        break;
    case PROP_FRAME_RATE:
    case PROP_DOT_STYLE:
        doc->OnProjectPropertyChanged(id, text);
        break;
    case PROP_BACKGROUND_IMAGE:
        if (text.Find(L'\\', 1) > 0) {
            prop->SetValue(COleVariant(text.Mid(text.ReverseFind(L'\\') + 1)));
            doc->OnProjectPropertyChanged(id, text);
        } else if (text.IsEmpty()) {
            doc->OnProjectPropertyChanged(id, text);
        }
        break;
    case PROP_PLAYED_FRAMES:
        if (number >= 0 && number <= active->m_totalFrames)
            doc->OnProjectPropertyChanged(id, text);
        else
            PutBack(prop);
        break;
    case PROP_WIRING_MASK:
        doc->OnProjectPropertyChanged(id, text, checkState());
        break;
    case PROP_SEGMENT_NAME:
    case PROP_VIEW_NAME:
    case PROP_PROGRAM_NAME:
        if (text.IsEmpty())
            PutBack(prop);
        else
            doc->SetNodeName(id == PROP_SEGMENT_NAME ? 0 : id == PROP_VIEW_NAME ? 1 : 2, text);
        break;
    case PROP_FOUR_COLOR: {
        const int index = OptionIndex(prop, text);
        m_whiteValue->Enable(FALSE);
        if (index == prop->GetOptionCount() - 1)
            m_whiteValue->Enable(TRUE);
        doc->OnSegmentPropertyChanged(id, index, text);
        break;
    }
    case PROP_WHITE_VALUE:
        if (number >= 0 && number <= 255)
            doc->OnSegmentPropertyChanged(id, number, text);
        else
            PutBack(prop);
        break;
    case PROP_START_FRAME:
    case PROP_END_FRAME: {
        Program* program = doc->m_pSelectedProgram;
        if (program == nullptr || number < 1 || number > program->m_endFrame) {
            PutBack(prop);
            break;
        }
        doc->OnProgramPropertyChanged(static_cast<int>(m_segmentGroup->GetData()), id, text);
        break;
    }
    case PROP_H_TILES:
    case PROP_V_TILES:
    case PROP_START_SPEED:
    case PROP_END_SPEED:
        doc->OnProgramPropertyChanged(static_cast<int>(m_segmentGroup->GetData()), id, text);
        break;
    case PROP_VIEW_X:
    case PROP_VIEW_WIDTH:
        if (number >= 0 && number <= project.m_width)
            doc->OnViewPropertyChanged(id, number);
        else
            PutBack(prop);
        break;
    case PROP_VIEW_Y:
    case PROP_VIEW_HEIGHT:
        if (number >= 0 && number <= project.m_height)
            doc->OnViewPropertyChanged(id, number);
        else
            PutBack(prop);
        break;
    case PROP_FULL_SIZE: {
        ProgramView* view = currentView(nullptr);
        if (view == nullptr)
            break;
        if (ViewFillsProject(view->m_projectRect, project)) {
            PutBack(prop);
            m_fullSize->SetChecked(TRUE);
        } else {
            doc->OnViewPropertyChanged(id, checkState());
        }
        break;
    }
    case PROP_BRIGHTNESS:
        if (number >= 0 && number <= 100) {
            doc->OnViewPropertyChanged(id, number);
        } else {
            PutBack(prop);
            doc->OnViewPropertyChanged(id, LeadingNumber(RowText(prop)));
        }
        break;
    case PROP_TIME_BASE:
        if (doc->OnViewPropertyChanged(id, checkState()) == 0) {
            PutBack(prop);
            m_timeBase->SetChecked(FALSE);
        }
        break;
    case PROP_SHOW_TIME: {
        const double seconds = _wtof(text);
        m_playCount->SetValue(COleVariant(L"LOOP"));
        doc->SetViewRepeatCount(0);
        if (doc->OnViewPropertyChanged(id, 0, static_cast<float>(seconds)) == 0)
            PutBack(prop);
        break;
    }
    case PROP_VIEW_BACKGROUND:
        doc->SetViewTransparentMode(OptionIndex(prop, text));
        break;
    case PROP_TRANSPARENCY:
        if (number < 0 || number > 255) {
            PutBack(prop);
        } else if (number == 0) {
            prop->SetValue(COleVariant(L"0"));
            doc->SetViewTransparency(0);
        } else {
            doc->SetViewTransparency(static_cast<BYTE>(number));
        }
        break;
    case PROP_LOCK: {
        const BOOL locked = checkState();
        CMFCPropertyGridProperty* rows[] = { m_viewX, m_viewY, m_viewWidth, m_viewHeight };
        for (CMFCPropertyGridProperty* row : rows)
            row->AllowEdit(!locked);
        doc->SetViewAreaLocked(static_cast<BYTE>(locked ? 1 : 0));
        break;
    }
    case PROP_PLAY_COUNT: {
        int count = number;
        if (count == 0)
            prop->SetValue(COleVariant(L"LOOP"));
        doc->SetViewRepeatCount(count);
        m_showTime->SetValue(COleVariant(L"0"));
        QvSegmentGourp* segment = nullptr;
        ProgramView* view = currentView(&segment);
        if (view != nullptr)
            doc->SetViewShowTime(segment, view, 0.0);
        break;
    }
    default:
        break;
    }
}
