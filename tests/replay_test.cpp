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
    {"d", 1, UP},         // fire it: pushed back down the screen
    {"", 60, UP},         // coast
    {"e", 1, UP},         // the item to the reserve: both wheels free
    {"w", 200, UP},       // straight on, into a wall, and along it
    {"wa", 40, UP},       // brake the left wheel: veer left
    {"w", 150, UP},       // on into the next wall at a slant, sliding
    {"d", 60, UP},        // spin right in place
    {"w ", 300, RIGHT},   // drive, hopping toward the right now and then
    {"s", 150, UP},       // back up into whatever is behind
    {"a", 40, UP},        // spin left
    {"q", 1, UP},         // the item from the reserve into the left hand
    {"a", 1, UP_LEFT},    // fire it
    {" ", 1, UP_LEFT},    // and hop at once: the push comes back
    {"", 60, UP},         // coast
    {"wa", 500, LEFT},    // the right wheel drives, the left hand fires each time it cools
    {"wd", 150, UP},      // the free right side brakes: a tight circle
    {"ad", 40, RIGHT},    // fire while the right wheel brakes
    {"q", 1, UP},         // the item back to the reserve
    {"w", 200, UP_LEFT},  // straight on
    {"wd", 40, UP},       // veer right
    {"w", 150, UP},       // on
    {"sa", 60, UP},       // back, veering
    {"w ", 500, UP},      // hops held through a long drive
    {"a", 80, UP},        // spin left
    {"ws", 100, UP},      // both drive keys: the wheels only slow
    {"s", 200, RIGHT},    // back
    {"d", 30, UP},        // spin right
    {"w", 200, UP},       // on
    {"e", 1, UP},         // the item into the right hand
    {"wd", 600, UP_LEFT}, // circling, firing each time it cools
    {"e", 1, UP},         // the item to the reserve again
    {"w", 120, UP},       // straight
    {"sd", 60, LEFT},     // back, veering the other way
    {"w", 150, UP},       // straight
    {"a", 25, UP},        // a quarter turn left
    {"w ", 400, RIGHT},   // hopping drive
    {"d", 50, UP},        // spin right
    {"w", 200, UP},       // on
    {"wa", 100, UP},      // veer left
    {"s", 150, UP_LEFT},  // back
    {"w", 527, UP},       // and on to the end
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
    GenerateFloor(gFloor, 20240611);
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
    EXPECT_EQ(digests, (std::vector<u32>{738151019, 1028253882, 2794639952, 2789864027, 2309516550,
                                         824627249}));
}
