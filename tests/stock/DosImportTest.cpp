// The import of the DOS version's data: the demo installation's DOS directory, and small record
// files for the koruna years, the dates and the records that are left out.
#include "stock/USarDos.h"

#include "period/Period.h"
#include "shell/LSysDate.h"
#include "shell/NumText.h"
#include "start/Install.h"
#include "support/InstallData.h"
#include "support/TestSession.h"
#include "start/Startup.h"

#include <gtest/gtest.h>

#include <map>
#include <numeric>

using namespace sarw;
using namespace sarw::test;
namespace fs = std::filesystem;

namespace {

using Row = std::vector<std::string>;
using Kind = ScriptedDialogs::Kind;

const std::vector<int> kDosStateWidths = {2, 2, 2, 12, 25, 3, 3, 10, 3, 14, 14};
const std::vector<int> kDosTurnoverWidths = {3,  2, 2, 2,  2, 2, 2,  10, 6,  5,  4, 12,
                                             25, 3, 3, 10, 5, 8, 10, 3,  14, 14, 30};

std::string le(unsigned value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A record file of the DOS version: a header record, then per record a status blank, the fields
// at their widths and CR LF.
std::string tbuFile(const std::vector<int>& widths, const std::vector<Row>& records) {
    const int recLen = std::accumulate(widths.begin(), widths.end(), 1) + 2;
    std::string header = "TBU\x1A" + le(static_cast<unsigned>(records.size()), 4) +
                         le(static_cast<unsigned>(widths.size()), 2) + le(1, 2) +
                         le(static_cast<unsigned>(recLen), 2);
    std::string out = header + std::string(static_cast<size_t>(recLen) - header.size(), '\0');
    for (const Row& r : records) {
        out += ' ';
        for (size_t f = 0; f < widths.size(); ++f)
            out += padRight(f < r.size() ? r[f] : "", widths[f]).substr(0, widths[f]);
        out += "\r\n";
    }
    return out;
}

// A demo data disk D: as installed, with the trees the program makes at its start.
class DosImport : public ::testing::Test {
protected:
    void SetUp() override {
        InstallResult r;
        ASSERT_TRUE(installDataDisk(*ts, "D:", installData(), true, r));
        ts->dataDisk = "D:";
        ts->programsDir = "D:\\LSarW\\Programy";
        createTrees(*ts);
        ts.dialogs.clear();
    }
    Records table(const std::string& winName) { return loadRecords(ts.path(winName)); }
    std::string data(const std::string& name) { return "D:\\LSarW\\Data\\" + name; }
    // Rows with trailing blanks cut: the DOS files carry their fixed widths, the installation's
    // codebooks were written without them.
    static std::vector<Row> trimmed(std::vector<Row> rows) {
        for (Row& r : rows)
            for (std::string& f : r) f.erase(f.find_last_not_of(' ') + 1);
        return rows;
    }
    void expectPeriodKept() {
        EXPECT_EQ(ts->period.Period, "26 02");
        EXPECT_EQ(ts.dialogs.progressShows, ts.dialogs.progressCloses);
        EXPECT_EQ(ts.dialogs.count(Kind::Question), 0);
    }
    // Replaces the DOS directory by the given files.
    void dosFiles(const std::map<std::string, std::string>& files) {
        fs::remove_all(ts.path("D:\\SarDos"));
        fs::create_directories(ts.path("D:\\SarDos"));
        for (const auto& [name, bytes] : files) ts.write("D:\\SarDos\\" + name, bytes);
    }

    TestSession ts;
};

// Quantity and value per unit, material and measure unit.
struct Stock {
    std::map<std::string, std::pair<double, double>> items;
    void add(const Row& r, std::initializer_list<int> key, int qty, double sign = 1) {
        std::string k;
        for (int f : key) k += trimRight(r[static_cast<size_t>(f)]) + "|";
        auto& [q, v] = items[k];
        q += sign * textToNumber(r[static_cast<size_t>(qty)]);
        v += sign * textToNumber(r[static_cast<size_t>(qty + 1)]);
    }
    std::map<std::string, std::string> texts() const {
        std::map<std::string, std::string> out;
        for (const auto& [k, qv] : items) {
            const std::string t = numberToText(16, 3, qv.first) + numberToText(15, 2, qv.second);
            if (!isBlank(t)) out[k] = t;
        }
        return out;
    }
};

TEST_F(DosImport, DemoStatesAndTurnoversChainUp) {
    const Records opening = table(data("260001SarS.Cds"));
    DosImportResult states = KonvStavy(*ts);
    EXPECT_TRUE(states.complete);
    // SarS2512.Dat is no opening state of any period; SarS2600.Dat is that of 26 01.
    EXPECT_EQ(states.written, (Row{data("250901SarS.Cds"), data("251001SarS.Cds"),
                                   data("251101SarS.Cds"), data("260001SarS.Cds")}));
    EXPECT_EQ(table(data("260001SarS.Cds")).rows, opening.rows);
    EXPECT_TRUE(ts.dialogs.saw("Prevedeno souboru: 4 z 4"));
    EXPECT_EQ(ts.dialogs.count(Kind::Warning), 0);
    expectPeriodKept();

    ts.dialogs.clear();
    DosImportResult turnovers = KonvObraty(*ts);
    EXPECT_TRUE(turnovers.complete);
    EXPECT_EQ(turnovers.written,
              (Row{data("251001SarO.Cds"), data("251101SarO.Cds"), data("251201SarO.Cds")}));
    EXPECT_TRUE(ts.dialogs.saw("Vynechano vet bez platneho cisla materialu: 1"));
    expectPeriodKept();

    // The states at the end of a month are those at its start plus receipts minus issues.
    const std::pair<const char*, const char*> months[] = {
        {"2509", "2510"}, {"2510", "2511"}, {"2511", "2600"}};
    for (const auto& [before, after] : months) {
        const std::string month = NextPeriod(before);
        Stock stock;
        for (const Row& r : table(data(std::string(before) + "01SarS.Cds")).rows)
            stock.add(r, {2, 3, 4, 5, 10}, 11);
        const Records moves = table(data(month + "01SarO.Cds"));
        ASSERT_EQ(moves.fields.size(), 26u);
        ASSERT_GT(moves.rows.size(), 50u);
        for (const Row& t : moves.rows) {
            SCOPED_TRACE(month + " " + t[5] + " " + t[13]);
            EXPECT_EQ(t[0] + t[1], month);
            EXPECT_EQ(t[11].substr(2), "." + month.substr(2) + ".20" + month.substr(0, 2));
            EXPECT_EQ(t[12], "");
            EXPECT_EQ(t[13].size(), 4u);
            EXPECT_TRUE(t[13] >= "0001" && t[13] <= "9999");
            EXPECT_EQ(t[16], t[14].substr(0, 3));
            stock.add(t, {2, 3, 4, 14, 22}, 23, t[6] >= "5" ? -1 : 1);
        }
        Stock closing;
        for (const Row& r : table(data(std::string(after) + "01SarS.Cds")).rows)
            closing.add(r, {2, 3, 4, 5, 10}, 11);
        EXPECT_EQ(stock.texts(), closing.texts()) << "month " << month;
    }
}

TEST_F(DosImport, DemoCodebooksAndAMissingSource) {
    const Records materials = table("D:\\LSarW\\Cisel\\Mater.Cds");
    const Records types = table("D:\\LSarW\\Cisel\\DP.Cds");
    const Records groups = table("D:\\LSarW\\Cisel\\26MatSk.Cds");
    DosImportResult r = KonvCis(*ts);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.written, (Row{"D:\\LSarW\\Cisel\\DP.Cds", "D:\\LSarW\\Cisel\\26MatSk.Cds",
                              "D:\\LSarW\\Cisel\\Mater.Cds"}));
    // The Kamenicky texts come out as the Windows-1250 codebooks of the installation.
    EXPECT_EQ(trimmed(table("D:\\LSarW\\Cisel\\Mater.Cds").rows), trimmed(materials.rows));
    EXPECT_EQ(trimmed(table("D:\\LSarW\\Cisel\\DP.Cds").rows), trimmed(types.rows));
    EXPECT_EQ(trimmed(table("D:\\LSarW\\Cisel\\26MatSk.Cds").rows), trimmed(groups.rows));
    expectPeriodKept();

    // The year's own DOS file wins over the plain one.
    ts.write("D:\\SarDos\\PomSoub\\26DP.Dat",
             tbuFile({3, 30, 1}, {{"110", "Nakup"}, {"510", "Spotreba", "V"}}));
    // Without material groups the command ends there; the materials stay as they were.
    fs::remove(ts.path("D:\\SarDos\\PomSoub\\Ms.Dat"));
    ts.write("D:\\LSarW\\Cisel\\Mater.Cds", "nezmeneno");
    ts.dialogs.clear();
    r = KonvCis(*ts);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.written, Row{"D:\\LSarW\\Cisel\\DP.Cds"});
    const Records newTypes = table("D:\\LSarW\\Cisel\\DP.Cds");
    ASSERT_EQ(newTypes.rows.size(), 2u);
    EXPECT_EQ(trimRight(newTypes.rows[1][1]), "Spotreba");
    EXPECT_EQ(ts.dialogs.count(Kind::Warning), 1);
    EXPECT_TRUE(ts.dialogs.saw("Ms.Dat"));
    EXPECT_TRUE(ts.dialogs.saw("nebyl nalezen"));
    EXPECT_EQ(ts.read("D:\\LSarW\\Cisel\\Mater.Cds"), "nezmeneno");
    expectPeriodKept();
}

