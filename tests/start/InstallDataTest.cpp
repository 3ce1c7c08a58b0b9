// The default installation's files as the program's parts read them.
#include "support/InstallData.h"
#include "support/TestSession.h"
#include "tables/model/ReadDef.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace sarw;
using namespace sarw::test;
namespace fs = std::filesystem;

namespace {

fs::path defSoub(const std::string& name) {
    return installData() / "LSarW/DefSoub" / name;
}
fs::path cisel(const std::string& name) {
    return installData() / "LSarW/Cisel" / name;
}

class InstallData : public ::testing::Test {
protected:
    // Reads an installed definition into the session; no message may come up.
    const Definition& read(const std::string& name) {
        EXPECT_TRUE(ReadDef(*ts, defSoub(name).string())) << name;
        EXPECT_TRUE(ts.dialogs.boxes.empty()) << name << ": " << ts.dialogs.boxes[0].text;
        return ts->def;
    }
    TestSession ts;
};

TEST_F(InstallData, DefinitionsHaveTheShapeTheirReadersNeed) {
    struct Case {
        const char* file;
        int fields, headCount, recLen;
    };
    for (const Case& c :
         {Case{"SarS.Def", 13, 0, 97}, Case{"SarO.Def", 26, 13, 193}, Case{"UctO.Def", 16, 0, 143},
          Case{"Mater.Def", 5, 0, 46}, Case{"Konta.Def", 2, 0, 38}, Case{"DosSarS.Def", 11, 0, 90},
          Case{"DosSarO.Def", 23, 0, 177}, Case{"DosDP.Def", 3, 0, 34}, Case{"DosMS.Def", 3, 0, 39},
          Case{"DosMater.Def", 4, 0, 43}}) {
        const Definition& d = read(c.file);
        EXPECT_EQ(d.fieldCount(), c.fields) << c.file;
        EXPECT_EQ(d.headCount, c.headCount) << c.file;
        EXPECT_EQ(d.recLen, c.recLen) << c.file;
        std::set<std::string> names;
        for (int f = 1; f <= d.fieldCount(); ++f) {
            const FieldDef& fd = d.field(f);
            EXPECT_GT(fd.width, 0) << c.file << " field " << f;
            EXPECT_TRUE(names.insert(fd.fieldName).second) << c.file << ": " << fd.fieldName;
            EXPECT_NE(fd.heading.find_first_not_of(' '), std::string::npos) << c.file << f;
        }
    }
}

// The computations sum quantity and value, never the unit price; states and turnovers share the
// widths of the fields they exchange.
TEST_F(InstallData, StateAndTurnoverNumbersFollowTheComputations) {
    Definition sars = read("SarS.Def");
    Definition saro = read("SarO.Def");
    auto numeric = [](const Definition& d) {
        std::set<int> n;
        for (int f = 1; f <= d.fieldCount(); ++f)
            if (d.field(f).type[0] == 'N') n.insert(f);
        return n;
    };
    EXPECT_EQ(numeric(sars), (std::set<int>{12, 13}));
    EXPECT_EQ(numeric(saro), (std::set<int>{24, 25}));
    EXPECT_EQ(sars.field(12).type, "N3");
    EXPECT_EQ(sars.field(12).width, 16);
    EXPECT_EQ(sars.field(13).type, "N2");
    EXPECT_EQ(sars.field(13).width, 15);
    EXPECT_EQ(sars.field(10).width, 10);
    const std::map<int, int> turnoverToState = {{1, 1},   {2, 2},   {3, 3},  {4, 4},  {5, 5},
                                                {15, 6},  {16, 7},  {17, 8}, {18, 9}, {22, 10},
                                                {23, 11}, {24, 12}, {25, 13}};
    for (auto [t, st] : turnoverToState) {
        EXPECT_EQ(saro.field(t).width, sars.field(st).width) << "turnover field " << t;
        EXPECT_EQ(saro.field(t).type, sars.field(st).type) << "turnover field " << t;
    }
    EXPECT_EQ(saro.field(6).width, 5);
    EXPECT_EQ(saro.field(7).width, 3);
    EXPECT_EQ(saro.field(12).type, "DT");
    EXPECT_EQ(saro.field(14).width, 4);
}

// The document form copies these codebooks to C:\A_Run\Aplikace\LSarW\Cisel when it opens.
TEST_F(InstallData, DocumentCodebooksAreTheLocalCopies) {
    const std::map<std::string, std::string> copies = {
        {"DP.Cds", "DP.Cds"}, {"MatSk.Cds", "26MatSk.Cds"}, {"Cinn.Cds", "26Cinn.Cds"},
        {"MJ.Cds", "MJ.Cds"}, {"Mater.Cds", "Mater.Cds"},   {"Konta.Cds", "26Konta.Cds"}};
    const std::string local = "C:\\A_Run\\Aplikace\\LSarW\\Cisel\\";
    const Definition d = read("SarO.Def");
    std::map<int, std::string> refs;
    for (int f = 1; f <= d.fieldCount(); ++f) {
        const FieldDef& fd = d.field(f);
        if (fd.jmSCis.empty()) continue;
        ASSERT_EQ(fd.jmSCis.rfind(local, 0), 0u) << fd.jmSCis;
        const std::string name = fd.jmSCis.substr(local.size());
        ASSERT_TRUE(copies.count(name)) << name;
        refs[f] = name;
        const Records cb = loadRecords(cisel(copies.at(name)));
        EXPECT_FALSE(name != "Mater.Cds" && cb.rows.empty()) << name;
        if (fd.ulozZ > 0 && fd.ulozDo > 0) {
            // A transfer writes item fields of the row from values of the codebook row.
            EXPECT_GE(fd.ulozDo, d.headCount + 1) << f;
            EXPECT_LE(fd.ulozDo + fd.ulozP - 1, d.fieldCount()) << f;
            EXPECT_LE(fd.ulozZ + fd.ulozP - 1, static_cast<int>(cb.fields.size())) << f;
        }
    }
    EXPECT_EQ(refs[7], "DP.Cds");
    EXPECT_EQ(refs[18], "MatSk.Cds");
    EXPECT_EQ(refs[23], "MJ.Cds");
    for (int header = 1; header <= 13; ++header)
        EXPECT_TRUE(header == 7 || !refs.count(header)) << "header field " << header;
}

// Tables the program makes from these definitions or sorts with them must have their structure:
// the codebooks that the DOS import replaces, the merged account list, the period tables.
TEST_F(InstallData, TablesLoadAndMatchTheirDefinitions) {
    const std::map<std::string, std::string> defOf = {{"DP.Cds", "DosDP.Def"},
                                                      {"26MatSk.Cds", "DosMS.Def"},
                                                      {"Mater.Cds", "Mater.Def"},
                                                      {"26Konta.Cds", "Konta.Def"}};
    int tables = 0;
    for (const auto& e : fs::recursive_directory_iterator(installData())) {
        if (e.path().extension() != ".Cds") continue;
        ++tables;
        const Records r = loadRecords(e.path());
        std::string def;
        const std::string name = e.path().filename().string();
        if (defOf.count(name)) def = defOf.at(name);
        if (name.find("SarS") != std::string::npos) def = "SarS.Def";
        if (name.find("SarO") != std::string::npos) def = "SarO.Def";
        if (def.empty()) continue;
        const Definition d = read(def);
        ASSERT_EQ(static_cast<int>(r.fields.size()), d.fieldCount()) << e.path();
        for (int f = 1; f <= d.fieldCount(); ++f) {
            EXPECT_EQ(r.fields[f - 1].name, d.field(f).fieldName) << e.path() << " " << f;
            EXPECT_EQ(r.fields[f - 1].size, d.field(f).width) << e.path() << " " << f;
            EXPECT_EQ(r.fields[f - 1].kind, FieldKind::String) << e.path() << " " << f;
        }
    }
    EXPECT_GE(tables, 16);
    // Customers and suppliers join the accounts under their first field, uncut.
    const Records konta = loadRecords(cisel("26Konta.Cds"));
    for (const char* file : {"Odber.Cds", "Dodav.Cds"}) {
        const Records r = loadRecords(installData() / "LOrbW/Cisel" / file);
        ASSERT_GE(r.fields.size(), std::string(file) == "Odber.Cds" ? 6u : 2u);
        EXPECT_LE(r.fields[0].size, konta.fields[0].size) << file;
    }
    const Records ucto = loadRecords(cisel("26Ucto.Cds"));
    ASSERT_GE(ucto.fields.size(), 4u);
    for (const auto& row : ucto.rows) EXPECT_EQ(row[2].size() + row[3].size(), 12u);
}

TEST_F(InstallData, DocumentFrameLeavesRoomForEveryValue) {
    const auto lines = textLines(defSoub("Dokl.Def"));
    ASSERT_GE(lines.size(), 9u);
    for (int l : {4, 8, 9}) EXPECT_GE(lines[l - 1].size(), 184u) << "line " << l;
    const Definition d = read("SarO.Def");
    const int header[] = {112, 116, 120, 124, 128, 132, 138, 142, 147, 152, 158, 168, 179};
    const int item[] = {2, 15, 41, 48, 53, 59, 70, 86, 97, 101, 118, 134};
    auto blankAt = [](const std::string& line, int pos, int width) {
        return line.substr(pos - 1, width).find_first_not_of(' ') == std::string::npos;
    };
    for (int c = 0; c < 13; ++c) {
        const int width = d.field(c + 1).width;
        EXPECT_LE(header[c] + width, c < 12 ? header[c + 1] : 184) << "header " << c + 1;
        EXPECT_TRUE(blankAt(lines[3], header[c], width)) << "header " << c + 1;
    }
    for (int c = 0; c < 12; ++c) {
        const int width = d.field(c + 15).width;
        // The items are padded to their widths, so each row fully covers the previous one.
        EXPECT_LE(item[c] + width, c < 11 ? item[c + 1] : 184) << "item field " << c + 15;
        EXPECT_TRUE(blankAt(lines[7], item[c], width)) << "item field " << c + 15;
    }
}

TEST_F(InstallData, TextFilesHoldWhatTheirReadersLookFor) {
    // Follow-on rules: first line skipped, then lines of at least 10 characters.
    const auto rules = textLines(defSoub("GenPoh.Def"));
    std::map<std::string, std::string> rule;
    for (size_t i = 1; i < rules.size(); ++i)
        if (rules[i].size() >= 10) rule[rules[i].substr(0, 3)] = rules[i].substr(3);
    ASSERT_TRUE(rule.count("500"));
    EXPECT_EQ(rule["500"].find_first_not_of(' '), rule["500"].find("100 O"));
    const Records dp = loadRecords(cisel("DP.Cds"));
    std::set<std::string> types;
    for (const auto& row : dp.rows) types.insert(row[0]);
    bool twoEntries = false;
    for (const auto& [type, entries] : rule) {
        EXPECT_TRUE(types.count(type)) << type;
        int n = 0;
        for (size_t p = entries.find_first_not_of(' '); p != std::string::npos;
             p = entries.find_first_not_of(' ', p + 5), ++n) {
            EXPECT_TRUE(types.count(entries.substr(p, 3))) << entries;
            EXPECT_NE(std::string("OPS").find(entries.substr(p + 4, 1)), std::string::npos);
        }
        twoEntries = twoEntries || n == 2;
    }
    EXPECT_TRUE(twoEntries);

    std::string inventory;
    for (const char* f : {"InvP.Def", "InvZ.Def"})
        for (const auto& l : textLines(defSoub(f))) inventory += l + "\n";
    EXPECT_NE(inventory.find("#DAT"), std::string::npos);
    EXPECT_NE(inventory.find("#OBD"), std::string::npos);
    EXPECT_GE(textLines(defSoub("InvR.Def")).size(), 2u);

    const auto inic = textLines(installData() / "LSarW/PomSoub/SarInic.TXT");
    ASSERT_GE(inic.size(), 4u);
    const auto tbu = textLines(installData() / "LSarW/TbuSoub/Sar_Uct.Tbu");
    ASSERT_GE(tbu.size(), 5u);
    EXPECT_EQ(tbu[1].rfind("\\LSarW\\", 0), 0u);
    for (const char* help : {"SarDokl.Rtf", "SarObn.Rtf"})
        EXPECT_EQ(readFile(installData() / "LSarW/Dokum" / help).rfind("{\\rtf1", 0), 0u);
}

} // namespace
