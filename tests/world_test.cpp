// The wall grid as the view shows it, and bodies sliding through it.
#include "test_util.h"

// Bounds, origin square, every wall, four lines each, through the view: at zoom 2, world (x, y) at
// (400 + 2x, 420 + 2y); first the bounds' top and left sides, last wall (8, 7)'s right side.
TEST_F(GameFixture, FloorIsDrawnInWhiteThroughTheView) {
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
    // Walls are cast once each, verticals row by row, then horizontals column by column, each
    // toward the end the slides before left: into the corner of vertical (5, 4) and horizontal (6,
    // 3) the body slides up the vertical, never meeting the horizontal; along vertical (0, 3) it
    // ends inside (1, 2), a row up, missed before; past horizontal (4, 4) it slides down it, then
    // along (5, 3).
    gFloor->hWalls[6][3] = 1; // x 395 to 685, y -105 to -85
    ExpectMove({360, -20}, {40, -60}, {374.99f, -80});
    gFloor->vWalls[1][2] = gFloor->vWalls[0][3] = 1; // x -685 to -665, y -485 to -275; -955, -295
    ExpectMove({-962, -322}, {291, 118}, {-671, -315.01f});
    gFloor->hWalls[4][4] = gFloor->hWalls[5][3] = 1; // x -145 to 145, y 85 to 105; 125, -105
    ExpectMove({235, 178}, {-235, -258}, {165.01f, -64.99f});
}
