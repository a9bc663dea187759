// The off-line generation's steps outside the dialog's window.
#include "OfflineGeneration.h"

#include "OutputMessage.h"
#include "dornel_doc.h"

#include <cwchar>

const wchar_t* const kControllerModels[kControllerModelCount] = { L"QV-735", L"QV-737", L"QV-PW64", L"QV-HN31/946" };

namespace {

// A text of the program's language file; the fallback keeps a message
// readable when the language file lacks the key.
CString LangOr(CDornelDoc& doc, LPCTSTR section, int key, LPCTSTR fallback)
{
    CString text = doc.Host().GetLangText(section, key);
    return text.IsEmpty() ? CString(fallback) : text;
}

void Message(HWND owner, const CString& text)
{
    AfxGetUiHost().MessageBox(owner, text, nullptr, MB_OK);
}

// Steps shared by both completed roads: the record and the model name.
void StoreConfiguration(HardwareConfig& config, const OfflineGenerationChoice& choice)
{
    config.SaveToRecord();
    config.SetModelName(choice.modelName);
}

// The configuration writer's messages in the program's language; a text the
// language file lacks stays the writer's own.
ConfigWriteTexts WriterTexts(CDornelDoc& doc)
{
    ConfigWriteTexts texts;
    const struct {
        CString* text;
        int key;
    } keys[] = { { &texts.writeFailed, 100 }, { &texts.invalidParams, 101 }, { &texts.refreshTooLow, 102 },
        { &texts.flickerQuestion, 103 } };
    for (const auto& entry : keys)
        *entry.text = LangOr(doc, L"HINT", entry.key, *entry.text);
    return texts;
}

using CardwellOpenFn = int(__stdcall*)(LPCWSTR);

} // namespace

ConfigWriteResult COfflineOutputHost::WriteConfigFiles(
    const HardwareConfig& config, const CString& folder, int count, const ConfigWriteTexts& texts)
{
    return config.WriteConfigFiles(folder, count, texts);
}

void COfflineOutputHost::CardwellOpen(const CString& folder)
{
    // Harnix is an optional outside library: bound by name when the call is
    // made, and a missing library or call is not an error. It stays loaded,
    // since the call may leave work of its own running.
    static HMODULE module = ::LoadLibraryW(L"Harnix.dll");
    if (module == nullptr)
        return;
    FARPROC proc = ::GetProcAddress(module, "CardwellOpen");
    if (proc == nullptr)
        proc = ::GetProcAddress(module, "CardwellOpen@4");
    if (proc != nullptr)
        reinterpret_cast<CardwellOpenFn>(reinterpret_cast<void*>(proc))(folder);
}

COfflineOutputHost& DefaultOfflineOutputHost()
{
    static COfflineOutputHost host;
    return host;
}

OfflineGenerationOutcome StartOfflineGeneration(CDornelDoc& doc, HardwareConfig& config,
    const OfflineGenerationChoice& choice, HWND owner, COfflineOutputHost& host)
{
    OfflineGenerationOutcome outcome;
    if (!choice.configOnly) {
        if (doc.GetActiveProjSet()->m_totalFrames == 0) {
            Message(owner, LangOr(doc, L"SHOW", 8, L"Zero Frame!"));
            return outcome;
        }
        if (doc.GetActiveSegments().GetSize() == 0) {
            Message(owner, LangOr(doc, L"SHOW", 1, L"No segment!"));
            return outcome;
        }
        if (doc.m_projectSettings.m_layoutFile.IsEmpty()) {
            Message(owner, LangOr(doc, L"SHOW", 2, L"No layout file!"));
            return outcome;
        }
    }

    CString folder;
    if (!AfxGetUiHost().PickFolder(owner, doc.Host().GetLangText(L"TITLE", 6), folder) || folder.IsEmpty())
        return outcome;
    outcome.folder = folder;

    if (choice.configOnly) {
        int count = choice.controllerCount;
        if (count < 1) {
            CString text = L"1";
            count = doc.Host().InputStringWithCaption(text, LangOr(doc, L"SHOW", 6, L"Input Number")) ? _wtoi(text) : 0;
            if (count < 1) {
                Message(owner, LangOr(doc, L"SHOW", 7, L"Min Count 1!"));
                return outcome;
            }
        }
        // A set that was refused or only partly written is not opened as if
        // it were complete; the writer has shown its own message.
        const ConfigWriteResult written = host.WriteConfigFiles(config, folder, count, WriterTexts(doc));
        StoreConfiguration(config, choice);
        if (written != ConfigWriteResult::kWritten)
            return outcome;
        AfxGetUiHost().ShellOpen(owner, folder, nullptr, nullptr, SW_SHOWNORMAL);
        outcome.result = OfflineGenerationResult::kConfigWritten;
        return outcome;
    }

    if (choice.modelIndex < kModelWithoutConfig && choice.writeConfig) {
        // The show files are useless on cards without their configuration
        // files, so a refused, declined or failed write stops the generation
        // before anything is recorded.
        if (host.WriteConfigFiles(config, folder, choice.controllerCount, WriterTexts(doc))
            != ConfigWriteResult::kWritten)
            return outcome;
    }
    if (choice.sizeLimit > 0)
        doc.m_fileSizeLimit = choice.sizeLimit;
    doc.SetOfflineFolder(folder);
    outcome.totalFrames = doc.m_projectSettings.m_playFrames;
    doc.StartOfflineRecording();
    StoreConfiguration(config, choice);
    outcome.result = OfflineGenerationResult::kRecording;
    return outcome;
}

void HandOnOutputFolder(const CString& folder, BOOL cardTool, HWND owner, COfflineOutputHost& host)
{
    if (cardTool)
        host.CardwellOpen(folder);
    else
        AfxGetUiHost().ShellOpen(owner, folder, nullptr, nullptr, SW_SHOWNORMAL);
}
