// Shared test helpers: a game state, a software renderer over an 800 by 600 surface, the lines
// the game draws, and what every cast and move must give, whatever the input.
#pragma once

#include "defs.h"
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

// Every SDL_RenderLine call as x1, y1, x2, y2: the tests link with --wrap=SDL_RenderLine.
extern std::vector<SDL_FRect> gLines;

// A game state built as SDL_AppInit builds it, with no window, past its opening countdown;
// Tick places the pointer itself, where Update would read the window's.
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
};

inline void Hold(int row, u8 down = 1) {
    gBindInfo[row].down[0] = down;
}

constexpr u32 WHITE = 0xFFFFFF, RED = 0xFF0000, GREY = 0x212121;

// gRenderer draws into an 800 by 600 surface; Count gives the pixels of a colour in a rectangle.
struct Canvas {
    SDL_Surface* surface = SDL_CreateSurface(LOGICAL_W, LOGICAL_H, SDL_PIXELFORMAT_XRGB8888);
    SDL_Renderer* renderer = gRenderer = SDL_CreateSoftwareRenderer(surface);
    ~Canvas() {
        SDL_DestroyRenderer(renderer);
        gRenderer = nullptr;
        SDL_DestroySurface(surface);
    }
    int Count(u32 rgb, int x = 0, int y = 0, int w = LOGICAL_W, int h = LOGICAL_H) {
        SDL_FlushRenderer(renderer);
        int n = 0;
        for (int j = y; j < y + h; j++)
            for (int i = x; i < x + w; i++)
                n += (((u32*)((u8*)surface->pixels + j * surface->pitch))[i] & 0xFFFFFF) == rgb;
        return n;
    }
    void Clear() {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
    std::string Snapshot() {
        SDL_FlushRenderer(renderer);
        return std::string((const char*)surface->pixels, surface->pitch * surface->h);
    }
};

// A cast (0 a segment against the rectangle, 1 against the circle at its corner, 2 a body) that
// hits gives a finite contact and fraction and a unit normal, a segment's contact on it; a
// segment or circle test that misses leaves the record as it was.
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
           (kind == 1 || fabsf(ray->t - 0.5f) <= 0.5f);
}

// A move leaves a body inside the world; no motion, or none a float can follow, leaves it be.
inline bool SoundMove(Entity* body, Vec2 by) {
    Vec2 from = body->pos;
    MoveCollideStep(body, by);
    bool still = (by.x == 0 && by.y == 0) || !isfinite(by.x) || !isfinite(by.y);
    return fabsf(body->pos.x) <= 1185 && fabsf(body->pos.y) <= 825 &&
           (!still || (body->pos.x == from.x && body->pos.y == from.y));
}
