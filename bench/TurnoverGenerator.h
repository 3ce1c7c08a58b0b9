#pragma once

// A turnover table of the program's layout (26 text fields, the document header then the item)
// filled with generated documents, and its definition file, for the benchmarks.

#include "tables/model/Table.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace sarw::bench {

struct Rng {
    std::uint64_t s = 0x9E3779B97F4A7C15ull;
    std::uint32_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<std::uint32_t>(s >> 11);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

inline std::string padLeftTo(std::string s, std::size_t width) {
    return s.size() >= width ? s.substr(0, width) : std::string(width - s.size(), ' ') + s;
}

inline std::string padRightTo(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

inline std::string zeros(long v, int width) {
    std::string s = std::to_string(v);
    return std::string(static_cast<std::size_t>(width) - std::min<std::size_t>(s.size(), width),
                       '0') +
           s;
}

// Numbers as the program stores them: decimal comma, right-aligned.
inline std::string number(double v, int decimals, std::size_t width) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    for (char* p = buf; *p; ++p)
        if (*p == '.') *p = ',';
    return padLeftTo(buf, width);
}

struct TurnoverField {
    const char* name;
    int width;
    const char* type;
};

// Field 24 is the quantity, 25 the value; the unit price (22) is kept as text.
inline const std::vector<TurnoverField>& turnoverFields() {
    static const std::vector<TurnoverField> fields = {
        {"ROK", 2, "LN"},        {"MESIC", 2, "LN"},     {"ZAVOD", 2, "LN"},
        {"SPRAVA", 2, "LN"},     {"STREDISKO", 4, "PM"}, {"DOKLAD", 5, "LN"},
        {"POHYB", 3, "LN"},      {"PZAVOD", 2, "LN"},    {"PSPRAVA", 2, "LN"},
        {"PSTREDISKO", 4, "PM"}, {"TEXTDOK", 30, "PM"},  {"DATUM", 10, "PM"},
        {"VAZBA", 10, "PM"},     {"POLOZKA", 4, "LN"},   {"MATERIAL", 12, "PM"},
        {"NAZEV", 30, "PM"},     {"PREFIX", 3, "PM"},    {"SKUPINA", 4, "PM"},
        {"UCET1", 6, "PM"},      {"UCET2", 6, "PM"},     {"ZAKAZKA", 6, "PM"},
        {"CENA", 10, "PM"},      {"MJ", 3, "PM"},        {"MNOZSTVI", 16, "N3"},
        {"HODNOTA", 15, "N2"},   {"TEXTPOL", 30, "PM"},
    };
    return fields;
}

// The definition file: width, numbered name, heading and type in their columns; CR LF.
inline std::string turnoverDefinition() {
    std::string text;
    int n = 0;
    for (const auto& f : turnoverFields()) {
        char head[32];
        std::snprintf(head, sizeof head, "%3d %d. ", f.width, ++n);
        std::string line = padRightTo(head + std::string(f.name), 40) + f.name;
        line = padRightTo(line, 70) + f.type;
        text += line + "\r\n";
    }
    return text;
}

inline Table turnoverTable(std::size_t records) {
    static const char* kNames[] = {"Plech ocelovy 2 mm", "Sroub M8x40 pozink", "Barva syntet. seda",
                                   "Trubka Cu 15x1",     "Rukavice pracovni",  "Kabel CYKY 3x2,5"};
    static const char* kUnits[] = {"KS ", "KG ", "M  ", "L  ", "BAL"};
    static const char* kTexts[] = {"Prijem od dodavatele", "Vydej do vyroby", "Prevod mezi sklady",
                                   "Inventurni rozdil", "Vratka z vyroby"};
    Table t;
    for (const auto& fd : turnoverFields()) {
        FieldInfo f;
        f.name = fd.name;
        f.size = fd.width;
        t.fields.push_back(f);
    }
    t.reserve(records, records * (26 * 4 + 223));
    Rng rng;
    std::vector<std::string> row(26);
    std::vector<std::string_view> cells(26);
    for (std::size_t r = 0; r < records; ++r) {
        const long doc = static_cast<long>(r / 8);
        const bool issue = doc % 3 == 1;
        const int day = 1 + static_cast<int>(doc % 28);
        const double qty = (1 + rng.below(200000)) / 100.0;
        const double price = (50 + rng.below(500000)) / 100.0;
        const int material = rng.below(40000);
        row = {"24",
               "03",
               "01",
               "02",
               padRightTo(zeros(10 + doc % 40, 4), 4),
               zeros(doc % 100000, 5),
               issue ? "501" : "101",
               "01",
               "02",
               "0020",
               padRightTo(kTexts[doc % 5], 30),
               zeros(day, 2) + ".03.2024",
               padRightTo("", 10),
               zeros(static_cast<long>(r % 8) + 1, 4),
               padRightTo("1" + zeros(material, 7) + "01", 12),
               padRightTo(kNames[material % 6], 30),
               "1" + zeros(material / 400, 2),
               padRightTo(zeros(material % 90, 3), 4),
               "112100",
               issue ? "501100" : "321000",
               padRightTo(zeros(doc % 700, 6), 6),
               number(price, 2, 10),
               kUnits[material % 5],
               number(qty, 3, 16),
               number(qty * price, 2, 15),
               padRightTo("Polozka " + std::to_string(r), 30)};
        for (std::size_t i = 0; i < 26; ++i) cells[i] = row[i];
        t.appendRaw(cells.data());
    }
    return t;
}

} // namespace sarw::bench
