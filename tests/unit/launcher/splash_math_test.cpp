#include "launcher/core/splash_math.h"

#include <gtest/gtest.h>

#include <map>

namespace zunta::launcher {
namespace {

// The fifteen alphas for which a * 255 / 240 = a * 17 / 16 is a half, and how they resolve:
// not by ties-to-even on the rational value (88 gives 93, not 94), but by where the double
// quotient a / 240 times 255 lies.
const std::map<int, int> kHalves = {{8, 8},     {24, 26},   {40, 42},   {56, 60},   {72, 76},
                                    {88, 93},   {104, 111}, {120, 128}, {136, 144}, {152, 161},
                                    {168, 178}, {184, 196}, {200, 213}, {216, 230}, {232, 247}};

TEST(StretchedAlpha, MatchesTheRuleForEveryAlpha) {
    for (int a = 0; a < 256; ++a) {
        int expected;
        if (a >= 240) {
            expected = 255;
        } else if (a % 16 == 8) {
            expected = kHalves.at(a);
        } else {
            expected = (a * 17 + 8) / 16;  // exact rational rounding, no tie possible here
        }
        EXPECT_EQ(StretchedAlpha(a), expected) << "alpha " << a;
    }
    EXPECT_EQ(kHalves.size(), 15u);
}

TEST(SplashPixel, PremultipliesOnlyBelowTheThreshold) {
    struct Case {
        std::uint32_t file;
        std::uint32_t splash;
    };
    const Case cases[] = {
        {0x00FFFFFF, 0x00000000},  // alpha 0: black, transparent
        {0x78FF8001, 0x80804001},  // 120 -> 128: colour * 128 / 255 rounded
        {0xE1FF8001, 0xEFEF7801},  // 225 -> 239: still premultiplied
        {0xE2FF8001, 0xF0FF8001},  // 226 -> 240: colour kept
        {0xEFFF8001, 0xFEFF8001},  // 239 -> 254: colour kept
        {0xF0123456, 0xFF123456},  // 240 and above: opaque, colour kept
        {0xFF123456, 0xFF123456},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplashPixel(c.file), c.splash) << std::hex << c.file;
    }
}

TEST(Fade, TenOpacitiesAndThePause) {
    EXPECT_EQ(FadeOpacities(),
              (std::array<int, 10>{26, 51, 76, 102, 128, 153, 178, 204, 230, 255}));
    EXPECT_EQ(FadePauseMs(kFadeDurationMs), 30);
    EXPECT_EQ(FadePauseMs(305), 30);
}

TEST(Drag, OnlyTheLeftButtonInTheTopThirtyRows) {
    EXPECT_TRUE(StartsDrag(true, 0));
    EXPECT_TRUE(StartsDrag(true, 29));
    EXPECT_FALSE(StartsDrag(true, 30));
    EXPECT_FALSE(StartsDrag(false, 5));
}

}  // namespace
}  // namespace zunta::launcher
