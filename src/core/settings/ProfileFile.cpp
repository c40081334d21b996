#include "core/settings/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "core/base/AtomicFileWriter.h"
#include "core/base/AsciiText.h"
#include "core/base/SonorailError.h"

namespace {

constexpr auto npos = std::string_view::npos;
// Lines the program adds end the Windows way, also in files edited elsewhere with LF only,
// so the file still reads the same in the Windows build.
constexpr std::string_view kAddedLineEnd = "\r\n";

// One pair of matching quotes around a value protects its blanks; only the outer pair goes.
std::string_view withoutQuotes(std::string_view value)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

// One line of the content: [begin, textEnd) is its text, [textEnd, end) its line end.
struct Line {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

// Lines end at LF; a CR before the LF, or a lone CR ending the content, is part of the line end.
Line lineAt(std::string_view content, std::size_t begin)
{
    const std::size_t lf = content.find('\n', begin);
    Line line{begin, lf == npos ? content.size() : lf, lf == npos ? content.size() : lf + 1};
    if (line.textEnd > begin && content[line.textEnd - 1] == '\r')
        --line.textEnd;
    return line;
}

std::string_view textOf(std::string_view content, const Line& line)
{
    return content.substr(line.begin, line.textEnd - line.begin);
}

enum class LineKind { Blank, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;        // the section or key name, trimmed
    std::size_t valueOffset = 0;  // for a key: where the text after "=" starts in the line
};

ParsedLine parseLine(std::string_view text)
{
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return {LineKind::Blank, {}, 0};
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close == npos)
            return {LineKind::Other, {}, 0};
        return {LineKind::Section, TrimBlanks(trimmed.substr(1, close - 1)), 0};
    }
    if (trimmed.front() == ';')
        return {LineKind::Other, {}, 0};  // a comment, even when it holds "="
    const std::size_t equals = text.find('=');
    if (equals == npos)
        return {LineKind::Other, {}, 0};
    const std::string_view key = TrimBlanks(text.substr(0, equals));
    if (key.empty())
        return {LineKind::Other, {}, 0};
    return {LineKind::Key, key, equals + 1};
}

// Where a key lives, or where it would go.
struct KeyPlace {
    std::optional<Line> keyLine;
    std::size_t valueBegin = 0;           // offset in the content of the text after "="
    std::optional<Line> lastSectionLine;  // last non-blank line of the first matching section
};

// Sections may repeat: the first matching key of the first matching section that holds it
// is the one read and the one written; a new key goes into the first matching section.
KeyPlace locate(std::string_view content, std::string_view section, std::string_view key)
{
    KeyPlace place;
    bool inMatchingSection = false;
    bool inFirstMatchingSection = false;
    for (std::size_t begin = 0; begin < content.size();) {
        const Line line = lineAt(content, begin);
        begin = line.end;
        const ParsedLine parsed = parseLine(textOf(content, line));
        if (parsed.kind == LineKind::Section) {
            inMatchingSection = EqualsIgnoringAsciiCase(parsed.name, section);
            inFirstMatchingSection = inMatchingSection && !place.lastSectionLine;
        } else if (parsed.kind == LineKind::Key && inMatchingSection && EqualsIgnoringAsciiCase(parsed.name, key)) {
            place.keyLine = line;
            place.valueBegin = line.begin + parsed.valueOffset;
            return place;
        }
        if (inFirstMatchingSection && parsed.kind != LineKind::Blank)
            place.lastSectionLine = line;
    }
    return place;
}

// What to add at position (a line's end, or the content's end) so that the text before it
// ends in a full line end: nothing after LF, LF after a lone CR, else a whole line end.
std::string_view completionBefore(std::string_view content, std::size_t position)
{
    if (position == 0 || content[position - 1] == '\n')
        return "";
    return content[position - 1] == '\r' ? "\n" : kAddedLineEnd;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != npos; }

// Text that would split a line, or be read back as something else, cannot be stored.
void checkStorable(std::string_view section, std::string_view key, std::string_view value)
{
    if (hasLineBreak(section) || section.find(']') != npos)
        throw std::invalid_argument("Section name cannot be stored in a profile file");
    if (key.empty() || hasLineBreak(key) || key.find('=') != npos || key.front() == '[' || key.front() == ';')
        throw std::invalid_argument("Key name cannot be stored in a profile file");
    if (hasLineBreak(value))
        throw std::invalid_argument("Value cannot be stored in a profile file");
}

std::string replacedValue(std::string_view content, const KeyPlace& place, std::string_view value)
{
    std::string result(content.substr(0, place.valueBegin));
    result += value;
    result += content.substr(place.keyLine->textEnd);
    return result;
}

std::string insertedAfter(std::string_view content, const Line& line, std::string_view newLine)
{
    std::string result(content.substr(0, line.end));
    result += completionBefore(content, line.end);
    result += newLine;
    result += content.substr(line.end);
    return result;
}

