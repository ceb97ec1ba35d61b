// Gamepads: each opened as it comes, up to eight, holding rows through its own bit as its keys
// would; its right stick puts the pointer, its motors shake at each use of an item.
#include "defs.h"

#include <math.h>
#ifdef SDL_PLATFORM_EMSCRIPTEN
#include <emscripten.h>
#endif

// Each pad holds rows through its own bit of BindInfo::pads, so a row stays held until every
// key, button, pad and finger on it lets go, and an unplugged pad lets go of only what it held.

constexpr int PAD_SLOTS = 8; // a bit each in BindInfo::pads; a ninth pad is not opened
// Half an axis' travel (a trigger reads 0 to 32767, a stick as far each way): a stick or
// trigger held past it holds its row, so one resting or brushed in passing holds nothing.
constexpr i32 PAD_PRESS = 16384;
// Distance from the aim stick's centre, in axis units, within which it leaves the aim alone: a
// quarter of the travel, beyond what a worn stick reads at rest or on its way back to centre.
constexpr f32 AIM_DEAD_ZONE = 8192;
// Screen pixels from the body to the pointer a stick puts: the aim line's tip at zoom 1.
constexpr f32 AIM_REACH = 160;
// Where the turning view always shows the body: LOOK_AHEAD pixels below the screen's centre.
constexpr Vec2 BODY_ON_SCREEN = {LOGICAL_W / 2, LOGICAL_H / 2 + LOOK_AHEAD};
// The strongest item's push runs the motors at full strength and a weaker one in proportion; each
// use is felt for RUMBLE_MS milliseconds.
constexpr u32 RUMBLE_MS = 100;

struct PadSlot {
    SDL_Gamepad* gamepad; // null: a free slot
    SDL_JoystickID id;
    i16 aimX, aimY; // the right stick where it was last reported
    u8 aimMoved;    // the right stick reported since the last tick
};

static PadSlot sPads[PAD_SLOTS];
static int sAimPad = -1; // slot of the pad whose stick last put the pointer; -1: none

static PadSlot* FindPad(SDL_JoystickID id) {
    for (PadSlot& pad : sPads)
        if (pad.gamepad && pad.id == id)
            return &pad;
    return nullptr;
}

// A pad put to use becomes the input used last.
static void PadHold(const PadSlot* pad, u8 row, bool held) {
    u8 bit = 1 << (pad - sPads);
    if (held) {
        gBindInfo[row].pads |= bit;
        gLastInput = {INPUT_PAD, pad->id};
    } else {
        gBindInfo[row].pads &= ~bit;
    }
}

// SDL reports each pad once, whether there at start or plugged in later.
void PadAdded(SDL_JoystickID id) {
    if (FindPad(id))
        return;
    for (PadSlot& pad : sPads) {
        if (!pad.gamepad) {
            pad = {SDL_OpenGamepad(id), id, 0, 0, 0};
            return;
        }
    }
}

// An unplugged pad lets go of every row it held, and of the pointer if it still holds it. SDL
// reports its buttons released and its axes centred just before, but the game does not count on
// that.
void PadRemoved(SDL_JoystickID id) {
    PadSlot* pad = FindPad(id);
    if (!pad)
        return;
    for (u8 row = 0; row < BIND_COUNT; row++)
        PadHold(pad, row, false);
    if (sAimPad == pad - sPads) {
        sAimPad = -1;
        if (PointerOwnedBy(INPUT_PAD))
            TakePointer(INPUT_MOUSE, nullptr);
    }
    SDL_CloseGamepad(pad->gamepad);
    *pad = {};
}

void ClosePads() {
    for (PadSlot& pad : sPads)
        if (pad.gamepad)
            PadRemoved(pad.id);
}

// The south button hops and the shoulders swap their side's item; the d-pad zooms, in the shell.
void PadButton(SDL_JoystickID id, u8 button, u8 down) {
    PadSlot* pad = FindPad(id);
    if (!pad)
        return;
    if (down)
        gLastInput = {INPUT_PAD, id};
    if (button == SDL_GAMEPAD_BUTTON_SOUTH)
        PadHold(pad, BIND_HOP, down);
    else if (button == SDL_GAMEPAD_BUTTON_LEFT_SHOULDER)
        PadHold(pad, BIND_SWAP0, down);
    else if (button == SDL_GAMEPAD_BUTTON_RIGHT_SHOULDER)
        PadHold(pad, BIND_SWAP1, down);
}

// The names a pad's maker prints on its shoulder buttons and triggers, left and right.
struct PadShoulders {
    const char* buttons[2];
    const char* triggers[2];
};
constexpr PadShoulders XBOX_SHOULDERS = {{"LB", "RB"}, {"LT", "RT"}}; // and every other pad
constexpr PadShoulders PLAYSTATION_SHOULDERS = {{"L1", "R1"}, {"L2", "R2"}};
constexpr PadShoulders NINTENDO_SHOULDERS = {{"L", "R"}, {"ZL", "ZR"}};
// SDL's labels for a face button, in the order of SDL_GamepadButtonLabel.
constexpr const char* FACE_LABELS[] = {"?",     "A",      "B",      "X",       "Y",
                                       "Cross", "Circle", "Square", "Triangle"};
