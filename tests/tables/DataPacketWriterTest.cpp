#include "DataPacketTestUtil.h"

#include "tables/formats/DataPacketCompare.h"

using namespace sarw;
using namespace sarw::test;

namespace {

std::string hex(std::string_view h) {
    std::string out;
    for (std::size_t i = 0; i < h.size();) {
        if (h[i] == ' ') {
            ++i;
            continue;
        }
        out += static_cast<char>(std::stoi(std::string(h.substr(i, 2)), nullptr, 16));
        i += 2;
    }
    return out;
}

// CODE string(10), NAME string(40), NOTE memo, keyed on CODE, records appended out of key order.
Table codeNameNote() {
    Table t = programTable({{"CODE", 10}, {"NAME", 40}, {"NOTE", 0}});
    t.indexDefs.push_back({"", "CODE", true, false});
    t.appendTexts({"B2"});
    t.appendTexts({"A1", "Test", "x\r\ny"});
    return t;
}

} // namespace

TEST(DataPacketWriter, ProgramTableInTheBinaryFormatAnotherReaderLoads) {
    const std::string expected =
        hex("96 19 e0 bd 01 00 00 00 18 00 00 00 03 00 02 00 00 00 03 00 00 00 6c 00"
            "04 43 4f 44 45 01 00 49 00 00 00 01 00 05 57 49 44 54 48 02 00 02 00 0a 00"
            "04 4e 41 4d 45 01 00 49 00 00 00 01 00 05 57 49 44 54 48 02 00 02 00 28 00"
            "04 4e 4f 54 45 04 00 4b 00 00 00 01 00 07 53 55 42 54 59 50 45 02 00 49 00 05 00 54 "
            "65 78 74 00"
            "00 00"          // no packet properties: no default order
            "00 14 02 42 32" // appended first, NAME and NOTE null
            "00 00 02 41 31 04 54 65 73 74 04 00 00 00 78 0d 0a 79");
    const Table t = codeNameNote();
    const std::string bytes = writeTableBytes(t, TableFormat::Binary);
    EXPECT_TRUE(bytes == expected);
    const Table back = loadBytes(bytes);
    EXPECT_EQ(tableDifference(t, back, TableCompare::Content), "");
    EXPECT_TRUE(back.indexDefs.empty());
}

TEST(DataPacketWriter, ProgramTableInTheXmlFormatAnotherReaderLoads) {
    const Table t = codeNameNote();
    EXPECT_EQ(
        writeTableBytes(t, TableFormat::Xml),
        "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"CODE\" fieldtype=\"string\" WIDTH=\"10\"/>"
        "<FIELD attrname=\"NAME\" fieldtype=\"string\" WIDTH=\"40\"/>"
        "<FIELD attrname=\"NOTE\" fieldtype=\"bin.hex\" "
        "SUBTYPE=\"Text\"/></FIELDS><PARAMS/></METADATA>"
        "<ROWDATA><ROW CODE=\"B2\"/><ROW CODE=\"A1\" NAME=\"Test\" NOTE=\"x&#013;&#010;y\"/>"
        "</ROWDATA></DATAPACKET>");
    Table empty = programTable({{"CODE", 10}});
    EXPECT_NE(writeTableBytes(empty, TableFormat::Xml).find("<ROWDATA></ROWDATA>"),
              std::string::npos);
}

TEST(DataPacketWriter, TextIsEscapedAndEncodedAsTheEngineDoes) {
    Table t = programTable({{"TEXT", 60}});
    t.appendTexts({"<a & b> \"c\" 'd' \\ \t\r\n \x9E\x8A \x01"});
    const std::string ansi = writeTableBytes(t, TableFormat::Xml);
    EXPECT_NE(ansi.find("TEXT=\"&lt;a &amp; b&gt; &quot;c&quot; &apos;d&apos; &#092; "
                        "&#009;&#013;&#010; \x9E\x8A &#001;\""),
              std::string::npos);
    const std::string utf8 = writeTableBytes(t, TableFormat::XmlUtf8);
    EXPECT_EQ(
        utf8.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  <DATAPACKET", 0),
        0u);
    EXPECT_NE(utf8.find(" \xC5\xBE\xC5\xA0 "), std::string::npos); // "žŠ"
    for (const std::string& doc : {ansi, utf8}) EXPECT_EQ(tableDifference(t, loadBytes(doc)), "");
}

