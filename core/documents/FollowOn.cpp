#include "documents/FollowOn.h"

#include "documents/TurnoverFile.h"
#include "period/PeriodFiles.h"
#include "shell/NumText.h"
#include "shell/Session.h"
#include "shell/TextLines.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "start/DataDiskWrite.h"

#include <algorithm>
#include <array>

namespace sarw {

namespace {

constexpr int kMaxRules = 20;

// Header column 13 of the stored document with the header's identification; empty when none.
std::string storedLink(Session& s, const Document& d) {
    const std::string file = turnoverFileName(s);
    if (!fileExists(s, file)) return {};
    TurnoverFile t;
    if (!t.load(s, file) || t.fieldCount() < Document::kHeadCount) return {};
    std::string id[6];
    for (int c = 1; c <= 6; ++c) id[c - 1] = d.head(c);
    for (std::size_t rec = 0; rec < t.recordCount(); ++rec)
        if (t.keyEquals(rec, id, 6)) return std::string(t.cells(rec)[12]);
    return {};
}

bool linked(const std::string& link) {
    return textToInt(link) != 0;
}

// The number of a new follow-on document. The design numbers follow-ons within the counterpart
// unit, but a chain also stores them in the own unit (modes P and S): the number is free in
// both, so no member of a chain ever lands on another.
std::string chainNumber(Session& s, const Document& d, const std::array<std::string, 8>& units) {
    Document own = d;
    for (int i = 0; i < 3; ++i) {
        own.head(8 + i) = units[static_cast<size_t>(i)];
        own.head(3 + i) = units[static_cast<size_t>(i)];
    }
    Document other = own;
    for (int i = 0; i < 3; ++i) other.head(8 + i) = units[static_cast<size_t>(5 + i)];
    return std::max(nextFollowOnNumber(s, own), nextFollowOnNumber(s, other));
}

// Saves one follow-on document: header columns 6 and 7 and its units set, then saved twice, the
// second time with its own link. `next` gets the number of the next follow-on.
SaveResult saveFollowOn(Session& s, DocumentForm& form, const FollowOnEntry& e,
                        const std::array<std::string, 8>& units, bool chain, bool last,
                        std::string& next) {
    Document& d = form.doc;
    d.head(7) = e.type;
    if (e.mode == 'O')
        for (int i = 0; i < 3; ++i) d.head(3 + i) = units[static_cast<size_t>(5 + i)];
    if (e.mode == 'P')
        for (int i = 0; i < 3; ++i) {
            d.head(3 + i) = units[static_cast<size_t>(i)];
            d.head(8 + i) = units[static_cast<size_t>(5 + i)];
        }
    // A member of an existing chain replaces itself and keeps its link.
    const std::string old = chain ? storedLink(s, d) : std::string();
    form.loadedId = old.empty() ? std::string() : d.identification();
    form.DocModified = true;
    SaveResult r = saveDocument(s, form);
    if (r != SaveResult::Saved) return r;
    next = linked(old) ? zeroPadInt(textToInt(old), 5) : chainNumber(s, d, units);
    d.head(13) = last ? "00000" : next;
    form.DocModified = true;
    return saveDocument(s, form);
}

} // namespace

std::vector<std::string> readFollowOnRules(Session& s) {
    std::vector<std::string> lines, rules;
    readTextLines(s, workDir(s, "DefSoub") + "\\GenPoh.Def", lines, 1000);
    for (size_t i = 1; i < lines.size() && rules.size() < kMaxRules; ++i)
        if (lines[i].size() >= 10) rules.push_back(lines[i]);
    return rules;
}

std::vector<FollowOnEntry> followOnEntries(const std::string& rule) {
    std::vector<FollowOnEntry> entries;
    size_t at = 3;
    auto skipBlanks = [&] {
        while (at < rule.size() && rule[at] == ' ') ++at;
    };
    for (;;) {
        skipBlanks();
        if (at + 3 > rule.size()) break;
        FollowOnEntry e;
        e.type = rule.substr(at, 3);
        at += 3;
        skipBlanks();
        if (at >= rule.size()) break;
        e.mode = upperCaseChar(rule[at++]);
        entries.push_back(e);
    }
    return entries;
}

SaveResult saveWithFollowOn(Session& s, DocumentForm& form, FollowOnChoice choice,
                            std::vector<std::string>* saved) {
    Document& d = form.doc;
    if (!form.DocModified) return SaveResult::Unchanged;
    const std::string* rule = nullptr;
    for (const auto& r : form.followOnRules)
        if (r.compare(0, 3, d.head(7)) == 0 && d.head(7).size() == 3) {
            rule = &r;
            break;
        }
    const bool make = rule && choice != FollowOnChoice::Skip &&
                      (choice == FollowOnChoice::Make || question(s, kFollowOnQuestion));
    const std::vector<FollowOnEntry> entries =
        make ? followOnEntries(*rule) : std::vector<FollowOnEntry>{};
    if (entries.empty()) {
        const SaveResult r = saveDocument(s, form);
        if (r == SaveResult::Saved && saved) saved->push_back(d.identification());
        return r;
    }
    DataDiskWrite lock(s);
    if (!lock.held()) return SaveResult::Failed;
    std::array<std::string, 8> units;
    for (int c = 3; c <= 10; ++c) units[static_cast<size_t>(c - 3)] = d.head(c);
    const std::string number = d.head(6), type = d.head(7), oldLink = d.head(13);
    const bool chain = linked(oldLink);
    const std::string first = chain ? zeroPadInt(textToInt(oldLink), 5) : chainNumber(s, d, units);
    d.head(13) = first;
    form.DocModified = true;
    SaveResult r = saveDocument(s, form);
    if (r != SaveResult::Saved) {
        d.head(13) = oldLink;
        return r;
    }
    const std::string sourceId = d.identification();
    if (saved) saved->push_back(sourceId);
    std::string n = first;
    for (size_t i = 0; i < entries.size() && r == SaveResult::Saved; ++i) {
        d.head(6) = n;
        std::string next;
        r = saveFollowOn(s, form, entries[i], units, chain, i + 1 == entries.size(), next);
        if (r == SaveResult::Saved && saved) saved->push_back(d.identification());
        n = next;
    }
    // The form holds the source again; after a failure it stays modified, and saving it again
    // replaces the chain begun under its link.
    for (int c = 3; c <= 10; ++c) d.head(c) = units[static_cast<size_t>(c - 3)];
    d.head(6) = number;
    d.head(7) = type;
    d.head(13) = first;
    form.loadedId = sourceId;
    form.DocModified = r != SaveResult::Saved;
    return r;
}

} // namespace sarw
