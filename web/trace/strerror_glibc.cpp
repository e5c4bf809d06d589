// floemark-trace.js says why a script can't be read in the native tool's words: emscripten's C
// library (musl) words some errors its own way ("I/O error" for glibc's "Input/output error"),
// and the tool's one line on standard error must be the same under Node as on Debian. This
// strerror, linked into floemark-trace.js only, gives glibc's texts.
#include <cerrno>
#include <cstdio>
#include <cstring>

extern "C" char* strerror(int error) {
  const char* text = nullptr;
  switch (error) {
    case 0:
      text = "Success";
      break;
    case EPERM:
      text = "Operation not permitted";
      break;
    case ENOENT:
      text = "No such file or directory";
      break;
    case EINTR:
      text = "Interrupted system call";
      break;
    case EIO:
      text = "Input/output error";
      break;
    case ENXIO:
      text = "No such device or address";
      break;
    case EBADF:
      text = "Bad file descriptor";
      break;
    case EAGAIN:
      text = "Resource temporarily unavailable";
      break;
    case ENOMEM:
      text = "Cannot allocate memory";
      break;
    case EACCES:
      text = "Permission denied";
      break;
    case EFAULT:
      text = "Bad address";
      break;
    case EBUSY:
      text = "Device or resource busy";
      break;
    case ENODEV:
      text = "No such device";
      break;
    case ENOTDIR:
      text = "Not a directory";
      break;
    case EISDIR:
      text = "Is a directory";
      break;
    case EINVAL:
      text = "Invalid argument";
      break;
    case ENFILE:
      text = "Too many open files in system";
      break;
    case EMFILE:
      text = "Too many open files";
      break;
    case ETXTBSY:
      text = "Text file busy";
      break;
    case EFBIG:
      text = "File too large";
      break;
    case ENOSPC:
      text = "No space left on device";
      break;
    case ESPIPE:
      text = "Illegal seek";
      break;
    case EROFS:
      text = "Read-only file system";
      break;
    case EPIPE:
      text = "Broken pipe";
      break;
    case ENAMETOOLONG:
      text = "File name too long";
      break;
    case ELOOP:
      text = "Too many levels of symbolic links";
      break;
    case EOVERFLOW:
      text = "Value too large for defined data type";
      break;
    case ESTALE:
      text = "Stale file handle";
      break;
  }
  static char unknown[32];
  if (text == nullptr) {
    std::snprintf(unknown, sizeof unknown, "Unknown error %d", error);
    return unknown;
  }
  return const_cast<char*>(text);
}
