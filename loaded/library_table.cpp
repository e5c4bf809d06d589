#include "loaded/library_table.h"

#include <dlfcn.h>

namespace floemark::loaded {

void* Symbols::Address(const char* symbol) {
  void* address = dlsym(handle_, symbol);
  if (address == nullptr && missing_.empty()) missing_ = symbol;
  return address;
}

void* OpenLibrary(const char* soname, std::string& whyNot) {
  void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = dlerror();
    whyNot = error != nullptr ? error : soname;
  }
  return handle;
}

}  // namespace floemark::loaded
