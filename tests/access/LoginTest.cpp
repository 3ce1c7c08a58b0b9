#include "access/Login.h"
#include "access/AccessFile.h"
#include "access/Rights.h"

#include "support/TestSession.h"

#include <gtest/gtest.h>

using namespace sarw;
using Kind = ScriptedDialogs::Kind;

namespace {

void users(test::TestSession& t, const std::vector<AccessEntry>& entries) {
    ASSERT_TRUE(saveAccessFile(*t, entries));
}

} // namespace

TEST(Login, MatchingEntriesGiveStatusAndRights) {
    test::TestSession t;
    users(t, {{"Jan", "heslo", "Sprav"},
              {"Eva", "heslo", "Prohl"},
              {"Jan", "heslo", "Obraty"},
              {"Jan", "jine", "Zenit"}});
    EXPECT_TRUE(login(*t, "  Jan ", "heslo"));
    EXPECT_EQ(t->login.user, "Jan");
    EXPECT_EQ(t->login.status, "Obraty");
    EXPECT_EQ(t->login.rights, "|Sprav|Obraty|");
    EXPECT_TRUE(t.dialogs.boxes.empty());

    struct Refused {
        const char* user;
        const char* password;
    };
    // Wrong password, name in another case, password with blanks around it.
    for (const auto& r : {Refused{"Jan", "Heslo"}, Refused{"jan", "heslo"},
                          Refused{"Jan", " heslo"}, Refused{"Nikdo", ""}}) {
        t.dialogs.clear();
        EXPECT_FALSE(login(*t, r.user, r.password)) << r.user << "/" << r.password;
        EXPECT_EQ(t->login.status, "");
        EXPECT_EQ(t->login.rights, "|");
        ASSERT_EQ(t.dialogs.count(Kind::Information), 1);
        EXPECT_EQ(t.dialogs.boxes[0].text, "Chybne zadane jmeno nebo heslo !");
    }
}

TEST(Login, DefaultFileAdmitsZenit) {
    test::TestSession t;
    EXPECT_TRUE(login(*t, "Zenit", "Zenit"));
    EXPECT_EQ(t->login.status, "Zenit");
    EXPECT_EQ(t->login.rights, "|Zenit|");
}

TEST(Login, MaintenanceNameIsAnOrdinaryName) {
    test::TestSession t;
    users(t, {{"Jan", "heslo", "Sprav"}});
    // No password at all, and no entry: refused.
    EXPECT_FALSE(login(*t, "Zen_Zen", ""));
    EXPECT_EQ(t->login.status, "");
    EXPECT_FALSE(login(*t, "Zen_Zen", "cokoli"));
    EXPECT_NE(t->login.user, "Zenit_Gen");

    // As an entry of the file it logs in with its own password and status.
    users(t, {{"Zen_Zen", "servis", "Prohl"}});
    EXPECT_FALSE(login(*t, "Zen_Zen", ""));
    EXPECT_TRUE(login(*t, "Zen_Zen", "servis"));
    EXPECT_EQ(t->login.status, "Prohl");
    EXPECT_FALSE(hasRight(*t, {"Sprav"}));
}

TEST(Login, EmptyPasswordAdmitsOnlyAnEmptyPasswordWithItsOwnStatus) {
    test::TestSession t;
    users(t, {{"Eva", "", "Prohl"}, {"Eva", "", "HCis"}});
    EXPECT_FALSE(login(*t, "Eva", "Zenit"));
    EXPECT_FALSE(login(*t, "Eva", "x"));
    EXPECT_EQ(t->login.status, "");
    EXPECT_TRUE(login(*t, "Eva", ""));
    EXPECT_EQ(t->login.status, "HCis");
    EXPECT_EQ(t->login.rights, "|Prohl|HCis|");
}

TEST(Login, WindowWithoutTheLoginFlagClosesAtOnce) {
    test::TestSession t;
    t->login.typedPassword = "old";
    EXPECT_TRUE(beginLogin(*t));
    EXPECT_EQ(t->login.typedPassword, "");
    EXPECT_TRUE(t.exists("C:\\A_Run\\PristPr\\LSar.H"));
    t->login.loginFlag = false;
    EXPECT_FALSE(beginLogin(*t));
    EXPECT_EQ(t->login.status, "::::::::::");
    EXPECT_EQ(t->login.rights, "::::::::::");
}

TEST(Rights, AreaCheck) {
    struct Case {
        const char* user;
        const char* rights;
        const char* area1;
        const char* area2;
        bool allowed;
    };
    const Case cases[] = {
        {"Jan", "|Zenit|", "Sprav", "", true},
        {"Jan", "|Sprav|Obraty|", "Obraty", "", true},
        {"Jan", "|HObr|", "Sprav", "HObr", true},
        {"Jan", "|Prohl|", "Sprav", "", false},
        {"Jan", "|Spravce|", "Sprav", "", false},
        {"Jan", "|Zenitx|", "Sprav", "", false},
        {"Jan", "|", "", "", false},
        {"Zenit_Gen", "|Prohl|", "Sprav", "", false},
    };
    for (const auto& c : cases) {
        test::TestSession t;
        t->login.user = c.user;
        t->login.rights = c.rights;
        EXPECT_EQ(areaCheck(*t, {c.area1, c.area2}), c.allowed) << c.rights;
        ASSERT_EQ(t.dialogs.count(Kind::Warning), c.allowed ? 0 : 1) << c.rights;
        if (!c.allowed) {
            EXPECT_EQ(t.dialogs.boxes[0].text, "Pro tuto oblast nemate opravneni !");
        }
    }
}

TEST(Rights, MainWindowCommandsForAViewer) {
    test::TestSession t;
    t->login.status = "Prohl";
    t->login.rights = "|Prohl|";
    EXPECT_FALSE(dosMenuVisible(*t));
    // Status gates fail without a word.
    EXPECT_FALSE(commandAllowed(*t, GatedCommand::TransferToAccounts));
    EXPECT_FALSE(commandAllowed(*t, GatedCommand::AccountingPeriod));
    EXPECT_TRUE(t.dialogs.boxes.empty());
    // Area gates warn.
    EXPECT_FALSE(commandAllowed(*t, GatedCommand::InitialStates));
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 1);
    // Codebooks open read-only after the warning.
    EXPECT_EQ(codebookEditMode(*t), 'N');
    EXPECT_EQ(t.dialogs.count(Kind::Warning), 2);

    t->login.status = "AdmDef";
    t->login.rights = "|AdmDef|HCis|Obraty|";
    EXPECT_TRUE(commandAllowed(*t, GatedCommand::AccountingPeriod));
    EXPECT_TRUE(commandAllowed(*t, GatedCommand::DefinitionFile));
    EXPECT_TRUE(commandAllowed(*t, GatedCommand::RestoreLastDocument));
    EXPECT_EQ(codebookEditMode(*t), 'A');
    EXPECT_FALSE(commandAllowed(*t, GatedCommand::TransferToAccounts));
    EXPECT_FALSE(commandAllowed(*t, GatedCommand::Turnovers));

    t->login.status = "Zenit";
    t->login.rights = "|Zenit|";
    EXPECT_TRUE(dosMenuVisible(*t));
    EXPECT_TRUE(commandAllowed(*t, GatedCommand::MonthlyClosing));
    EXPECT_TRUE(commandAllowed(*t, GatedCommand::TransferToAccounts));
}
