#pragma once

#include <filesystem>
#include <optional>

namespace sarw {

// Opens a document with the desktop's default program (xdg-open) and waits up to verdictMs for
// the opener's verdict: false when there is no opener or it ended reporting failure (no program
// on this desktop takes the file). An opener still running then is taken as success.
bool openDocumentChecked(const std::filesystem::path& file, int verdictMs = 3000);

// Tests put their own opener in place of the desktop's; nullopt gives the desktop's back.
void setDocumentOpener(std::optional<std::filesystem::path> opener);

} // namespace sarw
