#pragma once
// The pictures of the console window's components, ready to paint on a screen of any density.
// Loaded once from the program's resources: ":/assets/<Component>.jpg|.bmp" drawn at one dot
// per pixel, and the same pictures drawn anew at 2 and 3 dots per pixel under ":/assets/2x/"
// and ":/assets/3x/". Shared by the window, floemark-shot and the tests. GUI thread only.

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
  // Every picture the layout names, at every scale; one that can't be loaded stays empty and
  // is named in Errors() (a missing denser picture is made from a less dense one).
  static PanelPictures FromResources();

  // Takes a component's own picture as it is stored (JPEG decoded, 1- or 8-bit bitmap with
  // its palette), drawn at `scale` dots per pixel.
  void Set(panel::Component c, const QImage& source, int scale = 1);

  // What component `c` draws when it shows the picture of `held` (its own, or a copied glyph
  // or switch picture) on a screen of `ratio` device pixels per pixel. A whole ratio takes the
  // set drawn at that scale as it is; any other the next larger set scaled down smoothly, 1-bit
  // pictures kept crisp. Made once per ratio and kept.
  DevicePicture ForScreen(panel::Component c, panel::Component held, qreal ratio) const;

  // The outline of the console photograph: black on the body, white around it.
  void SetOutline(const QImage& outline) { outline_ = outline; }
  // The console's body in client pixels, where the window is drawn; around its rounded corners
  // the desktop shows through. Empty when the outline picture is missing: then the whole
  // window is drawn, as a plain rectangle.
  QRegion Body() const;
  const QStringList& Errors() const { return errors_; }

 private:
  struct Forms {
    QImage source;
    QImage whole;      // drawn as a whole rectangle
    QImage blackOnly;  // a 1-bit picture with its white pixels made transparent; else null
  };
  static Forms Prepare(const QImage& source);
  Forms& At(int scale, panel::Component c) { return sets_[std::size_t(scale - 1)][c]; }

  std::array<std::array<Forms, panel::kComponentCount>, kLargestScale> sets_;
  // Pictures made for ratios that no set is drawn at, by (ratio in thousandths, c, held).
  mutable std::map<std::tuple<int, int, int>, DevicePicture> resampled_;
  QImage outline_;
  QStringList errors_;
};

// Loads one asset by file name ("Im_Foto.jpg") as drawn at `scale`: a JPEG through libjpeg,
// anything else through Qt's readers. Returns a null image and sets *error when it fails.
QImage LoadAsset(const QString& fileName, QString* error = nullptr, int scale = 1);

// The scale of the pictures to show on a screen of `ratio`: the ratio itself when it is whole,
// else the next larger one, at most kLargestScale.
int ScaleForRatio(qreal ratio);

}  // namespace floemark::drawing
