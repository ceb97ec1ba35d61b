// The player: wheel locomotion, aim, hop, swap, item use with recoil, and how it is drawn.
#include "test_util.h"

#include <vector>

struct PlayerTest : GameFixture {
    void SetUp() override {
        GameFixture::SetUp();
        ClearFloor();
        SkipCutscene();
    }
    // A playing tick with the pointer placed by the test (Update would read the real one); by
    // default straight above the player on screen, so that the aim follows the facing.
    void Tick(Vec2 mouse = {400, 100}) {
        gApp->mouse = mouse;
        UpdatePlaying();
        UpdateCamera();
    }
    void Hold(u8 row, u8 down = 1) {
        gBindInfo[row].down[0] = down;
    }
};

TEST_F(PlayerTest, OneTickFromRest) {
    struct {
        i8 rightHand;
        u8 row;
        f32 wheel0, wheel1, facing;
        Vec2 vel;
    } cases[] = {
        {-1, BIND_FORWARD, 0.245f, 0.245f, 0, {0, -0.25f}},
        {-1, BIND_SIDE0, -0.245f, 0.245f, -0.0249948f, {0, 0}}, // spins left in place
        {-1, BIND_SIDE1, 0.245f, -0.245f, 0.0249948f, {0, 0}},
        {2, BIND_FORWARD, 0.245f, 0, 0.0124993f, {0.0015624f, -0.1249902f}}, // curves right
    };
    for (auto& k : cases) {
        SCOPED_TRACE(testing::Message() << "row " << (int)k.row << ", item " << (int)k.rightHand);
        InitPlayer(gPlayer);
        gInventory->slots[1].item = k.rightHand;
        Hold(k.row);
        Update(gApp);
        Hold(k.row, 0);
        EXPECT_NEAR(gPlayer->wheelSpeed[0], k.wheel0, 1e-7);
        EXPECT_NEAR(gPlayer->wheelSpeed[1], k.wheel1, 1e-7);
        EXPECT_NEAR(gPlayer->facing, k.facing, 1e-7);
        EXPECT_NEAR(gPlayer->vel.x, k.vel.x, 1e-7);
        EXPECT_NEAR(gPlayer->vel.y, k.vel.y, 1e-7);
        EXPECT_NEAR(gPlayer->pos.x, k.vel.x, 1e-7); // from the origin, with no wall in the way
        EXPECT_NEAR(gPlayer->pos.y, k.vel.y, 1e-7);
    }
}

TEST_F(PlayerTest, HeldForwardSettlesNear2451) {
    gInventory->slots[1].item = -1;
    KeyPressed('w', 1);
    for (int t = 0; t < 800; t++)
        Update(gApp);
    EXPECT_NEAR(Vec2Magnitude(gPlayer->vel), 24.51f, 0.01f);
    EXPECT_NEAR(gPlayer->wheelSpeed[0], 0.48039f, 1e-5);
}

TEST_F(PlayerTest, AimFollowsThePointerWithinAThirdOfATurn) {
    gInventory->slots[1].item = -1;
    Hold(BIND_SIDE0);
    for (int t = 0; t < 7; t++)
        Tick();
    Hold(BIND_SIDE0, 0);
    ASSERT_LT(gPlayer->facing, -0.1f);
    Tick({700, 420}); // square to the right on screen
    EXPECT_NEAR(gPlayer->aim, gPlayer->facing + 1.5707963f, 1e-5);
    Tick({400, 580}); // straight behind
    EXPECT_FLOAT_EQ(gPlayer->aim, gPlayer->facing - PI_TWOTHIRDS);
}

TEST_F(PlayerTest, HeldHopAndSwapRepeatAtTheirOwnPace) {
    KeyPressed(' ', 1);
    KeyPressed('e', 1);
    std::vector<int> hops, swaps;
    for (int t = 0; t < 250; t++) {
        u8 wasHopping = gPlayer->hopping;
        i8 rightHand = gInventory->slots[1].item;
        Update(gApp);
        if (!wasHopping && gPlayer->hopping)
            hops.push_back(t);
        if (gInventory->slots[1].item != rightHand)
            swaps.push_back(t);
    }
    EXPECT_EQ(hops, (std::vector<int>{0, 80, 160, 240}));
    EXPECT_EQ(swaps, (std::vector<int>{0, 41, 82, 123, 164, 205, 246}));
}

