// The checks that sorting, summing and field selection make before they write anything.
#include "tables/library/TCdsProc.h"

#include "shell/Session.h"
#include "tables/SortTestUtil.h"

#include <functional>

using namespace sarw;
namespace ts = sarw::test::sorting;
using test::DefLine;

namespace {

const std::vector<DefLine> kLines = {{3, "Kod"}, {6, "Nazev"}, {8, "Mnoz", "N2"}};

enum Op { Sort, Reduce, Sum, SumByFiles };

struct Case {
    const char* what;
    std::function<void(test::TestSession&)> spoil;
    // Expected message for SortF and RedF, and for SumF when it differs (empty: the same).
    std::string message, sumMessage;
};

std::string counted(const std::string& file, int n) {
    return file + ":" + std::string(6 - std::to_string(n).size(), ' ') + std::to_string(n);
}

bool run(TCdsProc& proc, Op op) {
    switch (op) {
    case Sort:
        return proc.SortF(false);
    case Reduce:
        return proc.RedF();
    case Sum:
        return proc.SumF();
    case SumByFiles:
        return proc.SumFRecordFiles();
    }
    return false;
}

} // namespace

TEST(SortChecks, NothingIsWrittenWhenTheKeysOrTheTableDoNotFitTheDefinition) {
    const std::string in = "C:\\Data\\In.Cds", def = "C:\\Def\\In.Def";
    const std::vector<Case> cases = {
        {"no key list", [](test::TestSession& t) { t->cds.KeyCount = 0; },
         "Nebyl zadan seznam slov pro vytvoreni nove vety !", ""},
        {"a field more in the definition",
         [&](test::TestSession& t) {
             t.write(def, ts::defOf({{3, "Kod"}, {6, "Nazev"}, {8, "Mnoz", "N2"}, {2, "X"}}));
         },
         counted(in, 3) + "\r" + counted(def, 4) +
             "\r\rSkutecny pocet slov vety se nerovna poctu slov vypocitanemu !",
         counted(in, 3) + "\r" + counted(def, 4) +
             "\r\rPocet slov vety souboru se nerovna poctu slov vypoctenych"},
        {"another record length",
         [&](test::TestSession& t) {
             t.write(def, ts::defOf({{3, "Kod"}, {7, "Nazev"}, {8, "Mnoz", "N2"}}));
         },
         counted(in, 17) + "\r" + counted(def, 18) +
             "\r\rSkutecna delka vety se nerovna delce vety vypoctene !",
         in + "\r\r" + def + "\r\rDelka vety souboru se nerovna delce vypoctene"},
        {"a key beyond the record", [](test::TestSession& t) { t->cds.KeyFields[1] = 4; },
         "Seznam slov obsahuje slovo 4, veta ma 3 slov !", ""},
        {"a field twice", [](test::TestSession& t) { t->cds.KeyFields[1] = 1; },
         "Slovo 1 je v seznamu slov vicekrat !", ""},
    };
    for (const Case& c : cases) {
        for (Op op : {Sort, Reduce, Sum, SumByFiles}) {
            SCOPED_TRACE(std::string(c.what) + ", operation " + std::to_string(op));
            test::TestSession t;
            t->retryDelayMs = 0;
            ts::makeWorkDirs(t);
            t.write(def, ts::defOf(kLines));
            ts::saveTable(t, in, ts::tableOf(kLines, {{"1", "A", "1"}, {"2", "B", "2"}}));
            CdsParams& p = t->cds;
            p.InFile = in;
            p.InDef = def;
            p.OutFile = "C:\\Data\\Out.Cds";
            p.WorkDef = "C:\\Data\\Out.Def";
            p.KeyCount = 2;
            p.KeyFields[0] = 1;
            p.KeyFields[1] = 2;
            c.spoil(t);
            EXPECT_FALSE(run(t->cdsProc(), op));
            const bool sum = op == Sum || op == SumByFiles;
            const std::string expected = sum && !c.sumMessage.empty() ? c.sumMessage : c.message;
            ASSERT_EQ(t.dialogs.boxes.size(), 1u);
            EXPECT_EQ(t.dialogs.boxes[0].text, expected);
            EXPECT_FALSE(t.exists(p.OutFile));
            EXPECT_FALSE(t.exists(p.WorkDef));
            if (std::string(c.what) == "no key list") {
                EXPECT_EQ(sum ? t->dat.DatKeyCount : p.KeyCount, 0);
            }
        }
    }
}
