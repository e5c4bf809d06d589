#include "app/input/gamepads.h"

#include <QDir>
#include <optional>

#include "loaded/sdl_library.h"

namespace floemark::app {
namespace {

constexpr int kSides = 2;

std::optional<PadButton> ButtonOf(Uint8 button) {
  using C = PadButton;
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return C::A;
    case SDL_CONTROLLER_BUTTON_B:
      return C::B;
    case SDL_CONTROLLER_BUTTON_X:
      return C::X;
    case SDL_CONTROLLER_BUTTON_Y:
      return C::Y;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return C::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return C::RightShoulder;
    case SDL_CONTROLLER_BUTTON_START:
      return C::Start;
    case SDL_CONTROLLER_BUTTON_BACK:
      return C::Back;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return C::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return C::DpadRight;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return C::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return C::DpadDown;
    default:
      return std::nullopt;
  }
}

}  // namespace

Gamepads::Gamepads(PadKeys::KeyFn key, QObject* parent, std::function<bool()> padPresent)
    : QObject(parent), key_(std::move(key)), padPresent_(std::move(padPresent)) {
  poll_.setTimerType(Qt::PreciseTimer);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &Gamepads::Update);
  WatchForPads();
  Look();
}

void Gamepads::Start() {
  const sdl::SdlLibrary* sdl = sdl::SdlLibrary::Get(error_);
  if (sdl == nullptr) return;
  // SDL would otherwise take SIGINT and SIGTERM for an event queue this program never reads.
  sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Pads are read whichever window has the focus, as the keyboard is read only by the console:
  // the pads belong to the game, not to a window.
  sdl->SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (sdl->InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    error_ = sdl->GetError();
    return;
  }
  error_.clear();
  sdl_ = sdl;
}

void Gamepads::Look() {
  // SDL is tried once: a failure to start it is not mended by plugging in a pad.
  if (sdl_ == nullptr && error_.empty() && padPresent_()) Start();
  // The pads plugged in before the start are announced by SDL at once.
  Update();
}

void Gamepads::SetBindings(const std::array<std::array<PadButton, 3>, 2>& pad) {
  bindings_ = pad;
  for (auto& p : pads_) p->keys.SetBindings(pad);
}

Gamepads::~Gamepads() {
  if (sdl_ == nullptr) return;
  for (auto& pad : pads_) {
    pad->keys.ReleaseAll();
    sdl_->GameControllerClose(pad->controller);
  }
  pads_.clear();
  sdl_->QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::WatchForPads() {
  // A pad plugged in shows as a new device node; the kernel's notice wakes the loop only then.
  // Its permissions may be set a moment after the node appears, so SDL is asked again a little
  // later as well.
  const QString input = QStringLiteral("/dev/input");
  if (!QDir(input).exists() || !watcher_.addPath(input)) return;
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    Look();
    for (int ms : {250, 1000, 3000}) QTimer::singleShot(ms, this, &Gamepads::Look);
  });
}

void Gamepads::Update() {
  if (sdl_ == nullptr) return;
  sdl_->PumpEvents();
  // Only the pads' own events: whatever else SDL queues (the audio device's) is not ours.
  SDL_Event events[32];
  for (;;) {
    const int n = sdl_->PeepEvents(events, 32, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                                   SDL_CONTROLLERSENSORUPDATE);
    for (int i = 0; i < n; ++i) Handle(events[i]);
    if (n < 32) break;
  }
  // The raw joystick events that come with them are never read.
  sdl_->FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBATTERYUPDATED);
  bool mute = false;
  for (const auto& pad : pads_) mute = mute || !pad->waker || !pad->waker->Working();
  if (!mute)
    poll_.stop();
  else if (!poll_.isActive())
    poll_.start();
}

void Gamepads::Handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Added(e.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      Removed(e.cdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (Pad* pad = Find(e.cbutton.which))
        if (const auto c = ButtonOf(e.cbutton.button))
          pad->keys.Button(*c, e.type == SDL_CONTROLLERBUTTONDOWN);
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
        if (Pad* pad = Find(e.caxis.which)) pad->keys.StickX(e.caxis.value);
      break;
    default:
      break;
  }
}

void Gamepads::Added(int deviceIndex) {
  SDL_GameController* c = sdl_->GameControllerOpen(deviceIndex);
  if (c == nullptr) return;
  const SDL_JoystickID id = sdl_->JoystickInstanceID(sdl_->GameControllerGetJoystick(c));
  // One pad, one entry, however often SDL announces it.
  if (Find(id) != nullptr) {
    sdl_->GameControllerClose(c);
    return;
  }
  auto pad = std::make_unique<Pad>(Pad{c, id, PadKeys(key_), nullptr});
  pad->keys.SetBindings(bindings_);
  if (const char* path = sdl_->GameControllerPath(c)) {
    pad->waker =
        std::make_unique<InputWaker>(QString::fromLocal8Bit(path), kPollMs, [this] { Update(); });
    if (!pad->waker->Working()) pad->waker.reset();
  }
  pads_.push_back(std::move(pad));
  AssignSides();
}

void Gamepads::Removed(std::int32_t id) {
  for (auto it = pads_.begin(); it != pads_.end(); ++it) {
    if ((*it)->id != id) continue;
    // Whatever it held is let go, so no key stays pressed on the console.
    (*it)->keys.ReleaseAll();
    sdl_->GameControllerClose((*it)->controller);
    // Its waker may be the one whose news brought us here: it goes once that has returned.
    if (InputWaker* waker = (*it)->waker.release()) waker->deleteLater();
    pads_.erase(it);
    break;
  }
  AssignSides();
}

Gamepads::Pad* Gamepads::Find(std::int32_t id) {
  for (auto& pad : pads_)
    if (pad->id == id) return pad.get();
  return nullptr;
}

void Gamepads::AssignSides() {
  // Sides go to pads in the order they were plugged in; a pad keeps its side while it stays.
  bool taken[kSides + 1] = {};
  for (auto& pad : pads_) taken[pad->keys.Side()] = true;
  for (auto& pad : pads_) {
    if (pad->keys.Side() != 0) continue;
    for (int side = 1; side <= kSides; ++side) {
      if (taken[side]) continue;
      taken[side] = true;
      pad->keys.SetSide(side);
      sdl_->GameControllerSetPlayerIndex(pad->controller, side - 1);
      break;
    }
  }
}

}  // namespace floemark::app
