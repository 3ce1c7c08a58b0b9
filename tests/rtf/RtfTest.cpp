#include "rtf/RtfRead.h"
#include "rtf/RtfWrite.h"

#include "support/InstallData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace sarw;
using namespace sarw::rtf;

namespace {

std::string texts(const RichText& t) {
    return plainText(t);
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Rtf, ReadsParagraphsFormatsFontsAndColours) {
    const std::string in =
        "{\\rtf1\\ansi\\ansicpg1250\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman"
        "{\\*\\panose 02020603050405020304}Times New Roman;}}\r\n"
        "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Nazev}}\r\n"
        "\\pard\\qc\\f0\\fs28\\b Nadpis\\b0\\par\r\n"
        "\\pard\\plain Z\\'e1kladn\\'ed {\\i\\cf1 \\u8364?uro}\\tab{\\ul x}\\par\r\n"
        "{\\*\\unknown skryto}{\\pict\\wmetafile8 0102ab}\\qr konec}";
    const RichText t = readRtf(in);
    ASSERT_EQ(t.paragraphs.size(), 3u);
    EXPECT_EQ(texts(t), "Nadpis\nZ\xc3\xa1kladn\xc3\xad \xe2\x82\xacuro\tx\nkonec\n");

    const Paragraph& head = t.paragraphs[0];
    EXPECT_EQ(head.align, Align::Center);
    ASSERT_EQ(head.runs.size(), 1u);
    EXPECT_EQ(head.runs[0].format.font, "Arial");
    EXPECT_EQ(head.runs[0].format.halfPoints, 28);
    EXPECT_TRUE(head.runs[0].format.bold);

    const Paragraph& body = t.paragraphs[1];
    EXPECT_EQ(body.align, Align::Left); // \pard
    ASSERT_EQ(body.runs.size(), 4u);
    EXPECT_EQ(body.runs[0].format, CharFormat{"Times New Roman"}); // \plain: the default font
    EXPECT_TRUE(body.runs[1].format.italic);
    EXPECT_EQ(body.runs[1].format.rgb, 0xFF0000u);
    EXPECT_EQ(body.runs[2].text, "\t"); // back to the paragraph's format after the group
    EXPECT_FALSE(body.runs[2].format.italic);
    EXPECT_TRUE(body.runs[3].format.underline);
    EXPECT_EQ(t.paragraphs[2].align, Align::Right);
}

TEST(Rtf, DamagedInputStillGivesItsText) {
    struct Case {
        const char* in;
        const char* text;
    };
    const Case cases[] = {
        {"{\\rtf1 jedna{\\b dve\\par tri", "jednadve\ntri\n"}, // never closed
        {"{\\rtf1 a}} b}\\par c}", "ab\nc\n"},                 // stray closing braces
        {"{\\rtf1 x\\'e", "x\n"},                              // cut escape at the end
        {"{\\rtf1 x\\'zy}", "xzy\n"},                          // escape without digits
        {"{\\rtf1 {\\*\\neznamy {\\b skryto}}{\\nezname videt}}", "videt\n"},
        {"{\\rtf1 a\\u", "a\n"},                                       // \u without a number
        {"{\\rtf1 \\u-3913?\\u-9999999999999 ?z}", "\xef\x82\xb7z\n"}, // negative and huge
        {"{\\rtf1 \\uc2\\u268\\'c8\\'c8x}", "\xc4\x8cx\n"},            // \uc2 skips both stand-ins
        {"{\\rtf1 \\f99999999999\\fs-5\\cf7 ok}", "ok\n"},             // tables without those
        {"{\\rtf1 \\", ""},
        {"", ""},
        {"obycejny\r\ntext \xe8", "obycejny\ntext \xc4\x8d\n"}, // not RTF: Windows-1250 lines
    };
    for (const Case& c : cases) EXPECT_EQ(texts(readRtf(c.in)), c.text) << c.in;

    // Deep nesting costs nothing and the text inside comes out.
    const std::string deep =
        "{\\rtf1 " + std::string(100000, '{') + "hluboko" + std::string(100000, '}') + "}";
    EXPECT_EQ(texts(readRtf(deep)), "hluboko\n");
}

TEST(Rtf, WriterEscapes) {
    EXPECT_EQ(rtfBodyText("a\\b{c}\td\ne"), "a\\\\b\\{c\\}\\tab d\\line e");
    // Czech letters in the code page as \'hh, others as \uN? with the signed unit.
    EXPECT_EQ(rtfBodyText("\xc4\x8d\xc5\xaf"), "\\'e8\\'f9");
    EXPECT_EQ(rtfBodyText("\xe2\x88\x9e\xef\xbf\xbf"), "\\u8734?\\u-1?");
    EXPECT_EQ(rtfBodyText("\xf0\x9f\x98\x80"), "\\u-10179?\\u-8704?"); // a UTF-16 pair
    // Control characters dropped, a malformed byte as U+FFFD.
    EXPECT_EQ(rtfBodyText(std::string("x\x01\x7f", 3) + "\xff"), "x\\u-3?");
    EXPECT_EQ(rtfBodyTextCp1250("\xe8{\\}\x8a"), "\\'e8\\{\\\\\\}\\'8a");

    // What the writer escapes the reader gives back.
    const std::string odd = "\\{}\t\xc4\x8d \xe2\x88\x9e \xf0\x9f\x98\x80 ~";
    RichText t;
    t.paragraphs.emplace_back();
    appendRun(t.paragraphs[0], {}, odd);
    EXPECT_EQ(readRtf(writeRtf(t)), t);
}

TEST(Rtf, WrittenDocumentReadsBackAlike) {
    RichText t;
    Paragraph head{Align::Center, {}};
    appendRun(head, {"Arial", 32, true, false, false, 0x000080}, "Nadpis");
    Paragraph body{Align::Justify, {}};
    appendRun(body, {},
              "Oby\xc4\x8d"
              "ejn\xc3\xbd ");
    appendRun(body, {"Courier New", 20, false, true, true, 0xFF0000}, "k\xc3\xb3\x64");
    appendRun(body, {"Font;Divny", 20}, "x");
    t.paragraphs = {head, Paragraph{}, body, Paragraph{Align::Right, {}}};
    const std::string bytes = writeRtf(t);
    EXPECT_EQ(bytes.rfind("{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0", 0), 0u);
    for (const unsigned char c : bytes) EXPECT_LT(c, 0x80); // only escapes above 127
    RichText back = readRtf(bytes);
    t.paragraphs[2].runs[2].format.font = "FontDivny";
    EXPECT_EQ(back, t);
}

TEST(Rtf, ShippedHelpTextsSurviveARoundTrip) {
    const std::filesystem::path dir = test::installData() / "LSarW/Dokum";
    for (const char* name : {"Sar.Rtf", "SarDokl.Rtf", "SarObn.Rtf"}) {
        const std::string bytes = readFile(dir / name);
        ASSERT_FALSE(bytes.empty()) << name;
        const RichText first = readRtf(bytes);
        EXPECT_GT(first.paragraphs.size(), 5u) << name;
        EXPECT_EQ(readRtf(writeRtf(first)), first) << name;
    }
}

} // namespace
