// The wall grid, how a seed lays it out and how it is drawn, and bodies sliding through it.
#include "test_util.h"

// One grid line a group, one room a mark: '#' a wall, '.' a gap; vertical lines left to right
// (their rooms top to bottom), then horizontal lines' columns left to right (rooms top down).
static std::string Layout(const Floor& f) {
    std::string s;
    for (int i = 0; i < 8; i++)
        for (int j = 0; j <= 9; j++)
            s += j == 9 ? ' ' : f.vWalls[i][j] ? '#' : '.';
    s += "/ ";
    for (int i = 0; i < 9; i++)
        for (int j = 0; j <= 8; j++)
            s += j == 8 ? ' ' : f.hWalls[i][j] ? '#' : '.';
    return s;
}

TEST(Floor, ASeedAlwaysGivesTheSameLayoutWithTheMiddleOpen) {
    SDL_FRect v = GetVWallRect(0, 0), h = GetHWallRect(8, 7);
    EXPECT_TRUE(v.x == -955 && v.y == -865 && v.w == 20 && v.h == 210);
    EXPECT_TRUE(h.x == 935 && h.y == 655 && h.w == 290 && h.h == 20);
    Floor f;
    GenerateFloor(&f, 20240611);
    EXPECT_EQ(Layout(f),
              "...###### ....#...# ##.#...## ..#...... ###...... ...##.#.# ##.#..#.# "
              "###.###.# / .#.###.# ...##... .#.....# .#...#.. #.#..#.. ..#..... "
              "###..#.. #.#####. #.###..# "); // the second hall: columns 3 to 5, rows 6 to 8
    for (u64 seed = 1; seed <= 2000; seed++) {
        GenerateFloor(&f, seed);
        for (int k = 0; k < 3; k++) // the nine rooms around the origin are one hall
            ASSERT_FALSE(f.vWalls[3][3 + k] | f.vWalls[4][3 + k] | f.hWalls[3 + k][3] |
                         f.hWalls[3 + k][4])
                << seed;
    }
}

// Bounds, the origin square, then every wall: four lines each, in the view of a player at the
// origin facing up (the camera 120 above it), so a world point p is drawn at p + (400, 420).
TEST_F(GameFixture, FloorIsDrawnInWhiteThroughTheView) {
    Canvas canvas;
    memset(gFloor, 0, sizeof(Floor));
    gLines.clear();
    DrawFloor();
    ASSERT_EQ(gLines.size(), 8u);
    EXPECT_NEAR(gLines[0].x, -805, 1e-3);
    EXPECT_NEAR(gLines[0].y, -425, 1e-3);
    EXPECT_NEAR(gLines[0].w, 1605, 1e-3);                 // the top edge, 2410 long
    EXPECT_EQ(canvas.Count(WHITE, 389, 409, 23, 23), 80); // the origin square's outline
    GenerateFloor(gFloor, 20240611);
    gLines.clear();
    DrawFloor();
    EXPECT_EQ(gLines.size(), 4u * (2 + 63)); // the walls of that layout
}

static void ExpectMove(Vec2 from, Vec2 by, Vec2 to) {
    Entity body = {from, 0, 1};
    MoveCollideStep(&body, by);
    EXPECT_NEAR(body.pos.x, to.x, 1e-4) << "from " << from.x << ", " << from.y;
    EXPECT_NEAR(body.pos.y, to.y, 1e-4) << "from " << from.x << ", " << from.y;
}

TEST_F(GameFixture, BodiesSlideAlongWallsAndStayInTheWorld) {
    memset(gFloor, 0, sizeof(Floor));
    gFloor->vWalls[5][4] = 1;                           // x 395 to 415, y -105 to 105
    ExpectMove({370, 0}, {20, 5}, {374.99f, 5});        // x stops short of the wall, y goes on
    ExpectMove({300, 0}, {100, 0}, {374.99f, 0});       // head-on: stops 20.01 from the wall
    ExpectMove({405, -140}, {10, 20}, {415, -125.01f}); // slides along the wall's end
    ExpectMove({429, 122}, {-4, -8}, {425, 114}); // in the grown wall's square corner: let through
    ExpectMove({0, 0}, {5, 0}, {5, 0});           // out of the origin square where it starts
    ExpectMove({50, 0}, {-30, 0}, {30.01f, 0});   // but not back into it
    ExpectMove({1180, 0}, {10, 0}, {1185, 0});    // the world's bounds less the radius
    ExpectMove({0, 840}, {0, -5}, {0, 825});
    Entity body = {{431, 126}, 0, 1}; // outside the grown wall: held on its rounded corner
    MoveCollideStep(&body, {-4, -8});
    EXPECT_GE(Vec2Magnitude(Vec2SubVec2(body.pos, {415, 105})), 20);
}

// Walls are cast against one by one, verticals first, each from the old position to the end the
// slides before it left. Running up into the corner of vertical (5, 4) and horizontal (6, 3),
// the body slides up the vertical's face and so never reaches the horizontal's rounded corner,
// which the unbent motion would have met first had the horizontals come first.
TEST_F(GameFixture, WallsAreCastInTheirFixedOrder) {
    memset(gFloor, 0, sizeof(Floor));
    gFloor->vWalls[5][4] = 1;
    gFloor->hWalls[6][3] = 1; // x 395 to 685, y -105 to -85
    ExpectMove({360, -20}, {40, -60}, {374.99f, -80});
}
