#pragma once
// Game pads for the two players, through SDL's game controllers and its database of pad
// mappings (SDL_GAMECONTROLLERCONFIG adds mappings it lacks). The first pad plugged in plays the
// penguin, the second the seal; a pad unplugged frees its side for the next one (a pad waiting
// for a side gets it at once). Pads act through PadKeys, so through the keyboard's handlers.
//
// Cost: with no pad plugged in nothing polls, and SDL is not even loaded (it is started with the
// first pad the kernel knows of, pad_presence.h, and stays up); the process learns of a new pad
// from the kernel's notice that /dev/input changed. A pad whose device node can be read wakes the
// loop only when it has news, and is looked at no more than 125 times a second; one that can't
// (SDL's virtual pads, a node without permission) is polled 125 times a second while it is plugged
// in. GUI thread only; SDL's game controllers are stopped with the object.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/input/input_waker.h"
#include "app/input/pad_keys.h"
#include "app/input/pad_presence.h"

typedef struct _SDL_GameController SDL_GameController;
union SDL_Event;
namespace floemark::sdl {
struct SdlLibrary;
}

namespace floemark::app {

class Gamepads : public QObject {
 public:
  static constexpr int kPollMs = 8;

  // key receives the pads' key changes (down, virtual key code). SDL's game controllers are
  // started at once if padPresent says a pad is plugged in, else when it first says so after
  // /dev/input changed. Gamepads do nothing, and say why in Error(), when they cannot be started.
  explicit Gamepads(
      PadKeys::KeyFn key, QObject* parent = nullptr,
      std::function<bool()> padPresent = [] { return PadPresent(); });
  ~Gamepads() override;

  // The buttons of each side's keys, for the pads plugged in and those to come.
  void SetBindings(const std::array<std::array<PadButton, 3>, 2>& pad);

  // Whether SDL's game controllers are up.
  bool Working() const { return sdl_ != nullptr; }
  const std::string& Error() const { return error_; }

  // Starts SDL's game controllers if a pad has come, then Update(). The hotplug watch calls it.
  void Look();
  // Looks for pads plugged in or out, and takes what they did since the last look. The poll and
  // the pads' wakers call it.
  void Update();

  int PadCount() const { return static_cast<int>(pads_.size()); }
  // The side pad number i (in the order they were plugged in) plays; 0 while it waits.
  int SideOfPad(int i) const { return pads_.at(i)->keys.Side(); }
  // Whether SDL is polled on the clock, for a pad that can't wake the loop itself.
  bool Polling() const { return poll_.isActive(); }

 private:
  struct Pad {
    SDL_GameController* controller;
    std::int32_t id;  // SDL_JoystickID
    PadKeys keys;
    std::unique_ptr<InputWaker> waker;  // null when the pad can't wake the loop
  };
  void Handle(const SDL_Event& e);
  void Added(int deviceIndex);
  void Removed(std::int32_t id);
  Pad* Find(std::int32_t id);
  void AssignSides();
  void WatchForPads();
  void Start();

  PadKeys::KeyFn key_;
  std::function<bool()> padPresent_;
  const sdl::SdlLibrary* sdl_ = nullptr;
  std::array<std::array<PadButton, 3>, 2> bindings_{};
  std::string error_;
  std::vector<std::unique_ptr<Pad>> pads_;
  QTimer poll_;
  QFileSystemWatcher watcher_;
};

}  // namespace floemark::app
