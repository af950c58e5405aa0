#pragma once
// What the editor asks of tuparun, read from its arguments:
//
//   tuparun /MD flag /EN picture /RP editor /SP program
//
// Each switch and each value arrives as its own argument (the editor starts
// tuparun with an argument list, no shell). Typed by hand, a value may come
// split into several words; the words between two switches are joined with
// single spaces. Values are kept as the raw bytes of the file system, so a
// name in any encoding reaches the programs unchanged.

#include <optional>
#include <string>
#include <vector>

namespace tuparun {

struct LaunchRequest {
  bool restartWhenDone = false;  // the /MD flag is not 0
  std::string picture;           // /EN: the saved picture
  std::string editor;            // /RP: the editor's executable
  std::string program;           // /SP: the program to start on the picture
};

// The request in argv[1..]; nothing when the four switches are not all there,
// each once as a whole argument, in the order /MD /EN /RP /SP, each followed
// by a value (tuparun then says it is meant to be started by the editor).
std::optional<LaunchRequest> ParseLaunchArguments(const std::vector<std::string>& args);

// Spaces off both ends.
std::string TrimSpaces(const std::string& s);

// A decimal number as the settings file reads one: leading spaces skipped, an
// optional sign, digits, an optional fraction, stopping at the first character
// that doesn't fit (no number: 0); rounded to the nearest integer, halves to
// the even neighbour.
long long DecimalValue(const std::string& text);

}  // namespace tuparun
