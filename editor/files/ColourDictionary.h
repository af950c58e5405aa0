#pragma once
// The named colour pages of the colour window: ten pages of 27 colours, kept
// in TUPA.CDI beside the program.

#include <QString>
#include <array>
#include <cstdint>

namespace tupalo {

struct ColourDictionary {
  static constexpr int kPages = 11;  // pages 0..9 are used; one spare
  static constexpr int kUsedPages = 10;
  static constexpr int kColours = 27;  // A..Z and one more

  std::array<QString, kPages> ColourPageNames;
  // [page][colour][component], component 1 = red, 2 = green, 3 = blue.
  int16_t ColourTable[kPages][kColours][4] = {};
  int16_t CurrentColourPage = 0;

  ColourDictionary() { setDefaultNames(); }

  // Page i is named " i." (a leading blank, the digit and a full stop).
  void setDefaultNames() {
    for (int i = 0; i < kPages; ++i)
      ColourPageNames[i] = QStringLiteral(" ") + QString::number(i) + QStringLiteral(".");
  }
};

}  // namespace tupalo