TEST(DataPacketWriter, StringsKeepTheirDeclaredWidthAndEmptyIsNotNull) {
    Table t = programTable({{"SHORT", 3}, {"WIDE", 300}, {"MEMO", 0}});
    t.appendTexts({"abcdef", std::string(299, 'w') + "xyz", ""});
    t.appendTexts({""});
    const Table expected = [] {
        Table e = programTable({{"SHORT", 3}, {"WIDE", 300}, {"MEMO", 0}});
        e.appendTexts({"abc", std::string(299, 'w') + "x", ""});
        e.appendTexts({""});
        return e;
    }();
    for (TableFormat f : {TableFormat::Binary, TableFormat::Xml}) {
        const Table back = loadBytes(writeTableBytes(t, f));
        EXPECT_EQ(tableDifference(expected, back, TableCompare::Content), "");
        EXPECT_FALSE(back.isNull(1, 0));
        EXPECT_TRUE(back.isNull(1, 1));
    }
    const std::string bytes = writeTableBytes(t, TableFormat::Binary);
    EXPECT_NE(bytes.find(hex("05 57 49 44 54 48 02 00 02 00 2c 01")),
              std::string::npos);                                                   // WIDTH 300
    EXPECT_NE(bytes.find(hex("2c 01") + std::string(299, 'w')), std::string::npos); // 2-byte prefix
    EXPECT_NE(bytes.find(hex("00 00 01 00")), std::string::npos);                   // "" as 01 00
}

TEST(DataPacketWriter, FieldNamesThatAreNoAttributeNamesRoundTrip) {
    Table t = programTable({{"Unit Price ($)", 8},
                            {"Unit_Price____", 8},
                            {"RowState", 4},
                            {"A field name longer than thirty-one bytes", 5},
                            {"\x9Aifra", 4}});
    t.appendTexts({"1", "2", "3", "4", "5"});
    const std::string xml = writeTableBytes(t, TableFormat::Xml);
    EXPECT_NE(xml.find("<FIELD fieldname=\"Unit Price ($)\" attrname=\"Unit_Price____\""),
              std::string::npos);
    EXPECT_NE(xml.find("fieldname=\"Unit_Price____\" attrname=\"xF2\""), std::string::npos);
    EXPECT_NE(xml.find("attrname=\"\x9Aifra\""), std::string::npos);
    const std::string binary = writeTableBytes(t, TableFormat::Binary);
    EXPECT_NE(binary.find("\x1F"
                          "A field name longer than thirty"),
              std::string::npos);
    for (TableFormat f : {TableFormat::Binary, TableFormat::Xml, TableFormat::XmlUtf8})
        EXPECT_EQ(tableDifference(t, loadBytes(writeTableBytes(t, f)), TableCompare::Content), "");
}

TEST(DataPacketWriter, ReaderToleratesTheXmlOtherWritersProduce) {
    const std::string doc =
        "\xEF\xBB\xBF<?xml version='1.0'?>\r\n<!-- exported -->\r\n<DATAPACKET Version=\"2.0\">\r\n"
        "  <METADATA>\r\n    <FIELDS>\r\n      <FIELD attrname='N' fieldtype='i4'/>\r\n"
        "      <FIELD attrname=\"T\" fieldtype=\"string\" WIDTH=\"9\"></FIELD>\r\n    </FIELDS>\r\n"
        "    <PARAMS></PARAMS>\r\n  </METADATA>\r\n  <ROWDATA>\r\n"
        "    <ROW T=\"\xC5\xBElu\xC5\xA5 &#x10D;&#367;&amp;\" N = \"7\" X=\"unknown\"></ROW>\r\n"
        "    <ROW N=\"8\"/>\r\n    <ROW N=\"\" T=\"\"/>\r\n  </ROWDATA>\r\n</DATAPACKET>\r\n";
    const Table t = loadBytes(doc);
    EXPECT_EQ(cellTexts(t), (std::vector<std::vector<std::string>>{
                                {"7", "\x9Elu\x9D \xE8\xF9&"}, {"8", "<null>"}, {"<null>", ""}}));

    // Declared UTF-8 but not valid UTF-8: the bytes are Windows-1250.
    const std::string bad =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  <DATAPACKET "
        "Version=\"2.0\">"
        "<METADATA><FIELDS><FIELD attrname=\"T\" fieldtype=\"string\" WIDTH=\"9\"/></FIELDS>"
        "<PARAMS/></METADATA><ROWDATA><ROW T=\"\x9E\xE1\"/></ROWDATA></DATAPACKET>";
    Table u;
    TableFormat format{};
    std::string error;
    ASSERT_TRUE(readTableBytes(bad, u, format, error));
    EXPECT_EQ(format, TableFormat::Xml);
    EXPECT_EQ(u.text(0, 0), "\x9E\xE1");
}

