// The off-line generation's steps without the dialog window: the refusals
// and failures that stop it with nothing recorded, the configuration-only
// road, the size limit and folder handed to the document, and the hand-over
// of the folder at the end.
#include "ConfigFile.h"
#include "offline_test_support.h"

using fwtest::CScriptedUiHost;
using namespace offtest;

namespace {

OfflineGenerationChoice Choice(int model = 0, int sizeLimit = 2)
{
    OfflineGenerationChoice choice;
    choice.modelIndex = model;
    choice.modelName = kControllerModels[model];
    choice.sizeLimit = sizeLimit;
    choice.controllerCount = 3;
    return choice;
}

class Generation : public OfflineTest {
protected:
    OfflineGenerationOutcome Run(const OfflineGenerationChoice& choice)
    {
        return StartOfflineGeneration(*m_doc, m_config, choice, nullptr, m_output);
    }
    // Nothing of a recording happened.
    void ExpectNothingRecorded()
    {
        EXPECT_TRUE(PanelCalls(WM_RECORD_OFFLINE).empty());
        EXPECT_EQ(0, m_host.m_stopPlays);
        EXPECT_TRUE(m_doc->GetOfflineFolder().IsEmpty());
        EXPECT_EQ(1, m_doc->m_fileSizeLimit);
    }
};

TEST_F(Generation, RefusalsBeforeTheFolderStopWithTheirMessage)
{
    struct Case {
        const char* name;
        int segments;
        int totalFrames;
        bool layout;
        int listSelector;
        const wchar_t* message;
    };
    const Case cases[] = {
        { "zero frames", 2, 0, true, 2, L"SHOW 8" },
        { "no segments", 0, 120, true, 2, L"SHOW 1" },
        { "no layout file", 2, 120, false, 2, L"SHOW 2" },
        // While an effect editor previews, its empty preview settings count.
        { "preview list active", 2, 120, true, 0, L"SHOW 8" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc = std::make_unique<CDornelDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_doc->SetHost(&m_host);
        m_doc->m_pViewPanel = &m_viewPanel;
        m_host.m_panelCalls.clear();
        MakeRecordable(c.segments, c.totalFrames);
        if (!c.layout)
            m_doc->m_projectSettings.m_layoutFile.Empty();
        m_doc->m_listSelector = c.listSelector;

        CScriptedUiHost ui;
        ui.ExpectMessageBox(IDOK, c.message);
        const OfflineGenerationOutcome outcome = Run(Choice());
        EXPECT_EQ(OfflineGenerationResult::kStopped, outcome.result);
        EXPECT_TRUE(outcome.folder.IsEmpty());
        EXPECT_TRUE(m_output.m_writes.empty());
        ExpectNothingRecorded();
    }
}

TEST_F(Generation, CancelledFolderBrowserEndsSilently)
{
    MakeRecordable();
    m_ui.ExpectCancel(CScriptedUiHost::Kind::Folder);
    EXPECT_EQ(OfflineGenerationResult::kStopped, Run(Choice()).result);
    EXPECT_TRUE(m_output.m_writes.empty());
    ExpectNothingRecorded();
    ASSERT_EQ(1u, m_ui.Transcript().size());
    EXPECT_EQ(CString(L"Folder: TITLE 6"), m_ui.Transcript()[0]);
}

TEST_F(Generation, ConfigWriterThatDidNotWriteStopsBeforeRecording)
{
    const ConfigWriteResult failures[] = { ConfigWriteResult::kInvalidParams, ConfigWriteResult::kRefreshTooLow,
        ConfigWriteResult::kDeclined, ConfigWriteResult::kWriteFailed, ConfigWriteResult::kCopyFailed };
    MakeRecordable();
    for (ConfigWriteResult failure : failures) {
        SCOPED_TRACE(static_cast<int>(failure));
        m_output.m_writes.clear();
        m_output.m_result = failure;
        m_ui.ExpectFolder(L"C:\\cards");
        const OfflineGenerationOutcome outcome = Run(Choice());
        EXPECT_EQ(OfflineGenerationResult::kStopped, outcome.result);
        ASSERT_EQ(1u, m_output.m_writes.size());
        EXPECT_EQ(3, m_output.m_writes[0].count);
        ExpectNothingRecorded();
        EXPECT_TRUE(m_config.GetModelName().IsEmpty());
    }
}

TEST_F(Generation, RealWriterDecliningAFlickeringRateRecordsNothing)
{
    MakeRecordable();
    CTempFolder folder;
    m_output.m_realWriter = true;
    // An OE chip at 4096 gray levels and a slow clock asks about flicker.
    m_config.IsOE = 1;
    m_config.Gray = 4096;
    m_config.Channels = 768;
    m_config.Clock = 1.0;
    m_config.OePeriods = 7;
    m_config.ChipName = L"OECHIP";
    const double rate = CalcRefreshRate(m_config.Gray, m_config.Channels, m_config.Clock, m_config.OePeriods);
    ASSERT_GE(rate, 10.0);
    ASSERT_LT(rate, 50.0);
    m_ui.ExpectFolder(folder.Path());
    m_ui.ExpectMessageBox(IDNO);
    EXPECT_EQ(OfflineGenerationResult::kStopped, Run(Choice()).result);
    EXPECT_FALSE(FileExists(folder.File(L"CFG_001.bfm")));
    ExpectNothingRecorded();
}

// The writer's refusals and questions come from the program's language file
// (a language without the texts would see the writer's Chinese ones): the
// flicker question after the chip name with its rate in place of the mark,
// the refusals of damaged chip data and of a rate that is too low, and the
// failed write with the file's path.
TEST_F(Generation, TheWritersMessagesSpeakTheProgramsLanguage)
{
    m_host.m_texts[{ L"HINT", 100 }] = L"Not written!";
    m_host.m_texts[{ L"HINT", 101 }] = L"Bad chip data!";
    m_host.m_texts[{ L"HINT", 102 }] = L"Too slow!";
    m_host.m_texts[{ L"HINT", 103 }] = L": flickers below %dHz. Go on?";
    struct Case {
        const char* name;
        double clock;
        UINT chipChannel;
        bool folderExists;
        const wchar_t* message; // exactly, or followed by the path
    };
    // An OE chip at 768 channels: 1 MHz gives 10..50 Hz, 0.1 MHz below 10.
    const Case cases[] = {
        { "flicker question", 1.0, 3, true, L"OECHIP: flickers below 50Hz. Go on?" },
        { "refresh too low", 0.1, 3, true, L"Too slow!" },
        { "damaged chip data", 1.0, 0, true, L"Bad chip data!" },
        { "write failed", 8.0, 3, false, L"Not written!\n" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeRecordable();
        CTempFolder folder;
        const CString target = c.folderExists ? folder.Path() : folder.File(L"missing\\sub");
        m_output.m_realWriter = true;
        m_config.IsOE = 1;
        m_config.Gray = 4096;
        m_config.Channels = 768;
        m_config.Clock = c.clock;
        m_config.ChipChannel = c.chipChannel;
        m_config.OePeriods = 7;
        m_config.ChipName = L"OECHIP";
        // The path of a failed write follows its text on the next line.
        const bool withPath = c.message[wcslen(c.message) - 1] == L'\n';
        m_ui.ExpectFolder(target);
        m_ui.ExpectMessageBox(IDNO, withPath ? CString(c.message) + target : CString(c.message));
        EXPECT_EQ(OfflineGenerationResult::kStopped, Run(Choice()).result);
        EXPECT_EQ(0u, m_ui.PendingCount());
        EXPECT_FALSE(FileExists(folder.File(L"CFG_001.bfm")));
    }
}

TEST_F(Generation, RecordingHandsSizeLimitAndFolderToTheDocument)
{
    struct Case {
        int sizeLimit;
        int expected;
    };
    const Case cases[] = { { 1, 1 }, { 2, 2 }, { kSizeLimitNone, 0xFFFF } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sizeLimit);
        m_doc = std::make_unique<CDornelDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_doc->SetHost(&m_host);
        m_doc->m_pViewPanel = &m_viewPanel;
        m_host.m_panelCalls.clear();
        m_host.m_stopPlays = 0;
        m_output.m_writes.clear();
        MakeRecordable(2, 120, 100);
        m_doc->m_fileSizeLimit = 7;

        m_ui.ExpectFolder(L"D:\\show out");
        const OfflineGenerationOutcome outcome = Run(Choice(1, c.sizeLimit));
        EXPECT_EQ(OfflineGenerationResult::kRecording, outcome.result);
        EXPECT_EQ(CString(L"D:\\show out"), outcome.folder);
        EXPECT_EQ(100, outcome.totalFrames); // the played total, not the sum
        EXPECT_EQ(c.expected, m_doc->m_fileSizeLimit);
        EXPECT_EQ(CString(L"D:\\show out"), m_doc->GetOfflineFolder());
        ASSERT_EQ(1u, m_output.m_writes.size());
        EXPECT_EQ(CString(L"D:\\show out"), m_output.m_writes[0].folder);
        EXPECT_EQ(3, m_output.m_writes[0].count);
        const auto posted = PanelCalls(WM_RECORD_OFFLINE);
        ASSERT_EQ(1u, posted.size());
        EXPECT_TRUE(posted[0].posted);
        EXPECT_EQ(DOC_PANEL_VIEW, posted[0].panel);
        EXPECT_EQ(0u, posted[0].wParam);
        EXPECT_EQ(1, m_host.m_stopPlays);
        EXPECT_EQ(CString(L"QV-737"), m_config.GetModelName());
    }
}

TEST_F(Generation, ConfigurationFilesFollowModelAndCheck)
{
    struct Case {
        int model;
        BOOL writeConfig;
        size_t writes;
    };
    const Case cases[] = { { 0, TRUE, 1 }, { 2, TRUE, 1 }, { 0, FALSE, 0 }, { kModelWithoutConfig, TRUE, 0 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        m_doc = std::make_unique<CDornelDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_doc->SetHost(&m_host);
        m_doc->m_pViewPanel = &m_viewPanel;
        m_host.m_panelCalls.clear();
        m_output.m_writes.clear();
        MakeRecordable();
        OfflineGenerationChoice choice = Choice(c.model);
        choice.writeConfig = c.writeConfig;
        m_ui.ExpectFolder(L"E:\\out");
        EXPECT_EQ(OfflineGenerationResult::kRecording, Run(choice).result);
        EXPECT_EQ(c.writes, m_output.m_writes.size());
        EXPECT_EQ(1u, PanelCalls(WM_RECORD_OFFLINE).size());
        EXPECT_EQ(CString(kControllerModels[c.model]), m_config.GetModelName());
    }
}

TEST_F(Generation, ConfigurationOnlyWritesOpensFolderAndRecordsNothing)
{
    // An empty project: no frames, segments or layout.
    CTempFolder folder;
    m_output.m_realWriter = true;
    OfflineGenerationChoice choice = Choice(kModelWithoutConfig, 2);
    choice.configOnly = TRUE;
    choice.writeConfig = FALSE;
    m_ui.ExpectFolder(folder.Path());
    m_ui.ExpectShellOpen();
    const OfflineGenerationOutcome outcome = Run(choice);
    EXPECT_EQ(OfflineGenerationResult::kConfigWritten, outcome.result);
    EXPECT_TRUE(FileExists(folder.File(L"CFG_001.bfm")));
    EXPECT_TRUE(FileExists(folder.File(L"CFG_003.bfm")));
    EXPECT_FALSE(FileExists(folder.File(L"CFG_004.bfm")));
    ASSERT_EQ(2u, m_ui.Transcript().size());
    EXPECT_EQ(CString(L"ShellOpen: ") + folder.Path(), m_ui.Transcript()[1]);
    ExpectNothingRecorded();
    EXPECT_EQ(CString(L"QV-HN31/946"), m_config.GetModelName());
    EXPECT_EQ(CString(L"QV-HN31/946"), CString(m_config.GetRecord().modelName));
}

TEST_F(Generation, ConfigurationOnlyAsksForACountWithoutControllers)
{
    struct Case {
        BOOL inputOk;
        const wchar_t* text;
        int written; // -1: the refusal
        bool langTexts; // else the language file lacks the caption and refusal
    };
    const Case cases[] = {
        { TRUE, L"4", 4, true },
        { TRUE, L"2 cards", 2, true },
        { TRUE, L"0", -1, true },
        { TRUE, L"many", -1, true },
        { FALSE, L"5", -1, true },
        { TRUE, L"0", -1, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.text).GetString());
        m_output.m_writes.clear();
        m_host.m_inputPrompts.clear();
        m_host.m_inputCaptions.clear();
        m_host.m_inputOk = c.inputOk;
        m_host.m_inputText = c.text;
        if (!c.langTexts) {
            m_host.m_texts[{ L"SHOW", 6 }] = CString();
            m_host.m_texts[{ L"SHOW", 7 }] = CString();
        }
        OfflineGenerationChoice choice = Choice();
        choice.configOnly = TRUE;
        choice.controllerCount = 0;
        m_ui.ExpectFolder(L"F:\\cfg");
        if (c.written < 0)
            m_ui.ExpectMessageBox(IDOK, c.langTexts ? L"SHOW 7" : L"Min Count 1!");
        else
            m_ui.ExpectShellOpen();
        const OfflineGenerationOutcome outcome = Run(choice);
        ASSERT_EQ(1u, m_host.m_inputPrompts.size());
        EXPECT_EQ(CString(L"1"), m_host.m_inputPrompts[0]);
        ASSERT_EQ(1u, m_host.m_inputCaptions.size());
        EXPECT_EQ(CString(c.langTexts ? L"SHOW 6" : L"Input Number"), m_host.m_inputCaptions[0]);
        if (c.written < 0) {
            EXPECT_EQ(OfflineGenerationResult::kStopped, outcome.result);
            EXPECT_TRUE(m_output.m_writes.empty());
        } else {
            EXPECT_EQ(OfflineGenerationResult::kConfigWritten, outcome.result);
            ASSERT_EQ(1u, m_output.m_writes.size());
            EXPECT_EQ(c.written, m_output.m_writes[0].count);
        }
        ExpectNothingRecorded();
    }
}

TEST_F(Generation, ConfigurationOnlyFailureDoesNotOpenTheFolder)
{
    m_output.m_result = ConfigWriteResult::kWriteFailed;
    OfflineGenerationChoice choice = Choice();
    choice.configOnly = TRUE;
    m_ui.ExpectFolder(L"G:\\cfg");
    EXPECT_EQ(OfflineGenerationResult::kStopped, Run(choice).result);
    EXPECT_EQ(1u, m_ui.Transcript().size());
    ExpectNothingRecorded();
}

TEST_F(Generation, FolderGoesToTheCardToolOrTheShell)
{
    HandOnOutputFolder(L"H:\\cards", TRUE, nullptr, m_output);
    ASSERT_EQ(1u, m_output.m_cardwell.size());
    EXPECT_EQ(CString(L"H:\\cards"), m_output.m_cardwell[0]);
    EXPECT_TRUE(m_ui.Transcript().empty());

    m_ui.ExpectShellOpen();
    HandOnOutputFolder(L"H:\\cards", FALSE, nullptr, m_output);
    EXPECT_EQ(1u, m_output.m_cardwell.size());
    ASSERT_EQ(1u, m_ui.Transcript().size());
    EXPECT_EQ(CString(L"ShellOpen: H:\\cards"), m_ui.Transcript()[0]);
    // The real call starts nothing for a folder that is not there.
    DefaultOfflineOutputHost().CardwellOpen(L"H:\\cards");
}

} // namespace
