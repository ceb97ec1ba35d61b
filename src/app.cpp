// The game state and the scene driver: building the game, one tick of it, one frame of it,
// and the camera that follows the player.
#include "defs.h"

#include <stdio.h>
#include <string.h>

constexpr u64 CUTSCENE_TICKS = 30;

// The four hint lines, written as each frame is drawn: they name the controls of the input used
// last as the player sees them, each line the controls, then its action.
char hintStr1[16];
char hintStr2[16];
char hintStr3[16];
char hintStr4[16];

constexpr int HINT_ALIGN = 12; // the actions end in this column, as on a US keyboard "ws      move"
constexpr int HINT_MAX = sizeof(hintStr1) - 1; // a longer line's controls are cut to fit

struct HintLine {
    char* text;
    BindRow rows[2]; // whose controls it names, in this order; the same row twice: one control
    const char* action;
};
static const HintLine HINT_LINES[4] = {
    {hintStr1, {BIND_FORWARD, BIND_BACK}, "move"},
    {hintStr2, {BIND_SWAP1, BIND_SWAP0}, "item swap"},
    {hintStr3, {BIND_HOP, BIND_HOP}, "hop"},
    {hintStr4, {BIND_SIDE0, BIND_SIDE1}, "turn/use"},
};

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

// The hint lines from the name of each row's control. A pad's or the touch boxes' names each name
// one control, so a name given for both rows (a pad's stick) is shown once; keys' names run
// together when each is one character, as the key hints always did ("ws"), and two keys may share
// a name ("?"). Otherwise a space parts two names ("RB LB"). The action stands right-aligned in
// HINT_ALIGN characters, at least a space after the controls.
void WriteHints(const char* const names[BIND_COUNT], bool keys) {
    for (const HintLine& line : HINT_LINES) {
        const char* first = names[line.rows[0]];
        const char* second = names[line.rows[1]];
        char controls[48];
        if (line.rows[0] == line.rows[1] || (!keys && strcmp(first, second) == 0))
            SDL_strlcpy(controls, first, sizeof(controls));
        else
            snprintf(controls, sizeof(controls), "%s%s%s", first,
                     keys && strlen(first) == 1 && strlen(second) == 1 ? "" : " ", second);
        int action = strlen(line.action);
        int shown = SDL_min((int)strlen(controls), HINT_MAX - 1 - action);
        int width = SDL_max(HINT_ALIGN - action, shown + 1);
        snprintf(line.text, sizeof(hintStr1), "%-*.*s%s", width, shown, controls, line.action);
    }
}

// The hint lines for keys, from the key code each row's key has on the player's layout.
void WriteKeyHints(const SDL_Keycode keys[BIND_COUNT]) {
    char names[BIND_COUNT][16];
    const char* shown[BIND_COUNT];
    for (u8 row = 0; row < BIND_COUNT; row++) {
        NameKey(keys[row], names[row]);
        shown[row] = names[row];
    }
    WriteHints(shown, true);
}

// The controls of the input used last: a pad's by what its maker prints on them, the touch boxes'
// by their labels, and keys by the key the player's layout puts at each bound place, as SDL's
// keymap has it now (it follows a change of layout while playing).
static void WriteHintsForLastInput() {
    const char* names[BIND_COUNT];
    SDL_Gamepad* pad =
        gLastInput.kind == INPUT_PAD ? SDL_GetGamepadFromID(gLastInput.pad) : nullptr;
    if (gLastInput.kind == INPUT_FINGER || pad) {
        for (u8 row = 0; row < BIND_COUNT; row++)
            names[row] = pad ? PadControlName(pad, row) : TouchLabel(row);
        WriteHints(names, false);
        return;
    }
    SDL_Keycode keys[BIND_COUNT];
    for (u8 row = 0; row < BIND_COUNT; row++) {
        SDL_Scancode place = (SDL_Scancode)gBindInfo[row].binds[0].code;
        keys[row] = SDL_GetKeyFromScancode(place, SDL_KMOD_NONE, false);
    }
    WriteKeyHints(keys);
}

// The control hints, the room overlay and the tick counters, over everything else.
void DrawAppDebug() {
    // White like the counters: the slot display leaves black or red current, which would
    // all but hide the hints on the dark background.
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    WriteHintsForLastInput();
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
