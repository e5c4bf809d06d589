#include "app/windows/about_form.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "app/desktop/desktop.h"
#include "app/desktop/fonts.h"
#include "app/windows/about_details.h"
#include "app/windows/photo_view.h"
#include "app/windows/side_window.h"
#include "drawing/pictures.h"

namespace floemark::app {
namespace {

struct LabelPlace {
  const char* name;
  int left, top, width, height;
  int detail;  // the line of kAboutDetails
  bool value;  // the program's own details: bold white, right-aligned to end at x = 261
};

constexpr LabelPlace kLabels[] = {
    {"La_Name1", 13, 104, 67, 14, 0, false},        {"La_Place1", 13, 128, 81, 14, 1, false},
    {"La_Date1", 13, 152, 89, 14, 2, false},        {"La_Occupation1", 13, 176, 120, 14, 3, false},
    {"La_Hobby1", 13, 200, 50, 14, 4, false},       {"La_Name2", 152, 104, 109, 14, 0, true},
    {"La_Place2", 160, 128, 101, 14, 1, true},      {"La_Date2", 160, 152, 101, 14, 2, true},
    {"La_Occupation2", 136, 176, 125, 14, 3, true}, {"La_Hobby2", 168, 200, 93, 14, 4, true},
};

}  // namespace

AboutForm::AboutForm()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
  SetUpSideWindow(this, "AboutForm", QStringLiteral("About the author..."), {275, 224});

  auto* photo = new PhotoView(QStringLiteral("Im_Foto.jpg"), this);
  photo->setObjectName(QStringLiteral("Im_Foto"));
  photo->setGeometry(9, 9, 252, 84);

  // Bevel_Foto: a raised frame over the photo's edge, four pixels wider than the photo.
  auto* bevel = new QFrame(this);
  bevel->setObjectName(QStringLiteral("Bevel_Foto"));
  bevel->setGeometry(9, 9, 256, 84);
  bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bevel->setLineWidth(1);
  bevel->setAttribute(Qt::WA_TransparentForMouseEvents);

  for (const LabelPlace& place : kLabels) {
    const AboutDetail& detail = kAboutDetails[place.detail];
    auto* label =
        new QLabel(QString::fromLatin1(place.value ? detail.value : detail.caption), this);
    label->setObjectName(QString::fromLatin1(place.name));
    label->setFont(ArialFont(11, {.bold = place.value}));
    // The captions were measured against the Windows rendering of Arial; Liberation Sans comes
    // out a pixel or two wider at 11 px, so a caption may reach past its label to the right
    // (where nothing else lies) rather than lose its colon.
    const int width =
        place.value
            ? place.width
            : std::max(place.width, label->fontMetrics().horizontalAdvance(label->text()) + 1);
    label->setGeometry(place.left, place.top, width, place.height);
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, place.value ? QColor(Qt::white) : QColor(192, 192, 192));
    label->setPalette(lp);
    label->setAlignment((place.value ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
  }
  // The top-left corner of the primary monitor, wherever that lies on the desktop.
  move(PrimaryScreenGeometry().topLeft());
}

void AboutForm::closeEvent(QCloseEvent* event) {
  event->accept();  // hides it; it is shown again where it was left
  if (onClose_) onClose_();
}

void AboutForm::ShowOrRaise() {
  if (!shown_) {
    // The first time, the frame that the window manager puts round it goes in the corner.
    const QMargins frame = FrameExtents(this);
    if (!frame.isNull())
      setGeometry(
          QRect(PrimaryScreenGeometry().topLeft() + QPoint(frame.left(), frame.top()), size()));
    shown_ = true;
  }
  show();
  raise();
  activateWindow();
}

}  // namespace floemark::app
