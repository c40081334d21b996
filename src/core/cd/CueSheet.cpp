#include "core/cd/CueSheet.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/base/SonorailError.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n";
constexpr std::string_view kNameEnds = "\"\t\r\n";
constexpr long kFramesPerSecond = 75;

constexpr std::array<std::string_view, 7> kTrackModes = {"AUDIO",      "MODE1/2048", "MODE1/2352", "MODE2/2336",
                                                         "MODE2/2048", "MODE2/2324", "MODE2/2352"};
constexpr std::array<std::string_view, 5> kFileTypes = {"BINARY", "MOTOROLA", "AIFF", "WAVE", "MP3"};
constexpr std::array<std::string_view, 4> kFlags = {"DCP", "4CH", "PRE", "SCMS"};
constexpr std::array<std::string_view, 12> kTextKeywords = {"TITLE",     "PERFORMER", "SONGWRITER", "COMPOSER",
                                                            "ARRANGER",  "MESSAGE",   "DISC_ID",    "GENRE",
                                                            "TOC_INFO1", "TOC_INFO2", "UPC_EAN",    "SIZE_INFO"};

template <std::size_t N>
bool isOneOf(std::string_view word, const std::array<std::string_view, N>& words)
{
    return std::ranges::find(words, word) != words.end();
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

int numberOf(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// The words of one line as libcdio's strtok takes them: each call skips the given
// delimiters, takes what follows up to the next one and swallows that one.
class LineWords {
public:
    explicit LineWords(std::string_view line) : rest(line) {}

    std::optional<std::string_view> next(std::string_view delimiters)
    {
        const std::size_t start = rest.find_first_not_of(delimiters);
        if (start == std::string_view::npos) {
            rest = {};
            return std::nullopt;
        }
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find_first_of(delimiters), rest.size());
        const std::string_view word = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        return word;
    }

private:
    std::string_view rest;
};

// Reads the sheet line by line and keeps what the checks need across lines.
class SheetCheck {
public:
    CueSheet read(std::string_view text);

private:
    [[noreturn]] void refuse(const std::string& what) const
    {
        throw SonorailError("line " + std::to_string(lineNumber) + ": " + what);
    }
    void line(std::string_view text);
    void file(LineWords& words);
    void track(LineWords& words);
    void index(LineWords& words);
    void trackOnly(std::string_view keyword) const;
    long timeOf(std::string_view time) const;
    void requireIndexOne() const;
    void requireEnd(LineWords& words) const;
    std::string_view required(LineWords& words, std::string_view delimiters, std::string_view what) const;

    CueSheet sheet;
    int lineNumber = 0;
    bool inTrack = false;
    int lastIndex = -1;       // of the current track
    long lastTime = 0;        // of any INDEX so far
    long previousStart = -1;  // INDEX 01 of the track before
    bool hasIndexOne = false;
};

CueSheet SheetCheck::read(std::string_view text)
{
    if (text.size() > CueSheet::kLargestSheet)
        throw SonorailError("the sheet is larger than any cue sheet (" + std::to_string(text.size()) + " bytes)");
    if (text.find('\0') != std::string_view::npos)
        throw SonorailError("the sheet holds a byte 0: it is no text");
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n'), text.size());
        if (end > CueSheet::kLongestLine)
            refuse("the line is longer than " + std::to_string(CueSheet::kLongestLine) + " bytes");
        line(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (sheet.dataFile.empty())
        throw SonorailError("the sheet names no data file (FILE)");
    if (sheet.numberOfTracks == 0)
        throw SonorailError("the sheet has no TRACK");
    requireIndexOne();
    return sheet;
}

void SheetCheck::line(std::string_view text)
{
    LineWords words(text);
    const std::optional<std::string_view> keyword = words.next(kBlanks);
    if (!keyword || *keyword == "REM")
        return;
    if (*keyword == "FILE") {
        file(words);
    } else if (*keyword == "TRACK") {
        track(words);
    } else if (*keyword == "INDEX") {
        index(words);
    } else if (*keyword == "CATALOG") {
        if (sheet.numberOfTracks > 0)
            refuse("CATALOG belongs before the first TRACK");
        const std::string_view number = required(words, kBlanks, "a 13-digit catalogue number");
        if (number.size() != 13 || !allDigits(number))
            refuse("CATALOG needs a 13-digit number");
        requireEnd(words);
    } else if (*keyword == "CDTEXTFILE") {
        sheet.cdTextFiles.emplace_back(required(words, kNameEnds, "a file name"));
    } else if (*keyword == "FLAGS") {
        trackOnly(*keyword);
        while (const std::optional<std::string_view> flag = words.next(kBlanks))
            if (!isOneOf(*flag, kFlags))
                refuse("unknown flag " + std::string(*flag));
    } else if (*keyword == "PREGAP" || *keyword == "POSTGAP") {
        trackOnly(*keyword);
        timeOf(required(words, kBlanks, "a time"));
        requireEnd(words);
    } else if (*keyword == "ISRC") {
        trackOnly(*keyword);
        required(words, kBlanks, "a code");
        requireEnd(words);
    } else if (isOneOf(*keyword, kTextKeywords)) {
        // A text of its own ("" included): whatever follows is the text.
    } else {
        refuse("unknown keyword " + std::string(keyword->substr(0, 40)));
    }
}

void SheetCheck::file(LineWords& words)
{
    if (!sheet.dataFile.empty())
        refuse("a second FILE: only images of one data file are read");
    if (sheet.numberOfTracks > 0)
        refuse("FILE belongs before the first TRACK");
    sheet.dataFile = required(words, kNameEnds, "a file name in double quotes");
    const std::string_view type = required(words, kBlanks, "a file type after the file name (BINARY)");
    if (!isOneOf(type, kFileTypes))
        refuse("unknown file type " + std::string(type.substr(0, 40)));
    requireEnd(words);
}

void SheetCheck::track(LineWords& words)
{
    const std::string_view number = required(words, kBlanks, "a track number");
    const int expected = sheet.numberOfTracks + 1;
    if (expected > CueSheet::kMostTracks)
        refuse("more than " + std::to_string(CueSheet::kMostTracks) + " tracks");
    if (number.size() > 2 || !allDigits(number) || numberOf(number) != expected)
        refuse("TRACK " + std::string(number.substr(0, 40)) + " where track " + std::to_string(expected) +
               " belongs (tracks are numbered from 1 in order)");
    const std::string_view mode = required(words, kBlanks, "a track mode (AUDIO)");
    if (!isOneOf(mode, kTrackModes))
        refuse("unknown track mode " + std::string(mode.substr(0, 40)));
    requireEnd(words);
    if (sheet.dataFile.empty())
        refuse("TRACK before any FILE");
    if (inTrack)
        requireIndexOne();
    ++sheet.numberOfTracks;
    inTrack = true;
    lastIndex = -1;
    hasIndexOne = false;
}

void SheetCheck::index(LineWords& words)
{
    trackOnly("INDEX");
    const std::string_view number = required(words, kBlanks, "an index number");
    if (number.size() > 2 || !allDigits(number))
        refuse("INDEX " + std::string(number.substr(0, 40)) + " is no index number");
    const int value = numberOf(number);
    if (value <= lastIndex || (lastIndex < 0 && value > 1))
        refuse("INDEX " + std::string(number) + " out of order");
    const long time = timeOf(required(words, kBlanks, "a time (mm:ss:ff)"));
    requireEnd(words);
    if (time < lastTime)
        refuse("INDEX " + std::string(number) + " starts before the index above it");
    if (value == 1) {
        if (time <= previousStart)
            refuse("the track starts where the track before it starts");
        previousStart = time;
        sheet.lastTrackStart = time;
        hasIndexOne = true;
    }
    lastIndex = value;
    lastTime = time;
}

void SheetCheck::trackOnly(std::string_view keyword) const
{
    if (!inTrack)
        refuse(std::string(keyword) + " before any TRACK");
}

// "mm:ss:ff": minutes, seconds under 60 and frames under 75, as sectors.
long SheetCheck::timeOf(std::string_view time) const
{
    const std::size_t first = time.find(':');
    const std::size_t second = first == std::string_view::npos ? first : time.find(':', first + 1);
    if (second == std::string_view::npos)
        refuse("no time (mm:ss:ff): " + std::string(time.substr(0, 40)));
    const std::string_view minutes = time.substr(0, first);
    const std::string_view seconds = time.substr(first + 1, second - first - 1);
    const std::string_view frames = time.substr(second + 1);
    if (minutes.size() > 3 || seconds.size() != 2 || frames.size() != 2 || !allDigits(minutes) || !allDigits(seconds) ||
        !allDigits(frames) || numberOf(seconds) >= 60 || numberOf(frames) >= kFramesPerSecond)
        refuse("no time (mm:ss:ff): " + std::string(time.substr(0, 40)));
    return (numberOf(minutes) * 60L + numberOf(seconds)) * kFramesPerSecond + numberOf(frames);
}

void SheetCheck::requireIndexOne() const
{
    if (!hasIndexOne)
        refuse("track " + std::to_string(sheet.numberOfTracks) + " has no INDEX 01");
}

void SheetCheck::requireEnd(LineWords& words) const
{
    if (const std::optional<std::string_view> extra = words.next(kBlanks))
        refuse("unexpected " + std::string(extra->substr(0, 40)));
}

std::string_view SheetCheck::required(LineWords& words, std::string_view delimiters, std::string_view what) const
{
    const std::optional<std::string_view> word = words.next(delimiters);
    if (!word)
        refuse("missing " + std::string(what));
    return *word;
}

}  // namespace

CueSheet CueSheet::parse(std::string_view text) { return SheetCheck().read(text); }
