// What the game costs: one tick and one frame with every wall of the grid present, the
// collide-and-slide movement alone, and the catch-up after a ten-second stall.
#include "defs.h"

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>

// A game past its opening countdown with all 144 walls standing and both hands free, driving
// forward while braking the left wheel, so that it turns and keeps running into walls.
static void StartBusyGame() {
    if (!gApp)
        gApp = (GameState*)malloc(sizeof(GameState));
    memset(gBindInfo, 0, sizeof(gBindInfo));
    InitGameState();
    memset(&gApp->floor, 1, sizeof(Floor));
    ItemSwap(1, 1); // the right hand's item to the far reserve slot
    KeyPressed('w', 1);
    KeyPressed('a', 1);
    while (gApp->mode != MODE_PLAYING)
        Update(gApp);
}

static void BM_Tick(benchmark::State& state) {
    StartBusyGame();
    for (auto _ : state)
        Update(gApp);
}
BENCHMARK(BM_Tick);

static void BM_MoveCollideStep(benchmark::State& state) {
    StartBusyGame();
    Entity body = {};
    for (auto _ : state) {
        body.pos = {100, 50}; // in the room at the origin, sliding into its right wall
        MoveCollideStep(&body, {30, 12});
        benchmark::DoNotOptimize(body.pos);
    }
}
BENCHMARK(BM_MoveCollideStep);

static void BM_Frame(benchmark::State& state) {
    StartBusyGame();
    SDL_Surface* surface = SDL_CreateSurface(LOGICAL_W, LOGICAL_H, SDL_PIXELFORMAT_XRGB8888);
    gRenderer = SDL_CreateSoftwareRenderer(surface);
    for (auto _ : state)
        Draw(gApp, gRenderer);
    SDL_DestroyRenderer(gRenderer);
    gRenderer = nullptr;
    SDL_DestroySurface(surface);
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond);

// The ticks one iterate runs after a ten-second stall.
static void BM_CatchUp600(benchmark::State& state) {
    StartBusyGame();
    for (auto _ : state)
        for (int i = 0; i < 600; i++)
            Update(gApp);
}
BENCHMARK(BM_CatchUp600)->Unit(benchmark::kMicrosecond);

// 1,024 frames of sound with every voice sounding, each started afresh: play beginning with a
// knock on a wall and the scrape along it, then both hands' strongest use, both swaps, a hop and
// both wheels spinning free. Each tick is heard as it comes, as the game's are.
static void BM_Mix(benchmark::State& state) {
    StartBusyGame();
    SDL_AudioSpec format = {SDL_AUDIO_F32, 2, 48000};
    SDL_AudioStream* stream = SDL_CreateAudioStream(&format, &format);
    StartSound(stream);
    static f32 frames[2 * 1024];
    auto hear = [&](int n) { // a tick, then n frames mixed
        HearTick(gApp);
        SDL_GetAudioStreamData(stream, frames, n * sizeof(f32[2]));
    };
    for (auto _ : state) {
        *gPlayer = {}; // at rest, touching nothing
        *gInventory = {};
        hear(1);
        gApp->mode = MODE_CUTSCENE;
        hear(1);
        gApp->mode = MODE_PLAYING;
        gPlayer->vel = {30, 30}; // held back 30 a tick, sliding 30
        gPlayer->pos.y = 30;
        hear(1);
        gInventory->slots[0] = gInventory->slots[1] = {12, 12, 3};
        gPlayer->swapCooldown[0] = gPlayer->swapCooldown[1] = 40;
        gPlayer->wheelSpeed[0] = gPlayer->wheelSpeed[1] = 2;
        gPlayer->hopping = 1;
        hear(1024);
    }
    CloseSound();
}
BENCHMARK(BM_Mix)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
