// The answer to the sound dialog given on the command line:
// --output TYPE[:DRIVER][,TYPE[:DRIVER]...], tried in order until one opens.
#pragma once

#include <string>
#include <vector>

struct OutputChoice {
    std::string text; // as written, for the messages
    int output_type;  // FSOUND_OUTPUT_*
    // Empty: the driver called "default" if there is one, else the first.
    // Digits: the driver of that number in the dialog's list (from 1).
    // Other text: the driver of that name, else the first whose name holds it.
    std::string driver;
};

// Reads the value of --output into choices. Types: "oss", "jack" (or "esd",
// the sound daemon entry), "alsa", "none". Returns false with a message in
// error for an unknown type, an empty part or driver, or driver number 0.
bool parse_output_choices(const std::string &value, std::vector<OutputChoice> &choices,
                          std::string &error);

// Why the JACK server cannot take the sound (none runs, or it runs at
// another rate than rate), or "" when it can.
std::string jack_server_problem(int rate);

// Selects the choice's output type and driver and initialises the sound
// output at rate. Returns "" on success, with the driver's index in driver,
// else why the choice is not available (the output is then left
// uninitialised, so another choice may follow).
std::string open_output_choice(const OutputChoice &choice, int rate, int &driver);

// The index in names (the drivers of an output type, in the dialog's order)
// of the driver that a choice's driver text names, or -1 with why.
int find_driver(const std::string &driver, const std::vector<std::string> &names, std::string &why);
