#include "app/windows/keys_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/input/key_map.h"

namespace floemark::app {
namespace {

constexpr const char* kKeyLabels[kKeyCount] = {
    "Penguin: start / attack", "Penguin: left", "Penguin: right",
    "Seal: start / attack",    "Seal: left",    "Seal: right"};

}  // namespace

KeysDialog::KeysDialog(const KeyBindings& keys, QWidget* parent) : QDialog(parent), keys_(keys) {
  setObjectName(QStringLiteral("KeysDialog"));
  setWindowTitle(QStringLiteral("Keys"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("<b>Key</b>")), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("<b>Pad button</b>")), 0, 2);
  for (int i = 0; i < kKeyCount; ++i) {
    grid->addWidget(new QLabel(QString::fromLatin1(kKeyLabels[i])), i + 1, 0);
    auto* button = new QPushButton(this);
    button->setObjectName(QStringLiteral("Key%1").arg(i));
    button->setAutoDefault(false);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, [this, i] {
      waiting_ = i;
      Show();
    });
    keyButtons_[std::size_t(i)] = button;
    grid->addWidget(button, i + 1, 1);

    const int side = kKeys[i].player - 1;
    const KeyPlace place = kKeys[i].place;
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("Pad%1").arg(i));
    box->addItem(place == KeyPlace::Attack ? QStringLiteral("A, B or Start (the handheld's)")
                                           : QStringLiteral("D-pad (the handheld's)"));
    for (int b = 1; b < kPadButtons; ++b)
      box->addItem(QString::fromLatin1(PadButtonName(static_cast<PadButton>(b))));
    connect(box, &QComboBox::activated, this, [this, side, place](int index) {
      ChoosePad(side + 1, place, static_cast<PadButton>(index));
    });
    padBoxes_[std::size_t(side)][std::size_t(place)] = box;
    grid->addWidget(box, i + 1, 2);
  }
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("Problem"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* reset =
      buttons->addButton(QStringLiteral("Handheld's keys"), QDialogButtonBox::ResetRole);
  reset->setObjectName(QStringLiteral("Reset"));
  connect(reset, &QPushButton::clicked, this, [this] { ResetToHandheld(); });
  connect(buttons, &QDialogButtonBox::accepted, this, &KeysDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &KeysDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Click a key's button, then press the key that is to play it.")));
  layout->addLayout(grid);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  Show();
}

void KeysDialog::Show() {
  for (int i = 0; i < kKeyCount; ++i)
    keyButtons_[std::size_t(i)]->setText(
        waiting_ == i ? QStringLiteral("Press a key...")
                      : QString::fromStdString(KeyName(keys_.keys[std::size_t(i)])));
  for (int side = 0; side < 2; ++side)
    for (int place = 0; place < 3; ++place)
      padBoxes_[std::size_t(side)][std::size_t(place)]->setCurrentIndex(
          static_cast<int>(keys_.pad[std::size_t(side)][std::size_t(place)]));
  problem_->setText(Problem());
}

void KeysDialog::Choose(int i, std::uint16_t code) {
  keys_.keys[std::size_t(i)] = code;
  waiting_ = -1;
  Show();
}

void KeysDialog::ChoosePad(int side, KeyPlace place, PadButton button) {
  keys_.pad[std::size_t(side - 1)][std::size_t(place)] = button;
  Show();
}

void KeysDialog::ResetToHandheld() {
  keys_ = KeyBindings{};
  waiting_ = -1;
  Show();
}

QString KeysDialog::Problem() const {
  const std::string problem = keys_.Problem();
  return problem.empty() ? QString()
                         : QStringLiteral("Not yet: ") + QString::fromStdString(problem);
}

void KeysDialog::accept() {
  if (!Problem().isEmpty()) return;
  QDialog::accept();
}

bool KeysDialog::eventFilter(QObject* watched, QEvent* event) {
  // The waiting button takes the next key, whatever it is: Tab, Enter and Esc too.
  if (waiting_ >= 0 && watched == keyButtons_[std::size_t(waiting_)] &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();
      return true;
    }
    if (const auto code = VirtualKey(key->key(), key->nativeScanCode())) Choose(waiting_, *code);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace floemark::app
