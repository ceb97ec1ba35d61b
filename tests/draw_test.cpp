// The drawing kit and a whole game frame, read back from the software renderer.
#include "test_util.h"

TEST_F(GameFixture, RectanglesAndCircles) {
    // Zoom (0: drawn straight, not through the view), angle, rectangle, the outline expected.
    const f32 cases[][10] = {{0, 0, 10, 20, 30, 40, 10, 20, 40, 60},
                             {0, (f32)M_PI_2, 100, 100, 30, 40, 60, 100, 100, 130},
                             {2, 0, 50, -100, 40, 30, 500, 100, 580, 160},
                             {1, (f32)M_PI_2, 100, 50, 40, 30, 450, 160, 480, 200}};
    for (auto& k : cases) {
        Canvas c;
        SDL_FRect r = {k[2], k[3], k[4], k[5]};
        gApp->zoom = k[0];
        gApp->cameraAngle = k[1];
        k[0] ? DrawAlignedRect(&r) : DrawRotatedRect(&r, k[1]);
        c.ExpectOutline(k[6], k[7], k[8], k[9]);
    }
    // Radius; bounds on the nearest and farthest lit pixel (a triangle's sides pass r / 2 inside).
    const f32 circles[][4] = {{150, 148.5f, 151.5f, 151.5f}, {-20, 8, 12, 21}, {0, 0, 1, 1}};
    Canvas c;
    for (auto& k : circles) {
        c.Clear();
        Circle circle = {{400, 300}, k[0]};
        DrawCircle(&circle);
        std::vector<u32> px = c.Grab();
        std::vector<double> lit; // distances of the lit pixel centres from the centre
        for (int i = 0; i < LOGICAL_W * LOGICAL_H; i++)
            if (px[i] == WHITE)
                lit.push_back(hypot(i % LOGICAL_W + 0.5 - 400, i / LOGICAL_W + 0.5 - 300));
        auto [lo, hi] = std::minmax_element(lit.begin(), lit.end());
        EXPECT_TRUE(lo != lit.end() && *lo >= k[1] && *lo <= k[2] && *hi <= k[3]) << k[0];
    }
}

// The hints and counters (the tick count's low 32 bits, the seconds) stack from (4, 4) in white.
TEST_F(GameFixture, FrameIsDarkGreyWithWhiteHintsAndCounters) {
    Canvas c;
    memset(&gApp->floor, 0, sizeof(Floor));
    c.Clear(0x21);
    const char* lines[] = {hintStr1, hintStr2, hintStr3, hintStr4, "7259", "71582909"};
    for (int k = 0; k < 6; k++)
        SDL_RenderDebugText(gRenderer, 4, 4 + 8 * k, lines[k]);
    std::vector<u32> text = c.Grab(0, 0, 120, 60);
    mTicks = (1ull << 32) + 7259;
    Draw(gApp, gRenderer);
    EXPECT_TRUE(c.Grab(0, 0, 120, 60) == text && c.Count(BACKGROUND) > 800 * 600 * 9 / 10);
    DrawDebugFloat(-3e38f); // 47 characters: the head that fits the buffer is kept
    EXPECT_EQ(std::string(gStrBuffer), std::to_string(-3e38f).substr(0, 31));
    DrawDebugText(std::string(100, 'x').c_str());
    EXPECT_TRUE(std::string(gStrBuffer) == std::string(31, 'x') && gDebugLines == 8);
}
