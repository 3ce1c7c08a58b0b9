#include "screens/ReportFixture.h"

#include "shell/Session.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

namespace sarw::test {

ReportFixture::ReportFixture() {
    t->platform().setFixedDate(DateTime{2017, 5, 17, 0, 0, 0});
    t->platform().setFixedTime(DateTime{0, 0, 0, 8, 30, 5});
    t.write(kDef, defText({{2, "Zav"},
                           {3, "Str"},
                           {6, "Material"},
                           {8, "Mno\x9Estvi", "N3"},
                           {10, "Hodnota", "N2"},
                           {6, "Nula", "N2"},
                           {4, "Pozn"}}));
    t.write("C:\\A_Run\\PomSoub\\ObdobiSarW.Txt", "17 05\r\n");
}

void ReportFixture::writeRows(const std::vector<std::vector<std::string>>& rows) {
    writeStringTable(t, kTable,
                     {{"Zav", 2}, {"Str", 3}, {"Material", 6}, {"Mnozstvi", 8}, {"Hodnota", 10},
                      {"Nula", 6}, {"Pozn", 4}},
                     rows);
}

SesRequest ReportFixture::request(long long pageLength) const {
    SesRequest r;
    r.tableFile = kTable;
    r.defFile = kDef;
    r.heading1 = "Stav skladu";
    r.pageLength = pageLength;
    return r;
}

std::string ReportFixture::generate(const SesRequest& r) {
    const std::string report = generateTableReport(*t, r);
    if (report.empty()) return {};
    EXPECT_EQ(report, "C:\\A_Run\\Sestavy\\SStav.Ses");
    return t.read(report);
}

std::string reportText(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

void writeStringTable(TestSession& t, const std::string& name,
                      const std::vector<std::pair<std::string, int>>& fields,
                      const std::vector<std::vector<std::string>>& rows) {
    Table table;
    for (const auto& [fieldName, size] : fields) {
        FieldInfo f;
        f.name = fieldName;
        f.size = size;
        table.fields.push_back(f);
    }
    for (const auto& row : rows) table.appendTexts(row);
    std::filesystem::create_directories(t.path(name).parent_path());
    std::string error;
    ASSERT_TRUE(writeTableFile(t.path(name), table, formatForName(name), error)) << error;
}

} // namespace sarw::test
