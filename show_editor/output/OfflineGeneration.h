// The off-line generation as the hardware settings dialog runs it, kept
// apart from the dialog's window: the refusals, the folder choice, the
// configuration files, the size limit and the folder handed to the
// document, the start of the recording, and the hand-over of the output
// folder once the last frame is written.
#pragma once

#include <afxwin.h>

#include "HardwareConfig.h"

class CDornelDoc;

// The calls of the generation that leave the program: the configuration
// writer and the card copying tool. Tests replace them.
class COfflineOutputHost {
public:
    virtual ~COfflineOutputHost() = default;
    virtual ConfigWriteResult WriteConfigFiles(
        const HardwareConfig& config, const CString& folder, int count, const ConfigWriteTexts& texts);
    // Harnix's CardwellOpen with the output folder; its result is not used.
    virtual void CardwellOpen(const CString& folder);
};

// The host the dialog uses unless given another.
COfflineOutputHost& DefaultOfflineOutputHost();

// Controller models of the model list, in list order; the last one takes no
// configuration files.
constexpr int kControllerModelCount = 4;
extern const wchar_t* const kControllerModels[kControllerModelCount];
constexpr int kModelWithoutConfig = 3;

// File size limits (item data of the size list): 1 GB, 2 GB, none.
constexpr int kSizeLimitNone = 0xFFFF;

// What the dialog's controls say when generate is pressed.
struct OfflineGenerationChoice {
    BOOL configOnly = FALSE; // check "configuration files only"
    int modelIndex = 0; // selection of the model list
    CString modelName; // its text
    BOOL writeConfig = TRUE; // check "write configuration files"
    int sizeLimit = 1; // item data of the selected size limit
    int controllerCount = 0; // the document's, read when the dialog opened
};

enum class OfflineGenerationResult {
    kStopped, // refused, cancelled or failed: nothing recorded
    kConfigWritten, // configuration files only: written, folder opened
    kRecording, // the engine was asked to record
};

struct OfflineGenerationOutcome {
    OfflineGenerationResult result = OfflineGenerationResult::kStopped;
    CString folder; // the chosen output folder (empty when none was chosen)
    int totalFrames = 0; // frames at which a recording is complete
};

// Runs the generate command after the chip page was collected into config.
// Messages go through the UI host (owned by owner); the count of a
// configuration-only run with no controllers comes from the document host's
// number input.
OfflineGenerationOutcome StartOfflineGeneration(CDornelDoc& doc, HardwareConfig& config,
    const OfflineGenerationChoice& choice, HWND owner, COfflineOutputHost& host);

// The end of a recording: the folder goes to the card copying tool when its
// check is set, else it is opened in the shell.
void HandOnOutputFolder(const CString& folder, BOOL cardTool, HWND owner, COfflineOutputHost& host);
