// Four item slots: the left and right hands and two in reserve. Each slot cools down after a
// use, and its cooldown travels with the item when slots are swapped.
#include "defs.h"

#include <string.h>

Inventory* gInventory;

const i8 gDefaultItems[4] = {-1, 2, -1, -1};

// The slot display: a diamond of boxes, the hands left and right, the reserves above and below.
const SDL_FRect gSlotRects[4] = {
    {10, 200, 20, 20},
    {60, 200, 20, 20},
    {35, 175, 20, 20},
    {35, 225, 20, 20},
};

// Where texts are drawn at twice the size (TextScale) the boxes double to hold their labels ("-1"
// is 32 by 16 there), in a diamond centred on (75, 210): below the cooldown bars, which end at y
// 120, right of the screen's edge and above the touch box Q, from y 290.
constexpr SDL_FRect BIG_SLOT_RECTS[4] = {
    {5, 190, 40, 40},
    {105, 190, 40, 40},
    {55, 140, 40, 40},
    {55, 240, 40, 40},
};
// A label's top left corner in its box: 5 pixels in, as the small boxes always had it; in a big
// box "-1" stands in the middle.
constexpr Vec2 LABEL_INSET = {5, 5}, BIG_LABEL_INSET = {4, 12};

constexpr f32 BAR_W = 8;
constexpr u32 BAR_MAX_H = 60;
constexpr u32 BAR_BOTTOM = 120;

static SDL_FRect sDebugRect;

void InitInventory(Inventory* inventory) {
    gInventory = inventory;
    for (int i = 0; i < 4; i++) {
        inventory->slots[i].item = gDefaultItems[i];
        inventory->slots[i].cooldown = 0;
        inventory->slots[i].cooldownMax = 0;
    }
}

void UpdateInventory() {
    for (int i = 0; i < 4; i++)
        if (gInventory->slots[i].cooldown != 0)
            gInventory->slots[i].cooldown--;
}

// Exchanges slot `side` with reserve slot 2, or with slot 3 when `which` is not 0.
void ItemSwap(u8 side, u8 which) {
    InventorySlot* other = &gInventory->slots[which == 0 ? 2 : 3];
    InventorySlot swap = gInventory->slots[side];
    gInventory->slots[side] = *other;
    *other = swap;
}

// White boxes labelled with their item ids, and a red bar for each slot still cooling down.
void DrawInventory() {
    f32 scale = TextScale();
    const SDL_FRect* rects = scale > 1 ? BIG_SLOT_RECTS : gSlotRects;
    Vec2 inset = scale > 1 ? BIG_LABEL_INSET : LABEL_INSET;
    sDebugRect.w = BAR_W;
    for (int i = 0; i < 4; i++) {
        const InventorySlot* slot = &gInventory->slots[i];
        SDL_SetRenderDrawColor(gRenderer, 255, 255, 255, 255);
        SDL_RenderFillRect(gRenderer, &rects[i]);
        SDL_SetRenderDrawColor(gRenderer, 0, 0, 0, 255);
        if (slot->item == -1) {
            strcpy(gStrBuffer, "-1");
        } else {
            gStrBuffer[0] = '0' + slot->item;
            gStrBuffer[1] = 0;
        }
        DrawScaledText(rects[i].x + inset.x, rects[i].y + inset.y, scale, gStrBuffer);

        if (slot->cooldown != 0 && slot->item != -1) {
            f32 ratio = (f32)slot->cooldown / (f32)slot->cooldownMax * BAR_MAX_H;
            u32 height = ratio < BAR_MAX_H ? (u32)ratio : BAR_MAX_H;
            SDL_SetRenderDrawColor(gRenderer, 255, 0, 0, 255);
            sDebugRect.x = i * 10;
            sDebugRect.y = BAR_BOTTOM - height;
            sDebugRect.h = height;
            // SDL's software renderer fills a row even for a rectangle of no height, and a bar
            // under a pixel tall must show nothing.
            if (height > 0)
                SDL_RenderFillRect(gRenderer, &sDebugRect);
        }
    }
}
