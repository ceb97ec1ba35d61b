// The one shared header: every record, global, constant table and operation of the game.
// World units: a room is 270 by 190; x grows right, y grows down. Headings are radians,
// 0 points up (-y) and they grow clockwise. Timers count ticks of 1/60 s.
#pragma once

#include <SDL3/SDL.h>
#include <math.h>
#include <stddef.h>
#include <stdint.h>

typedef uint8_t u8;
typedef int8_t i8;
typedef uint16_t u16;
typedef int16_t i16;
typedef uint32_t u32;
typedef int32_t i32;
typedef uint64_t u64;
typedef float f32;

// ---- Arithmetic ------------------------------------------------------------------------
// Floats throughout, but every sine, cosine, arc tangent and square root is taken in double on
// the widened values and rounded to a float once, where the result is stored. In C++ the
// <math.h> names called on floats pick the float overloads (sinf, atan2f...), which round
// differently: the game calls these instead, whose double parameters widen whatever comes in.
inline double SinD(double a) {
    return sin(a);
}
inline double CosD(double a) {
    return cos(a);
}
inline double Atan2D(double y, double x) {
    return atan2(y, x);
}
inline double SqrtD(double a) {
    return sqrt(a);
}

// ---- Vectors and angles ----------------------------------------------------------------

struct Vec2 {
    f32 x, y;
};

// A third of a turn, a shade short of 2pi/3: the aim may stray this far from the body heading.
constexpr f32 PI_TWOTHIRDS = 2.0943947f;
constexpr Vec2 v2zero = {0, 0};

f32 Magnitude(f32 x, f32 y);
f32 Vec2Magnitude(Vec2 v);
void Normalize(f32* x, f32* y);
Vec2 Vec2Normalize(Vec2 v);
Vec2 Rotate(f32 len, f32 angle);
Vec2 Vec2AddVec2(Vec2 a, Vec2 b);
Vec2 Vec2SubVec2(Vec2 a, Vec2 b);
Vec2 Vec2Scale(Vec2 v, f32 s);
f32 Dot(Vec2 a, Vec2 b);
f32 FMod(f32 a, f32 m);
f32 GetAngleDiff(f32 from, f32 to);
f32 StepToF(f32 current, f32 target, f32 step);
void CenterRect(SDL_FRect* r);

// ---- Casts -----------------------------------------------------------------------------

// A segment cast and its hit record. Callers zero it before first use; hit, normal and t are
// written only by a hit.
struct Ray {
    Vec2 start;
    Vec2 end;
    Vec2 hit;
    Vec2 normal;
    f32 t;
};
static_assert(sizeof(Ray) == 36 && offsetof(Ray, normal) == 24 && offsetof(Ray, t) == 32);

struct Circle {
    Vec2 pos;
    f32 radius;
};

bool RayIntersectRect(Ray* ray, const SDL_FRect* rect);
bool RayIntersectCircle(Ray* ray, const Circle* circle);
bool CircleRayIntersectRect(Ray* ray, f32 radius, const SDL_FRect* rect);

// ---- Input bindings --------------------------------------------------------------------

struct Bind {
    i32 code; // a key's place (SDL scancode), or a mouse button in the low 8 bits; -1 binds nothing
    u8 isKey;
};

struct BindInfo {
    Bind binds[2]; // primary, secondary
    u8 down[2];    // held flag of each binding
    u8 pads;       // the pads holding the row, a bit for each pad slot
    u8 fingers;    // the fingers holding the row, a bit for each finger slot
};

enum BindRow : u8 {
    BIND_FORWARD,
    BIND_BACK,
    BIND_SIDE0,
    BIND_SIDE1,
    BIND_SWAP0,
    BIND_SWAP1,
    BIND_HOP,
    BIND_COUNT
};

extern const Bind gInitBinds[BIND_COUNT][2];
extern BindInfo gBindInfo[BIND_COUNT];

void ResetBinds();
void KeyPressed(i32 scancode, u8 down);
void MouseDownSearch(u8 button, u8 down);
bool BindHeld(u8 row);
void NameKey(SDL_Keycode key, char name[16]);

// The kinds of input: keys and the mouse, a pad, fingers. The one pointer the tick aims at, on the
// logical screen, is put by one of them; the kind used last (and which pad) decides which controls
// the hints name and whether the touch boxes show.
enum InputKind : u8 { INPUT_MOUSE, INPUT_PAD, INPUT_FINGER };

