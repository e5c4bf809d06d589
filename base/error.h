#pragma once
// The one kind of error the core raises: a sound channel that can't do what it was asked.
// It ends the running handler; the front end's dispatcher reports it and the program goes on.

#include <stdexcept>
#include <string>

namespace floemark {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The report's text: a closing full stop is added unless the text already ends in "." or in
// a character that sorts before "." (so "!" and " " get none, "a" gets one, "" gets one).
std::string ReportText(const std::string& text);

}  // namespace floemark
