#pragma once
// The numbers the tool settings windows set: the ranges of their bars and the
// values of their Default buttons. A setting is kept within its bar's range,
// so that no tool meets a value its window could not have given.

#include <algorithm>
#include <cstdint>

#include "editor/files/Settings.h"

namespace tupalo::toolsettings {

struct BarRange {
  int min, max;
  int16_t clamp(int v) const { return static_cast<int16_t>(std::clamp(v, min, max)); }
};

inline constexpr BarRange kHue{0, 180};             // FUZH
inline constexpr BarRange kSaturation{0, 255};      // FUZS
inline constexpr BarRange kValue{0, 255};           // FUZV
inline constexpr BarRange kSprayInterval{1, 1000};  // SPRI, milliseconds
inline constexpr BarRange kBrightness{0, 200};      // HSET, percent
inline constexpr BarRange kDepth{0, 100};           // THPD, percent

inline constexpr int kFuzzyDefault = 10;
inline constexpr int kSprayDefault = 3;
inline constexpr int kBrightnessDefault = 50;

// Brings FUZH, FUZS, FUZV, SPRI, HSET and THPD within their bars' ranges
// (a settings file may hold anything).
inline void ClampToolSettings(Settings& s) {
  s.FUZH = kHue.clamp(s.FUZH);
  s.FUZS = kSaturation.clamp(s.FUZS);
  s.FUZV = kValue.clamp(s.FUZV);
  s.SPRI = kSprayInterval.clamp(s.SPRI);
  s.HSET = kBrightness.clamp(s.HSET);
  s.THPD = kDepth.clamp(s.THPD);
}

}  // namespace tupalo::toolsettings
