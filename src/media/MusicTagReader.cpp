#include "media/MusicTagReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include <taglib/asffile.h>
#include <taglib/asfpicture.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4coverart.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/tfilestream.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

#include "core/base/FileExtension.h"

namespace {

std::string upper(std::string text)
{
    std::ranges::transform(text, text.begin(), [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    return text;
}

std::string utf8(const TagLib::String& text) { return text.to8Bit(true); }

std::string bytesOf(const TagLib::ByteVector& data) { return std::string(data.data(), data.size()); }

struct Cover {
    std::string mimeType;
    std::string bytes;
};

// The front cover where one is marked so, else the first picture.
Cover id3v2Cover(TagLib::ID3v2::Tag* tag)
{
    Cover found;
    if (!tag)
        return found;
    for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
        auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (!picture || picture->picture().isEmpty())
            continue;
        if (found.bytes.empty() || picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover)
            found = {utf8(picture->mimeType()), bytesOf(picture->picture())};
        if (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover)
            break;
    }
    return found;
}

Cover flacCover(const TagLib::List<TagLib::FLAC::Picture*>& pictures)
{
    Cover found;
    for (TagLib::FLAC::Picture* picture : pictures) {
        if (!picture || picture->data().isEmpty())
            continue;
        if (found.bytes.empty() || picture->type() == TagLib::FLAC::Picture::FrontCover)
            found = {utf8(picture->mimeType()), bytesOf(picture->data())};
        if (picture->type() == TagLib::FLAC::Picture::FrontCover)
            break;
    }
    return found;
}

Cover mp4Cover(TagLib::MP4::Tag* tag)
{
    if (!tag || !tag->contains("covr"))
        return {};
    for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList()) {
        if (art.data().isEmpty())
            continue;
        return {art.format() == TagLib::MP4::CoverArt::PNG ? "image/png" : "image/jpeg", bytesOf(art.data())};
    }
    return {};
}

Cover asfCover(TagLib::ASF::Tag* tag)
{
    if (!tag || !tag->contains("WM/Picture"))
        return {};
    Cover found;
    for (const TagLib::ASF::Attribute& attribute : tag->attribute("WM/Picture")) {
        const TagLib::ASF::Picture picture = attribute.toPicture();
        if (!picture.isValid() || picture.picture().isEmpty())
            continue;
        if (found.bytes.empty() || picture.type() == TagLib::ASF::Picture::FrontCover)
            found = {utf8(picture.mimeType()), bytesOf(picture.picture())};
        if (picture.type() == TagLib::ASF::Picture::FrontCover)
            break;
    }
    return found;
}

// The file object for the extension, with its codec's name and its cover; null when the
// bytes are not of that kind.
struct Opened {
    std::unique_ptr<TagLib::File> file;
    std::string codec;
    Cover cover;
};

template <typename OggFile>
Opened openOgg(TagLib::IOStream* stream, const char* codec)
{
    Opened opened;
    auto file = std::make_unique<OggFile>(stream);
    if (!file->isValid())
        return opened;
    opened.cover = flacCover(file->tag() ? file->tag()->pictureList() : TagLib::List<TagLib::FLAC::Picture*>());
    opened.codec = codec;
    opened.file = std::move(file);
    return opened;
}

Opened openMp4(TagLib::IOStream* stream)
{
    Opened opened;
    auto file = std::make_unique<TagLib::MP4::File>(stream);
    if (!file->isValid())
        return opened;
    const auto* properties = file->audioProperties();
    opened.codec = properties && properties->codec() == TagLib::MP4::Properties::ALAC ? "ALAC" : "AAC";
    opened.cover = mp4Cover(file->tag());
    opened.file = std::move(file);
    return opened;
}

Opened openMpeg(TagLib::IOStream* stream)
{
    Opened opened;
    auto file = std::make_unique<TagLib::MPEG::File>(stream, TagLib::ID3v2::FrameFactory::instance());
    if (!file->isValid() || !file->audioProperties())
        return opened;
    opened.codec = "MPEG layer " + std::to_string(file->audioProperties()->layer());
    if (file->audioProperties()->layer() == 3)
        opened.codec = "MP3";
    opened.cover = id3v2Cover(file->ID3v2Tag());
    opened.file = std::move(file);
    return opened;
}

Opened openFor(const std::string& extension, TagLib::IOStream* stream)
{
    if (extension == ".MP3")
        return openMpeg(stream);
    if (extension == ".FLAC") {
        Opened opened;
        auto file = std::make_unique<TagLib::FLAC::File>(stream, TagLib::ID3v2::FrameFactory::instance());
        if (!file->isValid())
            return opened;
        opened.codec = "FLAC";
        opened.cover = flacCover(file->pictureList());
        opened.file = std::move(file);
        return opened;
    }
    if (extension == ".OPUS")
        return openOgg<TagLib::Ogg::Opus::File>(stream, "Opus");
    if (extension == ".OGG" || extension == ".OGA" || extension == ".OGV") {
        Opened opened = openOgg<TagLib::Ogg::Vorbis::File>(stream, "Vorbis");
        if (!opened.file) {
            stream->seek(0);
            opened = openOgg<TagLib::Ogg::Opus::File>(stream, "Opus");
        }
        return opened;
    }
    if (extension == ".M4A" || extension == ".MP4" || extension == ".M4V" || extension == ".MOV")
        return openMp4(stream);
    if (extension == ".AAC") {  // raw ADTS streams are read as MPEG audio; some ".aac" files are MP4
        Opened opened = openMp4(stream);
        return opened.file ? std::move(opened) : openMpeg((stream->seek(0), stream));
    }
    if (extension == ".WMA" || extension == ".WMV") {
        Opened opened;
        auto file = std::make_unique<TagLib::ASF::File>(stream);
        if (!file->isValid())
            return opened;
        opened.codec = file->audioProperties() ? utf8(file->audioProperties()->codecName()) : "WMA";
        opened.cover = asfCover(file->tag());
        opened.file = std::move(file);
        return opened;
    }
    return {};
}

int firstNumber(const TagLib::StringList& values)
{
    if (values.isEmpty())
        return 0;
    const std::string text = utf8(values.front());  // "3" or "3/12"
    int number = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || number > 100000)
            break;
        number = number * 10 + (c - '0');
    }
    return number;
}

