// Gamepads: SDL's virtual pad, through SDL's own event queue into the game's event entry point.
#include "test_util.h"

// The game opens the pad as it comes. A virtual trigger's 0 reaches the game as 16383, 1 as 16384.
TEST(Pad, SticksTriggersAndButtonsPlayAsKeysAndTheMouseDo) {
    memset(gBindInfo, 0, sizeof(gBindInfo)); // no key left held by an earlier case
    ASSERT_EQ(SDL_AppInit(nullptr, 0, nullptr), SDL_APP_CONTINUE);
    gApp->mode = MODE_PLAYING;
    memset(gFloor, 0, sizeof(Floor));
    SDL_Joystick* pad = SDL_OpenJoystick(AttachPad());
    Pass(); // the body at (400, 420) on screen from now on, facing up
    auto held = [&](int control, int value, int row, bool button = false) { // set: row held?
        button ? SDL_SetJoystickVirtualButton(pad, control, value)
               : SDL_SetJoystickVirtualAxis(pad, control, value);
        Pass();
        return BindHeld(row);
    };
    auto aim = [&](int x, int y) { // the right stick to (x, y) between two ticks
        SDL_SetJoystickVirtualAxis(pad, SDL_GAMEPAD_AXIS_RIGHTX, x);
        held(SDL_GAMEPAD_AXIS_RIGHTY, y, 0);
        return gPlayer->aim;
    };
    EXPECT_EQ(aim(8193, 0), 1.5707964f);        // just past the dead zone: a quarter turn right
    EXPECT_EQ(aim(-8192, 0), 1.5707964f);       // just within the dead zone the pointer stays
    EXPECT_EQ(aim(20000, 20000), 2.0943947f);   // behind on the right: the cone's right limit
    EXPECT_EQ(aim(0, 0), 2.0943947f);           // let go, both axes centred at once: it stays
    EXPECT_EQ(aim(-20000, 20000), -2.0943947f); // behind on the left: the left limit, as the mouse
    SDL_WarpMouseInWindow(gWindow, 460, 360);   // the mouse moves, the stick held still:
    EXPECT_EQ(aim(-20000, 20000), 0.7853982f);  // the mouse aims again, an eighth of a turn right
    const int Y = SDL_GAMEPAD_AXIS_LEFTY, LT = SDL_GAMEPAD_AXIS_LEFT_TRIGGER,
              RT = SDL_GAMEPAD_AXIS_RIGHT_TRIGGER;
    EXPECT_TRUE(!held(Y, -16383, BIND_FORWARD) && held(Y, -16384, BIND_FORWARD));
    EXPECT_TRUE(!held(Y, 16383, BIND_BACK) && held(Y, 16384, BIND_BACK));
    EXPECT_TRUE(!held(LT, 0, BIND_SIDE0) && held(LT, 1, BIND_SIDE0) && !BindHeld(BIND_SIDE1));
    EXPECT_TRUE(!held(RT, 0, BIND_SIDE1) && held(RT, 1, BIND_SIDE1));
    EXPECT_EQ(gRumble, 13107); // the right hand's push of 35 of at most 175: 35/175 of 65535
    EXPECT_TRUE(held(SDL_GAMEPAD_BUTTON_SOUTH, 1, BIND_HOP, true));
    EXPECT_FALSE(held(SDL_GAMEPAD_BUTTON_SOUTH, 0, BIND_HOP, true));
    EXPECT_EQ(Hints(), "L stick move|RB LB item swap|A        hop|LT RT turn/use");
    EXPECT_TRUE(held(SDL_GAMEPAD_BUTTON_LEFT_SHOULDER, 1, BIND_SWAP0, true));
    EXPECT_TRUE(held(SDL_GAMEPAD_BUTTON_RIGHT_SHOULDER, 1, BIND_SWAP1, true));
    held(SDL_GAMEPAD_BUTTON_DPAD_UP, 1, 0, true); // a wheel notch in, then one out
    EXPECT_EQ(gApp->zoom, 1.2f);
    held(SDL_GAMEPAD_BUTTON_DPAD_DOWN, 1, 0, true);
    EXPECT_EQ(gApp->zoom, 1.0f);
    held(SDL_GAMEPAD_BUTTON_BACK, 1, 0, true); // the sound off
    EXPECT_TRUE(SoundOffShown());
    // A touch shows the touch boxes (W's top left corner white), a use of the pad (any button)
    Send({.tfinger = {.type = SDL_EVENT_FINGER_DOWN, .fingerID = 1, .x = .5f}}); // hides them.
    EXPECT_EQ(Drawn(20, 370), WHITE);
    held(SDL_GAMEPAD_BUTTON_WEST, 1, 0, true);
    EXPECT_NE(Drawn(20, 370), WHITE);
    SDL_Joystick* ps = SDL_OpenJoystick(AttachPad(0x054C, 0x09CC)); // a PlayStation pad
    Pass();
    SDL_SetJoystickVirtualButton(ps, SDL_GAMEPAD_BUTTON_SOUTH, 1);
    Pass();
    EXPECT_EQ(Hints(), "L stick move|R1 L1 item swap|Cross    hop|L2 R2 turn/use");
    aim(20000, 0);                 // the stick aims again,
    KeyPressed(SDL_SCANCODE_D, 1); // the right side held by key and trigger; the pad unplugged
    SDL_DetachVirtualJoystick(SDL_GetJoystickID(pad));
    Pass();
    EXPECT_TRUE(BindHeld(BIND_SIDE1) && !BindHeld(BIND_SIDE0) && !BindHeld(BIND_SWAP1));
    EXPECT_TRUE(Near(gApp->mouse, ReadMouse())); // and the mouse aims, the keys named
    EXPECT_EQ(Hints(), "ws      move|eq item swap|space    hop|ad  turn/use");
    KeyPressed(SDL_SCANCODE_D, 0);
    SDL_AppQuit(nullptr, SDL_APP_SUCCESS);
    SDL_Quit();
}
