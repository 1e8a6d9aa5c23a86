#include "app/recovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "patch/error_words.h"
#include "patch/patch_names.h"
#include "patch/patch_writer.h"

namespace {

std::string file_name_of(const std::string &patch_path)
{
    const size_t slash = patch_path.rfind('/');
    return patch_file_name(patch_path.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
}

bool exists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// QSY/RECOVERED_<name>, or the first of RECOVERED_2_<name>, ... not taken.
std::string free_recovered_name(const std::string &name)
{
    std::string recovered = std::string(RECOVERED_PREFIX) + name;
    for (int n = 2; exists("QSY/" + recovered); ++n)
        recovered = std::string(RECOVERED_PREFIX) + std::to_string(n) + "_" + name;
    return recovered;
}

} // namespace

std::string recovery_path(const std::string &patch_path)
{
    return std::string(RECOVERY_DIRECTORY) + "/" + file_name_of(patch_path);
}

bool write_recovery(const std::string &patch_path, const std::string &text, std::string &why)
{
    if (mkdir(RECOVERY_DIRECTORY, 0777) != 0 && errno != EEXIST) {
        why = std::string("Cannot make ") + RECOVERY_DIRECTORY + ": " + error_words(errno);
        return false;
    }
    const std::string path = recovery_path(patch_path);
    int error = 0;
    if (!write_file_whole(path, text, error)) {
        why = "Cannot write " + path + ": " + error_words(error);
        return false;
    }
    return true;
}

void remove_recovery(const std::string &patch_path) { unlink(recovery_path(patch_path).c_str()); }

std::string recover_edits(const std::string &patch_path)
{
    const std::string recovery = recovery_path(patch_path);
    struct stat kept, patch;
    if (stat(recovery.c_str(), &kept) != 0)
        return {};
    if (stat(patch_path.c_str(), &patch) == 0 && patch.st_mtime > kept.st_mtime)
        return {};
    const std::string name = file_name_of(patch_path);
    const std::string recovered = free_recovered_name(name);
    if (std::rename(recovery.c_str(), ("QSY/" + recovered).c_str()) != 0)
        return "Edits of " + name + " are kept in " + recovery + " but cannot be moved into QSY/: " +
               error_words(errno);
    char when[16];
    std::strftime(when, sizeof when, "%H:%M", std::localtime(&kept.st_mtime));
    return "Edits of " + name + " from " + when + " were recovered: F3 lists them as " + recovered;
}
