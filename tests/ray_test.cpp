// The casts behind all collision: the contacts a body relies on, the misses that leave the
// record alone, and random casts that must never yield NaN or a normal that is not unit length.
#include "test_util.h"

#include <math.h>

enum CastKind { SEGMENT, CIRCLE, BODY }; // against a rectangle, a circle, a rectangle by a body

// A circle is given as the shape's corner and the radius.
static bool Cast(CastKind kind, Ray* r, const SDL_FRect& shape, f32 radius) {
    Circle circle = {{shape.x, shape.y}, radius};
    if (kind == SEGMENT)
        return RayIntersectRect(r, &shape);
    if (kind == CIRCLE)
        return RayIntersectCircle(r, &circle);
    return CircleRayIntersectRect(r, radius, &shape);
}

struct CastCase {
    CastKind kind;
    Vec2 start, end, carried; // carried: the normal an earlier hit left in the record
    SDL_FRect shape;
    bool hit;
    Vec2 at, normal; // the record expected after the cast
    f32 t;
};

TEST(Casts, ContactsAndMisses) {
    const f32 d = sqrtf(0.5f), cx = 50 - sqrtf(175); // cx: where the rounded corner is met
    const SDL_FRect box = {10, 0, 10, 10}, sq = {10, 10, 10, 10}, post = {50, 0, 10, 100};
    const SDL_FRect dot = {5, 0, 0, 0}; // the circle's centre; its radius is 2
    const CastCase cases[] = {
        {SEGMENT, {0, 5}, {20, 5}, {}, box, true, {10, 5}, {-1, 0}, 0.5f},
        {SEGMENT, {20, 5}, {0, 5}, {}, {-10, 0, 10, 10}, true, {0, 5}, {1, 0}, 1},
        {SEGMENT, {15, -10}, {15, 30}, {}, box, true, {15, 0}, {0, -1}, 0.25f},
        // Exactly through a corner: a carried normal is kept, a fresh record pushes back.
        {SEGMENT, {0, 0}, {20, 20}, {0, -1}, sq, true, {10, 10}, {0, -1}, 0.5f},
        {SEGMENT, {0, 0}, {20, 20}, {}, sq, true, {10, 10}, {-d, -d}, 0.5f},
        {SEGMENT, {20, 0}, {0, 20}, {}, {0, 10, 10, 10}, true, {10, 10}, {d, -d}, 0.5f},
        {CIRCLE, {0, 0}, {12, 0}, {}, dot, true, {3, 0}, {-1, 0}, 0.25f},
        {CIRCLE, {5, 0}, {6, 0}, {}, dot, true, {7, 0}, {1, 0}, 2}, // leaves past the end
        {BODY, {0, 50}, {60, 50}, {}, post, true, {30, 50}, {-1, 0}, 0.5f},
        {BODY, {0, -15}, {100, -15}, {}, post, true, {cx, -15}, {(cx - 50) / 20, -0.75f}, cx / 100},
        // Clips only the grown square's corner: no hit, the record keeps the square's contact.
        {BODY, {26, -25}, {36, -15}, {}, post, false, {31, -20}, {0, -1}, 0.5f},
    };
    for (const CastCase& k : cases) {
        SCOPED_TRACE(testing::Message() << k.kind << ": " << k.start.x << "," << k.start.y);
        Ray r = {k.start, k.end, {}, k.carried, 0};
        ASSERT_EQ(Cast(k.kind, &r, k.shape, k.kind == CIRCLE ? 2 : 20), k.hit);
        EXPECT_NEAR(r.hit.x, k.at.x, 1e-3);
        EXPECT_NEAR(r.hit.y, k.at.y, 1e-3);
        EXPECT_NEAR(r.normal.x, k.normal.x, 1e-4);
        EXPECT_NEAR(r.normal.y, k.normal.y, 1e-4);
        EXPECT_NEAR(r.t, k.t, 1e-4);
    }
    // Misses leave the record as it was. Against the box: beside it, from inside, short of it,
    // away from it, past its corner; zero length inside, outside and on a side's line; along the
    // top side's line, across the box or short of it. Then the circle's: away from its centre
    // from inside, and zero length at its centre and on its edge.
    const f32 misses[][4] = {{5, -10, 5, 30},  {15, 5, 30, 5}, {0, 5, 5, 5}, {0, 5, -20, 5},
                             {0, -30, 40, 10}, {15, 5, 15, 5}, {3, 3, 3, 3}, {10, 5, 10, 5},
                             {0, 0, 30, 0},    {0, 0, 5, 0},   {4, 0, 3, 0}, {5, 0, 5, 0},
                             {3, 0, 3, 0}};
    for (int n = 0; n < 13; n++) {
        const f32* m = misses[n];
        Ray r = {{m[0], m[1]}, {m[2], m[3]}, {7, 7}, {0, 1}, 0.7f}, before = r;
        EXPECT_FALSE(Cast(n < 10 ? SEGMENT : CIRCLE, &r, n < 10 ? box : dot, 2)) << n;
        EXPECT_EQ(memcmp(&r, &before, sizeof(Ray)), 0) << n;
    }
}

// Integer coordinates make axis-parallel, zero-length, on-the-side and corner casts common.
TEST(Casts, RandomCastsNeverYieldNaNOrABadNormal) {
    u32 s = 0x9E3779B9;
    int bad = 0;
    for (int n = 0; n < 1200000 && bad < 10; n++) {
        bool wide = XorShift(&s) % 4 == 0;
        auto coord = [&] { return wide ? RandomF(&s, -1500, 1500) : XorShift(&s) % 33 - 16.0f; };
        SDL_FRect shape = {coord() / 2, coord() / 2, 1 + fabsf(coord()), 1 + fabsf(coord())};
        Ray r = {{coord(), coord()}, {coord(), coord()}, {}, {}, 0};
        u32 mode = XorShift(&s) % 4;
        if (mode == 0) { // aimed exactly through one of the rectangle's corners
            f32 sx = XorShift(&s) % 2 ? 1 : -1, sy = XorShift(&s) % 2 ? 1 : -1;
            f32 a = 1 + XorShift(&s) % 9, b = XorShift(&s) % 9;
            Vec2 c = {shape.x + (sx < 0 ? shape.w : 0), shape.y + (sy < 0 ? shape.h : 0)};
            r.start = {c.x - sx * a, c.y - sy * a};
            r.end = {c.x + sx * b, c.y + sy * b};
        } else if (mode == 1) {
            r.end = r.start;
        }
        if (XorShift(&s) % 2)
            r.normal = {0, -1};
        CastKind kind = CastKind(n % 3);
        if (!Cast(kind, &r, shape, XorShift(&s) % 30))
            continue;
        f32 len = Magnitude(r.normal.x, r.normal.y);
        if (!isfinite(r.hit.x) || !isfinite(r.hit.y) || !isfinite(r.t) ||
            !(fabsf(len - 1) < 1e-4f) || (kind != CIRCLE && !(r.t >= 0 && r.t <= 1)))
            bad++, ADD_FAILURE() << "kind " << kind << " hit " << r.hit.x << "," << r.hit.y << " t "
                                 << r.t << " normal " << r.normal.x << "," << r.normal.y;
    }
}
