#include "editors/RichTextFile.h"

#include "platform/Platform.h"
#include "rtf/RtfRead.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

namespace {

TEST(RichTextFile, MissingFileShowsEmptyAndSavingWritesRtfKeepingAttributes) {
    test::TestSession t;
    rtf::RichText text;
    text.paragraphs.resize(1);
    EXPECT_TRUE(openRichTextFile(*t, "C:\\LSarW\\Dokum\\Novy.Rtf", text));
    EXPECT_TRUE(text.paragraphs.empty());
    EXPECT_FALSE(t.exists("C:\\LSarW\\Dokum\\Novy.Rtf")) << "opening creates nothing";

    const std::string name = "C:\\Data\\Pomoc.Rtf";
    t.write(name, "{\\rtf1 star\\'e1\\par}");
    Platform::setReadOnly(t.path(name), true);
    ASSERT_TRUE(openRichTextFile(*t, name, text));
    ASSERT_EQ(rtf::plainText(text), "star\xc3\xa1\n");
    rtf::appendRun(text.paragraphs[0], {"Arial", 20, true}, " nov\xc3\xa1");
    ASSERT_TRUE(saveRichTextFile(*t, name, text, 1000));
    EXPECT_TRUE(Platform::isReadOnly(t.path(name)));
    EXPECT_EQ(rtf::readRtf(t.read(name)), text);
    EXPECT_TRUE(t.dialogs.saw("Soubor byl ulozen."));
}

TEST(RichTextFile, NotFoundNamesTheSearchedText) {
    test::TestSession t;
    richTextNotFound(*t, "hledany");
    ASSERT_EQ(t.dialogs.boxes.size(), 1u);
    EXPECT_EQ(t.dialogs.boxes[0].text, "Retezec nebyl nalezen !");
    EXPECT_EQ(t.dialogs.boxes[0].title, "Retezec:  hledany");
}

} // namespace
