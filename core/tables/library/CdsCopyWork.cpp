#include "shell/LSysCopy.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/FitValue.h"
#include "tables/model/ReadDef.h"

#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"

namespace sarw {

using namespace cdscopy;

namespace {

// JmS1 copied to the work file and sorted into the second one; the caller's InFile, OutFile,
// InDef and WorkDef stay as they were.
bool sortIntoWork(Session& s, TCdsProc& p, const std::string& JmS1, const std::string& JmSD1) {
    if (!fileExistsWarn(s, JmS1)) return false;
    makePath(s, kWorkDir);
    if (!p.LDCopyCds(JmS1, kCdsProcWork)) return false;
    KeepFileNames keep(s.cds);
    s.cds.InFile = kCdsProcWork;
    s.cds.InDef = JmSD1;
    s.cds.OutFile = kCdsProcWork1;
    s.cds.WorkDef = kCdsProcWork1Def;
    return p.SortF(false);
}

bool sameKey(const Table& t, size_t a, size_t b, int keys) {
    for (int f = 0; f < keys && f < t.fieldCount(); ++f)
        if (t.raw(a, f) != t.raw(b, f) || t.state(a, f) != t.state(b, f)) return false;
    return true;
}

bool countsMatch(Session& s, const std::string& name, const Table& t, const std::string& def) {
    if (t.fieldCount() == s.def.fieldCount()) return true;
    information(s, name + ":" + intToTextZero(t.fieldCount(), 6) + "\r" + def + ":" +
                       intToTextZero(s.def.fieldCount(), 6) +
                       "\r\rPocet slov vety souboru se nerovna poctu slov vypoctenych");
    return false;
}

// Record r of `a` with the numeric fields of the definition raised by those of record r of `b`.
std::vector<std::string> addedRecord(const Session& s, const Table& a, const Table& b, size_t r) {
    std::vector<std::string> texts;
    for (int f = 1; f <= a.fieldCount(); ++f) {
        const FieldDef& fd = s.def.field(f);
        std::string v = a.text(r, f - 1);
        if (isNumberType(fd.type)) {
            const int d = numberDecimals(fd.type);
            const double sum = textToNumber(v) + textToNumber(b.text(r, f - 1));
            v = fitNumber(numberToText(40, d, sum), fd.type,
                          a.fields[static_cast<size_t>(f - 1)].size);
        }
        texts.push_back(std::move(v));
    }
    return texts;
}

} // namespace

bool TCdsProc::SortCds(const std::string& JmS1, const std::string& JmSD1, const std::string& JmS2) {
    return sortIntoWork(s_, *this, JmS1, JmSD1) && SafeCopy(s_, kCdsProcWork1, JmS2, 1);
}

bool TCdsProc::CopyJedInd(const std::string& JmS1, const std::string& JmSD1,
                          const std::string& JmS2) {
    if (!sortIntoWork(s_, *this, JmS1, JmSD1)) return false;
    if (!openRead(s_, Table1, kCdsProcWork1)) return false;
    const Table& sorted = Table1.data;
    // The sort put the key fields first; of each run of equal keys the first record stays.
    Table out;
    out.fields = sorted.fields;
    for (size_t r = 0; r < sorted.recordCount(); ++r)
        if (r == 0 || !sameKey(sorted, r, r - 1, s_.cds.KeyCount)) out.appendFrom(sorted, r);
    Table1.discard();
    saveNewTable(s_, kCdsProcWork, out);
    return SafeCopy(s_, kCdsProcWork, JmS2, 1);
}

bool TCdsProc::ASumCds(const std::string& JmS1, const std::string& JmS2, const std::string& JmSD,
                       const std::string& JmS3) {
    if (!fileExistsWarn(s_, JmS1) || !fileExistsWarn(s_, JmS2) || !ReadDef(s_, JmSD)) return false;
    CdsTable second;
    if (!openRead(s_, Table1, JmS1) || !openRead(s_, second, JmS2)) return false;
    const Table& a = Table1.data;
    const Table& b = second.data;
    if (!countsMatch(s_, JmS1, a, JmSD) || !countsMatch(s_, JmS2, b, JmSD)) {
        Table1.discard();
        return false;
    }
    Table out;
    out.fields = a.fields;
    const size_t common = std::min(a.recordCount(), b.recordCount());
    for (size_t r = 0; r < common; ++r) appendTextRecord(out, addedRecord(s_, a, b, r));
    // Records only one of the two has are taken as they are.
    std::vector<int> all;
    for (int f = 0; f < out.fieldCount(); ++f) all.push_back(f);
    for (size_t r = common; r < a.recordCount(); ++r) appendMapped(out, a, r, all);
    for (size_t r = common; r < b.recordCount(); ++r) appendMapped(out, b, r, all);
    Table1.discard();
    makePath(s_, kWorkDir);
    saveNewTable(s_, kCdsProcWork, out);
    return SafeCopy(s_, kCdsProcWork, JmS3, 1);
}

} // namespace sarw
