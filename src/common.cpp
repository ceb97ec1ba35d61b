// The shared kit: the input bindings that keys, the mouse, pads and fingers all hold, and the one
// pointer they take turns to put; vector and angle arithmetic, the segment casts behind all
// collision, and the line-drawn shapes and debug text lines every scene is drawn with.
#include "defs.h"

#include <float.h>
#include <math.h>
#include <stdio.h>

// ---- Input bindings --------------------------------------------------------------------
// Events only record which bindings are held; the player update reads the flags once a tick,
// so a press and release that both fall between two ticks leave no trace.

// Primary and secondary binding of each row: a key, or a mouse button; -1 binds nothing. Keys are
// bound by their place (scancode), not by the letter printed on them: the places of w s a d q e
// and space on a US keyboard, so that every layout plays with the same hand shape.
const Bind gInitBinds[BIND_COUNT][2] = {
    {{SDL_SCANCODE_W, 1}, {-1, 0}},               // drive forward
    {{SDL_SCANCODE_S, 1}, {-1, 0}},               // drive backward
    {{SDL_SCANCODE_A, 1}, {SDL_BUTTON_LEFT, 0}},  // side 0: brake, spin or use
    {{SDL_SCANCODE_D, 1}, {SDL_BUTTON_RIGHT, 0}}, // side 1: brake, spin or use
    {{SDL_SCANCODE_Q, 1}, {-1, 0}},               // swap side 0's item
    {{SDL_SCANCODE_E, 1}, {-1, 0}},               // swap side 1's item
    {{SDL_SCANCODE_SPACE, 1}, {-1, 0}},           // hop
};

BindInfo gBindInfo[BIND_COUNT];

void ResetBinds() {
    for (int row = 0; row < BIND_COUNT; row++) {
        gBindInfo[row].binds[0] = gInitBinds[row][0];
        gBindInfo[row].binds[1] = gInitBinds[row][1];
    }
}

// By place: a key that goes down under one layout and up under another still lets go.
void KeyPressed(i32 scancode, u8 down) {
    for (int row = 0; row < BIND_COUNT; row++) {
        BindInfo* info = &gBindInfo[row];
        for (int b = 0; b < 2; b++) {
            if (info->binds[b].isKey == 1 && info->binds[b].code == scancode) {
                info->down[b] = down;
                return;
            }
        }
    }
}

// Mouse codes compare in 8 bits, so the unbound code -1 answers to button 255.
void MouseDownSearch(u8 button, u8 down) {
    for (int row = 0; row < BIND_COUNT; row++) {
        BindInfo* info = &gBindInfo[row];
        for (int b = 0; b < 2; b++) {
            if (info->binds[b].isKey == 0 && (u8)info->binds[b].code == button) {
                info->down[b] = down;
                return;
            }
        }
    }
}

// A row is held while anything holds it: either of its bindings, any pad or any finger.
bool BindHeld(u8 row) {
    const BindInfo* info = &gBindInfo[row];
    return info->down[0] || info->down[1] || info->pads || info->fingers;
}

// A key's name as the hints show it, for the key code the player's layout gives at a place: a
// printable character as itself (SDL's key codes have letters in lower case, as on the key hints
// always), the space bar as "space", any other key by SDL's name for it when that is plain ASCII,
// which the debug font can draw; else "?".
void NameKey(SDL_Keycode key, char name[16]) {
    if (key == SDLK_SPACE) {
        SDL_strlcpy(name, "space", 16);
    } else if (key > ' ' && key <= '~') {
        name[0] = key;
        name[1] = 0;
    } else {
        const char* sdlName = SDL_GetKeyName(key);
        bool plain = *sdlName != 0;
        for (const char* c = sdlName; *c; c++)
            plain = plain && *c >= ' ' && *c <= '~';
        SDL_strlcpy(name, plain ? sdlName : "?", 16);
    }
}

// ---- The pointer, and the input used last ---------------------------------------------
// The tick aims at one pointer, put by whichever last took it: a real mouse's motion, a pad's
// stick or a finger on the world. The mouse is read live; the others leave it where they put it.

InputUse gLastInput;

static InputKind sPointerOwner;
static Vec2 sPointer; // where the pointer was last read or put, on the logical screen

// A null place keeps the pointer where it was last read: a finger on a touch control takes it
// that way from the mouse, whose position SDL moves to the finger.
void TakePointer(InputKind owner, const Vec2* at) {
    sPointerOwner = owner;
    if (at)
        sPointer = *at;
}

bool PointerOwnedBy(InputKind owner) {
    return sPointerOwner == owner;
}

