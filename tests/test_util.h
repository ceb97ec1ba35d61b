// Shared test helpers: a game, a software renderer, the lines drawn, casts, moves, random play.
#pragma once

#include "defs.h"
#include <gtest/gtest.h>

struct Line {
    Vec2 from, to;
};
extern std::vector<Line> gLines; // every SDL_RenderLine the game drew (--wrap in the link)

// A game state as SDL_AppInit builds it, past its opening; Tick puts the pointer where it says.
struct GameFixture : ::testing::Test {
    void SetUp() override {
        static GameState state;
        gApp = &state;
        memset(gBindInfo, 0, sizeof(gBindInfo));
        InitGameState();
        gApp->mode = MODE_PLAYING;
        UpdateCamera();
    }
    void Tick(int n = 1, Vec2 mouse = {400, 100}) {
        for (gApp->mouse = mouse; n > 0; n--, UpdateCamera())
            UpdatePlaying();
    }
    void Press(int row, int ticks = 1) { // a binding held for so many ticks, then let go
        gBindInfo[row].down[0] = 1;
        Tick(ticks);
        gBindInfo[row].down[0] = 0;
    }
};

inline bool Near(Vec2 got, Vec2 want) { // within two thousandths on each axis
    return fabsf(got.x - want.x) < 2e-3f && fabsf(got.y - want.y) < 2e-3f;
}

constexpr u32 WHITE = 0xFFFFFF, GREY = 0x212121, RED = 0xFF0000, BLACK = 0;

struct Canvas { // gRenderer draws into a black 800 by 600 surface, until the canvas goes
    SDL_Renderer* before = gRenderer;
    SDL_Surface* surface = SDL_CreateSurface(LOGICAL_W, LOGICAL_H, SDL_PIXELFORMAT_XRGB8888);
    SDL_Renderer* renderer = gRenderer = SDL_CreateSoftwareRenderer(surface);
    ~Canvas() {
        SDL_DestroyRenderer(renderer);
        gRenderer = before;
        SDL_DestroySurface(surface);
    }
    u32 At(int x, int y) { // 0xRRGGBB
        SDL_FlushRenderer(renderer);
        return ((u32*)((u8*)surface->pixels + y * surface->pitch))[x] & 0xFFFFFF;
    }
    int Count(u32 rgb, int x = 0, int y = 0, int w = LOGICAL_W, int h = LOGICAL_H) {
        int n = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                n += At(i, j) == rgb;
        return n;
    }
    // The text stands at (x, y) in that colour and size, pixel for pixel (rewritten, none of it
    // is left, nor anything else of that colour).
    bool Shows(u32 rgb, int x, int y, const char* text, int scale = 1) {
        int w = 8 * scale * strlen(text) + 2, h = 8 * scale, before = Count(rgb, x - 1, y, w, h);
        SDL_SetRenderDrawColor(renderer, 1, 2, 3, 255);
        DrawScaledText(x, y, scale, text);
        return before > 0 && Count(rgb, x - 1, y, w, h) == 0 &&
               Count(0x010203, x - 1, y, w, h) == before;
    }
};

struct Frame : Canvas { // a whole frame drawn on a canvas
    Frame() {
        Draw(gApp, gRenderer);
    }
};
inline u32 Drawn(int x, int y) {
    return Frame().At(x, y);
}
inline bool SoundOffShown() { // at the top right
    return Frame().Shows(WHITE, 724, 66, "sound off");
}
inline std::string Hints(bool draw = true) { // the four hint lines of a frame, or as last written
    if (draw)
        Frame();
    return std::string(hintStr1) + "|" + hintStr2 + "|" + hintStr3 + "|" + hintStr4;
}

// A cast (0 segment, 1 circle at the rectangle's corner, 2 body) hits finite with a unit normal, a
// segment's t in [0, 1]; a segment or circle miss changes nothing.
inline bool SoundCast(int kind, Ray* ray, const SDL_FRect& rect, f32 radius) {
    Ray before = *ray;
    Circle circle = {{rect.x, rect.y}, radius};
    if (kind == 0   ? RayIntersectRect(ray, &rect)
        : kind == 1 ? RayIntersectCircle(ray, &circle)
                    : CircleRayIntersectRect(ray, radius, &rect))
        return isfinite(ray->hit.x) && isfinite(ray->hit.y) && isfinite(ray->t) &&
               fabsf(Vec2Magnitude(ray->normal) - 1) < 1e-4f &&
               (kind != 0 || fabsf(ray->t - 0.5f) <= 0.5f);
    return kind == 2 || memcmp(ray, &before, sizeof(Ray)) == 0;
}

