// libFuzzer target: the random cases of the unit tests, their values drawn from the input.
#include "../test_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Floor floor;
    gFloor = &floor;
    auto next = [&] { // four bytes at a time, zeros past the end
        u32 v = 0, n = size < 4 ? size : 4;
        memcpy(&v, data, n);
        data += n;
        size -= n;
        return v;
    };
    if (!SoundRandomCase(next))
        abort();
    return 0;
}
