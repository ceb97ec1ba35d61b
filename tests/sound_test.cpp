// Sound: the mixer pulled on the test's own thread from a stream with no device, 48 kHz stereo.
#include "test_util.h"

constexpr int MS = 48; // frames a millisecond

struct SoundFixture : GameFixture {
    void SetUp() override {
        GameFixture::SetUp();
        memset(gFloor, 0, sizeof(Floor));
        SDL_AudioSpec spec = {SDL_AUDIO_F32, 2, 48000};
        StartSound(stream = SDL_CreateAudioStream(&spec, &spec));
        Update(gApp); // the tick before, heard
    }
    void TearDown() override {
        CloseSound();
        GameFixture::TearDown();
    }
    SDL_AudioStream* stream;
    std::vector<f32> s;           // what played last, left and right
    f32 left, right, opening;     // its peaks, and the right's in its first ms
    f32 jump;                     // the left's largest step from one frame to the next
    int from, to, loudest;        // its first and last frame not silent, the left's peak's
    int early, late;              // the left's zero crossings in its first and last third
    int Hear(int ms) {            // what plays for so long; its last frame not silent
        s.assign(2 * ms * MS, 0); // a frame's left sample is s[2 * frame]
        SDL_GetAudioStreamData(stream, s.data(), s.size() * sizeof(f32));
        left = right = opening = jump = 0, from = to = -1, loudest = early = late = 0;
        for (int i = 0; i < ms * MS; i++) {
            if (fabsf(s[2 * i]) > left)
                left = fabsf(s[2 * (loudest = i)]);
            right = fmaxf(right, fabsf(s[2 * i + 1]));
            opening = i < MS ? right : opening;
            jump = i ? fmaxf(jump, fabsf(s[2 * i] - s[2 * i - 2])) : 0;
            if (s[2 * i] != 0 || s[2 * i + 1] != 0)
                to = i, from = from < 0 ? i : from;
        }
        for (int i = from + 1, third = (to - from) / 3; from >= 0 && i < to; i++) {
            bool crossed = (s[2 * i] < 0) != (s[2 * i - 2] < 0);
            early += crossed && i < from + third;
            late += crossed && i > to - third;
        }
        return to;
    }
    int Tick(const char* keys, int ms = 400) { // one tick with those keys held, then Hear
        for (const char* k = keys; *k; k++)
            KeyPressed(*k, 1);
        Update(gApp);
        for (const char* k = keys; *k; k++)
            KeyPressed(*k, 0);
        return Hear(ms);
    }
};

// Through the game's own tick each happening starts its sound at once, from silence, and lasts
// its length: play beginning; a hop's chirp up, its peak within its attack, and its landing; a
// use's thump down, on the right, whose hand used it; a swap's blip; the left wheel's hum in the
// left channel only; a wall's knock, louder the faster the body hit, then its scrape while it
// slides.
TEST_F(SoundFixture, EachHappeningInTheGameStartsItsSound) {
    InitGameState();
    memset(gFloor, 0, sizeof(Floor));
    for (int t = 1; t < 30; t++)
        Tick("", 16);
    EXPECT_TRUE(Tick("") / MS == 149 && from < MS && left == right);
    EXPECT_TRUE(Tick(" ") / MS == 119 && from < MS && loudest <= 5 * MS && early < late);
    f32 chirp = left;
    for (int t = 1; t < 20; t++)
        Tick("", 16);
    EXPECT_TRUE(Tick("") / MS == 89 && from < MS && left < chirp && left == right);
    EXPECT_TRUE(Tick("d") / MS == 149 && from < MS && early > late && right == 2 * left);
    EXPECT_TRUE(Tick("e") / MS == 39 && from < MS && right == 2 * left); // both wheels free now
    EXPECT_TRUE(Tick("w") > 0 && from == 0 && left > 0 && right > 0);
    gInventory->slots[1].item = 2; // only the left wheel drives; the right one's speed decays
    for (int t = 1; t < 5; t++)
        Tick("", 16);
    EXPECT_TRUE(Tick("", 20) < 11 * MS && Tick("", 20) == -1); // at rest
    EXPECT_TRUE(Tick("w") > 0 && left > 0 && right == 0);
    gFloor->vWalls[4][4] = 1; // x 125 to 145: the body touches it at x 105
    f32 knocks[2];
    for (int fast : {0, 1}) {
        InitPlayer(gPlayer);
        gPlayer->pos = {95, 0};
        gPlayer->vel = {15.0f + 15 * fast, -4};
        StartSound(stream); // heard afresh from where the body stands
        HearTick(gApp);
        EXPECT_TRUE(Tick("", 60) > 0 && from < MS && left == right && gPlayer->pos.x == 104.99f);
        knocks[fast] = left;
        EXPECT_EQ(Tick("", 100), 100 * MS - 1);
        gPlayer->vel = {};
        EXPECT_LT(Tick("", 20), 11 * MS);
    }
    EXPECT_LT(knocks[0], knocks[1]);
}

