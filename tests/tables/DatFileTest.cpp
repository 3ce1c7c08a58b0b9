#include "tables/records/UDatProc.h"

#include "shell/Session.h"
#include "support/FileSizeLimit.h"
#include "shell/WorkFiles.h"
#include "tables/SortTestUtil.h"
#include "tables/library/TCdsProc.h"
#include "tables/sorting/CdsSortRecords.h"

#include <filesystem>

using namespace sarw;
namespace ts = sarw::test::sorting;
using test::DefLine;
using ts::Rows;

namespace {

// Record length 2 + 3 + 8 = 13.
const std::vector<DefLine> kLines = {{2, "Sklad"}, {3, "Kod"}, {8, "Mnoz", "N2"}};

class DatFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        ts::makeWorkDirs(t);
        t.write("C:\\Def\\In.Def", ts::defOf(kLines));
        DatParams& d = t->dat;
        d.DatIn = "C:\\Data\\In.Dat";
        d.DatInDef = "C:\\Def\\In.Def";
        d.DatOut = "C:\\Data\\Out.Dat";
        d.DatOutDef = "C:\\Data\\Out.Def";
        d.DatKeyCount = 1;
        d.DatKeyFields[0] = 2;
    }

    test::TestSession t;
};

} // namespace

TEST_F(DatFileTest, BindingChecksTheDefinitionAndTheFileSize) {
    struct Case {
        const char* what;
        std::string data; // absent when empty and `missing`
        bool missing;
        std::string def;
        bool bound;
        std::string message;
    };
    const std::string length =
        "Datovy soubor:  C:\\Data\\X.Dat\rDefinicni soubor:  C:\\Def\\X.Def\r\r"
        "Delka vety souboru se nerovna vypoctene delce";
    const std::vector<Case> cases = {
        {"empty file", "", false, ts::defOf({{10, "A"}}), true, ""},
        {"missing file", "", true, ts::defOf({{10, "A"}}), true, ""},
        {"25 bytes of records of 10", std::string(25, 'x'), false, ts::defOf({{10, "A"}}), false,
         length},
        {"record longer than 5000", "", false,
         ts::defOf({{999, "A"}, {999, "B"}, {999, "C"}, {999, "D"}, {999, "E"}, {6, "F"}}), false,
         "Veta obsahuje vice nez 5000 znaku !"},
        {"gap before a field", "", false, ts::defOf({{4, "A"}, {2, "Mezera", "ZS"}, {4, "B"}}),
         false, "Definice obsahuje mezery mezi poli, pro datovy soubor ji nelze pouzit !"},
        {"no fields", "", false, "kratky radek\r\n", false,
         "Definice nepopisuje zadne pole, datovy soubor nelze pouzit !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        t.dialogs.clear();
        std::filesystem::remove(t.path("C:\\Data\\X.Dat"));
        if (!c.missing) t.write("C:\\Data\\X.Dat", c.data);
        t.write("C:\\Def\\X.Def", c.def);
        DatFile f;
        EXPECT_EQ(DatInit(*t, f, "C:\\Data\\X.Dat", "C:\\Def\\X.Def"), c.bound);
        if (c.bound) {
            EXPECT_EQ(f.RecCount, 0);
            EXPECT_TRUE(t.dialogs.boxes.empty());
        } else {
            ASSERT_FALSE(t.dialogs.boxes.empty());
            EXPECT_EQ(t.dialogs.boxes[0].text, c.message);
        }
    }
    DatFile f;
    EXPECT_FALSE(DatInit(*t, f, "C:\\Data\\X.Dat", "C:\\Def\\Chybi.Def"));
}

TEST_F(DatFileTest, RecordsAreWrittenAndReadWithControlCharactersAsBlanks) {
    DatFile f;
    ASSERT_TRUE(DatRewrite(*t, f, "C:\\Data\\In.Dat", "C:\\Def\\In.Def"));
    EXPECT_EQ(f.RecLen, 13);
    EXPECT_EQ(f.PSl, 3);
    EXPECT_EQ(f.TP, (std::vector<std::uint16_t>{1, 3, 6}));
    EXPECT_EQ(f.TNS1[1].substr(0, 4), "Kod ");
    std::string buf;
    DatPutField(f, 1, "01", buf);
    DatPutField(f, 2, "ABCDEF", buf); // cut to the width
    DatPutField(f, 3, "1,5", buf);    // padded
    EXPECT_EQ(buf, "01ABC1,5     ");
    ASSERT_TRUE(DatWrite(f, buf));
    ASSERT_TRUE(DatWrite(f, std::string("02\tx\x01z  2,00")));
    ASSERT_TRUE(DatClose(f));
    EXPECT_EQ(t.read("C:\\Data\\In.Dat").size(), 26u);

    ASSERT_TRUE(DatReset(*t, f, "C:\\Data\\In.Dat", "C:\\Def\\In.Def", kDatRead));
    EXPECT_EQ(f.RecCount, 2);
    ASSERT_TRUE(DatRead(f, buf));
    EXPECT_EQ(DatGetField(f, 3, buf), "1,5     ");
    ASSERT_TRUE(DatRead(f, buf));
    EXPECT_EQ(buf, "02 x z  2,00 ");
    EXPECT_EQ(DatGetField(f, 2, buf), " x ");
    EXPECT_EQ(DatGetField(f, 4, buf), "");
    EXPECT_FALSE(DatRead(f, buf));
    DatClose(f);
}

TEST_F(DatFileTest, ReadingAndWritingShareOnePlaceAcrossTheBuffer) {
    // More records than one buffer holds, numbered.
    const int count = 30000;
    auto record = [](int i, char mark) {
        return std::to_string(1000000 + i).substr(1) + std::string(7, mark);
    };
    DatFile f;
    ASSERT_TRUE(DatRewrite(*t, f, "C:\\Data\\In.Dat", "C:\\Def\\In.Def"));
    for (int i = 0; i < count; ++i) ASSERT_TRUE(DatWrite(f, record(i, 'a')));
    ASSERT_TRUE(DatClose(f));

    // Read past the first buffer, overwrite the next ten, read on to the end.
    ASSERT_TRUE(DatReset(*t, f, "C:\\Data\\In.Dat", "C:\\Def\\In.Def", kDatReadWrite));
    EXPECT_EQ(f.RecCount, count);
    std::string buf;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        ASSERT_TRUE(DatRead(f, buf));
        ASSERT_EQ(buf, record(i, 'a')) << i;
        expected += buf;
    }
    for (int i = 20000; i < 20010; ++i) {
        ASSERT_TRUE(DatWrite(f, record(i, 'b')));
        expected += record(i, 'b');
    }
    for (int i = 20010; i < count; ++i) {
        ASSERT_TRUE(DatRead(f, buf));
        ASSERT_EQ(buf, record(i, 'a')) << i;
        expected += buf;
    }
    EXPECT_FALSE(DatRead(f, buf));
    ASSERT_TRUE(DatClose(f));
    EXPECT_EQ(t.read("C:\\Data\\In.Dat"), expected);
}

