// SumF: group sums of a table, through record files or, with the same results, in memory.
#include "shell/NumTextFast.h"
#include "shell/Parallel.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/fast/PackedTable.h"
#include "tables/fast/SortEngine.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/formats/TableFile.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/sorting/CdsSortRecords.h"
#include "tables/sorting/WorkDefGuard.h"

#include <cstring>
#include <type_traits>

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

template <class Records>
SumInput readSumInput(const Records& table, std::size_t fieldCount, const DatFile& layout,
                      const std::vector<int>& keys) {
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
    const std::size_t m = in.numeric.size();
    in.count = n;
    in.keyText.resize(n * in.keyLen);
    in.numbers.resize(n * m);
    // Each field's bytes as the record file would hold them: fitted to the width, control
    // characters blanked. A number reads the same with its control characters, which the
    // reading skips as it skips blanks.
    // Where a regular packed record's key and number bytes lie, and how many are taken.
    struct Slice {
        std::size_t at, length, width;
    };
    std::vector<Slice> keySlices, numberSlices;
    if constexpr (std::is_same_v<Records, PackedTable>) {
        auto slice = [&](int f) {
            const auto i = static_cast<std::size_t>(f - 1);
            const std::size_t width = layout.TD[i];
            const auto size = static_cast<std::size_t>(std::max(table.head.fields[i].size, 0));
            return Slice{table.regularValueAt(i), std::min(size, width), width};
        };
        if (table.regularBytes() != 0) {
            for (int k : keys) keySlices.push_back(slice(k));
            for (int f : in.numeric) numberSlices.push_back(slice(f));
        }
    }
    auto read = [&](std::size_t from, std::size_t to) {
        std::vector<std::string_view> cells(fieldCount);
        for (std::size_t r = from; r < to; ++r) {
            if constexpr (std::is_same_v<Records, PackedTable>) {
                // A regular record's cells are its stored values at known places.
                if (table.regular(r)) {
                    const char* rec = table.recordAt(table.place(r));
                    char* const key = in.keyText.data() + r * in.keyLen;
                    char* at = key;
                    for (const Slice& k : keySlices) {
                        std::memcpy(at, rec + k.at, k.length);
                        if (k.length < k.width) std::memset(at + k.length, ' ', k.width - k.length);
                        at += k.width;
                    }
                    blankControls(key, in.keyLen);
                    double* number = in.numbers.data() + r * m;
                    for (const Slice& f : numberSlices)
                        *number++ = textToNumberFast({rec + f.at, f.length});
                    continue;
                }
            }
            table.recordCells(r, cells.data());
            char* const key = in.keyText.data() + r * in.keyLen;
            char* at = key;
            for (int k : keys) {
                const std::size_t width = layout.TD[static_cast<std::size_t>(k - 1)];
                const std::string_view v = cells[static_cast<std::size_t>(k - 1)];
                const std::size_t len = std::min(v.size(), width);
                if (len) std::memcpy(at, v.data(), len);
                std::memset(at + len, ' ', width - len);
                at += width;
            }
            blankControls(key, in.keyLen);
            double* number = in.numbers.data() + r * m;
            for (int f : in.numeric) {
                const auto i = static_cast<std::size_t>(f - 1);
                *number++ = textToNumberFast(cells[i].substr(0, layout.TD[i]));
            }
        }
    };
    inHalves(n, read);
    return in;
}

// The records the summation writes for the sorted entries [from, to), which begin and end
// at group bounds, laid end to end in `records`, each ending at its entry of `ends`.
struct GroupRecords {
    std::string records;
    std::vector<std::size_t> ends;
};

void groupRange(const SumInput& in, const DatFile& out, int keyCount,
                const std::vector<std::uint32_t>& order, std::size_t from, std::size_t to,
                GroupRecords& result) {
    const std::size_t m = in.numeric.size();
    std::vector<double> sums(m);
    std::string buf;
    const char* running = nullptr;
    auto close = [&] {
        if (datSumRecord(out, keyCount, {running, in.keyLen}, sums, buf)) {
            result.records += buf;
            result.ends.push_back(result.records.size());
        }
        std::fill(sums.begin(), sums.end(), 0.0);
    };
    // The entries lie all over the input: their memory is asked for ahead.
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = from; i < to; ++i) {
        if (i + kAhead < to) {
            const std::uint32_t next = order[i + kAhead];
            const char* key = in.keyText.data() + next * in.keyLen;
            for (std::size_t b = 0; b < in.keyLen; b += 64) __builtin_prefetch(key + b);
            if (m) __builtin_prefetch(in.numbers.data() + next * m);
        }
        const std::uint32_t r = order[i];
        const char* key = in.keyText.data() + r * in.keyLen;
        if (running && std::memcmp(key, running, in.keyLen) != 0) close();
        running = key;
        for (std::size_t j = 0; j < m; ++j) sums[j] += in.numbers[r * m + j];
    }
    if (running) close();
}

// Every record the summation writes, in the output layout `out`, in the two halves that
// follow each other. Many entries: the groups of the second half are summed by a second thread.
void groupRecords(const SumInput& in, const DatFile& out, int keyCount, int blockSize,
                  int blockMethod, GroupRecords (&halves)[2]) {
    const auto order = sortEntries(in.keyText, in.keyLen, in.count, blockSize, blockMethod);
    const std::size_t n = order.size();
    std::size_t mid = n >= kParallelRecords ? n / 2 : n;
    auto keyOf = [&](std::size_t i) { return in.keyText.data() + order[i] * in.keyLen; };
    while (mid < n && std::memcmp(keyOf(mid), keyOf(mid - 1), in.keyLen) == 0) ++mid;
    atOnce([&] { groupRange(in, out, keyCount, order, 0, mid, halves[0]); },
           [&] { groupRange(in, out, keyCount, order, mid, n, halves[1]); });
}

