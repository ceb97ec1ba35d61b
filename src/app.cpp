// The game state and the scene driver: building the game, one tick of it, one frame of it,
// and the camera that follows the player.
#include "defs.h"

#include <string.h>

constexpr u64 CUTSCENE_TICKS = 30;

const char hintStr1[16] = "ws      move";
const char hintStr2[16] = "eq item swap";
const char hintStr3[16] = "space    hop";
const char hintStr4[16] = "ad  turn/use";

void InitGameState() {
    memset(gApp, 0, sizeof(*gApp));
    ResetBinds();
    gApp->camera = v2zero;
    gApp->zoom = 1.0f;
    InitPlayer(&gApp->player);
    InitInventory(&gApp->inventory);
    PlaceCrates();
    // The generator is not seeded before this: each run starts from a new layout.
    u64 seed = SDL_rand_bits();
    GenerateFloor(&gApp->floor, seed);
    gApp->cutsceneFrames = CUTSCENE_TICKS;
    gApp->mode = MODE_CUTSCENE;
}

void ClearGameState() {}

void Update(GameState* state) {
    PadAim(); // a stick pushed past its dead zone takes the pointer first
    state->mouse = ReadPointer();
    // The mode is read once: the tick that ends the cutscene still only moves the camera.
    switch (state->mode) {
    case MODE_PLAYING:
        UpdatePlaying();
        UpdateCamera();
        break;
    case MODE_CUTSCENE:
        UpdateCutscene();
        UpdateCamera();
        break;
    default:
        break;
    }
    TouchTicked(); // taps lifted before this tick let go, now that it has read them
    HearTick(state);
}

void UpdatePlaying() {
    UpdateInventory();
    if (gPlayer)
        UpdatePlayer();
    for (int i = 0; i < GOON_SLOTS; i++)
        if (gApp->goons[i].active)
            UpdateGoon(&gApp->goons[i]);
}

void UpdateCutscene() {
    if (gApp->cutsceneFrames != 0) {
        gApp->cutsceneFrames--;
        if (gApp->cutsceneFrames == 0)
            gApp->mode = MODE_PLAYING;
    }
}

void Draw(GameState* state, SDL_Renderer* renderer) {
    SDL_SetRenderDrawColor(renderer, 33, 33, 33, 255);
    SDL_RenderClear(renderer);
    DrawFloor();
    DrawPlayer();
    DrawInventory();
    for (int i = 0; i < CRATE_SLOTS; i++)
        if (state->crates[i].active)
            DrawCrate(&state->crates[i]);
    for (int i = 0; i < GOON_SLOTS; i++)
        if (state->goons[i].active)
            DrawGoon(&state->goons[i]);
    DrawDebugBegin();
    DrawAppDebug();
    DrawSoundOff();
    DrawTouchControls();
    SDL_RenderPresent(renderer);
}

// The control hints, the room overlay and the tick counters, over everything else.
void DrawAppDebug() {
    // White like the counters: the slot display leaves black or red current, which would
    // all but hide the hints on the dark background.
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    DrawDebugText(hintStr1);
    DrawDebugText(hintStr2);
    DrawDebugText(hintStr3);
    DrawDebugText(hintStr4);
    DrawPlayerDebug();
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    DrawDebugInt((i32)mTicks);
    DrawDebugInt((i32)(mTicks / 60));
}

// ---- Camera ----------------------------------------------------------------------------

// Pixels per world unit: the zoom itself from 1 up, shrinking toward 0 below it.
f32 ZoomScale(f32 zoom) {
    if (zoom >= 1)
        return zoom;
    return 1 / (2 - zoom);
}

// The view turns with the player and stands a fixed distance ahead of it on screen, so the
// player is always drawn at the same place, facing up.
void UpdateCamera() {
    if (!gPlayer)
        return;
    gApp->cameraAngle = gPlayer->facing;
    f32 scale = ZoomScale(gApp->zoom);
    gApp->camera = Vec2AddVec2(gPlayer->pos, Rotate(LOOK_AHEAD / scale, gApp->cameraAngle));
}
