// Line assembly from received pieces, and the commands of a line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "remote/remote_command.h"
#include "remote/remote_line.h"
#include "remote/remote_orders.h"

namespace {

// Feeds pieces to a reader (cut to the receive size, as a receive would)
// and collects the complete lines.
std::vector<std::string> lines_of(RemoteLineReader &reader, const std::vector<std::string> &pieces)
{
    std::vector<std::string> lines;
    for (const std::string &piece : pieces) {
        for (size_t at = 0; at < piece.size(); at += RemoteLineReader::PIECE_SIZE) {
            const size_t n =
                std::min(piece.size() - at, static_cast<size_t>(RemoteLineReader::PIECE_SIZE));
            std::memcpy(reader.receive_area(), piece.data() + at, n);
            reader.piece_received(static_cast<int>(n));
            while (reader.take_line())
                lines.emplace_back(reader.line(), static_cast<size_t>(reader.line_length()));
        }
    }
    return lines;
}

std::vector<std::string> lines_of(const std::vector<std::string> &pieces)
{
    auto reader = std::make_unique<RemoteLineReader>();
    return lines_of(*reader, pieces);
}

using Lines = std::vector<std::string>;

TEST(SearchEnter, FindsCrLfWithinAPieceAndAcrossPieces)
{
    RemoteLineEnd state;
    EXPECT_EQ(search_enter_in_string(state, "PORTA=1\r\nX", 10), 9);
    EXPECT_EQ(search_enter_in_string(state, "PORTA=1", 7), 0);
    EXPECT_EQ(search_enter_in_string(state, "PORTA=1\r", 8), 0);
    EXPECT_EQ(search_enter_in_string(state, "\nrest", 5), 1);
    // A bare LF, or an LF after a piece that did not end with CR, ends nothing.
    EXPECT_EQ(search_enter_in_string(state, "\n", 1), 0);
    EXPECT_EQ(search_enter_in_string(state, "\r", 1), 0);
    EXPECT_EQ(search_enter_in_string(state, "", 0), 0); // an empty piece keeps the pending CR
    EXPECT_EQ(search_enter_in_string(state, "\n", 1), 1);
    EXPECT_EQ(search_enter_in_string(state, "\r", 1), 0);
    EXPECT_EQ(search_enter_in_string(state, "x\n", 2), 0);
}

TEST(SearchEnter, EachClientKeepsItsOwnPendingCr)
{
    RemoteLineEnd first, second;
    EXPECT_EQ(search_enter_in_string(first, "PORTA=1\r", 8), 0);
    EXPECT_EQ(search_enter_in_string(second, "PORTA=2", 7), 0);
    EXPECT_EQ(search_enter_in_string(first, "\n", 1), 1);
}

TEST(LineReader, AssemblesLinesFromAnySplitOfTheStream)
{
    EXPECT_EQ(lines_of({"PORTA=1\r\n"}), Lines({"PORTA=1"}));
    EXPECT_EQ(lines_of({"PORT", "A=3\r\n"}), Lines({"PORTA=3"}));
    EXPECT_EQ(lines_of({"PORTA=3\r", "\n"}), Lines({"PORTA=3"}));
    EXPECT_EQ(lines_of({"\r\n", "\r", "\n"}), Lines({"", ""}));
    // Several lines in one piece, and the start of a line left for later.
    EXPECT_EQ(lines_of({"PORTA=1\r\nFINISH\r\nPO", "RTA=2\r", "\nxx"}),
              Lines({"PORTA=1", "FINISH", "PORTA=2"}));
    // A bare LF belongs to the line; a NUL does not end it.
    EXPECT_EQ(lines_of({"a\nb\r\n"}), Lines({"a\nb"}));
    EXPECT_EQ(lines_of({std::string("a\0b\r\n", 5)}), Lines({std::string("a\0b", 3)}));
}

TEST(LineReader, DiscardsAnOverlongLineAndGoesOn)
{
    const int limit = RemoteLineReader::MAX_LINE;
    const std::string longest(static_cast<size_t>(limit - 2), 'x');
    EXPECT_EQ(lines_of({longest + "\r\n"}), Lines({longest}));
    EXPECT_EQ(lines_of({longest + "x\r\nPORTA=4\r\n"}), Lines({"", "PORTA=4"}));
    EXPECT_EQ(lines_of({longest + "\r", "\n"}), Lines({longest}));

    // Far beyond the limit, in many pieces, with the CR and LF split apart.
    std::vector<std::string> pieces(30, std::string(10000, 'y'));
    pieces.push_back("tail\r");
    pieces.push_back("\nFINISH\r\n");
    EXPECT_EQ(lines_of(pieces), Lines({"", "FINISH"}));
}

TEST(LineReader, PieceOfTheFullReceiveSize)
{
    std::string piece(static_cast<size_t>(RemoteLineReader::PIECE_SIZE), 'z');
    piece[10] = '\r';
    piece[11] = '\n';
    piece[RemoteLineReader::PIECE_SIZE - 1] = '\r';
    auto reader = std::make_unique<RemoteLineReader>();
    EXPECT_EQ(lines_of(*reader, {piece}), Lines({std::string(10, 'z')}));
    // The rest of the piece and the next LF make a line of 99989 bytes, within the limit.
    const std::string rest(static_cast<size_t>(RemoteLineReader::PIECE_SIZE - 13), 'z');
    EXPECT_EQ(lines_of(*reader, {"\nok\r\n"}), Lines({rest, "ok"}));
}

// A cleared reader forgets a pending CR, a partial line, an overlong line and
// unread bytes, whatever state it was left in.
TEST(LineReader, ClearedReaderActsAsANewOne)
{
    const std::string overlong(static_cast<size_t>(RemoteLineReader::MAX_LINE) + 5, 'o');
    for (const Lines &before : {Lines({"PORTA=1\r"}), Lines({"half a line"}), Lines({overlong}),
                                Lines({"done\r\nleft over\r\nmore"})}) {
        auto reader = std::make_unique<RemoteLineReader>();
        lines_of(*reader, before);
        reader->clear();
        EXPECT_EQ(lines_of(*reader, {"\nPORTA=2\r\n"}), Lines({"\nPORTA=2"})) << before[0];
    }
}

class RemoteCommand : public ::testing::Test {
protected:
    void SetUp() override { reset_remote_state(); }
    void TearDown() override { reset_remote_state(); }
};

TEST_F(RemoteCommand, PortaStoresTheMask)
{
    int finished = 0;
    execute_remote_line("PORTA=17", &finished);
    EXPECT_EQ(remote_state.PORT_A, 17);
    execute_remote_line("xxPORTA=3yy", &finished);
    EXPECT_EQ(remote_state.PORT_A, 3);
    execute_remote_line("PORTA=99999999999999", &finished);
    EXPECT_GT(remote_state.PORT_A, 0);
    EXPECT_EQ(finished, 0);
}

// Without "=" the mask stays; after "=" the value reads as a leading number,
// so a value without digits releases every button.
TEST_F(RemoteCommand, PortaValueReadsAsALeadingNumber)
{
    const struct {
        const char *line;
        int mask;
    } cases[] = {
        {"PORTA", 5},    {"=3", 5},           {"PORTA=abc", 0}, {"PORTA=x", 0},   {"PORTA=", 0},
        {"PORTA==3", 0}, {"PORTA=12abc", 12}, {"PORTA= 7", 7},  {"PORTA=-1", -1},
    };
    for (const auto &c : cases) {
        remote_state.PORT_A = 5;
        int finished = 0;
        execute_remote_line(c.line, &finished);
        EXPECT_EQ(remote_state.PORT_A, c.mask) << c.line;
        EXPECT_EQ(finished, 0);
    }
}

TEST_F(RemoteCommand, FinishAndOtherWordsInOneLine)
{
    int finished = 0;
    execute_remote_line("BT_TOGGLE", &finished);
    EXPECT_EQ(finished, 0);
    execute_remote_line("hello", &finished);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(remote_state.PORT_A, 0);
    execute_remote_line("PORTA=9 FINISH", &finished);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(remote_state.PORT_A, 9);
}

} // namespace
