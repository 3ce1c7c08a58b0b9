// A table written whole or from a source of records: on disk when it could be written, otherwise
// false after one warning that names the file and the writer's error.
#include "tables/library/CdsTable.h"

#include "shell/Session.h"
#include "support/TestSession.h"
#include "tables/formats/TableFile.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

using namespace sarw;

namespace {

// Record r of `count` is the texts "a<r>" and "b<r>".
class CountedRecords : public RecordSource {
public:
    explicit CountedRecords(std::size_t count) : count_(count) {}
    std::size_t recordCount() const override { return count_; }
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states) const override {
        owned_ = {"a" + std::to_string(rec), "b" + std::to_string(rec)};
        const std::string_view texts[2] = {owned_[0], owned_[1]};
        placeSideBySide(texts, 2, buffer_, cells);
        states[0] = states[1] = CellState::Value;
    }

private:
    std::size_t count_;
    mutable std::array<std::string, 2> owned_;
    mutable std::string buffer_;
};

TEST(WriteTableOrWarn, WritesOrWarnsWithTheNameAndTheError) {
    test::TestSession t;
    Table head;
    for (const char* name : {"A", "B"}) {
        head.fields.emplace_back();
        head.fields.back().name = name;
        head.fields.back().size = 4;
    }
    Table whole = head;
    whole.appendTexts({"a0", "b0"});
    whole.appendTexts({"a1", "b1"});
    const CountedRecords records(2);
    struct Case {
        const char* name;
        std::function<bool(const std::string&)> write;
    };
    const Case cases[] = {
        {"whole table",
         [&](const std::string& name) {
             return writeTableOrWarn(*t, name, whole, TableFormat::Binary, true);
         }},
        {"records",
         [&](const std::string& name) { return writeTableOrWarn(*t, name, head, records); }},
    };
    std::filesystem::create_directories(t.path("C:\\Data"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.dialogs.clear();
        ASSERT_TRUE(c.write("C:\\Data\\T.Cds"));
        EXPECT_TRUE(t.dialogs.boxes.empty());
        Table back;
        TableFormat format;
        std::string error;
        ASSERT_TRUE(readTableFile(t.path("C:\\Data\\T.Cds"), back, format, error)) << error;
        ASSERT_EQ(back.recordCount(), 2u);
        EXPECT_EQ(back.text(1, 0), "a1");
        EXPECT_EQ(back.text(1, 1), "b1");

        // A directory that does not exist cannot hold the file.
        const std::string missing = "C:\\Chybi\\T.Cds";
        EXPECT_FALSE(c.write(missing));
        ASSERT_EQ(t.dialogs.boxes.size(), 1u);
        const std::string text = t.dialogs.boxes[0].text;
        const std::string start = "Soubor se nepodarilo ulozit:\r\r" + missing + "\r\r";
        EXPECT_EQ(t.dialogs.boxes[0].kind, ScriptedDialogs::Kind::Warning);
        EXPECT_EQ(text.substr(0, start.size()), start);
        EXPECT_GT(text.size(), start.size()) << "the writer's error follows the name";
        EXPECT_FALSE(t.exists(missing));
    }
}

} // namespace
