// Reading a file as the transcript it claims to be, recording a run as the
// transcript it prints, and comparing the two block by block: a block is a
// source line with the result lines after it. Owns no state.
//
// The blocks of the two are paired by their source lines, so a run that
// prints a line the file lacks (a LOADed file's lines, say) or stops early
// (QUIT) puts the rest out of step only where it happened.
#include "driver/transcript.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "console/encoding.h"

namespace {
constexpr int UNCLAIMED = -2;  // a result line printed before its statement was told
// Beyond this many cells the middle of two transcripts is not searched for
// common lines: each side is then reported whole.
constexpr std::size_t ALIGN_CELLS = std::size_t(1) << 22;

void drop_carriage_return(std::string &line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
}

// What the console shows for a line the reader has read: decoded from UTF-8
// when it is valid UTF-8, then written in the console's encoding.
std::string shown_as_read(std::string_view raw, bool console_cp1251) {
    std::string line(raw);
    if (!console_cp1251) {
        utf8_to_cp1251(line);
        std::string shown;
        cp1251_to_utf8(line.data(), line.size(), shown);
        line.swap(shown);
    }
    drop_carriage_return(line);
    return line;
}

bool is_arrow(const std::string &line) { return line.size() >= 2 && line[0] == '-' && line[1] == '>'; }

void end_line(recorded_run &run) {
    std::string text;
    text.swap(run.partial);
    drop_carriage_return(text);
    auto &blocks = run.printed.blocks;
    if (run.partial_is_echo)
        blocks.push_back({0, std::move(text), {}});
    else
        blocks.back().results.push_back({std::move(text), UNCLAIMED});
}

using block_pairs = std::vector<std::pair<std::size_t, std::size_t>>;

// The longest common run of source lines of e[e0, e1) and a[a0, a1), paired.
void pair_middle(const std::vector<transcript_block> &e, std::size_t e0, std::size_t e1,
                 const std::vector<transcript_block> &a, std::size_t a0, std::size_t a1, block_pairs &pairs) {
    std::size_t n = e1 - e0, m = a1 - a0;
    if (n == 0 || m == 0 || (n + 1) * (m + 1) > ALIGN_CELLS) return;
    // common[i][j]: the longest common run of e[e0 + i, e1) and a[a0 + j, a1).
    std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t & { return common[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            at(i, j) = e[e0 + i].source == a[a0 + j].source ? at(i + 1, j + 1) + 1
                                                             : std::max(at(i + 1, j), at(i, j + 1));
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (e[e0 + i].source == a[a0 + j].source && at(i, j) == at(i + 1, j + 1) + 1)
            pairs.push_back({e0 + i++, a0 + j++});
        else if (at(i + 1, j) >= at(i, j + 1))
            i++;
        else
            j++;
    }
}

// Pairs of blocks whose source lines agree, in order, block 0 with block 0.
block_pairs align(const std::vector<transcript_block> &e, const std::vector<transcript_block> &a) {
    block_pairs pairs {{0, 0}};
    std::size_t front = 1;
    while (front < e.size() && front < a.size() && e[front].source == a[front].source) {
        pairs.push_back({front, front});
        front++;
    }
    std::size_t e_back = e.size(), a_back = a.size();
    while (e_back > front && a_back > front && e[e_back - 1].source == a[a_back - 1].source) {
        e_back--;
        a_back--;
    }
    pair_middle(e, front, e_back, a, front, a_back, pairs);
    for (std::size_t k = 0; e_back + k < e.size(); k++) pairs.push_back({e_back + k, a_back + k});
    return pairs;
}

// Consecutive result lines of one statement: [begin, end) of a block's results.
struct result_group {
    std::size_t begin, end;
    int statement;
};

std::vector<result_group> groups_of(const std::vector<result_line> &results) {
    std::vector<result_group> groups;
    for (std::size_t i = 0; i < results.size(); i++) {
        if (groups.empty() || groups.back().statement != results[i].statement)
            groups.push_back({i, i, results[i].statement});
        groups.back().end = i + 1;
    }
    return groups;
}

bool same_text(const std::vector<result_line> &want, std::size_t at, const std::vector<result_line> &got,
               const result_group &group) {
    std::size_t size = group.end - group.begin;
    if (at + size > want.size()) return false;
    for (std::size_t i = 0; i < size; i++)
        if (want[at + i].text != got[group.begin + i].text) return false;
    return true;
}

std::vector<std::string> texts(const std::vector<result_line> &results, std::size_t begin, std::size_t end) {
    std::vector<std::string> out;
    for (std::size_t i = begin; i < end; i++) out.push_back(results[i].text);
    return out;
}

struct comparison {
    const transcript &expected;
    const recorded_run &run;
    std::string_view checked_name;
    std::vector<difference> found;
    std::size_t stopped_after;           // the block of a run's failing last statement
    std::optional<std::size_t> not_run;  // index in `found` of the note about the rest
    std::vector<int> paired_line;        // for each block of the run, the file line paired with it
};

bool from_checked_file(const comparison &c, int statement) {
    return statement >= 0 && c.run.statements[std::size_t(statement)].source == c.checked_name;
}

// Where a difference is and what statement it shows: the statements' own
// lines when they come from the checked file, else the source line of the
// block where the output landed.
void place(const comparison &c, difference &d, int first, int last, const transcript_block &landed, int line) {
    if (from_checked_file(c, first) && from_checked_file(c, last)) {
        const auto &lines = c.expected.lines;
        int from = std::max(c.run.statements[std::size_t(first)].first_line, 1);
        int to = std::min(c.run.statements[std::size_t(last)].last_line, int(lines.size()));
        for (int l = from; l <= to; l++)
            if (!c.expected.arrow[std::size_t(l - 1)]) d.statement.push_back(lines[std::size_t(l - 1)]);
        if (!d.statement.empty()) {
            d.line = from;
            return;
        }
    }
    d.line = std::max(line, 1);
    if (landed.line != 0 || !landed.source.empty()) d.statement.push_back(landed.source);
}

void note_not_run(comparison &c, const transcript_block &block) {
    if (!c.not_run) {
        const run_statement &failed = c.run.statements.back();
        difference d {difference_kind::not_run, block.line, {block.source}, {}, {}, 0, 0};
        int last = int(c.run.statements.size()) - 1;
        d.error_line = from_checked_file(c, last) ? failed.first_line : c.paired_line[failed.block];
        c.not_run = c.found.size();
        c.found.push_back(d);
    }
    c.found[*c.not_run].count += int(block.results.size());
}

void compare_blocks(comparison &c, std::size_t ei, std::size_t ai) {
    const transcript_block &block = c.expected.blocks[ei];
    const auto &want = block.results;
    const auto &got = c.run.printed.blocks[ai].results;
    auto groups = groups_of(got);
    // Statements whose output agrees from either end are set aside, so a
    // line of several statements names the one that differs.
    auto size = [&](std::size_t g) { return groups[g].end - groups[g].begin; };
    std::size_t front = 0, g0 = 0;
    while (g0 < groups.size() && same_text(want, front, got, groups[g0])) front += size(g0++);
    std::size_t back = want.size(), g1 = groups.size();
    while (g1 > g0 && back - front >= size(g1 - 1) && same_text(want, back - size(g1 - 1), got, groups[g1 - 1]))
        back -= size(--g1);
    if (g0 == g1 && front == back) return;
    // Recorded lines beyond what agreeing statements printed are shown with
    // the statement beside them.
    if (g0 == g1 && g0 > 0) {
        front -= size(--g0);
    } else if (g0 == g1 && g1 < groups.size()) {
        back += size(g1++);
    }
    if (g0 == g1) {
        if (got.empty() && ai > c.stopped_after) return note_not_run(c, block);
        difference d {difference_kind::missing, block.line, {}, texts(want, front, back), {}, 0, 0};
        place(c, d, -1, -1, block, block.line);
        c.found.push_back(d);
        return;
    }
    if (front == back) {
        for (std::size_t g = g0; g < g1; g++) {
            difference d {difference_kind::unrecorded, 0, {}, {}, texts(got, groups[g].begin, groups[g].end), 0, 0};
            place(c, d, groups[g].statement, groups[g].statement, block, block.line);
            c.found.push_back(d);
        }
        return;
    }
    difference d {difference_kind::differs, 0, {}, texts(want, front, back),
                  texts(got, groups[g0].begin, groups[g1 - 1].end), 0, 0};
    place(c, d, groups[g0].statement, groups[g1 - 1].statement, block, block.line);
    c.found.push_back(d);
}

void append_block(std::vector<std::string> &lines, const transcript_block &block) {
    lines.push_back(block.source);
    for (const auto &r : block.results) lines.push_back(r.text);
}

// Blocks e[e0, e1) of the file and a[a0, a1) of the run that did not pair,
// after the pair whose file block is `before`.
void compare_unpaired(comparison &c, std::size_t e0, std::size_t e1, std::size_t a0, std::size_t a1,
                      std::size_t before) {
    const auto &a = c.run.printed.blocks;
    const transcript_block &anchor = c.expected.blocks[before];
    bool printed_results = false;
    for (std::size_t i = a0; i < a1; i++) printed_results |= !a[i].results.empty();
    if (e0 == e1 && printed_results) {
        // Lines the file does not hold, a LOADed file's most likely: its
        // statements' output is unrecorded, each in its own report.
        for (std::size_t i = a0; i < a1; i++)
            for (const auto &group : groups_of(a[i].results)) {
                difference d {difference_kind::unrecorded, 0, {}, {}, texts(a[i].results, group.begin, group.end), 0, 0};
                place(c, d, group.statement, group.statement, a[i], anchor.line);
                c.found.push_back(d);
            }
        return;
    }
    difference d {difference_kind::lines, e0 < e1 ? c.expected.blocks[e0].line : std::max(anchor.line, 1), {}, {}, {}, 0, 0};
    for (std::size_t i = e0; i < e1; i++) append_block(d.expected, c.expected.blocks[i]);
    for (std::size_t i = a0; i < a1; i++) append_block(d.actual, a[i]);
    c.found.push_back(d);
}
}  // namespace

transcript read_transcript(std::string_view bytes, bool console_cp1251) {
    transcript t;
    t.blocks.emplace_back();
    int number = 0;
    while (!bytes.empty()) {
        std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string line = shown_as_read(bytes.substr(0, end), console_cp1251);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        number++;
        bool arrow = is_arrow(line);
        if (arrow)
            t.blocks.back().results.push_back({line, -1});
        else
            t.blocks.push_back({number, line, {}});
        t.lines.push_back(std::move(line));
        t.arrow.push_back(arrow);
    }
    return t;
}

recorded_run start_recording() {
    recorded_run run;
    run.printed.blocks.emplace_back();
    return run;
}

void record_output(recorded_run &run, output_kind kind, std::string_view bytes) {
    run.bytes += bytes.size();
    bool echo = kind == output_kind::echo;
    if (!run.partial.empty() && run.partial_is_echo != echo) end_line(run);
    run.partial_is_echo = echo;
    for (std::size_t end; (end = bytes.find('\n')) != std::string_view::npos; bytes.remove_prefix(end + 1)) {
        run.partial.append(bytes.substr(0, end));
        end_line(run);
    }
    run.partial.append(bytes);
}

void record_statement(recorded_run &run, const statement_event &event) {
    int index = int(run.statements.size());
    auto &blocks = run.printed.blocks;
    for (std::size_t b = run.unowned_from; b < blocks.size(); b++)
        for (auto &r : blocks[b].results)
            if (r.statement == UNCLAIMED) r.statement = index;
    run.unowned_from = blocks.size() - 1;
    run.statements.push_back({std::string(event.source), event.first_line, event.last_line, event.error_code,
                              blocks.size() - 1});
}

void finish_recording(recorded_run &run) {
    if (!run.partial.empty()) end_line(run);
    for (auto &block : run.printed.blocks)
        for (auto &r : block.results)
            if (r.statement == UNCLAIMED) r.statement = -1;
}

std::vector<difference> compare_run(const transcript &expected, const recorded_run &run,
                                    std::string_view checked_name) {
    comparison c {expected, run, checked_name, {}, std::size_t(-1), {}, {}};
    // Without a keyboard an error ends the run: what follows is only echoed.
    if (!run.statements.empty() && run.statements.back().error_code != 0) c.stopped_after = run.statements.back().block;
    block_pairs pairs = align(expected.blocks, run.printed.blocks);
    c.paired_line.assign(run.printed.blocks.size(), 0);
    for (auto [e, a] : pairs) c.paired_line[a] = expected.blocks[e].line;
    pairs.push_back({expected.blocks.size(), run.printed.blocks.size()});
    compare_blocks(c, 0, 0);
    for (std::size_t k = 1; k < pairs.size(); k++) {
        auto [before_e, before_a] = pairs[k - 1];
        auto [e, a] = pairs[k];
        if (e > before_e + 1 || a > before_a + 1) compare_unpaired(c, before_e + 1, e, before_a + 1, a, before_e);
        if (k + 1 < pairs.size()) compare_blocks(c, e, a);
    }
    return c.found;
}
