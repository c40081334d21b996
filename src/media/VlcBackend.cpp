#include "media/VlcBackend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vlc/vlc.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "core/base/ProgramPaths.h"
#include "core/base/RegularFile.h"
#include "core/base/SonorailError.h"
#include "media/MusicTagReader.h"

namespace {

constexpr int kParseTimeoutMilliseconds = 5000;
// Where libVLC's time may lie around a requested offset and count as arrived there (a seek
// may land a little before its target, and the clock runs on while libVLC reports), and how
// long a requested offset is reported at most (a seek that lands far off).
constexpr long kLandsBeforeMilliseconds = 500;
constexpr long kRunsOnMilliseconds = 1000;
constexpr auto kLongestHold = std::chrono::seconds(3);
// How far ahead of the sound libVLC reads a local file. Its default (a second) lets the
// decoder finish that long before the sound does, and libVLC then reports the end at once
// where the output cannot tell how much it still holds (a PulseAudio stream that has not
// started yet, the dummy output), dropping what was not yet heard.
constexpr const char* kFileCaching = "--file-caching=100";

bool wantsDummyOutputs()
{
    const char* asked = std::getenv("SONORAIL_HEADLESS_MEDIA");
    if (asked != nullptr && *asked != '\0')
        return std::string_view(asked) != "0";
    const char* display = std::getenv("DISPLAY");
    return display == nullptr || *display == '\0';
}

// libVLC reads the option's seconds without regard to the locale, and so is it written.
std::string startTimeOption(long milliseconds)
{
    char text[48];
    std::snprintf(text, sizeof text, ":start-time=%ld.%03ld", milliseconds / 1000, milliseconds % 1000);
    return text;
}

// A location for libVLC: the path with everything but unreserved characters and '/'
// percent-encoded.
std::string locationOf(std::string_view scheme, const std::string& path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string location(scheme);
    location += "://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("-._~/", c) != nullptr) {
            location += static_cast<char>(c);
        } else {
            location += '%';
            location += kHex[c >> 4];
            location += kHex[c & 0xF];
        }
    }
    return location;
}

bool isFileDevice(const std::string& deviceType)
{
    return deviceType == "Sequencer" || deviceType == "WaveAudio" || deviceType == "AVIVideo";
}

// The device as configured, with a relative path taken from the program's folder.
std::string cdDevicePath(const std::string& device)
{
    if (device.empty() || device.front() == '/')
        return device;
    return ProgramDir() + device;
}

struct VideoSize {
    int width = 0;
    int height = 0;
};

VideoSize videoSizeOf(libvlc_media_t* media)
{
    libvlc_media_track_t** tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    VideoSize size;
    for (unsigned i = 0; i < count; ++i) {
        if (tracks[i]->i_type == libvlc_track_video && size.width == 0) {
            size.width = static_cast<int>(tracks[i]->video->i_width);
            size.height = static_cast<int>(tracks[i]->video->i_height);
        }
    }
    libvlc_media_tracks_release(tracks, count);
    return size;
}

// Waits for libVLC's preparser to finish with one media.
class ParseWait {
public:
    explicit ParseWait(libvlc_media_t* media) : events(libvlc_media_event_manager(media))
    {
        libvlc_event_attach(events, libvlc_MediaParsedChanged, onParsed, this);
    }
    // libVLC calls listeners with its event manager locked, so once detached no call runs.
    ~ParseWait() { libvlc_event_detach(events, libvlc_MediaParsedChanged, onParsed, this); }
    ParseWait(const ParseWait&) = delete;
    ParseWait& operator=(const ParseWait&) = delete;

    // The parsed status, or 0 when libVLC did not answer in time.
    int waitFor(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex);
        answered.wait_for(lock, limit, [this] { return status != 0; });
        return status;
    }

private:
    static void onParsed(const libvlc_event_t* event, void* data)
    {
        auto* self = static_cast<ParseWait*>(data);
        std::lock_guard lock(self->mutex);
        self->status = event->u.media_parsed_changed.new_status;
        self->answered.notify_all();
    }

    libvlc_event_manager_t* events;
    std::mutex mutex;
    std::condition_variable answered;
    int status = 0;
};

