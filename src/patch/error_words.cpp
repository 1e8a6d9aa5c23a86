#include "patch/error_words.h"

#include <cctype>
#include <cstring>

std::string error_words(int error)
{
    std::string words = std::strerror(error);
    if (!words.empty())
        words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    return words;
}
