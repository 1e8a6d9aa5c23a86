// Feeds arbitrary byte streams, cut into arbitrary pieces, to the remote
// line reader and runs the commands of every line. The lines must not depend
// on where the stream was cut, and must match the CR LF framing of the whole
// stream.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "remote/remote_command.h"
#include "remote/remote_line.h"

namespace {

// Lines of the stream fed in pieces whose lengths are the cut bytes times
// scale (0 = as large as a receive allows). One reader, cleared for every
// stream, serves every input: a new one would clear its 200 kB of buffers.
std::vector<std::string> read_lines(const std::string &stream, const uint8_t *cuts,
                                    size_t cut_count, size_t scale)
{
    static const auto reader = std::make_unique<RemoteLineReader>();
    reader->clear();
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t i = 0; at < stream.size(); ++i) {
        size_t n = cut_count ? cuts[i % cut_count] * scale : 0;
        if (n == 0 || n > static_cast<size_t>(RemoteLineReader::PIECE_SIZE))
            n = RemoteLineReader::PIECE_SIZE;
        n = std::min(n, stream.size() - at);
        std::memcpy(reader->receive_area(), stream.data() + at, n);
        reader->piece_received(static_cast<int>(n));
        at += n;
        while (reader->take_line()) {
            if (reader->line()[reader->line_length()] != '\0')
                std::abort();
            lines.emplace_back(reader->line(), static_cast<size_t>(reader->line_length()));
        }
    }
    return lines;
}

// The same framing computed on the whole stream at once.
std::vector<std::string> expected_lines(const std::string &stream)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = stream.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const size_t length = end - start;
        lines.push_back(length + 2 <= static_cast<size_t>(RemoteLineReader::MAX_LINE)
                            ? stream.substr(start, length)
                            : std::string());
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // First byte: how many of the following bytes describe the cuts.
    if (size == 0)
        return 0;
    const size_t cut_count = std::min(static_cast<size_t>(data[0]), size - 1);
    const uint8_t *cuts = data + 1;
    std::string stream(reinterpret_cast<const char *>(data + 1 + cut_count), size - 1 - cut_count);
    // For one input in eight, a run of bytes around the line limit between
    // two copies of the input, cut in pieces of kilobytes.
    size_t scale = 1;
    if (cut_count % 8 == 7) {
        const size_t run = RemoteLineReader::MAX_LINE - 4 + cuts[0] % 8;
        stream = stream + std::string(run, 'x') + stream;
        scale = 1024;
    }

    const std::vector<std::string> lines = read_lines(stream, cuts, cut_count, scale);
    if (lines != expected_lines(stream) || lines != read_lines(stream, nullptr, 0, 1))
        std::abort();
    int finished = 0;
    for (const std::string &line : lines)
        execute_remote_line(line.c_str(), &finished);
    return 0;
}
