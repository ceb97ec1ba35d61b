// Shared test helpers: a fresh game state and a software renderer over an 800 by 600 surface.
#pragma once

#include "defs.h"
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

// A game state built as SDL_AppInit builds it, with no window: every update and draw works on it.
struct GameFixture : ::testing::Test {
    void SetUp() override {
        gApp = (GameState*)malloc(sizeof(GameState));
        memset(gBindInfo, 0, sizeof(gBindInfo));
        InitGameState();
    }
    void TearDown() override {
        free(gApp);
        gApp = nullptr;
        gPlayer = nullptr;
        gInventory = nullptr;
        gFloor = nullptr;
    }
    // Runs the cutscene out, so that the next Update is a playing tick.
    void SkipCutscene() {
        while (gApp->mode == MODE_CUTSCENE)
            Update(gApp);
    }
    // A floor with no walls at all.
    void ClearFloor() { memset(&gApp->floor, 0, sizeof(Floor)); }
};

// Drawing on SDL's software renderer: gRenderer draws into an 800 by 600 RGBA surface.
struct Canvas {
    SDL_Surface* surface = nullptr;
    SDL_Renderer* saved = nullptr;

    Canvas() {
        surface = SDL_CreateSurface(LOGICAL_W, LOGICAL_H, SDL_PIXELFORMAT_RGBA32);
        saved = gRenderer;
        gRenderer = SDL_CreateSoftwareRenderer(surface);
    }
    ~Canvas() {
        SDL_DestroyRenderer(gRenderer);
        gRenderer = saved;
        SDL_DestroySurface(surface);
    }
    void Clear(u8 r = 0, u8 g = 0, u8 b = 0) {
        SDL_SetRenderDrawColor(gRenderer, r, g, b, 255);
        SDL_RenderClear(gRenderer);
    }
    // Pixel (x, y) after flushing what was drawn, as 0xRRGGBB.
    u32 At(int x, int y) {
        SDL_FlushRenderer(gRenderer);
        u8 r, g, b, a;
        SDL_ReadSurfacePixel(surface, x, y, &r, &g, &b, &a);
        return (u32)r << 16 | (u32)g << 8 | b;
    }
    // Number of pixels of the given colour within the rectangle [x0, x1) by [y0, y1).
    int Count(u32 rgb, int x0 = 0, int y0 = 0, int x1 = LOGICAL_W, int y1 = LOGICAL_H) {
        SDL_FlushRenderer(gRenderer);
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                u8 r, g, b, a;
                SDL_ReadSurfacePixel(surface, x, y, &r, &g, &b, &a);
                n += ((u32)r << 16 | (u32)g << 8 | b) == rgb;
            }
        return n;
    }
    void Save(const char* path) {
        SDL_FlushRenderer(gRenderer);
        SDL_SaveBMP(surface, path);
    }
};

constexpr u32 WHITE = 0xFFFFFF;
constexpr u32 RED = 0xFF0000;
constexpr u32 BACKGROUND = 0x212121;

// A fast generator with a fixed sequence for randomized tests, so that a failure repeats.
inline u32 XorShift(u32* s) {
    u32 x = *s;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *s = x;
}
// A float in [lo, hi).
inline f32 RandomF(u32* s, f32 lo, f32 hi) {
    return lo + (hi - lo) * (f32)(XorShift(s) >> 8) * (1.0f / 16777216);
}
