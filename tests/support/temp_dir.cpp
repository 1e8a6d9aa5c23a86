#include "support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qm_test_XXXXXX").string();
    if (mkdtemp(pattern.data()))
        dir_ = pattern;
}

TempDir::~TempDir()
{
    if (dir_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string TempDir::write(const std::string &file, const std::string &text) const
{
    const std::string p = path(file);
    std::ofstream(p, std::ios::binary) << text;
    return p;
}
