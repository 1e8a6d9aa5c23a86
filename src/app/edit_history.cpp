#include "app/edit_history.h"

#include <map>
#include <sstream>
#include <vector>

void EDIT_HISTORY::start(const std::string &text)
{
    undos.clear();
    redos.clear();
    now = saved_text = text;
}

bool EDIT_HISTORY::note(const std::string &text)
{
    if (text == now)
        return false;
    undos.push_back({now, edit_words(now, text)});
    if (undos.size() > DEPTH)
        undos.pop_front();
    redos.clear();
    now = text;
    return true;
}

bool EDIT_HISTORY::undo(std::string &text, std::string &what)
{
    if (undos.empty())
        return false;
    STEP step = std::move(undos.back());
    undos.pop_back();
    redos.push_back({now, step.what});
    now = text = std::move(step.text);
    what = step.what;
    return true;
}

bool EDIT_HISTORY::redo(std::string &text, std::string &what)
{
    if (redos.empty())
        return false;
    STEP step = std::move(redos.back());
    redos.pop_back();
    undos.push_back({now, step.what});
    now = text = std::move(step.text);
    what = step.what;
    return true;
}

namespace {

// A section of the text: its lines by the name they start with, in order.
struct SECTION {
    std::vector<std::string> names;
    std::map<std::string, std::string> lines;
};

std::map<std::string, SECTION> sections_of(const std::string &text)
{
    std::map<std::string, SECTION> sections;
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        if (line.rfind("BEGIN_", 0) == 0) {
            section = line;
            continue;
        }
        if (line.rfind("END_", 0) == 0 || line.empty() || section.empty())
            continue;
        const std::string name = line.substr(0, line.find(';'));
        SECTION &s = sections[section];
        if (s.lines.count(name) == 0)
            s.names.push_back(name);
        s.lines[name] += line;
    }
    return sections;
}

// The fields after the name: "KEY=VALUE".
std::vector<std::string> fields_of(const std::string &line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    std::getline(in, field, ';');
    while (std::getline(in, field, ';'))
        if (!field.empty())
            fields.push_back(field);
    return fields;
}

// The first field of one line that the other lacks.
std::string first_change(const std::string &before, const std::string &after)
{
    const std::vector<std::string> a = fields_of(before), b = fields_of(after);
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            return i < b.size() ? b[i] : a[i];
    return {};
}

// The first name whose line differs between two states of a section.
bool changed_line(const SECTION &before, const SECTION &after, std::string &name)
{
    for (const SECTION *s : {&after, &before})
        for (const std::string &n : s->names) {
            const auto a = before.lines.find(n), b = after.lines.find(n);
            if (a == before.lines.end() || b == after.lines.end() || a->second != b->second) {
                name = n;
                return true;
            }
        }
    return false;
}

std::string line_of(const SECTION &s, const std::string &name)
{
    const auto l = s.lines.find(name);
    return l == s.lines.end() ? std::string() : l->second;
}

} // namespace

std::string edit_words(const std::string &before, const std::string &after)
{
    auto a = sections_of(before), b = sections_of(after);
    SECTION &modules_a = a["BEGIN_OBJECTS_DECLARE"], &modules_b = b["BEGIN_OBJECTS_DECLARE"];
    for (const std::string &n : modules_b.names)
        if (modules_a.lines.count(n) == 0)
            return n + " added";
    for (const std::string &n : modules_a.names)
        if (modules_b.lines.count(n) == 0)
            return n + " removed";
    std::string name;
    SECTION &links_a = a["BEGIN_LINKS_DECLARE"], &links_b = b["BEGIN_LINKS_DECLARE"];
    if (changed_line(links_a, links_b, name)) {
        if (name == "OUTPUT_1")
            return "the output mixer";
        const std::string field = first_change(line_of(links_a, name), line_of(links_b, name));
        const size_t equals = field.find('=');
        if (equals == std::string::npos)
            return "cables of " + name;
        return "cable " + field.substr(equals + 1) + " -> " + name + " " + field.substr(0, equals);
    }
    if (changed_line(modules_a, modules_b, name)) {
        const std::string field = first_change(line_of(modules_a, name), line_of(modules_b, name));
        return name + (field.empty() ? "" : " " + field.substr(0, field.find('=')));
    }
    if (changed_line(a["BEGIN_PATTERNS_DECLARE"], b["BEGIN_PATTERNS_DECLARE"], name))
        return name + " patterns";
    if (changed_line(a["BEGIN_PANELS_DECLARE"], b["BEGIN_PANELS_DECLARE"], name))
        return name + " panel";
    if (changed_line(a["BEGIN_CONTROLLERS_DECLARE"], b["BEGIN_CONTROLLERS_DECLARE"], name))
        return name + " MIDI controller";
    if (changed_line(a["BEGIN_CABLE_COLOURS_DECLARE"], b["BEGIN_CABLE_COLOURS_DECLARE"], name))
        return "a cable colour into " + name;
    return "the patch";
}
