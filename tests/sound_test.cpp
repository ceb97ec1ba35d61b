// Sound: the mixer pulled on the test's own thread from a stream with no device, 48 kHz stereo.
#include "test_util.h"

constexpr int MS = 48; // frames a millisecond

struct SoundFixture : GameFixture {
    void SetUp() override {
        GameFixture::SetUp();
        memset(gFloor, 0, sizeof(Floor));
        gApp->mode = MODE_CUTSCENE;
        SDL_AudioSpec format = {SDL_AUDIO_F32, 2, 48000};
        StartSound(stream = SDL_CreateAudioStream(&format, &format));
        Update(gApp); // the countdown's first tick, heard
    }
    void TearDown() override {
        CloseSound();
    }
    // What played: each side's peak, the right's in the first ms, the left's largest step; the
    // first and last sound, the left's peak's, the first lopsided; the left's crossings by thirds.
    SDL_AudioStream* stream;
    std::vector<f32> s;
    f32 left, right, opening, jump;
    int from, to, loudest, lopsided, early, late;
    int Hear(int ms) { // what plays for so long; its last frame not silent
        s.assign(2 * ms * MS, 0);
        SDL_GetAudioStreamData(stream, s.data(), s.size() * sizeof(f32));
        left = right = opening = jump = 0, from = to = lopsided = -1, loudest = early = late = 0;
        for (int i = 0; i < ms * MS; i++) {
            if (fabsf(s[2 * i]) > left)
                left = fabsf(s[2 * (loudest = i)]);
            right = fmaxf(right, fabsf(s[2 * i + 1]));
            opening = i < MS ? right : opening;
            jump = i ? fmaxf(jump, fabsf(s[2 * i] - s[2 * i - 2])) : 0;
            if (s[2 * i] != 0 || s[2 * i + 1] != 0)
                to = i, from = from < 0 ? i : from;
            lopsided = lopsided < 0 && s[2 * i] != s[2 * i + 1] ? i : lopsided;
        }
        for (int i = from + 1, third = (to - from) / 3; from >= 0 && i < to; i++) {
            bool crossed = (s[2 * i] < 0) != (s[2 * i - 2] < 0);
            early += crossed && i < from + third;
            late += crossed && i > to - third;
        }
        return to;
    }
    int Tick(char key = 0, int ms = 400) { // one tick with that US key's place held, then Hear
        KeyPressed(SDL_GetScancodeFromKey(key, nullptr), 1);
        Update(gApp);
        KeyPressed(SDL_GetScancodeFromKey(key, nullptr), 0);
        return Hear(ms);
    }
};

// Through the game's tick each happening sounds at once, for its length: play beginning; a hop's
// chirp up, its quieter landing; a right-hand use falling, a swap, on the right; the left wheel's
// hum on the left only, none at rest; a knock louder the faster, the scrape. A bigger push: louder,
// longer, lower (30, 150, 300 ms); a pull rises; none, a 20 ms click; held, its one voice restarts.
TEST_F(SoundFixture, EachHappeningInTheGameStartsItsSound) {
    for (int t = 2; t < 30; t++) // the countdown, silent
        EXPECT_EQ(Tick(0, 16), -1) << t;
    EXPECT_TRUE(Tick() / MS == 149 && from < MS && left == right);
    EXPECT_TRUE(Tick(' ') / MS == 119 && from < MS && loudest <= 5 * MS && early < late);
    for (f32 chirp = left, t = 1; t < 20; t++)
        EXPECT_TRUE(Tick(0, 16) == -1 && (t < 19 || (Tick() / MS == 89 && left < chirp)));
    EXPECT_TRUE(Tick('d') / MS == 149 && from < MS && early > late && right == 2 * left);
    f32 thump = right;
    EXPECT_TRUE(Tick('e') / MS == 39 && from < MS && right == 2 * left); // both wheels free now
    EXPECT_TRUE(Tick('w') > 0 && from == 0 && left > 0 && right > 0);
    gInventory->slots[1].item = 2; // only the left wheel drives; the right one's speed decays
    for (int t = 1; t < 5; t++)
        Tick(0, 16);
    EXPECT_TRUE(Tick(0, 20) < 11 * MS && Tick(0, 20) == -1 && Tick('w') > 0 && right == 0);
    gFloor->vWalls[4][4] = 1; // x 125 to 145: the body touches it at x 105
    auto knock = [&](f32 speed) {
        InitPlayer(gPlayer);
        gPlayer->pos = {95, 0};
        gPlayer->vel = {speed, -4};
        StartSound(stream); // heard afresh from where the body stands
        HearTick(gApp), Hear(1);
        return Tick(0, 60) > 0 && from < MS && left == right && gPlayer->pos.x == 104.99f ? left
                                                                                          : 0;
    };
    f32 soft = knock(15);
    EXPECT_TRUE(soft > 0 && knock(30) > soft && Tick(0, 100) == 100 * MS - 1);
    gPlayer->vel = {};
    EXPECT_LT(Tick(0, 20), 11 * MS);
    auto use = [&](i8 item, int ms) { // in the right hand
        return gInventory->slots[1] = {0, 0, item}, Tick('d') / MS == ms;
    };
    EXPECT_TRUE(use(0, 29) && early > late && right < thump);
    f32 tick = right;
    EXPECT_TRUE(use(3, 299) && early > late && right > thump);
    f32 blast = right;
    EXPECT_TRUE(use(6, 19) && right < tick);
    EXPECT_TRUE(use(7, 59) && early < late);
    gInventory->slots[1] = {0, 0, 5};
    Tick('d', 16);
    f32 loudest = right, softest = 1; // each restart carries on from where the voice stood
    for (int t = 1; t < 600;
         t++, loudest = fmaxf(loudest, right), softest = fminf(softest, opening))
        Tick('d', 16);
    EXPECT_TRUE(loudest < 1.5f * blast && softest > 0.5f * blast) << softest;
}