struct MediaReleaser {
    void operator()(libvlc_media_t* media) const { libvlc_media_release(media); }
};
using MediaHandle = std::unique_ptr<libvlc_media_t, MediaReleaser>;

// Lets libVLC's preparser read the file's headers (length, tracks) and waits for it; returns
// the parsed status, or 0 when libVLC never answered.
int parseLocally(libvlc_media_t* media)
{
    ParseWait parse(media);
    int status = 0;
    if (libvlc_media_parse_with_options(media, libvlc_media_parse_local, kParseTimeoutMilliseconds) == 0)
        status = parse.waitFor(std::chrono::milliseconds(kParseTimeoutMilliseconds + 1000));
    if (status == 0)
        libvlc_media_parse_stop(media);
    return status;
}

// Why a parse gave no length, when libVLC logged no reason of its own.
std::string parseFailure(int status)
{
    if (status == 0 || status == libvlc_media_parsed_status_timeout)
        return "reading it took too long";
    return "it is damaged or its format is not known";
}

}  // namespace

// libVLC's instance: one for the process, started by the first back end that needs it and
// kept until the process ends. libVLC unloads its plug-ins when its last instance is
// released, and fluidsynth's patch library cannot be loaded into a process a second time:
// the next MIDI file would hang in the synthesizer's start.
class SharedVlc {
public:
    // Throws SonorailError when libVLC cannot start; a later call tries again.
    static SharedVlc& get();

    libvlc_instance_t* instance() const { return vlc; }
    bool dummyOutputs() const { return dummy; }
    // The errors libVLC logs are counted; this is the count so far.
    unsigned long long complaintCount();
    // The first error logged after the count was mark, or "" when there was none.
    std::string firstComplaintAfter(unsigned long long mark);

private:
    SharedVlc();
    static void onLog(void* data, int level, const libvlc_log_t* context, const char* format, va_list arguments);

    static constexpr std::size_t kKeptComplaints = 16;

    libvlc_instance_t* vlc = nullptr;
    const bool dummy = wantsDummyOutputs();
    std::mutex mutex;  // guards the complaints: libVLC logs from any of its threads
    std::deque<std::string> recentComplaints;
    unsigned long long complaints = 0;
};

SharedVlc& SharedVlc::get()
{
    static std::mutex starting;
    static SharedVlc* shared = nullptr;  // never deleted: see above
    std::lock_guard lock(starting);
    if (shared == nullptr)
        shared = new SharedVlc();
    return *shared;
}

SharedVlc::SharedVlc()
{
    std::vector<const char*> arguments = {
        "--quiet",  "--ignore-config", "--no-stats", "--no-video-title-show", "--no-sub-autodetect-file",
        "--no-osd", kFileCaching};
    if (dummy) {
        arguments.push_back("--aout=adummy");
        arguments.push_back("--vout=dummy");
    }
    vlc = libvlc_new(static_cast<int>(arguments.size()), arguments.data());
    if (vlc == nullptr) {
        const char* reason = libvlc_errmsg();
        throw SonorailError(std::string("Cannot start libVLC: ") +
                            (reason ? reason : "its plug-ins could not be loaded"));
    }
    libvlc_log_set(vlc, onLog, this);
}

void SharedVlc::onLog(void* data, int level, const libvlc_log_t*, const char* format, va_list arguments)
{
    if (level < LIBVLC_ERROR)
        return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    auto* self = static_cast<SharedVlc*>(data);
    std::lock_guard lock(self->mutex);
    self->recentComplaints.emplace_back(text);
    if (self->recentComplaints.size() > kKeptComplaints)
        self->recentComplaints.pop_front();
    ++self->complaints;
}

unsigned long long SharedVlc::complaintCount()
{
    std::lock_guard lock(mutex);
    return complaints;
}

