// The wall grid, how a seed lays it out and how it is drawn, and bodies sliding through it.
#include "test_util.h"

#include <random>

TEST_F(GameFixture, WallsStandOnTheGridAndEachSeedKeepsItsLayout) {
    SDL_FRect v = GetVWallRect(0, 0), h = GetHWallRect(8, 7);
    ExpectNear({v.x, v.y, v.w, v.h, h.x, h.y, h.w, h.h}, {-955, -865, 20, 210, 935, 655, 290, 20});
    Floor f[3]; // a seed's layout, the same seed's again, the next seed's
    for (u64 seed = 1; seed <= 2000; seed++) {
        for (int i = 0; i < 3; i++)
            GenerateFloor(&f[i], seed + i / 2);
        for (int k = 0; k < 3; k++) // no wall inside the central 3 by 3 rooms
            ASSERT_FALSE(f->vWalls[3][3 + k] | f->vWalls[4][3 + k] | f->hWalls[3 + k][3] |
                         f->hWalls[3 + k][4])
                << seed;
        ASSERT_TRUE(!memcmp(&f[0], &f[1], sizeof(Floor)) && memcmp(&f[0], &f[2], sizeof(Floor)));
    }
}

TEST_F(GameFixture, BodiesSlideStopAndStayInBounds) {
    memset(&gApp->floor, 0, sizeof(Floor));
    gApp->floor.vWalls[5][4] = 1; // x 395 to 415, y -105 to 105; then from, by, to:
    const Vec2 moves[][3] = {
        {{370, 0}, {20, 5}, {374.99f, 5}},        // slides along the face
        {{300, 0}, {100, 0}, {374.99f, 0}},       // head-on: stops 20.01 from the wall
        {{429, 122}, {-4, -8}, {425, 114}},       // in the grown wall's square corner: let through
        {{405, -140}, {10, 20}, {415, -125.01f}}, // slides along the wall's end
        {{0, 0}, {5, 0}, {5, 0}},                 // the player's start: out of the origin square
        {{50, 0}, {-30, 0}, {30.01f, 0}},         // but not back in
        {{1180, 0}, {10, 0}, {1185, 0}},
        {{0, 840}, {0, -5}, {0, 825}},
        {{3, 4}, {0, 0}, {3, 4}}, // no motion, or none a float can follow
        {{3, 4}, {NAN, 1}, {3, 4}}};
    for (const auto& m : moves) {
        Entity e = {m[0], 0, 1};
        MoveCollideStep(&e, m[1]);
        ExpectNear({e.pos.x, e.pos.y}, {m[2].x, m[2].y}, 1e-4, &m - moves);
    }
}

// Casts, many axis-parallel, on a side's line, of no length or through a corner; and moves.
TEST_F(GameFixture, RandomCastsAndMovesNeverYieldNaNOrLeaveTheWorld) {
    std::mt19937 rng(20240611);
    Entity e = {{0, 0}, 0, 1};
    int badCast = -1, badMove = -1;
    for (int n = 0, kind = 0; n < 1200000; n++, kind = n % 3) {
        bool wide = rng() % 4 == 0;
        auto coord = [&] { return wide ? rng() * 7e-7f - 1500 : rng() % 33 - 16.0f; };
        SDL_FRect shape = {coord() / 2, coord() / 2, 1 + fabsf(coord()), 1 + fabsf(coord())};
        Ray r = {{coord(), coord()}, {coord(), coord()}, {}, {0, -(f32)(rng() % 2)}, 0};
        f32 radius = rng() % 30, mode = rng() % 4, a = coord();
        f32 x = shape.x - (kind == BODY ? radius : 0), y = shape.y - (kind == BODY ? radius : 0);
        if (mode == 0) { // through the corner of the shape (grown by the radius for a body)
            r.start = {x - a, y - a};
            r.end = {x + a, y + a};
        }
        r.end = mode == 1 ? r.start : r.end;
        if (Cast(kind, &r, shape, radius) && badCast < 0 &&
            (!isfinite(r.hit.x) || !isfinite(r.hit.y) || !isfinite(r.t) ||
             !(fabsf(Magnitude(r.normal.x, r.normal.y) - 1) < 1e-4f) ||
             (kind != CIRCLE && !(r.t >= 0 && r.t <= 1))))
            badCast = n;
        if (n % 8 != 0)
            continue;
        if (n % 8000 == 0)
            GenerateFloor(&gApp->floor, rng() | 1); // never 0, which SDL takes from the clock
        Vec2 by = Vec2Scale(Vec2SubVec2(r.end, r.start), mode == 3 ? 1e-3f : 1);
        if (mode == 2) {
            u8 i = rng() % 9, j = rng() % 8;
            SDL_FRect w = n % 16 ? GetVWallRect(j, i) : GetHWallRect(i, j);
            f32 k = 1 + fabsf(a), along = n % 3 == 0; // through its corner or along its top
            e.pos = {w.x - 20 - k, w.y - 20 - (along ? 0 : k)};
            by = {2 * k + along * w.w, along ? 0 : 2 * k};
        }
        MoveCollideStep(&e, by);
        if (badMove < 0 && !(fabsf(e.pos.x) <= 1185 && fabsf(e.pos.y) <= 825))
            badMove = n;
    }
    EXPECT_TRUE(badCast < 0 && badMove < 0) << "cast " << badCast << ", move " << badMove;
}

// At a quarter of the size the bounds map to (73.75, 101.25) to (676.25, 523.75), the origin
// square to around (375, 312.5); halfway along a wall's long side no other outline passes.
TEST_F(GameFixture, FloorDrawsBoundsOriginSquareAndTheSeedsWallsWhereTheViewMapsThem) {
    gApp->zoom = -2;
    gApp->camera = {100, -50};
    Canvas c;
    memset(&gApp->floor, 0, sizeof(Floor));
    DrawFloor();
    int all = c.Count(WHITE), square = c.Count(WHITE, 371, 308, 380, 317);
    EXPECT_TRUE(c.Count(WHITE, 76, 104, 674, 521) == square && square >= 16);
    EXPECT_TRUE(c.Count(WHITE, 72, 99, 679, 526) == all && all - square >= 2 * 602 + 2 * 422);
    GenerateFloor(&gApp->floor, 20240611);
    c.Clear();
    DrawFloor();
    auto drawn = [&](SDL_FRect r, bool vertical) {
        DrawInfo at = GetDrawInfo((const Vec2*)&r);
        return c.Near(WHITE, at.pos.x + (vertical ? 0 : r.w / 2 * at.scale),
                      at.pos.y + (vertical ? r.h / 2 * at.scale : 0));
    };
    for (u8 i = 0; i < 8; i++)
        for (u8 j = 0; j < 9; j++) {
            EXPECT_EQ(drawn(GetVWallRect(i, j), true), gFloor->vWalls[i][j] != 0) << +i << +j;
            EXPECT_EQ(drawn(GetHWallRect(j, i), false), gFloor->hWalls[j][i] != 0) << +j << +i;
        }
}
