#include "core/cd/CdDatabase.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "core/base/AtomicFileWriter.h"
#include "core/base/IoErrorText.h"
#include "core/base/ProgramPaths.h"
#include "core/base/SonorailError.h"
#include "core/base/UniqueFd.h"
#include "core/base/WriteAll.h"
#include "core/base/RegularFile.h"

namespace {

// About a megabyte of whole records per read: a lookup in a file of ten thousand discs
// (61 MB) takes some sixty reads instead of ten thousand.
constexpr std::size_t kRecordsPerRead = 172;

// Reads until buffer is full or the file ends; the number of bytes read, or -1 with errno.
ssize_t readFully(int fd, unsigned char* buffer, std::size_t size)
{
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd, buffer + filled, size - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(filled);
}

bool exists(const std::string& path, int& errnoValue)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return true;
    errnoValue = errno;
    return false;
}

}  // namespace

CdDatabase CdDatabase::inProgramDir() { return CdDatabase(CurrentProgramPaths().programFile(kFileName)); }

void CdDatabase::fail(int errnoValue) const { throw SonorailError(IoErrorText::forErrno(errnoValue) + " in " + file); }

CdDatabase::Lookup CdDatabase::find(std::int32_t discId) const
{
    int statError = 0;
    if (!exists(file, statError)) {
        if (statError == ENOENT)
            return {0, std::nullopt};
        throw SonorailError(IoErrorText::cannotOpenFile(file));
    }
    UniqueFd opened;
    if (RegularFile::openForReading(file, opened) != 0)
        throw SonorailError(IoErrorText::cannotOpenFile(file));
    const int fd = opened.get();

    std::vector<unsigned char> block(kRecordsPerRead * CdRecord::kSize);
    std::int32_t recordNumber = 0;
    for (;;) {
        const ssize_t got = readFully(fd, block.data(), block.size());
        if (got < 0)
            fail(errno);
        const std::size_t wholeRecords = static_cast<std::size_t>(got) / CdRecord::kSize;
        for (std::size_t i = 0; i < wholeRecords; ++i, ++recordNumber) {
            const unsigned char* start = block.data() + i * CdRecord::kSize;
            if (CdRecord::discIdIn(start) == discId)
                return {recordNumber,
                        CdRecord::decode(std::span<const unsigned char, CdRecord::kSize>(start, CdRecord::kSize))};
        }
        if (static_cast<std::size_t>(got) < block.size())
            return {kNoRecordYet, std::nullopt};  // the file ended (a partial record left over)
    }
}

void CdDatabase::store(const CdRecord& record, std::int32_t& recordIndex) const
{
    int statError = 0;
    if (exists(file, statError))
        writeInto(record, recordIndex);
    else if (statError == ENOENT)
        createWith(record);
    else
        throw SonorailError(IoErrorText::cannotOpenFile(file));
}

void CdDatabase::createWith(const CdRecord& record) const
{
    try {
        AtomicFileWriter::replace(file, record.encode());
    } catch (const std::system_error& error) {
        const int reason = error.code().value();
        if (reason == ENOSPC || reason == EDQUOT || reason == EIO)
            fail(reason);
        throw SonorailError(IoErrorText::cannotCreateFile(file));
    }
}

// Rewrites or appends the one record. Should the write fail half-way, the bytes it covered
// are put back and the file cut to its former size, so the other records and the file's
// length stay as they were.
void CdDatabase::writeInto(const CdRecord& record, std::int32_t& recordIndex) const
{
    const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw SonorailError(IoErrorText::cannotOpenFile(file));
    const UniqueFd opened(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        throw SonorailError(IoErrorText::cannotOpenFile(file));

    std::int32_t index = recordIndex;
    if (index < 0)
        index = static_cast<std::int32_t>(info.st_size / static_cast<off_t>(CdRecord::kSize));
    const off_t at = static_cast<off_t>(index) * static_cast<off_t>(CdRecord::kSize);

    std::string former(CdRecord::kSize, '\0');
    const ssize_t formerSize = ::pread(fd, former.data(), former.size(), at);
    if (formerSize < 0)
        fail(errno);
    former.resize(static_cast<std::size_t>(formerSize));

    int reason = WriteAllAt(fd, record.encode(), at);
    if (reason == 0 && ::fdatasync(fd) != 0)
        reason = errno;
    if (reason != 0) {
        WriteAllAt(fd, former, at);
        if (::ftruncate(fd, info.st_size) == 0)
            ::fdatasync(fd);
        fail(reason);
    }
    recordIndex = index;
}
