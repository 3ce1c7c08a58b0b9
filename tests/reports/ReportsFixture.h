#pragma once

#include "support/InstallData.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarw::test {

using Row = std::vector<std::string>;

// A demo data disk D: (period 26 02, company 01) with the trees the program makes at its start
// and the date fixed at 10.12.2026.
class ReportsFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // A table file made from a definition and filled with rows of texts.
    void writeTable(const std::string& name, const std::string& def, const std::vector<Row>& rows);
    void writeTurnovers(const std::string& name, const std::vector<Row>& rows);
    void writeStates(const std::string& name, const std::vector<Row>& rows);
    // Opening states of 26 02 and its turnovers: plant 01 holds 10 KG worth 100 of material
    // 112010000001, receives 5 worth 60 and issues 3 worth 30 (current state 12 worth 130);
    // plant 02 holds 4 KG worth 8 of material 200000000001 and moves nothing.
    void writeSmallStock();
    std::vector<Row> rows(const std::string& name) { return loadRecords(ts.path(name)).rows; }
    static std::string data(const std::string& name) { return "D:\\LSarW\\Data\\" + name; }

    TestSession ts;
};

// A turnover of 26 fields: period 26 02, the units, document, movement type, material, text,
// group, quantity and value; the other fields as given by the overrides (1-based field, text).
struct Turnover {
    std::string plant = "01", unit = "03", centre = "01";
    std::string document = "00001", movement = "100";
    std::string material = "112010000001", text = "Plech", group = "010";
    std::string quantity{}, value{};
    std::vector<std::pair<int, std::string>> other{};
};
Row turnover(const Turnover& t);

// A state of 13 fields for period 26 01.
Row state(const std::string& plant, const std::string& unit, const std::string& centre,
          const std::string& material, const std::string& quantity, const std::string& value);

// A number as the computations write it (decimal comma, right-aligned, zero as blanks).
std::string quantityText(double v);
std::string valueText(double v);

} // namespace sarw::test
