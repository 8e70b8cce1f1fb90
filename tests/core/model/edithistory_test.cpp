#include "core/model/edithistory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {
// One action on the history at a time in ms: an edit of cell word `word` to `value`
// ('e'), a bracket ('[' with key, ']'), an undo ('u'), a redo ('r') or a clear ('c').
struct Op {
    char what;
    int word = 0;
    int value = 0;
    std::int64_t atMs = 0;
    std::uintptr_t key = 0;
};

struct Case {
    const char* name;
    std::vector<Op> ops;
    int capacity;
    // The steps left to undo, newest first, each as the words it changes with old->new.
    std::vector<std::string> undoSteps;
    int redoCount;
};

EditCell Cell(int word) {
    return {CellSpace::Word, 1, word};
}

std::string Describe(const CEditHistory::Step& step) {
    std::ostringstream text;
    for (const EditChange& c : step.changes) {
        text << (&c == &step.changes.front() ? "" : " ") << c.cell.word << ':' << c.oldValue << '>'
             << c.newValue;
    }
    return text.str();
}

const Case kCases[] = {
    {"burst on one field within 1 s is one step",
     {{'e', 1, 1, 0}, {'e', 1, 2, 600}, {'e', 1, 3, 1500}},
     1000,
     {"1:0>3"},
     0},
    {"a pause longer than 1 s starts a step",
     {{'e', 1, 1, 0}, {'e', 1, 2, 1001}},
     1000,
     {"1:1>2", "1:0>1"},
     0},
    {"another field in between ends the burst",
     {{'e', 1, 1, 0}, {'e', 2, 5, 100}, {'e', 1, 2, 200}},
     1000,
     {"1:1>2", "2:0>5", "1:0>1"},
     0},
    {"a bracket is one step whatever its fields and however long",
     {{'['}, {'e', 1, 1, 0}, {'e', 2, 5, 5000}, {'e', 1, 2, 9000}, {']'}, {'e', 1, 3, 9100}},
     1000,
     {"1:2>3", "1:0>2 2:0>5"},
     0},
    {"a keyed bracket reopens its step within 1 s; a keyless one never does",
     {{'[', 0, 0, 0, 7},
      {'e', 3, 1, 0},
      {']'},
      {'[', 0, 0, 0, 7},
      {'e', 3, 2, 800},
      {']'},
      {'[', 0, 0, 0, 0},
      {'e', 3, 3, 900},
      {']'},
      {'[', 0, 0, 0, 0},
      {'e', 3, 4, 950},
      {']'}},
     1000,
     {"3:3>4", "3:2>3", "3:0>2"},
     0},
    {"an edit to the value held is no step; nested brackets count once",
     {{'e', 1, 0, 0}, {'['}, {'['}, {'e', 1, 4, 10}, {']'}, {'e', 2, 4, 20}, {']'}},
     1000,
     {"1:0>4 2:0>4"},
     0},
    {"a burst or a bracket that ends where it started leaves no step",
     {{'e', 1, 1, 0},
      {'e', 2, 3, 2000},
      {'e', 2, 0, 2500},
      {'['},
      {'e', 4, 2, 2600},
      {'e', 4, 0, 2700},
      {']'}},
     1000,
     {"1:0>1"},
     0},
    {"undo and redo move steps between the lists; a new edit drops the redo list",
     {{'e', 1, 1, 0}, {'e', 2, 1, 10}, {'e', 3, 1, 20}, {'u'}, {'u'}, {'r'}, {'e', 4, 1, 30}},
     1000,
     {"4:0>1", "2:0>1", "1:0>1"},
     0},
    {"after an undo the same field within 1 s opens a new step",
     {{'e', 1, 1, 0}, {'e', 1, 2, 1100}, {'u'}, {'e', 1, 7, 1200}},
     1000,
     {"1:1>7", "1:0>1"},
     0},
    {"redo list survives until an edit",
     {{'e', 1, 1, 0}, {'e', 2, 1, 10}, {'u'}, {'u'}},
     1000,
     {},
     2},
    {"capacity drops the oldest steps",
     {{'e', 1, 1, 0}, {'e', 2, 1, 10}, {'e', 3, 1, 20}, {'e', 4, 1, 30}},
     3,
     {"4:0>1", "3:0>1", "2:0>1"},
     0},
    {"clear forgets both lists", {{'e', 1, 1, 0}, {'e', 2, 1, 10}, {'u'}, {'c'}}, 1000, {}, 0},
};

TEST(EditHistory, StepsUndoRedoLimitsAndClearing) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::int64_t now = 0;
        CEditHistory history(c.capacity, [&now] { return now; });
        std::vector<int> values(8, 0);
        for (const Op& op : c.ops) {
            now = op.atMs == 0 ? now : op.atMs;
            switch (op.what) {
                case 'e':
                    history.OnEdit({Cell(op.word), static_cast<std::int16_t>(values[op.word]),
                                    static_cast<std::int16_t>(op.value)});
                    values[op.word] = op.value;
                    break;
                case '[':
                    history.BeginGroup(op.key);
                    break;
                case ']':
                    history.EndGroup();
                    break;
                case 'u':
                    if (auto step = history.TakeUndo()) {
                        for (auto it = step->changes.rbegin(); it != step->changes.rend(); ++it) {
                            values[it->cell.word] = it->oldValue;
                        }
                    }
                    break;
                case 'r':
                    if (auto step = history.TakeRedo()) {
                        for (const EditChange& change : step->changes) {
                            values[change.cell.word] = change.newValue;
                        }
                    }
                    break;
                case 'c':
                    history.Clear();
                    break;
            }
        }
        EXPECT_EQ(history.RedoCount(), c.redoCount);
        std::vector<std::string> steps;
        while (auto step = history.TakeUndo()) {
            steps.push_back(Describe(*step));
        }
        EXPECT_EQ(steps, c.undoSteps);
    }
}

TEST(EditHistory, HoldsAThousandSteps) {
    std::int64_t now = 0;
    CEditHistory history(CEditHistory::kDefaultCapacity, [&now] { return now; });
    for (int i = 0; i < 1001; ++i) {
        now += 2000;
        history.OnEdit({Cell(1), static_cast<std::int16_t>(i), static_cast<std::int16_t>(i + 1)});
    }
    EXPECT_EQ(history.UndoCount(), 1000);
    int undone = 0;
    std::int16_t oldest = -1;
    while (auto step = history.TakeUndo()) {
        oldest = step->changes.front().oldValue;
        ++undone;
    }
    EXPECT_EQ(undone, 1000);
    EXPECT_EQ(oldest, 1);  // the very first step went
}
}  // namespace
