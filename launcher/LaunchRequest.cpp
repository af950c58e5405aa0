#include "launcher/LaunchRequest.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace tuparun {

std::string TrimSpaces(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

long long DecimalValue(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool digits = false;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    number += text[i++];
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      number += text[i++];
      digits = true;
    }
  }
  if (!digits) return 0;
  const double value = std::strtod(number.c_str(), nullptr);
  // Far beyond any flag: what matters is only that it is not 0.
  if (!(std::fabs(value) < 9.0e18)) return value < 0 ? -1 : 1;
  return static_cast<long long>(std::nearbyint(value));
}

std::optional<LaunchRequest> ParseLaunchArguments(const std::vector<std::string>& args) {
  static const std::array<std::string, 4> kSwitches = {"/MD", "/EN", "/RP", "/SP"};
  auto finish = [](LaunchRequest r, const std::string& flag) -> std::optional<LaunchRequest> {
    r.restartWhenDone = DecimalValue(flag) != 0;
    if (r.picture.empty() || r.editor.empty() || r.program.empty()) return std::nullopt;
    return r;
  };
  // The editor's own form: every switch and every value one argument. Taken
  // by position, a value that happens to read like a switch stays a value.
  if (args.size() == 8 && args[0] == kSwitches[0] && args[2] == kSwitches[1] &&
      args[4] == kSwitches[2] && args[6] == kSwitches[3])
    return finish({false, TrimSpaces(args[3]), TrimSpaces(args[5]), TrimSpaces(args[7])},
                  TrimSpaces(args[1]));

  // The first occurrence of each switch, as a whole argument.
  std::array<size_t, 4> at{};
  for (size_t k = 0; k < kSwitches.size(); ++k) {
    at[k] = args.size();
    for (size_t i = 0; i < args.size(); ++i)
      if (args[i] == kSwitches[k]) {
        at[k] = i;
        break;
      }
    if (at[k] == args.size()) return std::nullopt;
  }
  // /MD first, the others in order, each with at least one word of value.
  if (at[0] != 0) return std::nullopt;
  for (size_t k = 1; k < at.size(); ++k)
    if (at[k] <= at[k - 1] + 1) return std::nullopt;
  if (at[3] + 1 >= args.size()) return std::nullopt;

  auto valueAfter = [&](size_t k) {
    const size_t end = k + 1 < at.size() ? at[k + 1] : args.size();
    std::string joined;
    for (size_t i = at[k] + 1; i < end; ++i) {
      if (i > at[k] + 1) joined += ' ';
      joined += args[i];
    }
    return TrimSpaces(joined);
  };
  return finish({false, valueAfter(1), valueAfter(2), valueAfter(3)}, valueAfter(0));
}

}  // namespace tuparun
