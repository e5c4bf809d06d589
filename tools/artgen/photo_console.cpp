// The photograph of the console, seen from above, opened flat like a book: two moulded blue
// halves on a hinge, each with a brushed-metal faceplate round its screen and keys below it.
// The key indicators and the switch pictures are cut from renders of the same console with the
// parts in their other positions, so that they sit on the photo without a seam.
#include <QPainterPath>
#include <map>

#include "tools/artgen/artgen.h"
#include "tools/artgen/photo_common.h"

namespace floemark::artgen {

using namespace photo;
using panel::Component;
using panel::Info;

namespace {

constexpr std::uint32_t kGrainSeed = 0x5EA1F00Du;
constexpr Component kKeys[] = {panel::Puls_PenguinAttack, panel::Puls_PenguinLeft,
                               panel::Puls_PenguinRight,  panel::Puls_SealAttack,
                               panel::Puls_SealLeft,      panel::Puls_SealRight};
constexpr int kKeyArrows[] = {0, -1, 1, 0, -1, 1};
constexpr Component kSwitches[] = {panel::Puls_Power, panel::Puls_Select, panel::Puls_Sound};

QRect RectOf(Component c) {
  const auto& r = Info(c).rect;
  return QRect(r.left, r.top, r.width, r.height);
}

void DrawHalf(QPainter& p, const QRectF& r) {
  QPainterPath outer;
  outer.addRoundedRect(r, 20, 20);
  p.fillPath(outer, QColor(6, 10, 30));
  // The rounded edge of the moulding: lit along the top, falling into shadow at the bottom.
  QPainterPath rim;
  rim.addRoundedRect(r.adjusted(1.2, 1.2, -1.2, -1.2), 19, 19);
  QLinearGradient rg(0, r.top(), 0, r.bottom());
  rg.setColorAt(0.000, QColor(150, 176, 240));
  rg.setColorAt(0.012, QColor(70, 104, 198));
  rg.setColorAt(0.040, QColor(40, 70, 160));
  rg.setColorAt(0.600, QColor(28, 52, 132));
  rg.setColorAt(0.975, QColor(16, 30, 84));
  rg.setColorAt(1.000, QColor(8, 14, 44));
  p.fillPath(rim, rg);
  QLinearGradient side(r.left(), 0, r.right(), 0);
  side.setColorAt(0.000, QColor(255, 255, 255, 70));
  side.setColorAt(0.020, QColor(255, 255, 255, 0));
  side.setColorAt(0.980, QColor(0, 0, 0, 0));
  side.setColorAt(1.000, QColor(0, 0, 0, 90));
  p.fillPath(rim, side);
  // The flat face inside the edge.
  QPainterPath face;
  face.addRoundedRect(r.adjusted(5, 5, -5, -5), 16, 16);
  QLinearGradient fg(0, r.top() + 5, 0, r.bottom() - 5);
  fg.setColorAt(0.0, QColor(44, 78, 172));
  fg.setColorAt(0.5, QColor(34, 62, 150));
  fg.setColorAt(1.0, QColor(26, 48, 124));
  p.fillPath(face, fg);
  // Soft reflection of a window across the gloss of the plastic.
  QLinearGradient sheen(r.left(), r.top(), r.left() + r.width() * 0.6, r.bottom());
  sheen.setColorAt(0.00, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.30, QColor(255, 255, 255, 20));
  sheen.setColorAt(0.42, QColor(255, 255, 255, 4));
  sheen.setColorAt(0.60, QColor(255, 255, 255, 0));
  p.fillPath(face, sheen);
  // A second, broader reflection low on the body, from the room behind the camera.
  QLinearGradient low(0, r.bottom() - 110, 0, r.bottom() - 5);
  low.setColorAt(0.0, QColor(255, 255, 255, 0));
  low.setColorAt(0.55, QColor(190, 210, 255, 14));
  low.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.fillPath(face, low);
  p.setPen(QPen(QColor(120, 150, 224, 110), 1.0));
  p.drawLine(QPointF(r.left() + 18, r.top() + 5.5), QPointF(r.right() - 18, r.top() + 5.5));
  p.setPen(Qt::NoPen);
}

void DrawHinge(QPainter& p) {
  p.fillRect(QRectF(362, 8, 17, 372), QColor(3, 4, 10));
  const qreal knuckles[][2] = {{10, 122}, {133, 255}, {266, 378}};
  for (const auto& k : knuckles) {
    QLinearGradient g(365, 0, 376, 0);
    g.setColorAt(0.0, QColor(8, 12, 30));
    g.setColorAt(0.3, QColor(110, 136, 206));
    g.setColorAt(0.5, QColor(44, 70, 150));
    g.setColorAt(1.0, QColor(10, 16, 40));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(364.5, k[0], 12, k[1] - k[0]), 3, 3);
  }
}

void DrawScrew(QPainter& p, QPointF c) {
  p.setBrush(QColor(8, 12, 30));
  p.drawEllipse(c, 3.6, 3.6);
  QRadialGradient g(c + QPointF(-1, -1), 3.2);
  g.setColorAt(0, QColor(200, 204, 214));
  g.setColorAt(1, QColor(90, 94, 106));
  p.setBrush(g);
  p.drawEllipse(c, 2.8, 2.8);
  p.setPen(QPen(QColor(40, 42, 50), 0.9));
  p.drawLine(c + QPointF(-1.8, 0), c + QPointF(1.8, 0));
  p.drawLine(c + QPointF(0, -1.8), c + QPointF(0, 1.8));
  p.setPen(Qt::NoPen);
}

void DrawFaceplate(QPainter& p, const QRectF& r, std::uint32_t seed, int scale) {
  // The plate stands a fraction proud of the body and leaves a soft shadow below it.
  for (int i = 0; i < 3; ++i) {
    QPainterPath shadow;
    shadow.addRoundedRect(r.translated(0.4 * (i + 1), 0.8 * (i + 1)), 9, 9);
    p.fillPath(shadow, QColor(0, 0, 20, 40));
  }
  QPainterPath path;
  path.addRoundedRect(r, 9, 9);
  p.fillPath(path, QColor(10, 16, 40));
  QPainterPath inner;
  inner.addRoundedRect(r.adjusted(1, 1, -1, -1), 8, 8);
  p.save();
  p.setClipPath(inner);
  p.drawImage(r.topLeft() + QPointF(1, 1), BrushedMetal(int(r.width()) - 2, int(r.height()) - 2,
                                                        QColor(192, 194, 198), seed, scale));
  // The plate's chamfered edge: bright where it faces the light.
  p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 7.5, 7.5);
  p.restore();
  QLinearGradient lower(0, r.bottom() - 6, 0, r.bottom());
  lower.setColorAt(0, QColor(0, 0, 0, 0));
  lower.setColorAt(1, QColor(0, 0, 40, 70));
  p.fillPath(inner, lower);
}

