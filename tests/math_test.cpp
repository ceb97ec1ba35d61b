// Vector and angle arithmetic on the values the game relies on, and the casts.
#include "test_util.h"

TEST(VectorMath, StatedValues) {
    const f32 m = 6.283185f; // the game's own 2pi, a shade short of the true value
    Vec2 n = Vec2Normalize({3, 4}), up = Rotate(2, 0), down = Rotate(1, (f32)M_PI);
    SDL_FRect r = {10, 20, 30, 40};
    CenterRect(&r);
    EXPECT_TRUE(Magnitude(3, 4) == 5 && n.x == 0.6f && n.y == 0.8f && up.x == 0 && up.y == -2);
    EXPECT_TRUE(fabsf(down.x + 8.742278e-8f) < 1e-12 && down.y == 1 && r.x == -5 && r.y == 0);
    EXPECT_TRUE(FMod(-1, m) == -1 + m && FMod(m, m) == m && FMod(13, m) == 13 - m - m &&
                FMod(0, m) == 0); // the top of the range is kept, not wrapped to 0
    EXPECT_TRUE(StepToF(0, 10, 3) == 3 && StepToF(9, 10, 3) == 10 && StepToF(10, 10, 3) == 10 &&
                StepToF(10, 0, 3) == 7 && StepToF(2, 0, 3) == 0);
    // From, to and the turn, half a turn counting as left.
    const f32 turns[][3] = {{0, 3.2f, -3.083185f}, {0, -0.5f, -0.5f}, {1, 0.5f, -0.5f},
                            {0.5f, -3, 2.783185f}, {0, 7, 0.716815f}, {0, 3.141592f, -3.1415930f}};
    for (auto& k : turns)
        EXPECT_FLOAT_EQ(GetAngleDiff(k[0], k[1]), k[2]) << k[0] << " to " << k[1];
    // Inputs a step of the modulus cannot move still come back, in range where there is one.
    const f32 stuck[][2] = {{5, 0},     {-5, 0},     {-5, -1},  {INFINITY, m}, {-INFINITY, m},
                            {1e30f, m}, {-1e30f, m}, {3e8f, m}, {-3e8f, m}};
    for (auto& k : stuck) {
        f32 f = FMod(k[0], k[1]);
        EXPECT_TRUE(k[1] <= 0 || isinf(k[0]) || (f >= 0 && f <= m)) << k[0];
    }
}

TEST(Casts, ContactsAndMisses) {
    const f32 d = sqrtf(0.5f), cx = 50 - sqrtf(175); // cx: where the rounded corner is met
    const SDL_FRect shapes[] = {{10, 0, 10, 10}, {-10, 0, 10, 10}, {10, 10, 10, 10},
                                {0, 10, 10, 10}, {5, 0, 0, 0},     {50, 0, 10, 100}};
    // Kind, shape, start, end, carried normal.y; whether it hits, the hit point, normal and t.
    const f32 cases[][13] = {
        {SEGMENT, 0, 0, 5, 20, 5, 0, 1, 10, 5, -1, 0, 0.5f},
        {SEGMENT, 1, 20, 5, 0, 5, 0, 1, 0, 5, 1, 0, 1},
        {SEGMENT, 0, 15, -10, 15, 30, 0, 1, 15, 0, 0, -1, 0.25f},
        // Exactly through a corner: a carried normal is kept, a fresh record pushes back.
        {SEGMENT, 2, 0, 0, 20, 20, -1, 1, 10, 10, 0, -1, 0.5f},
        {SEGMENT, 3, 20, 0, 0, 20, 0, 1, 10, 10, d, -d, 0.5f},
        {CIRCLE, 4, 0, 0, 12, 0, 0, 1, 3, 0, -1, 0, 0.25f},
        {CIRCLE, 4, 5, 0, 6, 0, 0, 1, 7, 0, 1, 0, 2}, // from inside: leaves past the end
        {BODY, 5, 0, 50, 60, 50, 0, 1, 30, 50, -1, 0, 0.5f},
        {BODY, 5, 0, -15, 100, -15, 0, 1, cx, -15, (cx - 50) / 20, -0.75f, cx / 100},
        // Clips only the grown square's corner: no hit, the record keeps the square's contact.
        {BODY, 5, 26, -25, 36, -15, 0, 0, 31, -20, 0, -1, 0.5f}};
    for (auto& k : cases) {
        Ray r = {{k[2], k[3]}, {k[4], k[5]}, {}, {0, k[6]}, 0};
        ASSERT_EQ(Cast(k[0], &r, shapes[(int)k[1]], (int)k[0] == CIRCLE ? 2 : 20), k[7] != 0);
        ExpectNear({r.hit.x, r.hit.y, r.normal.x, r.normal.y, r.t},
                   {k[8], k[9], k[10], k[11], k[12]}, 1e-3, &k - cases);
    }
    // Misses leave the record alone: ten against the first box, three against the circle.
    const f32 misses[][4] = {{5, -10, 5, 30},  {15, 5, 30, 5}, {0, 5, 5, 5}, {0, 5, -20, 5},
                             {0, -30, 40, 10}, {15, 5, 15, 5}, {3, 3, 3, 3}, {10, 5, 10, 5},
                             {0, 0, 30, 0},    {0, 0, 5, 0},   {4, 0, 3, 0}, {5, 0, 5, 0},
                             {3, 0, 3, 0}};
    for (int n = 0; n < 13; n++) {
        const f32* m = misses[n];
        Ray r = {{m[0], m[1]}, {m[2], m[3]}, {7, 7}, {0, 1}, 0.7f}, before = r;
        EXPECT_FALSE(Cast(n < 10 ? SEGMENT : CIRCLE, &r, shapes[n < 10 ? 0 : 4], 2)) << n;
        EXPECT_EQ(memcmp(&r, &before, sizeof(Ray)), 0) << n;
    }
}
