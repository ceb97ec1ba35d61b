// Sound: the game heard, synthesized as it runs from a few voices, with no sound files.
//
// HearTick runs once after every tick. It compares the game with the tick before (an item's
// cooldown that started, a hop begun or ended, a swap, the wheels' speeds, the body held back by
// a wall, the end of the countdown) and queues what that tick is heard as: voices to start and
// the levels of the continuous ones. SDL's audio thread mixes the queue into the device's stream,
// each tick a tick's frames after the one before, so that ticks run together (a loop catching up,
// several between two looks of the mixer) still sound in order and in time. The tick writes under
// the stream's lock and the mixer reads under the same lock; nothing flows back, so the game
// computes the same with sound on, off or missing.
#include "defs.h"

#include <math.h>

constexpr int MIX_RATE = 48000;         // asked of the device; the mixer runs at the rate it gives
constexpr char BUFFER_FRAMES[] = "512"; // a tick heard within ~11 ms (on the web, twice that)
constexpr int CHUNK_FRAMES = 256;       // mixed at a time into a buffer on the stack
constexpr f32 FADE_S = 0.01f;           // off and on, and the continuous voices' changes
constexpr f32 QUIET_AFTER_S = 0.1f;     // no tick for so long (a hidden tab): the wheels fade out
// Ticks waiting for the mixer: a paced loop hands it one or two between two looks, a browser up
// to three. After a long stall, or while a device is yet to start, the oldest give their places
// up first, their voices starting with the tick after them, so that the sound is never far behind
// and nothing is left unheard.
constexpr int QUEUE_TICKS = 4;
// Ticks that came together start a tick's frames apart. A tick that came at a later look starts a
// quarter of that sooner after the one before it, so that the delay a bunch puts on the ticks
// behind it wears off within a few ticks, and a device whose clock runs slower than the game's
// never builds one up.
constexpr u32 CATCH_UP = 4;

// Tone and noise: a row of the table is a tone gliding from one pitch to another with noise over
// it, rising within its attack and dying away by its length. In the pitched rows the noise never
// outweighs the tone, so the sum crosses zero where the tone does.
enum Wave : u8 { SQUARE, TRIANGLE };

struct Effect {
    f32 attackMs, lengthMs;
    f32 pitchFrom, pitchTo; // Hz
    Wave wave;
    f32 tone, noise; // their shares of the voice's level; less than 1 in all, a quiet row
    f32 dull;        // the noise low-passed: 0 white, toward 1 a rumble
};

enum EffectKind : u8 {
    FX_TICK,
    FX_THUMP,
    FX_BLAST,
    FX_CLICK,
    FX_CHIRP,
    FX_LAND,
    FX_KNOCK,
    FX_BLIP,
    FX_GO,
    FX_HUM,
    FX_SCRAPE
};

constexpr Effect EFFECTS[] = {
    // attack, length ms; pitch from, to Hz; wave; tone, noise; dull
    {1, 30, 1600, 800, SQUARE, 0.6f, 0.4f, 0},   // a use with a push of 2: a tick
    {3, 150, 300, 80, SQUARE, 0.6f, 0.4f, 0.6f}, // of 35: a thump
    {4, 300, 140, 35, SQUARE, 0.6f, 0.4f, 0.8f}, // of 175: a blast
    {1, 20, 3000, 3000, SQUARE, 0.2f, 0, 0},     // a use with no push: a quiet click
    {5, 120, 300, 1000, SQUARE, 1, 0, 0},        // a hop starts: a chirp
    {3, 90, 110, 55, TRIANGLE, 0.5f, 0, 0},      // a hop ends: a soft thump
    {1, 60, 160, 80, SQUARE, 0.3f, 0.7f, 0.5f},  // the body hits a wall: a knock
    {2, 40, 1400, 1400, SQUARE, 1, 0, 0},        // an item swapped: a blip
    {5, 150, 660, 660, TRIANGLE, 1, 0, 0},       // play begins
    {0, 0, 40, 200, TRIANGLE, 1, 0, 0},          // a wheel's hum, from rest to spinning free
    {0, 0, 0, 0, SQUARE, 0, 1, 0.85f},           // the body sliding along a wall: a scrape
};

