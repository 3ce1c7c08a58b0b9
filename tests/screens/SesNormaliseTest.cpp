#include "screens/SesNormalise.h"

#include "output/ReportFile.h"
#include "support/TestSession.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace sarw;

namespace {

constexpr const char* kWork = "C:\\A_Run\\Work\\W.Txt";
constexpr const char* kReport = "C:\\A_Run\\Sestavy\\SW.Ses";

std::string everyByte() {
    std::string s;
    for (int c = 0; c < 256; ++c) s += static_cast<char>(c);
    return s;
}

// Control characters on both sides of the block boundary and a last line without its end.
std::string largeText() {
    std::string s;
    while (s.size() < (1u << 20) + 5000) s += "Radek\t1\x01,50\r\n\f\r\n\x9A\xE8";
    return s;
}

// What a route gives for the same work text over the same older report: success, the report's
// bytes ("(none)" when there is none) and the boxes shown.
struct Outcome {
    bool ok = false;
    std::string report;
    std::vector<std::string> boxes;
};

Outcome run(bool inBlocks, const std::string& work, const std::string& oldReport,
            bool hasWork = true) {
    test::TestSession t;
    if (hasWork) t.write(kWork, work);
    if (!oldReport.empty()) t.write(kReport, oldReport);
    Outcome o;
    o.ok = inBlocks ? normaliseReportInBlocks(*t, kWork, kReport) : normaliseReport(*t, kWork, kReport);
    o.report = t.exists(kReport) ? t.read(kReport) : "(none)";
    for (const auto& b : t.dialogs.boxes) o.boxes.push_back(b.text);
    return o;
}

TEST(SesNormalise, GivesWhatTheWholeFileNormalisationGives) {
    const struct {
        const char* name;
        std::string work, oldReport;
        bool hasWork = true;
    } cases[] = {
        {"empty work text", "", ""},
        {"every byte", everyByte(), ""},
        {"over a block", largeText(), ""},
        {"a longer older report is replaced", "kratka\r\n", std::string(5000, 'x')},
        {"missing work text", "", "stara", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome whole = run(false, c.work, c.oldReport, c.hasWork);
        const Outcome blocks = run(true, c.work, c.oldReport, c.hasWork);
        EXPECT_EQ(blocks.ok, whole.ok);
        EXPECT_TRUE(blocks.report == whole.report) << blocks.report.size() << " bytes against "
                                                   << whole.report.size();
        EXPECT_EQ(blocks.boxes, whole.boxes);
    }
    EXPECT_EQ(run(true, everyByte(), "").report,
              std::string(10, ' ') + "\n \f\r" + std::string(18, ' ') + everyByte().substr(32));
}

TEST(SesNormalise, AReportThatCannotBeWrittenWarnsAndLeavesNoTemporaryFile) {
    test::TestSession t;
    t.write(kWork, "text\r\n");
    std::filesystem::create_directories(t.path(kReport) / "x"); // a folder stands in its way
    EXPECT_FALSE(normaliseReportInBlocks(*t, kWork, kReport));
    EXPECT_TRUE(t.dialogs.saw("Normalizace se nepodarila !"));
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(t.path(kReport).parent_path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

} // namespace
