#pragma once

// A data disk D: as installed (without demo data), in period 17 05, and small state and
// turnover tables written from rows.
#include "period/Period.h"
#include "platform/ScriptedDialogs.h"
#include "shell/NumText.h"
#include "shell/WorkFiles.h"
#include "start/Install.h"
#include "stock/TSarProc.h"
#include "support/InstallData.h"
#include "support/TestSession.h"
#include "tables/library/TCdsProc.h"
#include "start/Startup.h"

#include <gtest/gtest.h>

namespace sarw::test::stock {

using Row = std::vector<std::string>;
using Kind = ScriptedDialogs::Kind;

// A state record: unit "01 01 <centre>", material, text, unit of measure, quantity, value.
inline Row state(const std::string& centre, const std::string& material, const std::string& text,
                 const std::string& unit, double qty, double value) {
    return {"17",        "04", "01", "01", centre, material, text, material.substr(0, 3), "010",
            numberToText(10, 2, qty ? value / qty : 0), unit, numberToText(16, 3, qty),
            numberToText(15, 2, value)};
}

// A turnover record of document `doc` with movement type `type`.
inline Row turnover(const std::string& type, const std::string& centre,
                    const std::string& material, const std::string& text,
                    const std::string& unit, double qty, double value,
                    const std::string& doc = "00007") {
    return {"17", "05", "01", "01", centre, doc, type, "01", "01", centre, "Doklad", "03.05.2017",
            "",   "0001", material, text, material.substr(0, 3), "010", "", "", "",
            numberToText(10, 2, qty ? value / qty : 0), unit, numberToText(16, 3, qty),
            numberToText(15, 2, value), "polozka"};
}

class StockTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallResult r;
        ASSERT_TRUE(installDataDisk(*ts, "D:", installData(), false, r));
        ts->dataDisk = "D:";
        ts->programsDir = "D:\\LSarW\\Programy";
        ts->retryDelayMs = 1;
        ts->platform().setFixedDate(DateTime{2017, 5, 20, 0, 0, 0});
        createTrees(*ts);
        setPeriod("17 05");
        ts.dialogs.clear();
        ts.dialogs.progressShows = ts.dialogs.progressCloses = 0;
    }
    void setPeriod(const std::string& p) {
        ts->period.Period = p;
        ASSERT_TRUE(StorePeriod(*ts));
    }
    // A table file made from a definition, with the given records.
    void writeTable(const std::string& name, const std::string& def, const std::vector<Row>& rows) {
        ts->cds.DefFile = def;
        CdsTable t;
        ts->cdsProc().MakeTableVirt(t);
        for (const Row& r : rows) t.data.appendTexts(r);
        ASSERT_TRUE(t.saveToFile(*ts, name));
    }
    void writeStates(const std::string& name, const std::vector<Row>& rows) {
        writeTable(name, stateDefName(*ts), rows);
    }
    void writeTurnovers(const std::string& name, const std::vector<Row>& rows) {
        writeTable(name, turnoverDefName(*ts), rows);
    }
    std::vector<Row> rows(const std::string& name) { return loadRecords(ts.path(name)).rows; }
    // Records with every field trimmed of its blanks on both sides.
    std::vector<Row> trimmed(const std::string& name) {
        std::vector<Row> out = rows(name);
        for (Row& r : out)
            for (std::string& f : r) {
                f.erase(f.find_last_not_of(' ') + 1);
                f.erase(0, f.find_first_not_of(' '));
            }
        return out;
    }
    std::string data(const std::string& name) { return "D:\\LSarW\\Data\\" + name; }
    std::string work(const std::string& name) { return std::string(kWorkDir) + "\\" + name; }

    TestSession ts;
};

} // namespace sarw::test::stock