struct InputUse {
    InputKind kind;
    SDL_JoystickID pad; // the pad, when a pad was used last
};
extern InputUse gLastInput;

void TakePointer(InputKind owner, const Vec2* at);
bool PointerOwnedBy(InputKind owner);
bool PlaceFinite(Vec2 at);
Vec2 ReadPointer();
Vec2 ReadMouse();

// Gamepads: each opened as it comes, holding rows as its keys would; its right stick aims.
void PadAdded(SDL_JoystickID id);
void PadRemoved(SDL_JoystickID id);
void PadButton(SDL_JoystickID id, u8 button, u8 down);
void PadAxis(SDL_JoystickID id, u8 axis, i16 value);
void PadAim();
void PadRumble(f32 push);
void ClosePads();
const char* PadControlName(SDL_Gamepad* pad, u8 row);

// Touch: boxes drawn over the game while fingers were used last hold rows as keys do; a finger on
// the world aims.
void FingerEvent(const SDL_TouchFingerEvent* finger);
void LetGoOfFingers();
void TouchTicked();
const char* TouchLabel(u8 row);
void DrawTouchControls();

// ---- Object records --------------------------------------------------------------------

// The head of every object that stands in the world.
struct Entity {
    Vec2 pos;
    i32 tag;
    u8 active;
};
static_assert(sizeof(Entity) == 16 && offsetof(Entity, tag) == 8 && offsetof(Entity, active) == 12);

struct Player : Entity {
    Vec2 vel;
    Vec2 savedVel; // velocity right after the last recoil, restored by a recoil hop
    f32 wheelSpeed[2];
    f32 facing; // never wrapped
    f32 aim;    // within PI_TWOTHIRDS of facing
    f32 hopAngle;
    u32 swapCooldown[2];
    u32 hopTimer; // ticks left in the hop, then ticks left of its cooldown
    u32 recoilTimer;
    u32 recoilHopTimer;
    u8 wheelHeld[2];
    u8 hopping;
};
static_assert(sizeof(Player) == 76);

enum GoonState : u8 { GOON_CHASING = 1, GOON_BACKING_OFF = 3 };

struct Goon : Entity {
    Vec2 target;
    u8 state; // GOON_BACKING_OFF, or any other value for chasing
    i32 timer;
};
static_assert(sizeof(Goon) == 32);

struct Crate : Entity {
    u8 kind;
    i32 value;
};
static_assert(sizeof(Crate) == 24);

struct Floor {
    u8 vWalls[8][9]; // [grid line along x][room row]
    u8 hWalls[9][8]; // [room column][grid line along y]
};
static_assert(sizeof(Floor) == 144 && offsetof(Floor, hWalls) == 72);

struct InventorySlot {
    u32 cooldown;
    u32 cooldownMax;
    i8 item; // row of gWeaponInfo, -1 for empty
};
static_assert(sizeof(InventorySlot) == 12 && offsetof(InventorySlot, item) == 8);

struct Inventory {
    InventorySlot slots[4]; // left hand, right hand, two in reserve
    i32 useCounts[3];
};
static_assert(sizeof(Inventory) == 60);

// ---- Game state ------------------------------------------------------------------------

enum GameMode : u8 { MODE_PLAYING = 0, MODE_CUTSCENE = 1 };

constexpr int CRATE_SLOTS = 16;
constexpr int GOON_SLOTS = 16;

struct GameState {
    Crate crates[CRATE_SLOTS];
    Goon goons[GOON_SLOTS];
    u64 cutsceneFrames;
    Vec2 camera;
    f32 zoom;
    f32 cameraAngle;
    Vec2 mouse; // on the 800 by 600 logical screen
    Player player;
    Inventory inventory;
    Floor floor;
    GameMode mode;
};
static_assert(sizeof(GameState) == 1216);

extern GameState* gApp;
extern Player* gPlayer;
extern Inventory* gInventory;
extern Floor* gFloor;

extern char hintStr1[16];
extern char hintStr2[16];
extern char hintStr3[16];
extern char hintStr4[16];

void InitGameState();
void Update(GameState* state);
void Draw(GameState* state, SDL_Renderer* renderer);
void UpdatePlaying();
void UpdateCutscene();
void DrawAppDebug();
void WriteHints(const char* const names[BIND_COUNT], bool keys);
void WriteKeyHints(const SDL_Keycode keys[BIND_COUNT]);
void PlaceCrates();
void ClearGameState();

