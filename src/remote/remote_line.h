// Assembling CR LF-terminated command lines from the pieces a TCP stream
// delivers. Pure byte handling, independent of sockets, one per client.
#pragma once

// End-of-line detection state of one client: set when the last piece ended
// with CR, so that an LF at the start of the next piece ends the line.
struct RemoteLineEnd {
    int cr_ended_piece = 0;
};

// Looks for the end of the line in the n bytes of a received piece. Returns
// the number of bytes of the piece that belong to the line, its CR LF
// included (1 when the LF completes a CR that ended the previous piece), or 0
// when the piece does not end the line.
int search_enter_in_string(RemoteLineEnd &state, const char *data, int n);

// Collects the bytes of one line until its CR LF. Bytes received after the
// end of a line wait in the reader for the next line. A line longer than
// MAX_LINE bytes (its CR LF included) is discarded up to its end and comes
// out as an empty line.
class RemoteLineReader {
public:
    static constexpr int MAX_LINE = 99999;
    static constexpr int PIECE_SIZE = 100000;

    // Where the next piece is received; at most PIECE_SIZE bytes.
    char *receive_area() { return piece_; }
    // Hands over the n bytes just received into receive_area(). Only called
    // once the previous piece has been used up (take_line returned false).
    void piece_received(int n);

    // Moves bytes from the current piece into the line. Returns true when a
    // line is complete: line() then holds it without its CR LF, NUL-ended.
    bool take_line();
    const char *line() const { return line_; }
    int line_length() const { return line_length_; }

    // Forgets every byte received so far: the reader is as good as new,
    // without clearing its buffers again.
    void clear();

private:
    RemoteLineEnd end_;
    char piece_[PIECE_SIZE] = {};
    int piece_start_ = 0;
    int piece_end_ = 0;
    char line_[MAX_LINE + 1] = {};
    int line_length_ = 0;
    bool overlong_ = false;
    bool complete_ = false; // line_ holds a finished line, to drop on the next take
};
