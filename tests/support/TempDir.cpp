#include "support/TempDir.h"

#include <cstdlib>
#include <stdexcept>

#include "support/TestFiles.h"

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sonorail-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    root = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempDir::write(const std::string& name, const std::string& bytes) const { test_files::write(file(name), bytes); }

std::string TempDir::read(const std::string& name) const { return test_files::read(file(name)); }
