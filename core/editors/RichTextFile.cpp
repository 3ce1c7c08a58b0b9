#include "editors/RichTextFile.h"

#include "editors/TextFileEdit.h"
#include "rtf/RtfRead.h"
#include "rtf/RtfWrite.h"
#include "shell/WinLSys.h"

namespace sarw {

bool openRichTextFile(Session& s, const std::string& name, rtf::RichText& text) {
    std::string bytes;
    if (!openTextFile(s, name, bytes)) return false;
    text = rtf::readRtf(bytes);
    return true;
}

bool saveRichTextFile(Session& s, const std::string& name, const rtf::RichText& text, int delayMs) {
    return saveTextFile(s, name, rtf::writeRtf(text), delayMs);
}

void richTextNotFound(Session& s, const std::string& needle) {
    information(s, "Retezec nebyl nalezen !", "Retezec:  " + needle);
}

} // namespace sarw
