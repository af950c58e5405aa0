#pragma once
// Tiny-grid helpers: pictures written as rows of characters, compared as one
// string so a failure prints both pictures.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/raster/Raster.h"

namespace raster::grid {

inline constexpr ColourRef kWhite = 0xFFFFFF;
inline constexpr ColourRef kBlack = 0x000000;
inline constexpr ColourRef kRed = 0x0000FF;
inline constexpr ColourRef kBlue = 0xFF0000;

inline std::string art(std::initializer_list<std::string_view> rows) {
  std::string s;
  for (std::string_view r : rows) {
    s += r;
    s += '\n';
  }
  return s;
}

// '.' white, '#' black (the pen), '+' red (the brush), 'o' blue, '?' other.
inline std::string show(const Surface& s) {
  std::string out;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      const Pixel p = s.pixel(x, y);
      out += p == toPixel(kWhite)   ? '.'
             : p == toPixel(kBlack) ? '#'
             : p == toPixel(kRed)   ? '+'
             : p == toPixel(kBlue)  ? 'o'
                                    : '?';
    }
    out += '\n';
  }
  return out;
}

inline Surface fromArt(std::initializer_list<std::string_view> rows) {
  const int h = static_cast<int>(rows.size());
  const int w = h ? static_cast<int>(rows.begin()->size()) : 0;
  Surface s(w, h);
  int y = 0;
  for (std::string_view r : rows) {
    for (int x = 0; x < w; ++x) {
      const char c = r[static_cast<std::size_t>(x)];
      s.setPixel(x, y, toPixel(c == '#' ? kBlack : c == '+' ? kRed : c == 'o' ? kBlue : kWhite));
    }
    ++y;
  }
  return s;
}

inline Pen pen(int width = 1, DrawMode mode = DrawMode::CopyPen, ColourRef c = kBlack) {
  return Pen{c, width, mode, PenStyle::Solid};
}
inline constexpr Brush kHollow{false, 0};
inline constexpr Brush kRedBrush{true, kRed};

// Part of a surface as a new surface.
inline Surface crop(const Surface& s, int x, int y, int w, int h) {
  Surface out(w, h);
  BitBlt(out, 0, 0, w, h, s, x, y);
  return out;
}

}  // namespace raster::grid
