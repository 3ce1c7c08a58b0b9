// The transfer to accounting: booking pairs, their numbering, the transfer file and its copies.
#include "reports/USarUct.h"

#include "period/Period.h"
#include "platform/ProgramHalt.h"
#include "shell/LSysCopy.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/ReadDef.h"
#include "period/PeriodFiles.h"

#include <fstream>
#include <map>
#include <utility>

namespace sarw {

namespace {

using Texts = std::vector<std::string>;

// Turnover fields (1-based) the bookings read besides those of saro::.
constexpr int kPlant = 3, kUnit = 4, kCentre = 5, kGroup = 18, kActivity = 19, kAccount = 21;
constexpr int kMaterialText = 16;
constexpr std::size_t kTextLength = 50;

const std::string& field(const Texts& t, int number) {
    static const std::string empty;
    const auto i = static_cast<std::size_t>(number - 1);
    return i < t.size() ? t[i] : empty;
}

// Fields 10 and 12 of a booking are kept only on expense and revenue accounts.
bool costAccount(const std::string& account) {
    return !account.empty() && (account[0] == '5' || account[0] == '6');
}

Texts recordTexts(const Table& t, std::size_t rec) {
    Texts texts(static_cast<std::size_t>(t.fieldCount()));
    for (int f = 0; f < t.fieldCount(); ++f) texts[static_cast<std::size_t>(f)] = t.text(rec, f);
    return texts;
}

// The codebook's first record for each pair of keys, as its search from the first record finds.
using Accounts = std::pair<std::string, std::string>;
std::map<std::pair<std::string, std::string>, Accounts> accountMap(const Table& book) {
    std::map<std::pair<std::string, std::string>, Accounts> map;
    if (book.fieldCount() < 4) return map;
    for (std::size_t r = 0; r < book.recordCount(); ++r)
        map.emplace(std::pair(book.text(r, 0), book.text(r, 1)),
                    Accounts(book.text(r, 2), book.text(r, 3)));
    return map;
}

// The engine keeps no more of a text than its field holds.
void appendFitted(Table& t, Texts texts) {
    for (std::size_t f = 0; f < texts.size() && f < t.fields.size(); ++f) {
        const int size = t.fields[f].size;
        if (size > 0 && texts[f].size() > static_cast<std::size_t>(size))
            texts[f].resize(static_cast<std::size_t>(size));
    }
    t.appendTexts(texts);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           upperCase(text.substr(0, prefix.size())) == upperCase(prefix);
}

std::size_t findNoCase(const std::string& text, std::string_view what) {
    return upperCase(text).find(upperCase(what));
}

// The program cannot go on without the turnover definition.
void readTurnoverDef(Session& s) {
    const std::string def = turnoverDefName(s);
    if (ReadDef(s, def)) return;
    warning(s, "Nepodarilo se precist soubor:\r\r" + def + "\r\rProgram bude ukoncen !");
    throw ProgramHalt("definition not readable");
}

// Appends the bookings of every turnover to the open booking table.
void fillBookings(Session& s, const Table& turnovers, const Table& book, Table& bookings) {
    const auto accounts = accountMap(book);
    const std::string date = today(s);
    const std::size_t count = turnovers.recordCount();
    UctNumbering numbers;
    for (std::size_t r = 0; r < count; ++r) {
        const Texts t = recordTexts(turnovers, r);
        Accounts acc(kUctNoAccount, kUctNoAccount);
        const auto found = accounts.find({field(t, saro::kMovement), field(t, kGroup)});
        if (found != accounts.end()) acc = found->second;
        numbers.nextLine();
        appendFitted(bookings, uctBooking(t, acc.first, true, numbers, date));
        numbers.nextLine();
        appendFitted(bookings, uctBooking(t, acc.second, false, numbers, date));
        if (r % 1000 == 0) s.dialogs().progress(static_cast<int>(100 * r / count));
    }
}

// The bookings into the work table, then the work table copied to the transfer file.
std::string makeBookingTable(Session& s, const std::string& turnoverFile) {
    CdsTable turnovers, book, bookings;
    if (!cdscopy::openRead(s, turnovers, turnoverFile)) return {};
    s.cds.TableFile = kSarWork2;
    s.cds.DefFile = uctBookingDef(s);
    s.cdsProc().MakeTable(bookings);
    if (!s.cdsProc().OpenTableW(bookings)) return {};
    if (!cdscopy::openRead(s, book, yearCodebookName(s, "Ucto"))) {
        bookings.close(s);
        return {};
    }
    fillBookings(s, turnovers.data, book.data, bookings.data);
    turnovers.discard();
    book.discard();
    if (!bookings.close(s)) return {};
    const std::string transfer = transferFileName(s);
    makePath(s, workDir(s, "Prevody"));
    if (!SafeCopy(s, kSarWork2, transfer, 1)) return {};
    return transfer;
}

} // namespace

bool uctMonthValid(std::string_view text) {
    if (text.size() != 2) return false;
    for (char c : text)
        if (c != ' ' && (c < '0' || c > '9')) return false;
    return textToInt(text) <= 12;
}

bool checkUctMonth(Session& s, std::string_view text) {
    if (uctMonthValid(text)) return true;
    information(s, "Chybne zadany mesic!");
    return false;
}

std::string uctMonthText(Session& s) {
    ReadPeriod(s);
    return s.period.Period.size() >= 5 ? s.period.Period.substr(3, 2) : std::string();
}

void UctNumbering::nextLine() {
    if (++line_ > kUctLinesPerDocument) {
        ++document_;
        line_ = 1;
    }
}

std::string UctNumbering::documentText() const {
    return zeroPadInt(document_, 5);
}

std::string UctNumbering::lineText() const {
    return zeroPadInt(line_, 4);
}

std::vector<std::string> uctBooking(const std::vector<std::string>& t, const std::string& account,
                                    bool debit, const UctNumbering& numbers,
                                    const std::string& date) {
    const bool cost = costAccount(account);
    const std::string& amount = field(t, saro::kValue);
    std::string text = field(t, saro::kMaterial) + " - " + field(t, kMaterialText);
    if (text.size() > kTextLength) text.resize(kTextLength);
    return {field(t, 1),
            field(t, 2),
            field(t, kPlant) + field(t, kUnit) + field(t, kCentre) + "5301",
            numbers.documentText(),
            numbers.lineText(),
            field(t, kPlant),
            field(t, kUnit),
            field(t, kCentre),
            account,
            cost ? field(t, kActivity) : std::string(),
            field(t, saro::kDocument),
            cost ? field(t, kAccount) : std::string(),
            debit ? amount : std::string(kUctZeroAmount),
            debit ? std::string(kUctZeroAmount) : amount,
            date,
            text};
}

std::string buildTransfer(Session& s) {
    if (!ReadPeriod(s)) return {};
    emptyWorkDirs(s);
    const std::string turnoverFile = turnoverFileName(s);
    if (!fileExistsWarn(s, turnoverFile)) return {};
    readTurnoverDef(s);
    s.dialogs().progressShow();
    s.dialogs().progress(0);
    std::string transfer;
    try {
        transfer = makeBookingTable(s, turnoverFile);
    } catch (...) {
        s.dialogs().progressClose();
        throw;
    }
    s.dialogs().progress(100);
    s.dialogs().progressClose();
    if (transfer.empty()) return {};
    writeUctProject(s);
    return transfer;
}

std::string completeUctPath(const std::string& line, const std::string& dataDisk) {
    std::string out = line;
    if (startsWithNoCase(out, "\\LSarW")) out = dataDisk + out;
    for (const char* lead : {" \\LSarW", "|\\LSarW"}) {
        const std::size_t at = findNoCase(out, lead);
        if (at != std::string::npos) out.insert(at + 1, dataDisk);
    }
    return out;
}

bool writeUctProject(Session& s) {
    enterPath(s, s.dataDisk + "\\LSarW");
    const std::string tmpl = workDir(s, "TbuSoub") + "\\Sar_Uct.Tbu";
    if (!fileExistsWarn(s, tmpl)) return false;
    std::ifstream in(s.platform().native(tmpl), std::ios::binary);
    std::string out, line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out += completeUctPath(line, s.dataDisk) + "\r\n";
    }
    if (replaceWholeFile(s, kSarWorkTbu, out) == 0) return true;
    warning(s, "Nepodarilo se zalozit soubor:\r\r" + std::string(kSarWorkTbu));
    return false;
}