Row dosState(const std::string& material, const std::string& price, const std::string& qty,
             const std::string& value) {
    return {"01", "02", "03", material, "Plech", "XYZ", "001", price, "kg", qty, value};
}

TEST_F(DosImport, StatesOfKorunaYearsAndStatesLeftOut) {
    dosFiles({
        {"SarS0805.Dat",
         tbuFile(kDosStateWidths, {dosState("100200300400", "30,126", "5", "301,26"),
                                   dosState("100200300401", "12,00", "", ""),
                                   dosState("100200300402", "", "2", "")})},
        {"SarS0900.Dat",
         tbuFile(kDosStateWidths, {dosState("100200300400", "30,126", "5", "301,26")})},
        // Month 12 is never the month before a period: the state of 17 01 is SarS1700.Dat.
        {"SarS1612.Dat", tbuFile(kDosStateWidths, {dosState("100200300400", "1", "1", "1")})},
        {"SarS1700.Dat", tbuFile(kDosStateWidths, {dosState("100200300400", "1", "1", "1")})},
    });
    const DosImportResult r = KonvStavy(*ts);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.written,
              (Row{data("080501SarS.Cds"), data("090001SarS.Cds"), data("170001SarS.Cds")}));
    EXPECT_FALSE(ts.exists(data("161201SarS.Cds")));

    const Records koruny = table(data("080501SarS.Cds"));
    ASSERT_EQ(koruny.rows.size(), 2u);
    EXPECT_EQ(koruny.rows[0],
              (Row{"08", "05", "01", "02", "03", "100200300400", padRight("Plech", 25), "100",
                   "001", "     1,000", "kg ", numberToText(16, 3, 5), "          10,00"}));
    // A quantity without a value is taken, with the value left blank.
    EXPECT_EQ(koruny.rows[1][5], "100200300402");
    EXPECT_EQ(koruny.rows[1][11], numberToText(16, 3, 2));
    EXPECT_TRUE(isBlank(koruny.rows[1][12]));
    EXPECT_TRUE(isBlank(koruny.rows[1][9]));

    const Records euro = table(data("090001SarS.Cds"));
    ASSERT_EQ(euro.rows.size(), 1u);
    EXPECT_EQ(euro.rows[0][0] + euro.rows[0][1], "0900");
    EXPECT_EQ(euro.rows[0][9], "30,126    ");
    EXPECT_EQ(euro.rows[0][12], numberToText(15, 2, 301.26));
    EXPECT_EQ(ts->period.Period, "26 02");
}

