// The sound output chosen on the command line: reading --output and finding
// the driver a choice names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/output_choice.h"
#include "audio/fsound.h"

namespace {

TEST(OutputChoices, ReadInOrderWithTheirDrivers)
{
    struct Row {
        const char *value;
        std::vector<std::pair<int, std::string>> choices; // empty: refused
    };
    const Row rows[] = {
        {"none", {{FSOUND_OUTPUT_NOSOUND, ""}}},
        {"alsa:1", {{FSOUND_OUTPUT_ALSA, "1"}}},
        {"esd:JACK: system", {{FSOUND_OUTPUT_ESD, "JACK: system"}}},
        {"jack,alsa:pulse,oss:2,none",
         {{FSOUND_OUTPUT_ESD, ""},
          {FSOUND_OUTPUT_ALSA, "pulse"},
          {FSOUND_OUTPUT_OSS, "2"},
          {FSOUND_OUTPUT_NOSOUND, ""}}},
        {"", {}},
        {"pulse", {}},
        {"ALSA", {}},
        {"alsa:", {}},
        {"alsa:0", {}},
        {"alsa:000", {}},
        {"jack,,none", {}},
        {"jack,", {}},
    };
    for (const Row &row : rows) {
        std::vector<OutputChoice> got;
        std::string error;
        bool ok = parse_output_choices(row.value, got, error);
        EXPECT_EQ(!row.choices.empty(), ok) << row.value;
        if (!ok) {
            EXPECT_FALSE(error.empty()) << row.value;
            continue;
        }
        ASSERT_EQ(row.choices.size(), got.size()) << row.value;
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(row.choices[i].first, got[i].output_type) << row.value;
            EXPECT_EQ(row.choices[i].second, got[i].driver) << row.value;
        }
    }
}

TEST(OutputChoices, DriverByNumberNameOrDefault)
{
    const std::vector<std::string> alsa = {"HDA Intel PCH: ALC (hw:0,0)", "sysdefault", "default",
                                           "pulse"};
    const std::vector<std::string> jack = {"JACK: system", "JACK: reverb", "pulse"};
    const std::vector<std::string> none;
    struct Row {
        const std::vector<std::string> &names;
        const char *driver;
        int index;          // -1: none
        const char *reason; // part of why, when none
    };
    const Row rows[] = {
        // Without a driver, the one called "default", else the first.
        {alsa, "", 2, ""},
        {jack, "", 0, ""},
        // Numbers as the dialog lists them, from 1.
        {alsa, "1", 0, ""},
        {alsa, "4", 3, ""},
        {alsa, "5", -1, "no driver 5 (4 listed)"},
        {alsa, "00004", 3, ""},
        {alsa, "99999999999999999999", -1, "4 listed"},
        // A name: exact first, then the first that holds it.
        {alsa, "default", 2, ""},
        {alsa, "hw:0", 0, ""},
        {jack, "reverb", 1, ""},
        {jack, "jack", -1, "no driver named jack"},
        {none, "", -1, "no driver found"},
        {none, "1", -1, "no driver found"},
    };
    for (const Row &row : rows) {
        std::string why;
        EXPECT_EQ(row.index, find_driver(row.driver, row.names, why)) << row.driver;
        EXPECT_NE(std::string::npos, why.find(row.reason)) << row.driver << ": " << why;
    }
}

} // namespace
