// libFuzzer targets drawing on the input: collision_fuzz, the unit tests' random cases; input_fuzz
// (INPUT_FUZZ), the soak's random play, a new game an input, ticks to one past its end (a let-go).
#include "../test_util.h"
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider bytes(data, size);
    auto next = [&] { return bytes.ConsumeIntegral<u32>(); }; // zeros past the end
#ifdef INPUT_FUZZ
    static bool started = SDL_AppInit(nullptr, 0, nullptr) == SDL_APP_CONTINUE &&
                          SDL_SetWindowSize(gWindow, 1000, 600);
    SDL_srand(0); // the same walls for the same input
    InitGameState();
    for (bool last = false; !last;) {
        last = bytes.remaining_bytes() == 0;
        if (!started || !RandomTick(next))
            abort();
    }
#else
    static Floor floor;
    gFloor = &floor;
    if (!SoundRandomCase(next))
        abort();
#endif
    return 0;
}
