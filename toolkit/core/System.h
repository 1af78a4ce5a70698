// Calls into the Windows shell and user interface that the game and its
// forms share. Windows only.
#pragma once

#include "Text.h"

namespace OrvoUtility {

// Opens a document, web address or mailto: link with the shell's "open" verb.
// True when the shell accepted it.
bool OpenWithShell(const NarrowText &target);

// The per-user local application data folder, without a trailing separator;
// empty text when the shell cannot say.
NarrowText LocalAppDataFolder();

// A task-modal Yes/No question box; true for Yes (a closed box counts as No).
bool AskYesNo(const NarrowText &text, const NarrowText &caption);

} // namespace OrvoUtility
