// The stock primitives: create, sort, sum, reduce, and turn issues negative.
#include "stock/TSarProc.h"

#include "platform/Platform.h"
#include "shell/LSysCopy.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/fast/PackedTable.h"
#include "tables/fast/TextRecords.h"
#include "tables/formats/TableFile.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"

#include <algorithm>

namespace sarw {

namespace {

// Sorted or reduced tables are written straight to their output: the write goes through a
// temporary file renamed over the output, which is what the copy from a second work file gave.
bool saveTable(Session& s, const CdsTable& table, const std::string& out) {
    return table.saveToFile(s, out);
}

// The start of a sort, sum or reduction of `in` into `out`: the step's own work files deleted
// and the library's files set; false, reported, when the input is missing or cannot be opened.
bool startStep(Session& s, const std::string& in, std::initializer_list<const char*> oldWork,
               const std::string& out, const std::string& def) {
    if (!fileExistsWarn(s, in)) return false;
    for (const char* work : oldWork) deleteFile(s, work);
    if (!canOpen(s, in)) return false;
    CdsParams& c = s.cds;
    c.InFile = in;
    c.OutFile = out;
    c.InDef = def;
    c.WorkDef = kSarWorkDef;
    return true;
}

void setBlocks(CdsParams& c, int method) {
    c.BlockSize = 2000;
    c.BlockMethod = method;
}

} // namespace

std::string stateDefName(const Session& s) {
    return workDir(s, "DefSoub") + "\\SarS.Def";
}

std::string turnoverDefName(const Session& s) {
    return workDir(s, "DefSoub") + "\\SarO.Def";
}

void TSarProc::setKeys(const std::vector<int>& fields) {
    CdsParams& c = s_.cds;
    const std::size_t n = std::min(fields.size(), c.KeyFields.size());
    c.KeyCount = static_cast<int>(n);
    std::copy_n(fields.begin(), n, c.KeyFields.begin());
}

void TSarProc::MakeCdsFile(const std::string& table, const std::string& def) {
    s_.cds.TableFile = table;
    s_.cds.DefFile = def;
    CdsTable t;
    s_.cdsProc().MakeTable(t);
}

bool TSarProc::SortCds1(const std::string& in, int n, const std::string& out) {
    deleteFile(s_, out);
    if (!fileExistsWarn(s_, in)) return false;
    if (n > 0) {
        // The key sort of a codebook, in place through its work file.
        const std::string work = kCdsCisWork;
        deleteFile(s_, work);
        CdsParams& c = s_.cds;
        c.InFile = in;
        c.OutFile = work;
        setKeys([n] {
            std::vector<int> k(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i) k[static_cast<std::size_t>(i)] = i + 1;
            return k;
        }());
        setBlocks(c, 1);
        if (!s_.cdsProc().SortFND(true)) return false;
        deleteFile(s_, in);
        if (!FileMove(s_, work, in)) return false;
    }
    return FileMove(s_, in, out);
}

bool TSarProc::SortCds2(const std::string& in, int n, const std::string& out,
                        const std::string& def) {
    std::vector<int> keys;
    for (int i = 1; i <= n; ++i) keys.push_back(i);
    setKeys(keys);
    return SortCds3(in, out, def);
}

bool TSarProc::SortCds3(const std::string& in, const std::string& out, const std::string& def) {
    if (!startStep(s_, in, {kSarSort31, kSarSort32}, out, def)) return false;
    setBlocks(s_.cds, 2);
    // From file to file: the library sorts a table file of texts without loading it as a table.
    return s_.cdsProc().SortF(true);
}

bool TSarProc::SumCds3(const std::string& in, const std::string& out, const std::string& def) {
    if (!startStep(s_, in, {kSarSum1, kSarSum2}, kSarSum2, def)) return false;
    setBlocks(s_.cds, 2);
    if (!s_.cdsProc().SumF()) return false;
    return SafeCopy(s_, kSarSum2, out, 1);
}

bool TSarProc::RedCds3(const std::string& in, const std::string& out, const std::string& def) {
    if (!startStep(s_, in, {kSarRed1, kSarRed2}, out, def)) return false;
    CdsTable input, reduced;
    input.fileName = in;
    if (!s_.cdsProc().RedFVirt(input, reduced)) return false;
    return saveTable(s_, reduced, out);
}

bool TSarProc::ObZmZn(const std::string& in, const std::string& out) {
    if (!fileExistsWarn(s_, in)) return false;
    s_.cds.TableFile = out;
    s_.cds.DefFile = turnoverDefName(s_);
    CdsTable result;
    s_.cdsProc().MakeTableVirt(result);
    {
        // A binary table of texts is converted from its stored bytes straight into the output.
        PackedTable packed;
        if (formatForName(in) == TableFormat::Binary && formatForName(out) == TableFormat::Binary &&
            textFieldsOnly(result.data) && loadPacked(s_.platform().native(in), packed) &&
            textFieldsOnly(packed.head)) {
            const bool signs =
                std::min(packed.head.fieldCount(), result.data.fieldCount()) >= saro::kValue;
            NegatedTexts room;
            const DerivedRecords records(packed, result.data.fieldCount(), nullptr,
                                         [&](std::string_view* cells) {
                                             if (signs) applySignRule(cells, room);
                                         });
            // Of the same layout, the records the signs leave alone go as they are stored, the
            // others are made on the writer's threads.
            static const std::vector<std::uint32_t> movement = {saro::kMovement - 1};
            const PackedTextRecords signed_(
                packed, result.data, nullptr,
                [&](const PackedTable& t, std::size_t r) {
                    std::string_view cells[saro::kMovement];
                    return t.someCells(r, movement, cells) &&
                           !(signs && isIssueType(cells[saro::kMovement - 1]));
                },
                [&](std::string_view* cells, NegatedTexts& room) {
                    if (signs) applySignRule(cells, room);
                });
            const bool fast = onePassRoute && signed_.usable() &&
                              packed.head.fieldCount() >= saro::kMovement &&
                              cdscopy::sameLayout(packed.head, result.data);
            return writeTableOrWarn(s_, out, result.data,
                                    fast ? static_cast<const RecordSource&>(signed_) : records);
        }
    }
    CdsTable input;
    if (!cdscopy::openRead(s_, input, in)) return false;
    Table& to = result.data;
    const Table& from = input.data;
    const int n = std::min(from.fieldCount(), to.fieldCount());
    const bool textsOnly = textFieldsOnly(from) && textFieldsOnly(to);
    std::vector<std::string> texts(static_cast<std::size_t>(to.fieldCount()));
    std::vector<std::string_view> cells(
        static_cast<std::size_t>(std::max(from.fieldCount(), to.fieldCount())));
    std::vector<CellState> states;
    NegatedTexts room;
    for (std::size_t r = 0; r < from.recordCount(); ++r) {
        if (textsOnly) {
            recordTexts(from, r, cells.data(), states);
            for (int f = n; f < to.fieldCount(); ++f) cells[static_cast<std::size_t>(f)] = {};
            if (n >= saro::kValue) applySignRule(cells.data(), room);
            to.appendRaw(cells.data());
            continue;
        }
        for (int f = 0; f < to.fieldCount(); ++f)
            texts[static_cast<std::size_t>(f)] = f < n ? from.text(r, f) : std::string();
        if (n >= saro::kValue && isIssueType(texts[saro::kMovement - 1]))
            negateIssue(texts[saro::kQuantity - 1], texts[saro::kValue - 1]);
        to.appendTexts(texts);
    }
    input.discard();
    return saveTable(s_, result, out);
}

bool TSarProc::replaceWithCopy(const std::string& computed, const std::string& out) {
    return SafeCopy(s_, computed, out, 1);
}

} // namespace sarw
