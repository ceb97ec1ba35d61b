// The process entry: SDL's own main() for callback programs, which hands the command line to
// SDL_AppInit and the other callbacks in game_core. Kept out of game_core so that tests can
// link the callbacks without a second main().
#define SDL_MAIN_USE_CALLBACKS 1
#include <SDL3/SDL_main.h>