TEST_F(PlayerTest, Item2RecoilAndTheRecoilHop) {
    MouseDownSearch(SDL_BUTTON_RIGHT, 1);
    Tick();
    MouseDownSearch(SDL_BUTTON_RIGHT, 0);
    EXPECT_TRUE(gPlayer->vel.x == 0 && gPlayer->vel.y == 35);
    EXPECT_TRUE(gPlayer->savedVel.x == 0 && gPlayer->savedVel.y == 35);
    EXPECT_EQ(gPlayer->recoilTimer, 20u);
    EXPECT_EQ(gInventory->slots[1].cooldown, 80u);
    EXPECT_EQ(gInventory->slots[1].cooldownMax, 80u);
    EXPECT_TRUE(gInventory->useCounts[0] == 0 && gInventory->useCounts[1] == 0);
    EXPECT_EQ(gInventory->useCounts[2], 1);

    for (int t = 0; t < 4; t++)
        Tick();
    Hold(BIND_HOP);
    Tick(); // five ticks after the use: the velocity had decayed to about 31.64
    Hold(BIND_HOP, 0);
    EXPECT_TRUE(gPlayer->hopping && gPlayer->recoilTimer == 0 && gPlayer->recoilHopTimer == 20);
    for (int t = 0; t <= 20; t++) {
        EXPECT_TRUE(gPlayer->vel.x == 0 && gPlayer->vel.y == 35) << "tick " << t << " of the hop";
        Tick();
    }
    EXPECT_EQ(gPlayer->hopping, 0);
    EXPECT_LT(gPlayer->vel.y, 35); // back on the ground, decaying again
}

TEST_F(PlayerTest, Items6And7BumpNoCounter) {
    Inventory before = *gInventory;
    for (i8 item : {6, 7}) {
        gInventory->slots[1] = {0, 0, item};
        gPlayer->vel = v2zero;
        Hold(BIND_SIDE1);
        Tick();
        Hold(BIND_SIDE1, 0);
        EXPECT_EQ(gPlayer->vel.x, 0);
        EXPECT_FLOAT_EQ(gPlayer->vel.y, item == 7 ? -10 : 0); // item 7 pulls toward the aim
        EXPECT_EQ(gPlayer->recoilTimer, 20u);
    }
    // No counter moved, and nothing next to them either.
    for (int slot : {0, 2, 3})
        EXPECT_EQ(memcmp(&gInventory->slots[slot], &before.slots[slot], sizeof(InventorySlot)), 0);
    EXPECT_EQ(memcmp(gInventory->useCounts, before.useCounts, sizeof(before.useCounts)), 0);
}

TEST_F(PlayerTest, ACoolingOrEmptySlotIsNeverUsed) {
    gInventory->slots[1].cooldown = 1;
    gInventory->slots[1].cooldownMax = 80;
    GameState before;
    memcpy(&before, gApp, sizeof(GameState));
    UseItem(0); // empty
    UseItem(1); // cooling
    EXPECT_EQ(memcmp(&before, gApp, sizeof(GameState)), 0);

    gInventory->slots[1].cooldown = 0;
    MouseDownSearch(SDL_BUTTON_RIGHT, 1);
    for (int t = 0; t < 161; t++)
        Tick();
    EXPECT_EQ(gInventory->useCounts[2], 3); // held, item 2 fires once in every 80 ticks
}

// ---- Drawing ---------------------------------------------------------------------------

TEST_F(PlayerTest, DrawnAtItsScreenPlaceWithTheHeadingUp) {
    Canvas c;
    gInventory->slots[1].item = -1;
    Hold(BIND_FORWARD);
    Hold(BIND_SIDE0); // veers left
    for (int t = 0; t < 50; t++)
        Tick({700, 150});
    ASSERT_TRUE(Vec2Magnitude(gPlayer->pos) > 10 && gPlayer->facing < -0.2f);
    c.Clear();
    DrawPlayer();
    for (int dx : {-20, 20}) // the circle of radius 20 around (400, 420)
        EXPECT_GT(c.Count(WHITE, 400 + dx - 1, 419, 400 + dx + 2, 422), 0) << dx;
    EXPECT_GT(c.Count(WHITE, 399, 439, 402, 442), 0);
    EXPECT_EQ(c.Count(WHITE, 0, 0, 800, 398) + c.Count(WHITE, 0, 443, 800, 600) +
                  c.Count(WHITE, 0, 0, 378, 600) + c.Count(WHITE, 423, 0, 800, 600),
              0);
    EXPECT_EQ(c.Count(WHITE, 399, 402, 402, 418), 16); // the heading line, straight up
    EXPECT_EQ(c.Count(WHITE, 399, 422, 402, 438), 0);  // and nothing below the centre
}

