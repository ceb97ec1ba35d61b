// Goons keep station on the player; crates stand and break; how both are drawn.
#include "test_util.h"

static Goon* PlaceGoon(Vec2 pos, int slot = 0) {
    return &(gApp->goons[slot] = {{pos, 0, 1}, {}, GOON_CHASING, 0});
}

// How far one tick brings a goon closer, by its distance below the player: full speed from afar,
// slower nearer, still, then a step back. At 40 it breaks off at once at full speed toward the
// point 300 away from the player, keeping that target 90 ticks however the player moves.
TEST_F(GameFixture, GoonsCloseInHoldStillStepBackAndBreakOff) {
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
        EXPECT_EQ(g->state, t <= 90 ? GOON_BACKING_OFF : GOON_CHASING) << t;
        EXPECT_EQ(g->target.x, t <= 91 ? 204 : -900) << t;
        EXPECT_TRUE(t > 1 || (fabsf(g->pos.x - 27.6f) + fabsf(g->pos.y - 36.8f) < 1e-4f &&
                              g->target.y == 272));
    }
    memset(gFloor, 1, sizeof(Floor)); // through walls, out of the world; on the player, no way off
    gPlayer->pos = v2zero;
    Goon *far = PlaceGoon({1400, 0}, 1), *onTop = PlaceGoon(v2zero, 2);
    for (int t = 0; t < 300; t++, UpdateGoon(far))
        UpdateGoon(onTop);
    EXPECT_TRUE(far->pos.x > 59 && far->pos.x <= 78 && far->pos.y == 0 && onTop->pos.x == 0 &&
                onTop->pos.y == 0);
}

// At zoom 2, with the camera 60 above the player at the origin, world (x, y) shows at
// (400 + 2x, 420 + 2y): a crate at (20, 30) is an 80 by 80 outline from (440, 480); a goon at
// (30, -80) is a 40 pixel line toward its target.
TEST_F(GameFixture, CratesAndGoonsDrawnThroughTheView) {
    Crate* k = &gApp->crates[5];
    InitCrate(k, {20, 30}, 3, 77);
    SDL_FRect r = GetCrateRect(k);
    BreakCrate(k);
    EXPECT_TRUE(r.x == 20 && r.y == 30 && r.w == 40 && r.h == 40 && !k->active && k->value == 77);
    gApp->zoom = 2;
    UpdateCamera();
    gLines.clear();
    DrawCrate(k);
    DrawGoon(&(*PlaceGoon({30, -80}) = {{{30, -80}, 0, 1}, {30, 0}, GOON_CHASING, 0}));
    ASSERT_EQ(gLines.size(), 5u);
    EXPECT_LT(fabsf(gLines[0].x - 440) + fabsf(gLines[0].y - 480) + fabsf(gLines[3].w - 520) +
                  fabsf(gLines[3].h - 560),
              1e-3f);
    EXPECT_LT(fabsf(gLines[4].x - 460) + fabsf(gLines[4].y - 260) + fabsf(gLines[4].w - 460) +
                  fabsf(gLines[4].h - 300),
              1e-3f);
}
