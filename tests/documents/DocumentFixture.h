#pragma once

// The demo data disk D: in period 26 02 with the document form opened on it, and small turnover
// tables written from rows.
#include "documents/DocumentForm.h"
#include "documents/DocumentOpening.h"
#include "period/Period.h"
#include "period/PeriodFiles.h"
#include "platform/ScriptedDialogs.h"
#include "shell/NumText.h"
#include "start/Install.h"
#include "start/Startup.h"
#include "stock/TSarProc.h"
#include "support/InstallData.h"
#include "support/TestSession.h"
#include "tables/library/CdsTable.h"
#include "tables/library/TCdsProc.h"

#include <gtest/gtest.h>

namespace sarw::test::documents {

using Row = std::vector<std::string>;
using Kind = ScriptedDialogs::Kind;

// A turnover record of document `number` of unit 01 03 01: item `item`, material and quantity.
inline Row turnover(const std::string& number, const std::string& item, const std::string& material,
                    double quantity, const std::string& type = "100",
                    const std::string& link = "00000") {
    return {"26",
            "02",
            "01",
            "03",
            "01",
            number,
            type,
            "01",
            "03",
            "01",
            "Doklad",
            "10.02.2026",
            link,
            item,
            material,
            "Text",
            "112",
            "010",
            "",
            "",
            "",
            numberToText(10, 2, 2),
            "KS ",
            numberToText(16, 3, quantity),
            numberToText(15, 2, 2 * quantity),
            "polozka"};
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallResult r;
        ASSERT_TRUE(installDataDisk(*ts, "D:", installData(), true, r));
        ts->dataDisk = "D:";
        ts->programsDir = "D:\\LSarW\\Programy";
        ts->retryDelayMs = 1;
        ts->writeLockWaitMs = 10;
        ts->platform().setFixedDate(DateTime{2026, 2, 15, 0, 0, 0});
        createTrees(*ts);
        ASSERT_TRUE(ReadPeriod(*ts));
        turnovers = turnoverFileName(*ts);
        ASSERT_TRUE(openDocumentForm(*ts, form));
        ts.dialogs.clear();
    }
    void writeTurnovers(const std::vector<Row>& rows) {
        ts->cds.DefFile = turnoverDefName(*ts);
        CdsTable t;
        ts->cdsProc().MakeTableVirt(t);
        for (const Row& r : rows) t.data.appendTexts(r);
        ASSERT_TRUE(t.saveToFile(*ts, turnovers));
    }
    std::vector<Row> stored() { return loadRecords(ts.path(turnovers)).rows; }
    // The stored records of one document number.
    std::vector<Row> storedOf(const std::string& number) {
        std::vector<Row> out;
        for (Row& r : stored())
            if (r[5] == number) out.push_back(r);
        return out;
    }
    // A document of unit 01 03 01 with items of the given materials, 1 piece at 2,00 each.
    void typeDocument(const std::string& number, const std::vector<std::string>& materials,
                      const std::string& type = "100") {
        Document& d = form.doc;
        const Row head = turnover(number, "0001", "", 0, type);
        for (int c = 1; c <= 13; ++c) d.head(c) = head[static_cast<size_t>(c - 1)];
        for (size_t i = 0; i < materials.size(); ++i) {
            const Row row = turnover(number, "", materials[i], 1, type);
            for (int k = 2; k <= 13; ++k)
                d.item(static_cast<int>(i + 1), k) = row[static_cast<size_t>(12 + k)];
        }
        form.DocModified = true;
    }

    TestSession ts;
    DocumentForm form;
    std::string turnovers;
};

} // namespace sarw::test::documents
