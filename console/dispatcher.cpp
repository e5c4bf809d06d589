#include "console/dispatcher.h"

#include "base/error.h"
#include "console/handlers.h"

namespace floemark::console {

std::string HandlerName(const HandlerCall& call) {
  switch (call.kind) {
    case HandlerCall::FormCreate:
      return "FormCreate";
    case HandlerCall::Tick:
      return std::string(TimerHandler(call.timer));
    case HandlerCall::Input:
      break;
  }
  return InputHandlerName(call.command);
}

std::string Dispatcher::Text(const char* what) { return ReportText(what); }

void Dispatcher::Report(const char* what) {
  if (hooks_.report) hooks_.report(Text(what));
}

}  // namespace floemark::console
