// The running program for the media editor tests: the application with its
// main frame, document and the program's own document host in a private
// program folder, the libraries the loader fills emptied, a 200 x 50
// project at 25 frames per second, and generated clips.
#pragma once

#include "../shell/shell_test_support.h"

#include <memory>

namespace mediatest {

struct MediaSession : shelltest::ProgramFixture {
    void TearDown() override;

    // An uncompressed AVI of frames frames of 8 x 8 pixels in the folder.
    CString WriteClip(LPCWSTR name, int frames) const;
    // A file that no decoder takes.
    CString WriteJunk(LPCWSTR name) const;
    // Sends a command to the main frame as the menu does.
    void Command(UINT id) const;
    // Ends an open editor with a button and waits for the document to drop it.
    bool CloseWith(CEffectEditor*& slot, int button) const;
    // Selects program number index (from 1) of view 1 of segment 1 for Edit.
    void SelectProgram(int index) const;
    Program* ProjectProgram(int segment, int view, int index) const;
    // Whether the project tree shows an item named as the program's node.
    bool TreeShows(const Program* program) const;
};

// Sets a combo box's selection and tells its parent, as the user does.
void Choose(CWnd& dialog, int id, int index);
// Types text into an edit or an editable combo box; notice is the control's
// change notification (EN_CHANGE, CBN_EDITCHANGE).
void Type(CWnd& dialog, int id, LPCWSTR text, UINT notice);
int ItemInt(CWnd& dialog, int id);

} // namespace mediatest
