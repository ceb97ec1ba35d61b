// A scripted game computes the same bits on every build (Linux, Windows, web, FMA) and layout.
#include "test_util.h"

const Vec2 UP = {400, 100}, RIGHT = {700, 420}, LEFT = {100, 420}, UP_LEFT = {200, 200};

// The keys held (at the places of w s a d q e and space), for so many ticks, the pointer there.
const std::tuple<const char*, int, Vec2> kScript[] = {
    {"w", 300, UP},      // the item in the right hand leaves one wheel to drive: a circle
    {"d", 60, UP},       // fire it: pushed back down the screen, then coast
    {"e", 1, UP},        // the item to the reserve: both wheels free
    {"w", 600, UP},      // straight on, into a wall, and along it
    {"wa", 40, UP},      // brake the left wheel: veer left
    {"wsd", 60, UP},     // the drive keys cancel: d spins the body right in place
    {"w ", 900, RIGHT},  // drive, hopping toward the right now and then
    {"sd", 300, UP},     // back up, braking the right wheel, into whatever is behind
    {"q", 1, UP},        // the item from the reserve into the left hand
    {"a ", 60, UP_LEFT}, // fire it and hop at once: the push comes back
    {"wa", 1400, LEFT},  // the right wheel drives, the left hand fires each time it cools
    {"w ", 2278, RIGHT}, // a hopping drive to the end
};

// Every byte of the camera, player and inventory after each tick folded into a digest (FNV-1a),
// read every thousand ticks, while the sound listens and its device mixes. Keys as each layout
// reports them, each let go of under the next (as if it changed meanwhile), play the same game.
TEST_F(GameFixture, AScriptedGameComputesTheSameBitsOnEveryBuildAndLayout) {
    for (int l = 0; l < 4; l++, SetUp()) {
        GenerateFloor(gFloor, 1);
        OpenSound();
        std::vector<u32> digests;
        u32 h = 2166136261u;
        auto mix = [&](const void* p, size_t n) {
            for (size_t i = 0; i < n; i++)
                h = (h ^ ((const u8*)p)[i]) * 16777619u;
        };
        for (int ticks = 0; const auto& [keys, length, pointer] : kScript) {
            for (const char* k = keys; *k; k++)
                Send(KeyAt(SDL_EVENT_KEY_DOWN, *k, LAYOUTS[l]));
            for (int t = 0; t < length; t++) {
                Tick(1, pointer);
                HearTick(gApp);
                mix(&gApp->camera, sizeof(Vec2) + 2 * sizeof(f32)); // camera, zoom, cameraAngle
                mix(gPlayer, sizeof(Player));
                mix(gInventory, sizeof(Inventory));
                if (++ticks % 1000 == 0)
                    digests.push_back(h);
            }
            for (const char* k = keys; *k; k++)
                Send(KeyAt(SDL_EVENT_KEY_UP, *k, LAYOUTS[(l + 1) % 4]));
        }
        CloseSound();
        EXPECT_EQ(digests, (std::vector<u32>{731074955, 441575606, 500610764, 4036300035,
                                             3040272348, 1835879347}))
            << LAYOUTS[l];
    }
}