TEST_F(DatFileTest, AWriteThatFailsIsReportedWhenTheFileIsClosedAndTheOldFileStays) {
    const std::string old = "01ABC1,5     02DEF2,5     ";
    t.write("C:\\Data\\In.Dat", old);
    {
        DatFile f;
        ASSERT_TRUE(DatRewrite(*t, f, "C:\\Data\\In.Dat", "C:\\Def\\In.Def"));
        test::FileSizeLimit limit(1000);
        for (int i = 0; i < 100; ++i) ASSERT_TRUE(DatWrite(f, "03GHI1,5"));
        EXPECT_FALSE(DatClose(f));
    }
    EXPECT_EQ(t.read("C:\\Data\\In.Dat"), old);
    // A rewrite given up without closing leaves it too, and nothing beside it.
    {
        DatFile f;
        ASSERT_TRUE(DatRewrite(*t, f, "C:\\Data\\In.Dat", "C:\\Def\\In.Def"));
        ASSERT_TRUE(DatWrite(f, "03GHI1,5"));
    }
    EXPECT_EQ(t.read("C:\\Data\\In.Dat"), old);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(t->platform().native("C:\\Data")))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

namespace {

void writeRecords(test::TestSession& t, const std::string& name,
                  const std::vector<std::string>& recs) {
    std::string bytes;
    for (const auto& r : recs) bytes += r;
    t.write(name, bytes);
}

} // namespace

TEST_F(DatFileTest, SortWritesKeyFieldsFirstInKeyOrder) {
    writeRecords(t, "C:\\Data\\In.Dat",
                 {"01B      1,00", "02A      2,00", "03B      3,00", "04\xC8      4,00"});
    ASSERT_TRUE(DatSort(*t));
    EXPECT_EQ(t.read("C:\\Data\\Out.Dat"),
              "A  02    2,00B  01    1,00B  03    3,00\xC8  04    4,00");
    EXPECT_EQ(t.read("C:\\Data\\Out.Def"), test::defLine(2, kLines[1]) + "\r\n" +
                                               test::defLine(1, kLines[0]) + "\r\n" +
                                               test::defLine(3, kLines[2]) + "\r\n");

    t->dat.DatKeyCount = 0;
    EXPECT_FALSE(DatSort(*t));
    EXPECT_TRUE(t.dialogs.saw("Nebyl zadan seznam slov pro vytvoreni nove vety !"));

    t.dialogs.clear();
    t->dat.DatKeyCount = 1;
    std::filesystem::remove(t.path("C:\\Data\\In.Dat"));
    EXPECT_FALSE(DatSort(*t));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Soubor se nepodarilo setridit !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Soubor: C:\\Data\\In.Dat");
}

