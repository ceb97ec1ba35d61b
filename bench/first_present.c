/* Preloaded into the game by scripts/cost.sh: writes the wall-clock time of the first
   presented frame, in nanoseconds, to the file named by FIRST_PRESENT_FILE. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef struct SDL_Renderer SDL_Renderer;

bool SDL_RenderPresent(SDL_Renderer* renderer) {
    static bool (*real)(SDL_Renderer*);
    static int presented;
    if (!real)
        real = (bool (*)(SDL_Renderer*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    bool ok = real(renderer);
    if (!presented++) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        const char* path = getenv("FIRST_PRESENT_FILE");
        FILE* f = path ? fopen(path, "w") : NULL;
        if (f) {
            fprintf(f, "%lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
            fclose(f);
        }
    }
    return ok;
}
