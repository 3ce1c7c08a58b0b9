#include "start/DataDiskWrite.h"

#include "platform/DiskLock.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <chrono>

namespace fs = std::filesystem;
using namespace sarw;

namespace {

class DataDiskWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(t.path("D:\\LSarW\\Data"));
        t->dataDisk = "D:";
        t->writeLockWaitMs = 200;
    }

    test::TestSession t;
};

void age(const fs::path& file) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(2));
}

} // namespace

TEST_F(DataDiskWriteTest, NestedWritersOfOneSessionTakeTheLockOnce) {
    const DataDiskWrite outer(*t);
    ASSERT_TRUE(outer.held());
    {
        const DataDiskWrite inner(*t);
        EXPECT_TRUE(inner.held());
    }
    // The inner guard's end must not release the outer writer's lock.
    const DiskLock other(t.path(dataDiskLockFile(*t)), std::chrono::milliseconds(0));
    EXPECT_EQ(other.state(), DiskLock::State::HeldElsewhere);
}

TEST_F(DataDiskWriteTest, ASecondWriterIsRefusedWithAWarningUntilTheFirstEnds) {
    {
        const DataDiskWrite first(*t);
        ASSERT_TRUE(first.held());
        // A second holder in the same process is refused too: the lock is the open file's.
        DiskLock sameProcess(t.path(dataDiskLockFile(*t)), std::chrono::milliseconds(150));
        EXPECT_EQ(sameProcess.state(), DiskLock::State::HeldElsewhere);
    }
    const DiskLock blocker(t.path(dataDiskLockFile(*t)), std::chrono::milliseconds(0));
    ASSERT_EQ(blocker.state(), DiskLock::State::Acquired);
    {
        const DataDiskWrite refused(*t);
        EXPECT_FALSE(refused.held());
        EXPECT_EQ(t.dialogs.count(ScriptedDialogs::Kind::Warning), 1);
        EXPECT_TRUE(t.dialogs.saw("jiny program"));
        const DataDiskWrite quiet(*t, true);
        EXPECT_FALSE(quiet.held());
        EXPECT_EQ(t.dialogs.boxes.size(), 1u);
    }
}

TEST_F(DataDiskWriteTest, CrashLeftoversAreRecognisedByName) {
    const fs::path dir = t.path("D:\\LSarW\\Data");
    t.write("D:\\LSarW\\Data\\260201SarS.Cds", "x");
    struct Case {
        const char* name;
        bool leftover;
    } cases[] = {
        {"260201SarS~04711.Cds", true},  // the replacement's temporary
        {"SarO~12345.Def", true},
        {".260201SarO.Cds.~31337", true},  // hidden temporary of earlier versions
        {"260201SarS957383.Cds", true},    // numbered temporary beside its target
        {"260201SarO957383.Cds", false},   // no such target beside it
        {"260201SarS.Cds", false},
        {"Sklad~1.Cds", false},
        {"A~12345.B.Cds", false},
        {".profile", false},
        {"260201SarS95738.Cds", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isCrashLeftover(c.name, dir), c.leftover) << c.name;
}

TEST_F(DataDiskWriteTest, TheFirstWriterRemovesLeftoversButNoUserFile) {
    const std::string kept[] = {"D:\\LSarW\\Data\\260201SarS.Cds", "D:\\LSarW\\Data\\Ceny.Cds",
                                "C:\\A_Run\\Work\\SarWork~00001.Cds"};
    for (const auto& f : kept) t.write(f, "data");
    const std::string gone[] = {"D:\\LSarW\\Data\\260201SarS957383.Cds",
                                "D:\\LSarW\\Data\\260201SarO~55555.Cds",
                                "D:\\LSarW\\Archiv\\.260201SarO.Cds.~4242",
                                "C:\\A_Run\\PomSoub\\Obdobi~12345.Txt"};
    for (const auto& f : gone) t.write(f, "torn");
    // A reader may be writing a fresh work file beside us: only old local ones go.
    age(t.path("C:\\A_Run\\PomSoub\\Obdobi~12345.Txt"));
    {
        const DataDiskWrite writer(*t);
        ASSERT_TRUE(writer.held());
        t.write("D:\\LSarW\\Data\\Own~22222.Cds", "live");
        const DataDiskWrite nested(*t);
        EXPECT_TRUE(t.exists("D:\\LSarW\\Data\\Own~22222.Cds")) << "a nested writer cleared";
    }
    for (const auto& f : kept) EXPECT_TRUE(t.exists(f)) << f;
    for (const auto& f : gone) EXPECT_FALSE(t.exists(f)) << f;
}
