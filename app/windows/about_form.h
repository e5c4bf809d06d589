#pragma once
// AboutForm: the program's photo and its details. Shown without being modal, any number of
// times, always where it was left (first at the screen's top-left corner); its close box only
// hides it. GUI thread only.

#include <QWidget>
#include <functional>

namespace floemark::app {

class AboutForm : public QWidget {
  Q_OBJECT

 public:
  AboutForm();
  // PM_1About: shows the one about window, or brings it to the front when it is open.
  void ShowOrRaise();
  // What closing the about window hands the focus back to (the desktop gives it to the main
  // window; with no window manager nobody would).
  void SetOnClose(std::function<void()> onClose) { onClose_ = std::move(onClose); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> onClose_;
  bool shown_ = false;
};

}  // namespace floemark::app