// The pushes at which a use sounds as its row; one between two rows blends them.
constexpr struct {
    f32 push;
    EffectKind kind;
} USE_ROWS[] = {{2, FX_TICK}, {35, FX_THUMP}, {FULL_PUSH, FX_BLAST}};
constexpr f32 USE_FLOOR = 0.25f; // the lightest push still heard; the strongest is the slot's level

// A voice a slot, each with its loudest and its place. A cue restarts its slot's voice, so an
// item used every tick never piles voices up; the levels add up to full scale at most on either
// side, so every voice at once never clips.
enum VoiceSlot : u8 {
    V_USE0,
    V_USE1,
    V_SWAP0,
    V_SWAP1,
    V_HOP,
    V_KNOCK,
    V_GO,
    V_HUM0,
    V_HUM1,
    V_SCRAPE,
    VOICE_SLOTS
};

constexpr struct {
    f32 level, left, right;
} PLACES[VOICE_SLOTS] = {
    {0.28f, 1, 0.5f}, // use, left hand: louder on the left
    {0.28f, 0.5f, 1}, // use, right hand
    {0.05f, 1, 0.5f}, // swap, left
    {0.05f, 0.5f, 1}, // swap, right
    {0.12f, 1, 1},    // hop and landing
    {0.14f, 1, 1},    // a wall hit
    {0.09f, 1, 1},    // play begins
    {0.06f, 1, 0},    // the left wheel, in the left channel only
    {0.06f, 0, 1},    // the right wheel
    {0.09f, 1, 1},    // the scrape
};

constexpr f32 Loudest(bool right) {
    f32 sum = 0;
    for (const auto& p : PLACES)
        sum += p.level * (right ? p.right : p.left);
    return sum;
}
static_assert(Loudest(false) <= 1 && Loudest(true) <= 1);

// How the listener reads the game.
constexpr f32 HUM_LEAST = 0.01f;   // a wheel slower than this is at rest: its speed only decays
constexpr f32 HUM_FULL = 0.5f;     // wheel speed at which a hum is at its level (driven: 0.48)
constexpr f32 HUM_RISE = 4;        // a free-spinning wheel climbs to four times that in pitch
constexpr f32 TOP_SPEED = 25;      // world units a tick: a knock or a scrape at its loudest
constexpr f32 CONTACT_MIN = 0.05f; // held back by less than this, the body is touching nothing

struct Cue {
    Effect effect;
    f32 gain; // of the slot's level, 0 to 1
    u8 set;
};

// What one tick is heard as.
struct TickScore {
    Cue cues[VOICE_SLOTS];  // voices to start
    f32 hold[VOICE_SLOTS];  // the continuous voices' levels, 0 to 1
    f32 pitch[VOICE_SLOTS]; // and their pitches, Hz
    u32 look;               // the mixer's looks before it came
};

// What the listener hands the mixer, under the stream's lock: the ticks it has not started yet,
// oldest first, in a ring.
struct Score {
    TickScore ticks[QUEUE_TICKS];
    u8 first, count;
    u8 on = 1;
};

struct Voice {
    Effect effect;
    f32 level;              // the slot's level times the cue's gain
    f32 freq, glide;        // Hz now, and the factor it changes by each frame
    f32 phase, hiss;        // the tone's phase in turns; the low-passed noise
    f32 env, envFrom;       // the envelope now, and where the attack rose from
    u32 at, attack, length; // frames
};

static SDL_AudioStream* sStream;
static Score sScore;

// The mixer's own, touched only while the stream is locked.
static Voice sVoices[VOICE_SLOTS];
static f32 sRate = MIX_RATE;
static f32 sMaster = 1;
static f32 sHold[VOICE_SLOTS], sPitch[VOICE_SLOTS]; // the last started tick's
static u32 sTickFrames;                             // a tick's length at the mixer's rate
static u32 sToNext;    // frames until the next waiting tick starts; 0: it starts at once
static u32 sSinceTick; // frames mixed since the last tick started
static u32 sLooks;     // times the mixer looked at the queue
static u32 sNoise = 1;

// The listener's memory of the tick before.
static struct {
    Vec2 pos;
    GameMode mode;
    u8 hopping, touching, heard;
    u32 swapCooldown[2];
    f32 scrape;
} sLast;