Row dosTurnover(const std::string& type, const std::string& date, const std::string& item,
                const std::string& material, const std::string& price, const std::string& value) {
    return {type,  "01",    "02",  "03",     "04",    "05",  "06",     "Prijemka",
            date,  "00012", item,  material, "Plech", "123", "005",    "ZAK1",
            "CIN", "KONTO", price, "ks",     "2",     value, "polozka"};
}

TEST_F(DosImport, TurnoversDatesItemsAndKorunaYears) {
    dosFiles({
        {"Sar1701.Dat", tbuFile(kDosTurnoverWidths,
                                {dosTurnover("100", "170131", "7", "123456789012", "12,50", "25"),
                                 dosTurnover("110", "170131", "8", "", "1", "1"),
                                 dosTurnover("120", "170131", "9", "12345A", "1", "1"),
                                 dosTurnover("130", "", "10", " 123 456", "1", "1")})},
        {"Sar0812.Dat",
         tbuFile(kDosTurnoverWidths, {dosTurnover("510", "081215", "1", "1", "30,126", "301,26")})},
        {"Sar9812.Dat",
         tbuFile(kDosTurnoverWidths, {dosTurnover("510", "981231", "1", "1", "30,126", "301,26")})},
        {"Sar1700.Dat", tbuFile(kDosTurnoverWidths, {dosTurnover("100", "", "1", "1", "1", "1")})},
    });
    const DosImportResult r = KonvObraty(*ts);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.written,
              (Row{data("081201SarO.Cds"), data("170101SarO.Cds"), data("981201SarO.Cds")}));
    EXPECT_TRUE(ts.dialogs.saw("Vynechano vet bez platneho cisla materialu: 2"));

    const Records t = table(data("170101SarO.Cds"));
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0], (Row{"17",
                              "01",
                              "01",
                              "02",
                              "03",
                              "00012",
                              "100",
                              "04",
                              "05",
                              "06",
                              "Prijemka  ",
                              "31.01.2017",
                              "",
                              "0007",
                              "123456789012",
                              padRight("Plech", 25),
                              "123",
                              "005",
                              "CIN  ",
                              "ZAK1      ",
                              "KONTO   ",
                              "12,50     ",
                              "ks ",
                              numberToText(16, 3, 2),
                              numberToText(15, 2, 25),
                              padRight("polozka", 30)}));
    EXPECT_EQ(t.rows[1][14], " 123 456    ");
    EXPECT_EQ(t.rows[1][11], "");

    for (const auto& [name, date] :
         {std::pair{"081201SarO.Cds", "15.12.2008"}, std::pair{"981201SarO.Cds", "31.12.1998"}}) {
        const Records k = table(data(name));
        ASSERT_EQ(k.rows.size(), 1u) << name;
        EXPECT_EQ(k.rows[0][11], date);
        EXPECT_EQ(k.rows[0][21], "     1,000");
        EXPECT_EQ(k.rows[0][24], numberToText(15, 2, 10));
        EXPECT_EQ(k.rows[0][23], numberToText(16, 3, 2));
    }
}

