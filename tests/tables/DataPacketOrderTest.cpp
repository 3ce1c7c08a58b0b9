#include "DataPacketTestUtil.h"

#include "tables/formats/DataPacketOrder.h"

using namespace sarw;
using namespace sarw::test;

namespace {

std::string packet(const std::string& params, const std::string& rows) {
    return "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET "
           "Version=\"2.0\"><METADATA><FIELDS>"
           "<FIELD attrname=\"ID\" fieldtype=\"i4\"/><FIELD attrname=\"NAME\" fieldtype=\"string\" "
           "WIDTH=\"9\"/>"
           "</FIELDS><PARAMS " +
           params + "/></METADATA><ROWDATA>" + rows + "</ROWDATA></DATAPACKET>";
}

std::string row(int id, const char* name, int state = 0) {
    std::string r = "<ROW";
    if (state) r += " RowState=\"" + std::to_string(state) + "\"";
    r += " ID=\"" + std::to_string(id) + "\"";
    if (name) r += std::string(" NAME=\"") + name + "\"";
    return r + "/>";
}

std::vector<std::string> ids(const Table& t) {
    return column(t, 0);
}

} // namespace

TEST(DataPacketOrder, DefaultOrderSortsStablyNullsFirstLowerCaseFirst) {
    const std::string rows = row(1, "b") + row(2, "B") + row(3, "a") + row(4, "\xE1") +
                             row(5, "A") + row(6, nullptr) + row(7, "b") + row(8, "10") +
                             row(9, "-x");
    EXPECT_EQ(ids(loadBytes(packet("DEFAULT_ORDER=\"2\"", rows))),
              (std::vector<std::string>{"6", "9", "8", "3", "5", "4", "1", "7", "2"}));
    // Case-insensitive (0x4000): a, A and b, B, b keep their stored order.
    EXPECT_EQ(ids(loadBytes(packet("DEFAULT_ORDER=\"16386\"", rows))),
              (std::vector<std::string>{"6", "9", "8", "3", "5", "4", "1", "2", "7"}));
    // Descending (0x8000) on ID; a field number out of range is ignored.
    EXPECT_EQ(ids(loadBytes(packet("DEFAULT_ORDER=\"32769 7\"", rows))),
              (std::vector<std::string>{"9", "8", "7", "6", "5", "4", "3", "2", "1"}));
    // Two fields: name, then ID descending.
    EXPECT_EQ(ids(loadBytes(packet("DEFAULT_ORDER=\"16386 32769\"", rows))),
              (std::vector<std::string>{"6", "9", "8", "5", "3", "4", "7", "2", "1"}));
}

TEST(DataPacketOrder, EditedRecordsTakeThePlaceOfTheirFirstVersion) {
    // 1 and 2 loaded; 3 inserted; 1 edited twice (4, 5); 2 deleted; 6 inserted and deleted.
    const std::string rows = row(1, "one", 1) + row(2, "two", 2) + row(3, "three", 4) +
                             row(1, "one'", 9) + row(1, "one''", 8) + row(6, "six", 6);
    const std::string log = "CHANGE_LOG=\"3 0 4 4 1 8 5 4 8 2 0 2 6 0 4 6 0 2\"";
    const Table t = loadBytes(packet(log, rows));
    EXPECT_EQ(cellTexts(t),
              (std::vector<std::vector<std::string>>{{"1", "one''"}, {"3", "three"}}));
    EXPECT_TRUE(t.packetProps.empty());
    // With a default order the key decides, whatever the log says.
    EXPECT_EQ(ids(loadBytes(packet(log + " DEFAULT_ORDER=\"2\" LCID=\"1029\"", rows))),
              (std::vector<std::string>{"1", "3"}));
    // A log naming records that do not exist is ignored, not trusted.
    EXPECT_EQ(ids(loadBytes(
                  packet("CHANGE_LOG=\"9 77 8 1 0 4 2 1 8\"", row(1, "x", 5) + row(2, "y", 8)))),
              (std::vector<std::string>{"2"}));
}

TEST(DataPacketOrder, CollationOrdersSymbolsDigitsLettersThenAccentsThenCase) {
    EXPECT_LT(compareCollated("-", "0", false), 0);
    EXPECT_LT(compareCollated("9", "a", false), 0);
    EXPECT_LT(compareCollated("a", "A", false), 0);
    EXPECT_LT(compareCollated("A", "\xE1", false), 0); // a before á
    EXPECT_LT(compareCollated("\xE8"
                              "a",
                              "cb", false),
              0);                                      // ča before cb: the accent only breaks ties
    EXPECT_LT(compareCollated("\x8A", "t", false), 0); // Š with the s
    EXPECT_EQ(compareCollated("abc", "ABC", true), 0);
    EXPECT_LT(compareCollated("ab", "abc", false), 0);
}
