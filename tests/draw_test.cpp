// The drawing kit and a whole game frame, read back pixel by pixel from the software renderer.
#include "test_util.h"

#include <math.h>
#include <set>
#include <utility>

using Pixels = std::set<std::pair<int, int>>;

// The white pixels within [0, x1) by [0, y1).
static Pixels Lit(Canvas& c, int x1, int y1) {
    Pixels lit;
    for (int y = 0; y < y1; y++)
        for (int x = 0; x < x1; x++)
            if (c.At(x, y) == WHITE)
                lit.insert({x, y});
    return lit;
}

// Black, ready to draw in white.
static void Blank(Canvas& c) {
    c.Clear();
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
}

// A hollow rectangle from (x0, y0) to (x1, y1), give or take a pixel: every lit pixel lies on
// one of its sides, and its corners and the middles of its sides are lit.
static void ExpectOutline(Canvas& c, int x0, int y0, int x1, int y1) {
    auto in = [](int v, int a, int b) { return v >= a - 1 && v <= b + 1; };
    for (auto [x, y] : Lit(c, 800, 600))
        ASSERT_TRUE(((in(x, x0, x0) || in(x, x1, x1)) && in(y, y0, y1)) ||
                    ((in(y, y0, y0) || in(y, y1, y1)) && in(x, x0, x1)))
            << x << "," << y;
    int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    for (int x : {x0, mx, x1})
        for (int y : {y0, my, y1})
            if (x != mx || y != my) {
                EXPECT_GT(c.Count(WHITE, x - 1, y - 1, x + 2, y + 2), 0) << x << "," << y;
            }
}

TEST(Drawing, DebugLinesStackDownFromTheCorner) {
    Canvas c;
    Blank(c);
    SDL_RenderDebugText(gRenderer, 4, 4, "#");
    Pixels glyph = Lit(c, 64, 64);
    ASSERT_FALSE(glyph.empty());

    Blank(c);
    DrawDebugBegin();
    for (int k = 0; k < 6; k++)
        DrawDebugText("#");
    Pixels expected;
    for (int k = 0; k < 6; k++) // one glyph at each of y = 4, 12, 20, 28, 36, 44
        for (auto [x, y] : glyph)
            expected.insert({x, y + 8 * k});
    EXPECT_EQ(Lit(c, 64, 64), expected);
}

TEST(Drawing, RotatedRectTurnsClockwiseAboutItsCorner) {
    Canvas c;
    Blank(c);
    SDL_FRect r = {10, 20, 30, 40};
    DrawRotatedRect(&r, 0);
    ExpectOutline(c, 10, 20, 40, 60);

    // A quarter turn: the w side runs down from the corner, the h side to its left.
    Blank(c);
    SDL_FRect t = {100, 100, 30, 40};
    DrawRotatedRect(&t, (f32)M_PI_2);
    ExpectOutline(c, 60, 100, 100, 130);
}

struct Ring {
    double lo = 1e9, hi = 0; // nearest and farthest pixel centre from the circle's centre
    size_t n = 0;
};

static Ring DrawRing(Canvas& c, f32 radius) {
    Blank(c);
    Circle circle = {{100, 100}, radius};
    DrawCircle(&circle);
    Ring ring;
    for (auto [x, y] : Lit(c, 200, 200)) {
        double d = hypot(x + 0.5 - 100, y + 0.5 - 100);
        ring = {std::min(ring.lo, d), std::max(ring.hi, d), ring.n + 1};
    }
    return ring;
}

TEST(Drawing, CircleSidesFollowItsDiameter) {
    Canvas c;
    Ring fine = DrawRing(c, 20); // 40 sides: no pixel strays from the circle
    EXPECT_TRUE(fine.lo >= 18.5 && fine.hi <= 21.5 && fine.n > 100) << fine.lo << " " << fine.hi;
    // Below a diameter of 3 it is a triangle, whose sides pass half the radius from the centre
    // (a square's would pass 14 from it).
    EXPECT_NEAR(DrawRing(c, -20).lo, 10, 2);
    EXPECT_EQ(DrawRing(c, 0).n, 1u); // all three sides on the centre
}

TEST_F(GameFixture, AlignedRectLandsWhereTheViewMapsIt) {
    Canvas c;
    Blank(c);
    gApp->zoom = 2; // camera at the origin, unturned
    SDL_FRect wall = {50, -100, 40, 30};
    DrawAlignedRect(&wall);
    ExpectOutline(c, 500, 100, 580, 160);

    // Facing +x: world +x is drawn up the screen, world +y to the right.
    Blank(c);
    gApp->zoom = 1;
    gApp->cameraAngle = (f32)M_PI_2;
    SDL_FRect turned = {100, 50, 40, 30}; // its corner is drawn at (450, 200)
    DrawAlignedRect(&turned);
    ExpectOutline(c, 450, 160, 480, 200);
}

TEST_F(GameFixture, FrameIsDarkGreyWithWhiteHintsAndCounters) {
    Canvas c;
    ClearFloor();
    Blank(c);
    // The counters show the tick count's low 32 bits and the whole seconds.
    const char* lines[] = {hintStr1, hintStr2, hintStr3, hintStr4, "7259", "71582909"};
    for (int k = 0; k < 6; k++)
        SDL_RenderDebugText(gRenderer, 4, 4 + 8 * k, lines[k]);
    Pixels text = Lit(c, 120, 60);
    ASSERT_FALSE(text.empty());

    mTicks = (1ull << 32) + 7259;
    Draw(gApp, gRenderer);
    mTicks = 0;
    EXPECT_EQ(Lit(c, 120, 60), text);
    EXPECT_EQ(c.At(120, 60), BACKGROUND);
    EXPECT_GT(c.Count(BACKGROUND), 800 * 600 * 9 / 10);
}
