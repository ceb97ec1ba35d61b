// Touch: the game draws its own controls, boxes that a finger holds as a key is held, while
// fingers were the input used last (from a touch until a key, the mouse or a pad is used); a
// finger anywhere else aims.
#include "defs.h"

#include <string.h>

// Each finger holds rows through its own bit of BindInfo::fingers, so a row stays held until every
// key, button, pad and finger on it lets go.
constexpr int FINGER_SLOTS = 8;    // a bit each in BindInfo::fingers; a ninth finger is ignored
constexpr f32 LABEL_SCALE = 3;     // the debug font's 8-pixel glyphs, big enough on a phone
constexpr u8 HELD_FILL_ALPHA = 96; // a held box is lit, the world still showing through

static_assert(FINGER_SLOTS <= 8 * sizeof(BindInfo::fingers));

struct TouchBox {
    const char* label;
    i8 row;         // the row a finger on it holds, or -1
    i8 zoom;        // the wheel notches a finger landing on it zooms by
    SDL_FRect rect; // on the logical screen, clear of the body at (400, 420), the slots and hints
    u8 sound = 0;   // a finger landing on it turns the sound off or on
};

// The left thumb has the drive and the left side, the right thumb the right side and the hop.
constexpr TouchBox TOUCH_BOXES[] = {
    {"W", BIND_FORWARD, 0, {20, 370, 80, 80}}, {"S", BIND_BACK, 0, {20, 490, 80, 80}},
    {"A", BIND_SIDE0, 0, {110, 430, 80, 80}},  {"D", BIND_SIDE1, 0, {610, 430, 80, 80}},
    {"HOP", BIND_HOP, 0, {700, 490, 80, 80}},  {"Q", BIND_SWAP0, 0, {20, 290, 80, 50}},
    {"E", BIND_SWAP1, 0, {700, 290, 80, 50}},  {"+", -1, 1, {740, 10, 50, 50}},
    {"-", -1, -1, {680, 10, 50, 50}},          {"SND", -1, 0, {620, 10, 50, 50}, 1},
};
constexpr int TOUCH_BOX_COUNT = sizeof(TOUCH_BOXES) / sizeof(TOUCH_BOXES[0]);

struct FingerSlot {
    SDL_FingerID id;
    u8 down;   // on the screen; a slot neither down nor lingering is free
    u8 aims;   // it landed on the world, so it puts the pointer; else it holds boxes
    i8 box;    // the box under it, or -1
    u8 unread; // the rows it pressed since the last tick, a bit each
    u8 linger; // the rows it let go of before a tick read the press: let go after the next tick
};

static FingerSlot sFingers[FINGER_SLOTS];
static int sAimFinger = -1; // the slot of the latest finger to land on the world, while down

static FingerSlot* FindFinger(SDL_FingerID id) {
    for (FingerSlot& f : sFingers)
        if (f.down && f.id == id)
            return &f;
    return nullptr;
}

// SDL gives a finger's place as a fraction of the window's size, in the window's own units also
// on a dense screen; it goes through the renderer to the logical screen as the mouse does.
static Vec2 MapFingerToScreen(const SDL_TouchFingerEvent* finger) {
    int w = 0, h = 0;
    SDL_GetWindowSize(gWindow, &w, &h);
    Vec2 at = {finger->x * w, finger->y * h};
    SDL_RenderCoordinatesFromWindow(gRenderer, at.x, at.y, &at.x, &at.y);
    return at;
}

// Both edges of a box are in it. The collision scene has no boxes.
static int FindBoxAt(Vec2 at) {
    SDL_FPoint p = {at.x, at.y};
    for (int i = 0; i < TOUCH_BOX_COUNT && !debug; i++)
        if (SDL_PointInRectFloat(&p, &TOUCH_BOXES[i].rect))
            return i;
    return -1;
}

// A press no tick has read yet is let go of only after the next tick, so that a tap quicker
// than a tick still counts once; any other lets go at once.
static void LetGoOfRow(FingerSlot* f, u8 bit, int row) {
    if (f->unread & (1 << row))
        f->linger |= 1 << row;
    else
        gBindInfo[row].fingers &= ~bit;
}

// The finger moves onto a box, or off every box (-1): it lets go of the one it leaves.
static void MoveOnto(FingerSlot* f, int box) {
    if (box == f->box)
        return;
    u8 bit = 1 << (f - sFingers);
    if (f->box >= 0 && TOUCH_BOXES[f->box].row >= 0)
        LetGoOfRow(f, bit, TOUCH_BOXES[f->box].row);
    f->box = box;
    if (box < 0)
        return;
    int row = TOUCH_BOXES[box].row;
    if (row >= 0) {
        gBindInfo[row].fingers |= bit;
        f->unread |= 1 << row;
        f->linger &= ~(1 << row);
    }
}

