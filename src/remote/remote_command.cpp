#include "remote/remote_command.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "patch/qstr_parser.h"
#include "remote/remote_orders.h"

void store_port_a(int mask) { __atomic_store_n(&PORT_A, mask, __ATOMIC_RELAXED); }

int load_port_a() { return __atomic_load_n(&PORT_A, __ATOMIC_RELAXED); }

namespace {

// Reads the value of "PORTA=n"; false when there is no number after "=".
bool port_a_value(const char *line, int *mask)
{
    QSTR_PARSER parser(line, '=');
    char *field = parser.get_champ(1);
    if (!field)
        return false;
    char *end = nullptr;
    const long value = std::strtol(field, &end, 10);
    const bool found = end != field;
    delete[] field;
    if (!found)
        return false;
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
