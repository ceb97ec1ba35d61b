// The world: a 9 by 9 grid of rooms, 270 wide and 190 high, centred on the origin. Between
// neighbouring rooms a wall segment may stand; which ones do is drawn once from a seed.
#include "defs.h"

#include <string.h>

constexpr f32 ROOM_W = 270;
constexpr f32 ROOM_H = 190;
constexpr f32 WALL_HALF = 10; // walls are 20 thick and overhang each room corner by 10

const SDL_FRect boundary = {-1205, -845, 2410, 1690};
const SDL_FRect arbitrarytestingbox = {-10, -10, 20, 20};

Floor* gFloor;

static SDL_FRect sDebugRect;

SDL_FRect GetVWallRect(u8 i, u8 j) {
    return {((f32)i - 3.5f) * ROOM_W - WALL_HALF, ((f32)j - 4.5f) * ROOM_H - WALL_HALF,
            2 * WALL_HALF, ROOM_H + 2 * WALL_HALF};
}

SDL_FRect GetHWallRect(u8 i, u8 j) {
    return {((f32)i - 4.5f) * ROOM_W - WALL_HALF, ((f32)j - 3.5f) * ROOM_H - WALL_HALF,
            ROOM_W + 2 * WALL_HALF, 2 * WALL_HALF};
}

// Every interior segment stands with even odds; then the 3 by 3 block around the origin and
// one block picked at random lose their inner walls and become open halls. The draws come in
// a fixed order, so one seed always gives one layout.
void GenerateFloor(Floor* floor, u64 seed) {
    SDL_srand(seed);
    gFloor = floor;
    memset(floor, 0, sizeof(*floor));
    for (int i = 0; i < 8; i++)
        for (int j = 0; j < 9; j++)
            floor->vWalls[i][j] = SDL_rand(2) != 0;
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 8; j++)
            floor->hWalls[i][j] = SDL_rand(2) != 0;

    int a = 3 * SDL_rand(3);
    int b = 3 * SDL_rand(3);
    for (int k = 0; k < 3; k++) {
        floor->vWalls[a][b + k] = 0;
        floor->vWalls[a + 1][b + k] = 0;
        floor->vWalls[3][3 + k] = 0;
        floor->vWalls[4][3 + k] = 0;
    }
    for (int k = 0; k < 3; k++) {
        floor->hWalls[a + k][b] = 0;
        floor->hWalls[a + k][b + 1] = 0;
        floor->hWalls[3 + k][3] = 0;
        floor->hWalls[3 + k][4] = 0;
    }
}

void DrawFloor() {
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    DrawAlignedRect(&boundary);
    DrawAlignedRect(&arbitrarytestingbox);
    for (u8 i = 0; i < 8; i++) {
        for (u8 j = 0; j < 9; j++) {
            if (gFloor->vWalls[i][j]) {
                sDebugRect = GetVWallRect(i, j);
                DrawAlignedRect(&sDebugRect);
            }
        }
    }
    for (u8 i = 0; i < 9; i++) {
        for (u8 j = 0; j < 8; j++) {
            if (gFloor->hWalls[i][j]) {
                sDebugRect = GetHWallRect(i, j);
                DrawAlignedRect(&sDebugRect);
            }
        }
    }
}
