// Reads a screenshot of the game window (a BMP) for the end-to-end tests.
//   shotinfo FILE size                        -> "W H"
//   shotinfo FILE pixel X Y                   -> "RRGGBB"
//   shotinfo FILE count X0 Y0 X1 Y1 RRGGBB    -> pixels of that colour in [X0, X1) x [Y0, Y1)
//   shotinfo FILE text X Y N                  -> the N characters of debug text at (X, Y)
//   shotinfo FILE ink X Y N                   -> the same for black text (the slot labels)
//   shotinfo FILE diff FILE2 X0 Y0 X1 Y1      -> pixels in [X0, X1) x [Y0, Y1) unlike FILE2's
// Text is read by matching 8x8 cells against SDL's own debug font, rendered here on a software
// renderer, so the reference is exactly what SDL_RenderDebugText draws.
#include <SDL3/SDL.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

constexpr int GLYPH = 8;
constexpr char FIRST_CHAR = ' ', LAST_CHAR = '~';
constexpr int CHARS = LAST_CHAR - FIRST_CHAR + 1;
// A lit run longer than any glyph stroke is a line of the scene passing under the text: its
// pixels say nothing about which glyph is there.
constexpr int LONG_RUN = 10;
// A cell whose best glyph still disagrees on more of the pixels that count reads as '?'.
constexpr int MAX_MISMATCH = 3;

struct Image {
    int w, h;
    uint32_t* px; // 0xRRGGBB
};

static uint32_t At(const Image& im, int x, int y) {
    if (x < 0 || y < 0 || x >= im.w || y >= im.h)
        return 0;
    return im.px[y * im.w + x];
}

// Text is drawn white. Walls are white too, but they are told apart by their length (LONG_RUN);
// the grey, red and translucent cyan lines are not this bright on all three channels.
static bool Lit(const Image& im, int x, int y) {
    uint32_t c = At(im, x, y);
    return (c >> 16 & 255) >= 200 && (c >> 8 & 255) >= 200 && (c & 255) >= 200;
}

static Image FromSurface(SDL_Surface* s) {
    SDL_Surface* rgb = SDL_ConvertSurface(s, SDL_PIXELFORMAT_XRGB8888);
    if (!rgb) {
        fprintf(stderr, "shotinfo: %s\n", SDL_GetError());
        exit(2);
    }
    Image im = {rgb->w, rgb->h, (uint32_t*)malloc(sizeof(uint32_t) * rgb->w * rgb->h)};
    for (int y = 0; y < rgb->h; y++)
        for (int x = 0; x < rgb->w; x++)
            im.px[y * rgb->w + x] =
                ((uint32_t*)((uint8_t*)rgb->pixels + y * rgb->pitch))[x] & 0xFFFFFF;
    SDL_DestroySurface(rgb);
    return im;
}

// The printable characters as SDL draws them, white on black, side by side.
static Image RenderFont() {
    SDL_Surface* s = SDL_CreateSurface(GLYPH * CHARS, GLYPH, SDL_PIXELFORMAT_XRGB8888);
    SDL_Renderer* r = SDL_CreateSoftwareRenderer(s);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    SDL_SetRenderDrawColor(r, 255, 255, 255, 255);
    for (int i = 0; i < CHARS; i++) {
        char text[2] = {(char)(FIRST_CHAR + i), 0};
        SDL_RenderDebugText(r, (float)(GLYPH * i), 0, text);
    }
    SDL_FlushRenderer(r);
    Image font = FromSurface(s);
    SDL_DestroyRenderer(r);
    SDL_DestroySurface(s);
    return font;
}

static int RunLength(const Image& im, int x, int y, int dx, int dy) {
    int n = 1;
    for (int k = 1; Lit(im, x + k * dx, y + k * dy) && n < LONG_RUN; k++)
        n++;
    for (int k = 1; Lit(im, x - k * dx, y - k * dy) && n < LONG_RUN; k++)
        n++;
    return n;
}

