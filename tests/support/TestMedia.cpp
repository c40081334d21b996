#include "support/TestMedia.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace test_media {

namespace {

// Little-endian writers for the RIFF formats; MIDI is big-endian.
void put16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void put16BigEndian(std::string& out, unsigned value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void put32BigEndian(std::string& out, std::uint32_t value)
{
    put16BigEndian(out, value >> 16);
    put16BigEndian(out, value & 0xFFFF);
}

// A RIFF chunk: four-character id, 32-bit size, body, and the pad byte odd sizes need.
std::string chunk(const char* id, const std::string& body)
{
    std::string out(id, 4);
    put32(out, static_cast<std::uint32_t>(body.size()));
    out += body;
    if (body.size() % 2 != 0)
        out += '\0';
    return out;
}

std::string list(const char* type, const std::string& body) { return chunk("LIST", std::string(type, 4) + body); }

std::int16_t toneSample(long index, int sampleRate, double frequency, double amplitude)
{
    const double angle = 2.0 * std::numbers::pi * frequency * static_cast<double>(index) / sampleRate;
    return static_cast<std::int16_t>(std::lround(amplitude * 32767.0 * std::sin(angle)));
}

// MIDI's variable-length quantity: seven bits a byte, high bit set on all but the last.
void putVariableLength(std::string& out, std::uint32_t value)
{
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0)
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    out += bytes;
}

void putMidiEvent(std::string& track, std::uint32_t delta, std::initializer_list<unsigned> bytes)
{
    putVariableLength(track, delta);
    for (unsigned byte : bytes)
        track += static_cast<char>(byte);
}

std::string bitmapInfoHeader(int width, int height, std::uint32_t imageBytes)
{
    std::string out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
    put16(out, 1);                                   // planes
    put16(out, 24);                                  // bits per pixel
    put32(out, 0);                                   // BI_RGB, uncompressed
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi, horizontally and vertically
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    return out;
}

std::string aviMainHeader(int width, int height, int frames, int framesPerSecond, std::uint32_t frameBytes)
{
    constexpr std::uint32_t kHasIndex = 0x10;
    std::string out;
    put32(out, static_cast<std::uint32_t>(1'000'000 / framesPerSecond));
    put32(out, frameBytes * static_cast<std::uint32_t>(framesPerSecond));
    put32(out, 0);
    put32(out, kHasIndex);
    put32(out, static_cast<std::uint32_t>(frames));
    put32(out, 0);
    put32(out, 1);  // streams
    put32(out, frameBytes);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    out += std::string(16, '\0');
    return out;
}

std::string aviVideoStreamHeader(int width, int height, int frames, int framesPerSecond, std::uint32_t frameBytes)
{
    std::string out = "vids";
    out += "DIB ";
    put32(out, 0);  // flags
    put16(out, 0);  // priority
    put16(out, 0);  // language
    put32(out, 0);  // initial frames
    put32(out, 1);  // scale: rate / scale is frames a second
    put32(out, static_cast<std::uint32_t>(framesPerSecond));
    put32(out, 0);  // start
    put32(out, static_cast<std::uint32_t>(frames));
    put32(out, frameBytes);
    put32(out, 0xFFFFFFFF);  // quality: default
    put32(out, 0);           // sample size: varies
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<unsigned>(width));
    put16(out, static_cast<unsigned>(height));
    return out;
}

// A dark frame with a bright vertical bar that moves one step a frame.
std::string aviFrame(int width, int height, int frame, int rowBytes)
{
    std::string pixels(static_cast<std::size_t>(rowBytes) * height, '\x20');
    const int barColumn = (frame * 4) % width;
    for (int row = 0; row < height; ++row)
        for (int channel = 0; channel < 3; ++channel)
            pixels[static_cast<std::size_t>(row * rowBytes + barColumn * 3 + channel)] = '\xE0';
    return pixels;
}

std::string cdTrackAudio(int trackIndex, int sectors)
{
    constexpr int kSampleRate = 44100;
    constexpr int kFramesPerSector = kCdSectorBytes / 4;  // 16-bit stereo
    std::string audio;
    audio.reserve(static_cast<std::size_t>(sectors) * kCdSectorBytes);
    const long frames = static_cast<long>(sectors) * kFramesPerSector;
    const double frequency = 220.0 * (trackIndex + 1);
    for (long frame = 0; frame < frames; ++frame) {
        const std::int16_t sample = trackIndex == 0 ? 0 : toneSample(frame, kSampleRate, frequency, 0.2);
        put16(audio, static_cast<std::uint16_t>(sample));  // left
        put16(audio, static_cast<std::uint16_t>(sample));  // right
    }
    return audio;
}

