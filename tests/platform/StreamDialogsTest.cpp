#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace sarw;

// The command line shows a box as "TITLE: TEXT", one line per line of the text; a box without
// a title shows its text alone, never after an empty title.
TEST(StreamDialogs, ATitleLeadsOnlyWhenThereIsOne) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    {
        StreamDialogs d(f, false);
        d.warning("Disketova jednotka neni pripojena !", "");
        d.information("Prekontrolujte data !", "D:\\X.Cds");
        d.error("Prvni\r\rdruhy", "");
        EXPECT_FALSE(d.question("Ulozit ?", ""));
    }
    std::rewind(f);
    std::string got;
    for (int c; (c = std::fgetc(f)) != EOF;) got += static_cast<char>(c);
    std::fclose(f);
    EXPECT_EQ(got, "Disketova jednotka neni pripojena !\n"
                   "D:\\X.Cds: Prekontrolujte data !\n"
                   "Prvni\n\ndruhy\n"
                   "Ulozit ? [Ne]\n");
}
