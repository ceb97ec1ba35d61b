// libFuzzer target: casts and moves of any input are sound. The first byte picks the test and
// whether nine values come as raw floats or on a coarse grid, where exact corners and shared
// lines turn up; a move's floor takes its walls from the bits of the bytes after them.
#include "../test_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    f32 v[9] = {};
    for (size_t i = 0; i < 9 && size > 0; i++)
        if (data[0] & 4 && 1 + i < size)
            v[i] = (int8_t)data[1 + i] * 2.5f;
        else if (!(data[0] & 4) && 5 + 4 * i <= size)
            memcpy(&v[i], data + 1 + 4 * i, 4);
    static Floor floor;
    for (size_t i = 0; i < sizeof(Floor); i++)
        (&floor.vWalls[0][0])[i] = 37 + i / 8 < size && data[37 + i / 8] >> i % 8 & 1;
    gFloor = &floor;
    Ray ray = {{v[0], v[1]}, {v[2], v[3]}, {}, {0, (f32)(size > 0 && data[0] & 8)}, 0};
    Entity body = {
        {isfinite(v[0]) ? fmodf(v[0], 1185) : 0, isfinite(v[1]) ? fmodf(v[1], 825) : 0}, 0, 1};
    if (size > 0 && (data[0] & 3) < 3
            ? !SoundCast(data[0] & 3, &ray, {v[4], v[5], fabsf(v[6]), fabsf(v[7])}, fabsf(v[8]))
            : !SoundMove(&body, {v[2], v[3]}))
        abort();
    return 0;
}
