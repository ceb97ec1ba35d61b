// The shell: the clock, the command line, the bindings, the opening, a frame, and a long soak.
#include "test_util.h"

#include <random>

std::vector<SDL_FRect> gLines;
extern "C" bool __real_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2);
extern "C" bool __wrap_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2) {
    gLines.push_back({x1, y1, x2, y2});
    return __real_SDL_RenderLine(r, x1, y1, x2, y2);
}

// Ticks follow the clock; 1 to 30 count down, all but the camera still, with w and the left button
// held apart; w acts on tick 31, before the goon. At any zoom the player stands at (400, 420).
TEST_F(GameFixture, TheOpeningCountdownThenPlay) {
    EXPECT_EQ(TickTarget(4369083), 262144u); // 262144.99 ticks: a float quotient rounds up
    InitGameState();
    Goon* goon = &(gApp->goons[15] = {{{300, -300}, 0, 1}, {}, GOON_CHASING, 0});
    KeyPressed('w', 1);
    KeyPressed('a', 1);
    MouseDownSearch(SDL_BUTTON_LEFT, 1);
    KeyPressed('a', 0); // the button still holds the left side
    EXPECT_TRUE(gBindInfo[2].down[1] && !gBindInfo[2].down[0]);
    MouseDownSearch(SDL_BUTTON_LEFT, 0);
    for (int t = 1; t <= 300; t++) {
        gApp->zoom = t % 3 ? t % 3 * 1.5f : -1; // a third of the size below 1
        Update(gApp);
        EXPECT_EQ(gApp->mode, t < 30 ? MODE_CUTSCENE : MODE_PLAYING) << t;
        EXPECT_TRUE(t > 31 ||
                    ((gPlayer->pos.y < 0) == (t == 31) && (goon->pos.y == -300) == (t < 31)))
            << t;
        DrawInfo at = GetDrawInfo(&gPlayer->pos);
        EXPECT_TRUE(Near({at.pos.x, at.pos.y, at.angle, at.scale},
                         {400, 420, -gPlayer->facing, t % 3 ? t % 3 * 1.5f : 1 / 3.0f}))
            << t;
    }
    SDL_Event e = {SDL_EVENT_MOUSE_WHEEL};
    e.wheel.y = -3;
    EXPECT_TRUE(SDL_AppEvent(nullptr, &e) == SDL_APP_CONTINUE && gApp->zoom == -1.6f);
}

// The hints, the ticks' low 32 bits and the seconds in white from (4, 4) down, on the dark grey.
TEST_F(GameFixture, AFrameShowsTheHintsAndCountersInWhite) {
    Canvas c;
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    const char* text[] = {"ws      move", "eq item swap", "space    hop",
                          "ad  turn/use", "7259",         "71582909"};
    for (int k = 0; k < 6; k++)
        SDL_RenderDebugText(gRenderer, 4, 4 + 8 * k, text[k]);
    int white = c.Count(WHITE, 0, 0, 100, 47);
    memset(gFloor, 0, sizeof(Floor));
    mTicks = (1ull << 32) + 7259;
    Draw(gApp, gRenderer);
    EXPECT_TRUE(c.Count(WHITE, 0, 0, 100, 47) == white && c.Count(GREY) > 800 * 600 * 9 / 10);
}

// Only "-debug" as the first argument, spelt so, selects the collision scene. Then hours of random
// play, goons now and then; after every tick the player is sound and in the world, with its item.
TEST(Shell, StartsWithOrWithoutTheSceneThenSurvivesHoursOfRandomPlay) {
    std::mt19937 rng(1);
    const char* lines[][3] = {{"game", "-debug"}, {"game", "-Debug", "-debug"}};
    for (auto& args : lines) {
        ASSERT_EQ(SDL_AppInit(nullptr, 2 + (args[2] != nullptr), (char**)args), SDL_APP_CONTINUE);
        EXPECT_EQ(debug, &args == &lines[0]);
        if (&args == &lines[0])
            SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    }
    SDL_SetWindowSize(gWindow, 1000, 600); // letterboxed: the logical screen starts 100 pixels in
    SDL_WarpMouseInWindow(gWindow, 600, 320);
    EXPECT_TRUE(Near({ReadMouse().x, ReadMouse().y}, {500, 320}));
    for (long n = SDL_getenv("SOAK_TICKS") ? atol(SDL_getenv("SOAK_TICKS")) : 300000; n > 0; n--) {
        SDL_Event e = {};
        e.type =
            (rng() % 2 ? SDL_EVENT_KEY_DOWN : SDL_EVENT_MOUSE_BUTTON_DOWN) + rng() % 2; // or up
        e.key.key = e.type < SDL_EVENT_MOUSE_MOTION ? "wsadqe x"[rng() % 8] : 0;
        e.button.button = e.type > SDL_EVENT_MOUSE_MOTION ? rng() % 4 : 0;
        SDL_AppEvent(nullptr, &e);
        if (rng() % 5000 == 0) // a goon far off, or right on the player
            gApp->goons[rng() % 16] = {{rng() % 2 ? Vec2{-2000, 0} : gPlayer->pos, 0, 1}, {}, 0, 0};
        gApp->zoom = rng() % 200 ? gApp->zoom : (f32)(rng() % 60) / 10 - 3;
        SDL_WarpMouseInWindow(gWindow, rng() % 800, rng() % 600);
        Update(gApp);
        if (rng() % 500 == 0)
            Draw(gApp, gRenderer);
        int items = 0;
        for (const InventorySlot& s : gInventory->slots)
            items += s.item == 2 && s.cooldown <= s.cooldownMax;
        for (const Goon& g : gApp->goons)
            ASSERT_TRUE(!g.active || isfinite(g.pos.x + g.pos.y)) << n;
        ASSERT_TRUE(fabsf(gPlayer->pos.x) <= 1185 && fabsf(gPlayer->pos.y) <= 825 &&
                    isfinite(gPlayer->aim) && isfinite(gApp->camera.x) && items == 1)
            << n;
    }
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    EXPECT_TRUE(!gApp && !gPlayer && !gInventory && !gFloor);
    SDL_Quit();
}