// A place that is not a finite number (as a broken driver or system might report, or a finger's
// mapped from one) would make the aim not a number, then the heading and the view, for good: the
// mouse or a finger there is not heard.
bool PlaceFinite(Vec2 at) {
    return isfinite(at.x) && isfinite(at.y);
}

Vec2 ReadPointer() {
    if (sPointerOwner == INPUT_MOUSE) {
        Vec2 mouse = ReadMouse();
        if (PlaceFinite(mouse))
            sPointer = mouse;
    }
    return sPointer;
}

// The mouse on the 800 by 600 logical screen, whatever the window's size or pixel density.
Vec2 ReadMouse() {
    Vec2 m;
    SDL_GetMouseState(&m.x, &m.y);
    if (gRenderer)
        SDL_RenderCoordinatesFromWindow(gRenderer, m.x, m.y, &m.x, &m.y);
    return m;
}

// ---- Vectors and angles ----------------------------------------------------------------

f32 Magnitude(f32 x, f32 y) {
    return SqrtD(x * x + y * y);
}

f32 Vec2Magnitude(Vec2 v) {
    return SqrtD(v.x * v.x + v.y * v.y);
}

// A zero vector has no direction: its components become NaN, as IEEE division gives.
void Normalize(f32* x, f32* y) {
    f32 m = Magnitude(*x, *y);
    *x = *x / m;
    *y = *y / m;
}

Vec2 Vec2Normalize(Vec2 v) {
    Normalize(&v.x, &v.y);
    return v;
}

Vec2 Rotate(f32 len, f32 angle) {
    Vec2 v;
    v.x = SinD(angle) * len;
    v.y = -CosD(angle) * len;
    return v;
}

Vec2 Vec2AddVec2(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}

Vec2 Vec2SubVec2(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}

Vec2 Vec2Scale(Vec2 v, f32 s) {
    return {v.x * s, v.y * s};
}

f32 Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}

// Reduces a into [0, m] by whole steps of m, so that results match step for step what the
// game has always computed for headings. A step that no longer changes a (|a| beyond about
// 2^24 steps, or infinite) falls back to fmod, and a modulus that is not positive leaves a as
// it is, so the reduction always ends.
f32 FMod(f32 a, f32 m) {
    if (!(m > 0))
        return a;
    while (a < 0) {
        f32 next = a + m;
        if (next == a) {
            f32 r = fmodf(a, m);
            return r < 0 ? r + m : r;
        }
        a = next;
    }
    while (a > m) {
        f32 next = a - m;
        if (next == a)
            return fmodf(a, m);
        a = next;
    }
    return a;
}

// The signed turn from one heading to another, positive clockwise. The decimal constants
// are the game's own 2pi and pi, a shade short of the true values.
f32 GetAngleDiff(f32 from, f32 to) {
    f32 d = FMod(to - from, 6.283185f);
    if (d >= 3.141592)
        return d - 6.283185;
    return d;
}

f32 StepToF(f32 current, f32 target, f32 step) {
    if (target > current) {
        if (target <= current + step)
            return target;
        return current + step;
    }
    if (current - step <= target)
        return target;
    return current - step;
}

void CenterRect(SDL_FRect* r) {
    r->x = r->x - r->w * 0.5f;
    r->y = r->y - r->h * 0.5f;
}

// ---- Casts -----------------------------------------------------------------------------
// A body is cast as its centre's path over one step. IEEE arithmetic is relied on: a segment
// parallel to an axis gets infinite fractions on that axis, and every min and max below is
// written as the comparison that decides it.