TEST_F(DosImport, UnusableDosDirectory) {
    struct Case {
        const char* line4;
        const char* message;
    };
    for (const Case& c :
         {Case{"", "neni uveden adresar dat DOS verze"}, Case{"D:\\Chybi", "nebyl nalezen"},
          Case{"D:\\LSarW\\Xml", "nebyl nalezen zadny soubor SarSRRMM.Dat"}}) {
        ts.write("D:\\LSarW\\PomSoub\\SarInic.TXT",
                 "01 Podnik\r\n03 Sprava\r\n01 Stredisko\r\n" + std::string(c.line4) + "\r\n");
        ts.dialogs.clear();
        const DosImportResult r = KonvStavy(*ts);
        EXPECT_FALSE(r.complete) << c.line4;
        EXPECT_TRUE(r.written.empty()) << c.line4;
        EXPECT_EQ(ts.dialogs.count(Kind::Warning), 1) << c.line4;
        EXPECT_TRUE(ts.dialogs.saw(c.message)) << c.line4;
        expectPeriodKept();
    }
}

TEST(DosRecords, DatesAndKorunaYears) {
    const std::pair<const char*, const char*> dates[] = {
        {"170131", "31.01.2017"}, {"500101", "01.01.2050"}, {"510101", "01.01.1951"},
        {"      ", ""},           {"17013 ", "17013"},      {"17a131", "17a131"}};
    for (const auto& [dos, date] : dates) EXPECT_EQ(dosDate(dos), date) << dos;
    for (const char* y : {"00", "08", "51", "99"}) EXPECT_TRUE(dosYearInKoruny(y)) << y;
    for (const char* y : {"09", "26", "50", "  ", "8"}) EXPECT_FALSE(dosYearInKoruny(y)) << y;
    EXPECT_EQ(korunyToEuro("    30,126", 3), "     1,000");
    EXPECT_EQ(korunyToEuro("         301,26", 2), "          10,00");
    EXPECT_EQ(korunyToEuro("          ", 3), "          ");
}

} // namespace
