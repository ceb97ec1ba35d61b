// Shared test helpers: a game state, a software renderer over an 800 by 600 surface, the lines
// the game draws, and what every cast and move must give whatever its input.
#pragma once

#include "defs.h"
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

// Every SDL_RenderLine call, as x1, y1 and x2, y2 (the tests link with --wrap=SDL_RenderLine).
extern std::vector<SDL_FRect> gLines;

// A game state built as SDL_AppInit builds it, with no window, past its opening countdown.
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
    // Playing ticks with the pointer where the test puts it, where Update would read the window's.
    void Tick(int n = 1, Vec2 mouse = {400, 100}) {
        for (gApp->mouse = mouse; n > 0; n--) {
            UpdatePlaying();
            UpdateCamera();
        }
    }
};

inline void Hold(int row, u8 down = 1) {
    gBindInfo[row].down[0] = down;
}

constexpr u32 WHITE = 0xFFFFFF, RED = 0xFF0000, GREY = 0x212121;

// gRenderer draws into an 800 by 600 surface, black until something is drawn.
struct Canvas {
    SDL_Surface* surface = SDL_CreateSurface(LOGICAL_W, LOGICAL_H, SDL_PIXELFORMAT_RGBA32);
    Canvas() {
        gRenderer = SDL_CreateSoftwareRenderer(surface);
    }
    ~Canvas() {
        SDL_DestroyRenderer(gRenderer);
        gRenderer = nullptr;
        SDL_DestroySurface(surface);
    }
    std::string Snapshot() {
        SDL_FlushRenderer(gRenderer);
        return std::string((const char*)surface->pixels, surface->pitch * surface->h);
    }
    void Clear() {
        SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
        SDL_RenderClear(gRenderer);
    }
    // Pixels of colour 0xRRGGBB in the rectangle.
    int Count(u32 rgb, int x = 0, int y = 0, int w = LOGICAL_W, int h = LOGICAL_H) {
        SDL_FlushRenderer(gRenderer);
        int n = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++) {
                u8 r = 0, g = 0, b = 0;
                SDL_ReadSurfacePixel(surface, i, j, &r, &g, &b, nullptr);
                n += ((u32)r << 16 | g << 8 | b) == rgb;
            }
        return n;
    }
};

// Whatever the input, a cast that hits gives a finite contact and fraction and a unit normal,
// and a segment's contact lies on it; a segment or circle test that misses leaves the record.
// kind 0 is a segment against the rectangle, 1 against the circle at its corner, 2 a body.
inline bool SoundCast(int kind, Ray* ray, const SDL_FRect& rect, f32 radius) {
    Ray before = *ray;
    Circle circle = {{rect.x, rect.y}, radius};
    bool hit = kind == 0   ? RayIntersectRect(ray, &rect)
               : kind == 1 ? RayIntersectCircle(ray, &circle)
                           : CircleRayIntersectRect(ray, radius, &rect);
    if (!hit)
        return kind == 2 || memcmp(ray, &before, sizeof(Ray)) == 0;
    return isfinite(ray->hit.x) && isfinite(ray->hit.y) && isfinite(ray->t) &&
           fabsf(Vec2Magnitude(ray->normal) - 1) < 1e-4f &&
           (kind == 1 || (ray->t >= 0 && ray->t <= 1));
}

// A move leaves a body finite and inside the world; no motion, or none a float can follow,
// leaves it where it was.
inline bool SoundMove(Entity* body, Vec2 by) {
    Vec2 from = body->pos;
    MoveCollideStep(body, by);
    bool still = (by.x == 0 && by.y == 0) || !isfinite(by.x) || !isfinite(by.y);
    return fabsf(body->pos.x) <= 1185 && fabsf(body->pos.y) <= 825 &&
           (!still || (body->pos.x == from.x && body->pos.y == from.y));
}
