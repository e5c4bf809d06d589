#pragma once
// The pictures of the console window's components, ready to paint. Loaded once from the
// program's resources (":/assets/<Component>.jpg|.bmp"); shared by the window, floemark-shot
// and the tests. GUI thread only.

#include <QImage>
#include <QRegion>
#include <QString>
#include <QStringList>
#include <array>

#include "panel/layout.h"

namespace floemark::app {

class PanelPictures {
 public:
  // Every picture the layout names; one that can't be loaded stays empty (drawn as nothing)
  // and is named in Errors().
  static PanelPictures FromResources();

  // Takes a component's own picture as it is stored (JPEG decoded, 1- or 8-bit bitmap with
  // its palette) and prepares the forms the painter draws.
  void Set(panel::Component c, const QImage& source);

  // The picture drawn as a whole rectangle.
  const QImage& Whole(panel::Component c) const { return whole_[c]; }
  // A 1-bit picture with its white pixels made transparent; null for other kinds.
  const QImage& BlackOnly(panel::Component c) const { return blackOnly_[c]; }
  const QImage& Source(panel::Component c) const { return source_[c]; }
  // The outline of the console photograph: black on the body, white around it.
  void SetOutline(const QImage& outline) { outline_ = outline; }
  // The console's body in client pixels, where the window is drawn; around its rounded corners
  // the desktop shows through. Empty when the outline picture is missing: then the whole
  // window is drawn, as a plain rectangle.
  QRegion Body() const;
  const QStringList& Errors() const { return errors_; }

 private:
  std::array<QImage, panel::kComponentCount> source_, whole_, blackOnly_;
  QImage outline_;
  QStringList errors_;
};

// Loads one asset by file name ("Im_Foto.jpg"): a JPEG through libjpeg, anything else through
// Qt's readers. Returns a null image and sets *error when it fails.
QImage LoadAsset(const QString& fileName, QString* error = nullptr);

}  // namespace floemark::app