// A use is louder, longer and lower the bigger its push: 2 a 30 ms tick, 35 a 150 ms thump, 175 a
// 300 ms blast, each falling; a pull rises; no push is a quiet 20 ms click. An item used every
// tick for 600 ticks restarts its one voice, never as loud as two at once nor falling silent.
TEST_F(SoundFixture, AUseSoundsByItsPush) {
    auto use = [&](i8 item, int ms) {
        return gInventory->slots[1] = {0, 0, item}, Tick("d") / MS == ms;
    };
    EXPECT_TRUE(use(0, 29) && early > late);
    f32 tick = right;
    EXPECT_TRUE(use(2, 149) && right > tick);
    EXPECT_TRUE(use(3, 299) && early > late && right > tick);
    f32 blast = right;
    EXPECT_TRUE(use(6, 19) && right < tick);
    EXPECT_TRUE(use(7, 59) && early < late);
    gInventory->slots[1] = {0, 0, 5};
    Tick("d", 16);
    f32 loudest = right, softest = 1; // each restart carries on from where the voice stood
    for (int t = 1; t < 600;
         t++, loudest = fmaxf(loudest, right), softest = fminf(softest, opening))
        Tick("d", 16);
    EXPECT_TRUE(loudest < 1.5f * blast && softest > 0.5f * blast) << softest;
}

// Every voice at once stays within full scale. M fades it all out within 10 ms to exact zeros,
// never stepping more than the fade allows, and "sound off" shows; a key's repeat leaves it off,
// M again brings it back. Humming wheels with no tick for 100 ms fall silent within the fade, and
// hum again at the next tick.
TEST_F(SoundFixture, EverythingAtOnceFitsAndFades) {
    gApp->mode = MODE_CUTSCENE; // play begins with a knock: held back 30 a tick, sliding 30
    HearTick(gApp);
    gApp->mode = MODE_PLAYING;
    gPlayer->vel = {30, 30};
    gPlayer->pos.y = 30;
    HearTick(gApp);
    gInventory->slots[0] = gInventory->slots[1] = {12, 12, 3}; // then every other voice
    gPlayer->swapCooldown[0] = gPlayer->swapCooldown[1] = 40;
    gPlayer->wheelSpeed[0] = gPlayer->wheelSpeed[1] = 2;
    gPlayer->hopping = 1;
    HearTick(gApp);
    Hear(100);
    EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](f32 x) { return fabsf(x) <= 1; }) &&
                left > 0.5f);
    gInventory->slots[0] = gInventory->slots[1] = {};
    for (int t = 0; t < 30; t++) // the wheels alone
        HearTick(gApp), Hear(16);
    f32 hum = left, before = jump;
    auto m = [](bool repeat) {
        SDL_Event e = {.key = {.type = SDL_EVENT_KEY_DOWN, .key = SDLK_M, .repeat = repeat}};
        SDL_AppEvent(nullptr, &e);
    };
    m(false);
    HearTick(gApp);
    EXPECT_EQ(Hear(20) / MS, 9); // its last sound in the tenth ms
    EXPECT_LE(jump, before + hum / (10 * MS));
    EXPECT_TRUE(SoundOffShown());
    m(true);
    EXPECT_EQ(Hear(20), -1);
    m(false);
    EXPECT_TRUE(Hear(20) == 20 * MS - 1 && !SoundOffShown());
    HearTick(gApp);
    EXPECT_TRUE(Hear(120) > 100 * MS && to < 112 * MS) << to;
    HearTick(gApp);
    EXPECT_EQ(Hear(20), 20 * MS - 1);
}
