// Where the program looks for PipeWire before it loads libpipewire: a socket missed sends a
// PipeWire desktop through its PulseAudio server (at twice the cost), one found where
// libpipewire would not look loads it for nothing and plays to the wrong server.

#include "sdl_audio/pipewire_stream.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "support/scratch_dir.h"

namespace floemark::sound {
namespace {

namespace fs = std::filesystem;

// Sets the variables for its life, then puts back what was there.
class Environment {
 public:
  ~Environment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  void Set(const std::string& name, const std::optional<std::string>& value) {
    if (!saved_.count(name)) {
      const char* was = std::getenv(name.c_str());
      saved_[name] = was ? std::optional<std::string>(was) : std::nullopt;
    }
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

// A listening unix socket at path, closed with the object.
class Socket {
 public:
  explicit Socket(const fs::path& path) : fd_(socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = path.string();
    EXPECT_LT(name.size(), sizeof address.sun_path);
    name.copy(address.sun_path, sizeof address.sun_path - 1);
    EXPECT_EQ(bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(fd_, 1), 0);
  }
  ~Socket() { close(fd_); }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

 private:
  int fd_;
};

TEST(PipeWireSocketTest, FoundWhereLibpipewireLooksAndOnlyAsASocket) {
  testing::ScratchDir scratch;
  const fs::path runtime = scratch.Root() / "pw";
  const fs::path xdg = scratch.Root() / "xdg";
  fs::create_directories(runtime);
  fs::create_directories(xdg);
  Socket pipewire(runtime / "pipewire-0");
  Socket elsewhere(scratch.Root() / "elsewhere");
  std::ofstream(xdg / "pipewire-0") << "a file, not a socket";

  Environment env;
  env.Set("PIPEWIRE_REMOTE", std::nullopt);
  env.Set("PIPEWIRE_RUNTIME_DIR", runtime.string());
  env.Set("XDG_RUNTIME_DIR", xdg.string());
  EXPECT_TRUE(PipeWireStream::SocketThere()) << "PIPEWIRE_RUNTIME_DIR comes first";

  env.Set("PIPEWIRE_RUNTIME_DIR", "");
  EXPECT_FALSE(PipeWireStream::SocketThere()) << "in XDG_RUNTIME_DIR a plain file is there";
  env.Set("XDG_RUNTIME_DIR", runtime.string());
  EXPECT_TRUE(PipeWireStream::SocketThere()) << "XDG_RUNTIME_DIR without PIPEWIRE_RUNTIME_DIR";

  env.Set("PIPEWIRE_REMOTE", "pipewire-1");
  EXPECT_FALSE(PipeWireStream::SocketThere()) << "another remote by name";
  env.Set("PIPEWIRE_REMOTE", (scratch.Root() / "elsewhere").string());
  EXPECT_TRUE(PipeWireStream::SocketThere()) << "a remote by its path";

  env.Set("PIPEWIRE_REMOTE", std::nullopt);
  env.Set("PIPEWIRE_RUNTIME_DIR", std::nullopt);
  env.Set("XDG_RUNTIME_DIR", std::nullopt);
  EXPECT_FALSE(PipeWireStream::SocketThere())
      << "no runtime folder: the home folder is not searched";
}

}  // namespace
}  // namespace floemark::sound
