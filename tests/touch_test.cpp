// Touch: fingers as SDL reports them, handed to the game's event entry point.
#include "test_util.h"

static int Finger(SDL_EventType type, int id, Vec2 at) { // type, touch, finger, at x and y:
    return Send({.tfinger = {type, 0, 0, 1, (u64)id, (at.x + 100) / 1000, at.y / 600}});
}
static f32 Tick() { // the aim after it
    Update(gApp);
    return gPlayer->aim;
}
const auto DOWN = SDL_EVENT_FINGER_DOWN, MOTION = SDL_EVENT_FINGER_MOTION, UP = SDL_EVENT_FINGER_UP;
const Vec2 W = {60, 410}, S = {60, 530}, A = {150, 470}, D = {650, 470}, HOP = {740, 530},
           Q = {60, 315}, E = {740, 315}, PLUS = {765, 35}, MINUS = {705, 35}, SND = {645, 35},
           AHEAD = {400, 100};
const int FORWARD = 1 << BIND_FORWARD, HOPS = 1 << BIND_HOP, SWAPS0 = 1 << BIND_SWAP0;

// A finger on a box holds its row as a key does; elsewhere it aims, and the aim stays there. A
// finger or the mouse at a place that is not a finite number is not heard.
TEST(Touch, FingersHoldTheBoxesOrAim) {
    memset(gBindInfo, 0, sizeof(gBindInfo));
    ASSERT_EQ(SDL_AppInit(nullptr, 0, nullptr), SDL_APP_CONTINUE);
    gApp->mode = MODE_PLAYING;
    memset(gFloor, 0, sizeof(Floor));
    SDL_SetWindowSize(gWindow, 1000, 600);               // the screen between two bars 100 wide
    SDL_WarpMouseInWindow(gWindow, 500, 100);            // the mouse has the pointer, ahead
    EXPECT_TRUE(Tick() == 0 && Drawn(20, 370) != WHITE); // no box: W's top left corner
    for (f32 nowhere : {NAN, INFINITY}) {                // no row, no aim, no box
        SDL_WarpMouseInWindow(gWindow, nowhere, nowhere);
        EXPECT_TRUE(Finger(DOWN, 1, {nowhere, nowhere}) == 0 && Tick() == 0 &&
                    Drawn(20, 370) != WHITE);
    }
    SDL_WarpMouseInWindow(gWindow, 160, 315); // Q, where SDL puts its mouse for a finger
    Finger(DOWN, 1, Q);
    Send({.motion = {.type = SDL_EVENT_MOUSE_MOTION, .which = SDL_TOUCH_MOUSEID}});
    Send({.button = {SDL_EVENT_MOUSE_BUTTON_DOWN, 0, 0, 0, SDL_TOUCH_MOUSEID, SDL_BUTTON_LEFT}});
    EXPECT_TRUE(Tick() == 0 && Send() == SWAPS0);
    EXPECT_EQ(Hints(), "W S     move|E Q item swap|HOP      hop|A D turn/use");
    EXPECT_TRUE(Drawn(20, 370) == WHITE && Drawn(99, 449) == WHITE && Drawn(789, 59) == WHITE);
    EXPECT_TRUE(Drawn(60, 410) == WHITE && Drawn(30, 380) == GREY); // W's label, and idle
    EXPECT_TRUE(Drawn(30, 300) > GREY && Drawn(30, 300) < WHITE);   // Q held: lit
    Finger(DOWN, 2, E); // a tap quicker than a tick counts once: the item to the spare slot
    EXPECT_EQ(Finger(UP, 2, E), SWAPS0 | 1 << BIND_SWAP1);
    Finger(DOWN, 2, {560, 260}); // a finger on the world: an eighth of a turn right
    EXPECT_TRUE(Tick() == 0.7853982f && gInventory->slots[2].item == 2 && Send() == SWAPS0);
    Finger(MOTION, 2, {560, 420}); // it follows: a quarter turn right, and stays so lifted
    Finger(UP, 2, {560, 420});
    EXPECT_EQ(Tick(), 1.5707964f);
    SDL_WarpMouseInWindow(gWindow, 500, 100); // the mouse moves: the aim back, the boxes gone
    Send({.motion = {.type = SDL_EVENT_MOUSE_MOTION}});
    EXPECT_TRUE(Tick() == 0 && Drawn(20, 370) != WHITE);
    Finger(DOWN, 4, AHEAD); // shown again; a key hides them, and a button
    Send(KeyAt(SDL_EVENT_KEY_DOWN, 'x', US));
    EXPECT_TRUE(Drawn(20, 370) != WHITE && Hints().starts_with("ws      move|"));
    Finger(DOWN, 5, AHEAD);
    Send({.button = {.type = SDL_EVENT_MOUSE_BUTTON_DOWN}});
    EXPECT_NE(Drawn(20, 370), WHITE);
    const Vec2 boxes[BIND_COUNT] = {W, S, A, D, Q, E, HOP}; // in the order of the rows
    for (int row = 0; row < BIND_COUNT; row++) // a finger slides through them between two ticks:
        EXPECT_EQ(Finger(row ? MOTION : DOWN, 1, boxes[row]), (2 << row) - 1) << row; // each held
    Tick(); // and let go of once read
    EXPECT_TRUE(Send() == HOPS && Finger(UP, 1, HOP) == 0);
    Finger(DOWN, 1, {100, 450}); // W's bottom right corner, and HOP's top left, twice
    Finger(DOWN, 2, {700, 490});
    EXPECT_EQ(Finger(DOWN, 3, HOP), FORWARD | HOPS);
    Tick();
    EXPECT_EQ(Finger(SDL_EVENT_FINGER_CANCELED, 3, HOP), FORWARD | HOPS); // held until both let go
    EXPECT_EQ(Finger(UP, 2, HOP), FORWARD);
    for (Vec2 at : {Vec2{100.5f, 450}, {100, 450.5f}, {699.5f, 490}, {700, 489.5f}})
        EXPECT_EQ(Finger(MOTION, 1, at), 0) << at.x; // just beside W and HOP, on each side
    Finger(DOWN, 3, PLUS);                           // a notch in; - twice, a notch out each
    Finger(DOWN, 4, MINUS);
    Finger(DOWN, 5, MINUS);
    Finger(DOWN, 6, SND); // the sound off, once a touch
    Finger(MOTION, 6, AHEAD);
    Finger(MOTION, 6, SND);
    EXPECT_TRUE(gApp->zoom == 0.8f && SoundOffShown());
    EXPECT_EQ(Frame().Count(WHITE, 600, 10, 19, 50), 0); // its label smaller, to fit it
    debug = 1; // in the collision scene there are no boxes: a finger moves the cast's end
    Finger(DOWN, 6, W);
    gLines.clear();
    DrawDebug();
    debug = 0;
    EXPECT_TRUE(Send() == 0 && Near(gLines[0].from, W));
    for (int id = 1; id <= 8; id++) // eight fingers, the eighth on Q, and a ninth on E
        Finger(DOWN, id, id < 8 ? AHEAD : Q);
    EXPECT_EQ(Finger(DOWN, 9, E), SWAPS0);
    EXPECT_EQ(Send({.window = {.type = SDL_EVENT_WINDOW_FOCUS_LOST}}), 0);
    // Where a logical pixel is smaller than a unit of the window, as on a phone held sideways,
    // every text is twice the size, clear of the others, the grown slot boxes and the touch boxes.
    auto scaleAt = [](int w, int h) { return SDL_SetWindowSize(gWindow, w, h), TextScale(); };
    EXPECT_TRUE(scaleAt(800, 600) == 1 && scaleAt(799, 600) == 2 && scaleAt(800, 599) == 2 &&
                scaleAt(844, 390) == 2);
    *gInventory = {{{0, 0, -1}, {0, 0, 2}, {0, 0, -1}, {0, 0, -1}}}; // the sound off, boxes shown
    const char* lines[] = {hintStr1, hintStr2, hintStr3, hintStr4, "0", "0"}; // no tick counted
    for (int k = 0; k < 6; k++)
        EXPECT_TRUE(Frame().Shows(WHITE, 44, 4 + 16 * k, lines[k], 2)) << k;
    EXPECT_TRUE(Frame().Shows(WHITE, 652, 66, "sound off", 2) &&
                Frame().Count(WHITE, 0, 0, 44, 60) == 0);
    EXPECT_EQ(Frame().Count(WHITE, 5, 190, 40, 40), 1600 - Frame().Count(BLACK, 5, 190, 40, 40));
    EXPECT_TRUE(Frame().Shows(BLACK, 9, 202, "-1", 2) && Frame().Shows(BLACK, 109, 202, "2", 2) &&
                Frame().Shows(BLACK, 59, 152, "-1", 2) && Frame().Shows(BLACK, 59, 252, "-1", 2));
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    SDL_Quit();
}
