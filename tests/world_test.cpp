// The wall grid and the body sliding through it: where walls stand, how a seed lays them out,
// where a moving body ends, and that no move leaves it at NaN or outside the world.
#include "test_util.h"

#include <array>
#include <math.h>

using World = GameFixture;

static std::array<f32, 4> Box(SDL_FRect r) {
    return {r.x, r.y, r.w, r.h};
}

// Whether the 3 by 3 block of rooms from column a, row b has no inner wall.
static bool BlockOpen(const Floor& f, int a, int b) {
    int walls = 0;
    for (int k = 0; k < 3; k++)
        walls += f.vWalls[a][b + k] + f.vWalls[a + 1][b + k] + f.hWalls[a + k][b] +
                 f.hWalls[a + k][b + 1];
    return walls == 0;
}

TEST_F(World, WallsStandOnTheGridAndEachSeedKeepsItsLayout) {
    EXPECT_EQ(Box(GetVWallRect(0, 0)), (std::array<f32, 4>{-955, -865, 20, 210}));
    EXPECT_EQ(Box(GetHWallRect(8, 7)), (std::array<f32, 4>{935, 655, 290, 20}));
    Floor first, again;
    int differing = 0, secondHall = 0;
    for (u64 seed = 1; seed <= 2000; seed++) {
        GenerateFloor(&first, seed);
        ASSERT_TRUE(BlockOpen(first, 3, 3)) << seed;
        int halls = 0;
        for (int block = 0; block < 9; block++)
            halls += BlockOpen(first, block % 3 * 3, block / 3 * 3);
        secondHall += halls > 1;
        GenerateFloor(&again, seed);
        ASSERT_EQ(memcmp(&first, &again, sizeof(Floor)), 0) << seed;
        GenerateFloor(&again, seed + 1);
        differing += memcmp(&first, &again, sizeof(Floor)) != 0;
    }
    EXPECT_EQ(differing, 2000);
    EXPECT_GT(secondHall, 1700); // the random block is the central one in one seed of nine
}

static Vec2 Moved(Vec2 from, Vec2 by) {
    Entity e;
    InitEntity(&e, from, 0);
    MoveCollideStep(&e, by);
    return e.pos;
}

TEST_F(World, BodiesSlideStopAndStayInBounds) {
    ClearFloor();
    gApp->floor.vWalls[5][4] = 1; // x 395 to 415, y -105 to 105
    const Vec2 moves[][3] = {
        // from, by, to
        {{370, 0}, {20, 5}, {374.99f, 5}},  // slides along the face
        {{300, 0}, {100, 0}, {374.99f, 0}}, // head-on: stops 20.01 from the wall
        {{429, 122}, {-4, -8}, {425, 114}}, // in the grown wall's square corner: let through
        {{0, 0}, {5, 0}, {5, 0}},           // the player's start: out of the origin square
        {{50, 0}, {-30, 0}, {30.01f, 0}},   // but not back in
        {{1180, 0}, {10, 0}, {1185, 0}},
        {{0, 840}, {0, -5}, {0, 825}},
        {{-1180, -820}, {-10, -10}, {-1185, -825}},
        {{3, 4}, {0, 0}, {3, 4}}, // no motion, or none a float can follow
        {{3, 4}, {NAN, 1}, {3, 4}},
    };
    for (const auto& m : moves) {
        Vec2 p = Moved(m[0], m[1]);
        EXPECT_NEAR(p.x, m[2].x, 1e-4) << "from " << m[0].x << "," << m[0].y;
        EXPECT_NEAR(p.y, m[2].y, 1e-4) << "from " << m[0].x << "," << m[0].y;
    }
    Vec2 p = Moved({431, 126}, {-4, -8}); // outside the grown wall: held on the rounded corner
    f32 fromCorner = Magnitude(p.x - 415, p.y - 105);
    EXPECT_TRUE(fromCorner >= 20 && fromCorner < 20.05f) << fromCorner;
    gApp->floor.hWalls[5][4] = 1;   // x 125 to 415, y 85 to 105: an inside corner
    p = Moved({340, 50}, {40, 40}); // slides down the first wall, then along the second
    EXPECT_NEAR(p.x, 374.99, 1e-4);
    EXPECT_NEAR(p.y, 64.99, 1e-4);
}

// Bodies wander over random floors, now and then aimed through a grown wall's corner or along
// the line of its top side.
TEST_F(World, RandomMovesNeverLeaveTheWorldOrTurnNaN) {
    u32 s = 0x2545F491;
    const f32 sizes[] = {0, 0.001f, 1, 30, 3000};
    Entity e;
    InitEntity(&e, {0, 0}, 0);
    int bad = 0;
    for (int n = 0; n < 150000 && bad < 10; n++) {
        if (n % 1000 == 0)
            GenerateFloor(&gApp->floor, XorShift(&s)); // never 0, which SDL takes from the clock
        f32 size = sizes[XorShift(&s) % 5];
        Vec2 by = {RandomF(&s, -size, size), RandomF(&s, -size, size)};
        u32 mode = XorShift(&s) % 8;
        if (mode == 0) {
            e.pos = {RandomF(&s, -1185, 1185), RandomF(&s, -825, 825)};
        } else if (mode == 1) {
            by.x = XorShift(&s) % 2 ? 0 : by.x;
            by.y = by.x != 0 ? 0 : by.y;
        } else if (mode == 2) {
            u8 i = XorShift(&s) % 9, j = XorShift(&s) % 8;
            SDL_FRect w = XorShift(&s) % 2 ? GetVWallRect(j, i) : GetHWallRect(i, j);
            f32 k = 1 + XorShift(&s) % 20;
            bool along = XorShift(&s) % 2;
            e.pos = {w.x - 20 - k, w.y - 20 - (along ? 0 : k)};
            by = {2 * k + (along ? w.w : 0), along ? 0 : 2 * k};
        }
        MoveCollideStep(&e, by);
        if (!(fabsf(e.pos.x) <= 1185 && fabsf(e.pos.y) <= 825))
            bad++, ADD_FAILURE() << n << ": at " << e.pos.x << "," << e.pos.y;
    }
}