// ---- Sound -----------------------------------------------------------------------------

// The strongest item's push, world units a tick: a pad's motors at full strength, the loudest use.
constexpr f32 FULL_PUSH = 175;

bool OpenSound();
void StartSound(SDL_AudioStream* stream);
void CloseSound();
void HearTick(const GameState* state);
void ToggleSound();
void DrawSoundOff();

// ---- Camera and view -------------------------------------------------------------------

struct DrawInfo {
    Vec2 pos;  // on the logical screen
    f32 scale; // pixels per world unit
    f32 angle; // add to a world heading to get its screen heading
};

constexpr f32 LOOK_AHEAD = 120; // screen pixels the camera stands ahead of the player

f32 ZoomScale(f32 zoom);
void UpdateCamera();
DrawInfo GetDrawInfo(const Vec2* p);

// ---- Application shell -----------------------------------------------------------------

constexpr int LOGICAL_W = 800;
constexpr int LOGICAL_H = 600;

extern SDL_Window* gWindow;
extern SDL_Renderer* gRenderer;
extern u8 debug;
extern u64 mTicks;

constexpr f32 TICK_MS = 16.666666f; // a tick: the float nearest 1000/60

u64 TickTarget(u64 ms);
void Zoom(f32 notches);

extern "C" {
SDL_AppResult SDL_AppInit(void** appstate, int argc, char* argv[]);
SDL_AppResult SDL_AppEvent(void* appstate, SDL_Event* event);
SDL_AppResult SDL_AppIterate(void* appstate);
void SDL_AppQuit(void* appstate, SDL_AppResult result);
}

// ---- Drawing kit -----------------------------------------------------------------------

extern char gStrBuffer[32];
extern u32 gDebugLines;

void DrawCircle(const Circle* c);
void DrawRotatedLine(f32 x, f32 y, f32 len, f32 angle);
void DrawRotatedRect(const SDL_FRect* r, f32 angle);
void DrawAlignedRect(const SDL_FRect* r);
void DrawDebugBegin();
void DrawDebugInt(i32 value);
void DrawDebugFloat(f32 value);
void DrawDebugText(const char* text);
f32 TextScale();
void DrawScaledText(f32 x, f32 y, f32 scale, const char* text);

// ---- World -----------------------------------------------------------------------------

extern const SDL_FRect boundary;
extern const SDL_FRect arbitrarytestingbox;

void GenerateFloor(Floor* floor, u64 seed);
SDL_FRect GetVWallRect(u8 i, u8 j);
SDL_FRect GetHWallRect(u8 i, u8 j);
void DrawFloor();

void InitEntity(Entity* entity, Vec2 pos, i32 tag);
void MoveCollideStep(Entity* entity, Vec2 displacement);

// ---- Player ----------------------------------------------------------------------------

void InitPlayer(Player* player);
void UpdatePlayer();
bool WheelActive(u8 side);
void DrawPlayer();
void DrawPlayerDebug();

// ---- Items and inventory ---------------------------------------------------------------

struct WeaponInfo {
    f32 aux;
    f32 recoil; // push away from the aim, world units per tick; negative pulls
    i32 cooldownFrames;
    i32 countIndex; // which useCounts entry a use bumps, -1 for none
};

constexpr int ITEM_KINDS = 8;
extern const WeaponInfo gWeaponInfo[ITEM_KINDS];
extern const i8 gDefaultItems[4];
extern const SDL_FRect gSlotRects[4];

void UseItem(u8 side);
void ItemRecoil(f32 amount);

void InitInventory(Inventory* inventory);
void UpdateInventory();
void ItemSwap(u8 side, u8 which);
void DrawInventory();

// ---- Crates and goons ------------------------------------------------------------------

extern const Vec2 cratePlaces[6];
extern const char* crateHitString;

void InitCrate(Crate* crate, Vec2 pos, u8 kind, i32 value);
void BreakCrate(Crate* crate);
SDL_FRect GetCrateRect(Crate* crate);
void DrawCrate(Crate* crate);

void UpdateGoon(Goon* goon);
void GoonPathFind(Goon* goon);
void GoonMove(Goon* goon, f32 speed);
void DrawGoon(Goon* goon);

// ---- Collision test scene --------------------------------------------------------------

void DrawDebug();
void DrawDebugScene(Vec2 pointer);
