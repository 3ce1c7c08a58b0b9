#include "tables/library/TCdsProc.h"

#include "CopyTestTables.h"
#include "shell/Session.h"
#include "support/DefText.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace sarw;

namespace {

// Files from elsewhere may hold anything: every import must end, write its table or refuse the
// input with a message, and keep every slice inside what it read.
class KonvUntrustedTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        t.write("C:\\D\\U.Def", test::defText({{4, "Kod", "LN"},
                                               {3, "Mezera", "ZS"},
                                               {10, "Datum", "DT"},
                                               {7, "Cena", "N2"},
                                               {20, "Naz", "PM"}}));
        t->cds.DefFile = "C:\\D\\U.Def";
        t->cds.TableFile = "C:\\D\\U.Cds";
        t->cds.SourceFile = "C:\\D\\U.In";
        t->platform().setFixedDate(DateTime{2017, 3, 5});
    }

    void importAll(const std::string& bytes) {
        t.write("C:\\D\\U.In", bytes);
        for (int konv = 0; konv <= 3; konv += 3) {
            const std::function<bool()> imports[] = {
                [&] { return proc.KonvTbuCds(konv); }, [&] { return proc.KonvFCds(konv); },
                [&] { return proc.KonvTxCds(konv); },
                [&] { return proc.KonvCsvCds(konv, ';', '"'); }};
            for (const auto& import : imports) {
                const std::size_t boxes = t.dialogs.boxes.size();
                if (import())
                    EXPECT_EQ(test::loadTable(t, "C:\\D\\U.Cds").fieldCount(), 4);
                else // a number field that holds no number
                    EXPECT_GT(t.dialogs.boxes.size(), boxes);
            }
        }
    }

    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

std::string tbuOf(unsigned recLen, std::string body) {
    std::string h = "HEADERHEADER";
    h += static_cast<char>(recLen & 0xFF);
    h += static_cast<char>(recLen >> 8);
    return h + body;
}

} // namespace

TEST_F(KonvUntrustedTest, OddRecordLengthsAndRandomBytesNeverBreakTheImports) {
    std::mt19937 rng(20170305);
    const std::string cases[] = {tbuOf(1, "abc"),
                                 tbuOf(14, std::string(100, 'x')),
                                 tbuOf(15, std::string(31, 'y')),
                                 tbuOf(65535, "tail"),
                                 tbuOf(44, std::string(400, '\0')),
                                 std::string(1, '\n'),
                                 std::string("1;2;3;4;5;6;7;8;9\r\n;;;;\n\"\"\"\n"),
                                 std::string(5000, ';'),
                                 std::string("99.99.9999 31.2.2017 x\r\n")};
    for (const auto& c : cases) importAll(c);
    for (int i = 0; i < 6; ++i) {
        std::string bytes(rng() % 700, '\0');
        for (char& b : bytes) b = static_cast<char>(rng());
        importAll(bytes);
    }
}

TEST_F(KonvUntrustedTest, ReportParametersOutOfEveryRangeNeverBreakTheImport) {
    t.write("C:\\D\\R.Ses", "one\r\n\f\r\ntwo two two\r\nthree\f\r\nfour\r\n");
    const std::string lines[] = {
        "999999999999999999\r\n-99999999999999999999999999999\r\n",
        "        -5\r\n       -10        -2\r\n 999999999       100\r\n         3         1\r\n",
        "         1\r\n         2         3\r\n\r\n         1 4444444444444444444\r\n",
    };
    for (const auto& rest : lines) {
        t.write("C:\\D\\U.In", "C:\\D\\R.Ses *\r\nC:\\D\\S.Cds *\r\nC:\\D\\U.Def *\r\n" + rest);
        EXPECT_TRUE(proc.KonvSesCdsG(3)) << rest;
        EXPECT_EQ(test::loadTable(t, "C:\\D\\S.Cds").fieldCount(), 4);
    }
}
