// The demo data set holds what the program itself would have written: documents as the entry
// form saves them, the closed month as the closing computes it, and DOS files that the DOS import
// turns into the opening states.
#include "shell/NumText.h"
#include "shell/Session.h"
#include "support/InstallData.h"
#include "support/TestSession.h"
#include "tables/library/TCdsProc.h"
#include "tables/model/ReadDef.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

using namespace sarw;
using namespace sarw::test;
namespace fs = std::filesystem;

namespace {

using Row = std::vector<std::string>;

fs::path demo(const std::string& rel) {
    return installData() / "demo" / rel;
}
fs::path data(const std::string& name) {
    return demo("LSarW/Data/" + name);
}
fs::path cis(const std::string& name) {
    return installData() / "LSarW/Cisel" / name;
}

std::string pad(const std::string& s, size_t width) {
    return s.size() >= width ? s.substr(0, width) : s + std::string(width - s.size(), ' ');
}
std::string trimRight(std::string s) {
    return s.erase(s.find_last_not_of(' ') + 1);
}
bool isIssue(const std::string& type) {
    return static_cast<unsigned char>(type[0]) >= '5';
}

const size_t kStateWidth[] = {2, 2, 2, 2, 2, 12, 25, 3, 3, 10, 3, 16, 15};

// Quantity and value per state key: the three units, material, text, prefix, group, unit.
struct Stock {
    struct Item {
        double qty = 0, value = 0;
    };
    std::map<std::string, Item> items;

    static std::string key(const Row& r, const int (&f)[8]) {
        std::string k;
        for (int i = 0; i < 8; ++i) k += pad(r[f[i]], kStateWidth[i < 7 ? i + 2 : 10]);
        return k;
    }
    static std::string stateKey(const Row& s) {
        static const int f[8] = {2, 3, 4, 5, 6, 7, 8, 10};
        return key(s, f);
    }
    static std::string turnoverKey(const Row& t) {
        static const int f[8] = {2, 3, 4, 14, 15, 16, 17, 22};
        return key(t, f);
    }
    void addStates(const std::vector<Row>& states) {
        for (const Row& s : states) {
            Item& i = items[stateKey(s)];
            i.qty += textToNumber(s[11]);
            i.value += textToNumber(s[12]);
        }
    }
    void addTurnover(const Row& t) {
        const double sign = isIssue(t[6]) ? -1 : 1;
        Item& i = items[turnoverKey(t)];
        i.qty += sign * textToNumber(t[23]);
        i.value += sign * textToNumber(t[24]);
    }
    // The states at the end of the month, as the closing writes them.
    std::vector<Row> closing(const std::string& year, const std::string& month) const {
        std::vector<Row> rows;
        for (const auto& [k, i] : items) {
            const std::string qty = numberToText(16, 3, i.qty),
                              value = numberToText(15, 2, i.value);
            if (trimRight(qty).empty() && trimRight(value).empty()) continue;
            const std::string price =
                trimRight(qty).empty()
                    ? ""
                    : numberToText(10, 2, textToNumber(value) / textToNumber(qty));
            rows.push_back({year, month, k.substr(0, 2), k.substr(2, 2), k.substr(4, 2),
                            k.substr(6, 12), k.substr(18, 25), k.substr(43, 3), k.substr(46, 3),
                            price, k.substr(49, 3), qty, value});
        }
        return rows;
    }
};

// The follow-on rules of the installation: source type -> types of the follow-on documents.
std::map<std::string, std::vector<std::string>> followOnRules() {
    std::map<std::string, std::vector<std::string>> rules;
    const auto lines = textLines(installData() / "LSarW/DefSoub/GenPoh.Def");
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() < 10) continue;
        auto& entries = rules[lines[i].substr(0, 3)];
        for (size_t p = lines[i].find_first_not_of(' ', 3); p != std::string::npos;
             p = lines[i].find_first_not_of(' ', p + 5))
            entries.push_back(lines[i].substr(p, 3));
    }
    return rules;
}

std::set<std::string> keysOf(const fs::path& table) {
    std::set<std::string> keys;
    for (const Row& r : loadRecords(table).rows) keys.insert(trimRight(r[0]));
    return keys;
}

TEST(DemoData, ClosedMonthIsOpeningStatesPlusReceiptsMinusIssues) {
    Stock stock;
    stock.addStates(loadRecords(data("260001SarS.Cds")).rows);
    for (const Row& t : loadRecords(data("260101SarO.Cds")).rows) stock.addTurnover(t);
    const std::vector<Row> closed = loadRecords(data("260101SarS.Cds")).rows;
    const std::vector<Row> expected = stock.closing("26", "01");
    ASSERT_EQ(closed.size(), expected.size());
    for (size_t i = 0; i < closed.size(); ++i) ASSERT_EQ(closed[i], expected[i]) << "record " << i;
    EXPECT_GT(closed.size(), 400u);
}