static void SDLCALL MixSound(void* userdata, SDL_AudioStream* stream, int additional, int total);

// ---- Device ----------------------------------------------------------------------------

#ifdef SDL_PLATFORM_LINUX
// Is there a PipeWire server to talk to: its socket where libpipewire looks for it.
static bool PipeWireServed() {
    if (SDL_getenv("PIPEWIRE_REMOTE"))
        return true; // a remote of the player's own naming: let libpipewire find it
    const char* dirs[] = {SDL_getenv("PIPEWIRE_RUNTIME_DIR"), SDL_getenv("XDG_RUNTIME_DIR"),
                          SDL_getenv("USERPROFILE"), "/run/pipewire"};
    char socket[1024];
    for (const char* dir : dirs) {
        if (dir && SDL_snprintf(socket, sizeof(socket), "%s/pipewire-0", dir) &&
            SDL_GetPathInfo(socket, nullptr))
            return true;
    }
    return false;
}
#endif

// SDL tries its sound drivers in turn, and the library of one that cannot play here may complain
// on the terminal: libpipewire (installed on many desktops that run PulseAudio) when no PipeWire
// server is there, ALSA when the machine has no sound card. Such a driver is left out of SDL's
// list; a desktop that runs PipeWire has its socket and is heard through it as before, and a
// player's own SDL_AUDIO_DRIVER wins over the list.
static void SkipDriversThatCannotPlay() {
#ifdef SDL_PLATFORM_LINUX
    bool pipewire = PipeWireServed(), alsa = SDL_GetPathInfo("/dev/snd", nullptr);
    if (pipewire && alsa)
        return;
    char drivers[256] = "";
    for (int i = 0; i < SDL_GetNumAudioDrivers(); i++) {
        const char* name = SDL_GetAudioDriver(i);
        bool absent = (!pipewire && SDL_strcmp(name, "pipewire") == 0) ||
                      (!alsa && SDL_strcmp(name, "alsa") == 0);
        // SDL's list by name would also try the drivers it keeps for asking by name alone
        if (!absent && SDL_strcmp(name, "dummy") != 0 && SDL_strcmp(name, "disk") != 0)
            SDL_snprintf(drivers + SDL_strlen(drivers), sizeof(drivers) - SDL_strlen(drivers),
                         "%s%s", drivers[0] ? "," : "", name);
    }
    SDL_SetHint(SDL_HINT_AUDIO_DRIVER, drivers);
#endif
}

// The default device, mixed at its own rate; false when there is none to play on.
bool OpenSound() {
    SkipDriversThatCannotPlay();
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_SAMPLE_FRAMES, BUFFER_FRAMES);
    if (!SDL_InitSubSystem(SDL_INIT_AUDIO))
        return false;
    SDL_AudioSpec format = {SDL_AUDIO_F32, 2, MIX_RATE};
    SDL_AudioStream* stream =
        SDL_OpenAudioDeviceStream(SDL_AUDIO_DEVICE_DEFAULT_PLAYBACK, &format, nullptr, nullptr);
    if (!stream)
        return false;
    SDL_AudioSpec device;
    if (SDL_GetAudioDeviceFormat(SDL_GetAudioStreamDevice(stream), &device, nullptr)) {
        format.freq = device.freq;
        SDL_SetAudioStreamFormat(stream, &format, nullptr);
    }
    StartSound(stream);
    SDL_ResumeAudioStreamDevice(stream);
    return true;
}

// Mixes into the stream, from silence with the sound on, whenever SDL asks it for data.
void StartSound(SDL_AudioStream* stream) {
    SDL_AudioSpec format;
    SDL_GetAudioStreamFormat(stream, &format, nullptr);
    SDL_LockAudioStream(stream);
    sStream = stream;
    sScore = {};
    sRate = format.freq;
    sMaster = 1;
    SDL_memset(sHold, 0, sizeof(sHold));
    SDL_memset(sPitch, 0, sizeof(sPitch));
    sTickFrames = SDL_lroundf(sRate * TICK_MS / 1000);
    sToNext = sSinceTick = 0;
    SDL_memset(sVoices, 0, sizeof(sVoices));
    for (int i = V_HUM0; i < VOICE_SLOTS; i++) { // the continuous voices sound from the start
        sVoices[i].effect = EFFECTS[i == V_SCRAPE ? FX_SCRAPE : FX_HUM];
        sVoices[i].level = PLACES[i].level;
        sVoices[i].freq = sVoices[i].effect.pitchFrom; // the scrape: 0, and so it stays
        sVoices[i].glide = 1;
    }
    sLast = {};
    SDL_SetAudioStreamGetCallback(stream, MixSound, nullptr);
    SDL_UnlockAudioStream(stream);
}

