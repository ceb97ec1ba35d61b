// The collision test scene: a body's circle cast from a fixed point to the pointer against
// two fixed rectangles, with each hit outlined red, a mark along each accepted normal and
// the circle drawn where the cast stops. The game does not run meanwhile.
#include "defs.h"

#include <math.h>

constexpr f32 CAST_RADIUS = 20;
constexpr f32 NORMAL_MARK = 30;

static void SetHitColour(bool hit) {
    if (hit)
        SDL_SetRenderDrawColor(gRenderer, 255, 0, 0, 255);
    else
        SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
}

static void DrawNormalMark(const Ray* ray) {
    f32 heading = Atan2D(ray->normal.x, -ray->normal.y);
    DrawRotatedLine(ray->hit.x, ray->hit.y, NORMAL_MARK, heading);
}

void DrawDebug() {
    DrawDebugScene(ReadPointer());
}

void DrawDebugScene(Vec2 pointer) {
    static const f32 startX = 320;
    static const f32 startY = 240;

    SDL_SetRenderDrawColor(gRenderer, 33, 33, 33, 255);
    SDL_RenderClear(gRenderer);
    SDL_SetRenderDrawColor(gRenderer, 255, 0, 0, 255);
    SDL_RenderLine(gRenderer, pointer.x, pointer.y, startX, startY);

    Ray ray = {};
    ray.start = {startX, startY};
    ray.end = pointer;
    Circle circle = {pointer, CAST_RADIUS};
    SDL_FRect first = {400, 300, 100, 20};
    SDL_FRect second = {500, 250, 200, 200};
    f32 best = -1;

    bool hit1 = CircleRayIntersectRect(&ray, circle.radius, &first);
    SetHitColour(hit1);
    if (hit1) {
        best = ray.t;
        circle.pos = ray.hit;
        DrawNormalMark(&ray);
    }
    SDL_RenderRect(gRenderer, &first);

    // The same record again: a corner entry borrows the first hit's normal.
    bool hit2 = CircleRayIntersectRect(&ray, circle.radius, &second);
    SetHitColour(hit2);
    if (hit2 && (ray.t < best || best < 0)) {
        circle.pos = ray.hit;
        DrawNormalMark(&ray);
    }
    DrawCircle(&circle);
    SDL_RenderRect(gRenderer, &second);
    SDL_RenderPresent(gRenderer);
}
