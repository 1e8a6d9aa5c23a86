// The sockets table against the back panels' description files: every socket
// a back panel draws is in its module's table, and every socket the table
// draws as a cable is on the back panel, the outputs too.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "modules/sockets.h"

namespace {

// The socket elements (names holding INPUT or OUTPUT) of a description file.
std::set<std::string> sockets_in(const std::string &rc_file)
{
    std::set<std::string> names;
    std::ifstream in(rc_file);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind, name;
        fields >> kind >> name;
        if (name.find("INPUT") != std::string::npos || name.find("OUTPUT") != std::string::npos)
            names.insert(name);
    }
    return names;
}

TEST(Sockets, EveryBackPanelDrawsExactlyTheSocketsItsTableCables)
{
    const struct {
        MODULE_KIND kind;
        const char *rc_file;
        bool note_source;
    } panels[] = {
        {VCO_MODULE, "RC/BACK_VCO.RC", false},
        {VCA_MODULE, "RC/BACK_VCA.RC", false},
        {VCF_MODULE, "RC/BACK_VCF.RC", false},
        {MIXER_MODULE, "RC/BACK_MIXER.RC", false},
        {SEQ_MODULE, "RC/BACK_SEQUENCEUR.RC", true},
        {KEYBOARD_MODULE, "RC/BACK_KEYBOARD.RC", true},
        {SAMPLER_MODULE, "RC/BACK_SAMPLER.RC", false},
    };
    for (const auto &p : panels) {
        SCOPED_TRACE(p.rc_file);
        const std::set<std::string> drawn = sockets_in(p.rc_file);
        ASSERT_FALSE(drawn.empty());
        std::set<std::string> cabled = {"OUTPUT"};
        if (p.note_source)
            cabled.insert({"OUTPUT_GATE", "OUTPUT_SYNC"});
        for (const SOCKET &s : input_sockets(p.kind))
            for (int c = 0; c < s.channels && s.cabled; c++) {
                char element[24];
                s.element_of(c, element);
                cabled.insert(element);
            }
        for (const std::string &name : drawn) {
            int channel = -1;
            const bool known = name.rfind("OUTPUT", 0) == 0 ||
                               input_socket_named(p.kind, name.c_str(), &channel) != nullptr;
            EXPECT_TRUE(known) << name << " is in no table";
        }
        for (const std::string &name : cabled)
            EXPECT_EQ(drawn.count(name), 1u) << name << " is not on the back panel";
    }
}

} // namespace