std::string SharedVlc::firstComplaintAfter(unsigned long long mark)
{
    std::lock_guard lock(mutex);
    const unsigned long long since = complaints - mark;
    if (since == 0)
        return {};
    const std::size_t kept = recentComplaints.size();
    // When more were logged than are kept, the oldest kept one is the nearest to the mark.
    return recentComplaints[since >= kept ? 0 : kept - since];
}

// A back end's libVLC player, and what libVLC's threads report about the media it plays:
// its end, a failure, and the errors logged since it started.
//
// libVLC reports the end when its decoder has handed over the last sound, which may be well
// before that sound has been heard (see kFileCaching). So the end listener is told of an
// end only once the sound is due to be over as well: at once when libVLC reports late
// enough, else from a watch thread at the moment the item's own clock says.
struct VlcBackend::Engine {
    using TimePoint = std::chrono::steady_clock::time_point;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    struct Reports {
        bool ended = false;
        bool failed = false;
    };

    // Stops the player and forgets the reports about what it played.
    void stop();
    // Video of the next media goes into window (0: a window of libVLC's own). Ignored with
    // the dummy outputs: naming a window would bring libVLC's real video outputs back.
    void drawIn(unsigned long window);
    // Starts collecting reports for a new media (or a parse), named in failure texts, whose
    // sound is due to end at soundEnd (none: not playing).
    void listenFor(const std::string& name, std::optional<TimePoint> soundEnd = std::nullopt);
    // The sound's end moved (a seek, a resume) or is not due while paused (none).
    void expectSoundEndAt(std::optional<TimePoint> soundEnd);
    Reports reports();
    std::optional<std::string> takeFailure();
    // The first error libVLC logged since listenFor, or "".
    std::string firstComplaint();
    void setEndListener(std::function<void()> listener);

    SharedVlc& vlc;
    libvlc_instance_t* const instance;
    libvlc_media_player_t* player = nullptr;

private:
    static void onEndReached(const libvlc_event_t* event, void* data);
    static void onError(const libvlc_event_t* event, void* data);
    void attachEvents();
    void prepareVideo();
    void tellEndListener();
    void watchSoundEnds();

    std::mutex mutex;  // guards everything below: libVLC's threads write it
    bool ended = false;
    bool failed = false;
    std::optional<TimePoint> soundEndsAt;
    bool endUntold = false;  // libVLC reported the end before the sound was due to end
    bool closing = false;
    std::condition_variable soundEndChanged;
    bool failureTaken = false;
    std::string mediaName;
    unsigned long long complaintMark = 0;

    // Held while the listener runs, so that a listener taken back is never running after.
    std::mutex listenerMutex;
    std::function<void()> endListener;

    std::thread endWatch;  // last: it starts once everything above is ready
};

VlcBackend::Engine::Engine() : vlc(SharedVlc::get()), instance(vlc.instance())
{
    player = libvlc_media_player_new(instance);
    if (player == nullptr) {
        const char* reason = libvlc_errmsg();
        throw SonorailError(std::string("Cannot start libVLC's player: ") + (reason ? reason : "no reason given"));
    }
    attachEvents();
    prepareVideo();
    endWatch = std::thread([this] { watchSoundEnds(); });
}

VlcBackend::Engine::~Engine()
{
    {
        std::lock_guard lock(mutex);
        closing = true;
    }
    soundEndChanged.notify_all();
    endWatch.join();
    libvlc_media_player_stop(player);
    libvlc_media_player_release(player);
}

void VlcBackend::Engine::attachEvents()
{
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(player);
    libvlc_event_attach(events, libvlc_MediaPlayerEndReached, onEndReached, this);
    libvlc_event_attach(events, libvlc_MediaPlayerEncounteredError, onError, this);
}

// Video is drawn at its own size into the window it is given; the program's window, not
// libVLC, answers the mouse and the keyboard.
void VlcBackend::Engine::prepareVideo()
{
    libvlc_video_set_mouse_input(player, 0);
    libvlc_video_set_key_input(player, 0);
    libvlc_video_set_scale(player, 1.0f);
}

