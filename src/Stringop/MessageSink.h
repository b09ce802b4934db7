#pragma once

#include <string>

// Where a core routine sends a plain message for the user (a message box with
// an OK button in the window, standard error on the command line). The core
// never shows anything itself.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void showMessage(const std::string& text) = 0;
};
