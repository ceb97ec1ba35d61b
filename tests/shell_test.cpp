// The shell: the clock, the command line, the bindings, the opening, a frame, and a long soak.
#include "test_util.h"

#include <random>

std::vector<Line> gLines;
extern "C" bool __real_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2);
extern "C" bool __wrap_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2) {
    gLines.push_back({{x1, y1}, {x2, y2}});
    return __real_SDL_RenderLine(r, x1, y1, x2, y2);
}
static SDL_WindowFlags sMinimized; // what the window is said to be, besides what SDL knows
extern "C" SDL_WindowFlags __real_SDL_GetWindowFlags(SDL_Window* w);
extern "C" SDL_WindowFlags __wrap_SDL_GetWindowFlags(SDL_Window* w) {
    return __real_SDL_GetWindowFlags(w) | sMinimized;
}
static int sOpened; // sound devices the game opened
extern "C" SDL_AudioStream* __real_SDL_OpenAudioDeviceStream(SDL_AudioDeviceID d,
                                                             const SDL_AudioSpec* f,
                                                             SDL_AudioStreamCallback c, void* u);
extern "C" SDL_AudioStream* __wrap_SDL_OpenAudioDeviceStream(SDL_AudioDeviceID d,
                                                             const SDL_AudioSpec* f,
                                                             SDL_AudioStreamCallback c, void* u) {
    return sOpened++, __real_SDL_OpenAudioDeviceStream(d, f, c, u);
}

// A side held by key and button is held until both let go; only quit ends the game. Ticks 1 to 30
// count down, only the camera moving; on 31 w moves the player, then a goon beyond the world.
TEST_F(GameFixture, TheOpeningCountdownThenPlay) {
    EXPECT_EQ(TickTarget(4369083), 262144u); // 262144.99 ticks: a float quotient rounds up
    InitGameState();
    Goon& g = gApp->goons[0] = {{{0, 900}, 0, 1}, {}, GOON_CHASING, 0}; // beyond the world
    Send(KeyAt(SDL_EVENT_KEY_DOWN, 'd', US));
    Send({.button = {.type = SDL_EVENT_MOUSE_BUTTON_DOWN, .button = SDL_BUTTON_RIGHT}});
    EXPECT_EQ(Send(KeyAt(SDL_EVENT_KEY_UP, 'd', DVORAK)), 1 << BIND_SIDE1); // its place lets go
    EXPECT_EQ(Send({.button = {.type = SDL_EVENT_MOUSE_BUTTON_UP, .button = SDL_BUTTON_RIGHT}}), 0);
    EXPECT_EQ(Send(KeyAt(SDL_EVENT_KEY_DOWN, 'w', AZERTY)), 1 << BIND_FORWARD);
    EXPECT_EQ(Send({.type = SDL_EVENT_QUIT}), -1);
    for (int t = 1; t <= 300; t++) {
        gApp->zoom = t % 3 ? t % 3 * 1.5f : -1; // a third of the size below 1
        Update(gApp);
        EXPECT_EQ(gApp->mode, t < 30 ? MODE_CUTSCENE : MODE_PLAYING) << t;
        EXPECT_TRUE(t > 31 || (gPlayer->pos.y < 0) == (t == 31)) << t;
        EXPECT_TRUE(t > 31 || (g.pos.y == (t < 31 ? 900 : 894) && g.target.y == gPlayer->pos.y))
            << t;
        DrawInfo at = GetDrawInfo(&gPlayer->pos); // at any zoom the player stands at (400, 420)
        EXPECT_TRUE(Near(at.pos, {400, 420}) && at.angle == -gPlayer->facing) << t;
        EXPECT_NEAR(at.scale, t % 3 ? t % 3 * 1.5f : 1 / 3.0f, 1e-6f) << t;
    }
    Send({.wheel = {.type = SDL_EVENT_MOUSE_WHEEL, .y = -3}}); // three notches out
    EXPECT_EQ(gApp->zoom, -1.6f);
    for (f32 side : {1.0f, -1.0f}) { // a step to the zoom's limit either way is heard: past it, or
        gApp->zoom = 999999 * side;  // not a number, not
        for (f32 notches : {5 * side, side, NAN})
            Send({.wheel = {.type = SDL_EVENT_MOUSE_WHEEL, .y = notches}});
        EXPECT_EQ(gApp->zoom, 1e6f * side);
    }
    EXPECT_TRUE(ZoomScale(1.01f) == 1.01f && ZoomScale(0.99f) == 1 / 1.01f); // either side of 1
}