// The photographer's lamp stands at the upper left: the far corner falls off a little.
void DrawLight(QPainter& p) {
  QRadialGradient g(QPointF(180, 40), 900);
  g.setColorAt(0.0, QColor(255, 255, 255, 18));
  g.setColorAt(0.35, QColor(0, 0, 0, 0));
  g.setColorAt(1.0, QColor(0, 0, 0, 70));
  p.fillRect(QRectF(0, 0, 741, 388), g);
}

void DrawLowerBody(QPainter& p) {
  DrawSpeaker(p, QRectF(468, 310, 106, 44));
  // Moulded lettering: a dark groove with light on its lower edge.
  p.setFont(PrintFont(11, true, 3));
  p.setPen(QColor(70, 100, 186, 150));
  PrintCentred(p, 558, 376.6, QStringLiteral("KORVANE"));
  p.setPen(QColor(10, 18, 56, 200));
  PrintCentred(p, 558, 376, QStringLiteral("KORVANE"));
  p.setPen(Qt::NoPen);
  for (QPointF c : {QPointF(22, 368), QPointF(345, 368), QPointF(396, 368), QPointF(719, 368)})
    DrawScrew(p, c);
}

}  // namespace

namespace photo {

QImage RenderConsole(const ConsoleState& state) {
  const int s = state.scale;
  QImage img(panel::kConsoleWidth * s, panel::kConsoleHeight * s,
             state.cutout ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  img.fill(state.cutout ? QColor(0, 0, 0, 0) : QColor(4, 4, 6));
  {
    QPainter p(&img);
    if (s != 1) p.scale(s, s);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::NoPen);
    DrawHinge(p);
    DrawHalf(p, QRectF(2, 2, 362, 384));
    DrawHalf(p, QRectF(377, 2, 362, 384));
    DrawFaceplate(p, QRectF(14, 12, 338, 248), 11, s);
    DrawFaceplate(p, QRectF(389, 12, 338, 248), 12, s);
    DrawScreenWindow(p, RectOf(panel::Im_ScreenLeft), QColor(236, 128, 28));
    DrawScreenWindow(p, RectOf(panel::Im_ScreenRight), QColor(236, 128, 28));
    if (state.lcdContent) {
      DrawLcdDemo(p, RectOf(panel::Im_ScreenLeft), false);
      DrawLcdDemo(p, RectOf(panel::Im_ScreenRight), true);
    }
    DrawFaceplatePrinting(p);
    DrawLowerBody(p);
    for (int i = 0; i < 6; ++i) {
      DrawKey(p, RectOf(kKeys[i]), state.keysPressed);
      DrawKeyLabel(p, RectOf(kKeys[i]), kKeyArrows[i]);
    }
    DrawSwitchPlate(p);
    DrawSwitch(p, RectOf(panel::Puls_Power).topLeft(), state.powerOn);
    DrawSwitch(p, RectOf(panel::Puls_Select).topLeft(), state.twoPlayers);
    DrawSwitch(p, RectOf(panel::Puls_Sound).topLeft(), state.soundOff);
    DrawLight(p);
  }
  if (state.cutout) return img;
  Soften(img, 0.6);
  // Grain everywhere; in the switch cells it is keyed to the cell, so that a switch picture
  // made at one cell carries the same grain as the photo at another.
  QImage cells[3];
  for (int i = 0; i < 3; ++i) cells[i] = img.copy(Dots(RectOf(kSwitches[i]), s));
  AddGrain(img, img.rect(), QPoint(0, 0), 2, kGrainSeed);
  {
    QPainter p(&img);
    for (int i = 0; i < 3; ++i) p.drawImage(Dots(RectOf(kSwitches[i]), s).topLeft(), cells[i]);
  }
  for (Component c : kSwitches) {
    const QRect cell = Dots(RectOf(c), s);
    AddGrain(img, cell, cell.topLeft(), 2, kGrainSeed);
  }
  return img;
}

}  // namespace photo

