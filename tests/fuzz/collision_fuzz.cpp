// libFuzzer target: the random cases of the unit tests, their values drawn from the input.
#include "../test_util.h"

struct Bytes {
    const uint8_t* data;
    size_t size;
    u32 operator()() {
        u32 v = 0;
        for (int i = 0; i < 4 && size > 0; i++, size--)
            v = v << 8 | *data++;
        return v;
    }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Floor floor;
    gFloor = &floor;
    Bytes next = {data, size};
    if (!SoundRandomCase(next))
        abort();
    return 0;
}