MusicTags readStream(TagLib::IOStream* stream, const std::string& extension)
{
    MusicTags tags;
    Opened opened = openFor(upper(extension), stream);
    if (!opened.file)
        return tags;
    tags.readable = true;
    tags.codec = opened.codec;
    tags.coverMimeType =
        opened.cover.mimeType.empty() && !opened.cover.bytes.empty() ? "image/jpeg" : opened.cover.mimeType;
    tags.cover = std::move(opened.cover.bytes);
    const TagLib::PropertyMap properties = opened.file->properties();
    const auto first = [&properties](const char* key) {
        const auto found = properties.find(key);
        return found == properties.end() || found->second.isEmpty() ? std::string() : utf8(found->second.front());
    };
    tags.title = first("TITLE");
    tags.album = first("ALBUM");
    tags.albumArtist = first("ALBUMARTIST");
    tags.genre = first("GENRE");
    if (const auto artists = properties.find("ARTIST"); artists != properties.end()) {
        for (const TagLib::String& artist : artists->second)
            tags.artists.push_back(utf8(artist));
    }
    if (const auto track = properties.find("TRACKNUMBER"); track != properties.end())
        tags.trackNumber = firstNumber(track->second);
    if (const TagLib::AudioProperties* audio = opened.file->audioProperties()) {
        tags.lengthMs = audio->lengthInMilliseconds();
        tags.bitrateKbps = audio->bitrate();
        tags.sampleRate = audio->sampleRate();
        tags.channels = audio->channels();
    }
    return tags;
}

// Only a regular file is handed to TagLib, and it is looked at without waiting: a named
// pipe with a music file's name would block its open for ever.
bool isRegularFile(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    const bool regular = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    ::close(descriptor);
    return regular;
}

}  // namespace

namespace MusicTagReader {

MusicTags readFile(const std::string& path)
{
    if (!isRegularFile(path))
        return {};
    TagLib::FileStream stream(path.c_str(), true);
    if (!stream.isOpen())
        return {};
    return readStream(&stream, std::string(ExtensionOf(path)));
}

MusicTags readBytes(const std::string& bytes, const std::string& extension)
{
    TagLib::ByteVector data(bytes.data(), static_cast<unsigned int>(bytes.size()));
    TagLib::ByteVectorStream stream(data);
    return readStream(&stream, extension);
}

}  // namespace MusicTagReader
