#include "app/user_folder.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#include "app/command_line.h"

namespace fs = std::filesystem;

namespace {

constexpr const char *PROGRAM_FOLDER = "qmodular";
// The installed data as the executable sees it, from the build's install
// layout (normally ../share/qmodular).
constexpr const char *DATA_FROM_BIN = QM_DATA_FROM_BIN;
// Read-only data the user folder links to; QSY is the user's own.
constexpr const char *SHARED[] = {"RC", "grfx", "Fonts", "samples"};

bool failed(std::string &error, const std::string &what, const fs::path &path,
            const std::error_code &code)
{
    error = "cannot " + what + " " + path.string() + ": " + code.message();
    return false;
}

bool is_there(const fs::path &path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

// Makes QSY/ with copies of the demo patches, once.
bool copy_demo_patches(const fs::path &folder, const fs::path &data, FILE *log, std::string &error)
{
    std::error_code code;
    const fs::path qsy = folder / "QSY";
    if (fs::symlink_status(qsy, code).type() != fs::file_type::not_found)
        return true;
    if (!fs::create_directory(qsy, code))
        return failed(error, "make", qsy, code);
    int copied = 0;
    for (const fs::directory_entry &demo : fs::directory_iterator(data / "QSY", code)) {
        if (!demo.is_regular_file())
            continue;
        if (!fs::copy_file(demo.path(), qsy / demo.path().filename(), code))
            return failed(error, "copy the demo patch", demo.path(), code);
        ++copied;
    }
    std::fprintf(log, "First start: %d demo patches copied into %s\n", copied,
                 qsy.string().c_str());
    return true;
}

bool link_shared_data(const fs::path &folder, const fs::path &data, std::string &error)
{
    for (const char *name : SHARED) {
        const fs::path link = folder / name;
        const fs::path target = data / name;
        std::error_code code;
        fs::file_status status = fs::symlink_status(link, code);
        if (fs::is_symlink(status)) {
            if (fs::read_symlink(link, code) == target)
                continue;
            fs::remove(link, code);
        } else if (status.type() != fs::file_type::not_found) {
            continue; // the user's own
        }
        fs::create_directory_symlink(target, link, code);
        if (code)
            return failed(error, "link", link, code);
    }
    return true;
}

std::string executable_path()
{
    std::error_code code;
    return fs::read_symlink("/proc/self/exe", code).string();
}

std::string home_folder()
{
    if (const char *home = std::getenv("HOME"))
        return home;
    const passwd *user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

} // namespace

std::string installed_data_folder(const std::string &exe)
{
    if (exe.empty())
        return "";
    std::error_code code;
    fs::path data = fs::weakly_canonical(fs::path(exe).parent_path() / DATA_FROM_BIN, code);
    if (code || !is_there(data / "grfx" / "opengl.qim"))
        return "";
    return data.string();
}

std::string user_folder_path(const char *xdg_data_home, const char *home)
{
    // Relative values of the variable are to be ignored.
    if (xdg_data_home && xdg_data_home[0] == '/')
        return (fs::path(xdg_data_home) / PROGRAM_FOLDER).string();
    if (home && home[0] != '\0')
        return (fs::path(home) / ".local" / "share" / PROGRAM_FOLDER).string();
    return "";
}

bool prepare_user_folder(const std::string &folder, const std::string &data, FILE *log,
                         std::string &error)
{
    std::error_code code;
    fs::create_directories(folder, code);
    if (code)
        return failed(error, "make", folder, code);
    return copy_demo_patches(folder, data, log, error) && link_shared_data(folder, data, error);
}

std::string resolve_patch_path(const std::string &patch, const std::string &cwd,
                               const std::string &folder, const std::string &data)
{
    if (patch.empty() || fs::path(patch).is_absolute())
        return patch;
    const fs::path from_cwd = (fs::path(cwd) / patch).lexically_normal();
    if (is_there(from_cwd))
        return from_cwd.string();
    if (is_there(fs::path(folder) / patch))
        return patch;
    const fs::path installed = (fs::path(data) / patch).lexically_normal();
    return (is_there(installed) ? installed : from_cwd).string();
}

bool enter_user_folder(CommandLine &cmd, std::string &error)
{
    const std::string data = installed_data_folder(executable_path());
    if (data.empty())
        return true;
    const std::string home = home_folder();
    const std::string folder = user_folder_path(std::getenv("XDG_DATA_HOME"), home.c_str());
    if (folder.empty()) {
        error = "cannot find a home folder for the patches (HOME is not set)";
        return false;
    }
    std::error_code code;
    const fs::path cwd = fs::current_path(code);
    if (code)
        return failed(error, "read", "the current folder", code);
    // Prepared first, so that the demo patches copied now are found there.
    if (!prepare_user_folder(folder, data, stdout, error))
        return false;
    cmd.patch = resolve_patch_path(cmd.patch, cwd.string(), folder, data);
    if (!cmd.render_path.empty())
        cmd.render_path = (cwd / cmd.render_path).lexically_normal().string();
    fs::current_path(folder, code);
    if (code)
        return failed(error, "enter", folder, code);
    return true;
}
