// The help table against what it describes: the key tables of both views,
// and the README's table of each view.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "ui/views/key_help.h"
#include "ui/views/view_keys.h"

namespace {

const struct {
    HELP_VIEWS view;
    const VIEW_KEYS &own;
    const char *readme_header;
} VIEWS[] = {
    {FRONT_HELP, FRONT_KEYS, "| Front view | What it does |"},
    {BACK_HELP, BACK_KEYS, "| Back view | What it does |"},
};

// Rows of mouse gestures and of letter keys name no key of a table.
TEST(KeyHelp, EveryKeyOfAViewsTablesHasOneRowAndEveryRowsKeyIsHandled)
{
    for (const auto &v : VIEWS) {
        std::set<int> handled;
        for (const KEY_TABLE &t :
             {v.own.presses, v.own.releases, SHARED_KEYS.presses, SHARED_KEYS.releases})
            for (size_t i = 0; i < t.count; i++)
                handled.insert(t.actions[i].key);
        std::multiset<int> rows;
        for (const KEY_HELP &row : KEY_HELP_TABLE)
            if ((row.views & v.view) && row.key != SDLK_UNKNOWN)
                rows.insert(row.key);
        EXPECT_EQ(std::set<int>(rows.begin(), rows.end()), handled) << v.readme_header;
        EXPECT_EQ(rows.size(), handled.size()) << v.readme_header; // one row per key
    }
}

// The README's table for a view: the lines from its header on, while they
// are table rows, less the header and its rule.
std::vector<std::string> readme_table(const std::string &header)
{
    std::ifstream readme(QM_SOURCE_DIR "/README.md");
    std::vector<std::string> rows;
    bool inside = false;
    for (std::string line; std::getline(readme, line);) {
        if (line == header)
            inside = true;
        else if (inside && line.rfind("|", 0) != 0)
            break;
        else if (inside && line.rfind("|---", 0) != 0)
            rows.push_back(line);
    }
    return rows;
}

TEST(KeyHelp, TheReadmeHasATableOfEachViewHoldingItsRowsInOrder)
{
    for (const auto &v : VIEWS) {
        std::vector<std::string> expected;
        for (const KEY_HELP &row : KEY_HELP_TABLE)
            if (row.views & v.view)
                expected.push_back(std::string("| ") + row.input + " | " + row.does + " |");
        EXPECT_EQ(readme_table(v.readme_header), expected) << v.readme_header;
    }
}

} // namespace
