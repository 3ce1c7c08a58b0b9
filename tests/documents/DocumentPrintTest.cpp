#include "documents/DocumentPrint.h"
#include "documents/Document.h"
#include "platform/FileReplace.h"
#include "shell/Definition.h"
#include "support/InstallData.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using namespace sarw::test;
using Answer = ScriptedDialogs::Answer;

namespace {

constexpr const char* kDefSoub = "D:\\LSarW\\DefSoub\\";

// The shipped turnover definition and layout on drive D:, and a receipt of two materials and a
// row that holds only an item text.
struct Printing : ::testing::Test {
    void SetUp() override {
        t->dataDisk = "D:";
        for (const char* name : {"SarO.Def", "Dokl.Def", "DoklP.Def", "DoklZ.Def"})
            t.write(std::string(kDefSoub) + name,
                    readFile(installData() / "LSarW" / "DefSoub" / name));
        const std::array<int, Document::kItemColumns> widths = {4, 12, 25, 3,  3,  5, 10,
                                                                8, 10, 3,  16, 15, 30};
        doc.resetItems(widths);
        const char* head[] = {"26", "02", "01", "03",     "01",         "00042", "100",
                              "",   "",   "",   "Prijem", "11.02.2026", "00000"};
        for (int c = 1; c <= Document::kHeadCount; ++c) doc.head(c) = head[c - 1];
        doc.item(1, 2) = "MAT-1       ";
        doc.item(1, 12) = "         100,25";
        doc.item(2, 2) = "MAT-2       ";
        doc.item(2, 12) = "          50,25";
        doc.item(3, 13) = "jen text";
    }

    std::vector<std::string> report(const std::string& name) {
        const std::string text = t.read(name);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << name; // CR LF line ends
        return textLines(t.path(name));
    }

    TestSession t;
    Document doc;
};

} // namespace

TEST_F(Printing, PlainListHasHeadingsValuesItemsAndTotal) {
    ASSERT_EQ(printPlainList(*t, doc), kPlainListReport);
    const auto lines = report(kPlainListReport);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1].substr(0, 12), "Rok M\xECs Z\xE1v "); // headings cut or padded to width + 1
    EXPECT_EQ(lines[3].substr(0, 20), "26  02  01  03  01  ");
    EXPECT_EQ(lines[3].substr(20, 7), "00042  ");
    EXPECT_EQ(lines[6].substr(0, 6), "Polo\x9E ");
    // Every filled row, the one with only a text too: number, material, ... at field widths.
    EXPECT_EQ(lines[8].substr(0, 20), "0001  MAT-1         ");
    EXPECT_EQ(lines[9].substr(0, 20), "0002  MAT-2         ");
    EXPECT_EQ(lines[10].substr(0, 6), "0003  ");
    EXPECT_NE(lines[10].find("jen text"), std::string::npos);
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[12], std::string("Celkem") + std::string(126, ' ') + "         150,50");
    // Replaced whole: nothing left beside it.
    for (const auto& e :
         std::filesystem::directory_iterator(t.path(kPlainListReport).parent_path()))
        EXPECT_FALSE(isReplaceTemporary(e.path().filename().string())) << e.path();
}

