#include "core/formats/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <system_error>
#include <tuple>
#include <utility>

#include "core/base/AtomicFileWriter.h"
#include "core/base/AsciiText.h"
#include "core/base/SonorailError.h"
#include "core/base/UniqueFd.h"
#include "core/base/RegularFile.h"

namespace {

constexpr auto npos = std::string_view::npos;
// Lines the program adds end the Windows way, also in files edited elsewhere with LF only,
// so the file still reads the same in the Windows build.
constexpr std::string_view kAddedLineEnd = "\r\n";

// One pair of matching quotes around a value protects its blanks; only the outer pair goes.
std::string_view withoutQuotes(std::string_view value)
{
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
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

// The keys wanted of one section name, and where that section is in the content.
struct WantedSection {
    std::string_view name;
    std::vector<std::size_t> keys;  // indices into the names
    bool inFirst = false;           // the line read lies in the first section of that name
    std::optional<Line> lastLine;   // last non-blank line of that first section
};

std::vector<WantedSection> groupBySection(std::span<const ProfileFile::KeyName> names)
{
    std::vector<WantedSection> sections;
    for (std::size_t index = 0; index < names.size(); ++index) {
        auto found = std::ranges::find_if(sections, [&](const WantedSection& wanted) {
            return EqualsIgnoringAsciiCase(wanted.name, names[index].section);
        });
        if (found == sections.end())
            found = sections.insert(sections.end(), WantedSection{names[index].section, {}, false, std::nullopt});
        found->keys.push_back(index);
    }
    return sections;
}

// Where each of the keys (names trimmed) lives, in one pass over the content. Sections may
// repeat: the first matching key of the first matching section that holds it is the one
// read and the one written; a new key goes into the first matching section.
std::vector<KeyPlace> locateAll(std::string_view content, std::span<const ProfileFile::KeyName> names)
{
    std::vector<KeyPlace> places(names.size());
    std::vector<WantedSection> sections = groupBySection(names);
    std::size_t unfound = names.size();
    WantedSection* current = nullptr;
    for (std::size_t begin = 0; begin < content.size() && unfound > 0;) {
        const Line line = lineAt(content, begin);
        begin = line.end;
        const ParsedLine parsed = parseLine(textOf(content, line));
        if (parsed.kind == LineKind::Section) {
            current = nullptr;
            for (WantedSection& section : sections) {
                const bool matching = EqualsIgnoringAsciiCase(parsed.name, section.name);
                section.inFirst = matching && !section.lastLine;
                if (matching)
                    current = &section;
            }
        } else if (parsed.kind == LineKind::Key && current) {
            for (std::size_t index : current->keys) {
                KeyPlace& place = places[index];
                if (place.keyLine || !EqualsIgnoringAsciiCase(parsed.name, names[index].key))
                    continue;
                place.keyLine = line;
                place.valueBegin = line.begin + parsed.valueOffset;
                --unfound;
            }
        }
        if (current && current->inFirst && parsed.kind != LineKind::Blank)
            current->lastLine = line;
    }
    for (const WantedSection& section : sections) {
        for (std::size_t index : section.keys)
            places[index].lastSectionLine = section.lastLine;
    }
    return places;
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

// One change of the content: the bytes [begin, end) give way to text. A replacement of a
// value and the lines added after the same line share no bytes; at one place a replacement
// goes before additions, and additions keep their order.
struct Splice {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool addsLines = false;
    std::size_t order = 0;
    std::string text;  // for added lines: the key lines, without the line end they may need first
};

std::string keyLineOf(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '=';
    line += value;
    line += kAddedLineEnd;
    return line;
}

// Adds what completes the last line of text, if it has no full line end.
void completeLastLine(std::string& text) { text += completionBefore(text, text.size()); }

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
    UniqueFd file;
    if (const int error = RegularFile::openForReading(path, file))
        return {{}, error};
    return readOpenFile(file.get());
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : filePath(std::move(path)) {}

const std::string& ProfileFile::path() const { return filePath; }

std::string ProfileFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const KeyName name{section, key};
    return readStrings(std::span(&name, 1)).front().value_or(std::string(defaultValue));
}

std::vector<std::optional<std::string>> ProfileFile::readStrings(std::span<const KeyName> keys) const
{
    const FileBytes file = readWholeFile(filePath);
    if (file.error != 0)
        return std::vector<std::optional<std::string>>(keys.size());
    return findValues(file.bytes, keys);
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
    const KeyValue edit{section, key, value};
    writeStrings(std::span(&edit, 1));
}

void ProfileFile::writeStrings(std::span<const KeyValue> values)
{
    const FileBytes file = readWholeFile(filePath);
    if (file.error != 0 && file.error != ENOENT)
        throwUnableToWrite();  // rewriting a file we cannot read would lose its other settings
    std::string updated;
    try {
        updated = withValues(file.bytes, values);
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

void ProfileFile::throwUnableToWrite() const { throw SonorailError("Unable to write to " + filePath); }

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
    const KeyName name{section, key};
    return findValues(content, std::span(&name, 1)).front();
}

std::vector<std::optional<std::string>> ProfileFile::findValues(std::string_view content, std::span<const KeyName> keys)
{
    std::vector<KeyName> names;
    for (const KeyName& key : keys)
        names.push_back({TrimBlanks(key.section), TrimBlanks(key.key)});
    const std::vector<KeyPlace> places = locateAll(content, names);
    std::vector<std::optional<std::string>> values;
    for (const KeyPlace& place : places) {
        if (!place.keyLine) {
            values.emplace_back();
            continue;
        }
        const std::string_view rawValue = content.substr(place.valueBegin, place.keyLine->textEnd - place.valueBegin);
        values.emplace_back(std::string(withoutQuotes(TrimBlanks(rawValue)).substr(0, kMaxValueLength)));
    }
    return values;
}

std::string ProfileFile::withValue(std::string_view content, std::string_view section, std::string_view key,
                                   std::string_view value)
{
    const KeyValue edit{section, key, value};
    return withValues(content, std::span(&edit, 1));
}

std::string ProfileFile::withValues(std::string_view content, std::span<const KeyValue> values)
{
    // One entry per key; a key given twice keeps its first place and takes its last value.
    std::vector<KeyName> names;
    std::vector<std::string_view> newValues;
    for (const KeyValue& edit : values) {
        const KeyName name{TrimBlanks(edit.section), TrimBlanks(edit.key)};
        checkStorable(name.section, name.key, edit.value);
        const auto same = std::ranges::find_if(names, [&](const KeyName& known) {
            return EqualsIgnoringAsciiCase(known.section, name.section) && EqualsIgnoringAsciiCase(known.key, name.key);
        });
        if (same != names.end()) {
            newValues[static_cast<std::size_t>(same - names.begin())] = edit.value;
            continue;
        }
        names.push_back(name);
        newValues.push_back(edit.value);
    }
    const std::vector<KeyPlace> places = locateAll(content, names);

    // Values replaced in place, lines added to existing sections, sections appended.
    std::vector<Splice> splices;
    std::vector<std::pair<std::string_view, std::string>> appended;  // section, its key lines
    for (std::size_t index = 0; index < names.size(); ++index) {
        const KeyPlace& place = places[index];
        if (place.keyLine) {
            splices.push_back({place.valueBegin, place.keyLine->textEnd, false, index, std::string(newValues[index])});
        } else if (place.lastSectionLine) {
            const std::size_t at = place.lastSectionLine->end;
            splices.push_back({at, at, true, index, keyLineOf(names[index].key, newValues[index])});
        } else {
            auto section = std::ranges::find_if(appended, [&](const auto& known) {
                return EqualsIgnoringAsciiCase(known.first, names[index].section);
            });
            if (section == appended.end())
                section = appended.insert(appended.end(), {names[index].section, std::string()});
            section->second += keyLineOf(names[index].key, newValues[index]);
        }
    }
    std::ranges::sort(splices, [](const Splice& a, const Splice& b) {
        return std::tie(a.begin, a.addsLines, a.order) < std::tie(b.begin, b.addsLines, b.order);
    });

    std::string result;
    result.reserve(content.size() + 64 * values.size());
    std::size_t copied = 0;
    for (const Splice& splice : splices) {
        result.append(content.substr(copied, splice.begin - copied));
        if (splice.addsLines)
            completeLastLine(result);
        result += splice.text;
        copied = splice.end;
    }
    result.append(content.substr(copied));
    for (const auto& [section, lines] : appended) {
        if (!result.empty()) {
            completeLastLine(result);
            result += kAddedLineEnd;  // an empty line sets the new section apart
        }
        result += '[';
        result += section;
        result += ']';
        result += kAddedLineEnd;
        result += lines;
    }
    return result;
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
