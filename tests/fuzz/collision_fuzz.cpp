// Fuzz target for the casts and the collide-and-slide movement. Whatever the input, a hit has
// a finite point and fraction and a unit normal, a segment hit lies within the segment, a miss
// leaves the record as it was, and a moved body stays finite and inside the world.
#include "defs.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

struct Input {
    const uint8_t* data;
    size_t size;
    bool coarse; // values on a coarse grid, so that exact corners and shared lines turn up

    uint8_t Byte() {
        if (size == 0)
            return 0;
        size--;
        return *data++;
    }
    f32 Float() {
        if (coarse)
            return (int8_t)Byte() * 2.5f;
        uint32_t bits = 0;
        for (int i = 0; i < 4; i++)
            bits = bits << 8 | Byte();
        f32 f;
        memcpy(&f, &bits, sizeof(f));
        return f;
    }
    Vec2 Point() {
        f32 x = Float();
        return {x, Float()};
    }
};

static void Require(bool ok) {
    if (!ok)
        abort();
}

static bool Finite(Vec2 v) {
    return isfinite(v.x) && isfinite(v.y);
}

static void CheckHit(const Ray& ray) {
    Require(Finite(ray.hit) && isfinite(ray.t));
    Require(fabsf(Vec2Magnitude(ray.normal) - 1) < 1e-4f);
}

// Callers clear the record, and may reuse it after a hit, so it carries no normal or a unit one.
static Vec2 CarriedNormal(uint8_t choice) {
    static const Vec2 normals[] = {{0, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}, {0.6f, -0.8f}};
    return normals[choice % 6];
}

static void FuzzCast(Input& in, uint8_t kind) {
    Ray ray = {};
    ray.start = in.Point();
    ray.end = in.Point();
    ray.normal = CarriedNormal(in.Byte());
    Ray before = ray;
    if (kind == 0) {
        SDL_FRect rect = {in.Float(), in.Float(), fabsf(in.Float()), fabsf(in.Float())};
        if (RayIntersectRect(&ray, &rect)) {
            CheckHit(ray);
            Require(ray.t >= 0 && ray.t <= 1);
        } else {
            Require(memcmp(&ray, &before, sizeof(ray)) == 0);
        }
    } else if (kind == 1) {
        Circle circle = {in.Point(), fabsf(in.Float())};
        if (RayIntersectCircle(&ray, &circle))
            CheckHit(ray);
        else
            Require(memcmp(&ray, &before, sizeof(ray)) == 0);
    } else {
        f32 radius = fabsf(in.Float());
        SDL_FRect rect = {in.Float(), in.Float(), fabsf(in.Float()), fabsf(in.Float())};
        if (CircleRayIntersectRect(&ray, radius, &rect))
            CheckHit(ray);
    }
}

// A body anywhere within the world, on a floor of any walls, moved by anything at all.
static void FuzzMove(Input& in) {
    static Floor floor;
    uint8_t* cells = &floor.vWalls[0][0];
    for (int i = 0; i < (int)sizeof(Floor); i += 8) {
        uint8_t bits = in.Byte();
        for (int b = 0; b < 8; b++)
            cells[i + b] = bits >> b & 1;
    }
    gFloor = &floor;
    Entity body = {};
    body.pos = in.Point();
    if (!isfinite(body.pos.x) || !isfinite(body.pos.y))
        body.pos = v2zero;
    body.pos.x = fmodf(body.pos.x, 1185);
    body.pos.y = fmodf(body.pos.y, 825);
    Vec2 start = body.pos;
    Vec2 displacement = in.Point();
    MoveCollideStep(&body, displacement);
    Require(Finite(body.pos) && fabsf(body.pos.x) <= 1185 && fabsf(body.pos.y) <= 825);
    if (!Finite(displacement) || (displacement.x == 0 && displacement.y == 0))
        Require(body.pos.x == start.x && body.pos.y == start.y);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in = {data, size, false};
    uint8_t mode = in.Byte();
    in.coarse = mode & 0x10;
    if ((mode & 3) == 3)
        FuzzMove(in);
    else
        FuzzCast(in, mode & 3);
    return 0;
}
