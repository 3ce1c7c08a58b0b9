#include "access/AccessFile.h"

#include "platform/ProgramHalt.h"
#include "shell/USarCON.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace sarw;
using Kind = ScriptedDialogs::Kind;

namespace {

mode_t modeOf(const std::filesystem::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0);
    return st.st_mode & 0777;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

} // namespace

TEST(AccessFile, SubstitutionAndTranspositionAsStored) {
    // The edges of every substitution range.
    const std::string plain = bytes({0, 34, 35, 63, 64, 72, 73, 126, 127, 153, 154, 200, 201, 255});
    const std::string substituted =
        bytes({56, 90, 28, 0, 91, 99, 255, 202, 29, 55, 146, 100, 147, 201});
    // Shorter than one row of 27 columns, the transposition reverses the order.
    EXPECT_EQ(scrambleAccess(plain), std::string(substituted.rbegin(), substituted.rend()));

    // 29 bytes: column 2 holds positions 2 and 29, column 1 position 1 and 28.
    std::string longer(29, 'A');
    longer[0] = 'B';  // position 1
    longer[1] = 'C';  // position 2
    longer[27] = 'D'; // position 28
    const std::string s = scrambleAccess(longer);
    ASSERT_EQ(s.size(), 29u);
    EXPECT_EQ(s.substr(25), bytes({'C' + 27, 'A' + 27, 'B' + 27, 'D' + 27}));
}

TEST(AccessFile, ScrambleRoundTripsAroundTheColumnCount) {
    for (std::size_t n : {0u, 1u, 26u, 27u, 28u, 54u, 55u, 300u}) {
        std::string plain;
        for (std::size_t i = 0; i < n; ++i) plain += static_cast<char>((i * 37 + 11) & 0xFF);
        EXPECT_EQ(unscrambleAccess(scrambleAccess(plain)), plain) << n;
    }
    // Every byte value survives.
    std::string all;
    for (int v = 0; v < 256; ++v) all += static_cast<char>(v);
    EXPECT_EQ(unscrambleAccess(scrambleAccess(all)), all);
}

TEST(AccessFile, MissingFileIsCreatedWithTheDefaultEntryForItsOwnerOnly) {
    test::TestSession t;
    const auto entries = loadAccessFile(*t);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (AccessEntry{"Zenit", "Zenit", "Zenit"}));
    const auto file = t.path(kAccessFileName);
    EXPECT_EQ(modeOf(file) & 077, 0u);
    EXPECT_TRUE(Platform::isReadOnly(file));

    // Stored as the program has always stored it: prologue 151..180, then the entry, scrambled.
    std::string plain;
    for (int v = 151; v <= 180; ++v) plain += static_cast<char>(v);
    plain += "Zenit\xFAZenit\xFAZenit\xFA\xFB";
    EXPECT_EQ(t.read(kAccessFileName), scrambleAccess(plain));
    EXPECT_TRUE(t.dialogs.boxes.empty());
}

// Starting again cannot help: the message names the file and how to mend it.
TEST(AccessFile, DamagedFileHaltsNamingTheFileAndTheRemedy) {
    const std::string good = accessPlainContent({{"Jan", "x", "Sprav"}});
    const std::string cases[] = {
        scrambleAccess(good.substr(0, good.size() - 1)), // entry not closed
        scrambleAccess("X" + good.substr(1)),            // prologue
        scrambleAccess(good.substr(0, 20)),              // shorter than the prologue
    };
    for (const auto& content : cases) {
        test::TestSession t;
        t.write(kAccessFileName, content);
        EXPECT_THROW(loadAccessFile(*t), ProgramHalt);
        ASSERT_EQ(t.dialogs.count(Kind::Error), 1);
        EXPECT_EQ(t.dialogs.boxes[0].text,
                  "Doslo k chybe pri nacitani pristupovych prav !\r\rSoubor "
                  "C:\\A_Run\\PristPr\\LSar.H je poskozen nebo jej nelze precist.\r\rTabulku "
                  "pristupovych prav obnovte z archivu, nebo ji znovu zapise uzivatel se statusem "
                  "\"Zenit\" (sarw-cli users set).");
    }
}

TEST(AccessFile, SavedTableStopsAtTheFirstBlankNameAndTrims) {
    test::TestSession t;
    ASSERT_TRUE(saveAccessFile(*t, {{"  Jan ", " tajne ", " Sprav "},
                                    {"Eva", "", "Prohl"},
                                    {"   ", "pw", "Zenit"},
                                    {"Lost", "pw", "Zenit"}}));
    const auto entries = loadAccessFile(*t);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], (AccessEntry{"Jan", "tajne", "Sprav"}));
    EXPECT_EQ(entries[1], (AccessEntry{"Eva", "", "Prohl"}));
    EXPECT_EQ(modeOf(t.path(kAccessFileName)) & 077, 0u);
    EXPECT_FALSE(t.exists("C:\\A_Run\\PristPr\\LSar.H.tmp"));

    // Entries in Windows-1250 with accented letters other than the separators round-trip.
    ASSERT_TRUE(saveAccessFile(*t, {{"\x8Etefan", "\xE8\xED\xF8", "Sprav"}}));
    EXPECT_EQ(loadAccessFile(*t)[0], (AccessEntry{"\x8Etefan", "\xE8\xED\xF8", "Sprav"}));
}

TEST(AccessFile, SaveRefusesWhatTheFileCannotHold) {
    test::TestSession t;
    ASSERT_TRUE(saveAccessFile(*t, {{"Jan", "x", "Sprav"}}));
    const std::string before = t.read(kAccessFileName);

    // u with acute is byte 250, the field separator: it would tear the entry apart.
    EXPECT_FALSE(saveAccessFile(*t, {{"Jan", "k\xFA\xF8", "Sprav"}}));
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1);
    // Content beyond what a reading takes in would be cut off.
    std::vector<AccessEntry> many(200, {std::string(40, 'n'), std::string(40, 'p'), "Sprav"});
    EXPECT_FALSE(saveAccessFile(*t, many));
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 2);
    EXPECT_EQ(t.read(kAccessFileName), before);
}
