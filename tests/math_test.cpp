// Vector and angle arithmetic, and the casts behind all collision.
#include "test_util.h"

#include <random>

// Each site has an input on which float evaluation lands a float away; the expected values were
// worked out apart from the game, in double by the stated formulas, and compare with ==.
TEST_F(GameFixture, EverySineCosineAndArcTangentIsTakenInDouble) {
    Tick(1, {401, 1}); // the player at (400, 420) on screen, facing up, the camera at (0, -120)
    EXPECT_EQ(gPlayer->aim, 0x1.38d206p-9f);
    Goon goon = {{{-420, -430}, 0, 1}, {-444, -451}, GOON_CHASING, 0};
    SDL_FRect rect = {0.5f, 0.25f, 30, 40};
    Circle circle = {{0, 0}, 20};
    gLines.clear();
    DrawGoon(&goon); // from (-20, -10) on screen
    DrawRotatedRect(&rect, 0x1.22f57cp-1f);
    SDL_srand(7);
    DrawCircle(&circle);
    DrawDebugScene({565, 243}); // the second rectangle's corner: its mark follows the pointer line
    auto ends = [](size_t i, f32 x, f32 y) { return gLines[i].to.x == x && gLines[i].to.y == y; };
    EXPECT_TRUE(ends(0, -0x1.18698ap+5f, -0x1.72b8b4p+4f)); // the goon's line
    EXPECT_TRUE(ends(1, 0x1.9c8ec6p+4f, 0x1.0653dp+4f) && ends(2, -0x1.506fb6p+4f, 0x1.0fb488p+5f));
    EXPECT_TRUE(ends(5, 0x1.9078e2p+1f, 0x1.3c0f6ep+4f) && gLines[6].from.x == 0x1.9078e2p+1f &&
                gLines[6].from.y == 0x1.3c0f6ep+4f);       // a side of the circle, and the next
    EXPECT_TRUE(ends(46, 0x1.c6324ep+8f, 0x1.cbe608p+7f)); // the normal mark
    gPlayer->facing = 0.009f;                              // the free left wheel spins back
    UpdateCamera();
    Press(BIND_SIDE0);
    EXPECT_EQ(gPlayer->facing, -0x1.caaaaep-9f);
    Vec2 r = Rotate(26.3624783f, 5.2204051f), p = {-259, 205};
    EXPECT_TRUE(r.x == -0x1.7087f6p+4f && r.y == -0x1.9a5d54p+3f);
    EXPECT_EQ(GetAngleDiff(0, 0x1.8ab4c8p+2f), -0x1.dabafep-4f);
    gApp->camera = {10, -20};
    gApp->cameraAngle = -0x1.40a15p+0f;
    DrawInfo at = GetDrawInfo(&p);
    EXPECT_TRUE(at.pos.x == 0x1.98721p+6f && at.pos.y == 0x1.cbbf54p+6f);
}

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
    f32 x = 50 - sqrtf(175), far = FMod(-3e8f, 6.283185f);
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
    EXPECT_TRUE(far >= 0 && far <= 6.283185f && FMod(-5, -1) == -5); // every modulus ends
}

TEST_F(GameFixture, RandomCastsAndMovesAreSound) {
    std::mt19937 rng(20240611);
    for (int n = 0; n < 200000; n++)
        ASSERT_TRUE(SoundRandomCase(rng)) << n;
}

// Circles of a side per pixel across, no fewer than 3 and no more than 50.
TEST(Drawing, ACircleHasASidePerPixelAcrossWithinBounds) {
    auto sides = [](f32 radius) {
        Circle c = {{0, 0}, radius};
        gLines.clear();
        DrawCircle(&c);
        return gLines.size();
    };
    EXPECT_TRUE(sides(1.4f) == 3 && sides(1.5f) == 3 && sides(2) == 4);
    EXPECT_TRUE(sides(24.9f) == 49 && sides(25) == 50 && sides(25.4f) == 50);
}

// The circle cast from (320, 240) to the pointer stops at the nearer hit, with a mark 30 long
// along its normal; a rectangle hit is outlined red, else white, on the dark grey.
TEST(Drawing, TheCollisionSceneStopsTheCastAtTheNearerHit) {
    Canvas c;
    auto circle = [] { // the centre of the last 40 lines, the circle's sides
        Vec2 sum = {};
        for (size_t i = gLines.size() - 40; i < gLines.size(); i++)
            sum = {sum.x + gLines[i].from.x / 40, sum.y + gLines[i].from.y / 40};
        return sum;
    };
    gLines.clear();
    DrawDebugScene({580, 300}); // both hit; the second nearer, on its left face
    EXPECT_TRUE(gLines.size() == 1 + 2 + 40 && Near(circle(), {480, 276.9231f}));
    EXPECT_TRUE(c.At(450, 300) == RED && c.At(600, 449) == RED && c.Count(GREY) > 400000);
    gLines.clear();
    DrawDebugScene({620, 340}); // both hit; the first nearer, on its top face: one mark, up
    EXPECT_TRUE(gLines.size() == 1 + 1 + 40 && Near(circle(), {440, 280}));
    EXPECT_TRUE(Near(gLines[1].from, {440, 280}) && Near(gLines[1].to, {440, 250}));
    gLines.clear();
    DrawDebugScene({320, 330}); // neither: the circle at the pointer, both white
    EXPECT_TRUE(Near(circle(), {320, 330}) && c.At(450, 300) == WHITE && c.At(600, 449) == WHITE);
}
