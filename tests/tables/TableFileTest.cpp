#include "tables/formats/DataPacketCompare.h"
#include "tables/formats/TableFile.h"

#include "DataPacketTestUtil.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace sarw;
using namespace sarw::test;
namespace fs = std::filesystem;

namespace {

class TableFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "sarw-tablefile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir;
};

Table sampleTable(int records) {
    Table t = programTable({{"DOKLAD", 8}, {"NAZEV", 30}, {"POZN", 0}});
    for (int i = 0; i < records; ++i)
        t.appendTexts({std::to_string(100000 + i),
                       "Material \x8A"
                       "roub " +
                           std::to_string(i),
                       "a\r\nb"});
    return t;
}

} // namespace

TEST(TableFileName, OnlyTheXmlExtensionSelectsXml) {
    const std::pair<const char*, TableFormat> cases[] = {
        {"C:\\A_Run\\Work\\X.Cds", TableFormat::Binary},
        {"D:\\ucto\\STAV.XML", TableFormat::Xml},
        {"stav.xml", TableFormat::Xml},
        {"stav.Xml", TableFormat::Xml},
        {"C:\\data.xml\\STAV", TableFormat::Binary},
        {"STAV", TableFormat::Binary},
        {"stav.xmlx", TableFormat::Binary},
        {"/tmp/a.b/stav.XmL", TableFormat::Xml},
    };
    for (const auto& [name, format] : cases) EXPECT_EQ(formatForName(name), format) << name;
}

TEST_F(TableFileTest, WritesAndReadsBothFormatsWhateverTheName) {
    const Table t = sampleTable(3);
    for (TableFormat f : {TableFormat::Binary, TableFormat::Xml, TableFormat::XmlUtf8}) {
        const fs::path file = dir / "STAV.Cds";
        std::string error;
        ASSERT_TRUE(writeTableFile(file, t, f, error)) << error;
        Table back;
        TableFormat found{};
        ASSERT_TRUE(readTableFile(file, back, found, error)) << error;
        EXPECT_EQ(found, f);
        EXPECT_EQ(tableDifference(t, back, TableCompare::Content), "");
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"STAV.Cds"});
}

TEST_F(TableFileTest, ReplacingKeepsTheOldFileUntilTheNewOneIsComplete) {
    const fs::path file = dir / "OBRATY.Cds";
    std::string error;
    ASSERT_TRUE(writeTableFile(file, sampleTable(2), TableFormat::Binary, error));
    ::chmod(file.c_str(), 0640);
    const std::string before = readFileBytes(file.string());

    // A table the format cannot hold fails before anything replaces the file.
    Table tooWide;
    tooWide.fields.resize(70000);
    EXPECT_FALSE(writeTableFile(file, tooWide, TableFormat::Binary, error));
    EXPECT_EQ(error, "Tabulka ma prilis mnoho poli");
    EXPECT_EQ(readFileBytes(file.string()), before);
    EXPECT_EQ(entries(), std::vector<std::string>{"OBRATY.Cds"});

    ASSERT_TRUE(writeTableFile(file, sampleTable(5), TableFormat::Binary, error));
    EXPECT_EQ(loadBytes(readFileBytes(file.string())).recordCount(), 5u);
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(), std::vector<std::string>{"OBRATY.Cds"});

    // A read-only file is not replaced.
    ::chmod(file.c_str(), 0444);
    EXPECT_FALSE(writeTableFile(file, sampleTable(1), TableFormat::Binary, error));
    EXPECT_EQ(error, "Soubor je jen pro cteni");
    EXPECT_EQ(loadBytes(readFileBytes(file.string())).recordCount(), 5u);

    EXPECT_FALSE(
        writeTableFile(dir / "missing" / "X.Cds", sampleTable(1), TableFormat::Binary, error));
    EXPECT_EQ(error, "Soubor nelze zapsat");
}

TEST_F(TableFileTest, AWriteThatFailsLeavesTheOldFileAndNoTemporary) {
    const fs::path file = dir / "OBRATY.Cds";
    std::string error;
    ASSERT_TRUE(writeTableFile(file, sampleTable(2), TableFormat::Binary, error));
    const std::string before = readFileBytes(file.string());
    // Written at the end, and written in blocks beside the filling of the next ones.
    for (int records : {200, 200000}) {
        for (bool durable : {true, false}) {
            test::FileSizeLimit limit(4096);
            EXPECT_FALSE(writeTableFile(file, sampleTable(records), TableFormat::Binary, error,
                                        durable));
            EXPECT_EQ(error, "Soubor nelze zapsat");
        }
        EXPECT_EQ(readFileBytes(file.string()), before);
        EXPECT_EQ(entries(), std::vector<std::string>{"OBRATY.Cds"});
    }
}

TEST_F(TableFileTest, UnreadableFilesGiveAReason) {
    Table t;
    TableFormat f{};
    std::string error;
    EXPECT_FALSE(readTableFile(dir / "none.Cds", t, f, error));
    EXPECT_EQ(error, "Soubor nelze otevrit");
    EXPECT_FALSE(readTableFile(dir, t, f, error));
    EXPECT_EQ(error, "Soubor nelze precist");
    std::ofstream(dir / "empty.Cds").close();
    EXPECT_FALSE(readTableFile(dir / "empty.Cds", t, f, error));
    EXPECT_EQ(error, "Soubor je prazdny");
    std::ofstream(dir / "text.Cds") << "Datum;Cislo\r\n";
    EXPECT_FALSE(readTableFile(dir / "text.Cds", t, f, error));
    EXPECT_EQ(error, "Soubor je poskozen nebo neni tabulka");
}

TEST_F(TableFileTest, LargeFilesReadInPiecesGiveTheSameTable) {
    // Values crossing the read buffer's edges, and one larger than the buffer.
    Table t = sampleTable(60000);
    t.setText(30000, 2, std::string(6 << 20, 'm'));
    const fs::path file = dir / "VELKY.Cds";
    std::string error;
    ASSERT_TRUE(writeTableFile(file, t, TableFormat::Binary, error)) << error;
    Table back;
    TableFormat f{};
    ASSERT_TRUE(readTableFile(file, back, f, error)) << error;
    EXPECT_EQ(tableDifference(t, back, TableCompare::Content), "");

    // Cut short, it is damaged, not shorter.
    fs::resize_file(file, fs::file_size(file) - 1);
    EXPECT_FALSE(readTableFile(file, back, f, error));
    EXPECT_EQ(back.recordCount(), 0u);
}
