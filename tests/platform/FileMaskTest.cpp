#include "platform/FileMask.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;

TEST(FileMask, MatchesAsWindowsDoes) {
    struct Case {
        const char* mask;
        const char* name;
        bool match;
    } cases[] = {
        {"*.*", "SarWork.Cds", true},
        {"*.*", "README", true},
        {"*.Cds", "a.cds", true},
        {"*.Cds", "a.cdsx", false},
        {"Sar*.Cds", "SarS.Cds", true},
        {"Sar*.Cds", "xSar.Cds", false},
        {"??.Cds", "MJ.Cds", true},
        {"??.Cds", "DP1.Cds", false},
        {"SarO.*", "SarO", true},
        {"*", "a.b.c", true},
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXbY", false},
        // Accented names compare without regard to case too (Windows-1250 bytes).
        {"\xc8\xed*", "\xe8\xcdselnik.txt", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(maskMatches(c.mask, c.name), c.match) << c.mask << " ~ " << c.name;
}

TEST(FileMask, SplitsDirectoryAndName) {
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(splitDirName("C:\\A_Run\\Work\\*.*"), P("C:\\A_Run\\Work", "*.*"));
    EXPECT_EQ(splitDirName("C:\\X.Cds"), P("C:\\", "X.Cds"));
    EXPECT_EQ(splitDirName("C:X.Cds"), P("C:", "X.Cds"));
    EXPECT_EQ(splitDirName("X.Cds"), P("", "X.Cds"));
    EXPECT_EQ(splitDirName("/tmp/d/x"), P("/tmp/d", "x"));
}

TEST(FileMask, ListsMatchingRegularFilesSortedAndLimited) {
    test::TestSession t;
    for (const char* n : {"C:\\D\\b.Cds", "C:\\D\\a.Cds", "C:\\D\\c.Def", "C:\\D\\Sub\\d.Cds"})
        t.write(n, "x");
    auto found = filesMatching(t.path("C:\\D"), "*.cds");
    ASSERT_EQ(found.size(), 2u); // the subdirectory's file and the .Def are not listed
    EXPECT_EQ(found[0].name, "a.Cds");
    EXPECT_EQ(found[1].name, "b.Cds");
    EXPECT_EQ(filesMatching(t.path("C:\\D"), "*.*", 2).size(), 2u);
    EXPECT_TRUE(filesMatching(t.path("C:\\Missing"), "*.*").empty());
}
