#include "replay/recorded_game.h"

#include <zlib.h>

#include <algorithm>

#include <fstream>
#include <map>

#include "files/clsFiles.h"
#include "vb/random.h"

namespace {

// Values are written as they change: clock readings as the step from the
// last one, key tables as the bytes that differ, all as variable-length
// numbers. zlib then squeezes the runs of quiet frames.
void PutNumber(std::string& out, uint64_t v) {
    while (v >= 0x80) {
        out += static_cast<char>((v & 0x7F) | 0x80);
        v >>= 7;
    }
    out += static_cast<char>(v);
}

void PutSigned(std::string& out, int64_t v) {
    PutNumber(out, (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63));
}

void PutText(std::string& out, const std::string& text) {
    PutNumber(out, text.size());
    out += text;
}

void PutFixed(std::string& out, uint64_t v) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// FNV-1a over bytes that follow the ones `hash` is of.
constexpr uint64_t kFnvStart = 0xCBF29CE484222325ull;
uint64_t Fnv1a(const char* bytes, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<uint8_t>(bytes[i])) * 0x100000001B3ull;
    }
    return hash;
}

const char kTag[] = "STOMPVALE RECORDED GAME 1\n";

// A replayed date-time stays within some 140,000 years of 1970: a clock says
// nothing beyond, and the game's own arithmetic on it cannot overflow.
constexpr int64_t kMostReplayedTime = int64_t{1} << 52;

// Deflate turns at most about 1032 bytes into one: a size claimed beyond that
// for the bytes that follow is a lie.
constexpr uint64_t kMostInflation = 1032;

// The payload inflated as its bytes come, never past `size`: false when the
// data is damaged, ends early or unpacks to more.
bool Inflate(const std::string& packed, size_t start, uint64_t size, std::string& payload) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data() + start));
    stream.avail_in = static_cast<uInt>(packed.size() - start);
    payload.clear();
    int result = Z_OK;
    while (result == Z_OK) {
        const size_t room =
            static_cast<size_t>(std::min<uint64_t>(size - payload.size(), uint64_t{1} << 16));
        const size_t before = payload.size();
        payload.resize(before + room + 1); // one more, to see a payload that runs over
        stream.next_out = reinterpret_cast<Bytef*>(payload.data() + before);
        stream.avail_out = static_cast<uInt>(room + 1);
        result = inflate(&stream, Z_NO_FLUSH);
        payload.resize(before + (room + 1 - stream.avail_out));
        if (payload.size() > size) result = Z_DATA_ERROR;
        if (result == Z_BUF_ERROR) result = Z_DATA_ERROR; // the data ends early
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END && payload.size() == size;
}

} // namespace

class RecordReader {
  public:
    explicit RecordReader(const std::string& bytes) : mBytes(bytes) {}
    bool Number(uint64_t& v) {
        v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (mAt >= mBytes.size()) return false;
            const auto byte = static_cast<uint8_t>(mBytes[mAt++]);
            v |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) return true;
        }
        return false;
    }
    bool Signed(int64_t& v) {
        uint64_t u = 0;
        if (!Number(u)) return false;
        v = static_cast<int64_t>(u >> 1) ^ -static_cast<int64_t>(u & 1);
        return true;
    }
    bool Byte(uint8_t& v) {
        if (mAt >= mBytes.size()) return false;
        v = static_cast<uint8_t>(mBytes[mAt++]);
        return true;
    }
    bool Text(std::string& v) {
        uint64_t n = 0;
        if (!Number(n) || n > mBytes.size() - mAt) return false;
        v = mBytes.substr(mAt, n);
        mAt += n;
        return true;
    }
    size_t Left() const { return mBytes.size() - mAt; }
    bool Fixed(uint64_t& v) {
        v = 0;
        for (int i = 0; i < 8; ++i) {
            uint8_t b = 0;
            if (!Byte(b)) return false;
            v |= static_cast<uint64_t>(b) << (8 * i);
        }
        return true;
    }

  private:
    const std::string& mBytes;
    size_t mAt = 0;
};

std::vector<MonsterFileHash> HashMonsterFiles(const std::string& dataFolder) {
    const std::string folder = dataFolder + "/Monsters";
    clsFiles files;
    files.Initialize(folder);
    std::vector<MonsterFileHash> hashes;
    std::string buffer(1 << 16, '\0');
    for (int32_t i = 1; i <= files.Count(); ++i) {
        const std::string path = files.FileNamePath(i);
        // Through a buffer: a monster file may be larger than is worth holding.
        std::ifstream in(path, std::ios::binary);
        uint64_t hash = kFnvStart;
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0) {
            hash = Fnv1a(buffer.data(), static_cast<size_t>(in.gcount()), hash);
        }
        hashes.push_back({path.substr(folder.size() + 1), hash});
    }
    return hashes;
}

