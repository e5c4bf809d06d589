#pragma once
// AboutForm: the program's photo and its details. Shown without being modal, any number of
// times, always where it was left (first at the screen's top-left corner); its close box only
// hides it. GUI thread only.

#include <QWidget>

namespace floemark::app {

class AboutForm : public QWidget {
  Q_OBJECT

 public:
  AboutForm();
  // PM_1About: shows the one about window, or brings it to the front when it is open.
  void ShowOrRaise();
};

}  // namespace floemark::app
