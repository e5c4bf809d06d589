#include "app/input/key_map.h"

#include <QChar>
#include <Qt>
#include <string>

namespace floemark::app {

std::optional<std::uint16_t> UsLetterAt(std::uint32_t scanCode) {
  // The three letter rows of a US keyboard, by XKB key code: Q..P from 24, A..L from 38, Z..M
  // from 52.
  static constexpr struct {
    std::uint32_t first;
    const char* letters;
  } kRows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
  for (const auto& row : kRows) {
    const std::uint32_t n = static_cast<std::uint32_t>(std::char_traits<char>::length(row.letters));
    if (scanCode >= row.first && scanCode < row.first + n)
      return static_cast<std::uint16_t>(row.letters[scanCode - row.first]);
  }
  return std::nullopt;
}

std::string KeyName(std::uint16_t code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
    return std::string(1, char(code));
  if (code >= 112 && code <= 135) return "F" + std::to_string(code - 111);
  static constexpr struct {
    std::uint16_t code;
    const char* name;
  } kNames[] = {{8, "Backspace"}, {9, "Tab"},    {13, "Enter"},   {16, "Shift"},
                {17, "Ctrl"},     {18, "Alt"},   {19, "Pause"},   {20, "Caps Lock"},
                {27, "Esc"},      {32, "Space"}, {33, "Page Up"}, {34, "Page Down"},
                {35, "End"},      {36, "Home"},  {37, "Left"},    {38, "Up"},
                {39, "Right"},    {40, "Down"},  {45, "Insert"},  {46, "Delete"}};
  for (const auto& n : kNames)
    if (n.code == code) return n.name;
  return code == 0 ? std::string("none") : "key " + std::to_string(code);
}

std::optional<std::uint16_t> VirtualKey(int qtKey, std::uint32_t scanCode) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint16_t>(qtKey);
  if (qtKey > 0x7f && qtKey <= 0xffff) {
    const QChar c(static_cast<char16_t>(qtKey));
    if (c.isLetter() && c.script() != QChar::Script_Latin) return UsLetterAt(scanCode);
  }
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<std::uint16_t>(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return static_cast<std::uint16_t>(112 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return std::nullopt;
  }
}

}  // namespace floemark::app
