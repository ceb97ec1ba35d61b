// libFuzzer target: casts and moves of any input are sound (SoundCast, SoundMove). The first
// byte picks the test and whether values come raw or on a coarse grid, where exact corners and
// shared lines turn up; a move's floor takes its walls from the bytes after the values.
#include "../test_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    u8 mode = data[0];
    f32 v[9] = {};
    for (size_t i = 0; i < 9; i++)
        if (mode & 4 && 1 + i < size)
            v[i] = (int8_t)data[1 + i] * 2.5f;
        else if (!(mode & 4) && 5 + 4 * i <= size)
            memcpy(&v[i], data + 1 + 4 * i, 4);
    if ((mode & 3) < 3) {
        Ray ray = {{v[0], v[1]}, {v[2], v[3]}, {}, {0, (f32)(mode >> 3 & 1)}, 0};
        SDL_FRect rect = {v[4], v[5], fabsf(v[6]), fabsf(v[7])};
        if (!SoundCast(mode & 3, &ray, rect, fabsf(v[8])))
            abort();
        return 0;
    }
    static Floor floor;
    for (size_t i = 0; i < sizeof(Floor); i++)
        (&floor.vWalls[0][0])[i] = 37 + i / 8 < size && data[37 + i / 8] >> i % 8 & 1;
    gFloor = &floor;
    Entity body = {
        {isfinite(v[0]) ? fmodf(v[0], 1185) : 0, isfinite(v[1]) ? fmodf(v[1], 825) : 0}, 0, 1};
    if (!SoundMove(&body, {v[2], v[3]}))
        abort();
    return 0;
}