TEST_F(PlayerTest, SlotBoxesLabelsAndCooldownBars) {
    Canvas c;
    const SDL_FRect boxes[4] = {
        {10, 200, 20, 20}, {60, 200, 20, 20}, {35, 175, 20, 20}, {35, 225, 20, 20}};
    const char* labels[4] = {"-1", "2", "-1", "-1"};
    auto grab = [&] {
        std::vector<u32> px;
        for (const SDL_FRect& b : boxes)
            for (int y = b.y - 2; y < b.y + 22; y++)
                for (int x = b.x - 2; x < b.x + 22; x++)
                    px.push_back(c.At(x, y));
        return px;
    };
    c.Clear();
    DrawInventory();
    std::vector<u32> drawn = grab();
    EXPECT_EQ(c.Count(RED), 0);
    c.Clear(); // what the boxes with the expected labels look like
    for (int i = 0; i < 4; i++) {
        SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
        SDL_RenderFillRect(gRenderer, &boxes[i]);
        SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
        SDL_RenderDebugText(gRenderer, boxes[i].x + 5, boxes[i].y + 5, labels[i]);
    }
    ASSERT_GT(c.Count(0, 10, 200, 30, 220), 0);
    EXPECT_EQ(drawn, grab());

    MouseDownSearch(SDL_BUTTON_RIGHT, 1);
    Tick();
    MouseDownSearch(SDL_BUTTON_RIGHT, 0);
    c.Clear();
    DrawInventory();
    EXPECT_EQ(c.Count(RED), 8 * 60);
    EXPECT_EQ(c.Count(RED, 10, 60, 18, 120), 8 * 60);
    for (int t = 0; t < 40; t++)
        Tick();
    c.Clear();
    DrawInventory();
    EXPECT_EQ(c.Count(RED), 8 * 30);
    EXPECT_EQ(c.Count(RED, 10, 90, 18, 120), 8 * 30);
}

TEST_F(PlayerTest, RoomOverlayOutlinesTheBlockAroundTheNearestCorner) {
    Canvas c;
    gApp->zoom = -1; // a third of the size, so that the whole block is on screen
    struct {
        Vec2 pos, corner;
    } cases[] = {{{0, 0}, {-135, -95}},
                 {{-10, 0}, {-405, -95}},
                 {{10, 60}, {-135, -95}},
                 {{1185, 825}, {675, 475}},
                 {{-1185, -825}, {-1215, -855}}};
    for (auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.pos.x << ", " << k.pos.y);
        gPlayer->pos = k.pos;
        gPlayer->facing = 0.4f;
        UpdateCamera();
        c.Clear(0x21, 0x21, 0x21);
        DrawPlayerDebug();
        // Translucent over the background: any changed pixel near the point will do.
        auto changedNear = [&](f32 dx, f32 dy) {
            Vec2 world = {k.corner.x + dx, k.corner.y + dy};
            DrawInfo di = GetDrawInfo(&world);
            EXPECT_TRUE(di.pos.x >= 1 && di.pos.x < 799 && di.pos.y >= 1 && di.pos.y < 599);
            int x = di.pos.x, y = di.pos.y;
            return c.Count(BACKGROUND, x - 1, y - 1, x + 2, y + 2) < 9;
        };
        EXPECT_TRUE(changedNear(0, 0));
        EXPECT_TRUE(changedNear(270, 0));
        EXPECT_TRUE(changedNear(540, 380));
        EXPECT_FALSE(changedNear(270, 190)); // an outline, not a fill
        SDL_BlendMode mode;
        SDL_GetRenderDrawBlendMode(gRenderer, &mode);
        EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
    }
}