std::string appendedSection(std::string_view content, std::string_view section, std::string_view newLine)
{
    std::string result(content);
    if (!content.empty()) {
        result += completionBefore(content, content.size());
        result += kAddedLineEnd;  // an empty line sets the new section apart
    }
    result += '[';
    result += section;
    result += ']';
    result += kAddedLineEnd;
    result += newLine;
    return result;
}

std::optional<int> parseHexadecimal(std::string_view digits, bool negative)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFULL)
            return std::nullopt;
    }
    // Hexadecimal gives the 32 bits of the integer, as Delphi's Val did: "$FFFFFFFF" is -1 and
    // "$80000000" the lowest integer, so colours and masks stored that way read back. A sign
    // negates those bits in the same 32-bit arithmetic.
    auto bits = static_cast<std::uint32_t>(value);
    if (negative)
        bits = 0U - bits;
    return static_cast<std::int32_t>(bits);
}

std::optional<int> parseDecimal(std::string_view digits, bool negative)
{
    if (digits.empty())
        return std::nullopt;
    constexpr std::int64_t kLimit = 2147483648LL;  // magnitude of the lowest integer
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit)
            return std::nullopt;
    }
    if (!negative && magnitude == kLimit)
        return std::nullopt;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// The bytes of a regular file, or the errno of the failure. A directory or a pipe at the
// settings path is no settings file; opening without blocking keeps a pipe from hanging us.
struct FileBytes {
    std::string bytes;
    int error = 0;
};

FileBytes readOpenFile(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return {{}, errno};
    if (!S_ISREG(info.st_mode))
        return {{}, S_ISDIR(info.st_mode) ? EISDIR : EINVAL};
    FileBytes file;
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            return file;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return {{}, errno};
        }
        file.bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

FileBytes readWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {{}, errno};
    FileBytes file = readOpenFile(fd);
    ::close(fd);
    return file;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : filePath(std::move(path)) {}

const std::string& ProfileFile::path() const { return filePath; }

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    const FileBytes file = readWholeFile(filePath);
    if (file.error != 0)
        return std::string(defaultValue);
    return findValue(file.bytes, section, key).value_or(std::string(defaultValue));
}

int ProfileFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    return parseInteger(readString(section, key, "")).value_or(defaultValue);
}

bool ProfileFile::readBoolean(std::string_view section, std::string_view key, bool defaultValue) const
{
    const std::optional<int> value = parseInteger(readString(section, key, ""));
    return value ? *value != 0 : defaultValue;
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const FileBytes file = readWholeFile(filePath);
    if (file.error != 0 && file.error != ENOENT)
        throwUnableToWrite();  // rewriting a file we cannot read would lose its other settings
    std::string updated;
    try {
        updated = withValue(file.bytes, section, key, value);
    } catch (const std::invalid_argument&) {
        throwUnableToWrite();
    }
    if (file.error == 0 && updated == file.bytes)
        return;  // the value is already there: spare the disk a rewrite
    try {
        AtomicFileWriter::replace(filePath, updated);
    } catch (const std::system_error&) {
        throwUnableToWrite();
    }
}

void ProfileFile::throwUnableToWrite() const
{
    throw SonorailError("Unable to write to " + filePath);
}

void ProfileFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

void ProfileFile::writeBoolean(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

std::optional<std::string> ProfileFile::findValue(std::string_view content, std::string_view section,
                                                  std::string_view key)
{
    const KeyPlace place = locate(content, TrimBlanks(section), TrimBlanks(key));
    if (!place.keyLine)
        return std::nullopt;
    const std::string_view rawValue = content.substr(place.valueBegin, place.keyLine->textEnd - place.valueBegin);
    return std::string(withoutQuotes(TrimBlanks(rawValue)).substr(0, kMaxValueLength));
}

std::string ProfileFile::withValue(std::string_view content, std::string_view section, std::string_view key,
                                   std::string_view value)
{
    const std::string_view sectionName = TrimBlanks(section);
    const std::string_view keyName = TrimBlanks(key);
    checkStorable(sectionName, keyName, value);
    const KeyPlace place = locate(content, sectionName, keyName);
    if (place.keyLine)
        return replacedValue(content, place, value);
    std::string newLine(keyName);
    newLine += '=';
    newLine += value;
    newLine += kAddedLineEnd;
    if (place.lastSectionLine)
        return insertedAfter(content, *place.lastSectionLine, newLine);
    return appendedSection(content, sectionName, newLine);
}

std::optional<int> ProfileFile::parseInteger(std::string_view text)
{
    const bool hasSign = !text.empty() && (text.front() == '+' || text.front() == '-');
    const bool negative = hasSign && text.front() == '-';
    const std::string_view rest = hasSign ? text.substr(1) : text;
    if (rest.starts_with('$'))
        return parseHexadecimal(rest.substr(1), negative);
    if (rest.size() > 2 && (rest.starts_with("0x") || rest.starts_with("0X")))
        return parseHexadecimal(rest.substr(2), negative);
    return parseDecimal(rest, negative);
}
