// Vector and angle arithmetic, and the casts behind all collision.
#include "test_util.h"

#include <random>

struct Contact {
    Vec2 hit, normal;
    f32 t;
};

static bool Hits(int kind, Vec2 from, Vec2 to, const SDL_FRect& shape, Contact want,
                 Vec2 carried = v2zero) {
    Ray r = {from, to, {}, carried, 0};
    return SoundCast(kind, &r, shape, kind == 1 ? 2 : 20) && Near(r.hit, want.hit) &&
           Near(r.normal, want.normal) && fabsf(r.t - want.t) < 1e-3f;
}

// Casts hit where wanted: a side touched at the very start or the very end, along an axis, an
// exact corner keeping a carried normal or else pushing straight back, a circle left from inside
// past the end, a wall's rounded corner. They miss a wall's rounded corner passed short of, a
// square passed beside, a circle moved away from from inside.
TEST(Casts, ContactsOnSidesCornersAndCircles) {
    SDL_FRect square = {10, 10, 10, 10}, wall = {50, 0, 10, 100};
    f32 x = 50 - sqrtf(175);
    EXPECT_TRUE(
        Hits(0, {20, 5}, {0, 5}, {-10, 0, 10, 10}, {.hit = {0, 5}, .normal = {1, 0}, .t = 1}));
    EXPECT_TRUE(Hits(0, {10, 15}, {20, 15}, square, {.hit = {10, 15}, .normal = {-1, 0}, .t = 0}));
    EXPECT_TRUE(Hits(0, {0, 0}, {20, 20}, square, {.hit = {10, 10}, .normal = {0, -1}, .t = 0.5f},
                     {0, -1}));
    EXPECT_TRUE(Hits(0, {0, 0}, {20, 20}, square,
                     {.hit = {10, 10}, .normal = {-0.7071f, -0.7071f}, .t = 0.5f}));
    EXPECT_TRUE(Hits(1, {5, 0}, {6, 0}, {5, 0, 0, 0}, {.hit = {7, 0}, .normal = {1, 0}, .t = 2}));
    EXPECT_TRUE(Hits(2, {0, -15}, {100, -15}, wall,
                     {.hit = {x, -15}, .normal = {(x - 50) / 20, -0.75f}, .t = x / 100}));
    Ray clip = {{26, -25}, {36, -15}, {}, {}, 0}, beside = {{0, 0}, {40, 16}, {}, {}, 0},
        away = {{4, 0}, {3, 0}, {}, {}, 0};
    Circle circle = {{5, 0}, 2};
    EXPECT_FALSE(CircleRayIntersectRect(&clip, 20, &wall) || RayIntersectRect(&beside, &square) ||
                 RayIntersectCircle(&away, &circle));
}

TEST_F(GameFixture, RandomCastsAndMovesAreSound) {
    std::mt19937 rng(20240611);
    for (int n = 0; n < 200000; n++)
        ASSERT_TRUE(SoundRandomCase(rng)) << n;
}
