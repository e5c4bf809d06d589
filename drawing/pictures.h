#pragma once
// The pictures of the console window's components, ready to paint on a screen of any density.
// They come from the program's resources: ":/assets/<Component>.jpg|.bmp" drawn at one dot per
// pixel, and the same pictures drawn anew at 2 and 3 dots per pixel under ":/assets/2x/" and
// ":/assets/3x/". A picture is decoded only when a screen of its density first shows it: the
// console photograph alone is 10 MB as pixels at 3x, and a window shows one density at a time.
// Shared by the window, floemark-shot and the tests. GUI thread only.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <array>
#include <map>
#include <tuple>

#include "panel/layout.h"

namespace floemark::drawing {

// The densest set of pictures the program carries, in dots per pixel.
inline constexpr int kLargestScale = 3;

// A picture put on a screen's pixel grid: drawn 1:1 with its top-left corner at `origin`, both
// in device pixels. A null image draws nothing.
struct DevicePicture {
  QImage image;
  QPoint origin;
};

class PanelPictures {
 public:
  // Every picture the layout names, at every scale, to be read from the resources when first
  // needed. One that is missing or cannot be decoded is then named in Errors() and made from
  // another scale's picture.
  static PanelPictures FromResources();

  // Takes a component's own picture as it is stored (JPEG decoded, 1- or 8-bit bitmap with
  // its palette), drawn at `scale` dots per pixel, in place of its resource.
  void Set(panel::Component c, const QImage& source, int scale = 1);

  // What component `c` draws when it shows the picture of `held` (its own, or a copied glyph
  // or switch picture) on a screen of `ratio` device pixels per pixel. A whole ratio takes the
  // picture drawn at that scale as it is; any other the next larger one scaled down smoothly,
  // 1-bit pictures kept crisp. Made when first asked for, and kept for the two ratios asked
  // for last: a window moving back to the screen it came from paints at once, a third density
  // frees the pictures of the oldest (a window resized freely would otherwise gather a set
  // for every size it passed through).
  DevicePicture ForScreen(panel::Component c, panel::Component held, qreal ratio) const;

  // The outline of the console photograph: black on the body, white around it.
  void SetOutline(const QImage& outline) { outline_ = outline; }
  // The console's body in client pixels, where the window is drawn; around its rounded corners
  // the desktop shows through. Empty when the outline picture is missing: then the whole
  // window is drawn, as a plain rectangle.
  QRegion Body() const;
  // The pictures that could not be had, so far.
  const QStringList& Errors() const { return errors_; }

 private:
  // Where one component's picture at one scale comes from.
  struct Source {
    QImage given;                      // handed to Set(): the only copy, so kept
    mutable bool inResources = false;  // else read from the resources on each need
  };
  // The pictures made for one ratio, each once: at a whole ratio by (-1, held, black only),
  // shared by every component showing it; at another by (c, held, black only), since the
  // device grid falls differently on each component's place.
  struct Made {
    int milliRatio = 0;  // none yet
    std::map<std::tuple<int, int, bool>, QImage> images;
  };

  bool Has(int scale, panel::Component held) const;
  QImage Decode(int scale, panel::Component held) const;
  bool BlackOnly(panel::Component c, int scale, panel::Component held) const;
  Made& ForRatio(qreal ratio) const;

  std::array<std::array<Source, panel::kComponentCount>, kLargestScale> sources_;
  mutable std::array<Made, 2> recent_;  // the ratio asked for last first
  QImage outline_;
  mutable QStringList errors_;
};

// Loads one asset by file name ("Im_Foto.jpg") as drawn at `scale`: a JPEG through libjpeg,
// anything else through Qt's readers. Returns a null image and sets *error when it fails.
QImage LoadAsset(const QString& fileName, QString* error = nullptr, int scale = 1);

// The scale of the pictures to show on a screen of `ratio`: the ratio itself when it is whole,
// else the next larger one, at most kLargestScale.
int ScaleForRatio(qreal ratio);

}  // namespace floemark::drawing
