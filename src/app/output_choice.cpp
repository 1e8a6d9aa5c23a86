#include "app/output_choice.h"

#include <cstddef>
#include <cstdlib>

#include "app/fmod_errors.h"
#include "audio/fsound.h"
#include "audio/jack_server.h"

namespace {

struct TypeName {
    const char *name;
    int output_type;
};

constexpr TypeName TYPE_NAMES[] = {
    {"oss", FSOUND_OUTPUT_OSS},   {"jack", FSOUND_OUTPUT_ESD},     {"esd", FSOUND_OUTPUT_ESD},
    {"alsa", FSOUND_OUTPUT_ALSA}, {"none", FSOUND_OUTPUT_NOSOUND},
};

bool all_digits(const std::string &text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool read_choice(const std::string &part, OutputChoice &choice, std::string &error)
{
    std::size_t colon = part.find(':');
    std::string type = part.substr(0, colon);
    choice.text = part;
    choice.driver = colon == std::string::npos ? "" : part.substr(colon + 1);
    if (colon != std::string::npos && choice.driver.empty()) {
        error = "--output " + part + ": the driver after ':' is missing";
        return false;
    }
    if (all_digits(choice.driver) && choice.driver.find_first_not_of('0') == std::string::npos) {
        error = "--output " + part + ": drivers are numbered from 1";
        return false;
    }
    for (const TypeName &t : TYPE_NAMES) {
        if (type == t.name) {
            choice.output_type = t.output_type;
            return true;
        }
    }
    error = "--output needs oss, jack, alsa or none (with :DRIVER if wanted), not '" + type + "'";
    return false;
}

} // namespace

bool parse_output_choices(const std::string &value, std::vector<OutputChoice> &choices,
                          std::string &error)
{
    choices.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = value.find(',', start);
        OutputChoice choice;
        if (!read_choice(value.substr(start, comma - start), choice, error))
            return false;
        choices.push_back(choice);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

int find_driver(const std::string &driver, const std::vector<std::string> &names, std::string &why)
{
    const int count = static_cast<int>(names.size());
    if (count == 0) {
        why = "no driver found for this output type";
        return -1;
    }
    if (all_digits(driver)) {
        // A number too long to read comes back as the largest one.
        unsigned long number = std::strtoul(driver.c_str(), nullptr, 10);
        if (number >= 1 && number <= static_cast<unsigned long>(count))
            return static_cast<int>(number) - 1;
        why = "no driver " + driver + " (" + std::to_string(count) + " listed)";
        return -1;
    }
    const std::string wanted = driver.empty() ? "default" : driver;
    for (int i = 0; i < count; ++i)
        if (names[i] == wanted)
            return i;
    if (driver.empty())
        return 0;
    for (int i = 0; i < count; ++i)
        if (names[i].find(driver) != std::string::npos)
            return i;
    why = "no driver named " + driver;
    return -1;
}

std::string jack_server_problem(int rate)
{
    JackServerInfo server = probe_jack_server();
    if (!server.running)
        return "No JACK server is running";
    if (server.sample_rate != rate)
        return "The JACK server runs at " + std::to_string(server.sample_rate) +
               " Hz; this program plays at " + std::to_string(rate) + " Hz only";
    return "";
}

std::string open_output_choice(const OutputChoice &choice, int rate, int &driver)
{
    FSOUND_SetOutput(choice.output_type);
    if (choice.output_type == FSOUND_OUTPUT_ESD) {
        std::string problem = jack_server_problem(rate);
        if (!problem.empty())
            return problem;
    }
    std::vector<std::string> names;
    for (int i = 0; i < FSOUND_GetNumDrivers(); ++i)
        names.push_back(FSOUND_GetDriverName(i));
    std::string why;
    driver = find_driver(choice.driver, names, why);
    if (driver < 0)
        return why;
    FSOUND_SetDriver(driver);
    if (!FSOUND_Init(rate, 32, 0))
        return FMOD_ErrorString(FSOUND_GetError());
    return "";
}