void VlcBackend::Engine::onEndReached(const libvlc_event_t*, void* data)
{
    auto* self = static_cast<Engine*>(data);
    {
        std::lock_guard lock(self->mutex);
        self->ended = true;
        if (self->soundEndsAt && std::chrono::steady_clock::now() < *self->soundEndsAt) {
            self->endUntold = true;  // the watch tells when the sound is over
            self->soundEndChanged.notify_all();
            return;
        }
    }
    self->tellEndListener();
}

void VlcBackend::Engine::watchSoundEnds()
{
    std::unique_lock lock(mutex);
    while (!closing) {
        if (!endUntold || !soundEndsAt) {
            soundEndChanged.wait(lock);
            continue;
        }
        if (soundEndChanged.wait_until(lock, *soundEndsAt) == std::cv_status::no_timeout)
            continue;  // woken: look again at what is due
        if (!endUntold || !soundEndsAt || std::chrono::steady_clock::now() < *soundEndsAt)
            continue;
        endUntold = false;
        lock.unlock();
        tellEndListener();
        lock.lock();
    }
}

void VlcBackend::Engine::onError(const libvlc_event_t*, void* data)
{
    auto* self = static_cast<Engine*>(data);
    {
        std::lock_guard lock(self->mutex);
        self->failed = true;
    }
    self->tellEndListener();
}

// After the report is recorded, so that whoever the listener wakes finds it.
void VlcBackend::Engine::tellEndListener()
{
    std::lock_guard lock(listenerMutex);
    if (endListener)
        endListener();
}

void VlcBackend::Engine::setEndListener(std::function<void()> listener)
{
    std::lock_guard lock(listenerMutex);
    endListener = std::move(listener);
}

void VlcBackend::Engine::stop()
{
    // Synchronous: libVLC's input thread is gone afterwards, so no late report of the old
    // media can reach the new one.
    libvlc_media_player_stop(player);
    listenFor({});
}

void VlcBackend::Engine::drawIn(unsigned long window)
{
    if (!vlc.dummyOutputs())
        libvlc_media_player_set_xwindow(player, static_cast<std::uint32_t>(window));
}

void VlcBackend::Engine::listenFor(const std::string& name, std::optional<TimePoint> soundEnd)
{
    const unsigned long long mark = vlc.complaintCount();
    std::lock_guard lock(mutex);
    ended = false;
    failed = false;
    failureTaken = false;
    endUntold = false;
    soundEndsAt = soundEnd;
    mediaName = name;
    complaintMark = mark;
    soundEndChanged.notify_all();
}

void VlcBackend::Engine::expectSoundEndAt(std::optional<TimePoint> soundEnd)
{
    std::lock_guard lock(mutex);
    soundEndsAt = soundEnd;
    soundEndChanged.notify_all();
}

VlcBackend::Engine::Reports VlcBackend::Engine::reports()
{
    std::lock_guard lock(mutex);
    return {ended, failed};
}

std::optional<std::string> VlcBackend::Engine::takeFailure()
{
    std::string name;
    unsigned long long mark = 0;
    {
        std::lock_guard lock(mutex);
        if (!failed || failureTaken)
            return std::nullopt;
        failureTaken = true;
        name = mediaName;
        mark = complaintMark;
    }
    const std::string complaint = vlc.firstComplaintAfter(mark);
    return "Cannot play " + name + ": " +
           (complaint.empty() ? std::string("it could not be read or decoded") : complaint);
}

std::string VlcBackend::Engine::firstComplaint()
{
    unsigned long long mark = 0;
    {
        std::lock_guard lock(mutex);
        mark = complaintMark;
    }
    return vlc.firstComplaintAfter(mark);
}

VlcBackend::VlcBackend() = default;

VlcBackend::~VlcBackend() = default;

void VlcBackend::startEngine() { startedEngine(); }

VlcBackend::Engine& VlcBackend::startedEngine()
{
    if (!engine) {
        engine = std::make_unique<Engine>();
        engine->setEndListener(endListener);
    }
    return *engine;
}