// A cast and a move from `next`'s 32-bit values, on a grid, in the world or any float.
template <class Next> bool SoundRandomCase(Next& next) {
    auto value = [&] {
        u32 kind = next() % 3, bits = next();
        return kind == 0   ? (f32)(bits % 41) - 20
               : kind == 1 ? bits * 7e-7f - 1500
                           : __builtin_bit_cast(f32, bits);
    };
    if (next() % 1000 == 0)
        GenerateFloor(gFloor, next() | 1);
    SDL_FRect rect = {value(), value(), fabsf(value()), fabsf(value())};
    f32 radius = fabsf(value()), a = value(), k = isfinite(a) ? fabsf(a) : 0;
    int kind = next() % 3;
    f32 g = kind == 2 ? radius : 0;
    Ray r = {{value(), value()}, {value(), value()}, {}, {0, (f32)(next() % 2)}, 0};
    if (next() % 2)
        r = {{rect.x - g - a, rect.y - g - a}, {rect.x - g + a, rect.y - g + a}, {}, r.normal, 0};
    SDL_FRect w = GetVWallRect(next() % 8, next() % 9);
    Entity body = {{SDL_max(w.x - 20 - k, -1185), SDL_max(w.y - 20 - k, -825)}, 0, 1};
    Vec2 by = next() % 2 ? Vec2{2 * k + 40, 2 * k + 40} : Vec2SubVec2(r.end, r.start),
         from = body.pos;
    MoveCollideStep(&body, by);
    bool still = (by.x == 0 && by.y == 0) || !isfinite(by.x) || !isfinite(by.y);
    return SoundCast(kind, &r, rect, radius) && fabsf(body.pos.x) <= 1185 &&
           fabsf(body.pos.y) <= 825 && (!still || (body.pos.x == from.x && body.pos.y == from.y));
}

// ---- Keys as SDL reports them: the key's place (scancode) and the key code its layout gives there

// The key codes of each layout at the places of a US keyboard's w s a d q e, space and x. SDL's
// keymap with no video, or the dummy video's, is a US keyboard's: it gives the places of US keys.
constexpr const char *US = "wsadqe x", *AZERTY = "zsqdae x", *DVORAK = ",oae'. q",
                     *COLEMAK = "wrasqf x";
const char* const LAYOUTS[] = {US, AZERTY, DVORAK, COLEMAK};
inline SDL_Event KeyAt(SDL_EventType type, char place, const char* layout) { // place: US key
    u32 key = layout[strchr(US, place) - US];
    return {.key = {.type = type, .scancode = SDL_GetScancodeFromKey(place, nullptr), .key = key}};
}

// ---- Random play through the game's entry points: the soak's, and a fuzz target's from its bytes

inline int Send(SDL_Event e = {}) { // an event as SDL hands it over (or none): the rows held after
    int rows = SDL_AppEvent(nullptr, &e) == SDL_APP_CONTINUE ? 0 : -1; // it, a bit each, or -1
    for (u8 row = 0; row < BIND_COUNT && rows >= 0; row++)             // if it ends the game
        rows |= BindHeld(row) << row;
    return rows;
}

inline void Pass() { // a pass of the main loop: SDL's queued events, then a tick
    for (SDL_Event e; SDL_PollEvent(&e);)
        SDL_AppEvent(nullptr, &e);
    Update(gApp);
}

inline u16 gRumble; // the strength the game last set a virtual pad's motors to

// SDL's virtual pad, with every axis and button of a gamepad; a maker's pad by its USB ids.
inline SDL_JoystickID AttachPad(u16 vendor = 0, u16 product = 0) {
    SDL_VirtualJoystickDesc desc = {.version = sizeof(desc), .type = SDL_JOYSTICK_TYPE_GAMEPAD};
    desc.vendor_id = vendor, desc.product_id = product;
    desc.naxes = SDL_GAMEPAD_AXIS_COUNT;
    desc.nbuttons = SDL_GAMEPAD_BUTTON_COUNT;
    desc.Rumble = [](void*, u16 low, u16 high) { return (gRumble = low) == high; }; // motors alike
    return SDL_AttachVirtualJoystick(&desc);
}

