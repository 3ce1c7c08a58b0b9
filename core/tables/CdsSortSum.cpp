// SumF: group sums of a table, through record files or, with the same results, in memory.
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "tables/CdsSortRecords.h"
#include "tables/CdsSortSupport.h"
#include "tables/SortEngine.h"
#include "tables/TCdsProc.h"

#include <cstring>

namespace sarw {

namespace {

// The record-file summation's parameters, as SumF hands them over.
void setSumParams(Session& s) {
    const CdsParams& c = s.cds;
    DatParams& d = s.dat;
    d.DatIn = kSumWorkIn;
    d.DatInDef = c.InDef;
    d.DatOut = kSumWorkOut;
    d.DatOutDef = c.WorkDef;
    d.DatKeyCount = c.KeyCount;
    d.DatKeyFields = c.KeyFields;
    d.DatBlockSize = c.BlockSize;
    d.DatBlockMethod = c.BlockMethod;
}

void sumFailed(Session& s) {
    warning(s, "Soubor se nepodarilo sumarizovat !", "Soubor: " + s.dat.DatIn);
}

// The input as the record file would hold it: the key text of every record laid end to end,
// and the numbers of the numeric fields that are not keys.
struct SumInput {
    std::size_t count = 0;
    std::string keyText;
    std::size_t keyLen = 0;
    std::vector<double> numbers; // record r, numeric field j at r * numeric.size() + j
    std::vector<int> numeric;    // field numbers
};

SumInput readSumInput(const Table& table, const DatFile& layout, const std::vector<int>& keys) {
    SumInput in;
    std::vector<bool> isKey(layout.TP.size() + 1);
    for (int k : keys) {
        isKey[static_cast<std::size_t>(k)] = true;
        in.keyLen += layout.TD[static_cast<std::size_t>(k - 1)];
    }
    for (int f = 1; f <= static_cast<int>(layout.TP.size()); ++f)
        if (!isKey[static_cast<std::size_t>(f)] &&
            isNumericType(layout.TMs[static_cast<std::size_t>(f - 1)]))
            in.numeric.push_back(f);
    const std::size_t n = table.recordCount();
    in.count = n;
    in.keyText.resize(n * in.keyLen);
    in.numbers.reserve(n * in.numeric.size());
    // Each field's bytes as the record file would hold them: fitted to the width, control
    // characters blanked.
    std::vector<std::string_view> cells(table.fields.size());
    std::string field;
    for (std::size_t r = 0; r < n; ++r) {
        table.recordCells(r, cells.data());
        char* at = in.keyText.data() + r * in.keyLen;
        for (int k : keys) {
            const std::size_t width = layout.TD[static_cast<std::size_t>(k - 1)];
            const std::string_view v = cells[static_cast<std::size_t>(k - 1)];
            const std::size_t len = std::min(v.size(), width);
            if (len) std::memcpy(at, v.data(), len);
            std::memset(at + len, ' ', width - len);
            blankControls(at, width);
            at += width;
        }
        for (int f : in.numeric) {
            const std::string_view v = cells[static_cast<std::size_t>(f - 1)];
            field.assign(v.substr(0, layout.TD[static_cast<std::size_t>(f - 1)]));
            blankControls(field.data(), field.size());
            in.numbers.push_back(textToNumber(field));
        }
    }
    return in;
}

// Hands every record the summation writes, in the output layout `out`, to `emit`.
template <class Emit>
void groupRecords(const SumInput& in, const DatFile& out, int keyCount, int blockSize,
                  int blockMethod, Emit emit) {
    const auto order = sortEntries(in.keyText, in.keyLen, in.count, blockSize, blockMethod);
    const std::size_t m = in.numeric.size();
    std::vector<double> sums(m);
    std::string buf;
    const char* running = nullptr;
    auto close = [&] {
        if (datSumRecord(out, keyCount, {running, in.keyLen}, sums, buf)) emit(buf);
        std::fill(sums.begin(), sums.end(), 0.0);
    };
    for (std::uint32_t r : order) {
        const char* key = in.keyText.data() + r * in.keyLen;
        if (running && std::memcmp(key, running, in.keyLen) != 0) close();
        running = key;
        for (std::size_t j = 0; j < m; ++j) sums[j] += in.numbers[r * m + j];
    }
    if (running) close();
}

} // namespace

bool TCdsProc::SumFRecordFiles() {
    CdsParams& c = s_.cds;
    if (!keyListDistinct(s_, c.KeyCount, c.KeyFields)) return false;
    c.TableFile = c.InFile;
    c.DefFile = c.InDef;
    c.SourceFile = kSumWorkIn;
    if (!KonvCdsDat()) return false;
    setSumParams(s_);
    if (!DatSum(s_)) return false;
    c.TableFile = c.OutFile;
    c.DefFile = c.WorkDef;
    c.SourceFile = kSumWorkOut;
    return KonvDatCds();
}

// The same checks and messages as the route through record files, in the same order; the
// records then never leave memory.
bool TCdsProc::SumF() {
    CdsParams& c = s_.cds;
    if (!keyListDistinct(s_, c.KeyCount, c.KeyFields)) return false;
    c.TableFile = c.InFile;
    c.DefFile = c.InDef;
    c.SourceFile = kSumWorkIn;
    CdsTable table;
    {
        DatFile work;
        const bool prepared = konvCdsDatPrepare(s_, table, work);
        DatClose(work);
        if (!prepared) return false;
    }
    setSumParams(s_);
    DatFile layout;
    const bool usable = (s_.dat.DatKeyCount <= 0 || datSumFieldsFit(s_)) && datSortOpen(s_, layout);
    DatClose(layout);
    deleteFile(s_, kSumWorkIn);
    if (!usable) return false;

    const std::vector<int> keys = keyListOf(c.KeyCount, c.KeyFields);
    SumInput in = readSumInput(table.data, layout, keys);
    table.discard();
    std::vector<int> kept = keys;
    kept.insert(kept.end(), in.numeric.begin(), in.numeric.end());
    if (!saveText(s_, c.WorkDef, definitionLines(s_.def, kept))) {
        sumFailed(s_);
        return false;
    }
    c.TableFile = c.OutFile;
    c.DefFile = c.WorkDef;
    c.SourceFile = kSumWorkOut;
    CdsTable out;
    MakeTableX(out);
    DatFile outLayout;
    datCopyLayout(outLayout, s_.def);
    if (!out.open(s_)) return false;
    groupRecords(in, outLayout, static_cast<int>(keys.size()), c.BlockSize, c.BlockMethod,
                 [&](const std::string& rec) { appendRecordFields(out.data, outLayout, rec); });
    return out.close(s_);
}

} // namespace sarw
