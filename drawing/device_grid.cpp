#include "drawing/device_grid.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace floemark::drawing {

namespace {

// The first device pixel whose centre lies at or after `x` pixels.
int FirstCentreFrom(double x, qreal ratio) { return int(std::ceil(x * ratio - 0.5)); }

// How much of each source dot falls into every device pixel along one axis.
struct Tap {
  int dot;
  float weight;
};
std::vector<std::vector<Tap>> Taps(int first, int count, int origin, int scale, qreal ratio,
                                   int dots) {
  std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double a = ((first + i) / ratio - origin) * scale;
    const double b = ((first + i + 1) / ratio - origin) * scale;
    auto& t = taps[std::size_t(i)];
    for (int k = int(std::floor(a)); k < b; ++k) {
      const double overlap = std::min<double>(b, k + 1) - std::max<double>(a, k);
      if (overlap <= 0) continue;
      // A device pixel at the edge may reach a little past the picture: it takes the edge dot.
      const int dot = std::clamp(k, 0, dots - 1);
      t.push_back({dot, float(overlap / (b - a))});
    }
  }
  return taps;
}

}  // namespace

QRect DeviceRect(const panel::Rect& r, qreal ratio) {
  const int left = FirstCentreFrom(r.left, ratio), top = FirstCentreFrom(r.top, ratio);
  return QRect(left, top, FirstCentreFrom(r.left + r.width, ratio) - left,
               FirstCentreFrom(r.top + r.height, ratio) - top);
}

namespace {

// A palette picture (the printed screens) is flat colour, printed as crisply as the segments
// over it: each device pixel takes the colour that covers most of it.
QImage ResampleIndexed(const QImage& src, const std::vector<std::vector<Tap>>& across,
                       const std::vector<std::vector<Tap>>& down) {
  QImage out(int(across.size()), int(down.size()), QImage::Format_Indexed8);
  out.setColorTable(src.colorTable());
  std::vector<std::pair<int, float>> cover;
  for (int j = 0; j < out.height(); ++j) {
    for (int i = 0; i < out.width(); ++i) {
      cover.clear();
      for (const Tap& ty : down[std::size_t(j)]) {
        const uchar* line = src.constScanLine(ty.dot);
        for (const Tap& tx : across[std::size_t(i)]) {
          const int index = line[tx.dot];
          auto it = std::find_if(cover.begin(), cover.end(),
                                 [index](const auto& c) { return c.first == index; });
          if (it == cover.end()) it = cover.insert(cover.end(), {index, 0.0f});
          it->second += tx.weight * ty.weight;
        }
      }
      const auto most =
          std::max_element(cover.begin(), cover.end(),
                           [](const auto& a, const auto& b) { return a.second < b.second; });
      out.setPixel(i, j, uint(most->first));
    }
  }
  return out;
}

}  // namespace

QImage Resample(const QImage& source, int scale, const panel::Rect& place, qreal ratio) {
  const QRect device = DeviceRect(place, ratio);
  if (source.format() == QImage::Format_Indexed8) {
    return ResampleIndexed(
        source, Taps(device.left(), device.width(), place.left, scale, ratio, source.width()),
        Taps(device.top(), device.height(), place.top, scale, ratio, source.height()));
  }
  const bool mono = source.format() == QImage::Format_Mono;
  const QImage src = source.convertToFormat(QImage::Format_RGB32);
  const int w = device.width(), h = device.height();
  const auto across = Taps(device.left(), w, place.left, scale, ratio, src.width());
  const auto down = Taps(device.top(), h, place.top, scale, ratio, src.height());

  // Rows first: every source row reduced to the device columns, one float per channel.
  const int channels = mono ? 1 : 3;
  std::vector<float> rows(std::size_t(src.height()) * std::size_t(w) * std::size_t(channels));
  for (int y = 0; y < src.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    for (int i = 0; i < w; ++i) {
      float acc[3] = {0, 0, 0};
      for (const Tap& t : across[std::size_t(i)]) {
        const QRgb c = line[t.dot];
        if (mono) {
          acc[0] += t.weight * (qGray(c) < 128 ? 1.0f : 0.0f);  // how black
        } else {
          acc[0] += t.weight * float(qRed(c));
          acc[1] += t.weight * float(qGreen(c));
          acc[2] += t.weight * float(qBlue(c));
        }
      }
      for (int ch = 0; ch < channels; ++ch)
        rows[(std::size_t(y) * std::size_t(w) + std::size_t(i)) * std::size_t(channels) +
             std::size_t(ch)] = acc[ch];
    }
  }

  QImage out(w, h, mono ? QImage::Format_Mono : QImage::Format_RGB32);
  if (mono) {
    out.setColorTable(source.colorTable());
    out.fill(1);
  }
  const int ink = mono && qGray(source.color(0)) < qGray(source.color(1)) ? 0 : 1;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      float acc[3] = {0, 0, 0};
      for (const Tap& t : down[std::size_t(j)]) {
        for (int ch = 0; ch < channels; ++ch)
          acc[ch] +=
              t.weight *
              rows[(std::size_t(t.dot) * std::size_t(w) + std::size_t(i)) * std::size_t(channels) +
                   std::size_t(ch)];
      }
      if (mono) {
        out.setPixel(i, j, acc[0] >= 0.5f ? ink : 1 - ink);
      } else {
        auto channel = [](float v) { return std::clamp(int(std::lround(v)), 0, 255); };
        out.setPixel(i, j, qRgb(channel(acc[0]), channel(acc[1]), channel(acc[2])));
      }
    }
  }
  return out;
}

}  // namespace floemark::drawing
