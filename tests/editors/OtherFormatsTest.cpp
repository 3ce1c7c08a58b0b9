#include "editors/OtherFormats.h"

#include "platform/Platform.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace sarw;
namespace fs = std::filesystem;

namespace {

const OtherFormat& format(std::string_view menu) {
    const auto all = otherFormats();
    const auto it =
        std::find_if(all.begin(), all.end(), [&](const OtherFormat& f) { return f.menu == menu; });
    EXPECT_NE(it, all.end()) << menu;
    return *it;
}

// "Zlutoucky" with its diacritics, a brace and a backslash, a form-feed line, a tab.
const std::string kText = "\x8elu\x9dou\xe8k\xfd {k\\n}\r\n\f\r\na\tb <&>\r\n";

TEST(OtherFormats, MenuFilterAndCodesAsTheWordProcessorKnowsThem) {
    struct Case {
        const char* menu;
        int code;
        const char* filter;
    };
    const Case cases[] = {
        {"Doc", 0, "Doc soubory|*.Doc"},         {"Dos Txt", 4, "Txt soubory|*.Txt"},
        {"Windows Txt", 2, "Txt soubory|*.Txt"}, {"Rtf", 6, "Rtf soubory|*.Rtf"},
        {"Pdf", 17, "Pdf soubory|*.Pdf"},        {"Xml", 11, "Xml soubory|*.Xml"},
        {"Html", 8, "Html soubory|*.Html"},      {"Xps", 18, "Xps soubory|*.Xps"},
    };
    ASSERT_EQ(otherFormats().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const OtherFormat& f = otherFormats()[i];
        EXPECT_STREQ(f.menu, cases[i].menu);
        EXPECT_EQ(f.code, cases[i].code);
        EXPECT_EQ(otherFormatFilter(f), cases[i].filter);
    }
}

TEST(OtherFormats, PlainTextsInTheirCodePages) {
    EXPECT_EQ(otherFormatBytes(format("Windows Txt"), kText, {}), kText);
    // Code page 852: Z caron 0xA6, t caron 0x9C, c caron 0x9F, y acute 0xEC.
    EXPECT_EQ(otherFormatBytes(format("Dos Txt"), "\x8e\x9d\xe8\xfd\r\n", {}),
              "\xa6\x9c\x9f\xec\r\n");
}

TEST(OtherFormats, RichTextCarriesTheFontAndEscapesTheText) {
    TextFont font{"Lucida Console", 9.5, true, false, 0x0000FF};
    const std::string rtf = otherFormatBytes(format("Rtf"), kText, font);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1250", 0), 0u);
    EXPECT_NE(rtf.find("\\fcharset238 Lucida Console;"), std::string::npos);
    EXPECT_NE(rtf.find("\\red0\\green0\\blue255;"), std::string::npos);
    EXPECT_NE(rtf.find("\\fs19\\cf1\\b "), std::string::npos);
    EXPECT_NE(rtf.find("\\'8elu\\'9dou\\'e8k\\'fd \\{k\\\\n\\}\\par"), std::string::npos);
    EXPECT_NE(rtf.find("\\page\r\na\\tab b <&>\\par"), std::string::npos);
    EXPECT_EQ(std::count(rtf.begin(), rtf.end(), '{'), std::count(rtf.begin(), rtf.end(), '}'));
    EXPECT_EQ(rtf.find_first_of(std::string("\x8e\f\t", 3)), std::string::npos);
    EXPECT_EQ(otherFormatBytes(format("Doc"), kText, font), rtf);
}

TEST(OtherFormats, WordXmlIsWellFormedText) {
    const std::string xml =
        otherFormatBytes(format("Xml"), kText, {"Courier New", 10, false, true, 0x008000});
    EXPECT_NE(xml.find("encoding=\"windows-1250\""), std::string::npos);
    EXPECT_NE(xml.find("<w:i/><w:color w:val=\"008000\"/><w:sz w:val=\"20\"/>"), std::string::npos);
    EXPECT_NE(xml.find("\x8elu\x9dou\xe8k\xfd {k\\n}</w:t>"), std::string::npos);
    EXPECT_NE(xml.find("<w:br w:type=\"page\"/>"), std::string::npos);
    EXPECT_NE(xml.find("a</w:t><w:tab/><w:t xml:space=\"preserve\">b &lt;&amp;&gt;</w:t>"),
              std::string::npos);
    EXPECT_EQ(xml.find_first_of(std::string("\f\t", 2)), std::string::npos);
}

TEST(OtherFormats, WriteReplacesTheTargetWholeAndReportsAFailure) {
    test::TestSession t;
    const std::string target = "C:\\Data\\Vystup.Rtf";
    t.write(target, "stary");
    ASSERT_TRUE(writeOtherFormat(*t, target, "novy", "Pozn", kText, {}));
    EXPECT_EQ(t.read(target), "novy");
    EXPECT_EQ(t.read("C:\\A_Run\\Work\\Pozn.Doc"), otherFormatBytes(format("Doc"), kText, {}));
    EXPECT_TRUE(t.dialogs.boxes.empty());

    // A read-only target keeps its contents and the failure is told.
    Platform::setReadOnly(t.path(target), true);
    EXPECT_FALSE(writeOtherFormat(*t, target, "jiny", "Pozn", kText, {}));
    EXPECT_EQ(t.read(target), "novy");
    EXPECT_TRUE(t.dialogs.saw("Soubor se nepodarilo ulozit"));
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(t.path("C:\\Data"))) ++files;
    EXPECT_EQ(files, 1) << "no temporary left";
}

} // namespace
