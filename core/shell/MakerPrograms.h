#pragma once

#include <string>

namespace sarw {

class Session;

// The maker's separate programs that "Editory" and "Prohlizece" start from the programs
// directory. They are separate products, so an installation may lack them; SarW then opens the
// nearest window of its own instead of warning that the program is missing.

// Starts the program file of the programs directory when it is installed (with the data disk's
// \LSarW as its argument when withDisk is set; waiting when wait is set). False when it is not
// installed: the caller shows its stand-in.
bool startMakerProgram(Session& s, const std::string& program, bool withDisk, bool wait);

// Opens a chosen file with the desktop's default program; false when nothing on this desktop
// opened it.
bool openWithDesktop(Session& s, const std::string& file);

// Opens a media file with the desktop's default program, or says that nothing can play it.
bool playMedia(Session& s, const std::string& file);

// Says that the chosen file is no picture SarW can show.
void pictureUnreadable(Session& s, const std::string& file);

// The file dialogs' filters of the stand-ins (description|pattern pairs).
inline constexpr const char* kPictureFilter =
    "Obrazky (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.ico)|"
    "*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.ico|Vsechny soubory (*.*)|*.*";
inline constexpr const char* kMediaFilter =
    "Zvuk a video (*.wav *.mp3 *.ogg *.mid *.avi *.mpg *.mp4 *.wmv)|"
    "*.wav *.mp3 *.ogg *.mid *.avi *.mpg *.mp4 *.wmv|Vsechny soubory (*.*)|*.*";

} // namespace sarw
