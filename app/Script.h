#pragma once
// The script language of `vorn --script`: one command a line, parsed whole
// before anything runs so that a bad line is reported without side effects.
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

namespace vorn::shell {

// What a touch command aims at.
struct Target {
  enum class Kind { Text, Tag, Class, Point };
  Kind kind = Kind::Text;
  std::string text;  // Text: the text; Class: the class name
  long tag = 0;
  double x = 0, y = 0;

  std::string describe() const;
};

struct Command {
  int line = 0;
  std::string name;                  // "tap", "wait", "expect-text", ...
  std::optional<Target> target;      // tap, doubletap, longpress, drag, dump
  std::vector<std::string> texts;    // quoted texts and bare words, in order
  std::vector<double> numbers;       // numeric arguments, in order
  std::optional<platform::Value> json;
};

struct ScriptError {
  int line = 0;
  std::string message;
};

struct ParsedScript {
  std::vector<Command> commands;
  std::optional<ScriptError> error;  // set when the script cannot run
};

ParsedScript parseScript(const std::string& source);

}  // namespace vorn::shell
