#pragma once

#include "tables/library/CdsTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sarw {

class Session;
struct CdsProcSlEx;

// The table library: creates, opens, copies, sorts and converts table files. One instance per
// session; its parameters (TableFile, DefFile, InFile, KeyFields ...) are the session's
// CdsParams. Failures are reported through the session's dialogs; the ones the program cannot
// go on from halt it.
class TCdsProc {
public:
    explicit TCdsProc(Session& session) : s_(session) {}

    // Module tables the operations use as scratch tables.
    CdsTable Table1, Table2, Table3;

    // Creates TableFile empty with the fields of DefFile; the object is left closed.
    void MakeTable(CdsTable& table);
    // As MakeTable, but in memory only: no file name, left open and empty.
    void MakeTableVirt(CdsTable& table);
    // Gives the object the file name TableFile and the primary index of DefFile; creates nothing.
    void MakeIndex(CdsTable& table);
    // As MakeTable, with numeric fields widened to 13 plus their decimals.
    void MakeTableX(CdsTable& table);
    // As MakeTable (MakeTableX when widened), for a table filled at once: nothing is written
    // until the table is closed, which replaces TableFile whole, so a crash or a failure on the
    // way keeps the old file. The table is left open.
    void MakeTableToFill(CdsTable& table, bool widenNumbers = false);
    // Creates NewName empty with the structure of table file ModelName (res 0 all fields,
    // 1 string fields only); nothing happens when ModelName is 4 bytes or smaller.
    void MakeTableT(const std::string& modelName, const std::string& newName, int res);
    void MakeTableT0(const std::string& modelName, const std::string& newName, int res);
    // Gives the in-memory table `to` the structure of `from`, open and empty.
    void MakeTableTVirt(const CdsTable& from, CdsTable& to, int res);
    // Creates a table file of colCount string fields Col001, Col002 ... of size colSize.
    void MakeTableFix(const std::string& fileName, int colCount, int colSize);
    // Open TableFile read-only / read-write after reading DefFile; false (after the not-found
    // warning or the load message) when the table could not be opened.
    bool OpenTableR(CdsTable& table);
    bool OpenTableW(CdsTable& table);
    // Writes to DefFile a definition derived from the fields and contents of TableFile.
    bool CdsDef();
    // Number of records of a table file (0 when it is missing or cannot be read).
    long TableRecCount(const std::string& name);
    long TabNumRec(const std::string& name);
    // Same number of fields with equal names, sizes and kinds, position by position.
    bool TestStruktCds(const std::string& name1, const std::string& name2);
    // Rewrites a table file with its own structure and no records when it can be deleted.
    void TestOpenCds(const std::string& name);
    // Converts "x.Cds" to "x.Xml" (version 1 UTF-8, 2 the plain code page) or "x.Xml" to "x.Cds".
    bool CdsXml(const std::string& name, int version);

    // --- Look-up in sorted tables ------------------------------------------------------------
    // Result codes of the locate operations (XLocateOk).
    static constexpr std::uint8_t kLocateEqual = 1;    // the current record's key is the search key
    static constexpr std::uint8_t kLocateBefore = 2;   // the search key lies before the current one
    static constexpr std::uint8_t kLocateAfterAll = 3; // greater than every key, or no records
    struct LocateResult {
        int PorVt = -1; // 1-based number of the current record
        std::uint8_t XLocateOk = kLocateAfterAll;
    };
    // Position an open table sorted by the fields of LocateKeys on the first record whose key is
    // not below the search key. LocateD halves and takes the values as given (PorVt -1 and the
    // last record when all keys are smaller); LocateH jumps by a tenth of the records, then a
    // hundredth ..., and pads the values and the record texts to their field sizes (past the end
    // when all keys are smaller). A field number outside the table warns and finds nothing.
    LocateResult LocateD(CdsTable& table);
    LocateResult LocateH(CdsTable& table);
    // As LocateH, stepping forward from the current record.
    std::uint8_t LocateN(CdsTable& table);
    // Deletes every record LocateD finds for LocateKeys when the table's file exists; the table is
    // left on the record after the last deleted one. Returns how many were deleted.
    int XDelete(CdsTable& table);

    // The codebook cache: field I (keys) and field j (values), 1-based, of every record of table
    // file JmS, opened in `table` and closed again. Loading replaces the cache, also when it fails.
    bool LocateCisO(CdsTable& table, const std::string& JmS, int I, int j);
    // Halving search of keys in ascending order. Index outside them: PorVt -1, false. Otherwise
    // PorVt and XResult of the first key not below Index; true when that key equals Index.
    bool LocateCisRD(const std::string& Index, std::string& XResult, int& PorVt);
    // The first key equal to Index from the first on; when none, XResult and PorVt stay as given.
    bool LocateCisRH(const std::string& Index, std::string& XResult, int& PorVt);
    void LocateCisC();

