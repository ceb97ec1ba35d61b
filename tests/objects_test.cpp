// Goons keep station on the player; crates stand and break; how both are drawn.
#include "test_util.h"

static Goon* PlaceGoon(Vec2 pos, Vec2 target = v2zero) {
    return &(gApp->goons[0] = {{pos, 0, 1}, target, GOON_CHASING, 0});
}

// A tick brings a goon below the player closer by 6 from afar, then 3, 0, and -3 nearer. At 40 it
// breaks off at once at full speed toward the point 300 away from the player, and keeps that
// target for 90 ticks however the player moves. It passes through walls.
TEST_F(GameFixture, GoonsCloseInHoldStillStepBackAndBreakOff) {
    memset(gFloor, 1, sizeof(Floor));
    const f32 distance[] = {223.5f, 223, 78.5f, 78, 59.5f, 59, 40.5f},
              closing[] = {6, 3, 3, 0, 0, -3, -3};
    for (int i = 0; i < 7; i++) {
        Goon* g = PlaceGoon({0, distance[i]});
        UpdateGoon(g);
        EXPECT_FLOAT_EQ(distance[i] - g->pos.y, closing[i]) << distance[i];
    }
    Goon* g = PlaceGoon({24, 32});
    for (int t = 1; t <= 92; t++) { // the update that starts it, the 90 after, and one more
        gPlayer->pos = t == 1 ? v2zero : t % 2 ? g->pos : Vec2{-900, 700};
        UpdateGoon(g);
        EXPECT_TRUE(g->state == (t <= 90 ? GOON_BACKING_OFF : GOON_CHASING) &&
                    g->target.x == (t <= 91 ? 204 : -900))
            << t;
        EXPECT_TRUE(t > 1 || Near({g->pos.x, g->pos.y, g->target.y}, {27.6f, 36.8f, 272}));
    }
    EXPECT_GT(g->pos.y, 105); // through the wall at y 85 to 105 that stands in its way
}

// At zoom 2, with the camera 60 above the player at the origin, world (x, y) shows at
// (400 + 2x, 420 + 2y): a crate at (20, 30) is an 80 by 80 outline from (440, 480), broken or
// not; a goon at (30, -80) a 40 pixel line toward its target.
TEST_F(GameFixture, CratesAndGoonsDrawnThroughTheView) {
    Crate* k = &gApp->crates[5];
    InitCrate(k, {20, 30}, 3, 77);
    SDL_FRect r = GetCrateRect(k);
    BreakCrate(k);
    EXPECT_TRUE(Near({r.x, r.y, r.w, r.h}, {20, 30, 40, 40}) && !k->active && k->value == 77);
    gApp->zoom = 2;
    UpdateCamera();
    gLines.clear();
    DrawCrate(k);
    DrawGoon(PlaceGoon({30, -80}, {30, 0}));
    ASSERT_EQ(gLines.size(), 5u);
    EXPECT_TRUE(Near({gLines[0].x, gLines[0].y, gLines[3].w, gLines[3].h}, {440, 480, 520, 560}));
    EXPECT_TRUE(Near({gLines[4].x, gLines[4].y, gLines[4].w, gLines[4].h}, {460, 260, 460, 300}));
}
