// The pixel rule and the fade schedule of the splash picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zunta::launcher {

// A file alpha below 240 stretched to 0..254: the double a / 240 times 255 (the product
// exact), rounded to the nearest integer, a true tie to the even one; 240 and more give 255.
int StretchedAlpha(int fileAlpha);

// One pixel 0xAARRGGBB as decoded from the file (colour not premultiplied) to the splash
// pixel: alpha stretched; colour premultiplied by it only where the stretched alpha is below
// 240, so file alphas 226..239 keep their colour, as the layered window shows them.
std::uint32_t SplashPixel(std::uint32_t fileArgb);

// SplashPixel over a whole picture, in place.
void ConvertSplashPixels(std::uint32_t* pixels, std::size_t count);

// The ten opacities of the fade-in: i * 25.5 for i = 1..10, ties to the even integer.
std::array<int, 10> FadeOpacities();

// The pause after each fade step: duration / 10 (integer division).
inline constexpr int FadePauseMs(int durationMs) {
    return durationMs / 10;
}

inline constexpr int kFadeDurationMs = 300;

// The picture can be dragged by its top 30 pixel rows with the left button.
inline constexpr bool StartsDrag(bool leftButton, int y) {
    return leftButton && y < 30;
}

}  // namespace zunta::launcher
