#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class Session;

// The transfer to accounting: every turnover of the current period becomes a debit and a credit
// booking for the accounting program, the accounts taken from the year's transfer codebook
// (<YY>Ucto.Cds: movement type, material group, debit account, credit account).

constexpr int kUctFirstDocument = 53001;
constexpr int kUctLinesPerDocument = 500;
// Accounts of a turnover whose keys the codebook does not hold.
constexpr const char* kUctNoAccount = "      ";
// The zero amount of the other side of a booking: eleven blanks and "0,00".
constexpr const char* kUctZeroAmount = "           0,00";

// The month field of the window: two characters, each a digit or a blank, at most 12.
bool uctMonthValid(std::string_view text);
// As uctMonthValid, with "Chybne zadany mesic!" when it is not.
bool checkUctMonth(Session& s, std::string_view text);
// What the month field shows when the window opens: the current period's month.
std::string uctMonthText(Session& s);

// Document and line numbers of the bookings: 500 lines a document, documents from 53001.
class UctNumbering {
public:
    // The next line number, starting a new document after line 500.
    void nextLine();
    std::string documentText() const; // 5 digits
    std::string lineText() const;     // 4 digits
    int document() const { return document_; }
    int line() const { return line_; }

private:
    int document_ = kUctFirstDocument;
    int line_ = 0;
};

// The booking of one side of a turnover (all 26 turnover fields as texts): the account, the
// amount in field 13 (debit) or 14 (credit), document and line numbers, today's date.
std::vector<std::string> uctBooking(const std::vector<std::string>& turnover,
                                    const std::string& account, bool debit,
                                    const UctNumbering& numbers, const std::string& date);

// "Vytvoreni souboru" short of the table tool: the booking table of the current period's
// turnovers, copied to the transfer file, and the table tool's project. Returns the transfer
// file's name; empty (after its message) when a file was missing or could not be written.
std::string buildTransfer(Session& s);
// The table tool's project C:\A_Run\Work\SarWork.Tbu from the template Sar_Uct.Tbu with the data
// disk put in front of its \LSarW paths. False (after the not-found message) without a template.
bool writeUctProject(Session& s);
// One template line with the data disk completed.
std::string completeUctPath(const std::string& line, const std::string& dataDisk);
// Starts the table tool on the project without waiting. False, without a message, when the
// table tool is not installed: the caller then shows the booking table itself.
bool startUctTableTool(Session& s);
// The definition of the booking table.
std::string uctBookingDef(Session& s);
// The button "  Vytvoreni souboru": buildTransfer, then the table tool when the file was made;
// `shown` tells whether the table tool took the booking table.
std::string VytvoreniSouboru(Session& s, bool& shown);

// "Disketa": asks, then copies the transfer file to A:\. True when copied.
bool Disketa(Session& s);
// "Kopirovat": the save dialog's filter, initial directory and proposed name, then the copy to
// the chosen name. True when copied.
struct UctSaveDialog {
    std::string filter;
    std::string initialDir;
    std::string fileName;
    std::string defaultExt = "Cds";
};
// False (after the not-found message) when there is no transfer file to copy.
bool uctSaveDialog(Session& s, UctSaveDialog& dialog);
bool Kopirovat(Session& s, const std::string& chosen);

} // namespace sarw
