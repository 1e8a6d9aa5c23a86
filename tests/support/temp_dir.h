// A temporary directory for the files a test writes, removed with everything
// in it at the end of the scope.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    // False when the directory could not be made (writing into it then fails).
    bool ok() const { return !dir_.empty(); }
    std::string path(const std::string &file) const { return dir_ + "/" + file; }
    // Writes text into the file and returns its path.
    std::string write(const std::string &file, const std::string &text) const;

private:
    std::string dir_;
};
