// The record cycle, filters, orders and key ranges of RecordTable.
#include "table/record_table.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "table/event_table.h"

namespace gravmark {
namespace {

std::string text(const RecordTable& t, const char* field) {
    Value v = t.fieldValue(field);
    return isNull(v) ? "<null>" : std::get<std::string>(v);
}

// The names of the view, in order.
std::string names(RecordTable& t, const char* field = "a_name") {
    std::string out;
    t.first();
    for (int i = 0, n = t.recordCount(); i < n; ++i, t.next()) out += text(t, field) + ",";
    return out;
}

void addEvent(RecordTable& t, const std::string& command, const std::string& name, int game = 0) {
    t.insert();
    t.setText("command", command);
    t.setText("a_name", name);
    t.setInteger("game", game);
    t.post();
}

RecordTable& eventTable(RecordTable& t) {
    t.setFieldDefs(eventTableFields());
    t.createDataSet();
    return t;
}

TEST(RecordTable, EventTableHasItsThirteenFields) {
    std::vector<FieldDef> defs = eventTableFields();
    ASSERT_EQ(defs.size(), 13u);
    EXPECT_EQ(defs[4].name, "a_name");
    EXPECT_EQ(defs[4].size, 40);
    EXPECT_EQ(defs[11].type, FieldType::Integer);
    EXPECT_EQ(defs[12].size, 80);
}

TEST(RecordTable, InsertsStandBeforeTheCurrentRecordAndPendingInsertsSettle) {
    RecordTable t;
    eventTable(t);
    addEvent(t, "K", "a");
    addEvent(t, "K", "b");
    t.insert();
    t.setText("a_name", "c");
    t.setText("command", "K");
    t.insert();  // posts c; a new, untouched insert
    EXPECT_EQ(t.recordCount(), 3);
    t.insert();  // the untouched insert is dropped
    t.cancel();
    EXPECT_EQ(names(t), "c,b,a,");
    EXPECT_EQ(text(t, "v_name"), "<null>");
    t.first();
    t.next();  // b
    addEvent(t, "J", "d");
    EXPECT_EQ(names(t), "c,d,b,a,");
}

TEST(RecordTable, CutsTextsToTheFieldSizeAndAtNul) {
    RecordTable t;
    eventTable(t);
    std::string longName(55, 'x');
    longName[3] = 'y';
    addEvent(t, "K", longName);
    EXPECT_EQ(text(t, "a_name"), longName.substr(0, 40));
    t.edit();
    t.setText("a_name", std::string("ab\0cd", 5));
    t.post();
    EXPECT_EQ(text(t, "a_name"), "ab");
    t.setIndexFieldNames("a_name");
    t.setKeyRange({std::string("ab\0zz", 5)}, {std::string("ab")});
    EXPECT_EQ(t.recordCount(), 1);
}

TEST(RecordTable, RaisesTheExactMessagesAndKeepsTheTable) {
    RecordTable t;
    auto message = [](auto&& f) {
        try {
            f();
        } catch (const Error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { t.createDataSet(); }), "No fields defined.  Cannot create dataset");
    t.setFieldDefs(eventTableFields());
    EXPECT_EQ(message([&] { t.recordCount(); }), "Cannot perform this operation on a closed dataset");
    t.createDataSet();
    EXPECT_EQ(message([&] { t.createDataSet(); }), "Cannot perform this operation on an open dataset");
    EXPECT_EQ(message([&] { t.setText("a_name", "x"); }), "Dataset not in edit or insert mode");
    EXPECT_EQ(message([&] { t.deleteRecord(); }), "Cannot perform this operation on an empty dataset");
    EXPECT_EQ(message([&] { t.setKeyRange({std::string("x")}, {std::string("x")}); }),
              "No index currently active");
    t.insert();
    EXPECT_EQ(message([&] { t.setText("nope", "x"); }), "Field 'nope' not found");
    t.setText("a_name", "bob");
    EXPECT_EQ(message([&] { t.setFilter("a_name = 'bob"); }), "Unterminated string constant");
    EXPECT_EQ(t.state(), TableState::Inserting);
    EXPECT_EQ(message([&] { t.setIndexFieldNames("a_name;nope"); }), "Field 'nope' not found");
    EXPECT_EQ(t.state(), TableState::Inserting);
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
}

TEST(RecordTable, EditOnAnEmptyViewInsertsAndDeleteMovesOn) {
    RecordTable t;
    eventTable(t);
    t.edit();
    EXPECT_EQ(t.state(), TableState::Inserting);
    t.setText("a_name", "a");
    t.post();
    addEvent(t, "K", "b");
    addEvent(t, "K", "c");  // c, b, a
    t.first();
    t.next();
    t.deleteRecord();
    EXPECT_EQ(text(t, "a_name"), "a");
    t.deleteRecord();
    EXPECT_EQ(text(t, "a_name"), "c");
    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(text(t, "a_name"), "c");
}

TEST(RecordTable, FiltersCompareExactlyWithQuotesAndPrefixes) {
    RecordTable t;
    eventTable(t);
    for (const char* name : {"ab", "abc", "ab*x", "a", "*", "It's", "AB"}) addEvent(t, "K", name);
    addEvent(t, "J", "ab");
    t.insert();
    t.setText("command", "K");  // null a_name
    t.post();
    auto count = [&](const std::string& filter) {
        t.setFilter(filter);
        return t.recordCount();
    };
    t.setFiltered(true);
    EXPECT_EQ(count("a_name = 'ab*'"), 4);
    EXPECT_EQ(count("a_name = '*'"), 1);
    EXPECT_EQ(count("a_name = 'It''s'"), 1);
    EXPECT_EQ(count("a_name = 'ab'"), 2);
    EXPECT_EQ(count("a_name = 'ab' AND command = 'J'"), 1);
    EXPECT_EQ(count("a_name = 'ab' and command = 'K'"), 1);
    EXPECT_EQ(count(""), 9);
    EXPECT_EQ(count("a_name = '" + std::string(600, 'z') + "'"), 0);
    addEvent(t, "K", std::string(40, 'z'));
    EXPECT_EQ(count("a_name = '" + std::string(512, 'z') + "*'"), 0);
    EXPECT_EQ(count("a_name = '" + std::string(40, 'z') + "*'"), 1);
    EXPECT_EQ(count("a_name = '" + std::string(511, 'z') + "x*'"), 0);

    t.setFilterTerms({{"a_name", "ab*"}});
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.filter(), "a_name = 'ab*'");
    t.setFilterTerms({{"a_name", "ab", true}, {"command", "K"}});
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(names(t), "ab*x,abc,ab,");  // default order: each insert went first

