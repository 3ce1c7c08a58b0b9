// The stock cards: the window's fields, the unit check, the selection, the sort and the
// material pick list.
#include "reports/USarSklK.h"

#include "period/Period.h"
#include "platform/Platform.h"
#include "shell/LSysDate.h"
#include "shell/Session.h"
#include "shell/USarCON.h"
#include "shell/WinLSys.h"
#include "shell/WorkFiles.h"
#include "stock/TSarProc.h"
#include "tables/fast/TextRecords.h"
#include "tables/formats/TableFile.h"
#include "tables/library/CdsCopySupport.h"
#include "tables/library/CdsTable.h"

namespace sarw {

namespace {

constexpr int kPlant = 3, kUnit = 4, kCentre = 5;
constexpr int kMaterialText = 16;

std::string firstTwo(const std::string& text) {
    return text.substr(0, 2);
}

// SarWork1.Cds: the turnovers from..to; SarWork2.Cds: the same with issues negative.
bool rangeTurnovers(Session& s, const std::string& from, const std::string& to) {
    TSarProc p(s);
    return p.ObOdDo(from, kSarWork1, to) && p.ObZmZn(kSarWork1, kSarWork2);
}

} // namespace

CardSelection cardDefaults(Session& s) {
    ReadPeriod(s);
    readInic(s);
    CardSelection sel;
    sel.to = removeBlanks(s.period.Period);
    sel.plant = firstTwo(s.startup.enterprise);
    sel.unit = firstTwo(s.startup.managementUnit);
    sel.centre = firstTwo(s.startup.costCentre);
    return sel;
}

int cardUnitCount(const CardSelection& sel) {
    const bool given[] = {!isBlank(sel.plant), !isBlank(sel.unit), !isBlank(sel.centre)};
    int n = 0;
    while (n < 3 && given[n]) ++n;
    for (int i = n; i < 3; ++i)
        if (given[i]) return -1;
    return n;
}

int checkCardUnits(Session& s, const CardSelection& sel) {
    const int n = cardUnitCount(sel);
    if (n < 0) information(s, "Chybne zadane organizacni jednotky !");
    return n;
}

void cardRemoveBlanks(CardSelection& sel) {
    for (std::string* f : {&sel.from, &sel.to, &sel.material, &sel.plant, &sel.unit, &sel.centre})
        *f = removeBlanks(*f);
}

std::vector<int> cardSortFields(int units) {
    // The given units first, then the material key, the other units, and the movement order.
    std::vector<int> keys =
        unitsFirst(kPlant, units, {saro::kMaterial, kMaterialText, saro::kUnit});
    for (int f : {1, 2, saro::kDate, saro::kMovement}) keys.push_back(f);
    return keys;
}

namespace {

// The unit and material test on a record's texts (field f at cells[f - 1]).
bool takenTexts(const std::string_view* cells, const CardSelection& sel) {
    const std::pair<int, const std::string*> units[] = {
        {kPlant, &sel.plant}, {kUnit, &sel.unit}, {kCentre, &sel.centre}};
    for (const auto& [field, value] : units)
        if (!value->empty() && cells[field - 1] != *value) return false;
    return cells[saro::kMaterial - 1].substr(0, sel.material.size()) == sel.material;
}

// SarWork3 from SarWork2 held as its stored bytes: only the taken records are read again and
// written, none is copied into a table. False when the files are not for this.
bool selectPacked(Session& s, const CardSelection& sel, const Table& head) {
    PackedTable in;
    if (!textFieldsOnly(head) || !loadPacked(s.platform().native(kSarWork2), in) ||
        !textFieldsOnly(in.head) || !cdscopy::sameLayout(in.head, head) ||
        in.head.fieldCount() < saro::kMaterial)
        return false;
    std::vector<std::string_view> cells(static_cast<std::size_t>(in.head.fieldCount()));
    std::vector<CellState> states(cells.size());
    std::vector<std::uint32_t> taken;
    // The fields the selection looks at, in field order.
    std::vector<std::uint32_t> tested = {kPlant - 1, kUnit - 1, kCentre - 1, saro::kMaterial - 1};
    std::sort(tested.begin(), tested.end());
    bool present = true; // every value of every record
    for (std::size_t r = 0; r < in.recordCount(); ++r) {
        if (!in.someCells(r, tested, cells.data())) {
            present = false;
            in.recordCells(r, cells.data(), states.data());
            for (std::size_t f = 0; f < cells.size(); ++f)
                if (states[f] != CellState::Value) cells[f] = {};
        }
        if (takenTexts(cells.data(), sel)) taken.push_back(static_cast<std::uint32_t>(r));
    }
    // Without nulls to keep, the taken records go as they are stored, on the writer's threads.
    const PackedTextRecords stored(in, head, &taken,
                                   [](const PackedTable&, std::size_t) { return true; }, {});
    const DerivedRecords derived(in, head.fieldCount(), &taken, {}, true);
    // A failure is reported; the sort finds what is there.
    writeTableOrWarn(s, kSarWork3, head,
                     present && stored.usable() ? static_cast<const RecordSource&>(stored)
                                                : derived);
    return true;
}

} // namespace

bool cardTaken(const Table& t, std::size_t rec, const CardSelection& sel) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(t.fieldCount()));
    std::vector<std::string> converted(cells.size());
    for (int f = 0; f < t.fieldCount(); ++f) {
        const auto i = static_cast<std::size_t>(f);
        if (t.fields[i].kind != FieldKind::String) {
            converted[i] = t.text(rec, f);
            cells[i] = converted[i];
        } else {
            cells[i] = t.isNull(rec, f) ? std::string_view() : t.raw(rec, f);
        }
    }
    return takenTexts(cells.data(), sel);
}

