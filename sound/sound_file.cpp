#include "sound/sound_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

#include "base/error.h"
#include "sound/wav_check.h"
#include "sound/wav_decode.h"

namespace floemark::sound {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  FailSoundFile(path, reason);
}

[[noreturn]] void FailUnreadable(const std::string& path, int error) {
  Fail(path, std::string("the file cannot be read (") + std::strerror(error) + ")");
}

// What tells one state of a file from another without reading it.
struct FileState {
  dev_t device;
  ino_t inode;
  off_t size;
  timespec modified, changed;
  bool operator==(const FileState& o) const {
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};

FileState StateOf(const struct stat& info) {
  return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

// The file's change is more than kSettleMs old, on the clock's UTC time of day against the
// change's: ages are told apart within a day, which is all the rule needs. A file changed a
// whole number of days ago, give or take the settle time, is decoded once more; a change
// stamped up to an hour ahead of the clock (another machine's file system) counts as recent.
bool Settled(const FileState& state, Clock& clock) {
  constexpr std::int64_t kDayMs = 86'400'000;
  const std::int64_t changedMs = static_cast<std::int64_t>(state.changed.tv_sec % 86'400) * 1000 +
                                 state.changed.tv_nsec / 1'000'000;
  const std::int64_t ageMs = ((clock.TimeOfDayMs() - changedMs) % kDayMs + kDayMs) % kDayMs;
  return ageMs > kSettleMs && ageMs < kDayMs - 3'600'000;
}

struct Descriptor {
  int fd;
  ~Descriptor() { close(fd); }
};

// Opens a regular file of sound size, the checks in the order a person would look.
int OpenSoundFile(const std::string& path, FileState& state) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) Fail(path, "the file does not exist");
    FailUnreadable(path, errno);
  }
  if (S_ISDIR(info.st_mode)) Fail(path, "it is a folder, not a file");
  if (!S_ISREG(info.st_mode)) Fail(path, "it is not a regular file");
  if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
    Fail(path, "the file is too large for a sound (" + std::to_string(info.st_size) + " bytes)");
  }
  // Non-blocking, so that a FIFO put in the file's place since stat can't hang the game.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) FailUnreadable(path, errno);
  // From here on the open file is the one looked at, whatever happens to the name.
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
    close(fd);
    Fail(path, "the file changed while it was opened");
  }
  state = StateOf(info);
  return fd;
}

std::vector<std::uint8_t> ReadAll(int fd, off_t size, const std::string& path) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(path, "the file cannot be read (read error)");
    }
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

// The sounds decoded lately, each with the state of the file it came from. Bounded, so that
// a run loading many different files holds only the last few.
class DecodedSounds {
 public:
  static constexpr std::size_t kMaxBytes = 16u << 20;

  std::shared_ptr<const Pcm> Find(const FileState& state, int rate) {
    std::lock_guard lock(mutex_);
    for (const Entry& e : entries_)
      if (e.rate == rate && e.state == state) return e.pcm;
    return nullptr;
  }

  void Keep(const FileState& state, int rate, std::shared_ptr<const Pcm> pcm) {
    const std::size_t bytes = Bytes(*pcm);
    if (bytes > kMaxBytes) return;
    std::lock_guard lock(mutex_);
    // One entry a file: an older state of it can never match again.
    std::erase_if(entries_, [&](const Entry& e) {
      return e.rate == rate && e.state.device == state.device && e.state.inode == state.inode;
    });
    entries_.push_back({state, rate, std::move(pcm)});
    std::size_t total = 0;
    for (const Entry& e : entries_) total += Bytes(*e.pcm);
    while (total > kMaxBytes) {  // the oldest go first
      total -= Bytes(*entries_.front().pcm);
      entries_.erase(entries_.begin());
    }
  }

 private:
  struct Entry {
    FileState state;
    int rate;
    std::shared_ptr<const Pcm> pcm;
  };
  static std::size_t Bytes(const Pcm& pcm) { return pcm.samples.size() * sizeof(std::int16_t); }
  std::mutex mutex_;
  std::vector<Entry> entries_;
};

DecodedSounds& Decoded() {
  static DecodedSounds decoded;
  return decoded;
}

std::atomic<std::uint64_t> decodes{0};

}  // namespace

std::unique_ptr<const Pcm> LoadSoundFile(const std::string& path, int sampleRate, Clock& clock) {
  FileState state{};
  const Descriptor file{OpenSoundFile(path, state)};
  if (std::shared_ptr<const Pcm> known = Decoded().Find(state, sampleRate))
    return std::make_unique<const Pcm>(*known);
  std::unique_ptr<const Pcm> pcm =
      DecodeSound(ReadAll(file.fd, state.size, path), sampleRate, path);
  if (Settled(state, clock)) Decoded().Keep(state, sampleRate, std::make_shared<const Pcm>(*pcm));
  return pcm;
}

std::uint64_t SoundsDecoded() { return decodes.load(); }

std::unique_ptr<const Pcm> DecodeSound(std::span<const std::uint8_t> file, int sampleRate,
                                       const std::string& path) {
  decodes.fetch_add(1);
  if (std::string problem = CheckWavStructure(file); !problem.empty()) Fail(path, problem);

#ifdef FLOEMARK_SOUND_SDL
  // A file to convert is the desktop's decoder's, as it always was; one in the mixer's format
  // comes out of both the same, and then SDL need not be loaded for it.
  if (!InMixerFormat(file, sampleRate)) return DecodeWavSdl(file, sampleRate, path);
#endif
  return DecodeWavPortable(file, sampleRate, path);
}

}  // namespace floemark::sound