    t.setFiltered(false);
    t.setFilter("a_name = 'abc'");  // stored only
    EXPECT_EQ(t.recordCount(), 10);
}

TEST(RecordTable, NumberFiltersMatchOnlyLiteralsThatReadAsTheirNumber) {
    RecordTable t;
    t.setFieldDefs({{"game", FieldType::Integer}, {"ratio", FieldType::Float}});
    t.createDataSet();
    for (int game : {0, 1, 10, 12}) {
        t.insert();
        t.setInteger("game", game);
        t.setFloat("ratio", game / 4.0);
        t.post();
    }
    t.setFiltered(true);
    auto count = [&](const std::string& filter) {
        t.setFilter(filter);
        return t.recordCount();
    };
    EXPECT_EQ(count("game = '10'"), 1);
    EXPECT_EQ(count("game = '1*'"), 3);
    EXPECT_EQ(count("ratio = '2.5'"), 1);
    EXPECT_EQ(count("ratio = '0.2*'"), 1);
    // Not a number of the field's type: nothing matches, not even the records holding 0.
    for (const char* literal : {"x", "1x", "99999999999", "1e999"}) {
        EXPECT_EQ(count("game = '" + std::string(literal) + "'"), 0) << literal;
        EXPECT_EQ(count("game = '" + std::string(literal) + "' AND ratio = '0'"), 0) << literal;
    }
    EXPECT_EQ(count("ratio = '1e999'"), 0);
    EXPECT_EQ(count("game = '0'"), 1);
}

TEST(RecordTable, KeyRangesSelectOnLeadingFields) {
    RecordTable t;
    eventTable(t);
    for (int game = 0; game < 3; ++game) {
        addEvent(t, "K", "bob", game);
        addEvent(t, "K", "bob", game);
        addEvent(t, "J", "bob", game);
        addEvent(t, "K", "amy", game);
    }
    t.setIndexFieldNames("game;command;a_name");
    t.setKeyRange({1, std::string("K"), std::string("bob")}, {1, std::string("K"), std::string("bob")});
    EXPECT_EQ(t.recordCount(), 2);
    t.setKeyRange({2}, {2});
    EXPECT_EQ(t.recordCount(), 4);
    t.next();
    Value second = t.fieldValue("a_name");
    t.setKeyRange({2}, {2});  // the same range: the current record stays
    EXPECT_EQ(t.fieldValue("a_name"), second);
    t.setIndexFieldNames("game;command;a_name");  // the same order keeps the range
    EXPECT_EQ(t.recordCount(), 4);
    t.setIndexFieldNames("command");
    EXPECT_EQ(t.recordCount(), 12);
    t.setKeyRange({std::string("J")}, {std::string("J")});
    EXPECT_EQ(t.recordCount(), 3);
    t.clearKeyRange();
    EXPECT_EQ(t.recordCount(), 12);
}

// The rename loop of the merge: exactly recordCount passes of edit, set, post, next.
void renameAll(RecordTable& t, const std::string& from, const std::string& to) {
    t.setIndexFieldNames("a_name");
    t.setKeyRange({from}, {from});
    t.first();
    for (int i = 0, n = t.recordCount(); i < n; ++i) {
        t.edit();
        t.setText("a_name", to);
        t.post();
        t.next();
    }
    t.clearKeyRange();
}

TEST(RecordTable, RenameLoopRenamesEveryRecordOnceOnEitherSide) {
    for (const char* to : {"aaa", "zzz"}) {
        RecordTable t;
        eventTable(t);
        for (int i = 0; i < 7; ++i) addEvent(t, "K", "mmm", i);
        addEvent(t, "K", "aab");
        addEvent(t, "K", "zzy");
        renameAll(t, "mmm", to);
        t.setKeyRange({std::string("mmm")}, {std::string("mmm")});
        EXPECT_EQ(t.recordCount(), 0) << to;
        t.setKeyRange({std::string(to)}, {std::string(to)});
        EXPECT_EQ(t.recordCount(), 7) << to;
        int games = 0;
        t.first();
        for (int i = 0; i < 7; ++i, t.next()) games |= 1 << std::get<int32_t>(t.fieldValue("game"));
        EXPECT_EQ(games, 127) << to;
    }
}

TEST(RecordTable, EditedRecordLeavingTheRangeMovesTheCurrentRecord) {
    RecordTable t;
    eventTable(t);
    for (const char* name : {"b", "b", "b", "a", "c"}) addEvent(t, "K", name);
    t.setIndexFieldNames("a_name");
    t.setKeyRange({std::string("b")}, {std::string("b")});
    t.first();
    t.next();
    t.edit();
    t.setText("a_name", "c");
    t.post();
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.currentRow(), 1);  // the last of the range
    t.edit();
    t.setText("a_name", "a");
    t.post();
    EXPECT_EQ(t.currentRow(), 0);  // the first of the range
    t.edit();
    t.setText("a_name", "a");
    t.post();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(isNull(t.fieldValue("a_name")));
}

