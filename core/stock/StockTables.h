#pragma once

#include <string>

namespace sarw {

class Session;

// The commands of the menu "Tabulky" and "Pocatecni stavy": each computes its table for the
// current period into C:\A_Run\Work and says what the table tool is to show. The windows call
// them; nothing here draws.

constexpr const char* kSignQuestion = "Zmenit znamenka u vydajov ?";

// Whether issues are shown negative: asked with kSignQuestion, or given.
enum class SignChange { Ask, Change, Keep };

// A table for the table tool, with its definition and title.
struct StockTableView {
    std::string file;
    std::string def;
    std::string title;
    bool computed = false; // false when the computation failed (after the program's message)
};

// "Pocatecni mesicni stavy": the state file of the current period as it is.
StockTableView TabStavy(Session& s);
// "Mesicni obraty": the turnover file of the current period.
StockTableView TabObraty(Session& s, SignChange sign);
// "Obraty za zvolene obdobi": the turnovers of PeriodFrom to PeriodTo (the from/to dialog has
// set them).
StockTableView TabObratyOdDo(Session& s, SignChange sign);
// "Mesicni Stavy+Obraty": opening states and turnovers of the current period in one table.
StockTableView TabStavyObraty(Session& s, SignChange sign);
// "Aktualni stavy": opening states plus the turnovers of the current period.
StockTableView TabAktStavy(Session& s);

// The computed turnover-form file into kSarWork, issues negative when so answered.
bool signChangeStep(Session& s, const std::string& computed, SignChange sign);
// Hands the table to the table tool under the application name "SarW"; false when the tool is
// not there (the caller then shows the table itself).
bool showStockTable(Session& s, const StockTableView& view);

// "Pocatecni stavy": the state file of the current period (created empty when missing) sorted by
// its first 8 fields into kSarWork for editing; false when there is nothing to edit.
bool DataStavyPrepare(Session& s);
// After the table screen reported a change: the edited records written back to the state file.
bool DataStavyWriteBack(Session& s);
// Replaces the records of target by those of edited, field by field at equal positions; target
// keeps its own fields. The file is replaced whole, never rewritten in place.
bool Oprava(Session& s, const std::string& edited, const std::string& target);

} // namespace sarw
