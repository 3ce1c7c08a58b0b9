#pragma once

#include "stock/StockRecords.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

class PackedTable;
class Session;

// The table primitives of the stock and the period tables built on them, over the records of
// StockRecords.h. Every name is a full Windows-form name; work files lie in C:\A_Run\Work.

// The definitions of the state and turnover tables under the data disk.
std::string stateDefName(const Session& s);
std::string turnoverDefName(const Session& s);

// The stock primitives and period tables. Holds nothing but the session, so callers make one
// where they need it. Operations return true when their output was written; a missing input is
// reported as the operation states and leaves the output as it was.
class TSarProc {
public:
    explicit TSarProc(Session& s) : s_(s) {}

    // The key list of SortCds3, SumCds3 and RedCds3 (KeyCount and KeyFields of the library).
    void setKeys(const std::vector<int>& fields);
    void setKeys(std::initializer_list<int> fields) { setKeys(std::vector<int>(fields)); }

    // --- Primitives ----------------------------------------------------------------------------
    // The table file created empty with the fields of the definition, replacing an existing one.
    void MakeCdsFile(const std::string& table, const std::string& def);
    // Sorts the input in place by its first n fields (the codebook's key sort, blank keys left
    // out) and moves it to the output name.
    bool SortCds1(const std::string& in, int n, const std::string& out);
    // The input sorted by its first n fields into the output; the input stays as it is.
    bool SortCds2(const std::string& in, int n, const std::string& out, const std::string& def);
    // As SortCds2 with the key list set by setKeys; the key fields come first.
    bool SortCds3(const std::string& in, const std::string& out, const std::string& def);
    // Sums of the numeric fields per key list; all-zero groups are left out.
    bool SumCds3(const std::string& in, const std::string& out, const std::string& def);
    // Only the fields of the key list, in list order.
    bool RedCds3(const std::string& in, const std::string& out, const std::string& def);
    // A turnover table copied with quantity and value of every issue negative.
    bool ObZmZn(const std::string& in, const std::string& out);

    // --- Period tables -------------------------------------------------------------------------
    // States as opening-state turnover records (movement type "100", documents of 500 items).
    bool StOb(const std::string& states, const std::string& out, const std::string& docText);
    // Turnover-form records summed into states of the current period, issues negative.
    bool ObSt(const std::string& turnovers, const std::string& out);
    // States (as turnovers, "Poc.stav") followed by the turnovers, in turnover form.
    bool StObSpoj(const std::string& states, const std::string& out, const std::string& turnovers);
    // The current states: opening states plus receipts minus issues.
    bool StNove(const std::string& states, const std::string& out, const std::string& turnovers);
    // Every turnover of the periods from first to last (compact texts, months up to 20).
    bool ObOdDo(const std::string& first, const std::string& out, const std::string& last);

    // A turnover file the caller holds already as loadPacked gave it: StNove of that file reads
    // it from memory instead of loading it again. The table must outlive the calls.
    void holdTurnovers(const std::string& name, const PackedTable* table) {
        heldName_ = name;
        held_ = table;
    }

    // StNove and ObSt compute in one pass over the input files when their layouts allow it, and
    // StOb writes its records as it makes them from the stored bytes of a binary state file;
    // switched off, they take the route through the primitives and tables in memory (the two
    // give the same files).
    bool onePassRoute = true;

private:
    bool replaceWithCopy(const std::string& computed, const std::string& out);
    bool obStThroughPrimitives(const std::string& turnovers, const std::string& out);

    Session& s_;
    std::string heldName_;
    const PackedTable* held_ = nullptr;
};

} // namespace sarw