TEST_F(Printing, FramedDocumentFillsTheFrameOncePerMaterialRow) {
    t.dialogs.answers = {Answer::No}; // "Zkrateny tisk ?"
    ASSERT_EQ(printFramed(*t, doc), kFramedReport);
    EXPECT_EQ(t.dialogs.boxes.at(0).text, "Zkrateny tisk ?");
    EXPECT_EQ(t.dialogs.progressShows, 1);
    EXPECT_EQ(t.dialogs.progressCloses, 1);
    const auto lines = report(kFramedReport);
    const auto frame = textLines(installData() / "LSarW" / "DefSoub" / "Dokl.Def");
    const auto before = textLines(installData() / "LSarW" / "DefSoub" / "DoklP.Def");
    const auto after = textLines(installData() / "LSarW" / "DefSoub" / "DoklZ.Def");
    const std::size_t b = before.size();
    // The frame's 11 lines, its item line twice (the text-only row is left out), the total and
    // the closing rule.
    ASSERT_EQ(lines.size(), b + frame.size() + 1 + 2 + after.size());
    EXPECT_EQ(std::vector(lines.begin(), lines.begin() + b), before);
    EXPECT_EQ(lines[b], frame[0]);
    const std::string& head = lines[b + 3];
    EXPECT_EQ(head.substr(111, 2), "26");    // header column 1 at 112
    EXPECT_EQ(head.substr(131, 5), "00042"); // column 6 at 132
    EXPECT_EQ(head.substr(167, 10), "11.02.2026");
    EXPECT_EQ(head.size(), frame[3].size());
    EXPECT_EQ(lines[b + 7].substr(1, 12), "MAT-1       ");
    EXPECT_EQ(lines[b + 7].substr(117, 15), "         100,25");
    EXPECT_EQ(lines[b + 8].substr(1, 12), "MAT-2       ");
    EXPECT_EQ(lines[b + 8].substr(117, 15), "          50,25");
    EXPECT_EQ(lines[b + 9], frame[8]);
    const std::string& total = lines[b + 10];
    EXPECT_EQ(total.size(), 184u);
    EXPECT_EQ(total.substr(0, 7), "|Celkem");
    EXPECT_EQ(total.substr(117, 15), "         150,50");
    EXPECT_EQ(total.back(), '|');
    EXPECT_EQ(lines[b + 11], "+" + std::string(182, '-') + "+");
    EXPECT_EQ(lines[b + 12], frame[9]);
    EXPECT_EQ(std::vector(lines.end() - static_cast<long>(after.size()), lines.end()), after);
}

TEST_F(Printing, ShortenedFrameLeavesOutPositions41To86) {
    Definition def;
    for (int f = 1; f <= 26; ++f) {
        FieldDef field;
        field.width = f == 15 ? 12 : f == 25 ? 15 : 3;
        def.fields.push_back(field);
    }
    FrameLayout layout;
    layout.before = {std::string(200, 'p')};
    layout.after = {std::string(200, 'z')};
    std::string wide;
    for (int i = 0; i < 200; ++i) wide += static_cast<char>('0' + i % 10);
    layout.frame = std::vector<std::string>(9, wide);
    const auto lines = framedLines(def, doc, layout, true);
    ASSERT_EQ(lines.size(), 1 + 9 + 1 + 2 + 1u);
    EXPECT_EQ(lines[0].size(), 200u); // the texts before and after keep their length
    EXPECT_EQ(lines.back().size(), 200u);
    EXPECT_EQ(lines[1], wide.substr(0, 40) + wide.substr(86));
    EXPECT_EQ(lines[1].size(), 154u);
    EXPECT_EQ(lines[8].substr(1, 12), "MAT-1       ");
    // The total written at 118 comes to 72 with the rest of the shortened frame.
    EXPECT_EQ(lines[11].substr(71, 15), "         150,50");
}

TEST_F(Printing, NarrowOrShortFrameIsExtendedNotOverrun) {
    Definition def;
    for (int f = 1; f <= 26; ++f) {
        FieldDef field;
        field.width = 3;
        def.fields.push_back(field);
    }
    FrameLayout layout;
    layout.frame = {"+--+", "|", "|", "|x|"}; // fewer than nine lines, none 184 wide
    const auto lines = framedLines(def, doc, layout, false);
    ASSERT_EQ(lines.size(), 9 + 1 + 2u);
    EXPECT_EQ(lines[0], "+--+");
    EXPECT_EQ(lines[3].substr(0, 3), "|x|");
    EXPECT_EQ(lines[3].substr(111, 2), "26");
    EXPECT_EQ(lines[3].substr(178), "00000");
    EXPECT_EQ(lines[4], ""); // missing lines read as empty
    EXPECT_EQ(lines[7].substr(1, 3), "MAT");
    EXPECT_EQ(lines[10].substr(117, 15), "         150,50");
    EXPECT_EQ(lines[11], " " + std::string(182, '-') + " ");
}
