#pragma once
// Smoothing by supersampling: the preview strip is painted at a multiple of
// its size, without anti-aliasing of its own, and each block of pixels is
// averaged into one. Lines and text then get the grey edges that make them
// read smoothly, with nothing but plain drawing calls.

#include <cstdint>
#include <span>

// Pixels are 0x00RRGGBB, row after row from the top. `large` holds
// width * factor by height * factor pixels; each factor x factor block of it
// becomes the pixel of `small` (width by height) at the block's place, every
// colour its block's mean, rounded to the nearest. Nothing is done when the
// sizes do not match.
void AverageBlocks(std::span<const std::uint32_t> large, int width, int height, int factor,
                   std::span<std::uint32_t> small);
