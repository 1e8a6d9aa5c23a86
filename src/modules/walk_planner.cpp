#include "modules/walk_planner.h"

#include <algorithm>
#include <unordered_map>

#include "modules/module.h"
#include "modules/sockets.h"

namespace {

// The patch as a graph: its modules in walk order, and for each the modules
// whose output it needs to compute a frame.
struct GRAPH {
    struct NODE {
        WALK_PLAN::LIST list;
        OUTPUT *module;
        MODULE whole; // none for the output delay
        std::vector<int> sources;
    };
    std::vector<NODE> nodes;
    // The node whose output of each signal is at an address.
    std::unordered_map<const void *, int> owner[3];

    template <class T> void add(const MODULE_LIST<T> &list, WALK_PLAN::LIST which)
    {
        for (T *m : list) {
            const MODULE module = make_module(m);
            const int n = (int)nodes.size();
            nodes.push_back({which, m, module, {}});
            if (!module) { // the output delay
                owner[(int)SIGNAL::AUDIO].emplace(&m->value, n);
                continue;
            }
            for (SIGNAL s : {SIGNAL::AUDIO, SIGNAL::GATE, SIGNAL::SYNC})
                if (const void *address = module.output(s))
                    owner[(int)s].emplace(address, n);
        }
    }
    static MODULE make_module(SFX_DELAY *) { return {}; }
    template <class T> static MODULE make_module(T *m) { return MODULE(m); }

    int node_of(SIGNAL s, const void *address) const
    {
        const auto found = owner[(int)s].find(address);
        return found == owner[(int)s].end() ? -1 : found->second;
    }
    void hears(int reader, int source)
    {
        if (source >= 0)
            nodes[reader].sources.push_back(source);
    }
};

void add_connections(GRAPH &g)
{
    // A sampler closes the gate it reads when its recording ends: the gate's
    // source then hears it (and every other reader of the gate hears the
    // source, so hears it too).
    for (int r = 0; r < (int)g.nodes.size(); ++r) {
        const MODULE module = g.nodes[r].whole;
        if (!module) {
            const auto *delay = static_cast<SFX_DELAY *>(g.nodes[r].module);
            g.hears(r, g.node_of(SIGNAL::AUDIO, delay->INPUT::source.get()));
            continue;
        }
        for (const SOCKET &socket : input_sockets(module.kind))
            for (int c = 0; c < socket.channels_in_use(module); ++c) {
                const int source = g.node_of(socket.signal, socket.source(module, c));
                g.hears(r, source);
                if (socket.signal == SIGNAL::GATE && module.kind == SAMPLER_MODULE && source >= 0)
                    g.hears(source, r);
            }
    }
}

// The strongly connected components of the graph (Tarjan's algorithm,
// without recursion), each a set of modules that hear each other, in an
// order where every component comes after those it hears.
std::vector<std::vector<int>> components(const GRAPH &g)
{
    const int n = (int)g.nodes.size();
    std::vector<int> index(n, -1), low(n, 0), stack;
    std::vector<bool> on_stack(n, false);
    std::vector<std::vector<int>> out;
    int next = 0;
    // (node, next source to look at)
    std::vector<std::pair<int, size_t>> calls;
    for (int root = 0; root < n; ++root) {
        if (index[root] >= 0)
            continue;
        calls.emplace_back(root, 0);
        while (!calls.empty()) {
            auto &[v, i] = calls.back();
            if (i == 0) {
                index[v] = low[v] = next++;
                stack.push_back(v);
                on_stack[v] = true;
            }
            const std::vector<int> &sources = g.nodes[v].sources;
            if (i < sources.size()) {
                const int w = sources[i++];
                if (index[w] < 0)
                    calls.emplace_back(w, 0);
                else if (on_stack[w])
                    low[v] = std::min(low[v], index[w]);
                continue;
            }
            const int done = v;
            calls.pop_back();
            if (!calls.empty())
                low[calls.back().first] = std::min(low[calls.back().first], low[done]);
            if (low[done] == index[done]) {
                std::vector<int> component;
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    on_stack[w] = false;
                    component.push_back(w);
                } while (w != done);
                std::sort(component.begin(), component.end()); // walk order
                out.push_back(std::move(component));
            }
        }
    }
    // Following sources, Tarjan's algorithm closes a component only after
    // every component it hears: the order is already the one wanted.
    return out;
}

// Each component's level: 0 for one that hears no other, else one more than
// the highest of those it hears (which come before it).
std::vector<int> levels(const GRAPH &g, const std::vector<std::vector<int>> &parts)
{
    std::vector<int> part_of(g.nodes.size()), level(parts.size(), 0);
    for (size_t p = 0; p < parts.size(); ++p)
        for (int v : parts[p])
            part_of[v] = (int)p;
    for (size_t p = 0; p < parts.size(); ++p)
        for (int v : parts[p])
            for (int s : g.nodes[v].sources)
                if (part_of[s] != (int)p)
                    level[p] = std::max(level[p], level[part_of[s]] + 1);
    return level;
}

// The steps of the components by level, then by walk order; a run of single
// modules of one list and one level is marked alike at its first step.
void write_steps(WALK_PLAN &plan, const GRAPH &g, const std::vector<std::vector<int>> &parts)
{
    const std::vector<int> level = levels(g, parts);
    std::vector<int> order(parts.size());
    for (size_t p = 0; p < parts.size(); ++p)
        order[p] = (int)p;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return level[a] != level[b] ? level[a] < level[b] : parts[a][0] < parts[b][0];
    });
    int run = -1, run_level = -1; // the first step of the current run of alike modules
    for (int p : order) {
        for (size_t i = 0; i < parts[p].size(); ++i) {
            const GRAPH::NODE &node = g.nodes[parts[p][i]];
            plan.steps.push_back({node.list, i == 0 ? (int)parts[p].size() : 0, 0, node.module});
        }
        const int last = (int)plan.steps.size() - 1;
        if (parts[p].size() > 1) {
            run = -1;
        } else if (run >= 0 && plan.steps[run].list == plan.steps[last].list &&
                   run_level == level[p]) {
            ++plan.steps[run].alike;
        } else {
            run = last;
            run_level = level[p];
            plan.steps[last].alike = 1;
        }
    }
}

} // namespace

void plan_walk(GENERATOR &g)
{
    if (g.plan_is_current())
        return;
    auto plan = std::make_unique<WALK_PLAN>();
    plan->wiring = wiring_changes.load();
    GRAPH graph;
    graph.add(g.sequencers, WALK_PLAN::SEQUENCERS);
    graph.add(g.keyboards, WALK_PLAN::KEYBOARDS);
    graph.add(g.oscillators, WALK_PLAN::OSCILLATORS);
    graph.add(g.mixers, WALK_PLAN::MIXERS);
    graph.add(g.samplers, WALK_PLAN::SAMPLERS);
    graph.add(g.amplifiers, WALK_PLAN::AMPLIFIERS);
    graph.add(g.filters, WALK_PLAN::FILTERS);
    graph.add(g.delays, WALK_PLAN::DELAYS);
    add_connections(graph);
    write_steps(*plan, graph, components(graph));
    g.publish_plan(std::move(plan));
}
