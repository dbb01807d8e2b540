// The work file: its exact form, the round trip, the open and close rules, bad files.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "common/error.h"
#include "support/table_contents.h"
#include "support/temp_folder.h"
#include "table/event_table.h"
#include "table/record_table.h"

namespace gravmark {
namespace {

using test::readFile;
using test::recordsById;
using test::viewOrder;
using test::TempFolder;
using test::writeFile;

void makeSmallTable(RecordTable& t, const std::string& path) {
    t.setFieldDefs({{"command", FieldType::String, 20}, {"game", FieldType::Integer}});
    t.setFileName(path);
    t.createDataSet();
    t.insert();
    t.setText("command", "J");
    t.setInteger("game", 1);
    t.post();
}

TEST(WorkFile, IsTheOneLineDataPacket) {
    TempFolder dir;
    RecordTable t;
    makeSmallTable(t, dir.file("lijst.xml"));
    t.close();
    EXPECT_EQ(readFile(dir.file("lijst.xml")),
              "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
              "<FIELD attrname=\"command\" fieldtype=\"string\" WIDTH=\"20\"/><FIELD attrname=\"game\" "
              "fieldtype=\"i4\"/></FIELDS><PARAMS/></METADATA><ROWDATA><ROW command=\"J\" game=\"1\"/>"
              "</ROWDATA></DATAPACKET>");
}

TEST(WorkFile, RoundTripKeepsEveryByteNullsAndFloats) {
    TempFolder dir;
    std::string path = dir.file("t.xml");
    std::string allBytes;
    for (int c = 1; c < 256; ++c) allBytes += char(c);
    std::vector<std::string> texts = {"<a&b>\"it's\"\r\n\t\\", "",
                                      " lead and trail ",      allBytes.substr(0, 80),
                                      allBytes.substr(80, 80), allBytes.substr(160, 80),
                                      allBytes.substr(240)};
    std::vector<double> reals = {0.1, 1.0 / 3, -2.5e-300, 1e300, 0.30000000000000004, -0.0, 5e-324};
    {
        RecordTable t;
        t.setFieldDefs({{"s", FieldType::String, 80},
                        {"i", FieldType::Integer},
                        {"r", FieldType::Float},
                        {"n", FieldType::String, 5}});
        t.setFileName(path);
        t.createDataSet();
        for (size_t k = 0; k < texts.size(); ++k) {
            t.insert();
            t.setText("s", texts[k]);
            t.setInteger("i", k == 0 ? INT32_MIN : int32_t(k));
            t.setFloat("r", reals[k]);
            t.post();
        }
        t.close();
    }
    std::string file = readFile(path);
    EXPECT_EQ(file.find('\n'), std::string::npos);
    EXPECT_NE(file.find("&lt;a&amp;b&gt;&quot;it&apos;s&quot;&#013;&#010;&#009;&#092;"), std::string::npos);
    EXPECT_EQ(file.find(" n="), std::string::npos);  // nulls are left out

    RecordTable t;
    t.setFileName(path);
    t.open();
    ASSERT_EQ(t.fieldDefs().size(), 4u);
    EXPECT_EQ(t.fieldDefs()[2].type, FieldType::Float);
    EXPECT_EQ(t.fieldDefs()[3].size, 5);
    ASSERT_EQ(t.recordCount(), int(texts.size()));
    t.first();
    for (size_t k = texts.size(); k-- > 0; t.next()) {  // default order: the last insert first
        EXPECT_EQ(std::get<std::string>(t.fieldValue("s")), texts[k]) << k;
        EXPECT_EQ(std::get<int32_t>(t.fieldValue("i")), k == 0 ? INT32_MIN : int32_t(k));
        EXPECT_EQ(std::get<double>(t.fieldValue("r")), reals[k]);
        EXPECT_TRUE(isNull(t.fieldValue("n")));
    }
}

// Closing and opening again in memory gives what reading the written file back gives:
// the same file, records, posting order, text ids, view, index orders and current record,
// after inserts before the current record, edits and deletes of awkward texts. A table
// without a work file ends with the same records.
TEST(WorkFile, CloseAndReopenGivesWhatReadingTheFileGives) {
    TempFolder dir;
    std::string allBytes;
    for (int c = 1; c < 256; ++c) allBytes += char(c);
    // Filled alike, with more records than a block of rows holds.
    auto fill = [&allBytes](RecordTable& table, const std::string& file) {
        std::mt19937 random(5);
        table.setFieldDefs(eventTableFields());
        table.setFileName(file);
        table.createDataSet();
        table.setIndexFieldNames("command");
        for (int k = 0; k < 40000; ++k) {
            table.insert();
            table.setText("command", k % 7 == 0 ? "J" : "K");
            const size_t from = random() % allBytes.size();
            table.setText("a_name", allBytes.substr(from, random() % 50));
            if (k % 3) table.setText("v_name", k % 2 ? "" : "<\"'&>\r\n\t\\");
            if (k % 5) table.setInteger("game", int32_t(random() % 40) - 2);
            table.post();
            if (k % 11 == 0) table.next();
            if (k % 97 == 0) table.deleteRecord();
            if (k % 89 == 0) {
                table.edit();
                table.setText("command", "J");
                table.post();
            }
        }
    };
    RecordTable inMemory, withoutFile;
    fill(inMemory, dir.file("memory.xml"));
    fill(withoutFile, "");
    withoutFile.closeAndReopen();
    inMemory.closeAndReopen();
    std::filesystem::copy_file(dir.file("memory.xml"), dir.file("read.xml"));
    RecordTable read;
    read.setFieldDefs(eventTableFields());
    read.setFileName(dir.file("read.xml"));
    read.setIndexFieldNames("command");
    read.open();

    EXPECT_EQ(inMemory.postedCount(), read.postedCount());
    EXPECT_EQ(inMemory.textIdCount(), read.textIdCount());
    EXPECT_EQ(recordsById(inMemory), recordsById(read));
    EXPECT_EQ(recordsById(withoutFile), recordsById(read));
    for (const char* order : {"command", "a_name;game", ""}) {
        inMemory.setIndexFieldNames(order);
        read.setIndexFieldNames(order);
        EXPECT_EQ(viewOrder(inMemory), viewOrder(read)) << order;
        EXPECT_EQ(inMemory.currentRow(), read.currentRow()) << order;
    }

    // Unchanged since: closing again writes nothing, and the next run starts from the file.
    std::filesystem::remove(dir.file("read.xml"));
    const auto written = std::filesystem::last_write_time(dir.file("memory.xml"));
    inMemory.closeAndReopen();
    EXPECT_EQ(std::filesystem::last_write_time(dir.file("memory.xml")), written);
    EXPECT_EQ(recordsById(inMemory), recordsById(read));
}

// Without a work file (the batch command's tables) the records stay, in file order.
TEST(WorkFile, CloseAndReopenWithoutAFileKeepsTheRecordsInFileOrder) {
    RecordTable t;
    t.setFieldDefs({{"command", FieldType::String, 20}});
    t.createDataSet();
    for (const char* command : {"A", "B", "C"}) {
        t.insert();  // each before the last, as PARSE posts them
        t.setText("command", command);
        t.post();
    }
    t.closeAndReopen();
    ASSERT_EQ(t.postedCount(), 3u);
    for (uint32_t r = 0; r < 3; ++r) EXPECT_EQ(t.textOfId(t.recordTextId(r, 0)), std::string(1, char('C' - r)));
}

// A work file that cannot be written leaves the table open with every record.
TEST(WorkFile, CloseAndReopenThatCannotWriteKeepsTheTable) {
    TempFolder dir;
    RecordTable t;
    makeSmallTable(t, dir.file("missing-folder/lijst.xml"));
    EXPECT_THROW(t.closeAndReopen(), Error);
    EXPECT_TRUE(t.active());
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.textOf("command"), "J");
}

TEST(WorkFile, ReadsAPacketLargerThanItsReadBlocks) {
    TempFolder dir;
    std::string path = dir.file("lijst.xml");
    auto nameOf = [](int i) { return "<&'\"" + std::to_string(i) + std::string(60, char('a' + i % 26)); };
    const int rows = 60000;  // some 6 MB
    {
        RecordTable t;
        t.setFieldDefs(eventTableFields());
        t.setFileName(path);
        t.createDataSet();
        for (int i = 0; i < rows; ++i) {
            t.insert();
            t.setText("a_name", nameOf(i));
            if (i % 3) t.setInteger("game", i);
            t.post();
        }
        t.close();
    }
    RecordTable t;
    t.setFileName(path);
    t.open();
    ASSERT_EQ(t.recordCount(), rows);
    t.first();
    for (int i = rows; i-- > 0; t.next()) {
        ASSERT_EQ(t.textOf("a_name"), nameOf(i).substr(0, 40));
        ASSERT_EQ(t.fieldValue("game"), i % 3 ? Value(int32_t(i)) : Value());
    }
    t.close();
    std::string packet = readFile(path);
    writeFile(path, packet.substr(0, packet.size() - 30));
    EXPECT_THROW(t.open(), Error);
    EXPECT_FALSE(t.active());
}

TEST(WorkFile, IsWrittenOnCloseOnlyWhenChangedOrMissing) {
    TempFolder dir;
    std::string path = dir.file("lijst.xml");
    RecordTable t;
    makeSmallTable(t, path);
    t.close();
    writeFile(path, readFile(path) + " ");  // a mark that a rewrite would remove
    t.open();
    t.close();
    EXPECT_EQ(readFile(path).back(), ' ');  // unchanged: not rewritten
    std::filesystem::remove(path);
    t.open();  // no file: an empty table from the definitions
    EXPECT_EQ(t.recordCount(), 0);
    t.close();
    EXPECT_TRUE(std::filesystem::exists(path));  // missing: written although unchanged

    t.open();
    t.insert();
    t.setText("command", "K");
    t.close();  // the pending insert is dropped
    t.open();
    EXPECT_EQ(t.recordCount(), 0);
    t.insert();
    t.setText("command", "K");
    t.post();
    t.saveToFile();
    writeFile(path, readFile(path) + " ");
    t.close();  // written by the save: unchanged since
    EXPECT_EQ(readFile(path).back(), ' ');
    t.saveToFile(dir.file("other.xml"));  // closed: does nothing
    EXPECT_FALSE(std::filesystem::exists(dir.file("other.xml")));
}

TEST(WorkFile, IsWrittenWhenAnOpenTableIsDestroyed) {
    TempFolder dir;
    {
        RecordTable t;
        makeSmallTable(t, dir.file("temp.xml"));
    }
    RecordTable t;
    t.setFileName(dir.file("temp.xml"));
    t.open();
    EXPECT_EQ(t.recordCount(), 1);
}

TEST(WorkFile, OpenReappliesOrderAndFilter) {
    TempFolder dir;
    RecordTable t;
    t.setFieldDefs(eventTableFields());
    t.setFileName(dir.file("lijst.xml"));
    t.createDataSet();
    for (const char* name : {"b", "a", "c", "a"}) {
        t.insert();
        t.setText("command", "K");
        t.setText("a_name", name);
        t.post();
    }
    t.setIndexFieldNames("a_name");
    t.setFilter("a_name = 'a'");
    t.setFiltered(true);
    t.close();
    t.open();
    EXPECT_EQ(t.recordCount(), 2);
    t.setFiltered(false);
    t.first();
    EXPECT_EQ(t.textOf("a_name"), "a");
    t.last();
    EXPECT_EQ(t.textOf("a_name"), "c");
}

TEST(WorkFile, OpenWithoutAFileKeepsTheNamedIndexes) {
    TempFolder dir;
    RecordTable t;
    makeSmallTable(t, dir.file("temp.xml"));
    t.addIndex("game__IdxD", "game", true);
    t.setIndexName("game__IdxD");
    t.close();
    std::filesystem::remove(dir.file("temp.xml"));
    t.open();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.indexName(), "game__IdxD");
    ASSERT_EQ(t.indexDefs().size(), 1u);
    for (int game : {1, 3, 2}) {
        t.insert();
        t.setInteger("game", game);
        t.post();
    }
    t.first();
    EXPECT_EQ(t.fieldValue("game"), Value(int32_t(3)));
    t.close();
    t.createDataSet();  // creating, unlike opening, starts without named indexes
    EXPECT_EQ(t.indexName(), "");
    EXPECT_TRUE(t.indexDefs().empty());
}