QImage DrawConsolePhoto(int scale) { return RenderConsole(ConsoleState{.scale = scale}); }

QImage DrawConsoleOutline() {
  // The cut-out render's own coverage, so that the outline follows whatever the body's drawing
  // is. Its lamp light falls faintly on the transparent surround too; half cover is the edge.
  const QImage cut = RenderConsole(ConsoleState{.cutout = true});
  QImage outline(cut.size(), QImage::Format_Mono);
  outline.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  for (int y = 0; y < cut.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(cut.constScanLine(y));
    for (int x = 0; x < cut.width(); ++x) outline.setPixel(x, y, qAlpha(line[x]) >= 128 ? 0 : 1);
  }
  return outline;
}

QImage DrawKeyIndicator(Component key, int scale) {
  static std::map<int, QImage> atRest;
  if (!atRest.count(scale))
    atRest[scale] = RenderConsole(ConsoleState{.keysPressed = false, .scale = scale});
  return atRest[scale].copy(Dots(RectOf(key), scale));
}

QImage DrawSwitchPicture(Component which, int scale) {
  // Puls_On is shown at POWER only, Puls_Off at SELECT and at SOUND: both are the knob pushed
  // to the right, cut from a render where the switch it belongs to was moved.
  if (which == panel::Puls_On) {
    return RenderConsole(ConsoleState{.powerOn = true, .scale = scale})
        .copy(Dots(RectOf(panel::Puls_Power), scale));
  }
  return RenderConsole(ConsoleState{.twoPlayers = true, .scale = scale})
      .copy(Dots(RectOf(panel::Puls_Select), scale));
}

}  // namespace floemark::artgen
