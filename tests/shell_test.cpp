// The frame clock, the bindings, and the game played through its opening countdown.
#include "test_util.h"

TEST_F(GameFixture, FrameClockAndQuit) {
    EXPECT_TRUE(TickTarget(16) == 0 && TickTarget(17) == 1 && TickTarget(1000) == 60 &&
                TickTarget(4369083) == 262144); // 262144.99 ticks: a float quotient rounds up
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    EXPECT_TRUE(!gApp && !gPlayer && !gInventory && !gFloor);
}

TEST_F(GameFixture, BindingsHoldEachFlagApartAndIgnoreTheUnbound) {
    KeyPressed('a', 1);
    MouseDownSearch(SDL_BUTTON_LEFT, 1);
    KeyPressed('a', 0);
    EXPECT_TRUE(gBindInfo[BIND_SIDE0].down[0] == 0 && gBindInfo[BIND_SIDE0].down[1] == 1);
    std::vector<BindInfo> before(gBindInfo, gBindInfo + BIND_COUNT);
    KeyPressed('x', 1);
    MouseDownSearch(255, 1); // the unbound code -1 compares as button 255 in 8 bits
    before[BIND_FORWARD].down[1] = 1;
    EXPECT_EQ(memcmp(before.data(), gBindInfo, sizeof(gBindInfo)), 0);
}

// Slot flags decide the drawing; the countdown keeps all still, then w acts before the goon.
TEST_F(GameFixture, PlacedObjectsThroughTheCountdownAndPlay) {
    Canvas c;
    GenerateFloor(&gApp->floor, 1234);
    InitCrate(&gApp->crates[15], {60, -150}, 1, 5);
    InitCrate(&gApp->crates[0], {-140, -200}, 0, 0);
    BreakCrate(&gApp->crates[0]);
    Goon* goon = &(gApp->goons[15] = {{{300, -300}, 0, 1}, {}, GOON_CHASING, 0});
    Goon idle = gApp->goons[0] = {{{100, -100}, 0, 0}, {}, GOON_CHASING, 0};
    auto frame = [&] {
        SDL_srand(7); // the same circle phase in every frame
        Draw(gApp, gRenderer);
        return c.Grab();
    };
    std::vector<u32> shown = frame();
    for (Entity* e : std::vector<Entity*>{&gApp->crates[15], gApp->crates, goon, gApp->goons}) {
        e->active ^= 1;
        EXPECT_FALSE(frame() == shown) << e->pos.x;
        e->active ^= 1;
    }
    KeyPressed('w', 1);
    const f32 zooms[] = {-1, 1.2f, 3}; // from 1 up the scale is the zoom; -1 gives a third
    for (u64 t = 1; t <= 300; t++) {
        gApp->zoom = zooms[t % 3];
        Update(gApp);
        EXPECT_EQ(gApp->mode, t < 30 ? MODE_CUTSCENE : MODE_PLAYING) << t;
        EXPECT_TRUE(t > 30 ||
                    (gApp->cutsceneFrames == 30 - t && !gPlayer->pos.y && goon->pos.y == -300));
        EXPECT_TRUE(t != 31 || (gPlayer->pos.y < 0 && goon->target.y == gPlayer->pos.y));
        DrawInfo at = GetDrawInfo(&gPlayer->pos);
        ExpectNear({at.pos.x, at.pos.y, at.angle + gPlayer->facing, at.scale},
                   {400, 420, 0, t % 3 ? gApp->zoom : 1 / 3.0f}, 1e-3, t);
    }
    EXPECT_TRUE(gPlayer->facing > 1 && goon->pos.x != 300);
    EXPECT_EQ(memcmp(&gApp->goons[0], &idle, sizeof(Goon)), 0);
}
