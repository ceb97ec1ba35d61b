// Goons and crates: how goons keep station on the player, and how both are kept and drawn.
#include "test_util.h"

#include <math.h>
#include <vector>

struct ObjectsTest : GameFixture {
    Goon* NewGoon(Vec2 pos, int slot = 0) {
        Goon* g = &gApp->goons[slot];
        *g = {};
        g->pos = pos;
        g->active = 1;
        g->state = GOON_CHASING;
        return g;
    }
};

// Whether any pixel of the 3 by 3 square around (x, y) is white.
static bool WhiteNear(Canvas& c, f32 x, f32 y) {
    return c.Count(WHITE, (int)x - 1, (int)y - 1, (int)x + 2, (int)y + 2) > 0;
}

TEST_F(ObjectsTest, GoonSpeedBandsByDistance) {
    gPlayer->pos = {100, -50};
    // Distance below the player, then how far one tick brings the goon closer.
    const f32 cases[][2] = {{500, 6}, {223.5f, 6}, {223, 3}, {100, 3}, {78.5f, 3}, {78, 0},
                            {70, 0},  {59.5f, 0},  {59, -3}, {50, -3}, {40.5f, -3}};
    for (auto& k : cases) {
        Goon* g = NewGoon({100, -50 + k[0]});
        UpdateGoon(g);
        EXPECT_FLOAT_EQ(g->pos.x, 100) << k[0];
        EXPECT_NEAR(-50 + k[0] - g->pos.y, k[1], 1e-4) << k[0];
        EXPECT_EQ(g->state, GOON_CHASING) << k[0];
    }
    Goon* g = NewGoon({100 + 300, -50 + 400}); // 500 away on a slant
    UpdateGoon(g);
    EXPECT_NEAR(g->pos.x, 400 - 3.6f, 1e-4);
    EXPECT_NEAR(g->pos.y, 350 - 4.8f, 1e-4);
}

TEST_F(ObjectsTest, GoonWithinReachBacksOffFromAFixedPointThenChasesAgain) {
    Goon* g = NewGoon({24, 32}); // exactly 40 from the player at the origin
    UpdateGoon(g);
    EXPECT_EQ(g->state, GOON_BACKING_OFF);
    EXPECT_EQ(g->timer, 90);
    Vec2 away = {24 + 180, 32 + 240}; // 300 further along the line from the player
    EXPECT_NEAR(g->target.x, away.x, 1e-3);
    EXPECT_NEAR(g->target.y, away.y, 1e-3);
    EXPECT_NEAR(g->pos.x, 24 + 3.6f, 1e-4); // already on its way, at the back-off speed
    EXPECT_NEAR(g->pos.y, 32 + 4.8f, 1e-4);
    Vec2 target = g->target;
    u32 seed = 99;
    for (int t = 2; t <= 91; t++) { // the 90 updates after the one that started it
        gPlayer->pos = t % 3 ? g->pos : Vec2{RandomF(&seed, -900, 900), RandomF(&seed, -700, 700)};
        UpdateGoon(g);
        EXPECT_EQ(memcmp(&g->target, &target, sizeof(Vec2)), 0) << t;
        EXPECT_EQ(g->state, t < 91 ? GOON_BACKING_OFF : GOON_CHASING) << t;
    }
    gPlayer->pos = {-500, 0};
    UpdateGoon(g);
    EXPECT_EQ(g->target.x, -500);
    EXPECT_EQ(g->target.y, 0);
}

TEST_F(ObjectsTest, GoonsPassThroughWallsAndWorldBounds) {
    memset(&gApp->floor, 1, sizeof(Floor)); // every wall stands
    Goon* g = NewGoon({600, 0}, 0);         // walls at x = 135 and 405 between
    Goon* outside = NewGoon({2000, 0}, 1);
    UpdateGoon(outside);
    EXPECT_FLOAT_EQ(outside->pos.x, 1994);
    for (int t = 0; t < 200; t++)
        UpdateGoon(g);
    EXPECT_GT(g->pos.x, 59);
    EXPECT_LE(g->pos.x, 78);

    gPlayer->pos = {1150, 800};
    Goon* fleeing = NewGoon({1180, 820}, 2);
    for (int t = 0; t < 60; t++)
        UpdateGoon(fleeing);
    EXPECT_GT(fleeing->pos.x, 1185 + 100);
    EXPECT_GT(fleeing->pos.y, 825 + 100);
}

TEST_F(ObjectsTest, GoonOnTopOfThePlayerStaysPutWithoutNaN) {
    gPlayer->pos = {37, -12};
    Goon* g = NewGoon(gPlayer->pos);
    for (int t = 0; t < 200; t++) {
        UpdateGoon(g);
        ASSERT_TRUE(isfinite(g->pos.x) && isfinite(g->pos.y) && isfinite(g->target.x) &&
                    isfinite(g->target.y))
            << t;
    }
    EXPECT_EQ(g->pos.x, 37);
    EXPECT_EQ(g->pos.y, -12);
}

TEST_F(ObjectsTest, GoonLinePointsAtItsTargetThroughTheView) {
    Canvas c;
    gPlayer->facing = 0.9f;
    gApp->zoom = 2;
    UpdateCamera();
    Goon* g = NewGoon({30, -80});
    g->target = {-60, -20};
    c.Clear();
    DrawGoon(g);
    DrawInfo from = GetDrawInfo(&g->pos), to = GetDrawInfo(&g->target);
    Vec2 dir = Vec2Normalize(Vec2SubVec2(to.pos, from.pos));
    // 20 units at scale 2: 40 pixels toward the target, none away from it.
    for (f32 s : {8.0f, 20.0f, 36.0f})
        EXPECT_TRUE(WhiteNear(c, from.pos.x + dir.x * s, from.pos.y + dir.y * s)) << s;
    for (f32 s : {-20.0f, -8.0f, 45.0f})
        EXPECT_FALSE(WhiteNear(c, from.pos.x + dir.x * s, from.pos.y + dir.y * s)) << s;
}

