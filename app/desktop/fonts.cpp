#include "app/desktop/fonts.h"

#include <QApplication>
#include <QStringList>

namespace floemark::app {
namespace {

QFont Make(const QStringList& families, int pixelSize, FontStyle style) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixelSize);
  font.setBold(style.bold);
  font.setUnderline(style.underline);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QFont ArialFont(int pixelSize, FontStyle style) {
  return Make({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}, pixelSize, style);
}

QFont MsSansSerifFont(int pixelSize, FontStyle style) {
  return Make({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, pixelSize, style);
}

QFont WindowFont() { return MsSansSerifFont(11); }

void UseWindowFontEverywhere() {
  // Without a class name this also drops the faces a desktop theme set for menus, tool tips and
  // message boxes, so that every class takes this one.
  QApplication::setFont(WindowFont());
}

}  // namespace floemark::app
