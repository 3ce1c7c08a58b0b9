// The sample files are files of other installations; they are read where they lie, never copied.
#include "DataPacketTestUtil.h"

#include "tables/formats/DataPacketCompare.h"

using namespace sarw;
using namespace sarw::test;

namespace {

struct Sample {
    const char* name;
    int fields;
    std::size_t records;
    bool changeLog;
};

const Sample kSamples[] = {
    {"adt_defaultorder.cds", 4, 5, true},
    {"animals.cds", 5, 7, false},
    {"animals.xml", 5, 7, false},
    {"clientes_cp1252.cds", 6, 7, true},
    {"country.cds", 5, 18, false},
    {"country.xml", 5, 18, false},
    {"country_changelog.cds", 5, 18, true},
    {"country_memo_changelog.cds", 6, 18, true},
    {"country_memo_changelog.xml", 6, 18, true},
    {"customers_sqldatetime.xml", 13, 55, false},
    {"employee.cds", 6, 42, false},
    {"employee.xml", 6, 42, false},
    {"programs_cp1252_changelog.xml", 3, 4, true},
    {"reservat.cds", 11, 100, false},
    {"reservat.xml", 11, 100, false},
    {"testtable_utf8.xml", 10, 3, true},
    {"workers.cds", 6, 10, true},
};

std::string fileBytes(const std::string& name) {
    return readFileBytes(samplePath(name));
}

} // namespace

TEST(DataPacketSamples, EveryFileLoadsAndSurvivesASaveInItsFormat) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.name);
        TableFormat format{};
        const Table t = loadSample(s.name, &format);
        EXPECT_EQ(t.fieldCount(), s.fields);
        EXPECT_EQ(t.recordCount(), s.records);
        const std::string saved = writeTableBytes(t, format);
        EXPECT_EQ(tableDifference(t, loadBytes(saved)), "");
        // Without a change log the engine's own bytes come out again.
        if (!s.changeLog)
            EXPECT_TRUE(saved == fileBytes(s.name));
        else
            EXPECT_EQ(saved.find("CHANGE_LOG"), std::string::npos);
    }
}

TEST(DataPacketSamples, TwinsLoadToTheSameTableAndConvertToEachOther) {
    for (const char* base :
         {"country", "employee", "reservat", "animals", "country_memo_changelog"}) {
        SCOPED_TRACE(base);
        const std::string cds = std::string(base) + ".cds", xml = std::string(base) + ".xml";
        const Table binary = loadSample(cds), text = loadSample(xml);
        EXPECT_EQ(tableDifference(binary, text, TableCompare::Content), "");
        if (std::string(base) == "country_memo_changelog") continue;
        EXPECT_TRUE(writeTableBytes(binary, TableFormat::Xml) == fileBytes(xml));
        EXPECT_TRUE(writeTableBytes(text, TableFormat::Binary) == fileBytes(cds));
    }
}

