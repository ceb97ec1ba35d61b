// One whole game, on a fixed layout and from a fixed script, computes the same bits on every
// build: the Linux program's, the Windows one's, the browser's, and clang's with FMA at hand.
#include "test_util.h"

// The keys held (w s a d q e and space, by their key codes), for so many ticks, the pointer there.
struct Play {
    const char* keys;
    int ticks;
    Vec2 pointer;
};

const Vec2 UP = {400, 100}, RIGHT = {700, 420}, LEFT = {100, 420}, UP_LEFT = {200, 200};

const Play kScript[] = {
    {"w", 300, UP},       // the item in the right hand leaves one wheel to drive: a circle
    {"d", 60, UP},        // fire it: pushed back down the screen, then coast
    {"e", 1, UP},         // the item to the reserve: both wheels free
    {"w", 400, UP},       // straight on, into a wall, and along it
    {"wa", 40, UP},       // brake the left wheel: veer left
    {"d", 60, UP},        // spin right in place
    {"w ", 900, RIGHT},   // drive, hopping toward the right now and then
    {"s", 300, UP},       // back up into whatever is behind
    {"q", 1, UP},         // the item from the reserve into the left hand
    {"a", 1, UP_LEFT},    // fire it
    {" ", 60, UP_LEFT},   // and hop at once: the push comes back
    {"wa", 800, LEFT},    // the right wheel drives, the left hand fires each time it cools
    {"wd", 300, UP},      // the free right side brakes: a tight circle
    {"q", 1, UP},         // the item back to the reserve
    {"w", 800, UP_LEFT},  // straight on, far
    {"ws", 100, UP},      // both drive keys: the wheels only slow
    {"e", 1, UP},         // the item into the right hand
    {"wd", 800, UP_LEFT}, // circling, firing each time it cools
    {"e", 1, UP},         // the item to the reserve again
    {"sd", 200, LEFT},    // back, veering
    {"w ", 874, RIGHT},   // a hopping drive to the end
};

// Folds every byte of the camera, the player and the inventory into h (FNV-1a); their padding
// stays zeroed throughout.
static void Digest(u32* h) {
    auto mix = [&](const void* p, size_t n) {
        for (size_t i = 0; i < n; i++)
            *h = (*h ^ ((const u8*)p)[i]) * 16777619u;
    };
    mix(&gApp->camera, sizeof(Vec2) + 2 * sizeof(f32)); // camera, zoom, cameraAngle
    mix(gPlayer, sizeof(Player));
    mix(gInventory, sizeof(Inventory));
}

TEST_F(GameFixture, AScriptedGameComputesTheSameBitsOnEveryBuild) {
    GenerateFloor(gFloor, 1);
    std::vector<u32> digests;
    u32 h = 2166136261u;
    int ticks = 0;
    for (const Play& play : kScript) {
        for (const char* k = play.keys; *k; k++)
            KeyPressed(*k, 1);
        for (int t = 0; t < play.ticks; t++) {
            Tick(1, play.pointer);
            Digest(&h);
            if (++ticks % 1000 == 0)
                digests.push_back(h);
        }
        for (const char* k = play.keys; *k; k++)
            KeyPressed(*k, 0);
    }
    // The digest of every tick so far, each thousand ticks: the first that differs tells in which
    // thousand this build went another way.
    EXPECT_EQ(digests, (std::vector<u32>{3730200183, 384749257, 1640976992, 1034607253, 2260687748,
                                         932159487}));
}
