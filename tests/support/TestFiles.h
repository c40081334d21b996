#pragma once
// Files a test writes and reads back, byte for byte (no line-end translation).
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace test_files {

// Writes bytes to path exactly as given; throws std::runtime_error when it cannot.
inline void write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("Cannot write " + path);
}

// The whole file; empty when it cannot be read.
inline std::string read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace test_files
