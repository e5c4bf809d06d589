#include "sdl_audio/cue_wakeup.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace floemark::sound {

CueWakeup::CueWakeup() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

CueWakeup::~CueWakeup() {
  if (fd_ >= 0) close(fd_);
}

void CueWakeup::Notify() const {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = write(fd_, &one, sizeof one);
}

void CueWakeup::Drain(int fd) {
  std::uint64_t count;
  while (read(fd, &count, sizeof count) > 0) {
  }
}

}  // namespace floemark::sound