void VlcBackend::requireOpen() const
{
    if (kind == Kind::Closed)
        throw SonorailError("The media device is not open");
}

// ---- Opening and closing ----

void VlcBackend::open(const std::string& deviceType, const std::string& name)
{
    close();
    if (deviceType == "CDAudio")
        openDisc();
    else if (isFileDevice(deviceType))
        openFile(name);
    else
        throw SonorailError("Unknown media device " + deviceType);
}

void VlcBackend::setCdDevice(const std::string& device) { cdDevice = device; }

void VlcBackend::openFile(const std::string& name)
{
    RegularFile::requireReadable(name);  // libVLC's own open would wait for ever on a named pipe
    Engine& vlc = startedEngine();
    vlc.listenFor(name);
    MediaHandle media(libvlc_media_new_path(vlc.instance, name.c_str()));
    if (!media)
        throw SonorailError("Cannot open file " + name + ": libVLC refused it");
    const int status = parseLocally(media.get());
    const libvlc_time_t duration = libvlc_media_get_duration(media.get());
    if (status != libvlc_media_parsed_status_done || duration <= 0) {
        const std::string complaint = vlc.firstComplaint();
        throw SonorailError("Cannot open file " + name + ": " + (complaint.empty() ? parseFailure(status) : complaint));
    }
    const VideoSize size = videoSizeOf(media.get());
    kind = Kind::File;
    fileName = name;
    itemLength = static_cast<long>(duration);
    videoWidth = size.width;
    videoHeight = size.height;
}

void VlcBackend::openDisc()
{
    disc.emplace(cdDevicePath(cdDevice));
    kind = Kind::Disc;
    itemLength = CdDisc::milliseconds(disc->leadOutSector());
}

void VlcBackend::close()
{
    if (engine)
        engine->stop();
    kind = Kind::Closed;
    disc.reset();
    fileName.clear();
    itemLength = 0;
    videoWidth = 0;
    videoHeight = 0;
    run = Run::Idle;
    loaded = {};
    idlePosition = 0;
    pausedPosition = 0;
    hold.reset();
    clock.reset();
    engineDone = false;
    displayWindow = 0;
    requestedRect = {};
}

// ---- The item's timeline ----

VlcBackend::Segment VlcBackend::segmentAt(long position) const
{
    if (kind == Kind::File)
        return {0, 0, itemLength};
    const CdDisc::Track* found = &disc->tracks().front();
    for (const CdDisc::Track& track : disc->tracks())
        if (CdDisc::milliseconds(track.startSector) <= position)
            found = &track;
    return {found->number, CdDisc::milliseconds(found->startSector),
            CdDisc::milliseconds(found->startSector + found->sectorCount)};
}

std::string VlcBackend::segmentName(const Segment& segment) const
{
    if (kind == Kind::File)
        return fileName;
    return "track " + std::to_string(segment.track) + " of " + disc->location();
}

// Gives libVLC a fresh media for the segment holding position, starting at that point.
void VlcBackend::startAt(long position)
{
    Engine& vlc = startedEngine();
    const Segment segment = segmentAt(position);
    const long offset = std::max(0L, position - segment.start);
    vlc.stop();
    // Something put in the file's place since it was opened (a named pipe would hang libVLC's
    // stop) is refused; a file that went is libVLC's to report, as a failure while playing.
    if (kind == Kind::File && RegularFile::checkReadable(fileName) != ENOENT)
        RegularFile::requireReadable(fileName);
    MediaHandle media(kind == Kind::File
                          ? libvlc_media_new_path(vlc.instance, fileName.c_str())
                          : libvlc_media_new_location(vlc.instance, locationOf("cdda", disc->location()).c_str()));
    if (!media)
        throw SonorailError("Cannot play " + segmentName(segment) + ": libVLC refused it");
    if (kind == Kind::Disc) {
        // libVLC counts the disc's tracks from 1 whatever number the first one has.
        const int trackIndex = segment.track - disc->firstTrackNumber() + 1;
        libvlc_media_add_option(media.get(), (":cdda-track=" + std::to_string(trackIndex)).c_str());
    }
    if (offset > 0)
        libvlc_media_add_option(media.get(), startTimeOption(offset).c_str());
    libvlc_media_player_set_media(vlc.player, media.get());
    vlc.drawIn(displayWindow);
    loaded = segment;
    engineDone = false;
    startClock(offset);
    vlc.listenFor(segmentName(segment), soundEnd);
    if (libvlc_media_player_play(vlc.player) != 0) {
        const char* reason = libvlc_errmsg();
        vlc.listenFor({});
        throw SonorailError("Cannot play " + segmentName(segment) + ": " + (reason ? reason : "libVLC refused it"));
    }
    run = Run::Playing;
    holdPosition(offset);
}

