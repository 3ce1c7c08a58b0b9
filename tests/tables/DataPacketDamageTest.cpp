#include "DataPacketTestUtil.h"

#include "tables/formats/DataPacketCompare.h"

using namespace sarw;
using namespace sarw::test;

namespace {

// A failed read leaves an empty table and says why, in Czech.
void expectRejected(const std::string& bytes,
                    const std::string& why = "Soubor je poskozen nebo neni tabulka") {
    Table t = programTable({{"LEFT", 4}});
    t.appendTexts({"old"});
    TableFormat format{};
    std::string error;
    EXPECT_FALSE(readTableBytes(bytes, t, format, error));
    EXPECT_EQ(error, why);
    EXPECT_EQ(t.fieldCount(), 0);
    EXPECT_EQ(t.recordCount(), 0u);
}

void putLE(std::string& s, std::size_t at, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i)
        s[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

// CODE string(10), NOTE memo; one record "A1", "x".
std::string smallBinary() {
    Table t = programTable({{"CODE", 10}, {"NOTE", 0}});
    t.appendTexts({"A1", "x"});
    return writeTableBytes(t, TableFormat::Binary);
}

} // namespace

TEST(DataPacketDamage, EveryTruncationIsRejected) {
    for (const char* name : {"workers.cds", "country_memo_changelog.xml", "adt_defaultorder.cds"}) {
        const std::string whole = readFileBytes(samplePath(name));
        for (std::size_t len = 1; len < whole.size(); ++len) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(len));
            Table t;
            TableFormat format{};
            std::string error;
            ASSERT_FALSE(readTableBytes(whole.substr(0, len), t, format, error));
            ASSERT_FALSE(error.empty());
        }
    }
    expectRejected("", "Soubor je prazdny");
    expectRejected(smallBinary() + "x");
}

TEST(DataPacketDamage, CountsAndLengthsBeyondTheFileAreRejectedWithoutAllocating) {
    const std::string good = smallBinary();
    ASSERT_EQ(loadBytes(good).text(0, 1), "x");
    const std::size_t record = good.size() - 1 - 1 - 3 - 5; // status, bitmap, "A1", memo
    struct Patch {
        const char* what;
        std::size_t at;
        std::uint64_t value;
        int bytes;
    };
    const Patch patches[] = {
        {"signature", 0, 0x12345678, 4},       {"header size", 8, 25, 4},
        {"column count", 12, 0xFFFF, 2},       {"row count", 14, 0xFFFFFFFF, 4},
        {"first record offset", 22, 0x99, 2},  {"name length", 24, 0xFF, 1},
        {"string prefix width", 24 + 5, 3, 2}, {"property count", 24 + 11, 0xFFFF, 2},
        {"string length", record + 2, 11, 1},  {"memo length", record + 5, 0xFFFFFFFF, 4},
    };
    for (const Patch& p : patches) {
        SCOPED_TRACE(p.what);
        std::string bad = good;
        putLE(bad, p.at, p.value, p.bytes);
        expectRejected(bad);
    }
    // An array property claiming a billion entries.
    Table t = programTable({{"CODE", 4}});
    t.packetProps.push_back({"DEFAULT_ORDER", 2, 0x82, std::string("\x01\x00\x00\x00\x01\x00", 6)});
    std::string bad = writeTableBytes(t, TableFormat::Binary);
    putLE(bad, bad.find("DEFAULT_ORDER") + 17, 0x40000000, 4);
    expectRejected(bad);
}

