// The hardware settings dialog of the output library behind the shell's
// CHardwareSettingsDialog: the main frame keeps one for its life, runs it
// for the active document and hands it the recording's progress.
#pragma once

#include "DlgHardSet.h"
#include "shell_services.h"

class CHardSetAdapter : public CHardwareSettingsDialog {
public:
    explicit CHardSetAdapter(HardwareConfig& config);

    void SetDocument(CDornelDoc* doc) override { m_dialog.SetDocument(doc); }
    INT_PTR DoModal() override { return m_dialog.DoModal(); }
    void OnRecordProgress(int framesWritten) override { m_dialog.OnOfflineProgress(framesWritten); }
    void SetConfigTextSource(ConfigTextSource source) override;

    CDlgHardSet& Dialog() { return m_dialog; }
    // The lookup the chip page was given (empty until the frame sets one).
    const ConfigTextSource& GetConfigTextSource() const { return m_textSource; }

private:
    CDlgHardSet m_dialog;
    ConfigTextSource m_textSource;
};