// The item's own clock: offset within the loaded media from now on, in real time.
void VlcBackend::startClock(long offset)
{
    clock = SoundClock{offset, std::chrono::steady_clock::now()};
    soundEnd = clock->since + std::chrono::milliseconds(loaded.end - loaded.start - offset);
}

long VlcBackend::clockOffset() const
{
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    return clock->offset +
           static_cast<long>(duration_cast<milliseconds>(std::chrono::steady_clock::now() - clock->since).count());
}

long VlcBackend::engineTime() { return static_cast<long>(libvlc_media_player_get_time(engine->player)); }

void VlcBackend::holdPosition(long offset) { hold = Hold{offset, engineTime(), std::chrono::steady_clock::now()}; }

// libVLC's time has moved since the request and arrived near the requested offset.
bool VlcBackend::releasesHold(long time) const
{
    const bool moved = time != hold->engineTimeThen;
    const bool arrived = time >= hold->offset - kLandsBeforeMilliseconds && time <= hold->offset + kRunsOnMilliseconds;
    return (moved && arrived) || std::chrono::steady_clock::now() - hold->since > kLongestHold;
}

// Stops whatever plays and leaves the position at position.
void VlcBackend::haltAt(long position)
{
    if (engine)
        engine->stop();
    run = Run::Idle;
    idlePosition = position;
    hold.reset();
    clock.reset();
    engineDone = false;
}

// Turns the end of a media, or its failure, into the idle state at its end. libVLC's end
// counts once the item's clock has reached the end too: its sound may still be playing.
void VlcBackend::noticeEngineReports()
{
    if (run == Run::Idle || !engine)
        return;
    const Engine::Reports reports = engine->reports();
    if (reports.failed) {
        run = Run::Idle;
        idlePosition = itemLength;  // a failed item counts as played to its end
        return;
    }
    engineDone = reports.ended;
    if (engineDone && run == Run::Playing && std::chrono::steady_clock::now() >= soundEnd) {
        run = Run::Idle;
        idlePosition = loaded.end;
        clock.reset();
    }
}

// Short of the end until the item has ended: only an ended item stands at its end.
long VlcBackend::playingPosition()
{
    long offset = 0;
    if (engineDone) {
        offset = clockOffset();  // libVLC is done; the sound plays out
        hold.reset();
    } else {
        offset = engineTime();
        if (hold && !releasesHold(offset))
            offset = hold->offset;
        else
            hold.reset();
    }
    return std::clamp(loaded.start + std::max(offset, 0L), loaded.start, loaded.end - 1);
}

// ---- Requests ----

void VlcBackend::play()
{
    requireOpen();
    noticeEngineReports();
    if (run == Run::Paused)
        resume();
    else if (run == Run::Idle && idlePosition < itemLength)
        startAt(idlePosition);
}

void VlcBackend::resume()
{
    const libvlc_state_t state = libvlc_media_player_get_state(engine->player);
    const bool holdsMedia =
        state == libvlc_Paused || state == libvlc_Playing || state == libvlc_Opening || state == libvlc_Buffering;
    if (holdsMedia && !engineDone) {
        libvlc_media_player_set_pause(engine->player, 0);
        run = Run::Playing;
        holdPosition(pausedPosition - loaded.start);
        startClock(pausedPosition - loaded.start);
        engine->expectSoundEndAt(soundEnd);
    } else {
        startAt(pausedPosition);  // libVLC let go of the media while paused
    }
}

