#include "ui/dialogs/patch_listing.h"

#include <dirent.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "patch/error_words.h"

PATCH_LISTING list_patches(const char *directory)
{
    PATCH_LISTING listing;
    DIR *d = opendir(directory);
    if (d == nullptr) {
        listing.problem = std::string("Cannot read ") + directory + ": " + error_words(errno);
        return listing;
    }
    std::vector<std::string> lower;
    while (const dirent *e = readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        if (std::strstr(e->d_name, "QSY"))
            listing.names.push_back(e->d_name);
        if (std::strstr(e->d_name, "qsy"))
            lower.push_back(e->d_name);
    }
    closedir(d);
    std::sort(listing.names.begin(), listing.names.end());
    std::sort(lower.begin(), lower.end());
    listing.names.insert(listing.names.end(), lower.begin(), lower.end());
    return listing;
}
