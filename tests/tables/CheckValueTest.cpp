#include "tables/model/CheckValue.h"

#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

// Puts one field of the given type, width and check mode into the current definition.
int defineField(Session& s, const std::string& type, int width, const std::string& checkMode = "") {
    FieldDef f;
    f.type = type;
    f.width = width;
    f.checkMode = checkMode;
    s.def.fields.push_back(f);
    return s.def.fieldCount();
}

void setToday(test::TestSession& t, int y, int m, int d) {
    DateTime dt;
    dt.year = y;
    dt.month = m;
    dt.day = d;
    t->platform().setFixedDate(dt);
}

} // namespace

TEST(CheckValue, NormalisesByType) {
    struct Case {
        const char* type;
        int width;
        const char* in;
        const char* out;
    } cases[] = {
        {"LN", 5, "12   ", "00012"},
        {"LN", 5, " 12", "00012"},  // leading blanks of a code do not stay inside it
        {"R2", 5, "12", "00012"},
        {"O4", 4, "7", "0007"},
        {"LM", 5, "12   ", "   12"},
        {"LN", 3, "12345", "345"}, // the last w characters
        {"LN", 5, "", "00000"},
        {"PM", 4, "ab", "ab  "},
        {"PN", 4, "ab", "ab00"},
        {"PM", 3, "abcdef", "abc"}, // the first w characters
        {"N2", 8, "3,456", "    3,46"},
        {"N2", 8, "0", "        "},
        {"N2", 8, "0,004", "        "},
        {"N2", 8, "-2,675", "   -2,68"}, // half away from zero
        {"N0", 4, "-2,5", "  -3"},
        {"N2", 10, "1 234,5 Kc", "   1234,50"},
        {"N2", 5, "1234,5", " 1235"},    // decimals dropped until it fits
        {"N5", 10, "1,2", "   1,00000"}, // d = 5 rounds to halves
        {"N5", 10, "1,3", "   1,50000"},
        {"N5", 10, "-1,8", "  -2,00000"},
        {"NX", 4, "7,6", "   8"}, // a non-digit gives no decimals
        {"ME", 10, "x", "x"},
        {"XY", 4, "ab", "ab"},
        {"LX", 4, "ab", "ab"},
        {"", 4, "ab", "ab"},
    };
    test::TestSession t;
    for (const auto& c : cases) {
        t->def.clear();
        int f = defineField(*t, c.type, c.width);
        std::string v = c.in;
        EXPECT_TRUE(CheckValue(*t, v, f, ' ')) << c.type << " " << c.in;
        EXPECT_EQ(v, c.out) << c.type << " " << c.in;
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(CheckValue, CheckModes) {
    test::TestSession t;
    const int free = defineField(*t, "XY", 10);
    const int ownC = defineField(*t, "XY", 10, "C");
    const int ownNone = defineField(*t, "XY", 10);
    const int ownV = defineField(*t, "PM", 6, "V");
    const int number = defineField(*t, "N2", 8);
    const int text = defineField(*t, "LM", 6);
    struct Case {
        int field;
        char mode;
        const char* in;
        bool valid;
        const char* out;
    } cases[] = {
        {free, '-', "12-3", true, "12-3"},
        {free, '-', "12 3", false, "12 3"},
        {free, 'C', "12 3", true, "12 3"},
        {free, 'C', "12,3", false, "12,3"},
        {free, 'c', "12a", false, "12a"}, // the mode is upper-cased
        {free, 'N', "1.234,5- ", true, "1.234,5- "},
        {free, 'N', "12a", false, "12a"},
        {free, 'A', "any thing", true, "any thing"},
        {free, '-', "", true, ""},
        {free, 'C', "", true, ""},
        {free, 'N', "", true, ""},
        {ownC, 'X', "12a", false, "12a"},
        {ownC, 'x', "12", true, "12"},
        {ownNone, 'X', "12a", true, "12a"},
        // Czech upper-casing; u with ring becomes U with acute.
        {free, 'V', "\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2", true, "\x8ELU\x8DOU\xC8K\xDD K\xDA\xD2"},
        {ownV, 'X', "ab\xE8", true, "AB\xC8   "},
        {number, 'Z', "0", true, "    0,00"}, // zero shown
        {number, 'Z', "-1,5", true, "   -1,50"},
        {number, 'C', "3,456", false, "    3,46"},
        {text, 'Z', "abc", true, "     0"}, // no decimals: digits and blanks only
        {text, 'Z', "-3", false, "    -3"},
    };
    for (const auto& c : cases) {
        std::string v = c.in;
        EXPECT_EQ(CheckValue(*t, v, c.field, c.mode), c.valid) << c.field << c.mode << c.in;
        EXPECT_EQ(v, c.out) << c.field << c.mode << c.in;
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

TEST(CheckValue, Dates) {
    test::TestSession t;
    setToday(t, 2017, 5, 17);
    const int date = defineField(*t, "DT", 10);
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"5.3.17", "05.03.2017"}, {"5", "05.05.2017"},  {"5,3,1999", "05.03.1999"},
        {"", "          "},       {"  ", "          "},
    };
    for (const auto& c : cases) {
        std::string v = c.in;
        // The date is then checked as a number, whatever mode was asked for.
        EXPECT_TRUE(CheckValue(*t, v, date, 'C')) << c.in;
        EXPECT_EQ(v, c.out) << c.in;
    }
    EXPECT_TRUE(t.dialogs.boxes.empty());

    std::string v = "31.2.2017";
    EXPECT_TRUE(CheckValue(*t, v, date, 'X'));
    EXPECT_EQ(v, "          ");
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].kind, ScriptedDialogs::Kind::Warning);
    EXPECT_EQ(t.dialogs.boxes[0].text, "31.02.2017\r\rChybne uvedene Datum !");
}

TEST(CheckValue, FieldOutsideTheDefinition) {
    test::TestSession t;
    std::string v = "12";
    EXPECT_FALSE(CheckValue(*t, v, 1, 'C')); // empty definition
    defineField(*t, "LN", 5);
    for (int f : {0, -1, 2, 201}) {
        EXPECT_FALSE(CheckValue(*t, v, f, 'A')) << f;
        EXPECT_EQ(v, "12");
    }
    EXPECT_TRUE(CheckValue(*t, v, 1, 'A'));
    EXPECT_EQ(v, "00012");
}
