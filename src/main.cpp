// The application shell: SDL's four callbacks, the command-line switch, the window, and the
// frame clock that turns SDL's millisecond clock into fixed ticks of 1/60 s.
#include "defs.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

GameState* gApp;
SDL_Window* gWindow;
SDL_Renderer* gRenderer;
u8 debug;
u64 mTicks;

static const char* s = "-debug";
static const char* title = "Sliding along walls, still phasing into corners.";
static const char* debugtitle = "RAYTRACING-BASED COLLISION LOOKS FINE, RIGHT?? RIGHT???";

constexpr f32 ZOOM_STEP = 0.2f; // per unit of wheel movement, and per d-pad press
// The zoom's bound either way, five million notches out or in: beyond any player's scrolling (the
// world a millionth of its size, or a million times), and well within what keeps the camera,
// LOOK_AHEAD pixels over the zoom's scale ahead of the player, finite whatever a wheel reports.
constexpr f32 ZOOM_LIMIT = 1e6f;

#ifndef SDL_PLATFORM_EMSCRIPTEN
// SDL runs the callbacks at most so many times a second and sleeps between them, rather than
// spin a core. Four passes a tick: a tick runs, and its frame is drawn, within a quarter of a tick
// (4.2 ms) of the clock making it due; two due ticks share a frame only when a pass comes three
// quarters of a tick late; and a key, handled at the first pass after it comes, is read by the
// same tick as in a spinning loop, at most 4.2 ms later. A player's SDL_MAIN_CALLBACK_RATE still
// wins: SDL refuses a hint of normal priority while its variable is set. A browser paces the web's
// loop itself.
constexpr char LOOP_RATE[] = "240";
#endif

// A browser readies its sound for a few hundred milliseconds when the game opens it, holding the
// page up meanwhile; and it plays nothing before the player's first touch, key or click anyway.
// So on the web the sound opens at the pass after the one that drew the first frame (whose end
// puts that frame on the screen): the player sees the game first.
static bool sSoundOwed;
static bool sFrameDrawn;

// A start-up failure is printed on standard output. A Windows player starts the game from
// Explorer, where no console shows that, so there it also comes up in a message box, in words
// for the player and with SDL's reason.
static void StartFailed(const char* printed, const char* shown) {
    printf("%s", printed);
#ifdef SDL_PLATFORM_WINDOWS
    char text[512];
    SDL_snprintf(text, sizeof(text), "%s\n\n%s", shown, SDL_GetError());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Wheels could not start", text, nullptr);
#else
    (void)shown;
#endif
}

// Ticks due after ms milliseconds. The quotient stays in double: rounded to a float it would
// come out a tick early at times (4369083 ms is 262144.99 ticks, not 262145).
u64 TickTarget(u64 ms) {
    return (f32)ms / (double)TICK_MS;
}

// A machine with no sound card or server plays as well, silently.
static void OpenSoundOwed() {
    sSoundOwed = false;
    if (!OpenSound())
        printf("audio init fail, playing without sound\n");
}

SDL_AppResult SDL_AppInit(void** appstate, int argc, char* argv[]) {
    (void)appstate;
#ifndef SDL_PLATFORM_EMSCRIPTEN
    SDL_SetHint(SDL_HINT_MAIN_CALLBACK_RATE, LOOP_RATE);
#endif
    debug = argc > 1 && strcmp(argv[1], s) == 0;
    mTicks = 0;
    gApp = (GameState*)malloc(sizeof(GameState));
    if (!gApp)
        return SDL_APP_FAILURE;
    InitGameState();

    if (!SDL_Init(SDL_INIT_VIDEO)) {
        StartFailed("video init fail", "The display could not be opened.");
        return SDL_APP_FAILURE;
    }
    // Keys and the mouse play without pads, so pads that cannot start are only mentioned.
    if (!SDL_InitSubSystem(SDL_INIT_GAMEPAD))
        printf("gamepad init fail, playing without pads\n");
#ifdef SDL_PLATFORM_EMSCRIPTEN
    // The renderer reads no depth, and a browser would make and clear a depth buffer the canvas's
    // size before the first frame: tens of milliseconds for a phone's screen drawn in software.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
#endif
    // At the screen's own pixels on a dense screen; the window's size stays in its own units,
    // which the pointer and the fingers are mapped from.
    if (!SDL_CreateWindowAndRenderer(debug ? debugtitle : title, LOGICAL_W, LOGICAL_H,
                                     SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIGH_PIXEL_DENSITY, &gWindow,
                                     &gRenderer)) {
        StartFailed("winrender create failiure", "The game window could not be opened.");
        return SDL_APP_FAILURE;
    }
    SDL_SetRenderLogicalPresentation(gRenderer, LOGICAL_W, LOGICAL_H,
                                     SDL_LOGICAL_PRESENTATION_LETTERBOX);
    sFrameDrawn = false;
#ifdef SDL_PLATFORM_EMSCRIPTEN
    sSoundOwed = true;
#else
    OpenSoundOwed();
#endif
    return SDL_APP_CONTINUE;
}

// A wheel notch, a d-pad press or a touch on a zoom box. A step that would take the zoom past
// ZOOM_LIMIT either way, or that is not a number, is not heard.
void Zoom(f32 notches) {
    if (!gApp)
        return;
    f32 zoom = gApp->zoom + notches * ZOOM_STEP;
    if (fabsf(zoom) <= ZOOM_LIMIT) // false for NaN too
        gApp->zoom = zoom;
}

