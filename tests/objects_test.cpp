// Goons and crates: how goons keep station on the player, and how both are drawn.
#include "test_util.h"

static Goon* NewGoon(Vec2 pos, int slot = 0) {
    return &(gApp->goons[slot] = {{pos, 0, 1}, {}, GOON_CHASING, 0});
}

TEST_F(GameFixture, GoonsKeepStationCratesBreakAndBothAreDrawn) {
    const f32 cases[][2] = {{500, 6}, {223.5f, 6}, {223, 3}, {100, 3}, {78.5f, 3}, {78, 0},
                            {70, 0},  {59.5f, 0},  {59, -3}, {50, -3}, {40.5f, -3}};
    for (auto& k : cases) { // distance below the player; how far a tick brings the goon closer
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
    // From outside the world, through every wall; and on top of the player, with no way away.
    memset(&gApp->floor, 1, sizeof(Floor));
    gPlayer->pos = {0, 0};
    Goon *far = NewGoon({1400, 0}, 1), *onTop = NewGoon(gPlayer->pos, 2);
    for (int t = 0; t < 300; t++) {
        UpdateGoon(far);
        UpdateGoon(onTop);
    }
    EXPECT_TRUE(far->pos.x > 59 && far->pos.x <= 78 && far->pos.y == 0) << far->pos.x;
    EXPECT_TRUE(onTop->pos.x == 0 && onTop->pos.y == 0 && isfinite(onTop->target.x));
    // At zoom 2 a crate, broken or not, is an 80 by 80 outline; a goon's line is 40 pixels long.
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
    g = NewGoon({30, -80});
    g->target = {-60, -20};
    DrawGoon(g);
    DrawInfo from = GetDrawInfo(&g->pos), to = GetDrawInfo(&g->target);
    Vec2 dir = Vec2Normalize(Vec2SubVec2(to.pos, from.pos));
    for (f32 s : {-20, -8, 8, 20, 36, 45})
        EXPECT_EQ(c.Near(WHITE, from.pos.x + dir.x * s, from.pos.y + dir.y * s), s > 0 && s < 40);
}
