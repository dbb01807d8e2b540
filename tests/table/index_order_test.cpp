// Index orders: the order of equal keys after a build, and keeping an index up to date.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "table/record_table.h"

namespace gravmark {
namespace {

// The build as a plain transcription: A[1..n] with A[0] below and A[n+1] above every key.
struct Reference {
    std::vector<std::pair<int, int>> a;  // (key, id); a[0] and a[n+1] are the sentinels

    bool greaterThan(const std::pair<int, int>& x, const std::pair<int, int>& y) const {
        return x.first > y.first;
    }

    void partitionSort(int lo, int hi) {
        for (;;) {
            int mid = lo + (hi - lo) / 2;
            if (greaterThan(a[lo], a[hi])) std::swap(a[lo], a[hi]);
            if (greaterThan(a[mid], a[lo])) {
                std::swap(a[lo], a[mid]);
                if (greaterThan(a[lo], a[hi])) std::swap(a[lo], a[hi]);
            }
            std::pair<int, int> pivot = a[lo];
            int i = lo;
            int j = hi + 1;
            for (;;) {
                ++i;
                while (greaterThan(pivot, a[i])) ++i;
                --j;
                while (greaterThan(a[j], pivot)) --j;
                if (i >= j) break;
                std::swap(a[i], a[j]);
            }
            std::swap(a[lo], a[j]);
            int left = j - lo;
            int right = hi - j;
            if (right < left) {
                if (right > 10) partitionSort(j + 1, hi);
                if (left <= 10) return;
                hi = j - 1;
            } else {
                if (left > 10) partitionSort(lo, j - 1);
                if (right <= 10) return;
                lo = j + 1;
            }
        }
    }

    std::vector<int> sortedIds(const std::vector<int>& keys) {
        int n = int(keys.size());
        a.assign(n + 2, {0, 0});
        a[0] = {INT32_MIN, -1};
        a[n + 1] = {INT32_MAX, -1};
        for (int i = 1; i <= n; ++i) a[i] = {keys[i - 1], i};
        if (n > 10) partitionSort(1, n);
        for (int i = 2; i <= n; ++i) {
            if (!greaterThan(a[i - 1], a[i])) continue;
            std::pair<int, int> x = a[i];
            int k = i - 1;
            while (greaterThan(a[k], x)) {  // a[0] stops it
                a[k + 1] = a[k];
                --k;
            }
            a[k + 1] = x;
        }
        std::vector<int> ids;
        for (int i = 1; i <= n; ++i) ids.push_back(a[i].second);
        return ids;
    }
};

// A table of (k, id) records posted in id order 1..n.
void fill(RecordTable& t, const std::vector<int>& keys) {
    t.setFieldDefs({{"k", FieldType::Integer}, {"id", FieldType::Integer}, {"name", FieldType::String, 10}});
    t.createDataSet();
    for (size_t i = 0; i < keys.size(); ++i) {
        t.insert();
        t.setInteger("k", keys[i]);
        t.setInteger("id", int32_t(i + 1));
        t.post();
    }
}

std::vector<int> viewIds(RecordTable& t) {
    std::vector<int> ids;
    t.first();
    for (int i = 0, n = t.recordCount(); i < n; ++i, t.next())
        ids.push_back(std::get<int32_t>(t.fieldValue("id")));
    return ids;
}

TEST(IndexOrder, ElevenEqualKeysComeOutAsThePartitionStepsLeaveThem) {
    RecordTable t;
    fill(t, std::vector<int>(11, 5));
    t.setIndexFieldNames("k");
    EXPECT_EQ(viewIds(t), (std::vector<int>{7, 11, 10, 9, 8, 1, 6, 5, 4, 3, 2}));
    t.addIndex("k__IdxD", "k", true);  // descending: every comparison reversed, equal keys alike
    t.setIndexName("k__IdxD");
    EXPECT_EQ(viewIds(t), (std::vector<int>{7, 11, 10, 9, 8, 1, 6, 5, 4, 3, 2}));
}

TEST(IndexOrder, BuildMatchesTheReferenceOnRandomKeys) {
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        int n = round < 20 ? round : int(random() % 3000);
        int spread = 1 + int(random() % (round % 3 == 0 ? 3 : 200));
        std::vector<int> keys(n);
        for (int& k : keys) k = int(random() % spread);
        RecordTable t;
        fill(t, keys);
        t.setIndexFieldNames("k");
        ASSERT_EQ(viewIds(t), Reference().sortedIds(keys)) << "n=" << n << " spread=" << spread;

        std::vector<int> negated(keys);
        for (int& k : negated) k = -k;
        t.addIndex("down", "k", true);
        t.setIndexName("down");
        ASSERT_EQ(viewIds(t), Reference().sortedIds(negated)) << "descending n=" << n;
    }
}

// Random inserts, edits and deletes keep the index as a multimap keeps its entries:
// a placed record goes after every equal key.
TEST(IndexOrder, KeepingMatchesAMultimapModel) {
    using Key = std::pair<int, std::string>;
    std::multimap<Key, int> model;
    std::map<int, Key> keyOfId;
    std::mt19937 random(5);
    auto randomKey = [&] {
        static const char* names[] = {"a", "ab", "b", "ba", "c", "zz", ""};
        return Key(int(random() % 4), names[random() % 7]);
    };
    auto eraseFromModel = [&](int id) {
        for (auto it = model.begin(); it != model.end(); ++it) {
            if (it->second == id) return void(model.erase(it));
        }
    };

    RecordTable t;
    fill(t, {});
    t.setIndexFieldNames("k;name");
    int nextId = 1;
    for (int step = 0; step < 12000; ++step) {
        int op = step < 9000 ? 0 : int(random() % 10);  // enough records first to span several blocks
        int count = t.recordCount();
        if (op < 4 || count == 0) {
            Key key = randomKey();
            t.insert();
            t.setInteger("k", key.first);
            t.setText("name", key.second);
            t.setInteger("id", nextId);
            t.post();
            model.emplace(key, nextId);
            keyOfId[nextId++] = key;
        } else if (op < 7) {
            t.moveToRow(int(random() % count));
            int id = std::get<int32_t>(t.fieldValue("id"));
            Key key = random() % 3 ? randomKey() : keyOfId[id];
            t.edit();
            t.setInteger("k", key.first);
            t.setText("name", key.second);
            t.post();
            if (key != keyOfId[id]) {
                eraseFromModel(id);
                model.emplace(key, id);
                keyOfId[id] = key;
            }
        } else if (op < 9) {
            t.moveToRow(int(random() % count));
            int id = std::get<int32_t>(t.fieldValue("id"));
            t.deleteRecord();
            eraseFromModel(id);
            keyOfId.erase(id);
        } else {
            Key key = randomKey();
            t.setKeyRange({key.first, key.second}, {key.first, key.second});
            ASSERT_EQ(t.recordCount(), int(model.count(key)));
            t.setKeyRange({key.first}, {key.first + 1});
            ASSERT_EQ(t.recordCount(), int(std::distance(model.lower_bound({key.first, ""}),
                                                         model.lower_bound({key.first + 2, ""}))));
            t.clearKeyRange();
        }
        if (step % 500 == 499) {
            std::vector<int> expected;
            for (auto& [key, id] : model) expected.push_back(id);
            ASSERT_EQ(viewIds(t), expected) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace gravmark
