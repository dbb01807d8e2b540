// The event table at the size of a busy server's log: 1,000,000 events over about 300
// names, 40 weapons, 20 maps and 500 games, 90% kills and 10% joins. The steps run
// once each, in order, on one table, as PARSE and HTML use it; the last one reports
// the peak memory of the whole run (maxrss_MB).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QLocale>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "table/event_table.h"
#include "table/record_table.h"

namespace gravmark {
namespace {

constexpr int kEvents = 1'000'000;
constexpr int kGames = 500;
constexpr int kLookups = 100'000;

struct Vocabulary {
    std::vector<std::string> names, weapons, maps, types, damageTypes, locations, damages;
    Vocabulary() {
        std::mt19937 random(42);
        for (int i = 0; i < 300; ++i) {
            std::string name = i % 7 == 0 ? "^" : "";  // some with a colour code
            if (i % 7 == 0) name += char('0' + i % 10);
            name += i % 3 ? "Player" : "soldier";
            name += std::to_string(random() % 100000);
            names.push_back(name);
        }
        for (int i = 0; i < 40; ++i)
            weapons.push_back(i == 0 ? "tnt_bomb_mp" : "weapon" + std::to_string(i) + "_mp");
        for (int i = 0; i < 20; ++i) maps.push_back("mp_map" + std::to_string(i));
        types = {"dm", "tdm", "sd", "ctf", "hq"};
        damageTypes = {"MOD_RIFLE_BULLET", "MOD_PISTOL_BULLET", "MOD_HEAD_SHOT", "MOD_GRENADE_SPLASH",
                       "MOD_SUICIDE",      "MOD_MELEE",         "MOD_EXPLOSIVE", "MOD_FALLING"};
        locations = {"head",
                     "neck",
                     "torso_upper",
                     "torso_lower",
                     "left_arm_upper",
                     "right_arm_upper",
                     "left_leg_lower",
                     "right_leg_lower",
                     "left_hand",
                     "right_foot",
                     "none"};
        for (int d = 10; d <= 200; d += 5) damages.push_back(std::to_string(d));
    }
};

const Vocabulary& words() {
    static const Vocabulary v;
    return v;
}

RecordTable& table() {
    static RecordTable* t = [] {
        auto* t = new RecordTable;
        t->setFieldDefs(eventTableFields());
        t->setFileName((std::filesystem::temp_directory_path() / "bench_table_lijst.xml").string());
        std::filesystem::remove(t->fileName());
        t->createDataSet();
        return t;
    }();
    return *t;
}

template <class T>
const T& pick(std::mt19937& random, const std::vector<T>& from) {
    return from[random() % from.size()];
}

void BM_InsertAndPost(benchmark::State& state) {
    const Vocabulary& w = words();
    RecordTable& t = table();
    for (auto _ : state) {
        std::mt19937 random(1);
        for (int i = 0; i < kEvents; ++i) {
            int game = int(int64_t(i) * kGames / kEvents);
            const std::string& map = w.maps[game % w.maps.size()];
            const std::string& type = w.types[game % w.types.size()];
            t.insert();
            if (random() % 10 == 0) {
                t.setText("command", "J");
                t.setText("a_name", pick(random, w.names));
            } else {
                t.setText("command", "K");
                t.setText("v_team", random() % 2 ? "axis" : "allies");
                t.setText("v_name", pick(random, w.names));
                t.setText("a_team", random() % 2 ? "axis" : "allies");
                t.setText("a_name", pick(random, w.names));
                t.setText("a_weapon", pick(random, w.weapons));
                t.setText("damage", pick(random, w.damages));
                t.setText("damage_type", pick(random, w.damageTypes));
                t.setText("damage_location", pick(random, w.locations));
            }
            t.setText("maptype", type);
            t.setText("map", map);
            t.setInteger("game", game);
        }
        t.post();
    }
    state.counters["records"] = t.recordCount();
}

void buildIndex(benchmark::State& state, const char* fields) {
    RecordTable& t = table();
    for (auto _ : state) {
        t.setIndexFieldNames("");
        t.setIndexFieldNames(fields);
    }
}

void BM_BuildIndexGameCommandName(benchmark::State& state) { buildIndex(state, "game;command;a_name"); }
void BM_BuildIndexNameLocation(benchmark::State& state) { buildIndex(state, "a_name;damage_location"); }

void BM_KeyRangeCount(benchmark::State& state) {
    const Vocabulary& w = words();
    RecordTable& t = table();
    std::vector<Value> head{std::string(), std::string("head")};
    int64_t found = 0;
    for (auto _ : state) {
        head[0] = w.names[state.iterations() % w.names.size()];
        t.setKeyRange(head, head);
        found += t.recordCount();
        t.clearKeyRange();
    }
    state.counters["records_found"] = double(found);
}

void BM_FilterPerName(benchmark::State& state) {
    const Vocabulary& w = words();
    RecordTable& t = table();
    int64_t found = 0;
    for (auto _ : state) {
        for (const std::string& name : w.names) {
            t.setFiltered(false);
            t.setFilter("a_name = " + quotedStr(name));
            t.setFiltered(true);
            found += t.recordCount();
        }
    }
    t.setFiltered(false);
    state.counters["names"] = double(w.names.size());
    state.counters["records_found"] = double(found);
}

// The pruning deletes join records one at a time, under the index "game;command;a_name".
void BM_Delete50000Joins(benchmark::State& state) {
    RecordTable& t = table();
    for (auto _ : state) {
        t.setIndexFieldNames("game;command;a_name");
        for (int game = 0, deleted = 0; deleted < 50'000; game = (game + 1) % kGames) {
            t.setKeyRange({game, std::string("J")}, {game, std::string("J")});
            if (t.recordCount() == 0) continue;
            t.deleteRecord();
            ++deleted;
        }
        t.clearKeyRange();
    }
    state.counters["records"] = t.recordCount();
}

void BM_WriteWorkFile(benchmark::State& state) {
    RecordTable& t = table();
    for (auto _ : state) t.saveToFile();
    state.counters["file_MB"] = double(std::filesystem::file_size(t.fileName())) / 1e6;
}

void BM_OpenAndRead(benchmark::State& state) {
    RecordTable& t = table();
    for (auto _ : state) {
        state.PauseTiming();
        t.close();
        state.ResumeTiming();
        t.open();
    }
    state.counters["records"] = t.recordCount();
    t.close();
    std::filesystem::remove(t.fileName());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxrss_MB"] = double(usage.ru_maxrss) / 1024;
}

BENCHMARK(BM_InsertAndPost)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildIndexGameCommandName)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildIndexNameLocation)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyRangeCount)->Iterations(kLookups)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterPerName)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete50000Joins)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteWorkFile)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndRead)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace gravmark

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
