// Resource identifiers of Corvane.dll.
#pragma once

// The hidden dialog that waits for the layout editor's replies.
#define IDD_MESSAGE_DLG 1000