std::string CompareMonsterFiles(const std::vector<MonsterFileHash>& recorded,
                                const std::vector<MonsterFileHash>& current) {
    std::map<std::string, uint64_t> now;
    for (const MonsterFileHash& f : current) now[f.path] = f.hash;
    std::string changed, missing, added;
    auto add = [](std::string& list, const std::string& name) {
        list += (list.empty() ? "" : ", ") + ("'" + name + "'");
    };
    for (const MonsterFileHash& f : recorded) {
        const auto it = now.find(f.path);
        if (it == now.end()) {
            add(missing, f.path);
        } else {
            if (it->second != f.hash) add(changed, f.path);
            now.erase(it);
        }
    }
    for (const auto& [path, hash] : now) add(added, path);
    std::string out;
    for (const auto& [label, list] : {std::pair{"changed: ", changed},
                                      std::pair{"missing: ", missing}, std::pair{"new: ", added}}) {
        if (!list.empty()) out += (out.empty() ? "" : "; ") + (label + list);
    }
    return out;
}

std::string EncodeRecordedGame(const RecordedGame& game, int level) {
    std::string payload;
    PutText(payload, game.program);
    PutText(payload, game.version);
    PutSigned(payload, game.desktopWidth);
    PutSigned(payload, game.desktopHeight);
    PutNumber(payload, game.monsters.size());
    for (const MonsterFileHash& f : game.monsters) {
        PutText(payload, f.path);
        PutFixed(payload, f.hash);
    }
    PutText(payload, game.historyAtStart);
    PutFixed(payload, game.checksum);
    for (const std::string* stream : {&game.seeds, &game.clock, &game.now, &game.keys, &game.events,
                                      &game.cursor, &game.audio}) {
        PutText(payload, *stream);
    }
    PutText(payload, game.times);
    uLongf packedSize = compressBound(static_cast<uLong>(payload.size()));
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(payload.data()), static_cast<uLong>(payload.size()),
              level);
    packed.resize(packedSize);
    std::string file = kTag;
    PutFixed(file, payload.size());
    return file + packed;
}

bool DecodeRecordedGame(const std::string& bytes, RecordedGame& game, std::string& error) {
    const std::string tag = kTag;
    if (bytes.compare(0, tag.size(), tag) != 0) {
        error = "not a recorded game of this program";
        return false;
    }
    error = "the recording is damaged";
    const size_t start = tag.size() + 8;
    if (bytes.size() < start) return false;
    uint64_t size = 0;
    for (size_t i = 0; i < 8; ++i) {
        size |= static_cast<uint64_t>(static_cast<uint8_t>(bytes[tag.size() + i])) << (8 * i);
    }
    // The size is believed only as far as the rest of the file can hold it.
    std::string payload;
    if (size > kRecordingMostPayload || size > (bytes.size() - start) * kMostInflation ||
        !Inflate(bytes, start, size, payload)) {
        return false;
    }
    RecordReader in(payload);
    int64_t width = 0, height = 0;
    uint64_t count = 0;
    // Each monster takes a length and a hash of eight bytes at least.
    bool ok = in.Text(game.program) && in.Text(game.version) && in.Signed(width) &&
              in.Signed(height) && in.Number(count) && count <= in.Left() / 9 &&
              width >= kLeastDesktopSide && width <= kMostDesktopSide &&
              height >= kLeastDesktopSide && height <= kMostDesktopSide;
    game.desktopWidth = static_cast<int32_t>(width);
    game.desktopHeight = static_cast<int32_t>(height);
    game.monsters.clear();
    for (uint64_t i = 0; ok && i < count; ++i) {
        MonsterFileHash f;
        ok = in.Text(f.path) && in.Fixed(f.hash);
        game.monsters.push_back(f);
    }
    ok = ok && in.Text(game.historyAtStart) && in.Fixed(game.checksum);
    for (std::string* stream : {&game.seeds, &game.clock, &game.now, &game.keys, &game.events,
                                &game.cursor, &game.audio}) {
        ok = ok && in.Text(*stream);
    }
    game.times.clear();
    if (ok && in.Left() > 0) ok = in.Text(game.times);
    if (ok) error.clear();
    return ok;
}

// --- recording -----------------------------------------------------------------

RecordingHost::RecordingHost(platform::Host& inner, RecordedGame& record)
    : ForwardingHost(inner), mRecord(record) {
    mRecord.desktopWidth = inner.DesktopWidth();
    mRecord.desktopHeight = inner.DesktopHeight();
}

uint64_t RecordingHost::NewSeed() {
    const uint64_t seed = vb::ClockSeed();
    PutNumber(mRecord.seeds, seed);
    return seed;
}

uint32_t RecordingHost::TimeGetTime() {
    const uint32_t now = mInner.TimeGetTime();
    PutSigned(mRecord.clock, static_cast<int32_t>(now - mLastClock));
    mLastClock = now;
    return now;
}

platform::DateTime RecordingHost::Now() {
    const platform::DateTime now = mInner.Now();
    PutSigned(mRecord.now, now - mLastNow);
    mLastNow = now;
    return now;
}

bool RecordingHost::DoEvents() {
    const bool close = mInner.DoEvents();
    mRecord.events += close ? '\1' : '\0';
    if (AfterEvents) AfterEvents();
    return close;
}

