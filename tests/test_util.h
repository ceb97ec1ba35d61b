// Shared test helpers: a game state, a software renderer, the lines drawn, sound casts and moves.
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
        gApp = (GameState*)malloc(sizeof(GameState));
        memset(gBindInfo, 0, sizeof(gBindInfo));
        InitGameState();
        gApp->mode = MODE_PLAYING;
        UpdateCamera();
    }
    void TearDown() override {
        free(gApp);
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
    // The text stands at (x, y) in that colour, pixel for pixel: written over in another colour
    // where it belongs, none of it is left, and no more is written than was there.
    bool Shows(u32 rgb, int x, int y, const char* text) {
        int w = 8 * strlen(text) + 2, before = Count(rgb, x - 1, y, w, 8);
        SDL_SetRenderDrawColor(renderer, 1, 2, 3, 255);
        SDL_RenderDebugText(renderer, x, y, text);
        return before > 0 && Count(rgb, x - 1, y, w, 8) == 0 &&
               Count(0x010203, x - 1, y, w, 8) == before;
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

// A cast (0 a segment against a rectangle, 1 against the circle at its corner, 2 a body) that hits
// is finite, its normal a unit, a segment's t in [0, 1]; a segment or circle miss changes nothing.
inline bool SoundCast(int kind, Ray* ray, const SDL_FRect& rect, f32 radius) {
    Ray before = *ray;
    Circle circle = {{rect.x, rect.y}, radius};
    if (kind == 0   ? RayIntersectRect(ray, &rect)
        : kind == 1 ? RayIntersectCircle(ray, &circle)
                    : CircleRayIntersectRect(ray, radius, &rect))
        return isfinite(ray->hit.x + ray->hit.y + ray->t) &&
               fabsf(Vec2Magnitude(ray->normal) - 1) < 1e-4f &&
               (kind != 0 || fabsf(ray->t - 0.5f) <= 0.5f);
    return kind == 2 || memcmp(ray, &before, sizeof(Ray)) == 0;
}

// A cast and a move from `next`, a source of 32-bit values, each on a coarse grid (exact corners),
// in the world or any float; half the casts through a corner. A move ends inside the world.
template <class Next> bool SoundRandomCase(Next& next) {
    auto value = [&] {
        u32 kind = next() % 3, bits = next();
        f32 raw;
        memcpy(&raw, &bits, sizeof(raw));
        return kind == 0 ? (f32)(bits % 41) - 20 : kind == 1 ? bits * 7e-7f - 1500 : raw;
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
