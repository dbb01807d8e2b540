// What a whole run through the windows leaves behind, compared with stored records: the
// work files after PARSE and at the end, the views the event and player tables are left in
// after HTML, the roster, the medal winners, the page and every message, through ALL, a
// second HTML after an edit in the "show db" grid, and the merge path. The records were
// made before the statistics were rewritten; any change to what a user or a file sees
// shows here as a diff of the record.
#include <QCheckBox>
#include <QCryptographicHash>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <filesystem>
#include <sstream>

#include "loggen/log_generator.h"
#include "support/golden_file.h"
#include "support/real_logs.h"
#include "ui/event_grid_panel.h"
#include "ui/program_windows.h"
#include "window_test.h"

namespace gravmark {
namespace {

using test::control;

const std::string kRecords = std::string(GRAVMARK_TEST_DATA) + "/flow";

std::string digest(std::string_view bytes) {
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .left(16)
        .toStdString();
}

std::string fileDigest(const std::string& path) {
    if (!std::filesystem::exists(path)) return "(none)";
    return digest(test::readFile(path));
}

std::string valueText(const Value& value) {
    if (isNull(value)) return "null";
    if (const auto* text = std::get_if<std::string>(&value)) return "'" + *text + "'";
    if (const auto* number = std::get_if<int32_t>(&value)) return std::to_string(*number);
    std::ostringstream out;
    out << std::get<double>(value);
    return out.str();
}

class FlowRecord : public test::WindowTest {
protected:
    void writeTemplatesAndSettings(const std::string& settings) {
        test::writeFile(folder.file("head.txt"),
                        "<html><head><title>Clan statistics</title></head>\n<body>\n");
        test::writeFile(folder.file("foot.txt"), "</body>\n</html>\n");
        test::writeFile(folder.file("GravmarkParser.INI"), settings);
    }

    static void fixClock(MainWindow& form) {
        form.clock = [] { return QDateTime(QDate(2026, 12, 9), QTime(14, 30, 5)); };
    }

    // The view of a table: its filter and order, the current record and every record of
    // the view by posting number (the player table also by name).
    static std::string viewOf(RecordTable& table, bool withNames) {
        std::ostringstream out;
        out << "  filter '" << table.filter() << "' filtered " << table.filtered() << " index fields '"
            << table.indexFieldNames() << "' index name '" << table.indexName() << "'\n";
        out << "  records " << table.recordCount() << " view " << table.viewSize() << " current row "
            << table.currentRow();
        if (table.currentRow() >= 0) out << " (record " << table.viewRecordNumber(table.currentRow()) << ")";
        out << "\n";
        std::string numbers;
        for (int row = 0; row < table.viewSize(); ++row) {
            numbers += std::to_string(table.viewRecordNumber(row)) + ",";
            if (withNames) {
                out << "  " << row << ":";
                for (size_t field = 0; field < table.fieldDefs().size(); ++field)
                    out << " " << valueText(table.viewValue(row, static_cast<int>(field)));
                out << "\n";
            }
        }
        out << "  view order " << digest(numbers) << "\n";
        return out.str();
    }

    void recordState(const std::string& when, ProgramWindows& windows) {
        MainWindow& form = windows.mainWindow;
        record_ << "== " << when << "\n";
        record_ << "messages:";
        for (const std::string& message : dialogs.messages) record_ << " [" << message << "]";
        record_ << "\nerrors:";
        for (const std::string& error : dialogs.errors) record_ << " [" << error << "]";
        dialogs.messages.clear();
        dialogs.errors.clear();
        record_ << "\nlines " << form.run.lineCount << " games " << form.run.gameCount << " played total "
                << form.run.counts.playedTotal << "\n";
        record_ << "memo1 " << digest(form.run.logLines.text()) << " memo2 " << digest(form.run.detailLines.text())
                << "\n";
        record_ << "lijst.xml " << fileDigest(folder.file("lijst.xml")) << " temp.xml "
                << fileDigest(folder.file("temp.xml")) << "\n";
        std::string roster;
        const QListWidget* rosterList = control<QListWidget>(windows.mergeNamesWindow, "ListBox1");
        for (int i = 0; i < rosterList->count(); ++i)
            roster += rosterList->item(i)->text().toLatin1().toStdString() + "\n";
        record_ << "roster " << rosterList->count() << " " << digest(roster)
                << "\n";
        const MedalWinners& w = form.run.standings.winners;
        record_ << "winners [" << w.killer << "] [" << w.headshooter << "] [" << w.shotInTheHead << "] ["
                << w.target << "] [" << w.tnt << "] [" << w.grenades << "] [" << w.suicide << "]\n";
        record_ << "db:\n"
                << viewOf(form.run.eventTable, false) << "tempdb:\n"
                << viewOf(form.run.playerTable, true);
    }

    // ALL, SAVE to index.html, an edit in the grid (the first attacker named in the
    // event table becomes the second's name), HTML and SAVE again; then the program ends.
    void runAllEditAndAgain(const std::string& name) {
        {
            ProgramWindows windows;
            MainWindow& form = windows.mainWindow;
            fixClock(form);
            control<QCheckBox>(form, "CheckBox1")->setChecked(true);
            control<QPushButton>(form, "Button1")->click();
            control<QPushButton>(form, "Button2")->click();
            recordState("after LOAD and PARSE", windows);
            control<QPushButton>(form, "Button3")->click();
            recordState("after HTML", windows);
            dialogs.saveAnswers.push_back(folder.file("index.html"));
            control<QPushButton>(form, "Button4")->click();
            record_ << "== after SAVE\nmessages " << dialogs.messages.size() << " page "
                    << fileDigest(folder.file("index.html")) << "\n";
            dialogs.messages.clear();

            renameFirstAttackerInGrid(windows);
            control<QPushButton>(form, "Button3")->click();
            recordState("after the grid edit and HTML again", windows);
            dialogs.saveAnswers.push_back(folder.file("index2.html"));
            control<QPushButton>(form, "Button4")->click();
            record_ << "== after SAVE again\npage " << fileDigest(folder.file("index2.html")) << "\n";
            dialogs.messages.clear();
        }
        record_ << "== after the program ends\nlijst.xml " << fileDigest(folder.file("lijst.xml"))
                << " temp.xml " << fileDigest(folder.file("temp.xml")) << "\n";
        EXPECT_TRUE(test::matchesExpectedFile(kRecords + "/" + name + ".all.txt", record_.str()));
    }