// Every voice at once stays within full scale. M fades all out in 10 ms to exact zeros, "sound
// off" showing; not its repeat, M again brings it back. No tick for 100 ms: the hum fades out.
TEST_F(SoundFixture, EverythingAtOnceFitsAndFades) {
    gApp->mode = MODE_PLAYING; // play begins with a knock: held back 30 a tick, sliding 30
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
    SDL_Event m = {.key = {.type = SDL_EVENT_KEY_DOWN, .key = SDLK_M}}; // by its letter, no place
    Send(m);
    HearTick(gApp);
    EXPECT_TRUE(Hear(20) / MS == 9 && jump <= before + hum / (10 * MS) && SoundOffShown());
    m.key.repeat = true;
    EXPECT_TRUE(Send(m) == 0 && Hear(20) == -1);
    m.key.repeat = false;
    EXPECT_TRUE(Send(m) == 0 && Hear(20) == 20 * MS - 1 && !SoundOffShown());
    HearTick(gApp);
    EXPECT_TRUE(Hear(120) > 100 * MS && to < 112 * MS) << to;
    HearTick(gApp);
    EXPECT_EQ(Hear(20), 20 * MS - 1);
}

// A wall knocks once a contact, however long the body presses into it, and again when it comes
// back. A wheel's hum, in its own ear, rises with that wheel's speed. Ticks run together sound in
// order, a tick apart; a stall's are heard over four ticks at most, the earlier ones' sounds first.
TEST_F(SoundFixture, EachTickIsHeardOnceInOrderAndInTime) {
    gFloor->vWalls[4][4] = 1;    // x 125 to 145: the body touches it at x 105
    gPlayer->pos = {104.99f, 0}; // touching it, still
    HearTick(gApp), Hear(20);    // heard from there
    gApp->mode = MODE_PLAYING;
    EXPECT_TRUE(Tick(0, 200) / MS == 149 && from < MS); // play begins
    auto push = [&](f32 x, int ms) { return gPlayer->vel = {x, 0}, Tick(0, ms); };
    EXPECT_TRUE(push(15, 60) > 0 && from < MS && left == right); // a knock
    for (int t = 0; t < 5; t++)
        EXPECT_EQ(Tick(0, 16), -1) << t; // pressed on at 14.7 and less: no knock
    EXPECT_EQ(push(-10, 16), -1);        // off the wall
    EXPECT_TRUE(push(15, 60) > 0 && from < MS && left == right); // and back: a knock
    auto hum = [&](f32 l, f32 r) { // the left ear's crossings over the last 30 of 90 ms
        gPlayer->wheelSpeed[0] = l, gPlayer->wheelSpeed[1] = r;
        HearTick(gApp), Hear(50), HearTick(gApp), Hear(90);
        return late;
    };
    int slow = hum(0.5f, 2), fast = hum(2, 0.5f); // 80 Hz against 200
    EXPECT_TRUE(slow > 0 && fast > 2 * slow) << slow;
    hum(0, 0);
    KeyPressed(SDL_SCANCODE_SPACE, 1), Update(gApp); // a hop's chirp, alike in both ears,
    KeyPressed(SDL_SCANCODE_SPACE, 0);
    EXPECT_TRUE(Tick('d', 200) > 0 && from < MS && lopsided / MS == 16); // a use, a tick on
    gPlayer->vel = {};                                                   // pushed back no more
    for (int t = 0; t < 60; t++) // a second's ticks at once, the landing among them, then a swap
        Update(gApp);
    EXPECT_TRUE(Tick('q', 100) > 0 && from < MS && lopsided / MS == 50); // the swap 3 ticks on
}