TEST(RecordTable, NamedIndexesSwitchAndKeepTheirOrder) {
    RecordTable t;
    t.setFieldDefs(
        {{"name", FieldType::String, 20}, {"kills", FieldType::Integer}, {"ratio", FieldType::Float}});
    t.createDataSet();
    int kills[] = {3, 1, 3, 2};
    for (int i = 0; i < 4; ++i) {
        t.insert();
        t.setText("name", std::string(1, char('a' + i)));
        t.setInteger("kills", kills[i]);
        t.setFloat("ratio", kills[i] / 2.0);
        t.post();
    }
    t.addIndex("kills__IdxD", "kills", true);
    t.addIndex("kills__IdxA", "kills", false);
    EXPECT_EQ(t.indexName(), "");
    t.setIndexName("kills__IdxD");
    EXPECT_EQ(names(t, "name"), "a,c,d,b,");  // equal keys: posting order, through the insertion pass
    t.setIndexName("kills__IdxA");
    EXPECT_EQ(t.indexFieldNames(), "");
    EXPECT_EQ(names(t, "name"), "b,d,a,c,");
    t.insert();
    t.setText("name", "e");
    t.setInteger("kills", 3);
    t.post();
    t.setIndexName("kills__IdxD");  // kept, not rebuilt: e after the other threes
    EXPECT_EQ(names(t, "name"), "a,c,e,d,b,");
    t.setIndexFieldNames("ratio");
    EXPECT_EQ(t.indexName(), "");
    EXPECT_EQ(names(t, "name"), "e,b,d,a,c,");  // e has no ratio: null first
}