// A finger lands on a box and holds it, or on the world (or a letterbox bar) and aims. Either
// way the mouse no longer puts the pointer: SDL moves its position to the finger. A zoom or
// sound box acts as the finger lands, once a touch.
static void FingerLanded(SDL_FingerID id, Vec2 at) {
    FingerSlot* f = sFingers;
    while (f < sFingers + FINGER_SLOTS && (f->down || f->linger))
        f++;
    if (f == sFingers + FINGER_SLOTS)
        return;
    *f = {id, 1, 0, -1, 0, 0};
    int box = FindBoxAt(at);
    if (box >= 0) {
        MoveOnto(f, box);
        if (TOUCH_BOXES[box].zoom)
            Zoom(TOUCH_BOXES[box].zoom);
        if (TOUCH_BOXES[box].sound)
            ToggleSound();
        if (PointerOwnedBy(INPUT_MOUSE))
            TakePointer(INPUT_FINGER, nullptr);
    } else {
        f->aims = 1;
        sAimFinger = f - sFingers;
        TakePointer(INPUT_FINGER, &at);
    }
}

// A finger aiming moves the pointer while it is the latest on the world and nothing else took
// the pointer since; a finger on the boxes holds whichever it is on.
static void FingerMoved(FingerSlot* f, Vec2 at) {
    if (!f->aims)
        MoveOnto(f, FindBoxAt(at));
    else if (sAimFinger == f - sFingers && PointerOwnedBy(INPUT_FINGER))
        TakePointer(INPUT_FINGER, &at);
}

// Lifted or cancelled, the finger lets go as a key does; the pointer stays where it was.
static void FingerLifted(FingerSlot* f) {
    MoveOnto(f, -1);
    if (sAimFinger == f - sFingers)
        sAimFinger = -1;
    f->down = 0;
}

// A mouse turned into touches (SDL does so on some systems when asked) is still a mouse. A landing
// or a move to a place that is not a finite number is not heard; a lift or a cancel lets go
// wherever it is, or the finger's box would stay held for good.
void FingerEvent(const SDL_TouchFingerEvent* finger) {
    if (finger->touchID == SDL_MOUSE_TOUCHID || !gWindow || !gRenderer)
        return;
    Vec2 at = MapFingerToScreen(finger);
    FingerSlot* f = FindFinger(finger->fingerID);
    bool lifts = finger->type == SDL_EVENT_FINGER_UP || finger->type == SDL_EVENT_FINGER_CANCELED;
    if (!lifts && !PlaceFinite(at))
        return;
    if (finger->type == SDL_EVENT_FINGER_DOWN) {
        gLastInput = {INPUT_FINGER, 0};
        if (f)
            FingerLifted(f); // its lift was lost: a landing starts afresh
        FingerLanded(finger->fingerID, at);
    } else if (f && finger->type == SDL_EVENT_FINGER_MOTION) {
        FingerMoved(f, at);
    } else if (f) {
        FingerLifted(f);
    }
}

// The window's focus gone: every finger lets go at once.
void LetGoOfFingers() {
    for (BindInfo& info : gBindInfo)
        info.fingers = 0;
    for (FingerSlot& f : sFingers)
        f = {};
    sAimFinger = -1;
}

// After each tick: the presses it read are no longer fresh, and the taps lifted before it let go.
void TouchTicked() {
    for (FingerSlot& f : sFingers) {
        for (int row = 0; row < BIND_COUNT; row++)
            if (f.linger & (1 << row))
                gBindInfo[row].fingers &= ~(1 << (&f - sFingers));
        f.linger = 0;
        f.unread = 0;
    }
}

// The label of the box that holds a row, as the hints name it.
const char* TouchLabel(u8 row) {
    for (const TouchBox& box : TOUCH_BOXES)
        if (box.row == row)
            return box.label;
    return "?";
}

static bool BoxHeld(int box) {
    for (const FingerSlot& f : sFingers)
        if (f.down && f.box == box)
            return true;
    return false;
}

// Over everything else, in white: each box outlined, its label big in its middle, and lit while
// a finger is on it. The draw colour and blend mode are left as they were found.
void DrawTouchControls() {
    if (gLastInput.kind != INPUT_FINGER)
        return;
    SDL_BlendMode blend;
    SDL_GetRenderDrawBlendMode(gRenderer, &blend);
    for (int i = 0; i < TOUCH_BOX_COUNT; i++) {
        const TouchBox* box = &TOUCH_BOXES[i];
        if (BoxHeld(i)) {
            SDL_SetRenderDrawBlendMode(gRenderer, SDL_BLENDMODE_BLEND);
            SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, HELD_FILL_ALPHA);
            SDL_RenderFillRect(gRenderer, &box->rect);
            SDL_SetRenderDrawBlendMode(gRenderer, blend);
        }
        SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
        SDL_RenderRect(gRenderer, &box->rect);
        // As big as the box's width takes, up to the label scale.
        f32 textW = SDL_DEBUG_TEXT_FONT_CHARACTER_SIZE * strlen(box->label);
        f32 label = SDL_min(LABEL_SCALE, SDL_floorf(box->rect.w / textW));
        f32 textH = SDL_DEBUG_TEXT_FONT_CHARACTER_SIZE * label;
        DrawScaledText(box->rect.x + (box->rect.w - textW * label) / 2,
                       box->rect.y + (box->rect.h - textH) / 2, label, box->label);
    }
}
