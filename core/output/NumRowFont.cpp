#include "output/NumRowFont.h"

#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "platform/Platform.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <algorithm>

namespace sarw {

namespace {

// Offsets of the record.
constexpr std::size_t kNameLen = 0, kName = 1, kSize = 101, kColour = 104, kStyle = 108,
                      kRows = 109, kOrientation = 110;

unsigned char byteAt(std::string_view r, std::size_t at) {
    return static_cast<unsigned char>(r[at]);
}

void damaged(Session& s) {
    warning(s, std::string("Soubor \r\r") + kNumRowFontFile +
                   "\r\rje poskozen !\r\rBude automaticky ulozena predvolba.");
    s.printSettings = PrintSettings{};
    writeNumRowFont(s);
}

// Reads an existing file into the settings; a damaged one takes the defaults path.
bool readExisting(Session& s) {
    std::string bytes;
    if (readWholeFile(s.platform().native(kNumRowFontFile), bytes) &&
        decodeNumRowFont(bytes, s.printSettings))
        return true;
    damaged(s);
    return false;
}

} // namespace

int styleCode(const PrintSettings& p) {
    const int tens = (p.bold ? 1 : 0) + (p.italic ? 2 : 0);
    const int units = (p.underline ? 1 : 0) + (p.strikeOut ? 2 : 0);
    return tens * 10 + units;
}

bool applyStyleCode(PrintSettings& p, int code) {
    const int tens = code / 10, units = code % 10;
    if (code < 0 || tens > 3 || units > 3) return false;
    p.bold = (tens & 1) != 0;
    p.italic = (tens & 2) != 0;
    p.underline = (units & 1) != 0;
    p.strikeOut = (units & 2) != 0;
    return true;
}

int saneRowsPerPage(long long rows) {
    return static_cast<int>(std::clamp<long long>(rows, kMinRowsPerPage, kMaxRowsPerPage));
}

std::string encodeNumRowFont(const PrintSettings& p) {
    std::string r(kNumRowFontSize, '\0');
    const std::size_t n = std::min<std::size_t>(p.fontName.size(), kMaxFontName);
    r[kNameLen] = static_cast<char>(n);
    std::copy_n(p.fontName.begin(), n, r.begin() + kName);
    r[kSize] = static_cast<char>(std::clamp(p.fontSize, 0, 255));
    for (int i = 0; i < 4; ++i)
        r[kColour + static_cast<std::size_t>(i)] = static_cast<char>((p.fontColour >> (8 * i)) & 0xFF);
    r[kStyle] = static_cast<char>(styleCode(p));
    r[kRows] = static_cast<char>(std::clamp(p.rowsPerPage, 0, 255));
    r[kOrientation] = static_cast<char>(p.orientation == 1 ? 1 : 0);
    return r;
}

bool decodeNumRowFont(std::string_view r, PrintSettings& p) {
    if (r.size() < static_cast<std::size_t>(kNumRowFontSize) || byteAt(r, kNameLen) > kMaxFontName)
        return false;
    p.fontName.assign(r.substr(kName, byteAt(r, kNameLen)));
    p.fontSize = byteAt(r, kSize);
    std::uint32_t colour = 0;
    for (int i = 3; i >= 0; --i) colour = (colour << 8) | byteAt(r, kColour + static_cast<std::size_t>(i));
    p.fontColour = colour;
    applyStyleCode(p, byteAt(r, kStyle));
    p.rowsPerPage = saneRowsPerPage(byteAt(r, kRows));
    p.orientation = byteAt(r, kOrientation) == 1 ? 1 : 0;
    return true;
}

bool readNumRowFont(Session& s) {
    if (!fileExists(s, kNumRowFontFile)) {
        // A file that cannot be created leaves the settings as they are in memory.
        if (!writeNumRowFont(s)) return false;
        information(s, "Vygenerovany obvykle vlastnosti.\r\rProvedte prednostne opravu !");
    }
    return readExisting(s);
}

bool writeNumRowFont(Session& s) {
    makePath(s, "C:\\A_Run\\PomSoub");
    // Through a temporary file renamed over the old one, so a crash never leaves half a record.
    const int code = windowsError(replaceFile(s.platform().native(kNumRowFontFile),
                                              encodeNumRowFont(s.printSettings),
                                              Durability::Durable));
    if (code == 0) return true;
    warning(s, "Chyba" + intToTextZero(code, 5) + " -Soubor nelze vytvorit !",
            std::string("Soubor:  ") + kNumRowFontFile);
    return false;
}

void showNumRowFont(Session& s) {
    if (fileExists(s, kNumRowFontFile))
        readExisting(s);
    else
        writeNumRowFont(s);
}

std::string rowsFieldText(std::string_view field) {
    const long long rows = textToInt(field.substr(0, std::min<std::size_t>(field.size(), 3)));
    return zeroPadInt(rows < 0 ? 0 : rows, 3);
}

std::string orientationText(int orientation) {
    return orientation == 1 ? "V - Na sirku" : "H - Na vysku";
}

bool closeNumRowFont(Session& s, std::string_view rowsField, std::string_view orientationList) {
    const long long rows = textToInt(rowsFieldText(rowsField));
    s.printSettings.rowsPerPage = saneRowsPerPage(rows);
    const std::string list = trimLeft(orientationList);
    s.printSettings.orientation = !list.empty() && (list[0] == 'V' || list[0] == 'v') ? 1 : 0;
    return writeNumRowFont(s);
}

} // namespace sarw
