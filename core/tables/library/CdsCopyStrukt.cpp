#include "tables/library/CdsCopySupport.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/FitValue.h"

#include "platform/FileMask.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/WinLSys.h"

#include <filesystem>

namespace sarw {

using namespace cdscopy;

namespace {

enum class Match { ByName, ByPosition, Normalise };

// Makes `made` from a definition, leaving the caller's TableFile and DefFile as they were. A
// table to fill is written only when it is closed, so the old file stays until it is complete.
void makeFromDefinition(Session& s, TCdsProc& p, CdsTable& made, const std::string& table,
                        const std::string& def, bool toFill) {
    KeepFileNames keep(s.cds);
    s.cds.TableFile = table;
    s.cds.DefFile = def;
    if (toFill)
        p.MakeTableToFill(made);
    else
        p.MakeTable(made);
}

// Source field of each target field (-1 when none).
std::vector<int> sourceFields(const Session& s, const Table& src, Match match) {
    std::vector<int> from;
    for (int f = 1; f <= s.def.fieldCount(); ++f) {
        int found = -1;
        if (match == Match::ByName) {
            const std::string name = trimBoth(s.def.field(f).fieldName);
            for (int i = 0; i < src.fieldCount() && found < 0; ++i)
                if (trimBoth(src.fields[static_cast<size_t>(i)].name) == name) found = i;
        } else if (f <= src.fieldCount()) {
            found = f - 1;
        }
        from.push_back(found);
    }
    return from;
}

// A memo keeps its line breaks; every other control character becomes a blank.
std::string controlsToBlanksKeepLines(std::string_view text) {
    std::string v(text);
    for (char& c : v)
        if (static_cast<unsigned char>(c) < 32 && c != '\r' && c != '\n') c = ' ';
    return v;
}

std::string targetValue(const Session& s, const Table& out, int f, std::string text, Match match) {
    const FieldDef& fd = s.def.field(f);
    const bool memo = out.fields[static_cast<size_t>(f - 1)].kind == FieldKind::Memo;
    if (match == Match::Normalise) {
        if (memo) return controlsToBlanksKeepLines(text);
        std::string v = fitValue(controlsToBlanks(text), fd.type, fd.width);
        return v.size() == static_cast<size_t>(fd.width) ? v : fitText(v, fd.width, false);
    }
    return fitValue(text, fd.type, fd.width);
}

bool restructure(Session& s, TCdsProc& p, const std::string& JmS1, const std::string& JmS2,
                 const std::string& JmSD2, Match match) {
    if (!fileExistsWarn(s, JmS1) || !openRead(s, p.Table1, JmS1)) return false;
    makeFromDefinition(s, p, p.Table2, JmS2, JmSD2, true);
    const Table& src = p.Table1.data;
    Table& out = p.Table2.data;
    const std::vector<int> from = sourceFields(s, src, match);
    std::vector<std::string> texts(static_cast<size_t>(out.fieldCount()));
    for (size_t r = 0; r < src.recordCount(); ++r) {
        for (int f = 1; f <= out.fieldCount(); ++f) {
            const int sf = from[static_cast<size_t>(f - 1)];
            // A field without a source stays an empty text.
            texts[static_cast<size_t>(f - 1)] =
                sf < 0 ? std::string() : targetValue(s, out, f, src.text(r, sf), match);
        }
        appendTextRecord(out, texts);
    }
    p.Table1.discard();
    return p.Table2.close(s);
}

// A name without a directory is taken inside dir.
std::string inDir(const std::string& dir, const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':'))
        return name;
    if (dir.empty() || dir.back() == '\\' || dir.back() == '/') return dir + name;
    return dir + "\\" + name;
}

} // namespace

bool TCdsProc::ReStruktCds(const std::string& JmS1, const std::string& JmS2,
                           const std::string& JmSD2) {
    return restructure(s_, *this, JmS1, JmS2, JmSD2, Match::ByName);
}

bool TCdsProc::ReHlavCds(const std::string& JmS1, const std::string& JmS2,
                         const std::string& JmSD2) {
    return restructure(s_, *this, JmS1, JmS2, JmSD2, Match::ByPosition);
}

bool TCdsProc::CdsNorm(const std::string& JmS1, const std::string& JmSD, const std::string& JmS2) {
    return restructure(s_, *this, JmS1, JmS2, JmSD, Match::Normalise);
}

bool TCdsProc::SpojTab(const std::string& XDir, const std::string& XFilter,
                       const std::string& XFile, const std::string& XDef) {
    if (!dirExists(s_, XDir)) {
        information(s_, "Adresar nenalezen !", "Adresar:  " + XDir);
        return false;
    }
    const std::string target = inDir(XDir, XFile);
    if (!holdsTable(s_, target)) {
        CdsTable made;
        makeFromDefinition(s_, *this, made, target, inDir(XDir, XDef), false);
    }
    std::error_code ec;
    const std::filesystem::path targetPath = s_.platform().native(target);
    const auto [maskDir, mask] = splitDirName(inDir(XDir, XFilter));
    for (const MaskedFile& f : filesMatching(s_.platform().native(maskDir), mask)) {
        // The joined table itself matches the mask too; it is never appended to itself.
        if (std::filesystem::equivalent(f.path, targetPath, ec)) continue;
        const std::string name = inDir(maskDir, f.name);
        if (TestStruktCds(name, target)) AppendCds(name, target);
    }
    return true;
}

} // namespace sarw
