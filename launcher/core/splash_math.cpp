#include "launcher/core/splash_math.h"

#include <cmath>

namespace zunta::launcher {

int StretchedAlpha(int fileAlpha) {
    if (fileAlpha >= 240) {
        return 255;
    }
    // The quotient is a double; the product with 255 is taken exactly, not rounded to a
    // double. In double arithmetic all fifteen alphas with a * 17 / 16 on a half would land
    // exactly on the half; the exact product lies a little above or below it (only 120 gives
    // a true half, 127.5, which goes to the even 128). fma yields the product's rounding error.
    const double quotient = static_cast<double>(fileAlpha) / 240.0;
    const double product = quotient * 255.0;
    const double error = std::fma(quotient, 255.0, -product);
    const double whole = std::floor(product);
    const double fraction = product - whole;
    int rounded = static_cast<int>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && (error > 0 || (error == 0 && rounded % 2 != 0)))) {
        ++rounded;
    }
    return rounded;
}

std::uint32_t SplashPixel(std::uint32_t fileArgb) {
    const int m = StretchedAlpha(static_cast<int>(fileArgb >> 24));
    std::uint32_t out = static_cast<std::uint32_t>(m) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        int c = static_cast<int>((fileArgb >> shift) & 0xFF);
        if (m < 240) {
            c = (2 * c * m + 255) / 510;  // c * m / 255 rounded; no exact half exists
        }
        out |= static_cast<std::uint32_t>(c) << shift;
    }
    return out;
}

void ConvertSplashPixels(std::uint32_t* pixels, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        pixels[i] = SplashPixel(pixels[i]);
    }
}

std::array<int, 10> FadeOpacities() {
    std::array<int, 10> opacities{};
    for (int i = 1; i <= 10; ++i) {
        const double value = std::fmin(255.0, std::fmax(0.0, i * 25.5));
        opacities[static_cast<std::size_t>(i - 1)] = static_cast<int>(std::nearbyint(value));
    }
    return opacities;
}

}  // namespace zunta::launcher