bool RayIntersectRect(Ray* ray, const SDL_FRect* rect) {
    f32 dx = ray->end.x - ray->start.x;
    f32 dy = ray->end.y - ray->start.y;
    if (!isfinite(dx) || !isfinite(dy))
        return false;

    f32 tx0 = (rect->x - ray->start.x) / dx;
    f32 tx1 = (rect->x + rect->w - ray->start.x) / dx;
    f32 ty0 = (rect->y - ray->start.y) / dy;
    f32 ty1 = (rect->y + rect->h - ray->start.y) / dy;
    // 0/0: the segment lies on the line of a side and does not move across it. It only
    // grazes that side and never enters, and a NaN fraction would pass every test below.
    if (isnan(tx0) || isnan(tx1) || isnan(ty0) || isnan(ty1))
        return false;

    if (tx0 > tx1) {
        f32 swap = tx0;
        tx0 = tx1;
        tx1 = swap;
    }
    if (ty0 > ty1) {
        f32 swap = ty0;
        ty0 = ty1;
        ty1 = swap;
    }
    if (tx0 > ty1 || ty0 > tx1)
        return false;

    f32 tNear = tx0 > ty0 ? tx0 : ty0;
    f32 tFar = ty1 > tx1 ? tx1 : ty1;
    // A start inside the rectangle has tNear < 0: a body is never stopped by what it is in.
    if (tNear > 1 || tNear < 0)
        return false;
    if (tFar < 0)
        return false;

    ray->hit.x = ray->start.x + tNear * dx;
    ray->hit.y = ray->start.y + tNear * dy;
    ray->t = tNear;
    if (tx0 > ty0) {
        ray->normal.y = 0;
        ray->normal.x = dx < 0 ? 1 : -1;
    } else if (tx0 < ty0) {
        ray->normal.x = 0;
        ray->normal.y = dy < 0 ? 1 : -1;
    } else if (ray->normal.x == 0 && ray->normal.y == 0) {
        // Entered exactly through a corner with no earlier contact to borrow a normal from:
        // push straight back against the motion. Scaled first, so that a tiny motion's
        // squares cannot vanish before it is normalized.
        f32 big = fabsf(dx) > fabsf(dy) ? fabsf(dx) : fabsf(dy);
        ray->normal.x = -dx / big;
        ray->normal.y = -dy / big;
    }
    Normalize(&ray->normal.x, &ray->normal.y);
    return true;
}

bool RayIntersectCircle(Ray* ray, const Circle* circle) {
    Vec2 d = Vec2SubVec2(ray->end, ray->start);
    f32 len = Vec2Magnitude(d);
    // A segment with no length (or none a float can hold) has no direction to cast along.
    if (!(len > 0) || !isfinite(len))
        return false;
    Vec2 dir = Vec2Normalize(d);
    Vec2 m = Vec2SubVec2(circle->pos, ray->start);

    // Both tests are written to fail on NaN as well, so a bad circle never yields a hit.
    f32 proj = Dot(m, dir);
    if (!(proj >= 0))
        return false;
    f32 dist2 = Dot(m, m) - proj * proj;
    f32 r2 = circle->radius * circle->radius;
    if (!(dist2 <= r2))
        return false;

    f32 h = SqrtD(r2 - dist2);
    f32 t0 = (proj - h) / len;
    f32 t1 = (proj + h) / len;
    if (t0 > 1)
        return false;
    // From inside the circle the contact is where the segment leaves it, even past the end.
    if (t0 < 0) {
        t0 = t1;
        if (t0 < 0)
            return false;
    }

    Vec2 hit = {ray->start.x + dir.x * t0 * len, ray->start.y + dir.y * t0 * len};
    Vec2 out = Vec2SubVec2(hit, circle->pos);
    // A contact at (or within a hair of) the centre of a point-sized circle has no outward
    // direction a float can normalize, and a radius too large to square has no contact point.
    f32 out2 = Dot(out, out);
    if (!isfinite(hit.x) || !isfinite(hit.y) || !(out2 >= FLT_MIN && out2 <= FLT_MAX))
        return false;
    Vec2 normal = Vec2Normalize(out);
    ray->hit = hit;
    ray->t = t0;
    ray->normal = normal;
    return true;
}

// The body's circle against a rectangle: the rectangle grown by the radius, with its corners
// rounded by a circle test where the contact falls outside the rectangle on both axes.
bool CircleRayIntersectRect(Ray* ray, f32 radius, const SDL_FRect* rect) {
    SDL_FRect grown = {rect->x - radius, rect->y - radius, rect->w + 2 * radius,
                       rect->h + 2 * radius};
    if (!RayIntersectRect(ray, &grown))
        return false;

    f32 left = rect->x, right = rect->x + rect->w;
    f32 top = rect->y, bottom = rect->y + rect->h;
    Circle corner;
    corner.radius = radius;
    if (ray->hit.y < top) {
        if (ray->hit.x < left)
            corner.pos = {left, top};
        else if (ray->hit.x > right)
            corner.pos = {right, top};
        else
            return true;
    } else if (ray->hit.y > bottom) {
        if (ray->hit.x < left)
            corner.pos = {left, bottom};
        else if (ray->hit.x > right)
            corner.pos = {right, bottom};
        else
            return true;
    } else {
        return true;
    }
    return RayIntersectCircle(ray, &corner);
}

// ---- Drawing kit -----------------------------------------------------------------------
// Every shape draws in the caller's colour and blend mode and leaves both as they were.

char gStrBuffer[32];
u32 gDebugLines;

constexpr f32 CIRCLE_MIN_SIDES = 3;
constexpr f32 CIRCLE_MAX_SIDES = 50;

