// Sines, cosines and arc tangents are taken in double on widened floats and rounded once: each
// site below has an input on which float evaluation lands a float away. The expected values
// were worked out apart from the game, in double by the stated formula, and compare with ==.
#include "test_util.h"

std::vector<SDL_FRect> gLines; // every SDL_RenderLine call, as x1, y1 and x2, y2

extern "C" bool __real_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2);
extern "C" bool __wrap_SDL_RenderLine(SDL_Renderer* r, float x1, float y1, float x2, float y2) {
    gLines.push_back({x1, y1, x2, y2});
    return __real_SDL_RenderLine(r, x1, y1, x2, y2);
}

static void ExpectLineEnd(size_t line, f32 x, f32 y) {
    ASSERT_GT(gLines.size(), line);
    EXPECT_EQ(gLines[line].w, x) << "line " << line;
    EXPECT_EQ(gLines[line].h, y) << "line " << line;
}

TEST_F(GameFixture, EverySineCosineAndArcTangentIsTakenInDouble) {
    Vec2 r = Rotate(26.3624783f, 5.2204051f);
    EXPECT_TRUE(r.x == -0x1.7087f6p+4f && r.y == -0x1.9a5d54p+3f);
    EXPECT_EQ(GetAngleDiff(0, 0x1.8ab4c8p+2f), -0x1.dabafep-4f);

    gApp->camera = {10, -20};
    gApp->cameraAngle = -0x1.40a15p+0f;
    Vec2 p = {-259, 205};
    DrawInfo at = GetDrawInfo(&p);
    EXPECT_TRUE(at.pos.x == 0x1.98721p+6f && at.pos.y == 0x1.cbbf54p+6f);

    // The player facing 0.009 at (400, 420) on screen; the free left wheel spins back.
    gPlayer->facing = 0.009f;
    UpdateCamera();
    KeyPressed('a', 1);
    Tick(1, {401, 1});
    EXPECT_EQ(gPlayer->facing, -0x1.caaaaep-9f);
    KeyPressed('a', 0);
    InitPlayer(gPlayer);
    UpdateCamera();
    Tick(1, {401, 1});
    EXPECT_EQ(gPlayer->aim, 0x1.38d206p-9f);

    gApp->camera = v2zero;
    gApp->cameraAngle = 0;
    Goon goon = {{{-400, -300}, 0, 1}, {-420, -326}, GOON_CHASING, 0};
    SDL_FRect rect = {0.5f, 0.25f, 30, 40};
    Circle circle = {{0, 0}, 20};
    gLines.clear();
    DrawGoon(&goon);
    ExpectLineEnd(0, -0x1.863702p+3f, -0x1.fb4784p+3f);
    DrawRotatedRect(&rect, 0x1.22f57cp-1f);
    ExpectLineEnd(1, 0x1.9c8ec6p+4f, 0x1.0653dp+4f);
    ExpectLineEnd(2, -0x1.506fb6p+4f, 0x1.0fb488p+5f);
    SDL_srand(7);
    DrawCircle(&circle);
    ExpectLineEnd(5, 0x1.9078e2p+1f, 0x1.3c0f6ep+4f);
    EXPECT_TRUE(gLines[6].x == 0x1.9078e2p+1f && gLines[6].y == 0x1.3c0f6ep+4f); // side 2 goes on
    gLines.clear();
    DrawDebugScene({565, 243}); // a corner of the second rectangle: the mark after the pointer line
    ExpectLineEnd(1, 0x1.c6324ep+8f, 0x1.cbe608p+7f);
}
