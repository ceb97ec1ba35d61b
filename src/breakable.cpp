// Crates: breakable 40 by 40 boxes standing in the world. No level places any yet.
#include "defs.h"

constexpr f32 CRATE_SIDE = 40;

const Vec2 cratePlaces[6] = {{20, 30}, {30, -20}, {20, -70}, {-60, 30}, {-70, -20}, {-60, -70}};
const char* crateHitString = "cratehit";

static SDL_FRect sDebugRect;

void PlaceCrates() {}

void InitCrate(Crate* crate, Vec2 pos, u8 kind, i32 value) {
    crate->value = value;
    crate->kind = kind;
    crate->pos = pos;
    crate->active = 1;
}

void BreakCrate(Crate* crate) {
    crate->active = 0;
}

// pos is the crate's corner with the smallest coordinates.
SDL_FRect GetCrateRect(Crate* crate) {
    static SDL_FRect rect;
    rect = {crate->pos.x, crate->pos.y, CRATE_SIDE, CRATE_SIDE};
    return rect;
}

void DrawCrate(Crate* crate) {
    DrawInfo di = GetDrawInfo(&crate->pos);
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    sDebugRect = {di.pos.x, di.pos.y, CRATE_SIDE * di.scale, CRATE_SIDE * di.scale};
    DrawRotatedRect(&sDebugRect, di.angle);
}