// One side per pixel of diameter, within bounds, turned by a random phase on every call.
void DrawCircle(const Circle* c) {
    f32 d = 2 * c->radius;
    f32 n;
    if (d < CIRCLE_MIN_SIDES)
        n = CIRCLE_MIN_SIDES;
    else if (d <= CIRCLE_MAX_SIDES)
        n = (f32)(u32)d;
    else
        n = CIRCLE_MAX_SIDES; // also a NaN radius, which has no side count of its own
    f32 phase = SDL_randf();
    double step = 6.283185 / n;
    for (u32 i = 0; i < n; i++) {
        double a = (i + (double)phase) * step;
        double b = (i + 1 + (double)phase) * step;
        SDL_RenderLine(gRenderer, c->pos.x + c->radius * SinD(a), c->pos.y + c->radius * CosD(a),
                       c->pos.x + c->radius * SinD(b), c->pos.y + c->radius * CosD(b));
    }
}

void DrawRotatedLine(f32 x, f32 y, f32 len, f32 angle) {
    Vec2 v = Rotate(len, angle);
    SDL_RenderLine(gRenderer, x, y, x + v.x, y + v.y);
}

// Turns the rectangle about its corner (x, y): w runs along angle + pi/2, h along angle + pi.
void DrawRotatedRect(const SDL_FRect* r, f32 angle) {
    Vec2 hEdge = Rotate(r->h, angle + 3.141592);
    Vec2 wEdge = Rotate(r->w, angle + 1.570796);
    Vec2 c0 = {r->x, r->y};
    Vec2 ch = Vec2AddVec2(c0, hEdge);
    Vec2 cw = Vec2AddVec2(c0, wEdge);
    Vec2 cwh = Vec2AddVec2(ch, wEdge);
    SDL_RenderLine(gRenderer, c0.x, c0.y, cw.x, cw.y);
    SDL_RenderLine(gRenderer, c0.x, c0.y, ch.x, ch.y);
    SDL_RenderLine(gRenderer, ch.x, ch.y, cwh.x, cwh.y);
    SDL_RenderLine(gRenderer, cw.x, cw.y, cwh.x, cwh.y);
}

// Where one logical pixel is drawn smaller than one unit of the window's own size (a CSS pixel in
// a browser, a point on a desktop), as on a phone held sideways (844 by 390: 0.65 of a unit), the
// debug font's 8-pixel glyphs would be too small to read: texts are drawn at twice its size there.
constexpr f32 BIG_TEXT = 2;
// The text lines' left edge: at twice the size lines reach the cooldown bars (x 0 to 38 from y
// 60), so they stand right of them.
constexpr f32 LINES_X = 4, BIG_LINES_X = 44;
constexpr f32 LINES_Y = 4;

f32 TextScale() {
    int w = 0, h = 0;
    if (!gWindow || !SDL_GetWindowSize(gWindow, &w, &h))
        return 1;
    return SDL_min((f32)w / LOGICAL_W, (f32)h / LOGICAL_H) < 1 ? BIG_TEXT : 1;
}

// The debug font's glyphs scale times their size, the text's top left corner at (x, y) on the
// logical screen. The render scale is left as it was found.
void DrawScaledText(f32 x, f32 y, f32 scale, const char* text) {
    f32 scaleX, scaleY;
    SDL_GetRenderScale(gRenderer, &scaleX, &scaleY);
    SDL_SetRenderScale(gRenderer, scaleX * scale, scaleY * scale);
    SDL_RenderDebugText(gRenderer, x / scale, y / scale, text);
    SDL_SetRenderScale(gRenderer, scaleX, scaleY);
}

void DrawDebugBegin() {
    gDebugLines = 0;
}

// Lines of text stack down from the top left, one glyph's height apart, one per call since
// DrawDebugBegin.
static void DrawDebugLine() {
    u32 line = gDebugLines++;
    f32 scale = TextScale();
    f32 x = scale > 1 ? BIG_LINES_X : LINES_X;
    DrawScaledText(x, LINES_Y + SDL_DEBUG_TEXT_FONT_CHARACTER_SIZE * scale * line, scale,
                   gStrBuffer);
}

// Every text is cut to fit gStrBuffer: a long number or text never writes past it.
void DrawDebugInt(i32 value) {
    snprintf(gStrBuffer, sizeof(gStrBuffer), "%d", value);
    DrawDebugLine();
}

void DrawDebugFloat(f32 value) {
    snprintf(gStrBuffer, sizeof(gStrBuffer), "%f", (double)value);
    DrawDebugLine();
}

void DrawDebugText(const char* text) {
    SDL_strlcpy(gStrBuffer, text, sizeof(gStrBuffer));
    DrawDebugLine();
}