    // The first DInd fields of the current records of two open tables compared as texts, field by
    // field: equal; the first table's smaller.
    bool EquIndTable(const CdsTable& table1, const CdsTable& table2, int DInd);
    bool LessIndTable(const CdsTable& table1, const CdsTable& table2, int DInd);
    // Advances table1 (from its first record when XFirst) while it is smaller than table2 and not
    // equal; true when the current records then agree.
    bool FindIndTable(CdsTable& table1, const CdsTable& table2, int DInd, bool XFirst);
    // Greatest number of consecutive records of a table file whose first PSlInd fields are equal.
    long TabMaxNumInd(const std::string& JmSCds, int PSlInd);
    // Every record whose first PSlInd fields equal the texts of Ind goes into XTab as one line of
    // its fields, each padded to its field size; returns their count (XNum). With XOpen, table
    // file JmSCds is opened in `table` and closed again; otherwise `table` is searched as it is.
    long TabGetInd(CdsTable& table, const std::string& JmSCds, bool XOpen, int PSlInd,
                   const std::vector<std::string>& Ind, std::vector<std::string>& XTab);
    // The same for the first run of matching records only; NInd gets the first PSlInd field texts
    // of the record after the run, or "<Exit>" in each when the run reaches the end.
    long TabSortGetInd(CdsTable& table, const std::string& JmSCds, bool XOpen, int PSlInd,
                       const std::vector<std::string>& Ind, std::vector<std::string>& XTab,
                       std::vector<std::string>& NInd);
    // Field SloupVyst of the first record of table file JmS whose field SloupVst is Ret (1-based
    // field numbers); empty when there is none.
    std::string FindCds(const std::string& JmS, const std::string& Ret, int SloupVst,
                        int SloupVyst);
    // A cache of its own: FPFun 1 loads field keyField (keys) and field valueField (values) of
    // table file `file`; 2 puts the value of the first record whose key is FPInd into FPPol
    // (empty and false when none); 3 releases the cache. True when the step succeeded.
    bool FindTab(int FPFun, const std::string& FPInd, std::string& FPPol,
                 const std::string& file = {}, int keyField = 1, int valueField = 2);

    // --- Copy, append, restructure and extract ----------------------------------------------
    // Files of 4 bytes or less count as no table at all for these operations.
    // Appends the records of JmSA to JmSR field by field at equal positions, making JmSR with
    // the fields of JmSA when it does not exist; a failure halts the program.
    void AppendCds(const std::string& JmSA, const std::string& JmSR);
    // Appends the records of table file JmSA to an open table held in memory.
    bool AppendCdsVirt(const std::string& JmSA, CdsTable& table);
    // Saves table file JmS1 as JmS2 in the binary format.
    bool LDCopyCds(const std::string& JmS1, const std::string& JmS2);
    // Copies JmS1 into a new JmS2 with all fields (Res 0) or the string fields (Res 1), names
    // trimmed; the G variant shows its progress.
    bool CopyCds(const std::string& JmS1, const std::string& JmS2, int Res);
    bool CopyCdsG(const std::string& JmS1, const std::string& JmS2, int Res);
    // Makes JmS2 from definition JmSD2 and fills it from JmS1, each value fitted to its new field;
    // fields are matched by name (ReStruktCds) or by position (ReHlavCds).
    bool ReStruktCds(const std::string& JmS1, const std::string& JmS2, const std::string& JmSD2);
    bool ReHlavCds(const std::string& JmS1, const std::string& JmS2, const std::string& JmSD2);
    // The records of JmS1 that pass the selection, into a new JmS2 of the same structure.
    bool ExtrCds(const std::string& JmS1, const std::string& JmS2, const CdsProcSlEx& Sl);
    // JmS1 in reverse record order.
    bool ObratPor(const std::string& JmS1, const std::string& JmS2);
    // In directory XDir: makes XFile from XDef when missing, then appends every other file
    // matching XFilter whose structure equals that of XFile.
    bool SpojTab(const std::string& XDir, const std::string& XFilter, const std::string& XFile,
                 const std::string& XDef);
    // JmS1 by position into a new table made from JmSD, control characters blanked and values
    // fitted to their fields.
    bool CdsNorm(const std::string& JmS1, const std::string& JmSD, const std::string& JmS2);
    // Work-file variants (C:\A_Run\Work\CdsProcWork.Cds, CdsProcWork1.Cds and .Def) over the
    // key list KeyCount/KeyFields: JmS1 (definition JmSD1) sorted into JmS2 with the sort's
    // layout, whose definition is left in CdsProcWork1.Def; the same keeping only the first
    // record of each key; and JmS1 plus JmS2 record by record, numeric fields added, into JmS3.
    bool SortCds(const std::string& JmS1, const std::string& JmSD1, const std::string& JmS2);
    bool CopyJedInd(const std::string& JmS1, const std::string& JmSD1, const std::string& JmS2);
    bool ASumCds(const std::string& JmS1, const std::string& JmS2, const std::string& JmSD,
                 const std::string& JmS3);