std::string msf(int sector)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", sector / (60 * kCdSectorsPerSecond),
                  sector / kCdSectorsPerSecond % 60, sector % kCdSectorsPerSecond);
    return text;
}

}  // namespace

std::string waveFile(int milliseconds)
{
    constexpr int kSampleRate = 22050;
    const long samples = static_cast<long>(milliseconds) * kSampleRate / 1000;
    std::string format;
    put16(format, 1);  // PCM
    put16(format, 1);  // mono
    put32(format, kSampleRate);
    put32(format, kSampleRate * 2);  // bytes a second
    put16(format, 2);                // bytes a sample frame
    put16(format, 16);               // bits a sample
    std::string data;
    data.reserve(static_cast<std::size_t>(samples) * 2);
    for (long i = 0; i < samples; ++i)
        put16(data, static_cast<std::uint16_t>(toneSample(i, kSampleRate, 440.0, 0.1)));
    return chunk("RIFF", "WAVE" + chunk("fmt ", format) + chunk("data", data));
}

std::string midiFile(int milliseconds)
{
    constexpr unsigned kTicksPerQuarter = 480;
    constexpr std::uint32_t kMicrosecondsPerQuarter = 500'000;  // 120 beats a minute
    const auto totalTicks = static_cast<std::uint32_t>(static_cast<long long>(milliseconds) * 1000 * kTicksPerQuarter /
                                                       kMicrosecondsPerQuarter);
    std::string track;
    putMidiEvent(track, 0,
                 {0xFF, 0x51, 0x03, kMicrosecondsPerQuarter >> 16, (kMicrosecondsPerQuarter >> 8) & 0xFF,
                  kMicrosecondsPerQuarter & 0xFF});
    putMidiEvent(track, 0, {0xC0, 0x00});  // piano
    const std::uint32_t noteTicks = kTicksPerQuarter / 2;
    std::uint32_t written = 0;
    for (unsigned note = 60; written + noteTicks <= totalTicks; note = note == 72 ? 60 : note + 2) {
        putMidiEvent(track, 0, {0x90, note, 0x50});
        putMidiEvent(track, noteTicks, {0x80, note, 0x00});
        written += noteTicks;
    }
    putMidiEvent(track, totalTicks - written, {0xFF, 0x2F, 0x00});  // end of track

    std::string out = "MThd";
    put32BigEndian(out, 6);
    put16BigEndian(out, 0);  // format 0
    put16BigEndian(out, 1);  // one track
    put16BigEndian(out, kTicksPerQuarter);
    out += "MTrk";
    put32BigEndian(out, static_cast<std::uint32_t>(track.size()));
    return out + track;
}

std::string aviFile(int width, int height, int frames, int framesPerSecond)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;  // rows are padded to four bytes
    const auto frameBytes = static_cast<std::uint32_t>(rowBytes * height);
    const std::string streamList =
        list("strl", chunk("strh", aviVideoStreamHeader(width, height, frames, framesPerSecond, frameBytes)) +
                         chunk("strf", bitmapInfoHeader(width, height, frameBytes)));
    const std::string headers =
        list("hdrl", chunk("avih", aviMainHeader(width, height, frames, framesPerSecond, frameBytes)) + streamList);

    std::string movie;
    std::string index;
    for (int frame = 0; frame < frames; ++frame) {
        constexpr std::uint32_t kKeyFrame = 0x10;
        index += "00db";
        put32(index, kKeyFrame);
        put32(index, static_cast<std::uint32_t>(4 + movie.size()));  // from the "movi" type
        put32(index, frameBytes);
        movie += chunk("00db", aviFrame(width, height, frame, rowBytes));
    }
    return chunk("RIFF", "AVI " + headers + list("movi", movie) + chunk("idx1", index));
}

CdImage cdImage(const std::string& binName, const std::vector<int>& trackSectors)
{
    CdImage image;
    image.cue = "FILE \"" + binName + "\" BINARY\n";
    int start = 0;
    for (std::size_t i = 0; i < trackSectors.size(); ++i) {
        char number[24];
        std::snprintf(number, sizeof number, "%02zu", i + 1);
        image.cue += std::string("  TRACK ") + number + " AUDIO\n    INDEX 01 " + msf(start) + "\n";
        image.bin += cdTrackAudio(static_cast<int>(i), trackSectors[i]);
        start += trackSectors[i];
    }
    return image;
}

}  // namespace test_media