TEST(DataPacketDamage, ForeignAndUnsupportedContentIsRefused) {
    expectRejected("hello world");
    expectRejected("\x89PNG\r\n\x1a\n");
    expectRejected("<html><body>no table</body></html>");
    std::string nested = smallBinary();
    putLE(nested, 24 + 7, 0x050E, 2); // CODE becomes an embedded table
    expectRejected(nested,
                   "Tabulka obsahuje vnorene tabulky nebo pole, ktere program neumi nacist");

    const std::string head = "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET "
                             "Version=\"2.0\"><METADATA><FIELDS>";
    const std::string tail = "</FIELDS><PARAMS/></METADATA><ROWDATA>";
    auto doc = [&](const std::string& fields, const std::string& rows) {
        return head + fields + tail + rows + "</ROWDATA></DATAPACKET>";
    };
    const std::string i4 = "<FIELD attrname=\"N\" fieldtype=\"i4\"/>";
    expectRejected(doc("<FIELD attrname=\"N\" fieldtype=\"money\"/>", ""));
    expectRejected(doc(i4, "<ROW N=\"12x\"/>"));
    expectRejected(doc(i4, "<ROW N=\"12/>"));
    expectRejected(doc(i4, "<ROW RowState=\"x\" N=\"1\"/>"));
    expectRejected(doc("<FIELD attrname=\"D\" fieldtype=\"date\"/>", "<ROW D=\"20230230\"/>"));
    expectRejected(
        doc("<FIELD attrname=\"S\" fieldtype=\"nested\"><FIELDS>" + i4 + "</FIELDS></FIELD>", ""),
        "Tabulka obsahuje vnorene tabulky nebo pole, ktere program neumi nacist");
    std::string deep;
    for (int i = 0; i < 200; ++i)
        deep += "<FIELD attrname=\"A" + std::to_string(i) + "\" fieldtype=\"ADT\"><FIELDS>";
    expectRejected(doc(deep, ""));
    expectRejected(
        "<?xml version=\"1.0\"?><DATAPACKET Version=\"2.0\"><ROWDATA><ROW N=\"1\"/></ROWDATA>"
        "<METADATA><FIELDS>" +
        i4 + "</FIELDS></METADATA></DATAPACKET>");
}

TEST(DataPacketDamage, AnyDamagedByteEitherFailsOrLoadsWhatSavesAgain) {
    for (const char* name : {"workers.cds", "clientes_cp1252.cds", "reservat.xml"}) {
        const std::string whole = readFileBytes(samplePath(name));
        const std::size_t step = whole.size() > 2000 ? 7 : 1;
        for (std::size_t at = 0; at < whole.size(); at += step)
            for (unsigned char value : {0x00, 0x7F, 0xFF}) {
                std::string bad = whole;
                bad[at] = static_cast<char>(value);
                Table t;
                TableFormat format{};
                std::string error;
                if (!readTableBytes(bad, t, format, error)) continue;
                Table again;
                ASSERT_TRUE(readTableBytes(writeTableBytes(t, format), again, format, error))
                    << name << " byte " << at << ": " << error;
                ASSERT_EQ(tableDifference(t, again), "") << name << " byte " << at;
            }
    }
}

// A packet that is not well formed must not load as fewer records or altered text: without its
// rows a turnover table would read as empty and be written back so.
TEST(DataPacketDamage, XmlThatIsNotWellFormedIsRejected) {
    const std::string head = "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET "
                             "Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"T\" "
                             "fieldtype=\"string\" WIDTH=\"8\"/></FIELDS><PARAMS/></METADATA>";
    const std::string rows = "<ROWDATA><ROW T=\"a\"/><ROW T=\"b\"/></ROWDATA>";
    const struct {
        const char* what;
        std::string doc;
    } cases[] = {
        {"no ROWDATA", head + "</DATAPACKET>"},
        {"unterminated CDATA", head + "<ROWDATA><![CDATA[x <ROW T=\"a\"/><ROW T=\"b\"/>"
                                      "</ROWDATA></DATAPACKET>"},
        {"unknown entity", head + "<ROWDATA><ROW T=\"a&nbsp;b\"/></ROWDATA></DATAPACKET>"},
        {"bare ampersand", head + "<ROWDATA><ROW T=\"a & b\"/></ROWDATA></DATAPACKET>"},
        {"'<' in a value", head + "<ROWDATA><ROW T=\"a<b\"/></ROWDATA></DATAPACKET>"},
        {"ROWDATA closed as another", head + "<ROWDATA><ROW T=\"a\"/></ROWS></DATAPACKET>"},
        {"METADATA not closed", head.substr(0, head.size() - 11) + rows + "</DATAPACKET>"},
        {"text after the end", head + rows + "</DATAPACKET><ROW T=\"c\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectRejected(c.doc);
    }
    // Comments and terminated CDATA between elements are no damage.
    Table t;
    TableFormat format{};
    std::string error;
    ASSERT_TRUE(readTableBytes(head + "<!-- x --><ROWDATA><![CDATA[ <ROW T=\"z\"/> ]]>"
                                      "<ROW T=\"a&amp;b\"/></ROWDATA></DATAPACKET>",
                               t, format, error))
        << error;
    ASSERT_EQ(t.recordCount(), 1u);
    EXPECT_EQ(t.text(0, 0), "a&b");
}