static char ReadCell(const Image& im, const Image& font, int cx, int cy) {
    bool lit[GLYPH][GLYPH], counts[GLYPH][GLYPH];
    for (int y = 0; y < GLYPH; y++)
        for (int x = 0; x < GLYPH; x++) {
            lit[y][x] = Lit(im, cx + x, cy + y);
            counts[y][x] = !lit[y][x] || (RunLength(im, cx + x, cy + y, 1, 0) < LONG_RUN &&
                                          RunLength(im, cx + x, cy + y, 0, 1) < LONG_RUN);
        }
    // Fewest disagreements on the pixels that count; between equals, the glyph that leans least
    // on pixels of a line (a space under a line is a space, not a dash).
    char best = '?';
    int bestScore = MAX_MISMATCH + 1, bestOnLine = 0;
    for (int i = 0; i < CHARS; i++) {
        int score = 0, onLine = 0;
        for (int y = 0; y < GLYPH; y++)
            for (int x = 0; x < GLYPH; x++) {
                bool set = Lit(font, GLYPH * i + x, y);
                score += counts[y][x] && set != lit[y][x];
                onLine += !counts[y][x] && set;
            }
        if (score < bestScore || (score == bestScore && onLine < bestOnLine)) {
            best = (char)(FIRST_CHAR + i);
            bestScore = score;
            bestOnLine = onLine;
        }
    }
    return best;
}

// Black text on a light box, turned into white text on black for ReadCell.
static Image InkOnly(const Image& im) {
    Image ink = {im.w, im.h, (uint32_t*)malloc(sizeof(uint32_t) * im.w * im.h)};
    for (int i = 0; i < im.w * im.h; i++)
        ink.px[i] = im.px[i] == 0 ? 0xFFFFFF : 0;
    return ink;
}

static int Usage() {
    fprintf(stderr, "usage: shotinfo FILE size | pixel X Y | count X0 Y0 X1 Y1 RRGGBB"
                    " | text X Y N | ink X Y N | diff FILE2 X0 Y0 X1 Y1\n");
    return 2;
}

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    SDL_Surface* loaded = SDL_LoadBMP(argv[1]);
    if (!loaded) {
        fprintf(stderr, "shotinfo: %s: %s\n", argv[1], SDL_GetError());
        return 2;
    }
    Image im = FromSurface(loaded);
    SDL_DestroySurface(loaded);
    const char* what = argv[2];
    auto arg = [&](int i) { return atoi(argv[i]); };

    if (!strcmp(what, "size") && argc == 3) {
        printf("%d %d\n", im.w, im.h);
    } else if (!strcmp(what, "pixel") && argc == 5) {
        printf("%06X\n", At(im, arg(3), arg(4)));
    } else if (!strcmp(what, "count") && argc == 8) {
        uint32_t rgb = (uint32_t)strtoul(argv[7], nullptr, 16);
        int n = 0;
        for (int y = SDL_max(arg(4), 0); y < SDL_min(arg(6), im.h); y++)
            for (int x = SDL_max(arg(3), 0); x < SDL_min(arg(5), im.w); x++)
                n += At(im, x, y) == rgb;
        printf("%d\n", n);
    } else if (!strcmp(what, "text") && argc == 6) {
        Image font = RenderFont();
        for (int i = 0; i < arg(5); i++)
            putchar(ReadCell(im, font, arg(3) + GLYPH * i, arg(4)));
        putchar('\n');
    } else if (!strcmp(what, "ink") && argc == 6) {
        Image font = RenderFont();
        Image ink = InkOnly(im);
        for (int i = 0; i < arg(5); i++)
            putchar(ReadCell(ink, font, arg(3) + GLYPH * i, arg(4)));
        putchar('\n');
    } else if (!strcmp(what, "diff") && argc == 8) {
        SDL_Surface* other = SDL_LoadBMP(argv[3]);
        if (!other) {
            fprintf(stderr, "shotinfo: %s: %s\n", argv[3], SDL_GetError());
            return 2;
        }
        Image im2 = FromSurface(other);
        SDL_DestroySurface(other);
        int n = 0;
        for (int y = SDL_max(arg(5), 0); y < SDL_min(arg(7), im.h); y++)
            for (int x = SDL_max(arg(4), 0); x < SDL_min(arg(6), im.w); x++)
                n += At(im, x, y) != At(im2, x, y);
        printf("%d\n", n);
    } else {
        return Usage();
    }
    return 0;
}
