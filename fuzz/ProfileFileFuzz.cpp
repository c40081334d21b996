// Feeds arbitrary bytes to the profile-file text functions. Besides never crashing, an edit
// must read back as written, be repeatable without further change, and leave every other
// setting of the file reading exactly as before; two edits made in one pass must leave the
// file as the same edits one after the other.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/formats/ProfileFile.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    a = trimBlanks(a);
    b = trimBlanks(b);
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// What the reader gives back for a stored value: blanks and one pair of quotes go, and
// it is cut to the longest value returned.
std::string readBackOf(std::string_view value)
{
    value = trimBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, ProfileFile::kMaxValueLength));
}

void checkIntegerText(const std::string& text)
{
    const auto parsed = ProfileFile::parseInteger(text);
    if (parsed)
        require(ProfileFile::parseInteger(std::to_string(*parsed)) == parsed);
}

void checkOnePassEdits(const std::string& content, const ProfileFile::KeyValue& first,
                       const ProfileFile::KeyValue& second)
{
    std::optional<std::string> inOnePass;
    std::optional<std::string> oneAfterOther;
    const ProfileFile::KeyValue both[] = {first, second};
    try {
        inOnePass = ProfileFile::withValues(content, both);
    } catch (const std::invalid_argument&) {
    }
    try {
        oneAfterOther = ProfileFile::withValue(ProfileFile::withValue(content, first.section, first.key, first.value),
                                               second.section, second.key, second.value);
    } catch (const std::invalid_argument&) {
    }
    require(inOnePass == oneAfterOther);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string value = input.ConsumeRandomLengthString(2048);
    const std::string otherSection = input.ConsumeRandomLengthString(64);
    const std::string otherKey = input.ConsumeRandomLengthString(64);
    const std::string otherValue = input.ConsumeRandomLengthString(256);
    const std::string content = input.ConsumeRemainingBytesAsString();

    checkIntegerText(value);
    const auto otherBefore = ProfileFile::findValue(content, otherSection, otherKey);
    checkOnePassEdits(content, {section, key, value}, {otherSection, otherKey, otherValue});

    std::string updated;
    try {
        updated = ProfileFile::withValue(content, section, key, value);
    } catch (const std::invalid_argument&) {
        return 0;  // refused text: the caller reports it and the file is not touched
    }
    require(ProfileFile::findValue(updated, section, key) == readBackOf(value));
    require(ProfileFile::withValue(updated, section, key, value) == updated);
    if (!(sameName(section, otherSection) && sameName(key, otherKey)))
        require(ProfileFile::findValue(updated, otherSection, otherKey) == otherBefore);
    return 0;
}
