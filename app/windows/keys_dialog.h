#pragma once
// The players' keys, chosen by the person: for each of the console's six keys, a keyboard key
// (pressed to choose it, taken as the game takes keys: by position on a keyboard of another
// script) and a pad button; "Handheld's keys" puts back the handheld's own. OK keeps the
// choice only when no key is taken twice or belongs to the window. GUI thread only.

#include <QDialog>
#include <array>

#include "app/input/key_bindings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace floemark::app {

class KeysDialog : public QDialog {
  Q_OBJECT

 public:
  explicit KeysDialog(const KeyBindings& keys, QWidget* parent = nullptr);

  const KeyBindings& Chosen() const { return keys_; }
  // The keyboard key chosen for kKeys[i], as if the person had clicked its button and
  // pressed that key (for the tests as for the dialog's own buttons).
  void Choose(int i, std::uint16_t code);
  void ChoosePad(int side, KeyPlace place, PadButton button);
  void ResetToHandheld();
  // What is wrong with the choice as it stands; empty when OK may keep it.
  QString Problem() const;

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show();

  KeyBindings keys_;
  std::array<QPushButton*, kKeyCount> keyButtons_{};
  std::array<std::array<QComboBox*, 3>, 2> padBoxes_{};
  QLabel* problem_ = nullptr;
  int waiting_ = -1;  // the key whose button waits for a key press
};

}  // namespace floemark::app
