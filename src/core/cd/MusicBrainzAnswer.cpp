#include "core/cd/MusicBrainzAnswer.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "core/base/SonorailError.h"

namespace {

using Json = nlohmann::json;

// A member of an object, or nothing when the value is no object or lacks it.
const Json* member(const Json& object, const char* name)
{
    if (!object.is_object())
        return nullptr;
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
}

// One line of text: control characters (a line break in a title) become spaces.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

// A string member as one line; empty when missing or of another type.
std::string textOf(const Json& object, const char* name)
{
    const Json* value = member(object, name);
    return value != nullptr && value->is_string() ? oneLine(value->get<std::string>()) : std::string();
}

const Json* arrayOf(const Json& object, const char* name)
{
    const Json* value = member(object, name);
    return value != nullptr && value->is_array() ? value : nullptr;
}

bool listsDisc(const Json& medium, std::string_view discId)
{
    const Json* discs = arrayOf(medium, "discs");
    if (discs == nullptr)
        return false;
    return std::any_of(discs->begin(), discs->end(), [&](const Json& disc) { return textOf(disc, "id") == discId; });
}

// "Name1 & Name2 feat. Name3": each credited name followed by its join phrase.
std::string artistCredit(const Json& release)
{
    std::string credit;
    if (const Json* names = arrayOf(release, "artist-credit")) {
        for (const Json& name : *names)
            credit += textOf(name, "name") + textOf(name, "joinphrase");
    }
    return credit;
}

std::string category(const Json& release)
{
    if (const Json* group = member(release, "release-group")) {
        if (std::string type = textOf(*group, "primary-type"); !type.empty())
            return type;
    }
    const Json* genres = arrayOf(release, "genres");
    return genres != nullptr && !genres->empty() ? textOf(genres->front(), "name") : std::string();
}

void addLine(std::string& notes, const std::string& line)
{
    if (line.empty())
        return;
    if (!notes.empty())
        notes += '\n';
    notes += line;
}

std::string joined(const std::string& first, const std::string& second, const char* between)
{
    if (first.empty() || second.empty())
        return first + second;
    return first + between + second;
}

std::string notes(const Json& release)
{
    std::string notes;
    addLine(notes, joined(textOf(release, "date"), textOf(release, "country"), " "));
    if (const Json* labels = arrayOf(release, "label-info")) {
        for (const Json& info : *labels) {
            const Json* label = member(info, "label");
            const std::string name = label != nullptr ? textOf(*label, "name") : std::string();
            addLine(notes, joined(name, textOf(info, "catalog-number"), " "));
        }
    }
    if (const std::string barcode = textOf(release, "barcode"); !barcode.empty())
        addLine(notes, "Barcode " + barcode);
    if (const std::string id = textOf(release, "id"); !id.empty())
        addLine(notes, "MusicBrainz " + id);
    return notes;
}

int positionOf(const Json& object)
{
    const Json* position = member(object, "position");
    return position != nullptr && position->is_number_integer() ? position->get<int>() : 0;
}

std::vector<std::string> trackTitles(const Json& medium)
{
    std::vector<const Json*> tracks;
    if (const Json* listed = arrayOf(medium, "tracks"))
        for (const Json& track : *listed)
            tracks.push_back(&track);
    std::stable_sort(tracks.begin(), tracks.end(),
                     [](const Json* a, const Json* b) { return positionOf(*a) < positionOf(*b); });
    std::vector<std::string> titles;
    for (const Json* track : tracks)
        titles.push_back(textOf(*track, "title"));
    return titles;
}

LookedUpNames namesOf(const Json& release, const Json& medium, std::size_t mediumCount)
{
    LookedUpNames names;
    names.title = textOf(release, "title");
    if (mediumCount > 1)
        names.title += " (disc " + std::to_string(positionOf(medium)) + ")";
    names.author = artistCredit(release);
    names.category = category(release);
    names.notes = notes(release);
    names.trackTitles = trackTitles(medium);
    return names;
}

}  // namespace

std::optional<LookedUpNames> MusicBrainzAnswer::namesFor(std::string_view json, std::string_view discId)
{
    if (json.size() > kLargestAnswer)
        throw SonorailError("The answer is too large");
    const Json answer = Json::parse(json, nullptr, false);
    if (answer.is_discarded())
        throw SonorailError("The answer is not readable");
    const Json* releases = arrayOf(answer, "releases");
    if (releases == nullptr)
        throw SonorailError("The answer lists no releases");
    for (const Json& release : *releases) {
        const Json* media = arrayOf(release, "media");
        if (media == nullptr)
            continue;
        for (const Json& medium : *media)
            if (listsDisc(medium, discId))
                return namesOf(release, medium, media->size());
    }
    return std::nullopt;
}