bool cardSelectAndSort(Session& s, const CardSelection& sel, int units) {
    TSarProc p(s);
    p.MakeCdsFile(kSarWork3, turnoverDefName(s));
    CdsTable in, out;
    out.fileName = kSarWork3;
    out.readOnly = true;
    if (!out.open(s)) return false;
    if (selectPacked(s, sel, out.data)) {
        out.discard();
        p.setKeys(cardSortFields(units));
        return p.SortCds3(kSarWork3, kSarWork, turnoverDefName(s));
    }
    out.discard();
    out.readOnly = false;
    in.fileName = kSarWork2;
    in.readOnly = true;
    if (!in.open(s) || !out.open(s)) return false;
    const bool sameLayout = in.data.fieldCount() == out.data.fieldCount();
    std::vector<std::string> texts;
    for (std::size_t r = 0; r < in.data.recordCount(); ++r) {
        if (!cardTaken(in.data, r, sel)) continue;
        if (sameLayout) {
            out.data.appendFrom(in.data, r);
            continue;
        }
        texts.assign(static_cast<std::size_t>(in.data.fieldCount()), {});
        for (int f = 0; f < in.data.fieldCount(); ++f)
            texts[static_cast<std::size_t>(f)] = in.data.text(r, f);
        out.data.appendTexts(texts);
    }
    in.discard();
    if (!out.close(s)) return false;
    p.setKeys(cardSortFields(units));
    return p.SortCds3(kSarWork3, kSarWork, turnoverDefName(s));
}

void cardScreenParams(Session& s, int units) {
    listScreenParams(s, "Skladove karty");
    CdsScrParams& p = s.scr;
    p.upperText.clear();
    p.rightText.clear();
    p.lowerText.clear();
    p.Sum[3 + units] = true;
}

void cardPickParams(Session& s, const std::string& pickList) {
    CisParams& cis = s.cis;
    cis.CisFileName = pickList;
    cis.CisDefName.clear();
    cis.CisEditMode = 'N';
    cis.CisPickMode = 'A';
    cis.CisChosen = 'N';
    cis.clearValues();
    cis.setFirstKeys(1);
}

std::string cardPickChosen(const Session& s) {
    return s.cis.CisChosen == 'A' ? trimBoth(s.cis.CisValues[0]) : std::string();
}

std::string cardPickedMaterial(const Table& pickList, std::size_t rec) {
    return pickList.fieldCount() > 0 && rec < pickList.recordCount() ? pickList.text(rec, 0)
                                                                     : std::string();
}

bool SklKProved(Session& s, CardSelection& sel) {
    const int units = checkCardUnits(s, sel);
    if (units < 0) return false;
    ProgressStrip strip(s);
    emptyWorkDirs(s);
    cardRemoveBlanks(sel);
    return rangeTurnovers(s, sel.from, sel.to) && cardSelectAndSort(s, sel, units);
}

std::string cardPickList(Session& s, const CardSelection& sel) {
    ProgressStrip strip(s);
    emptyWorkDirs(s);
    if (!rangeTurnovers(s, removeBlanks(sel.from), removeBlanks(sel.to))) return {};
    TSarProc p(s);
    p.setKeys({saro::kMaterial, kMaterialText, saro::kUnit});
    if (!p.SumCds3(kSarWork2, kSarWork, turnoverDefName(s))) return {};
    return kSarWork;
}

} // namespace sarw