// The summation's records as the cells of the output table, each field's bytes fitted to its
// size as appendRecordFields puts them into a table.
class GroupCells : public RecordSource {
public:
    GroupCells(const GroupRecords (&halves)[2], const DatFile& layout,
               const std::vector<FieldInfo>& fields)
        : halves_(halves), layout_(layout), fields_(fields), head_(1 + (2 * fields.size() + 7) / 8),
          packsRecords_(packableLayout()) {}

    std::size_t recordCount() const override {
        return halves_[0].ends.size() + halves_[1].ends.size();
    }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        const std::string_view record = recordOf(rec);
        const std::size_t n = std::min<std::size_t>(layout_.TP.size(), fields_.size());
        for (std::size_t f = 0; f < n; ++f) {
            const std::size_t pos = layout_.TP[f] - 1u;
            const std::string_view bytes =
                pos < record.size() ? record.substr(pos, layout_.TD[f]) : std::string_view();
            cells[f] = fitToFieldSize(bytes, fields_[f].size);
        }
        for (std::size_t f = n; f < fields_.size(); ++f) cells[f] = {};
        std::fill(states, states + fields_.size(), CellState::Value);
    }

    // Texts of 1 to 255 bytes are put straight into the packet; a record with an empty cell or
    // a zero byte is left to recordCells, as the packet stores those otherwise.
    bool writeRecord(std::size_t rec, PacketSink& out) const override {
        if (!packsRecords_ || std::memchr(recordOf(rec).data(), 0, recordOf(rec).size()))
            return false;
        thread_local std::vector<std::string_view> cells;
        thread_local std::vector<CellState> states;
        cells.resize(fields_.size());
        states.resize(fields_.size());
        recordCells(rec, cells.data(), states.data());
        std::size_t bytes = head_;
        for (const std::string_view& v : cells) {
            if (v.empty()) return false;
            bytes += 1 + v.size();
        }
        char* p = out.reserve(bytes);
        std::memset(p, 0, head_);
        char* at = p + head_;
        for (const std::string_view& v : cells) {
            *at++ = static_cast<char>(v.size());
            std::memcpy(at, v.data(), v.size());
            at += v.size();
        }
        out.commit(bytes);
        return true;
    }

private:
    std::string_view recordOf(std::size_t rec) const {
        const std::size_t first = halves_[0].ends.size();
        const GroupRecords& h = halves_[rec < first ? 0 : 1];
        const std::size_t i = rec < first ? rec : rec - first;
        const std::size_t begin = i == 0 ? 0 : h.ends[i - 1];
        return std::string_view(h.records).substr(begin, h.ends[i] - begin);
    }

    // Whether writeRecord can pack the records of these fields itself.
    bool packableLayout() const {
        for (const FieldInfo& f : fields_) {
            const ValueLayout lay = valueLayout(f);
            if (f.kind != FieldKind::String || lay.form != ValueLayout::Varying || lay.bytes != 1 ||
                f.size < 1 || f.size > 255 || static_cast<std::uint64_t>(f.size) > maxValueBytes(f))
                return false;
        }
        return true;
    }

    const GroupRecords (&halves_)[2];
    const DatFile& layout_;
    const std::vector<FieldInfo>& fields_;
    std::size_t head_; // status byte and state bitmap
    bool packsRecords_;
};

} // namespace

bool TCdsProc::SumFRecordFiles() {
    CdsParams& c = s_.cds;
    if (workDefWouldReplaceInDef(s_) || !keyListDistinct(s_, c.KeyCount, c.KeyFields)) return false;
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
    if (workDefWouldReplaceInDef(s_) || !keyListDistinct(s_, c.KeyCount, c.KeyFields)) return false;
    c.TableFile = c.InFile;
    c.DefFile = c.InDef;
    c.SourceFile = kSumWorkIn;
    CdsTable table;
    PackedTable packed;
    {
        DatFile work;
        const bool prepared = konvCdsDatPrepare(s_, table, packed, work);
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
    SumInput in = table.active() ? readSumInput(table.data, table.data.fields.size(), layout, keys)
                                 : readSumInput(packed, packed.head.fields.size(), layout, keys);
    table.discard();
    packed = PackedTable();
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
    MakeTableToFill(out, true);
    DatFile outLayout;
    datCopyLayout(outLayout, s_.def);
    GroupRecords halves[2];
    groupRecords(in, outLayout, static_cast<int>(keys.size()), c.BlockSize, c.BlockMethod, halves);
    in = SumInput();
    const std::size_t groups = halves[0].ends.size() + halves[1].ends.size();
    // The made table holds no records: with none to add it stays as it is. A binary table
    // is written straight from the records; another form through the table.
    if (groups == 0) return out.close(s_);
    if (formatForName(c.OutFile) == TableFormat::Binary) {
        const bool written = writeTableOrWarn(s_, c.OutFile, out.data,
                                              GroupCells(halves, outLayout, out.data.fields));
        out.discard();
        return written;
    }
    out.data.reserve(groups, halves[0].records.size() + halves[1].records.size() +
                                 groups * out.data.fields.size() * 4);
    for (const GroupRecords& h : halves)
        for (std::size_t i = 0, begin = 0; i < h.ends.size(); begin = h.ends[i++])
            appendRecordFields(out.data, outLayout,
                               std::string_view(h.records).substr(begin, h.ends[i] - begin));
    return out.close(s_);
}

} // namespace sarw
