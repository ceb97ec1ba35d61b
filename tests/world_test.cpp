// The world as the view shows it, bodies sliding along its walls, and goons passing through them.
#include "test_util.h"

// At zoom 2 world (x, y) is at (400 + 2x, 420 + 2y): bounds, origin square, every wall. Turned a
// quarter: a crate 80 by 80, goons 40 long toward the player or away; no broken crate.
TEST_F(GameFixture, TheWorldIsDrawnInWhiteThroughTheView) {
    Canvas c;
    gApp->zoom = 2;
    UpdateCamera();
    GenerateFloor(gFloor, 20240611);
    gLines.clear();
    DrawFloor();
    EXPECT_TRUE(gLines.size() == 4 * (2 + 63) && c.Count(WHITE, 379, 399, 43, 43) == 160);
    EXPECT_TRUE(Near(gLines[0].from, {-2010, -1270}) && Near(gLines[0].to, {2810, -1270}));
    EXPECT_NEAR(gLines[1].to.y, 2110, 2e-3f);
    EXPECT_TRUE(Near(gLines.back().from, {2850, 1730}) && Near(gLines.back().to, {2850, 1770}));
    gPlayer->facing = 1.5707964f;
    UpdateCamera();
    InitCrate(&gApp->crates[0], {20, 30}, 4, 9);
    BreakCrate(&gApp->crates[0]);
    InitCrate(&gApp->crates[1], {100, -100}, 2, 7);
    SDL_FRect r = GetCrateRect(&gApp->crates[0]);
    EXPECT_TRUE(!gApp->crates[0].active && gApp->crates[0].kind == 4 &&
                gApp->crates[0].value == 9 && r.x == 20 && r.y == 30 && r.w == 40 && r.h == 40);
    gApp->goons[0] = {{{0, -100}, 0, 1}, {0, 0}, GOON_CHASING, 0};
    gApp->goons[1] = {{{100, 0}, 0, 1}, {400, 0}, GOON_BACKING_OFF, 50};
    Draw(gApp, gRenderer);
    const Line* l = &gLines[gLines.size() - 10]; // the crate's four, the goons', the overlay's four
    EXPECT_TRUE(Near(l[0].to, {200, 140}) && Near(l[1].to, {280, 220}) &&
                Near(l[4].to, {240, 420}) && Near(l[5].to, {400, 180}));
}

static void ExpectMove(Vec2 from, Vec2 by, Vec2 to) {
    Entity body = {from, 0, 1};
    MoveCollideStep(&body, by);
    EXPECT_TRUE(Near(body.pos, to)) << from.x << ", " << from.y;
}

TEST_F(GameFixture, BodiesSlideAlongWallsInTheirOrderAndStayInTheWorld) {
    memset(gFloor, 0, sizeof(Floor));
    gFloor->vWalls[5][4] = 1;                     // x 395 to 415, y -105 to 105
    ExpectMove({370, 0}, {20, 5}, {374.99f, 5});  // x stops short of the wall, y goes on
    ExpectMove({429, 122}, {-4, -8}, {425, 114}); // in the grown wall's square corner: let through
    ExpectMove({0, 0}, {5, 0}, {5, 0});           // out of the origin square where it starts
    ExpectMove({50, 0}, {-30, 0}, {30.01f, 0});   // but not back into it
    ExpectMove({1180, 820}, {10, 10}, {1185, 825}); // the world's edges, less the body's radius
    ExpectMove({-1180, -820}, {-10, -10}, {-1185, -825});
    // Each wall cast once, verticals by row, then horizontals by column, toward the end the slides
    // before left: a corner's horizontal never met; a wall a row up missed; two slides in turn.
    gFloor->hWalls[6][3] = 1; // x 395 to 685, y -105 to -85
    ExpectMove({360, -20}, {40, -60}, {374.99f, -80});
    gFloor->vWalls[1][2] = gFloor->vWalls[0][3] = 1; // x -685 to -665, y -485 to -275; -955, -295
    ExpectMove({-962, -322}, {291, 118}, {-671, -315.01f});
    gFloor->hWalls[4][4] = gFloor->hWalls[5][3] = 1; // x -145 to 145, y 85 to 105; 125, -105
    ExpectMove({235, 178}, {-235, -258}, {165.01f, -64.99f});
}

static f32 Closes(f32 dist) { // how far a chasing goon that far below the player comes toward it
    Goon& g = gApp->goons[0] = {{{0, dist}, 0, 1}, {}, GOON_CHASING, 0};
    UpdateGoon(&g);
    return dist - g.pos.y;
}

// Beyond 223 a goon closes in at 6 a tick, 78 at 3, 59 holds, 40 steps back at 3; at 40 it backs
// off at 6 through walls to 300 at once, 90 ticks more, wherever the player goes; then chases.
TEST_F(GameFixture, AGoonKeepsStationAndBacksOffFor90TicksWhenClose) {
    EXPECT_TRUE(Closes(223.01) == 6 && Closes(223) == 3 && Closes(78.01) == 3 && Closes(78) == 0);
    EXPECT_TRUE(Closes(59.01) == 0 && Closes(59) == -3 && Closes(40.01) == -3 && Closes(40) == -6);
    memset(gFloor, 1, sizeof(Floor));
    Goon* g = &(gApp->goons[0] = {{{24, 32}, 0, 1}, {}, GOON_CHASING, 0}); // 40 from the player
    for (int t = 0; t <= 91; t++) {
        Vec2 was = g->pos;
        Tick();
        EXPECT_TRUE(Near(g->target, t < 91 ? Vec2{204, 272} : v2zero)) << t;
        EXPECT_NEAR(Vec2Magnitude(Vec2SubVec2(g->pos, was)), 6, 1e-3f) << t;
        EXPECT_TRUE(t > 0 || Near(g->pos, {27.6f, 36.8f})); // the first step, straight away
        gPlayer->pos = t < 90 ? g->pos : v2zero; // on it, to no effect; back for the chase
    }
}
