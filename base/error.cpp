#include "base/error.h"

namespace floemark {

std::string ReportText(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) <= '.') return text;
  return text + ".";
}

}  // namespace floemark
