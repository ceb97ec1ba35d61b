// libFuzzer targets, their values drawn from the input: collision_fuzz, the random cases of the
// unit tests; input_fuzz (built with INPUT_FUZZ), the soak's random play, each input a new game in
// the window SDL opened for the first, tick after tick and one past the input's end (a let-go).
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
