// Goons and crates: how goons keep station on the player, and how both are drawn.
#include "test_util.h"

using ObjectsTest = GameFixture;

static Goon* NewGoon(Vec2 pos, int slot = 0) {
    return &(gApp->goons[slot] = {{pos, 0, 1}, {}, GOON_CHASING, 0});
}

TEST_F(ObjectsTest, GoonsKeepStationOnThePlayer) {
    // Distance below the player, then how far one tick brings the goon closer.
    const f32 cases[][2] = {{500, 6}, {223.5f, 6}, {223, 3}, {100, 3}, {78.5f, 3}, {78, 0},
                            {70, 0},  {59.5f, 0},  {59, -3}, {50, -3}, {40.5f, -3}};
    for (auto& k : cases) {
        Goon* g = NewGoon({0, k[0]});
        UpdateGoon(g);
        ExpectNear({g->pos.x, k[0] - g->pos.y, (f32)g->state}, {0, k[1], GOON_CHASING}, 1e-4, k[0]);
    }
    // At 40 it breaks off at once, at full speed, keeping its target 90 ticks whatever happens.
    Goon* g = NewGoon({24, 32});
    UpdateGoon(g);
    EXPECT_TRUE(g->state == GOON_BACKING_OFF && g->timer == 90);
    ExpectNear({g->target.x, g->target.y, g->pos.x, g->pos.y}, {204, 272, 27.6f, 36.8f}, 1e-3);
    for (int t = 2; t <= 92; t++) { // the 90 updates after the one that started it, and one more
        gPlayer->pos = t % 2 ? g->pos : Vec2{-900, 700};
        UpdateGoon(g);
        EXPECT_EQ(g->state, t < 91 ? GOON_BACKING_OFF : GOON_CHASING) << t;
        EXPECT_EQ(g->target.x, t < 92 ? 204 : -900) << t;
    }
    // Walls and the world's bounds do not stop them; a goon on top of the player has no way away.
    memset(&gApp->floor, 1, sizeof(Floor)), gPlayer->pos = {0, 0};
    g = NewGoon({600, 0}, 0); // walls at x = 135 and 405 between
    for (int t = 0; t < 200; t++)
        UpdateGoon(g);
    gPlayer->pos = {1150, 800};
    Goon *fleeing = NewGoon({1180, 820}, 1), *onTop = NewGoon(gPlayer->pos, 2);
    for (int t = 0; t < 100; t++)
        UpdateGoon(fleeing);
    UpdateGoon(onTop);
    EXPECT_TRUE(g->pos.x > 59 && g->pos.x <= 78 && fleeing->pos.x > 1285 && fleeing->pos.y > 925);
    EXPECT_TRUE(onTop->pos.x == 1150 && onTop->pos.y == 800 && isfinite(onTop->target.x));
}

// At zoom 2 a crate, broken or not, is an 80 by 80 outline; a goon's line runs 40 pixels long.
TEST_F(ObjectsTest, CrateAndGoonDrawnThroughTheView) {
    gApp->zoom = 2;
    UpdateCamera(); // facing 0: the camera 60 units above the player at the origin
    Canvas c;
    Crate* k = &gApp->crates[5];
    InitCrate(k, {20, 30}, 3, 77);
    SDL_FRect r = GetCrateRect(k);
    EXPECT_TRUE(r.x == 20 && r.y == 30 && r.w == 40 && r.h == 40 && k->active == 1);
    BreakCrate(k);
    EXPECT_TRUE(!k->active && k->pos.x == 20 && k->pos.y == 30 && k->kind == 3 && k->value == 77);
    DrawCrate(k);
    c.ExpectOutline(440, 480, 520, 560);
    c.Clear();
    gPlayer->facing = 0.9f;
    UpdateCamera();
    Goon* g = NewGoon({30, -80});
    g->target = {-60, -20};
    DrawGoon(g);
    DrawInfo from = GetDrawInfo(&g->pos), to = GetDrawInfo(&g->target);
    Vec2 dir = Vec2Normalize(Vec2SubVec2(to.pos, from.pos));
    for (f32 s : {-20, -8, 8, 20, 36, 45})
        EXPECT_EQ(c.Near(WHITE, from.pos.x + dir.x * s, from.pos.y + dir.y * s), s > 0 && s < 40);
}
