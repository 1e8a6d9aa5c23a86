#include "remote/remote_command.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "patch/qstr_parser.h"
#include "remote/remote_orders.h"

namespace {

// Reads the value of "PORTA=n" with leading-number semantics: a value without
// digits, or none, reads as 0. False when the line holds no "=" at all.
bool port_a_value(const char *line, int *mask)
{
    QSTR_PARSER parser(line, '=');
    if (parser.get_nbr_champs() < 1)
        return false;
    char *field = parser.get_champ(1); // null when the value is empty
    const long value = field ? std::strtol(field, nullptr, 10) : 0;
    delete[] field;
    // Out-of-range numbers saturate instead of overflowing the int.
    *mask = static_cast<int>(value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : value));
    return true;
}

} // namespace

void execute_remote_line(const char *line, int *finished)
{
    if (std::strstr(line, "FINISH"))
        *finished = 1;
    int mask = 0;
    if (std::strstr(line, "PORTA") && port_a_value(line, &mask))
        store_port_a(mask);
    // "BT_TOGGLE" is accepted as a command of its own that changes nothing.
}
