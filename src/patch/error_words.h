// The reason of a failed system call as the program's messages say it.
#pragma once

#include <string>

// strerror's words with a lower-case first letter ("permission denied"), to
// follow a colon in a sentence: "Cannot write QSY/NEW.QSY: permission denied".
std::string error_words(int error);
