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
    auto ends = [](size_t i, f32 x, f32 y) { return gLines[i].w == x && gLines[i].h == y; };
    EXPECT_TRUE(ends(0, -0x1.18698ap+5f, -0x1.72b8b4p+4f)); // the goon's line
    EXPECT_TRUE(ends(1, 0x1.9c8ec6p+4f, 0x1.0653dp+4f) && ends(2, -0x1.506fb6p+4f, 0x1.0fb488p+5f));
    EXPECT_TRUE(ends(5, 0x1.9078e2p+1f, 0x1.3c0f6ep+4f) && gLines[6].x == 0x1.9078e2p+1f &&
                gLines[6].y == 0x1.3c0f6ep+4f);            // a side of the circle, and the next
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

static bool Hits(int kind, Vec2 from, Vec2 to, const SDL_FRect& shape, std::vector<f32> want,
                 Vec2 carried = v2zero) {
    Ray r = {from, to, {}, carried, 0};
    return SoundCast(kind, &r, shape, kind == 1 ? 2 : 20) &&
           Near({r.hit.x, r.hit.y, r.normal.x, r.normal.y, r.t}, want);
}

// Casts hit where wanted (contact, normal, fraction): a side touched at the very end, along an
// axis, an exact corner keeping a carried normal or else pushing straight back, a circle left from
// inside past the end, a wall's rounded corner met or passed short of.
TEST(Casts, ContactsOnSidesCornersAndCircles) {
    SDL_FRect square = {10, 10, 10, 10}, wall = {50, 0, 10, 100};
    f32 x = 50 - sqrtf(175), far = FMod(-3e8f, 6.283185f);
    EXPECT_TRUE(Hits(0, {20, 5}, {0, 5}, {-10, 0, 10, 10}, {0, 5, 1, 0, 1}));
    EXPECT_TRUE(Hits(0, {0, 0}, {20, 20}, square, {10, 10, 0, -1, 0.5f}, {0, -1}));
    EXPECT_TRUE(Hits(0, {0, 0}, {20, 20}, square, {10, 10, -0.7071f, -0.7071f, 0.5f}));
    EXPECT_TRUE(Hits(1, {5, 0}, {6, 0}, {5, 0, 0, 0}, {7, 0, 1, 0, 2}));
    EXPECT_TRUE(Hits(2, {0, -15}, {100, -15}, wall, {x, -15, (x - 50) / 20, -0.75f, x / 100}));
    Ray clip = {{26, -25}, {36, -15}, {}, {}, 0};
    EXPECT_FALSE(CircleRayIntersectRect(&clip, 20, &wall));
    EXPECT_TRUE(far >= 0 && far <= 6.283185f && FMod(-5, -1) == -5); // every modulus ends
}

TEST_F(GameFixture, RandomCastsAndMovesAreSound) {
    std::mt19937 rng(20240611);
    for (int n = 0; n < 200000; n++)
        ASSERT_TRUE(SoundRandomCase(rng)) << n;
}