TEST_F(DatFileTest, SumWritesOneRecordPerKeyAndDropsZeroGroups) {
    writeRecords(t, "C:\\Data\\In.Dat", {"01A      1,50", "02B         0", "03A      2,25"});
    ASSERT_TRUE(DatSum(*t));
    // The store field is neither a key nor a number: it is left out.
    EXPECT_EQ(t.read("C:\\Data\\Out.Dat"), "A      3,75");
    EXPECT_EQ(t.read("C:\\Data\\Out.Def"),
              test::defLine(2, kLines[1]) + "\r\n" + test::defLine(3, kLines[2]) + "\r\n");
    EXPECT_FALSE(t.exists(kDatSumWorkData));
    EXPECT_FALSE(t.exists(kDatSumWorkDef));
    EXPECT_EQ(t->dat.DatOut, "C:\\Data\\Out.Dat");
}

TEST_F(DatFileTest, SumRefusesMoreNumericFieldsThanItCanHold) {
    std::vector<DefLine> lines = {{2, "Klic"}};
    for (int i = 0; i < 101; ++i) lines.push_back({1, "N" + std::to_string(i), "N0"});
    t.write("C:\\Def\\In.Def", ts::defOf(lines));
    writeRecords(t, "C:\\Data\\In.Dat", {"AA" + std::string(101, '1')});
    t->dat.DatKeyFields[0] = 1;
    EXPECT_FALSE(DatSum(*t));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text,
              "Soubor ma vice nez 100 ciselnych poli, nelze sumarizovat !");
    EXPECT_FALSE(t.exists("C:\\Data\\Out.Dat"));
    EXPECT_FALSE(t.exists(kDatSumWorkData));

    lines.pop_back(); // 100 fit
    t.write("C:\\Def\\In.Def", ts::defOf(lines));
    writeRecords(t, "C:\\Data\\In.Dat", {"AA" + std::string(100, '1')});
    ASSERT_TRUE(DatSum(*t));
    EXPECT_EQ(t.read("C:\\Data\\Out.Dat"), "AA" + std::string(100, '1'));
}

TEST_F(DatFileTest, TablesConvertToRecordFilesAndBack) {
    CdsParams& c = t->cds;
    c.TableFile = "C:\\Data\\T.Cds";
    c.DefFile = "C:\\Def\\In.Def";
    c.SourceFile = "C:\\Data\\T.Dat";
    ts::saveTable(t, c.TableFile, ts::tableOf(kLines, {{"1", "ABCDE", "  2,50"}, {"2"}}));
    ASSERT_TRUE(t->cdsProc().KonvCdsDat());
    EXPECT_EQ(t.read("C:\\Data\\T.Dat"), "1 ABC  2,50  2            ");

    c.TableFile = "C:\\Data\\Back.Cds";
    ASSERT_TRUE(t->cdsProc().KonvDatCds());
    Table back = ts::loadTable(t, c.TableFile);
    EXPECT_EQ(
        ts::rowsOf(back),
        (Rows{{"Sklad", "Kod", "Mnoz"}, {"1 ", "ABC", "  2,50  "}, {"2 ", "   ", "        "}}));
    EXPECT_EQ(back.fields[2].size, 15);

    // A table with a memo cannot become a record file.
    const std::vector<DefLine> memo = {{2, "Sklad"}, {3, "Pozn", "ME"}, {8, "Mnoz", "N2"}};
    ts::saveTable(t, "C:\\Data\\M.Cds", ts::tableOf(memo, {{"1", "x", "1"}}));
    c.TableFile = "C:\\Data\\M.Cds";
    EXPECT_FALSE(t->cdsProc().KonvCdsDat());
    EXPECT_EQ(t.dialogs.boxes.back().text, "Konverzi nelze provest !");
    EXPECT_EQ(t.dialogs.boxes.back().title, "Soubor:  C:\\Data\\M.Cds");
}

TEST(DatFieldFit, WideNumbersKeepTheirDigitsInNarrowerFields) {
    EXPECT_EQ(fitToFieldSize("           1234,50", 15), "        1234,50");
    EXPECT_EQ(fitToFieldSize("abc", 15), "abc");
    EXPECT_EQ(fitToFieldSize("abcdef", 4), "abcd");
}