static_assert(sizeof(FACE_LABELS) / sizeof(FACE_LABELS[0]) ==
              SDL_GAMEPAD_BUTTON_LABEL_TRIANGLE + 1);

// The control that holds a row on this pad, by the name its maker prints on it (as PadButton and
// PadAxis use them).
const char* PadControlName(SDL_Gamepad* pad, u8 row) {
    const PadShoulders* shoulders = &XBOX_SHOULDERS;
    switch (SDL_GetGamepadType(pad)) {
    case SDL_GAMEPAD_TYPE_PS3:
    case SDL_GAMEPAD_TYPE_PS4:
    case SDL_GAMEPAD_TYPE_PS5:
        shoulders = &PLAYSTATION_SHOULDERS;
        break;
    case SDL_GAMEPAD_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_GAMEPAD_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
    case SDL_GAMEPAD_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
    case SDL_GAMEPAD_TYPE_NINTENDO_SWITCH_JOYCON_PAIR:
        shoulders = &NINTENDO_SHOULDERS;
        break;
    default:
        break;
    }
    switch (row) {
    case BIND_FORWARD:
    case BIND_BACK:
        return "L stick";
    case BIND_SIDE0:
    case BIND_SIDE1:
        return shoulders->triggers[row - BIND_SIDE0];
    case BIND_SWAP0:
    case BIND_SWAP1:
        return shoulders->buttons[row - BIND_SWAP0];
    default:
        return FACE_LABELS[SDL_GetGamepadButtonLabel(pad, SDL_GAMEPAD_BUTTON_SOUTH)];
    }
}

// An axis is reported at every change, so each report sets the rows by where it stands now:
// the left stick drives (its y grows downward: up is forward), each trigger is its own side.
// The right stick is only noted here; the tick reads it (PadAim).
void PadAxis(SDL_JoystickID id, u8 axis, i16 value) {
    PadSlot* pad = FindPad(id);
    if (!pad)
        return;
    switch (axis) {
    case SDL_GAMEPAD_AXIS_LEFTY:
        PadHold(pad, BIND_FORWARD, value <= -PAD_PRESS);
        PadHold(pad, BIND_BACK, value >= PAD_PRESS);
        break;
    case SDL_GAMEPAD_AXIS_LEFT_TRIGGER:
        PadHold(pad, BIND_SIDE0, value >= PAD_PRESS);
        break;
    case SDL_GAMEPAD_AXIS_RIGHT_TRIGGER:
        PadHold(pad, BIND_SIDE1, value >= PAD_PRESS);
        break;
    case SDL_GAMEPAD_AXIS_RIGHTX:
        pad->aimX = value;
        pad->aimMoved = 1;
        break;
    case SDL_GAMEPAD_AXIS_RIGHTY:
        pad->aimY = value;
        pad->aimMoved = 1;
        break;
    default:
        break;
    }
}

// A right stick moved out of its dead zone takes the pointer and puts it along its direction
// from the body, for the aim to follow as it follows the mouse; within the dead zone the pointer
// stays. Read once a tick, when both of a stick's axes are reported, so a stick let go, its x
// centred an event before its y, moves nothing.
void PadAim() {
    for (PadSlot& pad : sPads) {
        if (!pad.aimMoved)
            continue;
        pad.aimMoved = 0;
        f32 length = Magnitude(pad.aimX, pad.aimY);
        if (length > AIM_DEAD_ZONE) {
            Vec2 at = {BODY_ON_SCREEN.x + AIM_REACH * pad.aimX / length,
                       BODY_ON_SCREEN.y + AIM_REACH * pad.aimY / length};
            TakePointer(INPUT_PAD, &at);
            sAimPad = &pad - sPads;
            gLastInput = {INPUT_PAD, pad.id};
        }
    }
}

// Every open pad shakes briefly at each use of an item; a pad without motors refuses, which is
// no matter. In a phone's browser the phone shakes too, as long as the push is strong, since its
// strength cannot be set; a desktop browser, which also answers to vibrate, is left alone.
void PadRumble(f32 push) {
    f32 share = fabsf(push) / FULL_PUSH;
    u16 strength = share < 1 ? (u16)(share * 0xFFFF + 0.5f) : 0xFFFF;
    for (PadSlot& pad : sPads)
        if (pad.gamepad)
            SDL_RumbleGamepad(pad.gamepad, strength, strength, RUMBLE_MS);
#ifdef SDL_PLATFORM_EMSCRIPTEN
    constexpr f32 SHAKE_LEAST = 0.2f; // of RUMBLE_MS: the shortest buzz a phone makes felt
    u32 ms = (u32)(SDL_max(SDL_min(share, 1.0f), SHAKE_LEAST) * RUMBLE_MS);
    // clang-format off
    MAIN_THREAD_EM_ASM({
        if (navigator.vibrate && matchMedia('(pointer: coarse)').matches)
            navigator.vibrate($0);
    }, ms);
    // clang-format on
#endif
}
