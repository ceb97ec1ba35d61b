// The shell, the bindings, the opening countdown and the camera, as the game state shows them.
#include "test_util.h"

#include <math.h>

static void ExpectScreenAt(const Vec2& world, f32 x, f32 y) {
    DrawInfo info = GetDrawInfo(&world);
    EXPECT_NEAR(info.pos.x, x, 1e-3);
    EXPECT_NEAR(info.pos.y, y, 1e-3);
}

TEST(FrameClock, TicksDueAfterMilliseconds) {
    EXPECT_EQ(TickTarget(16), 0u);
    EXPECT_EQ(TickTarget(17), 1u);
    EXPECT_EQ(TickTarget(1000), 60u);
    // 262144.99 ticks: a float quotient would round up and run a tick a millisecond early.
    EXPECT_EQ(TickTarget(4369083), 262144u);
}

TEST_F(GameFixture, Bindings) {
    BindInfo* side0 = &gBindInfo[BIND_SIDE0];
    KeyPressed('a', 1);
    MouseDownSearch(SDL_BUTTON_LEFT, 1);
    KeyPressed('a', 0); // the button still holds the row
    EXPECT_EQ(side0->down[0], 0);
    EXPECT_EQ(side0->down[1], 1);

    BindInfo before[BIND_COUNT];
    memcpy(before, gBindInfo, sizeof(before));
    KeyPressed('x', 1);
    MouseDownSearch(SDL_BUTTON_MIDDLE, 1);
    MouseDownSearch(255, 1); // the unbound code -1 compares as button 255 in 8 bits
    before[BIND_FORWARD].down[1] = 1;
    EXPECT_EQ(memcmp(before, gBindInfo, sizeof(before)), 0);
}

TEST_F(GameFixture, CountdownThenAKeyHeldThroughItActsAtOnce) {
    ClearFloor();
    KeyPressed('w', 1);
    for (u64 tick = 1; tick <= 30; tick++) {
        Update(gApp);
        EXPECT_EQ(gApp->cutsceneFrames, 30 - tick);
        EXPECT_EQ(gApp->mode, tick < 30 ? MODE_CUTSCENE : MODE_PLAYING) << tick;
        EXPECT_TRUE(gPlayer->pos.x == 0 && gPlayer->pos.y == 0 && gPlayer->facing == 0) << tick;
    }
    Update(gApp); // tick 31: w drives the free left wheel without a new press
    EXPECT_LT(gPlayer->pos.y, 0);
    EXPECT_GT(gPlayer->facing, 0);
}

TEST_F(GameFixture, PlayerStandsAt400_420AtAnyZoomAndFacing) {
    for (int playing = 0; playing < 2; playing++) {
        if (playing)
            SkipCutscene();
        for (f32 zoom : {1.0f, 3.0f, 1.2f, 0.0f, -1.0f})
            for (f32 facing : {0.0f, 1.0f, -2.5f, 10.0f}) {
                SCOPED_TRACE(testing::Message() << zoom << " " << facing);
                gApp->zoom = zoom;
                gPlayer->facing = facing;
                gPlayer->pos = {130, -75};
                Update(gApp);
                ExpectScreenAt(gPlayer->pos, 400, 420);
                // The facing, drawn with the view's angle, points straight up.
                EXPECT_EQ(GetDrawInfo(&gPlayer->pos).angle + gPlayer->facing, 0);
            }
    }
}

TEST_F(GameFixture, ZoomScaleAndLookAhead) {
    EXPECT_FLOAT_EQ(ZoomScale(3), 3);
    EXPECT_FLOAT_EQ(ZoomScale(1.2f), 1.2f);
    EXPECT_FLOAT_EQ(ZoomScale(0), 0.5f);
    EXPECT_FLOAT_EQ(ZoomScale(-1), 1 / 3.0f);
    gApp->zoom = 3;
    Update(gApp);
    EXPECT_NEAR(gApp->camera.y, -40, 1e-4);
    gApp->zoom = 0;
    Update(gApp);
    EXPECT_NEAR(gApp->camera.y, -240, 1e-4);
}

TEST_F(GameFixture, ViewTurnsWithCameraAngle) {
    gApp->camera = {10, 20};
    ExpectScreenAt({110, 20}, 500, 300);
    ExpectScreenAt({10, -80}, 400, 200);
    gApp->cameraAngle = (f32)M_PI_2; // facing +x: +x is drawn straight up
    ExpectScreenAt({110, 20}, 400, 200);
}

TEST_F(GameFixture, QuitClearsEveryPointerIntoTheState) {
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    EXPECT_TRUE(!gApp && !gPlayer && !gInventory && !gFloor);
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS); // a second quit finds nothing to release
}
