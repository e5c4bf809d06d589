#pragma once
// A table of a shared library's functions, loaded with dlopen at the first use and kept for the
// run, for the libraries the desktop needs only some of the time (SDL2, libpulse, libpipewire):
// linked, each would be mapped into every run with what it links in turn. A table is a struct of
// function pointers declared from the library's own header (decltype(&::pa_stream_new)), so that
// a wrong name or type does not build.

#include <string>

namespace floemark::loaded {

// The library's symbols, for the table's filling; the first one missing is remembered.
class Symbols {
 public:
  explicit Symbols(void* handle) : handle_(handle) {}
  template <typename Function>
  void Find(const char* symbol, Function*& function) {
    function = reinterpret_cast<Function*>(Address(symbol));
  }
  const std::string& Missing() const { return missing_; }

 private:
  void* Address(const char* symbol);
  void* handle_;
  std::string missing_;
};

// The library by its soname, never closed: these keep threads and state of their own (signal
// and fork handlers, plugins, subsystems) that unloading would leave pointing nowhere. nullptr,
// with dlerror's reason in whyNot, when it can't be loaded.
void* OpenLibrary(const char* soname, std::string& whyNot);

// The table, filled by fill(table, symbols) on the first call, from any thread; nullptr, with
// the reason in whyNot, when the library is not installed or lacks a function. One table per
// Table type: each has its one Get calling this.
template <typename Table, typename Fill>
const Table* LoadTable(const char* soname, std::string& whyNot, Fill fill) {
  struct Loaded {
    Table table;
    std::string whyNot;
  };
  static const Loaded loaded = [&] {
    Loaded l;
    void* handle = OpenLibrary(soname, l.whyNot);
    if (handle == nullptr) return l;
    Symbols symbols(handle);
    fill(l.table, symbols);
    if (!symbols.Missing().empty()) l.whyNot = std::string(soname) + " has no " + symbols.Missing();
    return l;
  }();
  if (loaded.whyNot.empty()) return &loaded.table;
  whyNot = loaded.whyNot;
  return nullptr;
}

}  // namespace floemark::loaded