inline SDL_JoystickID gPads[10]; // random play's virtual pads, 0 for none: two more than the game's

// A tick of random play: keys, buttons, wheel, twelve fingers anywhere, virtual pads, focus loss;
// now and then all let go of. True if the player is in the world, finite with its aim, heading and
// the camera, with its one item, and after a let-go nothing held.
template <class Next> bool RandomTick(Next& next) {
    auto type = [&](SDL_EventType first, u32 n) { return SDL_EventType(first + next() % n); };
    auto place = [&](u32 b) { return b % 8 ? b * 3.5e-10f - 0.25f : __builtin_bit_cast(f32, b); };
    for (u32 rounds = next() % 4; rounds > 0; rounds--) {
        u32 rare = next() % 64;
        i16 value = next() % 3 ? (i16)next() : next() % 2 ? 32767 : -32768;
        f32 x = place(next()), y = place(next());
        SDL_JoystickID& pad = gPads[next() % 10];
        SDL_Joystick* stick = SDL_GetJoystickFromID(pad);
        const char* layout = next() % 16 ? US : LAYOUTS[next() % 4]; // others now and then
        Send(KeyAt(type(SDL_EVENT_KEY_DOWN, 2), US[next() % 8], layout));
        Send({.button = {type(SDL_EVENT_MOUSE_BUTTON_DOWN, 2), 0, 0, 0, 0, (u8)next()}});
        Send({.wheel = {SDL_EVENT_MOUSE_WHEEL, 0, 0, 0, 0, 0, value / 32768.0f}});
        Send({.tfinger = {type(SDL_EVENT_FINGER_DOWN, 4), 0, 0, 1, next() % 12, x, y}});
        SDL_SetJoystickVirtualAxis(stick, next() % SDL_GAMEPAD_AXIS_COUNT, value);
        SDL_SetJoystickVirtualButton(stick, next() % SDL_GAMEPAD_BUTTON_COUNT, value & 1);
        if (rare < 16)
            SDL_WarpMouseInWindow(gWindow, x * 1000, y * 600);
        else if (rare < 20) // which (0: none), axis or button and value alike in every kind
            Send({.gaxis = {type(SDL_EVENT_GAMEPAD_AXIS_MOTION, 5), 0, 0, pad, (u8)next(), 0, 0, 0,
                            value}});
        else if (rare == 20)
            Send({.type = SDL_EVENT_WINDOW_FOCUS_LOST});
        else if (rare == 21 && pad)
            SDL_DetachVirtualJoystick(std::exchange(pad, 0));
        else if (rare == 21)
            pad = AttachPad();
    }
    bool letGo = next() % 1000 == 0;
    for (u32 n = 0; n < 256 && letGo; n++) {
        Send({.key = {.type = SDL_EVENT_KEY_UP, .scancode = (SDL_Scancode)n, .key = n}});
        Send({.button = {.type = SDL_EVENT_MOUSE_BUTTON_UP, .button = (u8)n}});
        Send({.tfinger = {n % 2 ? SDL_EVENT_FINGER_UP : SDL_EVENT_FINGER_CANCELED, 0, 0, 1, n,
                          NAN}});
    }
    for (int i = 0; i < 10 && letGo; i++) // none: 0, which SDL refuses
        SDL_DetachVirtualJoystick(std::exchange(gPads[i], 0));
    Pass();
    if (next() % 500 == 1)
        Draw(gApp, gRenderer);
    int items = 0;
    for (const InventorySlot& s : gInventory->slots)
        items += s.item == 2 && s.cooldown <= s.cooldownMax;
    return fabsf(gPlayer->pos.x) <= 1185 && fabsf(gPlayer->pos.y) <= 825 && items == 1 &&
           isfinite(gPlayer->aim + gPlayer->facing + gApp->camera.x + gApp->camera.y) &&
           (!letGo || Send() == 0);
}
