#include "access/AccessFile.h"

#include "platform/FileRead.h"
#include "platform/FileReplace.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace sarw {

namespace {

constexpr std::size_t kPrologue = 30;
constexpr std::size_t kColumns = 27;
constexpr unsigned char kFieldEnd = 250;
constexpr unsigned char kEntryEnd = 251;

unsigned char substitute(unsigned char v) {
    if (v <= 34) return v + 56;
    if (v <= 63) return 63 - v;
    if (v <= 72) return v + 27;
    if (v <= 126) return static_cast<unsigned char>(72 - v);
    if (v <= 153) return v - 98;
    if (v <= 200) return static_cast<unsigned char>(44 - v);
    return v - 54;
}

unsigned char restore(unsigned char v) {
    if (v <= 28) return 63 - v;
    if (v <= 55) return v + 98;
    if (v <= 90) return v - 56;
    if (v <= 99) return v - 27;
    if (v <= 146) return static_cast<unsigned char>(44 - v);
    if (v <= 201) return v + 54;
    return static_cast<unsigned char>(72 - v);
}

enum class WriteResult { Ok, CannotCreate, CannotClose };

// Writes the scrambled content beside the file and renames it over the old one, so a crash never
// leaves the installation without its rights (a missing file would be recreated with the
// default entry). Owner-only permissions from the first byte on.
WriteResult writeScrambled(Session& s, const std::string& plain) {
    makePath(s, "C:\\A_Run\\PristPr");
    const fs::path target = s.platform().native(kAccessFileName);
    FileReplacement out;
    if (out.open(target, Durability::Durable, 0600) != 0) return WriteResult::CannotCreate;
    out.write(scrambleAccess(plain));
    if (out.finish() != 0) return WriteResult::CannotClose;
    if (fileInfo(target).exists) Platform::setPlainAttributes(target);
    if (out.commit() != 0) return WriteResult::CannotCreate;
    Platform::setReadOnly(target, true);
    return WriteResult::Ok;
}

// Starting again cannot mend the file, so the message names it and the two ways out.
[[noreturn]] void loadFailure(Session& s, bool created) {
    const std::string file = kAccessFileName;
    const std::string what =
        created ? "Soubor " + file + " nelze zalozit."
                : "Soubor " + file + " je poskozen nebo jej nelze precist.\r\rTabulku "
                  "pristupovych prav obnovte z archivu, nebo ji znovu zapise uzivatel se "
                  "statusem \"Zenit\" (sarw-cli users set).";
    s.dialogs().error("Doslo k chybe pri nacitani pristupovych prav !\r\r" + what, "");
    throw ProgramHalt("access rights cannot be loaded");
}

bool readRaw(Session& s, std::string& bytes) {
    InputFile in;
    if (in.open(s.platform().native(kAccessFileName)) != 0) return false;
    bytes.assign(static_cast<std::size_t>(std::min<std::uint64_t>(in.size(), kMaxAccessBytes)),
                 '\0');
    return in.readExactAt(bytes.data(), bytes.size(), 0);
}

bool holdsSeparator(const std::string& text) {
    for (char c : text) {
        const auto v = static_cast<unsigned char>(c);
        if (v == kFieldEnd || v == kEntryEnd) return true;
    }
    return false;
}

} // namespace

std::string scrambleAccess(std::string_view plain) {
    std::string out;
    out.reserve(plain.size());
    for (std::size_t c = kColumns; c >= 1; --c)
        for (std::size_t p = c; p <= plain.size(); p += kColumns)
            out += static_cast<char>(substitute(static_cast<unsigned char>(plain[p - 1])));
    return out;
}

std::string unscrambleAccess(std::string_view scrambled) {
    std::string plain(scrambled.size(), '\0');
    std::size_t k = 0;
    for (std::size_t c = kColumns; c >= 1; --c)
        for (std::size_t p = c; p <= scrambled.size(); p += kColumns)
            plain[p - 1] = static_cast<char>(restore(static_cast<unsigned char>(scrambled[k++])));
    return plain;
}

std::string accessPlainContent(const std::vector<AccessEntry>& entries) {
    std::string plain;
    for (std::size_t i = 1; i <= kPrologue; ++i) plain += static_cast<char>((i - 106) & 0xFF);
    const char end = static_cast<char>(kFieldEnd);
    for (const auto& e : entries)
        plain += e.name + end + e.password + end + e.status + end + static_cast<char>(kEntryEnd);
    return plain;
}

bool parseAccessContent(std::string_view plain, std::vector<AccessEntry>& entries) {
    entries.clear();
    if (plain.size() < kPrologue) return false;
    for (std::size_t i = 1; i <= kPrologue; ++i)
        if (static_cast<unsigned char>(plain[i - 1]) != ((i - 106) & 0xFF)) return false;
    std::size_t pos = kPrologue;
    while (pos < plain.size() && entries.size() < kMaxAccessEntries) {
        std::string fields[3];
        for (auto& field : fields) {
            const std::size_t end = plain.find(static_cast<char>(kFieldEnd), pos);
            if (end == std::string_view::npos) return false;
            field = std::string(plain.substr(pos, end - pos));
            if (holdsSeparator(field)) return false;
            pos = end + 1;
        }
        if (pos >= plain.size() || static_cast<unsigned char>(plain[pos]) != kEntryEnd)
            return false;
        ++pos;
        entries.push_back({fields[0], fields[1], fields[2]});
    }
    return true;
}

std::vector<AccessEntry> loadAccessFile(Session& s) {
    if (!fileExists(s, kAccessFileName) &&
        writeScrambled(s, accessPlainContent({{"Zenit", "Zenit", "Zenit"}})) != WriteResult::Ok)
        loadFailure(s, true);
    std::string bytes;
    std::vector<AccessEntry> entries;
    if (!readRaw(s, bytes) || !parseAccessContent(unscrambleAccess(bytes), entries))
        loadFailure(s, false);
    return entries;
}

bool saveAccessFile(Session& s, const std::vector<AccessEntry>& rows,
                    const std::vector<AccessEntry>* stored) {
    std::vector<AccessEntry> entries;
    for (const auto& row : rows) {
        if (entries.size() == kMaxAccessEntries || isBlank(row.name)) break;
        AccessEntry e{trimBoth(row.name), trimBoth(row.password), trimBoth(row.status)};
        if (holdsSeparator(e.name) || holdsSeparator(e.password) || holdsSeparator(e.status)) {
            warning(s, "Jmeno uzivatele: " + e.name +
                           "\r\rJmeno, heslo ani status nesmi obsahovat znaky \"u s carkou\" a "
                           "\"u s dvojitou carkou\" !"
                           "\r\rPristupova prava nebudou ulozena.");
            return false;
        }
        entries.push_back(std::move(e));
    }
    if (stored && entries == *stored) return true;
    const std::string plain = accessPlainContent(entries);
    if (plain.size() > kMaxAccessBytes) {
        warning(s, "Pristupova prava jsou delsi nez 9999 znaku !\r\rPristupova prava nebudou "
                   "ulozena.");
        return false;
    }
    switch (writeScrambled(s, plain)) {
    case WriteResult::Ok:
        return true;
    case WriteResult::CannotCreate:
        s.dialogs().error("Nepodarilo se zalozit soubor:\r\r     " + std::string(kAccessFileName),
                          "");
        break;
    case WriteResult::CannotClose:
        s.dialogs().error("Nepodarilo se uzavrit soubor:\r\r     " + std::string(kAccessFileName),
                          "");
        break;
    }
    throw ProgramHalt("access rights cannot be written");
}

} // namespace sarw
