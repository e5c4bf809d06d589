#include "drawing/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace floemark::drawing {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) OnError(cinfo);  // a warning: corrupt or truncated data
}

// The two steps that may jump back are kept in functions of their own that hold no C++
// objects, so the jump skips no destructor.
bool StartDecompress(jpeg_decompress_struct* cinfo, ErrorManager* err, const unsigned char* data,
                     unsigned long size) {
  if (setjmp(err->jump)) return false;
  jpeg_mem_src(cinfo, data, size);  // refuses empty data by an error, too
  jpeg_read_header(cinfo, TRUE);
  if (cinfo->image_width > kMaxJpegSide || cinfo->image_height > kMaxJpegSide) {
    std::snprintf(err->message, sizeof err->message,
                  "a picture of %u x %u is larger than any the program has (%d x %d at most)",
                  cinfo->image_width, cinfo->image_height, kMaxJpegSide, kMaxJpegSide);
    return false;
  }
  cinfo->out_color_space = JCS_EXT_BGRX;  // the byte order of QImage::Format_RGB32
  jpeg_start_decompress(cinfo);
  return true;
}

bool ReadScanlines(jpeg_decompress_struct* cinfo, ErrorManager* err, unsigned char* bits,
                   long bytesPerLine) {
  if (setjmp(err->jump)) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = bits + cinfo->output_scanline * bytesPerLine;
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

JpegResult DecodeJpeg(const QByteArray& data) {
  JpegResult result;
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.message[0] = '\0';
  jpeg_create_decompress(&cinfo);
  bool ok = StartDecompress(&cinfo, &err, reinterpret_cast<const unsigned char*>(data.constData()),
                            static_cast<unsigned long>(data.size()));
  if (ok) {
    QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                 QImage::Format_RGB32);
    ok = !image.isNull() &&
         ReadScanlines(&cinfo, &err, image.bits(), static_cast<long>(image.bytesPerLine()));
    if (ok) result.image = std::move(image);
  }
  if (!ok) result.error = QString::fromLocal8Bit(err.message[0] ? err.message : "out of memory");
  jpeg_destroy_decompress(&cinfo);
  return result;
}

}  // namespace floemark::drawing