// Closing the stream also closes the device it was opened on.
void CloseSound() {
    SDL_DestroyAudioStream(sStream);
    sStream = nullptr;
    sScore = {};
}

// A fade, not a cut; nothing is kept for the next start.
void ToggleSound() {
    SDL_LockAudioStream(sStream); // none: playing silently, the flag still shows
    sScore.on = !sScore.on;
    SDL_UnlockAudioStream(sStream);
}

// At the top right, below the touch boxes there.
void DrawSoundOff() {
    if (sScore.on)
        return;
    SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
    f32 scale = TextScale();
    DrawScaledText(LOGICAL_W - 4 - 9 * SDL_DEBUG_TEXT_FONT_CHARACTER_SIZE * scale, 66, scale,
                   "sound off");
}

// ---- Listening -------------------------------------------------------------------------

static void CueIn(Cue* cues, u8 slot, EffectKind kind, f32 gain) {
    cues[slot] = {EFFECTS[kind], gain, 1};
}

// A use: the rows blended by the size of the push, which also sets the gain as it sets a pad's
// rumble; a pull glides the other way.
static void CueUse(Cue* cues, u8 side, f32 recoil) {
    f32 push = fabsf(recoil);
    if (push == 0) {
        CueIn(cues, V_USE0 + side, FX_CLICK, 1);
        return;
    }
    int row = 1;
    while (row < 2 && push > USE_ROWS[row].push)
        row++;
    const Effect& a = EFFECTS[USE_ROWS[row - 1].kind];
    const Effect& b = EFFECTS[USE_ROWS[row].kind];
    f32 k = (push - USE_ROWS[row - 1].push) / (USE_ROWS[row].push - USE_ROWS[row - 1].push);
    k = SDL_clamp(k, 0.0f, 1.0f);
    auto mix = [k](f32 x, f32 y) { return x + (y - x) * k; };
    f32 high = mix(a.pitchFrom, b.pitchFrom), low = mix(a.pitchTo, b.pitchTo);
    Effect e = {mix(a.attackMs, b.attackMs),
                mix(a.lengthMs, b.lengthMs),
                recoil < 0 ? low : high,
                recoil < 0 ? high : low,
                SQUARE,
                mix(a.tone, b.tone),
                mix(a.noise, b.noise),
                mix(a.dull, b.dull)};
    f32 share = SDL_min(push / FULL_PUSH, 1.0f);
    cues[V_USE0 + side] = {e, USE_FLOOR + (1 - USE_FLOOR) * share, 1};
}

// What started since the tick before: play, a hop or its landing, a swap, a use. True when the
// velocity changed after this tick's move (a use's push, or a hop's, which may bring one back).
static bool HearHappenings(const GameState* state, TickScore* next) {
    const Player* p = &state->player;
    if (sLast.mode == MODE_CUTSCENE && state->mode == MODE_PLAYING)
        CueIn(next->cues, V_GO, FX_GO, 1);
    if (p->hopping != sLast.hopping)
        CueIn(next->cues, V_HOP, p->hopping ? FX_CHIRP : FX_LAND, 1);
    bool pushed = p->hopping && !sLast.hopping;
    for (u8 side = 0; side < 2; side++) {
        if (p->swapCooldown[side] > sLast.swapCooldown[side])
            CueIn(next->cues, V_SWAP0 + side, FX_BLIP, 1);
        // A cooldown at its full length started this tick: every tick it counts down first.
        const InventorySlot* slot = &state->inventory.slots[side];
        if (slot->cooldown != 0 && slot->cooldown == slot->cooldownMax && slot->item >= 0 &&
            slot->item < ITEM_KINDS) {
            CueUse(next->cues, side, gWeaponInfo[slot->item].recoil);
            pushed = true;
        }
    }
    return pushed;
}

