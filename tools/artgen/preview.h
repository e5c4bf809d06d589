#pragma once
// The console as the program paints it, for judging the artwork in its place.

#include <QImage>
#include <vector>

#include "panel/layout.h"

namespace floemark::artgen {

// Paints the panel in z order: the photograph, the screens and the key indicators as at start,
// then the segments in `shown`; with `scores`, 15 and 15 from the digit glyphs in the score
// places. Pictures are drawn as the panel draws them: JPEG, 8-bit and opaque 1-bit pictures
// as whole rectangles, transparent 1-bit pictures by their black pixels only. Every picture is
// drawn at `scale`, and so is the console.
QImage ComposePreview(const std::vector<panel::Component>& shown, bool scores, int scale = 1);

}  // namespace floemark::artgen
