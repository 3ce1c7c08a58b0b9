// DatSort and DatSum: whole-file operations on fixed-length record files.
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "tables/fast/SortEngine.h"
#include "tables/model/CdsSortSupport.h"
#include "tables/model/ReadDef.h"
#include "tables/records/UDatProc.h"

#include <cmath>

namespace sarw {

namespace {

void sortFailed(Session& s) {
    warning(s, "Soubor se nepodarilo setridit !", "Soubor: " + s.dat.DatIn);
}

void sumFailed(Session& s) {
    warning(s, "Soubor se nepodarilo sumarizovat !", "Soubor: " + s.dat.DatIn);
}

// Record number rec of an open record file, read without moving its sequential place.
bool readRecordAt(const DatFile& f, std::size_t rec, std::string& buf) {
    buf.resize(f.RecLen);
    if (!f.F.input().readExactAt(buf.data(), f.RecLen, std::uint64_t{rec} * f.RecLen))
        return false;
    blankControls(buf.data(), buf.size());
    return true;
}

std::size_t keyLength(const DatFile& f, const std::vector<int>& keys) {
    std::size_t keyLen = 0;
    for (int k : keys) keyLen += f.TD[static_cast<std::size_t>(k - 1)];
    return keyLen;
}

// The key text of every record, laid end to end.
bool readKeys(DatFile& in, const std::vector<int>& keys, std::string& keyText) {
    keyText.reserve(keyLength(in, keys) * static_cast<std::size_t>(in.RecCount));
    std::string rec;
    for (std::int32_t r = 0; r < in.RecCount; ++r) {
        if (!DatRead(in, rec)) return false;
        for (int k : keys)
            keyText.append(rec, in.TP[static_cast<std::size_t>(k - 1)] - 1u,
                           in.TD[static_cast<std::size_t>(k - 1)]);
    }
    return true;
}

bool writeSorted(Session& s, DatFile& in, const std::vector<int>& layout,
                 const std::vector<std::uint32_t>& order) {
    DatFile out;
    if (!DatRewrite(s, out, s.dat.DatOut, s.dat.DatOutDef)) return false;
    std::string rec, outRec;
    for (std::uint32_t r : order) {
        if (!readRecordAt(in, r, rec)) return false;
        outRec.clear();
        for (int f : layout)
            outRec.append(rec, in.TP[static_cast<std::size_t>(f - 1)] - 1u,
                          in.TD[static_cast<std::size_t>(f - 1)]);
        if (!DatWrite(out, outRec)) return false;
    }
    return DatClose(out);
}

class GroupWriter {
public:
    GroupWriter(DatFile& out, int keyCount)
        : out_(out), keyCount_(keyCount), sums_(static_cast<std::size_t>(out.PSl - keyCount)) {}

    std::vector<double>& sums() { return sums_; }

