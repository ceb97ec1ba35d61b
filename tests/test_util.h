// Shared test helpers: a game state, a software renderer over an 800 by 600 surface, the casts.
#pragma once

#include "defs.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <math.h>

// A game state built as SDL_AppInit builds it, with no window.
struct GameFixture : ::testing::Test {
    void SetUp() override {
        gApp = (GameState*)malloc(sizeof(GameState));
        memset(gBindInfo, 0, sizeof(gBindInfo));
        InitGameState();
    }
    void TearDown() override {
        free(gApp);
    }
    // Playing ticks with the pointer placed by the test, where Update would read the window's.
    void Tick(int n = 1, Vec2 mouse = {400, 100}) {
        for (gApp->mouse = mouse; n > 0; n--) {
            UpdatePlaying();
            UpdateCamera();
        }
    }
};

constexpr u32 WHITE = 0xFFFFFF, RED = 0xFF0000, BACKGROUND = 0x212121;

// gRenderer draws into an 800 by 600 surface, cleared to black with white current.
struct Canvas {
    SDL_Surface* surface = SDL_CreateSurface(LOGICAL_W, LOGICAL_H, SDL_PIXELFORMAT_RGBA32);

    Canvas() {
        gRenderer = SDL_CreateSoftwareRenderer(surface);
        Clear();
    }
    ~Canvas() {
        SDL_DestroyRenderer(gRenderer);
        gRenderer = nullptr;
        SDL_DestroySurface(surface);
    }
    void Clear(u8 grey = 0) {
        SDL_SetRenderDrawColor(gRenderer, grey, grey, grey, 255);
        SDL_RenderClear(gRenderer);
        SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    }
    std::vector<u32> Grab(int x0 = 0, int y0 = 0, int x1 = LOGICAL_W, int y1 = LOGICAL_H) {
        SDL_FlushRenderer(gRenderer);
        std::vector<u32> px;
        for (int y = std::max(y0, 0); y < std::min(y1, LOGICAL_H); y++)
            for (int x = std::max(x0, 0); x < std::min(x1, LOGICAL_W); x++) {
                const u8* p = (const u8*)surface->pixels + y * surface->pitch + x * 4;
                px.push_back((u32)p[0] << 16 | (u32)p[1] << 8 | p[2]);
            }
        return px;
    }
    int Count(u32 rgb, int x0 = 0, int y0 = 0, int x1 = LOGICAL_W, int y1 = LOGICAL_H) {
        std::vector<u32> px = Grab(x0, y0, x1, y1);
        return (int)std::count(px.begin(), px.end(), rgb);
    }
    bool Near(u32 rgb, f32 x, f32 y) {
        return Count(rgb, floorf(x) - 1, floorf(y) - 1, floorf(x) + 2, floorf(y) + 2) > 0;
    }
    // A white outline from (x0, y0) to (x1, y1), give or take a pixel, and no other white.
    void ExpectOutline(int x0, int y0, int x1, int y1) {
        f32 mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
        EXPECT_TRUE(Near(WHITE, mx, y0) && Near(WHITE, mx, y1) && Near(WHITE, x0, my) &&
                    Near(WHITE, x1, my) && Count(WHITE, x0 + 2, y0 + 2, x1 - 1, y1 - 1) == 0 &&
                    Count(WHITE, x0 - 1, y0 - 1, x1 + 2, y1 + 2) == Count(WHITE));
    }
};

inline void ExpectNear(std::vector<f32> got, std::vector<f32> want, f32 tol = 0, long tag = 0) {
    for (size_t i = 0; i < got.size(); i++)
        EXPECT_NEAR(got[i], want[i], tol) << "case " << tag << ", value " << i;
}

// A segment against a rectangle or the circle at its corner, or a body against a rectangle.
enum CastKind { SEGMENT, CIRCLE, BODY };
inline bool Cast(int kind, Ray* r, const SDL_FRect& shape, f32 radius) {
    Circle circle = {{shape.x, shape.y}, radius};
    return kind == SEGMENT  ? RayIntersectRect(r, &shape)
           : kind == CIRCLE ? RayIntersectCircle(r, &circle)
                            : CircleRayIntersectRect(r, radius, &shape);
}