void VlcBackend::pause()
{
    requireOpen();
    noticeEngineReports();
    if (run != Run::Playing)
        return;
    pausedPosition = playingPosition();
    libvlc_media_player_set_pause(engine->player, 1);
    run = Run::Paused;
    engine->expectSoundEndAt(std::nullopt);
}

void VlcBackend::seek(long milliseconds)
{
    requireOpen();
    noticeEngineReports();
    const long target = std::clamp(milliseconds, 0L, itemLength);
    if (target >= itemLength) {
        haltAt(itemLength);
    } else if (run == Run::Idle) {
        idlePosition = target;
    } else if (segmentAt(target).track == loaded.track && !engineDone) {
        libvlc_media_player_set_time(engine->player, target - loaded.start);
        holdPosition(target - loaded.start);
        pausedPosition = target;  // what a paused item reports; playing, it is not read
        if (run == Run::Playing) {
            startClock(target - loaded.start);
            engine->expectSoundEndAt(soundEnd);
        }
    } else if (run == Run::Playing) {
        startAt(target);
    } else {
        haltAt(target);  // paused on another track: the next play starts there
    }
}

long VlcBackend::position()
{
    requireOpen();
    noticeEngineReports();
    switch (run) {
        case Run::Playing:
            return playingPosition();
        case Run::Paused:
            return pausedPosition;
        case Run::Idle:
            break;
    }
    return idlePosition;
}

long VlcBackend::length()
{
    requireOpen();
    return itemLength;
}

int VlcBackend::numberOfTracks()
{
    requireOpen();
    return kind == Kind::Disc ? disc->numberOfTracks() : 1;
}

int VlcBackend::firstTrackNumber()
{
    requireOpen();
    return kind == Kind::Disc ? disc->firstTrackNumber() : 1;
}

long VlcBackend::trackPosition(int track)
{
    requireOpen();
    if (kind == Kind::Disc)
        return CdDisc::milliseconds(disc->track(track).startSector);
    if (track != 1)
        throw SonorailError("A file has no track " + std::to_string(track));
    return 0;
}

DiscText VlcBackend::discText()
{
    requireOpen();
    return kind == Kind::Disc ? disc->text() : DiscText{};
}

DiscTableOfContents VlcBackend::tableOfContents()
{
    requireOpen();
    return kind == Kind::Disc ? disc->tableOfContents() : DiscTableOfContents{};
}

long VlcBackend::trackLength(int track)
{
    requireOpen();
    if (kind == Kind::Disc)
        return CdDisc::milliseconds(disc->track(track).sectorCount);
    if (track != 1)
        throw SonorailError("A file has no track " + std::to_string(track));
    return itemLength;
}

bool VlcBackend::canEject() { return kind == Kind::Disc && disc->canEject(); }

void VlcBackend::eject()
{
    requireOpen();
    if (kind != Kind::Disc)
        return;
    haltAt(itemLength);
    disc->eject();
}

void VlcBackend::setDisplayWindow(unsigned long window)
{
    requireOpen();
    displayWindow = window;
    if (engine)
        engine->drawIn(window);
}

void VlcBackend::setDisplayRect(const DisplayRect& rect)
{
    requireOpen();
    requestedRect = rect;
}

DisplayRect VlcBackend::displayRect()
{
    requireOpen();
    if (requestedRect == DisplayRect{})
        return {0, 0, videoWidth, videoHeight};
    return requestedRect;
}

MusicTags VlcBackend::readMusicTags(const std::string& path) { return MusicTagReader::readFile(path); }

void VlcBackend::setEndListener(std::function<void()> listener)
{
    endListener = std::move(listener);
    if (engine)
        engine->setEndListener(endListener);
}

std::optional<std::string> VlcBackend::takeLateFailure()
{
    if (kind == Kind::Closed || !engine)
        return std::nullopt;
    return engine->takeFailure();
}
