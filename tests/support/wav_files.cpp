#include "support/wav_files.h"

#include <cstdio>

namespace wav_files {

namespace {

void put16(Bytes &b, unsigned v)
{
    b.push_back((unsigned char)(v & 0xff));
    b.push_back((unsigned char)((v >> 8) & 0xff));
}

void put32(Bytes &b, unsigned long v)
{
    put16(b, (unsigned)(v & 0xffff));
    put16(b, (unsigned)((v >> 16) & 0xffff));
}

} // namespace

Bytes chunk(const char *id, const Bytes &body)
{
    Bytes b(id, id + 4);
    put32(b, body.size());
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2)
        b.push_back(0);
    return b;
}

Bytes fmt_body(int format_tag, int channels, int bits)
{
    const int block = channels * bits / 8;
    Bytes b;
    put16(b, (unsigned)format_tag);
    put16(b, (unsigned)channels);
    put32(b, 44100);
    put32(b, 44100ul * (unsigned long)block);
    put16(b, (unsigned)block);
    put16(b, (unsigned)bits);
    return b;
}

Bytes pcm16(const std::vector<int16_t> &values)
{
    Bytes b;
    for (int16_t v : values)
        put16(b, (uint16_t)v);
    return b;
}

Bytes riff_wave(const std::vector<Bytes> &chunks)
{
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes &c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, body.size());
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes wav(int format_tag, int channels, int bits, const std::vector<int16_t> &values)
{
    return riff_wave(
        {chunk("fmt ", fmt_body(format_tag, channels, bits)), chunk("data", pcm16(values))});
}

bool write_file(const std::string &path, const Bytes &bytes)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace wav_files