    void renameFirstAttackerInGrid(ProgramWindows& windows) {
        control<QAction>(windows.mainWindow, "showdb1")->trigger();
        QCoreApplication::processEvents();  // the grid refreshes from the table when idle
        QAbstractItemModel* grid = control<QTableView>(windows.mergeNamesWindow, "DBGridEh1")->model();
        int nameColumn = -1;
        for (int column = 0; column < grid->columnCount(); ++column)
            if (grid->headerData(column, Qt::Horizontal).toString() == "a_name") nameColumn = column;
        ASSERT_GE(nameColumn, 0);
        QString second;
        const QString first = grid->data(grid->index(0, nameColumn)).toString();
        for (int row = 1; row < grid->rowCount() && second.isEmpty(); ++row) {
            const QString name = grid->data(grid->index(row, nameColumn)).toString();
            if (name != first && !name.isEmpty()) second = name;
        }
        ASSERT_TRUE(grid->setData(grid->index(0, nameColumn), second, Qt::EditRole));
        windows.mergeNamesWindow.hide();
    }

    // HTML with "Let me join Names": the roster goes to the merge window; the first name
    // on the left takes the events of the second and third on the right; HTML again.
    void runMergePath(const std::string& name) {
        {
            ProgramWindows windows;
            MainWindow& form = windows.mainWindow;
            fixClock(form);
            control<QPushButton>(form, "Button1")->click();
            control<QPushButton>(form, "Button2")->click();
            control<QCheckBox>(form, "CheckBox2")->setChecked(true);
            control<QPushButton>(form, "Button3")->click();
            recordState("after HTML with Let me join Names", windows);
            MergeNamesWindow& merge = windows.mergeNamesWindow;
            control<QListWidget>(merge, "ListBox1")->item(1)->setSelected(true);
            control<QListWidget>(merge, "ListBox2")->item(2)->setSelected(true);
            control<QListWidget>(merge, "ListBox2")->item(3)->setSelected(true);
            control<QPushButton>(merge, "Button1")->click();
            control<QCheckBox>(form, "CheckBox2")->setChecked(false);
            control<QPushButton>(form, "Button3")->click();
            recordState("after JOIN NAMES and HTML", windows);
            dialogs.saveAnswers.push_back(folder.file("index.html"));
            control<QPushButton>(form, "Button4")->click();
            record_ << "== after SAVE\npage " << fileDigest(folder.file("index.html")) << "\n";
        }
        record_ << "== after the program ends\nlijst.xml " << fileDigest(folder.file("lijst.xml"))
                << " temp.xml " << fileDigest(folder.file("temp.xml")) << "\n";
        EXPECT_TRUE(test::matchesExpectedFile(kRecords + "/" + name + ".merge.txt", record_.str()));
    }

    std::ostringstream record_;
};

TEST_F(FlowRecord, SmallRealLog) {
    GRAVMARK_REQUIRE_REAL_LOGS();
    test::writeFile(folder.file("games_mp.log"), test::readFile(GRAVMARK_REAL_LOGS "/server-small-100.log"));
    writeTemplatesAndSettings("[Medals]\r\ntnt=1\r\n");
    runAllEditAndAgain("server-small-100");
}

// A kept rule joining the first two attackers the log names, and merging by player id.
TEST_F(FlowRecord, GeneratedLogWithKeptNamesAndIds) {
    loggen::writeLog({.lines = 20000, .seed = 3, .players = 60, .linesPerGame = 400},
                     folder.file("games_mp.log"));
    std::vector<std::string> attackers;
    std::istringstream log(test::readFile(folder.file("games_mp.log")));
    for (std::string line; attackers.size() < 2 && std::getline(log, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, ';');) fields.push_back(field);
        if (fields.size() > 9 && fields[0].ends_with(" K") && !fields[8].empty() &&
            (attackers.empty() || attackers[0] != fields[8]))
            attackers.push_back(fields[8]);
    }
    ASSERT_EQ(attackers.size(), 2u);
    test::writeFile(folder.file("aliases.txt"), attackers[1] + "\t" + attackers[0] + "\n");
    writeTemplatesAndSettings("[General]\r\nmergebyid=1\r\n[Medals]\r\ntnt=1\r\nbomb=1\r\nsuicide=1\r\n");
    runAllEditAndAgain("generated-seed-3");
}

TEST_F(FlowRecord, GeneratedLogManyTies) {
    loggen::writeLog({.lines = 3000, .seed = 11, .players = 300, .linesPerGame = 90},
                     folder.file("games_mp.log"));
    writeTemplatesAndSettings("[Medals]\r\ntnt=1\r\n");
    runAllEditAndAgain("generated-seed-11");
}

TEST_F(FlowRecord, MergePath) {
    loggen::writeLog({.lines = 5000, .seed = 5, .players = 20, .linesPerGame = 500},
                     folder.file("games_mp.log"));
    writeTemplatesAndSettings("[Medals]\r\ntnt=1\r\n");
    runMergePath("generated-seed-5");
}

}  // namespace
}  // namespace gravmark
