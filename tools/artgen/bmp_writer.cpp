#include "tools/artgen/bmp_writer.h"

namespace floemark::artgen {

namespace {

void Put16(QByteArray& b, int v) {
  b.append(char(v & 0xFF));
  b.append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& b, qint64 v) {
  for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

}  // namespace

QByteArray EncodeBmp(const QImage& img) {
  int bits = 0;
  if (img.format() == QImage::Format_Mono) bits = 1;
  if (img.format() == QImage::Format_Indexed8) bits = 8;
  if (bits == 0) return {};
  const QList<QRgb> palette = img.colorTable();
  const int rowBytes = ((img.width() * bits + 31) / 32) * 4;
  const int headers = 14 + 40 + 4 * int(palette.size());
  const qint64 imageBytes = qint64(rowBytes) * img.height();

  QByteArray b;
  b.append("BM");
  Put32(b, headers + imageBytes);
  Put32(b, 0);
  Put32(b, headers);
  Put32(b, 40);
  Put32(b, img.width());
  Put32(b, img.height());  // positive: rows stored bottom up
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, 0);  // no compression
  Put32(b, imageBytes);
  Put32(b, 3780);  // 96 dots per inch
  Put32(b, 3780);
  Put32(b, palette.size());
  Put32(b, palette.size());
  for (QRgb c : palette) {
    b.append(char(qBlue(c)));
    b.append(char(qGreen(c)));
    b.append(char(qRed(c)));
    b.append('\0');
  }
  for (int y = img.height() - 1; y >= 0; --y) {
    QByteArray row(rowBytes, '\0');
    for (int x = 0; x < img.width(); ++x) {
      const int index = img.pixelIndex(x, y);
      if (bits == 8) {
        row[x] = char(index);
      } else if (index != 0) {
        row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
      }
    }
    b.append(row);
  }
  return b;
}

}  // namespace floemark::artgen