// Where the body ended against where its velocity would have taken it: the part held back is what
// it pushed into a wall, the part it went is its slide along it.
static void HearWalls(const Player* p, TickScore* next) {
    Vec2 went = Vec2SubVec2(p->pos, sLast.pos);
    f32 into = Vec2Magnitude(Vec2SubVec2(p->vel, went));
    bool touching = into > CONTACT_MIN;
    if (touching && !sLast.touching)
        CueIn(next->cues, V_KNOCK, FX_KNOCK, SDL_min(into / TOP_SPEED, 1.0f));
    sLast.touching = touching;
    sLast.scrape = touching ? SDL_min(Vec2Magnitude(went) / TOP_SPEED, 1.0f) : 0;
}

// Each wheel hums by its speed, higher as it spins free in a hop.
static void HearWheels(const Player* p, TickScore* next) {
    const Effect& hum = EFFECTS[FX_HUM];
    for (u8 side = 0; side < 2; side++) {
        f32 spin = fabsf(p->wheelSpeed[side]) / HUM_FULL;
        next->hold[V_HUM0 + side] = spin < HUM_LEAST / HUM_FULL ? 0 : SDL_min(spin, 1.0f);
        next->pitch[V_HUM0 + side] =
            hum.pitchFrom + (hum.pitchTo - hum.pitchFrom) * SDL_min(spin, HUM_RISE) / HUM_RISE;
    }
}

// Queued after the ticks the mixer has not started yet. When they fill the queue the oldest gives
// its place up: its voices start with the tick after it, unless that one cues the same voice.
static void HandOver(const TickScore* next) {
    SDL_LockAudioStream(sStream);
    if (sScore.count == QUEUE_TICKS) {
        const TickScore* oldest = &sScore.ticks[sScore.first];
        sScore.first = (sScore.first + 1) % QUEUE_TICKS;
        sScore.count--;
        for (int i = 0; i < VOICE_SLOTS; i++)
            if (!sScore.ticks[sScore.first].cues[i].set)
                sScore.ticks[sScore.first].cues[i] = oldest->cues[i];
    }
    TickScore* t = &sScore.ticks[(sScore.first + sScore.count++) % QUEUE_TICKS];
    *t = *next;
    t->look = sLooks;
    SDL_UnlockAudioStream(sStream);
}

void HearTick(const GameState* state) {
    if (!sStream) // playing silently: nothing to listen for
        return;
    const Player* p = &state->player;
    TickScore next = {};
    bool pushed = sLast.heard && HearHappenings(state, &next);
    if (sLast.heard && !pushed && state->mode == MODE_PLAYING)
        HearWalls(p, &next);
    next.hold[V_SCRAPE] = sLast.scrape; // kept through a pushed tick, which cannot tell
    HearWheels(p, &next);
    sLast.pos = p->pos;
    sLast.mode = state->mode;
    sLast.hopping = p->hopping;
    sLast.swapCooldown[0] = p->swapCooldown[0];
    sLast.swapCooldown[1] = p->swapCooldown[1];
    sLast.heard = 1;
    HandOver(&next);
}

// ---- Mixing ----------------------------------------------------------------------------

// A cue restarts the voice from wherever its envelope stands, so a restart never clicks.
static void StartVoice(Voice* v, const Cue* cue, int slot) {
    const Effect& e = cue->effect;
    u32 length = SDL_max(e.lengthMs / 1000 * sRate, 1.0f);
    *v = {e,           PLACES[slot].level * cue->gain,
          e.pitchFrom, (f32)pow(e.pitchTo / e.pitchFrom, 1.0 / length),
          v->phase,    v->hiss,
          v->env,      v->env,
          0,           (u32)(e.attackMs / 1000 * sRate),
          length};
}