// A wall, the aim, the overlay; the slots with their ids, a bar 30 high for an item half cooled,
// none for one all but cooled; the hints, the ticks' low 32 bits signed and the seconds.
TEST_F(GameFixture, AFrameShowsTheWorldTheSlotsTheHintsAndTheCounters) {
    Canvas c;
    memset(gFloor, 0, sizeof(Floor));
    gFloor->vWalls[4][4] = 1; // x 125 to 145 right of the player at the origin
    gInventory->slots[1] = {40, 80, 2};
    gInventory->slots[2] = {1, 80, 7}; // 0.75 of a pixel
    mTicks = (1ull << 32) - 7259;
    Draw(gApp, gRenderer);
    EXPECT_TRUE(c.Count(GREY) > 400000 && c.Count(WHITE, 524, 440, 3, 20) > 0 &&
                c.At(400, 300) == RED);
    EXPECT_EQ(c.At(500, 325), 0x147878u); // the overlay's top side
    EXPECT_TRUE(c.Count(RED, 10, 90, 8, 30) == 240 && c.Count(RED, 0, 0, 100, 130) == 240);
    auto box = [&](int x, int y, const char* id) { // white, its id in black: hands, then reserve
        return c.Count(WHITE, x, y, 20, 20) + c.Count(BLACK, x, y, 20, 20) == 400 &&
               c.Shows(BLACK, x + 5, y + 5, id);
    };
    EXPECT_TRUE(box(10, 200, "-1") && box(60, 200, "2") && box(35, 175, "7") && box(35, 225, "-1"));
    const char* text[] = {"ws      move", "eq item swap", "space    hop",
                          "ad  turn/use", "-7259",        "71582667"};
    for (int k = 0; k < 6; k++)
        EXPECT_TRUE(c.Shows(WHITE, 4, 4 + 8 * k, text[k])) << text[k];
}

// The hints name the keys at the bound places by the key codes a layout gives there (AZERTY's);
// others by SDL's name, cut to fit the line, or "?" where the font has none.
TEST(Hints, NameTheKeysOfEachLayout) {
    auto hints = [](std::vector<SDL_Keycode> k) { return WriteKeyHints(k.data()), Hints(false); };
    EXPECT_EQ(hints({AZERTY, AZERTY + 7}), "zs      move|ea item swap|space    hop|qd  turn/use");
    EXPECT_EQ(hints({SDLK_LSHIFT, SDLK_LCTRL, '!', SDLK_DELETE, SDLK_UNKNOWN, 0xE9, '~'}),
              "Left Shift move|?? item swap|~        hop|! Dele turn/use");
}

// Only "-debug" first, spelt so, selects the collision scene. The game paces SDL's loop, unless a
// player's variable does. The sound opens with the window, but in a browser only at the pass after
// the first frame's. A pass runs every tick due, then draws if any ran, but not while the window is
// hidden or minimized: the frame owed is drawn at the first pass after it shows. Then hours of
// random play with every input (RandomTick), sound after every tick.
TEST(Shell, StartsWithOrWithoutTheSceneThenSurvivesHoursOfRandomPlay) {
    std::mt19937 rng(1);
    const char* lines[][3] = {{"game", "-debug"}, {"game", "-Debug", "-debug"}};
    for (auto& args : lines) {
        sOpened = 0;
        ASSERT_EQ(SDL_AppInit(nullptr, 2 + (args[2] != nullptr), (char**)args), SDL_APP_CONTINUE);
        EXPECT_EQ(debug, &args == &lines[0]);
#ifndef SDL_PLATFORM_EMSCRIPTEN // where the browser paces the loop
        EXPECT_STREQ(SDL_GetHint(SDL_HINT_MAIN_CALLBACK_RATE), debug ? "240" : "30");
        const int opened = 1; // the sound, with the window
#else
        const int opened = 0; // not before the first frame
#endif
        EXPECT_EQ(sOpened, opened);
        SDL_setenv_unsafe("SDL_MAIN_CALLBACK_RATE", "30", 1); // a player's, from the next start
        while (TickTarget(SDL_GetTicks()) < 3)                // a few ticks due
            SDL_Delay(1);
        u64 due = TickTarget(SDL_GetTicks());
        SDL_AppIterate(nullptr);
        EXPECT_TRUE(mTicks >= due && mTicks <= TickTarget(SDL_GetTicks()));
        EXPECT_EQ(sOpened, opened); // the first frame drawn
        SDL_AppIterate(nullptr);
        EXPECT_EQ(sOpened, 1);
        if (debug)
            SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    }
    auto drawn = [](u64 due) { // a pass with so many ticks due (0: none) runs them; drew it?
        u64 now = TickTarget(SDL_GetTicks());
        mTicks = due ? now - due : now + 1000;
        gLines.clear(), SDL_AppIterate(nullptr);
        EXPECT_GE(mTicks, now);
        return !gLines.empty();
    };
    EXPECT_TRUE(drawn(3) && !drawn(0) && SDL_HideWindow(gWindow));
    EXPECT_TRUE(!drawn(3) && !drawn(0) && SDL_ShowWindow(gWindow) && drawn(0) && !drawn(0));
    sMinimized = SDL_WINDOW_MINIMIZED;
    EXPECT_FALSE(drawn(1));
    sMinimized = 0;
    SDL_SetWindowSize(gWindow, 1000, 600); // letterboxed: the logical screen starts 100 pixels in
    SDL_WarpMouseInWindow(gWindow, 600, 320);
    EXPECT_TRUE(Near(ReadMouse(), {500, 320}));
    for (long n = SDL_getenv("SOAK_TICKS") ? atol(SDL_getenv("SOAK_TICKS")) : 300000; n > 0; n--)
        ASSERT_TRUE(RandomTick(rng)) << n;
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    EXPECT_TRUE(!gApp && !gPlayer && !gInventory && !gFloor);
    SDL_Quit();
}