// Opens the file: the error's message, the table then closed, or "" when it opened.
std::string openError(const std::string& path) {
    RecordTable t;
    t.setFieldDefs(eventTableFields());
    t.setFileName(path);
    try {
        t.open();
    } catch (const Error& e) {
        EXPECT_FALSE(t.active());
        EXPECT_EQ(t.fieldDefs().size(), 13u);
        return e.what();
    }
    EXPECT_TRUE(t.active());
    return "";
}

TEST(WorkFile, BadOrCutPacketsRaiseAnErrorNamingTheFile) {
    TempFolder dir;
    std::string path = dir.file("lijst.xml");
    RecordTable good;
    makeSmallTable(good, path);
    good.insert();
    good.setText("command", "K&<");
    good.post();
    good.close();
    std::string packet = readFile(path);
    for (size_t cut = 0; cut < packet.size(); ++cut) {
        writeFile(path, packet.substr(0, cut));
        EXPECT_NE(openError(path).find(path), std::string::npos) << cut;
    }
    // Random bytes, and packets with a few bytes changed (which may still be valid).
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = round % 2 ? packet : std::string(random() % 400, '\0');
        for (size_t k = 0; k < (round % 2 ? 3 : bytes.size()); ++k) {
            bytes[random() % bytes.size()] = char(random());
        }
        writeFile(path, bytes);
        std::string error = openError(path);
        EXPECT_TRUE(error.empty() || error.find(path) != std::string::npos) << error;
    }
    writeFile(path,
              "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"x\" fieldtype=\"blob\"/></FIELDS>"
              "</METADATA><ROWDATA></ROWDATA></DATAPACKET>");
    EXPECT_NE(openError(path).find("unknown field type"), std::string::npos);
}

}  // namespace
}  // namespace gravmark
