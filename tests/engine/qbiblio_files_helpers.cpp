#include "qbiblio_files_helpers.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

std::ostream &operator<<(std::ostream &out, const Rgba &c)
{
    return out << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

void Picture::fill(int x, int y, int fw, int fh, Rgba colour)
{
    for (int j = y; j < y + fh; j++)
        for (int i = x; i < x + fw; i++)
            at(i, j) = colour;
}

std::string write_bmp24(const TempDir &dir, const std::string &file, const Picture &p)
{
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, p.w, p.h, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    for (int y = 0; y < p.h; y++)
        for (int x = 0; x < p.w; x++) {
            const Rgba &c = p.pixels[y * p.w + x];
            Uint8 *px = static_cast<Uint8 *>(s->pixels) + y * s->pitch + 3 * x;
            px[0] = c.b;
            px[1] = c.g;
            px[2] = c.r;
        }
    SDL_SaveBMP(s, dir.path(file).c_str());
    SDL_FreeSurface(s);
    return dir.path(file);
}

namespace {

uint32_t crc32(const std::vector<uint8_t> &bytes, size_t from)
{
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = from; i < bytes.size(); i++) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void put32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void chunk(std::vector<uint8_t> &out, const char *type, const std::vector<uint8_t> &data)
{
    put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, crc32(out, start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<uint8_t> zlib_stored(const std::vector<uint8_t> &raw)
{
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t n = std::min<size_t>(raw.size() - pos, 65535);
        z.push_back(pos + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, b << 16 | a);
    return z;
}

} // namespace

std::string write_png(const TempDir &dir, const std::string &file, const Picture &p,
                      bool with_alpha)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < p.h; y++) {
        raw.push_back(0); // no filter
        for (int x = 0; x < p.w; x++) {
            const Rgba &c = p.pixels[y * p.w + x];
            raw.insert(raw.end(), {c.r, c.g, c.b});
            if (with_alpha)
                raw.push_back(c.a);
        }
    }
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    put32(header, static_cast<uint32_t>(p.w));
    put32(header, static_cast<uint32_t>(p.h));
    header.insert(header.end(), {8, static_cast<uint8_t>(with_alpha ? 6 : 2), 0, 0, 0});
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib_stored(raw));
    chunk(png, "IEND", {});
    std::ofstream(dir.path(file), std::ios::binary)
        .write(reinterpret_cast<const char *>(png.data()),
               static_cast<std::streamsize>(png.size()));
    return dir.path(file);
}

Rgba bgr_pixel(const SDL_Surface *s, int x, int y)
{
    const Uint8 *px = static_cast<const Uint8 *>(s->pixels) + y * s->pitch + 3 * x;
    return {px[2], px[1], px[0], 255};
}
