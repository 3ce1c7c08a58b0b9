#include "reports/ReportsFixture.h"

#include "shell/NumText.h"
#include "start/Install.h"
#include "stock/TSarProc.h"
#include "tables/library/CdsTable.h"
#include "start/Startup.h"

namespace sarw::test {

void ReportsFixture::SetUp() {
    InstallResult r;
    ASSERT_TRUE(installDataDisk(*ts, "D:", installData(), true, r));
    ts->dataDisk = "D:";
    ts->programsDir = "D:\\LSarW\\Programy";
    ts->platform().setFixedDate(DateTime{2026, 12, 10, 0, 0, 0});
    createTrees(*ts);
    ts.dialogs.clear();
}

void ReportsFixture::writeTable(const std::string& name, const std::string& def,
                                const std::vector<Row>& rows) {
    TSarProc(*ts).MakeCdsFile(name, def);
    CdsTable t;
    t.fileName = name;
    ASSERT_TRUE(t.open(*ts));
    for (const Row& r : rows) t.data.appendTexts(r);
    ASSERT_TRUE(t.close(*ts));
}

void ReportsFixture::writeTurnovers(const std::string& name, const std::vector<Row>& rows) {
    writeTable(name, turnoverDefName(*ts), rows);
}

void ReportsFixture::writeStates(const std::string& name, const std::vector<Row>& rows) {
    writeTable(name, stateDefName(*ts), rows);
}

void ReportsFixture::writeSmallStock() {
    writeStates(data("260101SarS.Cds"),
                {state("01", "03", "01", "112010000001", quantityText(10), valueText(100)),
                 state("02", "01", "01", "200000000001", quantityText(4), valueText(8))});
    writeTurnovers(data("260201SarO.Cds"), {turnover({.document = "00011",
                                                      .movement = "110",
                                                      .quantity = quantityText(5),
                                                      .value = valueText(60),
                                                      .other = {{11, "Prijemka"}}}),
                                            turnover({.document = "00012",
                                                      .movement = "510",
                                                      .quantity = quantityText(3),
                                                      .value = valueText(30),
                                                      .other = {{11, "Vydejka"}}})});
}

Row turnover(const Turnover& t) {
    Row r(26);
    r[0] = "26";
    r[1] = "02";
    r[2] = t.plant;
    r[3] = t.unit;
    r[4] = t.centre;
    r[5] = t.document;
    r[6] = t.movement;
    r[11] = "05.02.2026";
    r[13] = "0001";
    r[14] = t.material;
    r[15] = t.text;
    r[16] = t.material.substr(0, 3);
    r[17] = t.group;
    r[22] = "KG";
    r[23] = t.quantity;
    r[24] = t.value;
    for (const auto& [f, v] : t.other) r[static_cast<std::size_t>(f - 1)] = v;
    return r;
}

Row state(const std::string& plant, const std::string& unit, const std::string& centre,
          const std::string& material, const std::string& quantity, const std::string& value) {
    return {"26",  "01", plant, unit,     centre, material, "Plech", material.substr(0, 3),
            "010", "",   "KG",  quantity, value};
}

std::string quantityText(double v) {
    return numberToText(16, 3, v);
}
std::string valueText(double v) {
    return numberToText(15, 2, v);
}

} // namespace sarw::test
