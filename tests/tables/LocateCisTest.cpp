#include "tables/library/TCdsProc.h"

#include "support/TestSession.h"
#include "tables/LocateTestUtil.h"

#include <gtest/gtest.h>

using namespace sarw;
using test::stringTable;

namespace {

class LocateCisTest : public ::testing::Test {
protected:
    void SetUp() override {
        t->retryDelayMs = 0;
        std::filesystem::create_directories(t.path("C:\\Data"));
        std::vector<std::vector<std::string>> rows;
        const char* keys[] = {"01", "03", "03", "05", "07", "09", "11", "13", "15", "17"};
        for (int i = 0; i < 10; ++i) rows.push_back({keys[i], "v" + std::to_string(i + 1)});
        save(kMj, rows);
    }

    void save(const std::string& name, const std::vector<std::vector<std::string>>& rows) {
        CdsTable table = stringTable({{"Kod", 3}, {"Nazev", 10}}, rows);
        ASSERT_TRUE(table.saveToFile(*t, name));
    }

    // LocateCisRD or LocateCisRH with XResult and PorVt starting as "keep" and 99.
    struct Found {
        bool ok;
        int porVt;
        std::string result;
    };
    Found rd(const std::string& index) {
        Found f{false, 99, "keep"};
        f.ok = proc.LocateCisRD(index, f.result, f.porVt);
        return f;
    }
    Found rh(const std::string& index) {
        Found f{false, 99, "keep"};
        f.ok = proc.LocateCisRH(index, f.result, f.porVt);
        return f;
    }

    static constexpr const char* kMj = "C:\\Data\\Mj.Cds";
    test::TestSession t;
    TCdsProc& proc = t->cdsProc();
};

} // namespace

TEST_F(LocateCisTest, HalvingAndLinearSearchOfTheLoadedCodebook) {
    CdsTable table;
    ASSERT_TRUE(proc.LocateCisO(table, kMj, 1, 2));
    EXPECT_FALSE(table.active());

    struct Case {
        std::string index;
        bool ok;
        int porVt;
        std::string result;
    };
    const Case rdCases[] = {
        {"01", true, 1, "v1"},     {"03", true, 2, "v2"}, // the first of equal keys
        {"04", false, 4, "v4"},                           // the next greater key's value
        {"16", false, 10, "v10"},  {"17", true, 10, "v10"},
        {"00", false, -1, "keep"}, {"18", false, -1, "keep"}, // outside the keys
    };
    for (const auto& c : rdCases) {
        SCOPED_TRACE(c.index);
        Found f = rd(c.index);
        EXPECT_EQ(f.ok, c.ok);
        EXPECT_EQ(f.porVt, c.porVt);
        EXPECT_EQ(f.result, c.result);
    }
    const Case rhCases[] = {
        {"03", true, 2, "v2"},
        {"17", true, 10, "v10"},
        {"04", false, 99, "keep"},
        {"1", false, 99, "keep"}, // no prefix matches
    };
    for (const auto& c : rhCases) {
        SCOPED_TRACE(c.index);
        Found f = rh(c.index);
        EXPECT_EQ(f.ok, c.ok);
        EXPECT_EQ(f.porVt, c.porVt);
        EXPECT_EQ(f.result, c.result);
    }
}

TEST_F(LocateCisTest, HalvingFindsTheFirstOfEqualKeysInALargeCache) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 600; ++i) {
        std::string key = std::to_string(1000 + i / 3 * 2); // every key three times, gaps between
        rows.push_back({key, std::to_string(i)});
    }
    const std::string name = "C:\\Data\\Velky.Cds";
    CdsTable big = stringTable({{"Kod", 4}, {"Nazev", 5}}, rows);
    ASSERT_TRUE(big.saveToFile(*t, name));
    CdsTable table;
    ASSERT_TRUE(proc.LocateCisO(table, name, 1, 2));
    for (int i = 0; i < 600; i += 3) {
        Found d = rd(rows[size_t(i)][0]);
        Found h = rh(rows[size_t(i)][0]);
        ASSERT_TRUE(d.ok);
        ASSERT_EQ(d.porVt, i + 1);
        ASSERT_EQ(d.result, std::to_string(i));
        ASSERT_EQ(h.porVt, i + 1);
        Found between = rd(std::to_string(1000 + i / 3 * 2 + 1));
        if (i + 3 < 600) {
            ASSERT_FALSE(between.ok);
            ASSERT_EQ(between.porVt, i + 4);
        }
    }
}

