// The frame clock, the command line, the bindings, the opening countdown, a whole frame, and a
// soak: random play through the game's own entry points.
#include "test_util.h"

#include <random>

std::vector<SDL_FRect> gLines;

extern "C" bool __real_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2);
extern "C" bool __wrap_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2) {
    gLines.push_back({x1, y1, x2, y2});
    return __real_SDL_RenderLine(r, x1, y1, x2, y2);
}

TEST(Shell, TicksFollowTheClockAndDebugIsTheFirstArgumentExactly) {
    EXPECT_EQ(TickTarget(16), 0u);
    EXPECT_EQ(TickTarget(17), 1u);
    EXPECT_EQ(TickTarget(1000), 60u);
    EXPECT_EQ(TickTarget(4369083), 262144u); // 262144.99 ticks: a float quotient rounds up
    const char* lines[][3] = {
        {"game", "-debug"}, {"game", "-Debug"}, {"game", "--debug"}, {"game", "x", "-debug"}};
    for (auto& args : lines) {
        ASSERT_EQ(SDL_AppInit(nullptr, args[2] ? 3 : 2, (char**)args), SDL_APP_CONTINUE);
        EXPECT_EQ(debug, &args == &lines[0]) << args[1];
        SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
        EXPECT_TRUE(!gApp && !gPlayer && !gInventory && !gFloor);
    }
    SDL_Quit();
}

TEST_F(GameFixture, BindingsKeepEachFlagApartAndTheWheelZooms) {
    KeyPressed('a', 1);
    MouseDownSearch(SDL_BUTTON_LEFT, 1);
    KeyPressed('a', 0); // the button still holds the left side
    EXPECT_TRUE(gBindInfo[BIND_SIDE0].down[0] == 0 && gBindInfo[BIND_SIDE0].down[1] == 1);
    std::vector<BindInfo> before(gBindInfo, gBindInfo + BIND_COUNT);
    KeyPressed('x', 1);
    MouseDownSearch(SDL_BUTTON_MIDDLE, 1);
    MouseDownSearch(255, 1); // the unbound code -1 reads as button 255 in 8 bits
    before[BIND_FORWARD].down[1] = 1;
    EXPECT_EQ(memcmp(before.data(), gBindInfo, sizeof(gBindInfo)), 0);
    SDL_Event wheel = {};
    wheel.type = SDL_EVENT_MOUSE_WHEEL;
    wheel.wheel.y = -3;
    EXPECT_EQ(SDL_AppEvent(nullptr, &wheel), SDL_APP_CONTINUE);
    EXPECT_FLOAT_EQ(gApp->zoom, 0.4f);
    wheel.type = SDL_EVENT_QUIT;
    EXPECT_EQ(SDL_AppEvent(nullptr, &wheel), SDL_APP_SUCCESS);
}

// Ticks 1 to 30 count down with everything but the camera still; w held from the start acts on
// tick 31, before the goon. At every zoom the view keeps the player at (400, 420), facing up.
TEST_F(GameFixture, TheOpeningCountdownThenPlay) {
    InitGameState();
    Goon* goon = &(gApp->goons[15] = {{{300, -300}, 0, 1}, {}, GOON_CHASING, 0});
    gApp->goons[0] = {{{100, -100}, 0, 0}, {}, GOON_CHASING, 0}; // not in use
    KeyPressed('w', 1);
    const f32 zooms[] = {-1, 1.2f, 3};
    for (int t = 1; t <= 300; t++) {
        gApp->zoom = zooms[t % 3];
        Update(gApp);
        EXPECT_EQ(gApp->mode, t < 30 ? MODE_CUTSCENE : MODE_PLAYING) << t;
        EXPECT_TRUE(t > 31 || (gPlayer->pos.y < 0) == (t == 31)) << t;
        EXPECT_TRUE(t > 31 || (goon->pos.y == -300) == (t < 31)) << t;
        DrawInfo at = GetDrawInfo(&gPlayer->pos);
        EXPECT_TRUE(fabsf(at.pos.x - 400) < 1e-3f && fabsf(at.pos.y - 420) < 1e-3f &&
                    fabsf(at.angle + gPlayer->facing) < 1e-6f)
            << t;
    }
    EXPECT_TRUE(gPlayer->facing > 1 && gApp->goons[0].pos.x == 100);
}

