// The status line at the bottom of both views: one line of plain English
// saying why something the user did was refused, or what a key did, kept
// STATUS_SECONDS and then gone. The console keeps its own trace lines.
#pragma once

#include <string>

constexpr int STATUS_SECONDS = 4;
// The band at the bottom of the window that the line darkens; its text stays
// within it.
constexpr int STATUS_LINE_HEIGHT = 16;

// Shows the text from now on, for that many seconds (an empty text clears
// the line).
void say_in_window(const std::string &text, int seconds = STATUS_SECONDS);

// The text shown now; empty when there is none or it has expired.
std::string status_text();

// Whether the line changed since the last call (a new text, or one that just
// expired): the view must be drawn again.
bool status_changed();

// Draws the line over the bottom of the window, in window pixels, when there
// is a text. Call within the frame, after the view.
void draw_status_line();