TEST_F(LocateCisTest, AnEmptyCacheFindsNothing) {
    // Never loaded, released, and loaded from a table without records.
    save("C:\\Data\\Prazdny.Cds", {});
    CdsTable table;
    for (int step = 0; step < 3; ++step) {
        if (step == 1) {
            ASSERT_TRUE(proc.LocateCisO(table, kMj, 1, 2));
            proc.LocateCisC();
        }
        if (step == 2) {
            ASSERT_TRUE(proc.LocateCisO(table, "C:\\Data\\Prazdny.Cds", 1, 2));
        }
        SCOPED_TRACE(step);
        Found d = rd("01");
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.porVt, -1);
        EXPECT_EQ(d.result, "keep");
        Found h = rh("01");
        EXPECT_FALSE(h.ok);
        EXPECT_EQ(h.porVt, 99);
        EXPECT_FALSE(rd("").ok);
    }
}

TEST_F(LocateCisTest, LoadingReplacesTheCacheAlsoWhenItFails) {
    save("C:\\Data\\Druhy.Cds", {{"X", "jedna"}, {"Y", "dva"}});
    CdsTable table;
    // Columns the other way round: names as keys, codes as values.
    ASSERT_TRUE(proc.LocateCisO(table, "C:\\Data\\Druhy.Cds", 2, 1));
    EXPECT_EQ(rh("dva").result, "Y");
    ASSERT_TRUE(proc.LocateCisO(table, kMj, 1, 2));
    EXPECT_FALSE(rh("dva").ok);
    EXPECT_TRUE(rh("05").ok);

    EXPECT_FALSE(proc.LocateCisO(table, "C:\\Data\\Chybi.Cds", 1, 2));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
    EXPECT_FALSE(rh("05").ok);

    ASSERT_TRUE(proc.LocateCisO(table, kMj, 1, 2));
    EXPECT_FALSE(proc.LocateCisO(table, kMj, 1, 3));
    EXPECT_TRUE(t.dialogs.saw("Tabulka nema pole cislo 3"));
    EXPECT_FALSE(rd("05").ok);
    EXPECT_FALSE(table.active());
}

TEST_F(LocateCisTest, FindCdsReturnsTheFirstMatchOrNothing) {
    EXPECT_EQ(proc.FindCds(kMj, "03", 1, 2), "v2");
    EXPECT_EQ(proc.FindCds(kMj, "v7", 2, 1), "11");
    EXPECT_EQ(proc.FindCds(kMj, "04", 1, 2), "");
    EXPECT_TRUE(t.dialogs.boxes.empty());
    EXPECT_EQ(proc.FindCds(kMj, "03", 1, 0), "");
    EXPECT_TRUE(t.dialogs.saw("Tabulka nema pole cislo 0"));
    EXPECT_EQ(proc.FindCds("C:\\Data\\Chybi.Cds", "03", 1, 2), "");
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}

TEST_F(LocateCisTest, FindTabLoadsSearchesAndReleasesItsOwnCache) {
    // Unsorted, with a key twice: the first record's value counts.
    save("C:\\Data\\Ucty.Cds", {{"B", "druhy"}, {"A", "prvni"}, {"B", "treti"}});
    std::string pol = "x";
    EXPECT_FALSE(proc.FindTab(2, "A", pol));
    EXPECT_EQ(pol, "");
    ASSERT_TRUE(proc.FindTab(1, "", pol, "C:\\Data\\Ucty.Cds", 1, 2));
    // The codebook cache is a different one.
    CdsTable table;
    ASSERT_TRUE(proc.LocateCisO(table, kMj, 1, 2));
    EXPECT_TRUE(proc.FindTab(2, "B", pol));
    EXPECT_EQ(pol, "druhy");
    EXPECT_TRUE(proc.FindTab(2, "A", pol));
    EXPECT_EQ(pol, "prvni");
    EXPECT_FALSE(proc.FindTab(2, "C", pol));
    EXPECT_EQ(pol, "");
    EXPECT_TRUE(rh("05").ok);
    EXPECT_TRUE(proc.FindTab(3, "", pol));
    EXPECT_FALSE(proc.FindTab(2, "A", pol));
    EXPECT_FALSE(proc.FindTab(4, "A", pol));

    EXPECT_FALSE(proc.FindTab(1, "", pol, "C:\\Data\\Chybi.Cds", 1, 2));
    EXPECT_TRUE(t.dialogs.saw("nebyl nalezen"));
}
