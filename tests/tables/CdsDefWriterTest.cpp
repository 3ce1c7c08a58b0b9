#include "tables/model/CdsDefWriter.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

Table oneField(int size, const std::vector<std::string>& values) {
    Table t;
    FieldInfo f;
    f.name = "Pole";
    f.size = size;
    t.fields.push_back(f);
    for (const auto& v : values) t.appendTexts({v});
    return t;
}

} // namespace

TEST(CdsDefWriter, TypeOfStringFieldFromItsValues) {
    struct Case {
        int size;
        std::vector<std::string> values;
        const char* type;
    } cases[] = {
        {10, {"12.05.2016", "          "}, "DT"},
        {4, {"0012", "0007", "0015"}, "LN"},
        {4, {"12  ", "7   ", "15  "}, "PM"},
        {5, {" 3,50", "12,00"}, "N2"},
        {5, {"   12", "   -7"}, "N0"},
        {6, {" 3,5", " 1,25", "2,125"}, "N3"},
        {6, {"1,2345"}, "PM"},
        {6, {"      ", ""}, "PM"},
        {6, {"12,05.", "abc"}, "PM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(typeFromValues(oneField(c.size, c.values), 0), c.type) << c.values[0];
}

TEST(CdsDefWriter, LinesForEveryKind) {
    Table t;
    auto add = [&](const char* name, FieldKind kind, int size, const char* subtype = "") {
        FieldInfo f;
        f.name = name;
        f.kind = kind;
        f.size = size;
        f.subtype = subtype;
        t.fields.push_back(f);
    };
    add("Kod", FieldKind::String, 5);
    add("Cena", FieldKind::Float, 8);
    add("Pocet", FieldKind::Int, 4);
    add("Mala", FieldKind::Int, 2);
    add("Slovo", FieldKind::UInt, 2);
    add("Ano", FieldKind::Bool, 2);
    add("Den", FieldKind::Date, 4);
    add("Poznamka", FieldKind::Memo, 0);
    add("Penize", FieldKind::Float, 8, "Money");
    t.appendTexts({"  1", "", "", "", "", "", "", "", ""});
    const std::string def = definitionFromTable(t);
    const std::string expected =
        "  5  1. Kod                             Kod                           N0\r\n"
        "  8  2. Cena                            Cena                          FL\r\n"
        "  4  3. Pocet                           Pocet                         IN\r\n"
        "  2  4. Mala                            Mal                           SI\r\n"
        "  2  5. Slovo                           Slo                           WO\r\n"
        "  1  6. Ano                             An                            BO\r\n"
        "  4  7. Den                             Den                           DT\r\n"
        "  0  8. Poznamka                        P                             ME\r\n"
        "  8  9. Penize                          Penize                        ZS\r\n";
    EXPECT_EQ(def, expected);
}
