#include "console/handlers.h"

#include "game/form1.h"

namespace floemark::console {

std::string InputHandlerName(const Command& command) {
  switch (command.kind) {
    case Command::KeyDown:
      return "FormKeyDown " + std::to_string(command.key);
    case Command::KeyUp:
      return "FormKeyUp " + std::to_string(command.key);
    case Command::Click:
      switch (command.button) {
        case Button::Power:
          return "Puls_PowerClick";
        case Button::Select:
          return "Puls_SelectClick";
        case Button::Sound:
          return "Puls_SoundClick";
      }
      break;
    case Command::End:
      break;
  }
  return "end";
}

void RunOn(TForm1& form, const Command& command) {
  switch (command.kind) {
    case Command::KeyDown:
      return form.FormKeyDown(command.key);
    case Command::KeyUp:
      return form.FormKeyUp(command.key);
    case Command::Click:
      switch (command.button) {
        case Button::Power:
          return form.Puls_PowerClick();
        case Button::Select:
          return form.Puls_SelectClick();
        case Button::Sound:
          return form.Puls_SoundClick();
      }
      return;
    case Command::End:
      return;
  }
}

}  // namespace floemark::console
