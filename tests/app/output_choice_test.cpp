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
    using Choices = std::vector<std::pair<int, std::string>>; // empty: refused
    const std::pair<const char *, Choices> rows[] = {
        {"jack,alsa:pulse,oss:2,none",
         {{FSOUND_OUTPUT_ESD, ""},
          {FSOUND_OUTPUT_ALSA, "pulse"},
          {FSOUND_OUTPUT_OSS, "2"},
          {FSOUND_OUTPUT_NOSOUND, ""}}},
        {"esd:JACK: system", {{FSOUND_OUTPUT_ESD, "JACK: system"}}},
        {"", {}},
        {"pulse", {}},
        {"alsa:", {}},
        {"alsa:00", {}},
        {"jack,,none", {}},
        {"jack,", {}},
    };
    for (const auto &[value, expected] : rows) {
        std::vector<OutputChoice> got;
        std::string error;
        ASSERT_EQ(!expected.empty(), parse_output_choices(value, got, error)) << value;
        EXPECT_EQ(expected.empty(), !error.empty()) << value;
        Choices read;
        for (const OutputChoice &c : got)
            read.emplace_back(c.output_type, c.driver);
        if (!expected.empty()) {
            EXPECT_EQ(expected, read) << value;
        }
    }
}

TEST(OutputChoices, DriverByNumberNameOrDefault)
{
    const std::vector<std::string> alsa = {"HDA Intel PCH (hw:0,0)", "sysdefault", "default",
                                           "pulse"};
    const std::vector<std::string> jack = {"JACK: system", "pulse"}, none;
    struct Row {
        const std::vector<std::string> &names;
        const char *driver;
        int index; // -1: none, for the reason given
        const char *reason;
    };
    const Row rows[] = {
        {alsa, "", 2, ""}, // the one called "default", else the first
        {jack, "", 0, ""},
        {alsa, "99999999999999999999", -1, "4 listed"}, // numbers as the dialog lists them
        {alsa, "default", 2, ""}, // a name: exact first, then the first holding it
        {alsa, "hw:0", 0, ""},
        {jack, "jack", -1, "no driver named jack"},
        {none, "", -1, "no driver found"},
    };
    for (const Row &row : rows) {
        std::string why;
        EXPECT_EQ(row.index, find_driver(row.driver, row.names, why)) << row.driver;
        EXPECT_NE(std::string::npos, why.find(row.reason)) << row.driver << ": " << why;
    }
}

} // namespace