// The codes a document item refers to, each looked up in its codebook.
struct Codebooks {
    std::set<std::string> types = keysOf(cis("DP.Cds")), groups = keysOf(cis("26MatSk.Cds")),
                          units = keysOf(cis("MJ.Cds")), activities = keysOf(cis("26Cinn.Cds")),
                          accounts = keysOf(cis("26Konta.Cds"));
    std::map<std::string, Row> materials;

    Codebooks() {
        for (const char* f : {"Odber.Cds", "Dodav.Cds"})
            for (const auto& k : keysOf(demo(std::string("LOrbW/Cisel/") + f))) accounts.insert(k);
        for (const Row& m : loadRecords(demo("LSarW/Cisel/Mater.Cds")).rows) materials[m[0]] = m;
    }
    void check(const Row& t) const {
        EXPECT_TRUE(types.count(t[6]));
        EXPECT_TRUE(groups.count(t[17]));
        EXPECT_TRUE(units.count(trimRight(t[22])));
        EXPECT_TRUE(trimRight(t[18]).empty() || activities.count(t[18]));
        EXPECT_TRUE(trimRight(t[20]).empty() || accounts.count(trimRight(t[20])));
        ASSERT_TRUE(materials.count(trimRight(t[14])));
        const Row& m = materials.at(trimRight(t[14]));
        EXPECT_EQ(trimRight(t[15]), m[1]);
        EXPECT_EQ(t[16], m[2]);
        EXPECT_EQ(trimRight(t[22]), m[4]);
    }
};

// Price and value of an item against the unit's stock before it.
void checkPricing(const Row& t, const Stock::Item& before) {
    if (t[5] >= "90000") return; // a follow-on document carries its source's items
    const double qty = textToNumber(t[23]);
    const std::string q = numberToText(16, 3, before.qty);
    const std::string v = numberToText(15, 2, before.value);
    if (isIssue(t[6])) {
        // The stock list's price, and never more than the unit holds.
        EXPECT_EQ(t[21], numberToText(10, 2, textToNumber(v) / textToNumber(q)));
        EXPECT_LE(qty, textToNumber(q) + 1e-9);
        if (t[23] == q) {
            EXPECT_EQ(t[24], v); // the whole stock leaves with its whole value
            return;
        }
    }
    EXPECT_EQ(t[24], numberToText(15, 2, textToNumber(t[21]) * qty));
}

using Documents = std::map<std::string, std::vector<Row>>; // identification -> records

// Numbers run from 00001 per unit; follow-on documents from 90001 at the counterpart, linked
// one to the next, with the source's items.
void checkNumbersAndFollowOns(const Documents& docs, const std::vector<std::string>& order) {
    const auto rules = followOnRules();
    std::map<std::string, int> lastNumber;
    for (const std::string& id : order) {
        const std::vector<Row>& doc = docs.at(id);
        const Row& h = doc.front();
        const bool follow = h[5] >= "90000";
        const int expected = ++lastNumber[h[2] + h[3] + h[4] + (follow ? "F" : "")];
        EXPECT_EQ(std::stoi(h[5]), expected + (follow ? 90000 : 0)) << id;
        if (follow || h[12] == "00000") continue;
        ASSERT_TRUE(rules.count(h[6])) << id;
        std::string link = h[12];
        for (const std::string& type : rules.at(h[6])) {
            const std::string fid = h[0] + h[1] + h[7] + h[8] + h[9] + link;
            ASSERT_TRUE(docs.count(fid)) << id << " -> " << fid;
            const std::vector<Row>& f = docs.at(fid);
            EXPECT_EQ(f.front()[6], type) << fid;
            ASSERT_EQ(f.size(), doc.size()) << fid;
            for (size_t i = 0; i < f.size(); ++i)
                EXPECT_EQ(Row(f[i].begin() + 13, f[i].end()),
                          Row(doc[i].begin() + 13, doc[i].end()));
            link = f.front()[12];
        }
        EXPECT_EQ(link, "00000") << id;
    }
}