bool startUctTableTool(Session& s) {
    const std::string program = s.dataDisk + "\\LSarW\\Programy\\Tabulo.Exe";
    if (!fileExists(s, program)) return false;
    startProgram(s, program, {kSarWorkTbu}, false);
    s.pause(1000);
    s.dialogs().progress(0);
    return true;
}

std::string uctBookingDef(Session& s) { return workDir(s, "DefSoub") + "\\UctO.Def"; }

std::string VytvoreniSouboru(Session& s, bool& shown) {
    std::string transfer = buildTransfer(s);
    shown = !transfer.empty() && fileExists(s, kSarWorkTbu) && startUctTableTool(s);
    return transfer;
}

bool Disketa(Session& s) {
    const std::string transfer = transferFileName(s);
    if (!question(s, "Ulozit soubor na disketu ?", "Soubor:  " + transfer)) return false;
    if (!fileExistsWarn(s, transfer)) return false;
    if (!driveUsable(s, 'A')) {
        warning(s, "Disketova jednotka neni pripojena !");
        return false;
    }
    enterPath(s, s.dataDisk + "\\LSarW");
    if (static_cast<double>(fileSize(s, transfer)) > 0.9 * static_cast<double>(freeSpace(s, 'A'))) {
        warning(s, "Nedostatecna kapacita diskety !");
        return false;
    }
    const std::string name = transfer.substr(transfer.find_last_of('\\') + 1);
    return FileCopy(s, transfer, "A:\\" + name, 0) == kCopyOk;
}

bool uctSaveDialog(Session& s, UctSaveDialog& dialog) {
    const std::string transfer = transferFileName(s);
    if (!fileExistsWarn(s, transfer)) return false;
    dialog.filter = periodCompact(s.period.Period) + "*.Cds";
    dialog.initialDir = workDir(s, "Prevody");
    dialog.fileName = transfer;
    return true;
}

bool Kopirovat(Session& s, const std::string& chosen) {
    const std::string transfer = transferFileName(s);
    if (!fileExistsWarn(s, transfer)) return false;
    if (upperCase(chosen) == upperCase(transfer)) {
        warning(s, "Vstupni a vystupni soubor se rovnaji !", transfer + ",  " + chosen);
        return false;
    }
    return FileCopy(s, transfer, chosen, 0) == kCopyOk;
}

} // namespace sarw