TEST(DataPacketSamples, ValuesOfEveryKindShowAsTheEngineWritesThem) {
    const Table reservat = loadSample("reservat.cds");
    EXPECT_EQ(cellTexts(reservat)[0],
              (std::vector<std::string>{"9", "2", "14", "4", "20", "VISA", "770557078235538241",
                                        "19961130", "<null>", "19960630", "TRUE"}));
    EXPECT_EQ(reservat.fields[0].subtype, "Autoinc");
    EXPECT_EQ(reservat.fields[4].subtype, "Money");
    EXPECT_EQ(reservat.fields[8].kind, FieldKind::Memo);
    EXPECT_EQ(reservat.fields[8].size, 30);

    const Table employee = loadSample("employee.cds");
    EXPECT_EQ(employee.text(5, 5), "33292.9375");
    EXPECT_EQ(employee.text(0, 4), "19881228");

    const Table animals = loadSample("animals.cds");
    EXPECT_EQ(animals.fields[4].kind, FieldKind::Blob);
    EXPECT_EQ(animals.raw(0, 4).substr(0, 10),
              std::string("\x01\x00\x00\x01\xF6\x3E\x00\x00\x42\x4D", 10));
    EXPECT_EQ(animals.text(0, 4).substr(0, 16), "AQAAAfY+AABCTfY+");

    const Table customers = loadSample("customers_sqldatetime.xml");
    EXPECT_EQ(customers.fields[12].kind, FieldKind::SqlDateTime);
    EXPECT_EQ(customers.text(0, 12), "19950202T01:05:03000");
    EXPECT_TRUE(customers.fields[1].required);
    EXPECT_TRUE(customers.isNull(1, 3));

    // Bytes of another code page stay the bytes they are.
    EXPECT_EQ(loadSample("clientes_cp1252.cds").text(0, 1), "Carlos Ma\xE7"
                                                            "aranduba");
    const Table programs = loadSample("programs_cp1252_changelog.xml");
    EXPECT_NE(programs.text(2, 2).find("\t\tprintf(x);\r\n"), std::string::npos);
    EXPECT_NE(programs.text(2, 2).find("\x93\xFAltima execu\xE7\xE3o\x94"), std::string::npos);
    EXPECT_NE(programs.text(3, 2).find("#include <iostream>"), std::string::npos);

    // UTF-8 text is converted; what Windows-1250 lacks becomes '?', field names too.
    TableFormat format{};
    const Table utf8 = loadSample("testtable_utf8.xml", &format);
    EXPECT_EQ(format, TableFormat::XmlUtf8);
    EXPECT_EQ(utf8.fields[0].name, "??");
    EXPECT_EQ(cellTexts(utf8)[0][1], "????");
    EXPECT_EQ(cellTexts(utf8)[1][9], "?");
}

TEST(DataPacketSamples, ChangeLogsAreMergedWithEditsInPlace) {
    // The edits of this file restore every value but Nicaragua's area.
    const Table edited = loadSample("country_changelog.cds"), plain = loadSample("country.cds");
    EXPECT_EQ(column(edited, 0), column(plain, 0));
    for (int f = 0; f < 5; ++f)
        for (std::size_t r = 0; r < plain.recordCount(); ++r)
            if (plain.text(r, 0) != "Nicaragua" || f != 3) {
                EXPECT_EQ(edited.text(r, f), plain.text(r, f));
            }
    EXPECT_EQ(edited.text(12, 3), "139001");
    EXPECT_EQ(plain.text(12, 3), "139000");

    // Inserted, edited and deleted records: the current versions in the place of their first.
    EXPECT_EQ(column(loadSample("clientes_cp1252.cds"), 4),
              (std::vector<std::string>{"SP", "MG", "SP", "SP", "MG", "SP", "MG"}));
    EXPECT_EQ(column(loadSample("programs_cp1252_changelog.xml"), 1),
              (std::vector<std::string>{"Ex IF", "EX Else", "Ex Eva", "prova"}));
    const Table memo = loadSample("country_memo_changelog.xml");
    EXPECT_EQ(memo.text(0, 5),
              "This is memo line 1\r\nThis is memo line 2\r\nThis is memo line 3\r\n"
              "This is memo line 4\r\n");
    EXPECT_TRUE(memo.packetProps.empty());
}

TEST(DataPacketSamples, DefaultOrderPresentsRecordsByKeyAndIsKept) {
    const Table adt = loadSample("adt_defaultorder.cds");
    EXPECT_EQ(column(adt, 2),
              (std::vector<std::string>{"Borland", "Cant\xF9", "Gates", "McDonald", "Smith"}));
    EXPECT_EQ(column(adt, 0), (std::vector<std::string>{"5", "1", "4", "3", "2"}));
    EXPECT_EQ(adt.fields[1].kind, FieldKind::Adt);
    EXPECT_TRUE(adt.isNull(0, 1));
    ASSERT_EQ(adt.packetProps.size(), 1u);
    EXPECT_EQ(adt.packetProps[0].name, "DEFAULT_ORDER");
    EXPECT_EQ(adt.packetVersion, 2);

    // Saved merged, in either format, the composite field and the order come back.
    for (TableFormat f : {TableFormat::Binary, TableFormat::Xml, TableFormat::XmlUtf8})
        EXPECT_EQ(tableDifference(adt, loadBytes(writeTableBytes(adt, f)), TableCompare::Content),
                  "");
}
