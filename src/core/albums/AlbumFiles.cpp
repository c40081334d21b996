#include "core/albums/AlbumFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "core/formats/AlbumFormat.h"
#include "core/formats/M3uPlaylist.h"
#include "core/formats/PlsPlaylist.h"
#include "core/base/AtomicFileWriter.h"
#include "core/base/AsciiText.h"
#include "core/base/IoErrorText.h"
#include "core/base/SonorailError.h"
#include "core/base/UniqueFd.h"
#include "core/base/RegularFile.h"

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

std::string_view lastComponent(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string directoryOf(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

// The file's bytes up to its first byte 0 (where an album ends): a binary file chosen by
// mistake is not read whole.
std::string readUpToNul(const std::string& path)
{
    UniqueFd file;
    if (RegularFile::openForReading(path, file) != 0)
        throw SonorailError(IoErrorText::cannotOpenFile(path));
    const int fd = file.get();
    std::string bytes;
    for (;;) {
        const std::size_t start = bytes.size();
        if (start > kLargestAlbumFile)
            throw SonorailError(path + " is too large to be an album");
        bytes.resize(start + kReadChunk);
        const ssize_t got = ::read(fd, bytes.data() + start, kReadChunk);
        if (got < 0 && errno == EINTR) {
            bytes.resize(start);
            continue;
        }
        if (got < 0)
            IoErrorText::raise(errno);
        bytes.resize(start + static_cast<std::size_t>(got));
        const std::size_t nul = bytes.find('\0', start);
        if (nul != std::string::npos) {
            bytes.resize(nul);
            return bytes;
        }
        if (got == 0)
            return bytes;
    }
}

// A full disk or a failing device shows while the bytes are written; everything else
// (no such directory, a directory in the way, no permission) while the file is created.
bool isWriteFailure(int errnoValue)
{
    return errnoValue == ENOSPC || errnoValue == EDQUOT || errnoValue == EFBIG || errnoValue == EIO;
}

}  // namespace

AlbumFileFormat FormatOfFile(std::string_view path)
{
    const std::string_view name = lastComponent(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return AlbumFileFormat::Album;
    const std::string_view extension = name.substr(dot + 1);
    if (EqualsIgnoringAsciiCase(extension, "m3u"))
        return AlbumFileFormat::M3u;
    if (EqualsIgnoringAsciiCase(extension, "m3u8"))
        return AlbumFileFormat::M3u8;
    if (EqualsIgnoringAsciiCase(extension, "pls"))
        return AlbumFileFormat::Pls;
    return AlbumFileFormat::Album;
}

bool HasExtension(std::string_view path)
{
    const std::string_view name = lastComponent(path);
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot > 0 && dot + 1 < name.size();
}

std::string WithDefaultExtension(std::string path, std::string_view extension)
{
    if (HasExtension(path) || lastComponent(path).empty())
        return path;
    if (!path.ends_with('.'))
        path += '.';
    path += extension;
    return path;
}

std::vector<std::string> ReadAlbumFile(const std::string& path) { return ReadAlbumFile(path, FormatOfFile(path)); }

std::vector<std::string> ReadAlbumFile(const std::string& path, AlbumFileFormat format)
{
    const std::string bytes = readUpToNul(path);
    switch (format) {
        case AlbumFileFormat::M3u:
            return ReadM3u(bytes, directoryOf(path), M3uCharset::Utf8OrLatin1);
        case AlbumFileFormat::M3u8:
            return ReadM3u(bytes, directoryOf(path), M3uCharset::Utf8);
        case AlbumFileFormat::Pls:
            return ReadPls(bytes, directoryOf(path));
        case AlbumFileFormat::Album:
            break;
    }
    return ParseAlbum(bytes);
}

void WriteAlbumFile(const std::string& path, std::span<const std::string> texts, AlbumFileFormat format)
{
    const std::string bytes = format == AlbumFileFormat::M3u8 ? ComposeM3u8(texts) : ComposeAlbum(texts);
    try {
        AtomicFileWriter::replace(path, bytes);
    } catch (const std::system_error& error) {
        if (isWriteFailure(error.code().value()))
            throw SonorailError("Stream write error");
        throw SonorailError(IoErrorText::cannotCreateFile(path));
    }
}
