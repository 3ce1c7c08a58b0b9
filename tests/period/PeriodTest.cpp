#include "period/Period.h"
#include "platform/Platform.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using Kind = ScriptedDialogs::Kind;

namespace {

const std::string kFile = "C:\\A_Run\\PomSoub\\ObdobiSarW.Txt";

void setToday(test::TestSession& t, int y, int m, int d) {
    DateTime dt;
    dt.year = y;
    dt.month = m;
    dt.day = d;
    t->platform().setFixedDate(dt);
}

} // namespace

TEST(Period, Arithmetic) {
    struct Case {
        const char* in;
        const char* prev;
        const char* next;
    };
    const Case cases[] = {
        {"1705", "1704", "1706"}, {"17 05", "1704", "1706"}, {"1701", "1700", "1702"},
        {"1700", "1612", "1701"}, {"1712", "1711", "1801"},  {"0000", "9912", "0001"},
        {"0001", "0000", "0002"}, {"1715", "1714", "1801"},  {"9912", "9911", "0001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrevPeriod(c.in), c.prev) << c.in;
        EXPECT_EQ(NextPeriod(c.in), c.next) << c.in;
    }
    EXPECT_EQ(PrevYear("18"), "17");
    EXPECT_EQ(PrevYear("10"), "09");
    EXPECT_EQ(PrevYear("00"), "99");
}

TEST(Period, PeriodCheck) {
    for (const char* ok : {"17 05", "17 00", "17 20", "00 13"}) EXPECT_TRUE(periodCheck(ok)) << ok;
    for (const char* bad : {"1705", "17 21", "17-05", "17 5", "17 05 ", "1a 05", ""})
        EXPECT_FALSE(periodCheck(bad)) << bad;
}

TEST(Period, MissingFileGeneratesThePeriodFromToday) {
    test::TestSession t;
    setToday(t, 2017, 5, 17);
    t.write("C:\\A_Run\\PomSoub\\keep", "");

    ReadPeriod(*t);
    EXPECT_EQ(t->period.Period, "17 05");
    EXPECT_EQ(t->period.PeriodYear, "17");
    EXPECT_EQ(t->period.PeriodMonth, "05");
    ASSERT_EQ(t.dialogs.boxes.size(), 2u);
    EXPECT_EQ(t.dialogs.boxes[0].kind, Kind::Warning);
    EXPECT_NE(t.dialogs.boxes[0].text.find("ObdobiSarW.Txt"), std::string::npos);
    EXPECT_EQ(t.dialogs.boxes[1].kind, Kind::Information);
    EXPECT_EQ(t.dialogs.boxes[1].text,
              "Vygenerovano obdobi: 17 05\r\rProvedte prednostne opravu !");
    EXPECT_EQ(t.read(kFile), "17 05\r\n");

    // Read the next time without a word.
    t.dialogs.clear();
    t->period.Period.clear();
    ReadPeriod(*t);
    EXPECT_EQ(t->period.Period, "17 05");
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(Period, ReadTakesTheFirstFiveCharactersAndWarnsOnMalformedOnes) {
    struct Case {
        const char* content;
        const char* period;
        bool warned;
    };
    const Case cases[] = {
        {"17 05 and more\r\nnext line\r\n", "17 05", false},
        {"17 11", "17 11", false},
        {"1705\r\n", "1705", true},
        {"17 25\r\n", "17 25", true},
        {"", "", true},
    };
    for (const auto& c : cases) {
        test::TestSession t;
        t.write(kFile, c.content);
        ReadPeriod(*t);
        EXPECT_EQ(t->period.Period, c.period) << c.content;
        ASSERT_EQ(t.dialogs.boxes.size(), c.warned ? 1u : 0u) << c.content;
        if (c.warned) {
            EXPECT_EQ(t.dialogs.boxes[0].text, std::string("Chybne zadane obdobie: ") + c.period);
            EXPECT_EQ(t.dialogs.boxes[0].title, "Provedte prednostne opravu !");
        }
    }
}

TEST(Period, StoreRefusesAnInvalidPeriodAndKeepsTheFile) {
    test::TestSession t;
    t.write(kFile, "17 05\r\n");
    for (const char* bad : {"17 21", "17a05", "175", "17 05x"}) {
        t.dialogs.clear();
        t->period.Period = bad;
        EXPECT_FALSE(StorePeriod(*t)) << bad;
        ASSERT_EQ(t.dialogs.count(Kind::Warning), 1) << bad;
        EXPECT_EQ(t.dialogs.boxes[0].title, "Zmena nebude provedena !");
        EXPECT_EQ(t.read(kFile), "17 05\r\n");
    }
    // A compact period gets its blank; month 13 to 20 pass the check.
    t->period.Period = "1713";
    EXPECT_TRUE(StorePeriod(*t));
    EXPECT_EQ(t->period.Period, "17 13");
    EXPECT_EQ(t->period.PeriodMonth, "13");
    EXPECT_EQ(t.read(kFile), "17 13\r\n");
    EXPECT_TRUE(Platform::isReadOnly(t.path(kFile)));
    // A read-only file is rewritten all the same, and read again.
    t->period.Period = "18 01";
    EXPECT_TRUE(StorePeriod(*t));
    EXPECT_EQ(t.read(kFile), "18 01\r\n");
    t->period.Period.clear();
    ReadPeriod(*t);
    EXPECT_EQ(t->period.Period, "18 01");
}

TEST(Period, DialogFieldAndArrows) {
    for (const char* ok : {"1705", "1713", "1720", "1700"}) EXPECT_TRUE(periodFieldValid(ok)) << ok;
    for (const char* bad : {"17a5", "175", "17055", "1721", "17 5"})
        EXPECT_FALSE(periodFieldValid(bad)) << bad;

    test::TestSession t;
    EXPECT_FALSE(checkPeriodField(*t, "17a5"));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Chybne zadane obdobie !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Obdobie: 17a5");

    struct Step {
        const char* from;
        bool forward;
        const char* field;
    };
    const Step steps[] = {{"17 01", false, "1612"}, {"17 00", false, "1612"},
                          {"00 01", false, "9912"}, {"17 05", false, "1704"},
                          {"17 12", true, "1801"},  {"17 00", true, "1701"},
                          {"17 15", true, "1801"}};
    for (const auto& st : steps) {
        t->period.Period = st.from;
        const std::string field = st.forward ? stepPeriodForward(*t) : stepPeriodBack(*t);
        EXPECT_EQ(field, st.field) << st.from;
        EXPECT_EQ(t->period.Period, field.substr(0, 2) + " " + field.substr(2)) << st.from;
        EXPECT_EQ(t->period.PeriodYear + t->period.PeriodMonth, field) << st.from;
    }

    t.write("C:\\A_Run\\PomSoub\\keep", "");
    EXPECT_TRUE(takePeriodFromField(*t, "1713"));
    EXPECT_EQ(t.read(kFile), "17 13\r\n");
}

TEST(Period, SpanFileDefaultsValidationAndStore) {
    test::TestSession t;
    t.write("C:\\A_Run\\PomSoub\\keep", "");
    PeriodSpan sp = readPeriodSpan(*t);
    EXPECT_EQ(sp.from, "0201");
    EXPECT_EQ(sp.to, "2012");
    EXPECT_EQ(t->period.PeriodFrom, "0201");

    EXPECT_TRUE(periodSpanFieldValid("1713"));
    EXPECT_FALSE(periodSpanFieldValid("1714"));
    EXPECT_FALSE(periodSpanFieldValid("17x1"));
    EXPECT_FALSE(checkPeriodSpanField(*t, "1714"));
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Chybne zadane obdobi !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Obdobi: 1714");

    EXPECT_TRUE(storePeriodSpan(*t, "1701", "1713"));
    EXPECT_EQ(t.read(kPeriodSpanFile), "1701-1713\r\n");
    EXPECT_EQ(t->period.PeriodTo, "1713");
    t->period.PeriodFrom.clear();
    sp = readPeriodSpan(*t);
    EXPECT_EQ(sp.from, "1701");
    EXPECT_EQ(sp.to, "1713");
    EXPECT_EQ(t->period.PeriodFrom, "1701");
}
