#pragma once
// The cue's way to a stream's own thread: an eventfd that the stream's loop watches, written
// from any thread (the game's, when a sound starts) and drained on the loop's thread. It never
// blocks and never loses a notice: the counter is only full when a billion cues have gone
// unread, and one read takes them all. Made with the stream and kept past its connections, so
// that a cue told to a stream being replaced at that moment lands somewhere harmless.

namespace floemark::sound {

class CueWakeup {
 public:
  CueWakeup();
  ~CueWakeup();
  CueWakeup(const CueWakeup&) = delete;
  CueWakeup& operator=(const CueWakeup&) = delete;

  // The descriptor for the loop to watch for input; -1 if none could be made.
  int Fd() const { return fd_; }
  // Any thread.
  void Notify() const;
  // The loop's thread, when fd is readable: takes every notice so far.
  static void Drain(int fd);

 private:
  const int fd_;
};

}  // namespace floemark::sound
