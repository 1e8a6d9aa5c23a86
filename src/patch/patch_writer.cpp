#include "patch/patch_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "patch/error_words.h"
#include "patch/patch_names.h"
#include "patch/patch_sections.h"

namespace {

void keep(char *report, size_t size, const std::string &line)
{
    std::snprintf(report, size, "%s", line.c_str());
}

void say(char *report, size_t size, const std::string &line)
{
    keep(report, size, line);
    std::printf("%s\n", report);
}

std::string cannot_write(const std::string &path, int error)
{
    return "Cannot write " + path + ": " + error_words(error);
}

// Permissions of a new file as the process would create it, or those of the
// file it replaces.
mode_t mode_for(const std::string &path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Writes the text into the new temporary file and flushes it to the disk;
// false with errno set on any failure.
bool write_whole(const std::string &text, int fd)
{
    FILE *f = fdopen(fd, "w");
    if (f == nullptr) {
        const int e = errno;
        close(fd);
        errno = e;
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size() &&
                   std::fflush(f) == 0 && !std::ferror(f) && fsync(fileno(f)) == 0;
    int e = errno;
    if (std::fclose(f) != 0 && written) {
        written = false;
        e = errno;
    }
    errno = written ? 0 : (e != 0 ? e : EIO);
    return written;
}

} // namespace

void write_patch(const GENERATOR &g, FILE *file, MORE_SECTIONS more)
{
    g.save_QSY(file);
    write_link_section(g, file);
    write_pattern_section(g, file);
    if (more != nullptr)
        more(file);
}

std::string patch_snapshot(const GENERATOR &g, MORE_SECTIONS more)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    if (f == nullptr)
        return {};
    write_patch(g, f, more);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

bool write_file_whole(const std::string &path, const std::string &text, int &error)
{
    const size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string temporary =
        directory + "." + path.substr(directory.size()) + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        error = errno;
        return false;
    }
    errno = 0;
    bool written = fchmod(fd, mode_for(path)) == 0;
    if (!written) {
        const int e = errno;
        close(fd);
        errno = e;
    }
    written = written && write_whole(text, fd) && std::rename(temporary.c_str(), path.c_str()) == 0;
    error = errno;
    if (!written)
        unlink(temporary.c_str());
    return written;
}

int save_patch_file(const GENERATOR &g, const char *directory, const char *name, MORE_SECTIONS more,
                    char *report, size_t report_size)
{
    if (const char *problem = patch_name_problem(name)) {
        say(report, report_size, std::string("Not saved: ") + problem);
        return 0;
    }
    const std::string path = std::string(directory) + patch_file_name(name);
    int e = 0;
    if (!write_file_whole(path, patch_snapshot(g, more), e)) {
        const bool earlier = access(path.c_str(), F_OK) == 0;
        // The console keeps the line it always printed; the window says why.
        std::printf("Non de fichier NULL! %s: %s\n", path.c_str(), std::strerror(e));
        keep(report, report_size,
             cannot_write(path, e) + (earlier ? "; the file is left as it was" : ""));
        return 0;
    }
    say(report, report_size, "Saved " + path);
    return 1;
}
