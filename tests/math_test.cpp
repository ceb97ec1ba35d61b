// Vector and angle arithmetic, and the casts behind all collision.
#include "test_util.h"

#include <random>

static bool Hits(int kind, Vec2 from, Vec2 to, const SDL_FRect& shape, Ray want,
                 Vec2 carried = v2zero) {
    Ray r = {from, to, {}, carried, 0};
    return SoundCast(kind, &r, shape, kind == 1 ? 2 : 20) && Near(r.hit, want.hit) &&
           Near(r.normal, want.normal) && fabsf(r.t - want.t) < 1e-3f;
}

// Hits at a side's start or end, an exact corner (a carried normal, or straight back), a circle
// left past the end, a rounded corner; misses short of a corner, beside a square, from a circle.
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

// A rectangle given by its centre gets its corner there, half its size back; its size is kept.
TEST(Vectors, CenterRectMovesTheCornerHalfTheSizeBack) {
    SDL_FRect r = {10, 20, 30, 40};
    CenterRect(&r);
    EXPECT_TRUE(r.x == -5 && r.y == 0 && r.w == 30 && r.h == 40);
}

TEST_F(GameFixture, RandomCastsAndMovesAreSound) {
    std::mt19937 rng(20240611);
    for (int n = 0; n < 200000; n++)
        ASSERT_TRUE(SoundRandomCase(rng)) << n;
}

// The cast to the pointer stops at the nearer hit, a mark along its normal; a rectangle hit red.
TEST(Drawing, TheCollisionSceneStopsTheCastAtTheNearerHit) {
    Canvas c;
    auto circleAt = [](Vec2 centre) { // the last side's end, 20 from the centre
        return fabsf(Vec2Magnitude(Vec2SubVec2(gLines.back().to, centre)) - 20) < 1e-3f;
    };
    gLines.clear();
    DrawDebugScene({580, 300}); // both hit, the second nearer: on its left face, a mark left
    EXPECT_TRUE(gLines.size() == 1 + 2 + 40 && Near(gLines[2].to, {450, 276.9231f}));
    EXPECT_TRUE(c.At(450, 300) == RED && c.At(600, 449) == RED && c.Count(GREY) > 400000);
    gLines.clear();
    DrawDebugScene({320, 330}); // neither: the circle at the pointer, both white
    EXPECT_TRUE(circleAt({320, 330}) && c.At(450, 300) == WHITE && c.At(600, 449) == WHITE);
}
