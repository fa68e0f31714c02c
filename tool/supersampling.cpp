#include "tool/supersampling.h"

#include <cstddef>

void AverageBlocks(std::span<const std::uint32_t> large, int width, int height, int factor,
                   std::span<std::uint32_t> small) {
  if (width <= 0 || height <= 0 || factor <= 0) return;
  const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
  const std::size_t k = static_cast<std::size_t>(factor);
  if (large.size() != w * k * h * k || small.size() != w * h) return;
  const std::size_t rowLength = w * k;
  const std::uint32_t samples = static_cast<std::uint32_t>(k * k);
  for (std::size_t y = 0; y < h; ++y) {
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t red = 0, green = 0, blue = 0;
      for (std::size_t dy = 0; dy < k; ++dy) {
        const std::uint32_t* row = &large[(y * k + dy) * rowLength + x * k];
        for (std::size_t dx = 0; dx < k; ++dx) {
          red += (row[dx] >> 16) & 0xFF;
          green += (row[dx] >> 8) & 0xFF;
          blue += row[dx] & 0xFF;
        }
      }
      auto mean = [samples](std::uint32_t sum) { return (sum + samples / 2) / samples; };
      small[y * w + x] = (mean(red) << 16) | (mean(green) << 8) | mean(blue);
    }
  }
}
