// The HSV window test over rows answers as the test of one colour does, also
// where a colour's hue or saturation equals a bound and rounding decides: the
// windows below have such colours in the sample.
#include <gtest/gtest.h>

#include <vector>

#include "editor/pixel/HsvWindowRows.h"

namespace tupalo::pixel {
namespace {

TEST(HsvWindowRows, AnswersAsTheTestOfOneColour) {
  // Every colour of components up to 31, and a coarse grid of the rest.
  std::vector<raster::Pixel> colours;
  for (int r = 0; r < 256; r += r < 32 ? 1 : 7)
    for (int g = 0; g < 256; g += g < 32 ? 1 : 7)
      for (int b = 0; b < 256; b += b < 32 ? 1 : 7)
        colours.push_back(raster::toPixel(raster::rgb(r, g, b)));
  struct Window {
    raster::ColourRef designated;
    int h, s, v;
  } windows[] = {{raster::rgb(159, 159, 159), 80, 172, 92},
                 {raster::rgb(0, 255, 255), 100, 69, 216},
                 {raster::rgb(255, 0, 255), 52, 248, 231},
                 {raster::rgb(0, 255, 0), 125, 85, 201},
                 {raster::rgb(200, 10, 102), 132, 120, 217},
                 {raster::rgb(255, 0, 43), 20, 255, 255},
                 {raster::rgb(6, 1, 0), 0, 0, 0}};
  std::vector<std::uint32_t> pass(colours.size());
  for (const Window& w : windows) {
    const ToleranceWindow window = PrepareToleranceWindow(w.designated, w.h, w.s, w.v);
    HsvWindowRows(window).Test(colours.data(), static_cast<int>(colours.size()), pass.data());
    for (std::size_t i = 0; i < colours.size(); ++i)
      ASSERT_EQ(pass[i], PassesHsvWindow(window, raster::toColourRef(colours[i])) ? 1u : 0u)
          << std::hex << "colour " << raster::toColourRef(colours[i]) << " designated "
          << w.designated;
  }
}

}  // namespace
}  // namespace tupalo::pixel