namespace {

FieldInfo kindField(const char* name, FieldKind kind, int size, const char* subtype = "") {
    FieldInfo f;
    f.name = name;
    f.kind = kind;
    f.size = size;
    f.subtype = subtype;
    return f;
}

} // namespace

TEST(DataPacketWriter, KindsFromOtherProgramsSurviveBothFormats) {
    Table t;
    t.fields = {kindField("I1", FieldKind::Int, 1),
                kindField("I8", FieldKind::Int, 8),
                kindField("U2", FieldKind::UInt, 2),
                kindField("B", FieldKind::Bool, 2),
                kindField("R8", FieldKind::Float, 8, "Money"),
                kindField("R4", FieldKind::Single, 4),
                kindField("BCD", FieldKind::FmtBcd, 10),
                kindField("D", FieldKind::Date, 4),
                kindField("T", FieldKind::Time, 4),
                kindField("DT", FieldKind::DateTime, 8),
                kindField("SQL", FieldKind::SqlDateTime, 16),
                kindField("BIN", FieldKind::Blob, 0, "Graphics"),
                kindField("UNI", FieldKind::WideString, 20),
                kindField("WMEMO", FieldKind::Memo, 0, "WideText"),
                kindField("ADR", FieldKind::Adt, 2),
                kindField("ULICE", FieldKind::String, 20),
                kindField("PSC", FieldKind::String, 6)};
    t.fields[0].attributes = 0x02;
    t.fields[6].extraProps.push_back({"DECIMALS", 2, 0x02, std::string("\x02\x00", 2)});
    t.fields[6].extraProps.push_back({"ORIGIN", 2, 0x49, std::string("\x06\x00T.COL\x00", 8)});
    t.fields[1].extraProps.push_back({"PROVFLAGS", 4, 0x8001, std::string("\x03\x00\x00\x00", 4)});
    t.packetProps.push_back({"LCID", 4, 0x01, std::string("\x05\x04\x00\x00", 4)});
    t.packetProps.push_back({"MD_SEMANTICS", 4, 0x82,
                             std::string("\x02\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00", 12)});
    t.appendTexts({"-5", "-9000000000", "65535", "TRUE", "12.5", "0.25", "-12345678.90", "20240229",
                   "23:59:59999", "20240229T12:30:00500", "19950202T01:05:03000",
                   "AAH/IA==", "\x8A\x9E", "a\r\n\xE8", "", "Dlouha 5", "110 00"});
    t.appendTexts({});
    // Characters beyond Windows-1250 in the wide kinds: Omega, e acute, a smiling face.
    t.setRaw(0, 12, std::string("\xA9\x03\xE9\x00\x3D\xD8\x00\xDE", 8));
    for (TableFormat f : {TableFormat::Binary, TableFormat::Xml, TableFormat::XmlUtf8}) {
        SCOPED_TRACE(static_cast<int>(f));
        const std::string bytes = writeTableBytes(t, f);
        const Table back = loadBytes(bytes);
        EXPECT_EQ(tableDifference(t, back, TableCompare::Content), "");
        for (int i = 0; i < t.fieldCount(); ++i) {
            EXPECT_EQ(back.fields[i].attributes, t.fields[i].attributes);
            EXPECT_EQ(back.fields[i].extraProps.size(), t.fields[i].extraProps.size()) << i;
        }
        if (f != TableFormat::Binary) {
            EXPECT_NE(bytes.find("UNI=\"&#937;&#233;&#128512;\""), std::string::npos);
            EXPECT_NE(
                bytes.find(
                    "<FIELD attrname=\"ADR\" fieldtype=\"ADT\"><FIELDS><FIELD attrname=\"ULICE\""),
                std::string::npos);
            EXPECT_NE(
                bytes.find(
                    "fieldtype=\"fixedFMT\" WIDTH=\"10\" DECIMALS=\"2\"><PARAM Name=\"ORIGIN\" "
                    "Value=\"T.COL\" Type=\"string\"/></FIELD>"),
                std::string::npos);
            EXPECT_NE(bytes.find("<PARAMS LCID=\"1029\"><PARAM Name=\"MD_SEMANTICS\" Value=\"1 2\" "
                                 "Type=\"ui4\"/>"),
                      std::string::npos);
        }
    }
    EXPECT_EQ(t.text(0, 12), "?\xE9?");
    EXPECT_EQ(writeTableBytes(t, TableFormat::Binary).substr(4, 2), std::string("\x02\x00", 2));
}