void RecordingHost::GetKeyboardState(uint8_t table[256]) {
    mInner.GetKeyboardState(table);
    std::string changes;
    uint64_t count = 0;
    for (int i = 0; i < 256; ++i) {
        if (table[i] == mLastKeys[i]) continue;
        changes += static_cast<char>(i);
        changes += static_cast<char>(table[i]);
        mLastKeys[i] = table[i];
        ++count;
    }
    PutNumber(mRecord.keys, count);
    mRecord.keys += changes;
}

platform::ScreenPoint RecordingHost::GetCursorPos() {
    const platform::ScreenPoint p = mInner.GetCursorPos();
    PutSigned(mRecord.cursor, int64_t{p.x} - mLastCursor.x);
    PutSigned(mRecord.cursor, int64_t{p.y} - mLastCursor.y);
    mLastCursor = p;
    return p;
}

bool RecordingHost::OpenAudio(int32_t frequency) {
    const bool open = mInner.OpenAudio(frequency);
    mRecord.audio += open ? '\1' : '\0';
    return open;
}

// --- replaying -----------------------------------------------------------------

ReplayingHost::ReplayingHost(platform::Host& inner, const RecordedGame& record, bool paced)
    : ForwardingHost(inner), mRecord(record), mPaced(paced),
      mSeeds(std::make_unique<RecordReader>(record.seeds)),
      mClock(std::make_unique<RecordReader>(record.clock)),
      mNow(std::make_unique<RecordReader>(record.now)),
      mKeys(std::make_unique<RecordReader>(record.keys)),
      mEvents(std::make_unique<RecordReader>(record.events)),
      mCursor(std::make_unique<RecordReader>(record.cursor)),
      mAudio(std::make_unique<RecordReader>(record.audio)) {}

ReplayingHost::~ReplayingHost() = default;

uint64_t ReplayingHost::NewSeed() {
    uint64_t seed = 0;
    if (!mSeeds->Number(seed)) mRanOut = true;
    return seed;
}

uint32_t ReplayingHost::TimeGetTime() {
    int64_t step = 0;
    if (mClock->Signed(step)) {
        mLastClock += static_cast<uint32_t>(step);
    } else {
        mRanOut = true;
        ++mLastClock; // past the end time still passes, so no wait lasts for ever
    }
    if (!mClockStarted) {
        mClockStarted = true;
        mFirstClock = mLastClock;
        mInnerStart = mInner.TimeGetTime();
    }
    return mLastClock;
}

void ReplayingHost::Sleep(uint32_t milliseconds) {
    if (mPaced) mInner.Sleep(milliseconds);
}

void ReplayingHost::SleepUntil(uint32_t timeGetTime) {
    // The recording's clock mapped onto the window's own: the replay keeps
    // the recorded pace.
    if (mPaced && mClockStarted) mInner.SleepUntil(mInnerStart + (timeGetTime - mFirstClock));
}

platform::DateTime ReplayingHost::Now() {
    int64_t step = 0;
    if (mNow->Signed(step)) {
        // Held within what a clock can say: the game adds to it.
        mLastNow = std::clamp(
            static_cast<int64_t>(static_cast<uint64_t>(mLastNow) + static_cast<uint64_t>(step)),
            -kMostReplayedTime, kMostReplayedTime);
    } else {
        mRanOut = true;
    }
    return mLastNow;
}

bool ReplayingHost::DoEvents() {
    const bool closedHere = mInner.DoEvents(); // the window stays alive and may be closed
    uint8_t recorded = 0;
    if (!mEvents->Byte(recorded)) {
        mRanOut = true;
        return true;
    }
    return recorded != 0 || closedHere;
}

void ReplayingHost::GetKeyboardState(uint8_t table[256]) {
    uint64_t count = 0;
    if (mKeys->Number(count)) {
        for (uint64_t i = 0; i < count; ++i) {
            uint8_t key = 0, value = 0;
            if (!mKeys->Byte(key) || !mKeys->Byte(value)) {
                mRanOut = true;
                break;
            }
            mLastKeys[key] = value;
        }
    } else {
        mRanOut = true;
    }
    for (int i = 0; i < 256; ++i) table[i] = mLastKeys[i];
}

platform::ScreenPoint ReplayingHost::GetCursorPos() {
    int64_t dx = 0, dy = 0;
    if (mCursor->Signed(dx) && mCursor->Signed(dy)) {
        // As the recording took the steps: around the 32-bit range.
        mLastCursor.x =
            static_cast<int32_t>(static_cast<uint32_t>(mLastCursor.x) + static_cast<uint32_t>(dx));
        mLastCursor.y =
            static_cast<int32_t>(static_cast<uint32_t>(mLastCursor.y) + static_cast<uint32_t>(dy));
    } else {
        mRanOut = true;
    }
    return mLastCursor;
}

bool ReplayingHost::OpenAudio(int32_t frequency) {
    uint8_t open = 0;
    if (!mAudio->Byte(open)) mRanOut = true;
    if (open) mInner.OpenAudio(frequency); // sounds, where there are any, can play
    return open != 0;
}