TEST_F(ObjectsTest, CrateRectBreakingAndDrawing) {
    Crate* k = &gApp->crates[5];
    k->tag = 4;
    InitCrate(k, {20, 30}, 3, 77);
    SDL_FRect r = GetCrateRect(k);
    EXPECT_TRUE(r.x == 20 && r.y == 30 && r.w == 40 && r.h == 40);
    EXPECT_EQ(k->active, 1);
    BreakCrate(k);
    EXPECT_EQ(k->active, 0);
    EXPECT_TRUE(k->pos.x == 20 && k->pos.y == 30 && k->kind == 3 && k->value == 77 && k->tag == 4);

    Canvas c;
    gApp->zoom = 2;
    UpdateCamera(); // facing 0: the camera 60 units above the player at the origin
    c.Clear();
    DrawCrate(k); // drawn whether or not it is broken: skipping broken ones is the scene's job
    // 80 by 80 from (440, 480), whose corner lands a hair short of a pixel boundary.
    for (int x : {440, 520})
        for (int y : {480, 560})
            EXPECT_GT(c.Count(WHITE, x - 1, y - 1, x + 2, y + 2), 0) << x << ", " << y;
    EXPECT_EQ(c.Count(WHITE, 442, 482, 519, 559), 0);
    EXPECT_EQ(c.Count(WHITE, 438, 478, 522, 562), c.Count(WHITE));
    EXPECT_NEAR(c.Count(WHITE), 4 * 80, 6);
}

// Goons and crates put into a game as it is built, through the cutscene and a few hundred
// ticks of play: active slots are updated and drawn, inactive ones neither.
TEST_F(ObjectsTest, PlacedObjectsLiveThroughPlay) {
    Canvas c;
    GenerateFloor(&gApp->floor, 1234);
    InitCrate(&gApp->crates[2], {60, -150}, 1, 5);
    InitCrate(&gApp->crates[11], {-200, 40}, 2, 9);
    InitCrate(&gApp->crates[6], {-40, -200}, 0, 0);
    BreakCrate(&gApp->crates[6]);
    Goon* goons[2] = {NewGoon({400, -300}, 3), NewGoon({-350, 100}, 14)};
    Goon idle = *NewGoon({100, -100}, 8);
    gApp->goons[8].active = 0;

    auto frame = [&] {
        SDL_srand(7); // the same circle phase in every frame
        Draw(gApp, gRenderer);
        SDL_FlushRenderer(gRenderer);
        const u32* p = (const u32*)c.surface->pixels;
        return std::vector<u32>(p, p + LOGICAL_W * LOGICAL_H);
    };
    // The active objects whose drawing could reach a pixel: crate slot i is bit i, goon slot i
    // bit 16 + i.
    auto reaching = [&](int x, int y) {
        u32 mask = 0;
        for (int i = 0; i < 16; i++) {
            DrawInfo a = GetDrawInfo(&gApp->crates[i].pos);
            f32 r = 40 * 1.4143f * a.scale + 2;
            if (gApp->crates[i].active && fabsf(x - a.pos.x) <= r && fabsf(y - a.pos.y) <= r)
                mask |= 1u << i;
            DrawInfo b = GetDrawInfo(&gApp->goons[i].pos);
            if (gApp->goons[i].active && fabsf(x - b.pos.x) <= 22 && fabsf(y - b.pos.y) <= 22)
                mask |= 1u << (16 + i);
        }
        return mask;
    };

    KeyPressed('w', 1);
    u32 seen = 0;
    for (int t = 1; t <= 400; t++) {
        if (t == 150)
            KeyPressed('w', 0); // coast to a stop, so that the goons catch up
        Vec2 before = goons[0]->pos;
        Update(gApp);
        if (t <= 30) { // the opening cutscene: goons stand still
            ASSERT_EQ(memcmp(&goons[0]->pos, &before, sizeof(Vec2)), 0);
        } else if (t == 31) { // the goon follows where the player has just moved to
            EXPECT_TRUE(gPlayer->pos.y < 0 && goons[0]->target.x == gPlayer->pos.x &&
                        goons[0]->target.y == gPlayer->pos.y);
        }
        if (t % 30 != 0)
            continue;
        std::vector<u32> withObjects = frame();
        GameState saved;
        memcpy(&saved, gApp, sizeof(GameState));
        memset(gApp->crates, 0, sizeof(gApp->crates));
        memset(gApp->goons, 0, sizeof(gApp->goons));
        std::vector<u32> without = frame();
        memcpy(gApp, &saved, sizeof(GameState));
        for (int i = 0; i < LOGICAL_W * LOGICAL_H; i++) {
            if (withObjects[i] == without[i])
                continue;
            u32 mask = reaching(i % LOGICAL_W, i / LOGICAL_W);
            ASSERT_NE(mask, 0u) << "tick " << t << " pixel " << i;
            if ((mask & (mask - 1)) == 0) // only one object could have drawn it
                seen |= mask;
        }
    }
    EXPECT_EQ(seen, 1u << 2 | 1u << 11 | 1u << (16 + 3) | 1u << (16 + 14));
    for (Goon* g : goons)
        EXPECT_LT(Vec2Magnitude(Vec2SubVec2(g->pos, gPlayer->pos)), 80);
    gApp->goons[8].active = 1;
    EXPECT_EQ(memcmp(&gApp->goons[8], &idle, sizeof(Goon)), 0);
}