    // --- Format conversions ----------------------------------------------------------------
    // Konv is the code page of the flat file's text: 0 none, 1 Windows-1250, 2 code page 852,
    // 3 Kamenicky. Imports read SourceFile into a new TableFile made from DefFile with its
    // numeric fields widened; exports write TableFile into SourceFile. The G and Gauge variants
    // show their progress.
    bool KonvTbuCds(int Konv);  // record file with a header holding the record length
    bool KonvTbuCdsG(int Konv);
    bool KonvFCds(int Konv);    // headerless record file of RecLen bytes per record
    bool KonvTxCds(int Konv);   // fixed-column text, one line per record
    bool KonvTxCdsGauge(int Konv);
    // Delimited text: item i of a line goes into field i; Zn characters are removed.
    bool KonvCsvCds(int Konv, char Oddel, char Zn);
    bool KonvCsvCdsG(int Konv, char Oddel, char Zn);
    bool KonvCsvCdsVirt(int Konv, char Oddel, char Zn, const std::vector<std::string>& Pole,
                        int PoleNum);
    // Report text described by the parameter file SourceFile, which also names TableFile and
    // DefFile (both set here).
    bool KonvSesCdsG(int Konv);
    bool KonvCdsTxt(int Konv);
    bool KonvCdsCsv(int Konv, char Oddel);
    bool KonvCdsCsvVirt(int Konv, char Oddel, std::vector<std::string>& Pole, int& PoleNum);
    bool KonvCdsTbu(int Konv);  // headerless record file
    // JmSD2: JmSD1 with each field as wide as the contents of JmS1 need; JmS2: JmS1 fitted to
    // it. Sets TableFile and DefFile to JmS2 and JmSD2.
    bool ReColSizeCds(const std::string& JmS1, const std::string& JmSD1, const std::string& JmS2,
                      const std::string& JmSD2);
    // TableFile copied into the table SourceFile with the numeric fields of DefFile widened to
    // 13 plus their decimals, as the conversions hold them.
    bool KonvCdsCdsNSize();
    // A definition file as a table of its lines (the first PSl of its 13 columns), and back.
    bool KonvDefCds(const std::string& JmSDef, const std::string& JmSCds, int PSl);
    bool KonvCdsDef(const std::string& JmSCds, const std::string& JmSDef, int PSl);
    // Copies a file with every control character other than LF, FF and CR turned into a blank.
    bool FileNorm(const std::string& input, const std::string& output);

    // --- Sorting, summing and field selection -----------------------------------------------
    // InFile (definition InDef) sorted by KeyCount/KeyFields into OutFile, key fields first;
    // the work definition of OutFile is written to WorkDef. With VylucMez records whose key is
    // blank are left out. The G variants show their progress; the Virt variants sort the open
    // table1 into table2 held in memory; SortFND works without a definition. False when a check
    // failed and nothing was written.
    bool SortF(bool VylucMez);
    bool SortFG(bool VylucMez);
    bool SortFVirt(CdsTable& table1, CdsTable& table2, bool VylucMez);
    bool SortFGVirt(CdsTable& table1, CdsTable& table2, bool VylucMez);
    bool SortFND(bool VylucMez);
    // Group sums of the numeric fields of InFile per key into OutFile (definition WorkDef);
    // groups whose sums are all zero are left out. Leaves TableFile, DefFile and SourceFile as
    // the conversion back to a table sets them. SumFRecordFiles takes the route through the
    // record files CdsProcW1.Dat and CdsProcW2.Dat; SumF computes the same in memory.
    bool SumF();
    bool SumFRecordFiles();
    // InFile restricted to the fields KeyFields into OutFile (definition WorkDef), or into
    // table2 held in memory (table1 closed, its file name set).
    bool RedF();
    bool RedFVirt(CdsTable& table1, CdsTable& table2);
    // Record file SourceFile (definition DefFile) into a new TableFile with numeric fields
    // widened, and the table TableFile into the record file SourceFile.
    bool KonvDatCds();
    bool KonvCdsDat();

    // The index definition of the current definition's key ("primary", not unique).
    IndexDef primaryIndex() const;

private:
    void makeFromDef(CdsTable& table, bool widenNumbers, bool virtualOnly, bool onDisk = true);
    void readDefOrHalt(const std::string& defFile);
    [[noreturn]] void cannotCreate(const std::string& name);
    bool openTable(CdsTable& table, bool readOnly);
    bool loadQuietly(const std::string& name, Table& into);

    Session& s_;

    // Key and value texts of a look-up cache.
    struct LookupCache {
        std::vector<std::string> keys, values;
    };
    LookupCache cisCache_; // the codebook cache
    LookupCache tabCache_; // FindTab's, sorted by key
};

} // namespace sarw