TEST(RecordTable, TextKeysFollowTheCollationCaseSensitively) {
    RecordTable t;
    eventTable(t);
    for (const char* name : {"b", "B", "a", "A", "_x",
                             "\x01"
                             "a",
                             "", "\xe9t\xe9"})
        addEvent(t, "K", name);
    t.insert();
    t.setText("command", "K");
    t.post();
    t.setIndexFieldNames("a_name");
    // The collator ignores the control character; the byte order breaks the tie.
    EXPECT_EQ(names(t),
              "<null>,,_x,\x01"
              "a,a,A,b,B,\xe9t\xe9,");
    t.setKeyRange({std::string("a")}, {std::string("a")});
    EXPECT_EQ(t.recordCount(), 1);
    t.setKeyRange({std::string("a")}, {std::string("B")});
    EXPECT_EQ(t.recordCount(), 4);
}

TEST(RecordTable, GridReadsTheViewByRowAndMovesTheCurrentRecord) {
    int changes = 0;  // outlives the table, whose end still tells the listener
    RecordTable t;
    eventTable(t);
    t.setChangeListener([&] { ++changes; });
    for (const char* name : {"c", "a", "b", "a"}) addEvent(t, "K", name);
    EXPECT_GT(changes, 0);
    t.setIndexFieldNames("a_name");
    t.setFilter("a_name = 'a*'");
    t.setFilter("a_name = 'b' AND command = 'K'");
    t.setFiltered(true);
    t.setFilter("a_name = 'a'");
    EXPECT_EQ(t.viewSize(), 2);
    t.setFiltered(false);
    EXPECT_EQ(t.viewSize(), 4);
    EXPECT_EQ(t.viewValue(2, 4), Value(std::string("b")));
    EXPECT_TRUE(isNull(t.viewValue(4, 4)));
    t.moveToRow(2);
    EXPECT_EQ(t.currentRow(), 2);
    t.last();
    EXPECT_EQ(t.currentRow(), 3);
    EXPECT_TRUE(t.eof());
    t.prior();
    t.prior();
    t.prior();
    EXPECT_FALSE(t.bof());
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.currentRow(), 0);
    t.setKeyRange({std::string("b")}, {std::string("c")});
    EXPECT_EQ(t.viewSize(), 2);
    EXPECT_EQ(t.viewValue(1, 4), Value(std::string("c")));
}

TEST(RecordTable, EmptyDataSetKeepsSettings) {
    RecordTable t;
    eventTable(t);
    addEvent(t, "K", "a");
    t.setIndexFieldNames("a_name");
    t.setFilter("command = 'K'");
    t.setFiltered(true);
    t.emptyDataSet();
    EXPECT_EQ(t.recordCount(), 0);
    addEvent(t, "K", "b");
    addEvent(t, "J", "c");
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.indexFieldNames(), "a_name");
}

}  // namespace
}  // namespace gravmark
