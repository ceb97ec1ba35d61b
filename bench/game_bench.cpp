// What the game costs: one tick and one frame with every wall of the grid present, the
// collide-and-slide movement alone, and the catch-up after a ten-second stall.
#include "defs.h"

#define SDL_MAIN_HANDLED // the benchmark has its own main; SDL_EnterAppMainCallbacks is wanted
#include <SDL3/SDL_main.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

// A game past its opening countdown with all 144 walls standing and both hands free, driving
// forward while braking the left wheel, so that it turns and keeps running into walls.
static void StartBusyGame() {
    if (!gApp)
        gApp = (GameState*)malloc(sizeof(GameState));
    memset(gBindInfo, 0, sizeof(gBindInfo));
    InitGameState();
    memset(&gApp->floor, 1, sizeof(Floor));
    ItemSwap(1, 1); // the right hand's item to the far reserve slot
    KeyPressed(SDL_SCANCODE_W, 1);
    KeyPressed(SDL_SCANCODE_A, 1);
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

// A second of the game's own loop as SDL runs it: the four callbacks through
// SDL_EnterAppMainCallbacks, on SDL's dummy video and sound, a timer asking it to quit. The share
// of one core the process took over it (every thread's CPU time against the real time) is the
// counter: near 100 % if the loop spins, the cost of 60 ticks and frames if it waits between them.
static SDL_AppResult InitAndQuitInASecond(void** appstate, int argc, char* argv[]) {
    SDL_AddTimer(
        1000,
        [](void*, SDL_TimerID, u32) -> u32 {
            SDL_Event quit = {SDL_EVENT_QUIT};
            SDL_PushEvent(&quit);
            return 0;
        },
        nullptr);
    return SDL_AppInit(appstate, argc, argv);
}

static double Seconds(clockid_t clock) {
    timespec now;
    clock_gettime(clock, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

static void BM_LoopShareOfACore(benchmark::State& state) {
    SDL_SetHint(SDL_HINT_VIDEO_DRIVER, "dummy");
    SDL_SetHint(SDL_HINT_AUDIO_DRIVER, "dummy");
    const char* args[] = {"game"};
    double cpu = 0, real = 0;
    for (auto _ : state) {
        cpu -= Seconds(CLOCK_PROCESS_CPUTIME_ID), real -= Seconds(CLOCK_MONOTONIC);
        SDL_EnterAppMainCallbacks(1, (char**)args, InitAndQuitInASecond, SDL_AppIterate,
                                  SDL_AppEvent, SDL_AppQuit);
        cpu += Seconds(CLOCK_PROCESS_CPUTIME_ID), real += Seconds(CLOCK_MONOTONIC);
    }
    state.counters["core_share_pct"] = 100 * cpu / real;
}
BENCHMARK(BM_LoopShareOfACore)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