// Replays the documents of a month in file order over its opening states.
void checkDocuments(const std::string& openingFile, const std::string& turnoverFile) {
    Stock stock;
    stock.addStates(loadRecords(data(openingFile)).rows);
    const std::vector<Row> turnovers = loadRecords(data(turnoverFile)).rows;
    ASSERT_GT(turnovers.size(), 200u);
    const Codebooks codebooks;
    Documents docs;
    std::vector<std::string> order;
    for (const Row& t : turnovers) {
        const std::string id = t[0] + t[1] + t[2] + t[3] + t[4] + t[5];
        if (!docs.count(id)) order.push_back(id);
        docs[id].push_back(t);
        SCOPED_TRACE(id + " item " + t[13]);
        codebooks.check(t);
        checkPricing(t, stock.items[Stock::turnoverKey(t)]);
        stock.addTurnover(t);
        EXPECT_GE(stock.items[Stock::turnoverKey(t)].qty, -1e-9);
    }
    checkNumbersAndFollowOns(docs, order);
}

TEST(DemoData, DocumentsAreWhatTheEntryFormSaves) {
    checkDocuments("260001SarS.Cds", "260101SarO.Cds");
    checkDocuments("260101SarS.Cds", "260201SarO.Cds");
}

// A DOS record file read as the DOS import reads it (Kamenicky texts, numbers re-formatted).
std::vector<Row> readDos(Session& s, const std::string& file, const std::string& def) {
    s.cds.TableFile = "C:\\A_Run\\Work\\Dos.Cds";
    s.cds.DefFile = (installData() / "LSarW/DefSoub" / def).string();
    s.cds.SourceFile = demo("SarDos/" + file).string();
    EXPECT_TRUE(s.cdsProc().KonvTbuCds(3)) << file;
    return loadRecords(s.platform().native(s.cds.TableFile)).rows;
}

TEST(DemoData, DosDataHandOverTheOpeningStates) {
    TestSession ts;
    fs::create_directories(ts.path("C:\\A_Run\\Work"));
    // State files chain up: the end of a month is the end of the month before plus its turnovers.
    auto statesOf = [&](const std::string& file) { return readDos(*ts, file, "DosSarS.Def"); };
    auto blankPrice = [](std::vector<Row> rows) {
        for (Row& r : rows)
            if (trimRight(r[9]).empty()) r[9].clear();
        return rows;
    };
    for (auto [before, m] : {std::pair{"09", "10"}, {"10", "11"}, {"11", "12"}}) {
        Stock stock;
        for (const Row& d : statesOf(std::string("SarS25") + before + ".Dat"))
            stock.addStates(
                {Row{"", "", d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10]}});
        int remarks = 0;
        for (const Row& d : readDos(*ts, std::string("Sar25") + m + ".Dat", "DosSarO.Def")) {
            if (trimRight(d[11]).empty()) { // a remark without material: the import skips it
                ++remarks;
                continue;
            }
            Row t(26);
            t[2] = d[1], t[3] = d[2], t[4] = d[3], t[6] = d[0], t[14] = d[11], t[15] = d[12];
            t[16] = d[13], t[17] = d[14], t[22] = d[19], t[23] = d[20], t[24] = d[21];
            stock.addTurnover(t);
        }
        EXPECT_EQ(remarks, std::string(m) == "11" ? 1 : 0);
        std::vector<Row> end;
        for (const Row& d : statesOf(std::string("SarS25") + m + ".Dat"))
            end.push_back({"25", m, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8],
                           numberToText(16, 3, textToNumber(d[9])),
                           numberToText(15, 2, textToNumber(d[10]))});
        EXPECT_EQ(blankPrice(end), blankPrice(stock.closing("25", m))) << "month 25 " << m;
    }
    // The opening states of 26 01 are the DOS states handed over at the end of 25 12.
    std::vector<Row> imported;
    for (const Row& d : statesOf("SarS2600.Dat"))
        imported.push_back({"26", "00", d[0], d[1], d[2], d[3], d[4], d[3].substr(0, 3), d[6], d[7],
                            d[8], numberToText(16, 3, textToNumber(d[9])),
                            numberToText(15, 2, textToNumber(d[10]))});
    EXPECT_EQ(imported, loadRecords(data("260001SarS.Cds")).rows);
    EXPECT_EQ(readFile(demo("SarDos/SarS2600.Dat")), readFile(demo("SarDos/SarS2512.Dat")));
    // Codebooks of the DOS version: the same movement types and groups, all demo materials.
    EXPECT_EQ(readDos(*ts, "PomSoub/DP.Dat", "DosDP.Def").size(),
              loadRecords(cis("DP.Cds")).rows.size());
    EXPECT_EQ(readDos(*ts, "PomSoub/Mater.Dat", "DosMater.Def").size(),
              loadRecords(demo("LSarW/Cisel/Mater.Cds")).rows.size());
}

} // namespace