    // Writes the group unless all its sums are zero, then starts anew.
    bool close(std::string_view key) {
        const bool ok = !datSumRecord(out_, keyCount_, key, sums_, buf_) || DatWrite(out_, buf_);
        std::fill(sums_.begin(), sums_.end(), 0.0);
        return ok;
    }

private:
    DatFile& out_;
    int keyCount_;
    std::vector<double> sums_;
    std::string buf_;
};

bool sumSorted(Session& s) {
    const DatParams& p = s.dat;
    DatFile in;
    if (!DatReset(s, in, kDatSumWorkData, kDatSumWorkDef, kDatRead)) return false;
    const int keyCount = p.DatKeyCount;
    std::vector<int> kept, numeric;
    for (int f = 1; f <= in.PSl; ++f) {
        const bool isNumeric =
            f > keyCount && isNumericType(in.TMs[static_cast<std::size_t>(f - 1)]);
        if (f <= keyCount || isNumeric) kept.push_back(f);
        if (isNumeric) numeric.push_back(f);
    }
    if (!saveText(s, p.DatOutDef, definitionLines(s.def, kept))) return false;
    DatFile out;
    if (!DatRewrite(s, out, p.DatOut, p.DatOutDef)) return false;
    std::size_t keyLen = 0;
    for (int k = 0; k < keyCount; ++k) keyLen += in.TD[static_cast<std::size_t>(k)];
    GroupWriter group(out, keyCount);
    std::string rec, running;
    std::int32_t read = 0;
    for (; DatRead(in, rec); ++read) {
        const std::string_view key(rec.data(), keyLen);
        if (read == 0)
            running.assign(key);
        else if (key != running) {
            if (!group.close(running)) return false;
            running.assign(key);
        }
        for (std::size_t j = 0; j < numeric.size(); ++j)
            group.sums()[j] += textToNumber(DatGetField(in, numeric[j], rec));
    }
    if (read != in.RecCount) return false;
    if (read > 0 && !group.close(running)) return false;
    return DatClose(out);
}

} // namespace

bool datSumRecord(const DatFile& out, int keyCount, std::string_view key,
                  const std::vector<double>& sums, std::string& buf) {
    bool any = false;
    for (double v : sums) any = any || std::fabs(v) >= 0.0005;
    if (!any) return false;
    std::size_t keyLen = 0;
    for (int k = 0; k < keyCount; ++k) keyLen += out.TD[static_cast<std::size_t>(k)];
    buf.assign(key.substr(0, keyLen));
    thread_local std::string text;
    for (std::size_t j = 0; j < sums.size(); ++j) {
        const std::size_t f = static_cast<std::size_t>(keyCount) + j;
        numberToTextInto(text, static_cast<int>(out.TD[f]), typeDecimals(out.TMs[f]), sums[j]);
        DatPutField(out, static_cast<int>(f + 1), text, buf);
    }
    return true;
}

bool datSortOpen(Session& s, DatFile& in) {
    DatParams& p = s.dat;
    if (p.DatKeyCount <= 0) {
        warning(s, "Nebyl zadan seznam slov pro vytvoreni nove vety !");
        p.DatKeyCount = 0;
        return false;
    }
    if (!DatReset(s, in, p.DatIn, p.DatInDef, kDatRead)) {
        if (in.RecLen != 0) sortFailed(s); // bound, but the file would not open
        return false;
    }
    return keyListUsable(s, p.DatKeyCount, p.DatKeyFields, in.PSl, true, true);
}

bool DatSort(Session& s) {
    const DatParams& p = s.dat;
    DatFile in;
    if (!datSortOpen(s, in)) return false;
    const std::vector<int> keys = keyListOf(p.DatKeyCount, p.DatKeyFields);
    const std::vector<int> layout = keysFirst(keys, in.PSl);
    std::string keyText;
    bool ok =
        saveText(s, p.DatOutDef, definitionLines(s.def, layout)) && readKeys(in, keys, keyText);
    if (ok) {
        const auto order =
            sortEntries(keyText, keyLength(in, keys), static_cast<std::size_t>(in.RecCount),
                        p.DatBlockSize, p.DatBlockMethod);
        std::string().swap(keyText);
        ok = writeSorted(s, in, layout, order);
    }
    DatClose(in);
    if (!ok) sortFailed(s);
    return ok;
}

// Numeric fields that are not keys; more than the sums can hold are refused before any work.
bool datSumFieldsFit(Session& s) {
    const DatParams& p = s.dat;
    if (!fileExists(s, p.DatInDef) || !ReadDef(s, p.DatInDef)) return true; // DatSort says why
    std::vector<bool> isKey(static_cast<std::size_t>(s.def.fieldCount()) + 1);
    for (int k : keyListOf(p.DatKeyCount, p.DatKeyFields))
        if (k >= 1 && k <= s.def.fieldCount()) isKey[static_cast<std::size_t>(k)] = true;
    int numeric = 0;
    for (int f = 1; f <= s.def.fieldCount(); ++f)
        if (!isKey[static_cast<std::size_t>(f)] && isNumericType(s.def.field(f).type)) ++numeric;
    if (numeric <= kDatSumMaxNumeric) return true;
    warning(s,
            "Soubor ma vice nez " + std::to_string(kDatSumMaxNumeric) +
                " ciselnych poli, nelze sumarizovat !",
            "Soubor: " + p.DatIn);
    return false;
}

bool DatSum(Session& s) {
    DatParams& p = s.dat;
    if (p.DatKeyCount > 0 && !datSumFieldsFit(s)) return false;
    const std::string out = p.DatOut, outDef = p.DatOutDef;
    p.DatOut = kDatSumWorkData;
    p.DatOutDef = kDatSumWorkDef;
    const bool sorted = DatSort(s);
    p.DatOut = out;
    p.DatOutDef = outDef;
    bool ok = sorted && sumSorted(s);
    if (sorted && !ok) sumFailed(s);
    deleteFile(s, kDatSumWorkData);
    deleteFile(s, kDatSumWorkDef);
    return ok;
}

} // namespace sarw
