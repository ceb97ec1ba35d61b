// Objects in the world: the view transform that places any world point on the screen, world
// rectangles drawn through it, and the collide-and-slide movement of a round body.
//
// MoveCollideStep takes an entity and one tick's displacement and leaves the entity where its
// body of radius 20 ends after sliding along the walls it touches, inside the world bounds.
#include "defs.h"

#include <math.h>

constexpr f32 SCREEN_CENTER_X = LOGICAL_W / 2;
constexpr f32 SCREEN_CENTER_Y = LOGICAL_H / 2;

constexpr f32 BODY_RADIUS = 20;
constexpr f32 SLIDE_LIFT = 0.01f; // keeps a slid body off the surface it slid along
constexpr f32 LIMIT_X = 1185;     // the world bounds less the body's radius
constexpr f32 LIMIT_Y = 825;

static SDL_FRect sDebugRect;

DrawInfo GetDrawInfo(const Vec2* p) {
    f32 scale = ZoomScale(gApp->zoom);
    Vec2 d = Vec2SubVec2(*p, gApp->camera);
    f32 heading = Atan2D(d.x, -d.y);
    f32 len = Magnitude(d.x, d.y) * scale;
    Vec2 r = Rotate(len, heading - gApp->cameraAngle);
    DrawInfo info;
    info.pos = {r.x + SCREEN_CENTER_X, r.y + SCREEN_CENTER_Y};
    info.scale = scale;
    info.angle = -gApp->cameraAngle;
    return info;
}

void DrawAlignedRect(const SDL_FRect* r) {
    sDebugRect = *r;
    Vec2 corner = {sDebugRect.x, sDebugRect.y};
    DrawInfo info = GetDrawInfo(&corner);
    sDebugRect.x = info.pos.x;
    sDebugRect.y = info.pos.y;
    sDebugRect.w = sDebugRect.w * info.scale;
    sDebugRect.h = sDebugRect.h * info.scale;
    DrawRotatedRect(&sDebugRect, info.angle);
}

void InitEntity(Entity* entity, Vec2 pos, i32 tag) {
    entity->active = 1;
    entity->pos = pos;
    entity->tag = tag;
}

// One cast of the body against one wall. On contact the planned end is bent: the motion's
// component into the wall is dropped from the contact on, and the end is lifted off the wall.
static void SlideAgainst(Ray* ray, const SDL_FRect* wall) {
    if (!CircleRayIntersectRect(ray, BODY_RADIUS, wall))
        return;
    Vec2 d = Vec2SubVec2(ray->end, ray->start);
    f32 k = Dot(d, ray->normal);
    Vec2 along = Vec2SubVec2(d, Vec2Scale(ray->normal, k));
    ray->end.x = (ray->hit.x + (1 - ray->t) * along.x) + SLIDE_LIFT * ray->normal.x;
    ray->end.y = (ray->hit.y + (1 - ray->t) * along.y) + SLIDE_LIFT * ray->normal.y;
}

// A single pass: every wall is cast against once, in a fixed order, each from the old position
// to the end left by the slides before it. Bodies already inside a grown wall are let through.
void MoveCollideStep(Entity* entity, Vec2 displacement) {
    // No motion, or none a float can follow: the body stays where it is.
    if (displacement.x == 0 && displacement.y == 0)
        return;
    if (!isfinite(displacement.x) || !isfinite(displacement.y))
        return;

    Vec2 target = Vec2AddVec2(entity->pos, displacement);
    Ray ray = {entity->pos, target, target, v2zero, 0};

    for (u8 j = 0; j < 9; j++) {
        for (u8 i = 0; i < 8; i++) {
            if (gFloor->vWalls[i][j]) {
                SDL_FRect wall = GetVWallRect(i, j);
                SlideAgainst(&ray, &wall);
            }
        }
    }
    for (u8 i = 0; i < 9; i++) {
        for (u8 j = 0; j < 8; j++) {
            if (gFloor->hWalls[i][j]) {
                SDL_FRect wall = GetHWallRect(i, j);
                SlideAgainst(&ray, &wall);
            }
        }
    }
    SlideAgainst(&ray, &arbitrarytestingbox);

    if (ray.end.x < -LIMIT_X)
        ray.end.x = -LIMIT_X;
    else if (ray.end.x > LIMIT_X)
        ray.end.x = LIMIT_X;
    if (ray.end.y < -LIMIT_Y)
        ray.end.y = -LIMIT_Y;
    else if (ray.end.y > LIMIT_Y)
        ray.end.y = LIMIT_Y;
    entity->pos = ray.end;
}
