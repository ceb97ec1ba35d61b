// Goons keep station on the player and crates stand and break; how both are drawn.
#include "test_util.h"

static Goon* PlaceGoon(Vec2 pos, int slot = 0) {
    return &(gApp->goons[slot] = {{pos, 0, 1}, {}, GOON_CHASING, 0});
}

// How far one tick brings a goon straight below the player nearer, by its distance.
static f32 Closing(f32 distance) {
    Goon* g = PlaceGoon({0, distance});
    UpdateGoon(g);
    return distance - g->pos.y;
}

TEST_F(GameFixture, GoonsCloseInHoldStillAndStepBack) {
    EXPECT_FLOAT_EQ(Closing(500), 6);
    EXPECT_FLOAT_EQ(Closing(223.5f), 6);
    EXPECT_FLOAT_EQ(Closing(223), 3);
    EXPECT_FLOAT_EQ(Closing(78.5f), 3);
    EXPECT_FLOAT_EQ(Closing(78), 0);
    EXPECT_FLOAT_EQ(Closing(59.5f), 0);
    EXPECT_FLOAT_EQ(Closing(59), -3);
    EXPECT_FLOAT_EQ(Closing(40.5f), -3);
}

// At 40 it breaks off at once at full speed toward the point 300 away from the player, and
// keeps that target for 90 ticks however the player moves; then it chases again.
TEST_F(GameFixture, AGoonWithinReachBacksOffFor90Ticks) {
    Goon* g = PlaceGoon({24, 32});
    UpdateGoon(g);
    EXPECT_TRUE(g->state == GOON_BACKING_OFF && g->target.x == 204 && g->target.y == 272);
    EXPECT_TRUE(fabsf(g->pos.x - 27.6f) < 1e-4f && fabsf(g->pos.y - 36.8f) < 1e-4f);
    for (int t = 2; t <= 92; t++) { // the 90 updates after the one that started it, and one more
        gPlayer->pos = t % 2 ? g->pos : Vec2{-900, 700};
        UpdateGoon(g);
        EXPECT_EQ(g->state, t <= 90 ? GOON_BACKING_OFF : GOON_CHASING) << t;
        EXPECT_EQ(g->target.x, t <= 91 ? 204 : -900) << t;
    }
    // Through walls and out of the world; and on top of the player, with no way to go away.
    memset(gFloor, 1, sizeof(Floor));
    gPlayer->pos = v2zero;
    Goon *far = PlaceGoon({1400, 0}, 1), *onTop = PlaceGoon(v2zero, 2);
    for (int t = 0; t < 300; t++, UpdateGoon(far))
        UpdateGoon(onTop);
    EXPECT_TRUE(far->pos.x > 59 && far->pos.x <= 78 && far->pos.y == 0) << far->pos.x;
    EXPECT_TRUE(onTop->pos.x == 0 && onTop->pos.y == 0 && isfinite(onTop->target.x));
}

// At zoom 2 a crate is an 80 by 80 outline and a goon a 40 pixel line toward its target.
TEST_F(GameFixture, CratesAndGoonsDrawnThroughTheView) {
    Crate* k = &gApp->crates[5];
    InitCrate(k, {20, 30}, 3, 77);
    SDL_FRect r = GetCrateRect(k);
    EXPECT_TRUE(r.x == 20 && r.y == 30 && r.w == 40 && r.h == 40 && k->active);
    BreakCrate(k);
    EXPECT_TRUE(!k->active && k->pos.x == 20 && k->pos.y == 30 && k->kind == 3 && k->value == 77);
    gApp->zoom = 2;
    UpdateCamera(); // the camera 60 above the player at the origin: (x, y) shows at 400 + 2x, 420 +
                    // 2y
    gLines.clear();
    DrawCrate(k);
    ASSERT_EQ(gLines.size(), 4u);
    EXPECT_NEAR(gLines[0].x, 440, 1e-3);
    EXPECT_NEAR(gLines[0].y, 480, 1e-3);
    EXPECT_NEAR(gLines[3].w, 520, 1e-3);
    EXPECT_NEAR(gLines[3].h, 560, 1e-3);
    Goon* g = PlaceGoon({30, -80});
    g->target = {30, 0};
    DrawGoon(g);
    EXPECT_NEAR(gLines[4].x, 460, 1e-3);
    EXPECT_NEAR(gLines[4].y, 260, 1e-3);
    EXPECT_NEAR(gLines[4].w, 460, 1e-3);
    EXPECT_NEAR(gLines[4].h, 300, 1e-3);
}
