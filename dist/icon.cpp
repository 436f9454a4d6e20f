// orbostrak_icon: draws the program's icon from the game's own invader sprite
// and writes it as a PNG, so that the icon is never a second drawing.
//
//   orbostrak_icon SIZE FILE.png
//
// The icon is a square of the game's black sky with the invader in its
// middle, each sprite pixel a whole block of icon pixels so that it stays
// crisp at every size. A thin transparent rim keeps the square from touching
// its neighbours in a launcher.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "assets/sprites.h"

static const auto& icon_sprite = sprite_invader1_a;

static constexpr int ICON_MIN_SIZE = 16;
static constexpr int ICON_MAX_SIZE = 1024;
// Rim and padding are each a sixteenth of the side.
static constexpr int ICON_MARGIN_DIVISOR = 16;
static constexpr int ICON_MAX_BYTES = ICON_MAX_SIZE * (1 + 2 * ICON_MAX_SIZE);

// ---- the picture ----

// The icon as PNG rows of gray+alpha pairs, each row led by its filter byte
// 0 (none).
static uint8_t icon_rows[ICON_MAX_BYTES];

static void icon_put(int size, int x, int y, uint8_t gray, uint8_t alpha) {
    uint8_t* pixel = icon_rows + y * (1 + 2 * size) + 1 + 2 * x;
    pixel[0] = gray;
    pixel[1] = alpha;
}

// Returns the scale of the sprite, or 0 when it does not fit the icon.
static int icon_draw(int size) {
    const int margin = size / ICON_MARGIN_DIVISOR;
    const int sky = size - 2 * margin;
    const int longer = icon_sprite.w > icon_sprite.h ? icon_sprite.w : icon_sprite.h;
    int scale = (sky - 2 * margin) / longer;
    if (scale == 0)
        scale = sky / longer;
    if (scale == 0)
        return 0;
    for (int i = 0; i < size * (1 + 2 * size); i++)
        icon_rows[i] = 0;
    for (int y = margin; y < size - margin; y++)
        for (int x = margin; x < size - margin; x++)
            icon_put(size, x, y, 0, 255);
    const int left = (size - scale * icon_sprite.w) / 2;
    const int top = (size - scale * icon_sprite.h) / 2;
    for (int y = 0; y < scale * icon_sprite.h; y++)
        for (int x = 0; x < scale * icon_sprite.w; x++)
            icon_put(size, left + x, top + y,
                     icon_sprite.pixels[(y / scale) * icon_sprite.w + x / scale], 255);
    return scale;
}

// ---- PNG ----

// The image data goes into stored deflate blocks: an icon is small, and a
// PNG reader needs no more than that.
static constexpr int DEFLATE_STORED_MAX = 65535;
static constexpr uint32_t ADLER_MODULUS = 65521;

struct Crc32Table {
    uint32_t entries[256];
};

static constexpr Crc32Table crc32_table = [] {
    Crc32Table table{};
    for (uint32_t n = 0; n < 256; n++) {
        uint32_t c = n;
        for (int k = 0; k < 8; k++)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table.entries[n] = c;
    }
    return table;
}();

static uint32_t crc32_update(uint32_t crc, const uint8_t* bytes, int count) {
    for (int i = 0; i < count; i++)
        crc = crc32_table.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return crc;
}

static uint32_t adler32(const uint8_t* bytes, int count) {
    uint32_t a = 1, b = 0;
    for (int i = 0; i < count; i++) {
        a = (a + bytes[i]) % ADLER_MODULUS;
        b = (b + a) % ADLER_MODULUS;
    }
    return b << 16 | a;
}

static void put_be32(uint8_t* out, uint32_t value) {
    out[0] = uint8_t(value >> 24);
    out[1] = uint8_t(value >> 16);
    out[2] = uint8_t(value >> 8);
    out[3] = uint8_t(value);
}

// The zlib stream: header, stored blocks, checksum.
static uint8_t png_stream[2 + ICON_MAX_BYTES + 5 * (ICON_MAX_BYTES / DEFLATE_STORED_MAX + 1) + 4];

static int png_deflate_stored(const uint8_t* bytes, int count) {
    int out = 0;
    png_stream[out++] = 0x78; // deflate, 32 KB window
    png_stream[out++] = 0x01; // no preset dictionary; header check bits
    int done = 0;
    do {
        const int block = count - done < DEFLATE_STORED_MAX ? count - done : DEFLATE_STORED_MAX;
        png_stream[out++] = done + block == count ? 1 : 0; // last-block bit, type 0
        png_stream[out++] = uint8_t(block);
        png_stream[out++] = uint8_t(block >> 8);
        png_stream[out++] = uint8_t(~block);
        png_stream[out++] = uint8_t(~block >> 8);
        for (int i = 0; i < block; i++)
            png_stream[out++] = bytes[done + i];
        done += block;
    } while (done < count);
    put_be32(png_stream + out, adler32(bytes, count));
    return out + 4;
}

static bool png_chunk(FILE* file, const char* type, const uint8_t* data, int count) {
    uint8_t head[8];
    put_be32(head, uint32_t(count));
    for (int i = 0; i < 4; i++)
        head[4 + i] = uint8_t(type[i]);
    uint32_t crc = crc32_update(0xFFFFFFFFu, head + 4, 4);
    crc = crc32_update(crc, data, count) ^ 0xFFFFFFFFu;
    uint8_t tail[4];
    put_be32(tail, crc);
    return fwrite(head, 1, 8, file) == 8 &&
           (count == 0 || fwrite(data, 1, size_t(count), file) == size_t(count)) &&
           fwrite(tail, 1, 4, file) == 4;
}

static bool png_write(const char* path, int size) {
    static constexpr uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    static constexpr uint8_t PNG_DEPTH_8 = 8;
    static constexpr uint8_t PNG_GRAY_ALPHA = 4;
    uint8_t header[13] = {};
    put_be32(header, uint32_t(size));
    put_be32(header + 4, uint32_t(size));
    header[8] = PNG_DEPTH_8;
    header[9] = PNG_GRAY_ALPHA;
    const int stream = png_deflate_stored(icon_rows, size * (1 + 2 * size));
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    bool written = fwrite(signature, 1, sizeof signature, file) == sizeof signature &&
                   png_chunk(file, "IHDR", header, sizeof header) &&
                   png_chunk(file, "IDAT", png_stream, stream) &&
                   png_chunk(file, "IEND", nullptr, 0);
    return fclose(file) == 0 && written;
}

int main(int argc, char* argv[]) {
    if (argc != 3) {
        fprintf(stderr, "usage: orbostrak_icon SIZE FILE.png\n");
        return 2;
    }
    const int size = atoi(argv[1]);
    if (size < ICON_MIN_SIZE || size > ICON_MAX_SIZE) {
        fprintf(stderr, "orbostrak_icon: size %s is not from %d to %d\n", argv[1], ICON_MIN_SIZE,
                ICON_MAX_SIZE);
        return 2;
    }
    if (icon_draw(size) == 0) {
        fprintf(stderr, "orbostrak_icon: the sprite does not fit a %d px icon\n", size);
        return 1;
    }
    if (!png_write(argv[2], size)) {
        fprintf(stderr, "orbostrak_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