// Events only record input; the next tick acts on it. SDL also reports every touch as the mouse:
// those reports are left out, so that a finger is heard once, as a finger. A key, a button or the
// mouse's motion makes keys and the mouse the input used last.
SDL_AppResult SDL_AppEvent(void* appstate, SDL_Event* event) {
    (void)appstate;
    switch (event->type) {
    case SDL_EVENT_QUIT:
        return SDL_APP_SUCCESS;
    case SDL_EVENT_KEY_DOWN:
        gLastInput = {INPUT_MOUSE, 0};
        // M names a word, sound, so it goes by its letter wherever the layout puts it; the
        // bindings go by the key's place.
        if (event->key.key == SDLK_M && !event->key.repeat) // once a press, however long held
            ToggleSound();
        KeyPressed(event->key.scancode, 1);
        break;
    case SDL_EVENT_KEY_UP:
        KeyPressed(event->key.scancode, 0);
        break;
    case SDL_EVENT_MOUSE_BUTTON_DOWN:
        if (event->button.which == SDL_TOUCH_MOUSEID)
            break;
        gLastInput = {INPUT_MOUSE, 0};
        MouseDownSearch(event->button.button, 1);
        break;
    case SDL_EVENT_MOUSE_BUTTON_UP:
        if (event->button.which != SDL_TOUCH_MOUSEID)
            MouseDownSearch(event->button.button, 0);
        break;
    case SDL_EVENT_MOUSE_WHEEL:
        if (event->wheel.which != SDL_TOUCH_MOUSEID)
            Zoom(event->wheel.y);
        break;
    case SDL_EVENT_MOUSE_MOTION:
        if (event->motion.which == SDL_TOUCH_MOUSEID)
            break;
        gLastInput = {INPUT_MOUSE, 0};
        TakePointer(INPUT_MOUSE, nullptr);
        break;
    case SDL_EVENT_FINGER_DOWN:
    case SDL_EVENT_FINGER_MOTION:
    case SDL_EVENT_FINGER_UP:
    case SDL_EVENT_FINGER_CANCELED:
        FingerEvent(&event->tfinger);
        break;
    case SDL_EVENT_WINDOW_FOCUS_LOST:
        LetGoOfFingers();
        break;
    case SDL_EVENT_GAMEPAD_ADDED:
        PadAdded(event->gdevice.which);
        break;
    case SDL_EVENT_GAMEPAD_REMOVED:
        PadRemoved(event->gdevice.which);
        break;
    case SDL_EVENT_GAMEPAD_AXIS_MOTION:
        PadAxis(event->gaxis.which, event->gaxis.axis, event->gaxis.value);
        break;
    case SDL_EVENT_GAMEPAD_BUTTON_DOWN:
        if (event->gbutton.button == SDL_GAMEPAD_BUTTON_DPAD_UP)
            Zoom(1);
        else if (event->gbutton.button == SDL_GAMEPAD_BUTTON_DPAD_DOWN)
            Zoom(-1);
        else if (event->gbutton.button == SDL_GAMEPAD_BUTTON_BACK)
            ToggleSound();
        PadButton(event->gbutton.which, event->gbutton.button, 1);
        break;
    case SDL_EVENT_GAMEPAD_BUTTON_UP:
        PadButton(event->gbutton.which, event->gbutton.button, 0);
        break;
    default:
        break;
    }
    return SDL_APP_CONTINUE;
}

// Runs every tick the clock says is due, with no cap, then draws one frame if any ran since the
// last frame drawn. A minimized or hidden window shows nothing: the ticks run, and the frame they
// owe is drawn at the first pass that finds the window shown again, due tick or not.
SDL_AppResult SDL_AppIterate(void* appstate) {
    static u64 sTicks;
    static u8 sDoDraw; // a frame is owed
    (void)appstate;

    if (sSoundOwed && sFrameDrawn)
        OpenSoundOwed();
    sTicks = TickTarget(SDL_GetTicks());
    while (mTicks < sTicks) {
        mTicks++;
        sDoDraw = 1;
        if (!debug)
            Update(gApp);
    }
    if (sDoDraw && !(SDL_GetWindowFlags(gWindow) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN))) {
        sDoDraw = 0;
        if (debug)
            DrawDebug();
        else
            Draw(gApp, gRenderer);
        sFrameDrawn = true;
    }
    return SDL_APP_CONTINUE;
}

// SDL's own shutdown, which follows, releases the window, the renderer and the subsystems. The
// pads and the sound are closed and the fingers let go of here, and the mouse given the pointer
// and made the input used last, so that a later start in the same process (as the tests make)
// begins afresh.
void SDL_AppQuit(void* appstate, SDL_AppResult result) {
    (void)appstate;
    (void)result;
    CloseSound();
    ClosePads();
    LetGoOfFingers();
    gLastInput = {INPUT_MOUSE, 0};
    TakePointer(INPUT_MOUSE, nullptr);
    free(gApp);
    gApp = nullptr;
    gPlayer = nullptr;
    gInventory = nullptr;
    gFloor = nullptr;
    gWindow = nullptr; // SDL releases them next
    gRenderer = nullptr;
}
