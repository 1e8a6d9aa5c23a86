#include "ui/dialogs/file_listing.h"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "patch/error_words.h"

namespace {

// Every entry of the directory but "." and "..", in the order it gives them.
FILE_LISTING entries_of(const char *directory)
{
    FILE_LISTING listing;
    DIR *d = opendir(directory);
    if (d == nullptr) {
        listing.problem = std::string("Cannot read ") + directory + ": " + error_words(errno);
        return listing;
    }
    while (const dirent *e = readdir(d))
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            listing.names.push_back(e->d_name);
    closedir(d);
    return listing;
}

bool is_wav(const std::string &name)
{
    const size_t n = name.size();
    return n > 4 && strcasecmp(name.c_str() + n - 4, ".wav") == 0;
}

// A to Z whatever the case; names that differ only in case in byte order.
bool alphabetical(const std::string &a, const std::string &b)
{
    const int c = strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
}

} // namespace

FILE_LISTING list_patches(const char *directory)
{
    FILE_LISTING entries = entries_of(directory);
    FILE_LISTING listing{{}, entries.problem};
    std::vector<std::string> lower;
    for (const std::string &name : entries.names) {
        if (name.find("QSY") != std::string::npos)
            listing.names.push_back(name);
        if (name.find("qsy") != std::string::npos)
            lower.push_back(name);
    }
    std::sort(listing.names.begin(), listing.names.end());
    std::sort(lower.begin(), lower.end());
    listing.names.insert(listing.names.end(), lower.begin(), lower.end());
    return listing;
}

FILE_LISTING list_samples(const char *directory)
{
    FILE_LISTING listing = entries_of(directory);
    listing.names.erase(std::remove_if(listing.names.begin(), listing.names.end(),
                                       [](const std::string &name) { return !is_wav(name); }),
                        listing.names.end());
    std::sort(listing.names.begin(), listing.names.end(), alphabetical);
    return listing;
}