// Adds frames of one voice into out, stereo; a continuous voice eases toward its level and pitch.
// The voice is worked on in a copy, which the writes to out cannot touch.
static void MixVoice(Voice* voice, int slot, bool held, f32 hold, f32 pitch, f32* out, int frames) {
    Voice v = *voice;
    const Effect& e = v.effect;
    f32 ease = 1 / (FADE_S * sRate), perFrame = 1 / sRate;
    f32 rise = (1 - v.envFrom) / SDL_max(v.attack, 1u), fall = 1.0f / (v.length - v.attack);
    f32 left = PLACES[slot].left * v.level, right = PLACES[slot].right * v.level;
    u32 noise = sNoise;
    for (int i = 0; i < frames; i++) {
        if (held) {
            v.env = StepToF(v.env, hold, ease);
            v.freq = v.freq + (pitch - v.freq) * ease;
        } else if (v.at < v.attack) {
            v.env = v.envFrom + rise * v.at;
        } else if (v.at < v.length) {
            f32 x = fall * (v.at - v.attack);
            v.env = (1 - x) * (1 - x);
        } else {
            v.env = 0;
            break;
        }
        noise ^= noise << 13;
        noise ^= noise >> 17;
        noise ^= noise << 5;
        v.hiss = v.hiss + ((i32)noise * (1.0f / 2147483648.0f) - v.hiss) * (1 - e.dull);
        f32 tone = e.wave == SQUARE ? (v.phase < 0.5f ? 1 : -1) : 4 * fabsf(v.phase - 0.5f) - 1;
        f32 s = v.env * (e.tone * tone + e.noise * v.hiss);
        out[2 * i] += s * left;
        out[2 * i + 1] += s * right;
        v.phase = v.phase + v.freq * perFrame;
        if (v.phase >= 1)
            v.phase = v.phase - 1;
        v.freq = v.freq * v.glide;
        v.at++;
    }
    sNoise = noise;
    *voice = v;
}

static void Mix(f32* out, int frames) {
    SDL_memset(out, 0, frames * 2 * sizeof(f32));
    bool quiet = sSinceTick >= QUIET_AFTER_S * sRate;
    for (int i = 0; i < VOICE_SLOTS; i++) {
        bool held = i >= V_HUM0;
        f32 hold = quiet ? 0 : sHold[i];
        if (held || sVoices[i].at < sVoices[i].length)
            MixVoice(&sVoices[i], i, held, hold, sPitch[i], out, frames);
    }
    f32 step = 1 / (FADE_S * sRate);
    for (int i = 0; i < frames; i++) {
        sMaster = StepToF(sMaster, sScore.on, step);
        out[2 * i] *= sMaster;
        out[2 * i + 1] *= sMaster;
    }
    sSinceTick += frames;
}

// The oldest waiting tick: its cues restart their voices, its levels and pitches hold from now.
// The tick after it, if it is waiting already, starts a tick's frames later (less CATCH_UP if it
// came at a later look); else at once, as it comes.
static void StartTick() {
    const TickScore* t = &sScore.ticks[sScore.first];
    u32 look = t->look;
    for (int i = 0; i < VOICE_SLOTS; i++) {
        if (t->cues[i].set)
            StartVoice(&sVoices[i], &t->cues[i], i);
        sHold[i] = t->hold[i];
        sPitch[i] = t->pitch[i];
    }
    sScore.first = (sScore.first + 1) % QUEUE_TICKS;
    sScore.count--;
    sSinceTick = 0;
    sToNext = sScore.count == 0                         ? 0
              : sScore.ticks[sScore.first].look == look ? sTickFrames
                                                        : sTickFrames - sTickFrames / CATCH_UP;
}

// SDL's audio thread, or the test pulling from a stream with no device: SDL holds the stream's
// lock through the call, so the queue stands still while it is read. A waiting tick starts at
// once, the next a tick's frames after it: the frames are mixed in pieces that end where one
// starts.
static void SDLCALL MixSound(void* userdata, SDL_AudioStream* stream, int additional, int total) {
    (void)userdata;
    (void)total;
    sLooks++;
    f32 chunk[2 * CHUNK_FRAMES];
    for (int left = additional / (int)sizeof(f32[2]), frames; left > 0; left -= frames) {
        if (sScore.count > 0 && sToNext == 0)
            StartTick();
        frames = SDL_min(left, CHUNK_FRAMES);
        if (sToNext > 0) {
            frames = SDL_min(frames, (int)sToNext);
            sToNext -= frames;
        }
        Mix(chunk, frames);
        SDL_PutAudioStreamData(stream, chunk, frames * sizeof(f32[2]));
    }
}
