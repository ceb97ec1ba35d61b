// Shared test helpers: a game state, a software renderer over an 800 by 600 surface, the lines
// the game draws, and what every cast and move must give, whatever the input.
#pragma once

#include "defs.h"
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

// Every SDL_RenderLine call as x1, y1, x2, y2: the tests link with --wrap=SDL_RenderLine.
extern std::vector<SDL_FRect> gLines;

// A game state built as SDL_AppInit builds it, with no window, past its opening countdown.
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

// Each value within a thousandth of the one wanted.
inline bool Near(std::vector<f32> got, std::vector<f32> want) {
    for (size_t i = 0; i < got.size(); i++)
        got[i] = fabsf(got[i] - want[i]) < 1e-3f ? 0 : 1;
    return got == std::vector<f32>(want.size(), 0);
}

constexpr u32 WHITE = 0xFFFFFF, RED = 0xFF0000, GREY = 0x212121;

// gRenderer draws into a black 800 by 600 surface; Count gives the pixels of a colour there.
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
};

// A cast (0 a segment against the rectangle, 1 against the circle at its corner, 2 a body) that
// hits gives a finite contact and fraction and a unit normal, a segment's on the segment; a
// segment or circle test that misses leaves the record as it was.
inline bool SoundCast(int kind, Ray* ray, const SDL_FRect& rect, f32 radius) {
    Ray before = *ray;
    Circle circle = {{rect.x, rect.y}, radius};
    if (kind == 0   ? RayIntersectRect(ray, &rect)
        : kind == 1 ? RayIntersectCircle(ray, &circle)
                    : CircleRayIntersectRect(ray, radius, &rect))
        return isfinite(ray->hit.x + ray->hit.y + ray->t) &&
               fabsf(Vec2Magnitude(ray->normal) - 1) < 1e-4f &&
               (kind == 1 || fabsf(ray->t - 0.5f) <= 0.5f);
    return kind == 2 || memcmp(ray, &before, sizeof(Ray)) == 0;
}

// A move leaves a body inside the world; no motion, or none a float can follow, leaves it be.
inline bool SoundMove(Entity* body, Vec2 by) {
    Entity before = *body;
    MoveCollideStep(body, by);
    bool still = (by.x == 0 && by.y == 0) || !isfinite(by.x) || !isfinite(by.y);
    return fabsf(body->pos.x) <= 1185 && fabsf(body->pos.y) <= 825 &&
           (!still || !memcmp(body, &before, sizeof(Entity)));
}