// A dark grey frame with the hints and both counters (the tick count's low 32 bits, the
// seconds) in white from (4, 4) down; crates and goons in use are drawn, others not.
TEST_F(GameFixture, AFrameShowsTheHintsCountersAndObjectsInUse) {
    Canvas c;
    memset(gFloor, 0, sizeof(Floor)); // no wall passing through the corner
    SDL_SetRenderDrawColor(gRenderer, 33, 33, 33, 255);
    SDL_RenderClear(gRenderer);
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    const char* text[] = {"ws      move", "eq item swap", "space    hop",
                          "ad  turn/use", "7259",         "71582909"};
    for (int k = 0; k < 6; k++)
        SDL_RenderDebugText(gRenderer, 4, 4 + 8 * k, text[k]);
    SDL_FlushRenderer(gRenderer);
    SDL_Surface* expected = SDL_DuplicateSurface(c.surface);
    mTicks = (1ull << 32) + 7259;
    Draw(gApp, gRenderer);
    SDL_FlushRenderer(gRenderer);
    for (int y = 0; y < 52; y++)
        for (int x = 0; x < 100; x++) {
            u8 r, g, b, want, wg, wb;
            SDL_ReadSurfacePixel(c.surface, x, y, &r, &g, &b, nullptr);
            SDL_ReadSurfacePixel(expected, x, y, &want, &wg, &wb, nullptr);
            ASSERT_TRUE(r == want && g == wg && b == wb) << x << ", " << y;
        }
    SDL_DestroySurface(expected);
    EXPECT_GT(c.Count(GREY), 800 * 600 * 9 / 10);
    InitCrate(&gApp->crates[3], {60, -150}, 0, 0);
    gApp->goons[7] = {{{300, -300}, 0, 1}, {100, 100}, GOON_CHASING, 0};
    gLines.clear();
    Draw(gApp, gRenderer);
    size_t withBoth = gLines.size();
    gApp->crates[3].active = gApp->goons[7].active = 0;
    gLines.clear();
    Draw(gApp, gRenderer);
    EXPECT_EQ(withBoth, gLines.size() + 4 + 1);
}

// Hours of play with random input; after every tick the game must still be sound.
TEST(Soak, RandomPlayKeepsTheGameSound) {
    const char* ticks = SDL_getenv("SOAK_TICKS");
    std::mt19937 rng(1);
    char* args[] = {(char*)"game", nullptr};
    ASSERT_EQ(SDL_AppInit(nullptr, 1, args), SDL_APP_CONTINUE);
    Inventory start = *gInventory;
    const i32 keys[] = {'w', 's', 'a', 'd', 'q', 'e', ' ', 'x'};
    for (long n = ticks ? atol(ticks) : 300000; n > 0; n--) {
        SDL_Event e = {};
        e.type = rng() % 2 ? SDL_EVENT_KEY_DOWN : SDL_EVENT_KEY_UP;
        e.key.key = keys[rng() % 8];
        SDL_AppEvent(nullptr, &e);
        e.type = rng() % 2 ? SDL_EVENT_MOUSE_BUTTON_DOWN : SDL_EVENT_MOUSE_BUTTON_UP;
        e.button.button = rng() % 4 ? rng() % 4 : 255;
        if (rng() % 8 == 0)
            SDL_AppEvent(nullptr, &e);
        gApp->zoom = rng() % 200 ? gApp->zoom : (f32)(rng() % 60) / 10 - 3;
        if (rng() % 20000 == 0)
            GenerateFloor(gFloor, rng() | 1);
        if (rng() % 5000 == 0) // goons anywhere, some on the player or their target
            for (Goon& g : gApp->goons)
                g = {{rng() % 4 ? Vec2{(f32)(rng() % 4000) - 2000, 0} : gPlayer->pos, 0, 1},
                     gPlayer->pos,
                     (u8)(rng() % 4),
                     (i32)(1 + rng() % 90)};
        SDL_WarpMouseInWindow(gWindow, rng() % 800, rng() % 600);
        Update(gApp);
        if (rng() % 500 == 0)
            Draw(gApp, gRenderer);
        Entity still = *gPlayer;
        ASSERT_TRUE(SoundMove(&still, v2zero) && isfinite(gPlayer->facing) &&
                    isfinite(gPlayer->aim) && isfinite(gApp->camera.x) && isfinite(gApp->camera.y))
            << n;
        int items = 0;
        for (int i = 0; i < 4; i++) {
            const InventorySlot& s = gInventory->slots[i];
            ASSERT_TRUE(s.cooldown <= s.cooldownMax && (s.item != -1 || !s.cooldown)) << n;
            items += s.item == 2 && start.slots[1].item == 2;
        }
        ASSERT_TRUE(items == 1 && gPlayer->hopTimer <= 60 && gPlayer->recoilTimer <= 20 &&
                    gPlayer->swapCooldown[0] <= 40 && gPlayer->swapCooldown[1] <= 40)
            << n;
        for (const Goon& g : gApp->goons)
            ASSERT_TRUE(!g.active || (isfinite(g.pos.x) && isfinite(g.target.y))) << n;
    }
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    SDL_Quit();
}
