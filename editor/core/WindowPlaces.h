#pragma once
// The settings file's view of the windows: the main window's place, size and
// state, and the floating windows' places the overview's defaults derive
// from, all in twips. Converts between twips and the screen's pixels.

#include <QRect>

#include "editor/files/Configuration.h"

namespace tupalo {

class P_WIN;

class WindowPlaces : public ConfigHost {
 public:
  explicit WindowPlaces(P_WIN& w) : w_(w) {}

  int32_t screenWidthTwips() const override;
  int32_t screenHeightTwips() const override;
  int32_t mainTop() const override;
  int32_t mainLeft() const override;
  int32_t mainWidth() const override;
  int32_t mainHeight() const override;
  void setMainTop(int32_t v) override;
  void setMainLeft(int32_t v) override;
  void setMainWidth(int32_t v) override;
  void setMainHeight(int32_t v) override;
  int16_t mainState() const override;
  void setMainState(int16_t s) override;
  void restoreMainIfMinimised() override;
  int32_t paletteTop() const override;
  int32_t paletteHeight() const override;
  int32_t paletteWidth() const override;
  int32_t colourWindowLeft() const override;
  void autosaveIntervalRead(int16_t asat) override;

 private:
  int32_t toTwips(int pixels) const;
  int toPixels(int32_t twips) const;
  QRect rememberedGeometry() const;

  P_WIN& w_;
};

}  // namespace tupalo
