#include "patch/patch_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

const char *patch_name_problem(const char *name)
{
    if (name == nullptr || name[0] == '\0')
        return "Give the file a name";
    if (std::strlen(name) > PATCH_NAME_MAX)
        return NAME_TOO_LONG;
    if (name[0] == '.')
        return "A name may not start with \".\"";
    if (std::strpbrk(name, "/\\") != nullptr)
        return "A name may not hold \"/\" or \"\\\"";
    for (const char *c = name; *c != '\0'; c++)
        if (*c <= ' ' || *c > '~')
            return "A name is one word of printable characters";
    return nullptr;
}

std::string patch_file_name(const char *name)
{
    const bool listed = std::strstr(name, "QSY") != nullptr || std::strstr(name, "qsy") != nullptr;
    return listed ? name : std::string(name) + ".QSY";
}

std::vector<std::string> list_patch_files(const char *directory)
{
    std::vector<std::string> names;
    const std::string dir = directory[0] != '\0' ? directory : ".";
    DIR *d = opendir(dir.c_str());
    if (d == nullptr)
        return names;
    while (const dirent *e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        struct stat st;
        const std::string path = dir + "/" + e->d_name;
        if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(e->d_name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}
