#include "shell/LSysDate.h"

#include "platform/ProgramHalt.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

void setToday(test::TestSession& t, int y, int m, int d) {
    DateTime dt;
    dt.year = y;
    dt.month = m;
    dt.day = d;
    t->platform().setFixedDate(dt);
}

} // namespace

TEST(LSysDate, CompletesTypedDatesWithTodaysParts) {
    test::TestSession t;
    setToday(t, 2017, 5, 17);
    struct Case {
        const char* typed;
        const char* result;
    } cases[] = {
        {"3", "03.05.2017"},         {"3.4", "03.04.2017"},   {"3.4.99", "03.04.1999"},
        {"29.2.2016", "29.02.2016"}, {" 1, 12, 20", "01.12.2020"}, {"", "          "},
        {"    ", "          "},      {"0.0.50", "17.05.2050"}, {"123.4.2017", "17.04.2017"},
    };
    for (const auto& c : cases) EXPECT_EQ(dateComplete(*t, c.typed), c.result) << c.typed;
    EXPECT_TRUE(t.dialogs.boxes.empty());

    EXPECT_EQ(dateComplete(*t, "29.2.2017"), "          ");
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].kind, ScriptedDialogs::Kind::Warning);
    EXPECT_EQ(t.dialogs.boxes[0].text, "29.02.2017\r\rChybne uvedene Datum !");
    EXPECT_EQ(dateComplete(*t, "1.1.2051"), "          ");
}

TEST(LSysDate, TodayAndTheStartupCheck) {
    test::TestSession t;
    setToday(t, 2026, 12, 1);
    EXPECT_EQ(today(*t), "01.12.2026");
    EXPECT_NO_THROW(startupDateCheck(*t));
    setToday(t, 2051, 1, 1);  // a date the date check refuses halts the start
    EXPECT_THROW(startupDateCheck(*t), ProgramHalt);
    setToday(t, 1949, 1, 1);
    EXPECT_THROW(today(*t), ProgramHalt);
    EXPECT_TRUE(t.dialogs.saw("Operacni system ma nastaven spatny format Datumu !"));
}

TEST(LSysDate, BlanksTrimsAndPads) {
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank("   "));
    EXPECT_FALSE(isBlank(" a "));
    EXPECT_EQ(removeBlanks(" C:\\DOS DATA "), "C:\\DOSDATA");
    EXPECT_EQ(shortenBlankRuns("a          b  c", 10), "a         b  c");
    EXPECT_EQ(shortenBlankRuns("a     b", 3), "a  b");
    EXPECT_EQ(trimBoth("  x y  "), "x y");
    EXPECT_EQ(trimRight("  x  "), "  x");
    EXPECT_EQ(trimLeft("  x  "), "x  ");
    EXPECT_EQ(padRight("ab", 4), "ab  ");
    EXPECT_EQ(padLeft("ab", 4, '0'), "00ab");
    EXPECT_EQ(padLeft("abcdef", 4), "abcdef");
}
