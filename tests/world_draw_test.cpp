// What the world and the collision scene put on screen, read back pixel by pixel.
#include "test_util.h"

#include <math.h>

using WorldDraw = GameFixture;

// Whether a pixel of the colour lies within a pixel of (x, y).
static bool Near(Canvas& c, u32 rgb, f32 x, f32 y) {
    int ix = (int)floorf(x), iy = (int)floorf(y);
    return c.Count(rgb, ix - 1, iy - 1, ix + 2, iy + 2) > 0;
}

// A view a quarter of a pixel per world unit, a little off the origin: the whole world shows.
static void WholeWorldView() {
    gApp->zoom = -2;
    gApp->camera = {100, -50};
}

TEST_F(WorldDraw, AnEmptyFloorDrawsOnlyTheBoundsAndTheOriginSquare) {
    ClearFloor();
    WholeWorldView();
    Canvas c;
    c.Clear();
    DrawFloor();
    // The bounds map to (73.75, 101.25) to (676.25, 523.75), the origin square around (375, 312.5):
    // inside a band around the bounds' outline only the square may show.
    int all = c.Count(WHITE), inner = c.Count(WHITE, 76, 104, 674, 521);
    EXPECT_EQ(all, c.Count(WHITE, 72, 99, 679, 526));
    EXPECT_GE(all - inner, 2 * 602 + 2 * 422);
    EXPECT_EQ(inner, c.Count(WHITE, 371, 308, 380, 317));
    EXPECT_GE(inner, 16);
}

TEST_F(WorldDraw, AKnownSeedDrawsItsWallsWhereTheViewMapsThem) {
    GenerateFloor(&gApp->floor, 20240611);
    WholeWorldView();
    Canvas c;
    c.Clear();
    DrawFloor();
    // Sampled halfway along a wall's long left or top side, where no other outline passes.
    auto drawn = [&](SDL_FRect r, bool vertical) {
        Vec2 corner = {r.x, r.y};
        DrawInfo at = GetDrawInfo(&corner);
        return Near(c, WHITE, at.pos.x + (vertical ? 0 : r.w / 2 * at.scale),
                    at.pos.y + (vertical ? r.h / 2 * at.scale : 0));
    };
    for (u8 i = 0; i < 8; i++)
        for (u8 j = 0; j < 9; j++) {
            EXPECT_EQ(drawn(GetVWallRect(i, j), true), gFloor->vWalls[i][j] != 0) << +i << +j;
            EXPECT_EQ(drawn(GetHWallRect(j, i), false), gFloor->hWalls[j][i] != 0) << +j << +i;
        }
}

// The cast from (320, 240) to the pointer: each outline is red when hit, a mark stands along
// the normal of each accepted hit, and the circle stands where the cast stops.
struct SceneCase {
    Vec2 pointer;
    u32 first, second; // outline colours, read on the first's bottom and the second's
    Vec2 marks[2];     // pixels on the expected normal marks, (0, 0) for none
    Vec2 circle;       // a pixel on the circle, drawn in the second outline's colour
    Vec2 noMark;       // where a mark must not be, (0, 0) for no such check
};

TEST(CollisionScene, OutlinesMarksAndCircleFollowTheCast) {
    const SceneCase cases[] = {
        {{320, 240}, WHITE, WHITE, {}, {320, 260}, {}},
        {{620, 340}, RED, RED, {{440, 265}}, {420, 280}, {465, 293.3f}},
        {{580, 300}, RED, RED, {{493.3f, 255}, {452, 276.9f}}, {480, 256.9f}, {}},
        {{600, 240}, WHITE, RED, {{461.0f, 227.5f}}, {482.7f, 260}, {}},
        {{460, 400}, RED, WHITE, {{360, 308.6f}}, {380, 328.6f}, {}},
    };
    for (const SceneCase& k : cases) {
        SCOPED_TRACE(testing::Message() << "pointer " << k.pointer.x << "," << k.pointer.y);
        Canvas c;
        DrawDebugScene(k.pointer);
        u32 other1 = k.first == RED ? WHITE : RED, other2 = k.second == RED ? WHITE : RED;
        EXPECT_TRUE(Near(c, k.first, 450, 319) && !Near(c, other1, 450, 319));
        EXPECT_TRUE(Near(c, k.second, 600, 449) && !Near(c, other2, 600, 449));
        for (Vec2 m : k.marks)
            EXPECT_TRUE(m.x == 0 || Near(c, RED, m.x, m.y)) << "mark at " << m.x << "," << m.y;
        EXPECT_TRUE(Near(c, k.second, k.circle.x, k.circle.y));
        EXPECT_TRUE(k.noMark.x == 0 || !Near(c, RED, k.noMark.x, k.noMark.y));
    }
}
