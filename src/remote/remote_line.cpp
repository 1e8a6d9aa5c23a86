#include "remote/remote_line.h"

#include <cstring>

int search_enter_in_string(RemoteLineEnd &state, const char *data, int n)
{
    if (n <= 0)
        return 0; // an empty piece neither ends a line nor forgets a pending CR
    if (state.cr_ended_piece && data[0] == '\n') {
        state.cr_ended_piece = 0;
        return 1;
    }
    state.cr_ended_piece = 0;
    // Jumps from CR to CR: a long line costs one library scan, not a test per byte.
    const char *const end = data + n;
    for (const char *cr = data;
         (cr = static_cast<const char *>(std::memchr(cr, '\r', static_cast<size_t>(end - cr))));
         ++cr) {
        if (cr + 1 < end && cr[1] == '\n')
            return static_cast<int>(cr - data) + 2;
    }
    if (data[n - 1] == '\r')
        state.cr_ended_piece = 1;
    return 0;
}

void RemoteLineReader::piece_received(int n)
{
    piece_start_ = 0;
    piece_end_ = n < 0 ? 0 : (n > PIECE_SIZE ? PIECE_SIZE : n);
}

void RemoteLineReader::clear()
{
    end_ = RemoteLineEnd();
    piece_start_ = piece_end_ = 0;
    line_[0] = '\0';
    line_length_ = 0;
    overlong_ = false;
    complete_ = false;
}

bool RemoteLineReader::take_line()
{
    if (complete_) {
        line_length_ = 0;
        line_[0] = '\0';
        complete_ = false;
    }
    if (piece_start_ >= piece_end_)
        return false;

    const char *data = piece_ + piece_start_;
    const int available = piece_end_ - piece_start_;
    const int line_end = search_enter_in_string(end_, data, available);
    const int taken = line_end > 0 ? line_end : available;
    piece_start_ += taken;

    if (!overlong_ && line_length_ + taken <= MAX_LINE) {
        std::memcpy(line_ + line_length_, data, static_cast<size_t>(taken));
        line_length_ += taken;
    } else {
        overlong_ = true;
    }
    if (line_end == 0) {
        line_[line_length_] = '\0';
        return false;
    }

    // The accumulated bytes end with CR LF, the CR possibly from an earlier piece.
    line_length_ = overlong_ ? 0 : line_length_ - 2;
    line_[line_length_] = '\0';
    overlong_ = false;
    complete_ = true;
    return true;
}
