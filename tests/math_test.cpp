// Vector and angle arithmetic on the values the game relies on, and the debug text bound.
#include "test_util.h"

#include <math.h>
#include <stdio.h>
#include <string>

constexpr f32 TWO_PI = 6.283185f; // the game's own 2pi, a shade short of the true value

TEST(VectorMath, LengthDirectionAndHeading) {
    EXPECT_EQ(Magnitude(3, 4), 5);
    Vec2 n = Vec2Normalize({3, 4});
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    Vec2 up = Rotate(2, 0), down = Rotate(1, (f32)M_PI);
    EXPECT_TRUE(up.x == 0 && up.y == -2);
    EXPECT_NEAR(down.x, -8.742278e-8, 1e-12);
    EXPECT_EQ(down.y, 1);
}

TEST(VectorMath, FModStepsIntoTheClosedRange) {
    EXPECT_EQ(FMod(-1, TWO_PI), -1 + TWO_PI);
    EXPECT_EQ(FMod(TWO_PI, TWO_PI), TWO_PI); // the top of the range is kept, not wrapped to 0
    EXPECT_EQ(FMod(13, TWO_PI), 13 - TWO_PI - TWO_PI);
    EXPECT_EQ(FMod(0, TWO_PI), 0);
    // Inputs a step of the modulus cannot move still come back, in range where there is one.
    FMod(5, 0), FMod(-5, 0), FMod(-5, -1), FMod(INFINITY, TWO_PI), FMod(-INFINITY, TWO_PI);
    for (f32 a : {1e30f, -1e30f, 3e8f, -3e8f}) {
        f32 r = FMod(a, TWO_PI);
        EXPECT_TRUE(r >= 0 && r <= TWO_PI) << a << " gives " << r;
    }
}

TEST(VectorMath, AngleDiffStepToFAndCenterRect) {
    EXPECT_FLOAT_EQ(GetAngleDiff(0, 3.2f), -3.083185f);
    EXPECT_FLOAT_EQ(GetAngleDiff(0, -0.5f), -0.5f);
    EXPECT_FLOAT_EQ(GetAngleDiff(1, 0.5f), -0.5f);
    EXPECT_FLOAT_EQ(GetAngleDiff(0.5f, -3), 2.783185f);
    EXPECT_FLOAT_EQ(GetAngleDiff(0, 7), 0.716815f);
    EXPECT_FLOAT_EQ(GetAngleDiff(0, 3.141592f), -3.1415930f); // half a turn counts as left

    EXPECT_EQ(StepToF(0, 10, 3), 3);
    EXPECT_EQ(StepToF(9, 10, 3), 10);
    EXPECT_EQ(StepToF(10, 10, 3), 10);
    EXPECT_EQ(StepToF(10, 0, 3), 7);
    EXPECT_EQ(StepToF(2, 0, 3), 0);

    SDL_FRect r = {10, 20, 30, 40};
    CenterRect(&r);
    EXPECT_TRUE(r.x == -5 && r.y == 0 && r.w == 30 && r.h == 40);
}

// What is kept of a long text is the longest head of it that fits the 32-byte buffer.
static void ExpectCutToFit(const char* full) {
    EXPECT_EQ(strlen(gStrBuffer), 31u);
    EXPECT_EQ(strncmp(gStrBuffer, full, 31), 0) << gStrBuffer;
}

TEST(DebugText, NeverWritesPastTheBuffer) {
    Canvas canvas;
    char full[64];
    snprintf(full, sizeof(full), "%f", (double)3e38f);
    std::string text(100, 'x');
    DrawDebugBegin();
    DrawDebugFloat(3e38f);
    ExpectCutToFit(full);
    DrawDebugText(text.c_str());
    ExpectCutToFit(text.c_str());
    EXPECT_EQ(gDebugLines, 2u);
}
