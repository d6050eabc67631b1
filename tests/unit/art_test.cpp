// Checks the completion pictures and the file icon in res/ as files: their
// headers, the RLE8 stream, the mirror relation and the icon directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef RES_DIR
#error "RES_DIR must name the res folder"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 503;
constexpr int kHeight = 314;
constexpr int kBand = 164;

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kGrey{128, 128, 128};

Bytes ReadFile(const char* name) {
    std::ifstream in(std::string(RES_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t U16(const Bytes& b, std::size_t at) {
    return at + 2 <= b.size() ? static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8)) : 0xFFFFFFFFu;
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::int32_t I32(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

struct Bmp {
    std::int32_t width = 0, height = 0;
    std::uint32_t bpp = 0, compression = 0, sizeImage = 0, clrUsed = 0;
    std::vector<Rgb> palette;
    Bytes bits;  // what follows the palette, up to bfOffBits + biSizeImage
};

// Reads the headers and palette of a file with a BITMAPINFOHEADER; false when malformed.
bool ParseBmp(const Bytes& f, Bmp* out) {
    if (f.size() < 54 || f[0] != 'B' || f[1] != 'M') return false;
    if (U32(f, 2) != f.size() || U32(f, 14) != 40) return false;
    const std::uint32_t offBits = U32(f, 10);
    out->width = I32(f, 18);
    out->height = I32(f, 22);
    if (U16(f, 26) != 1) return false;
    out->bpp = U16(f, 28);
    out->compression = U32(f, 30);
    out->sizeImage = U32(f, 34);
    out->clrUsed = U32(f, 46);
    const std::uint32_t colours = out->clrUsed ? out->clrUsed : (1u << out->bpp);
    if (54 + 4ull * colours != offBits) return false;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = 54 + 4 * i;
        out->palette.push_back(Rgb{f[at + 2], f[at + 1], f[at]});
    }
    if (static_cast<std::uint64_t>(offBits) + out->sizeImage != f.size()) return false;
    out->bits.assign(f.begin() + offBits, f.end());
    return true;
}

// Decodes BI_RLE8 into top-down rows of indices; false on a stream that
// overruns the image, lacks its end-of-bitmap mark, or has bytes after it.
bool DecodeRle8(const Bytes& s, int width, int height, std::vector<Bytes>* rows) {
    rows->assign(height, Bytes(width, 0));
    int x = 0, y = 0;  // y counts from the bottom row
    std::size_t i = 0;
    auto put = [&](std::uint8_t v) {
        if (x >= width || y >= height) return false;
        (*rows)[height - 1 - y][x++] = v;
        return true;
    };
    while (i + 1 < s.size()) {
        const std::uint8_t n = s[i], v = s[i + 1];
        i += 2;
        if (n > 0) {
            for (int k = 0; k < n; ++k)
                if (!put(v)) return false;
        } else if (v == 0) {  // end of line
            x = 0;
            ++y;
        } else if (v == 1) {  // end of bitmap
            return i == s.size();
        } else if (v == 2) {  // delta
            if (i + 2 > s.size()) return false;
            x += s[i];
            y += s[i + 1];
            i += 2;
        } else {  // absolute run of v bytes, padded to a word
            if (i + v > s.size()) return false;
            for (int k = 0; k < v; ++k)
                if (!put(s[i + k])) return false;
            i += v + (v & 1);
        }
    }
    return false;
}

std::vector<std::vector<Rgb>> Colours(const std::vector<Bytes>& rows, const std::vector<Rgb>& palette) {
    std::vector<std::vector<Rgb>> out;
    for (const Bytes& row : rows) {
        std::vector<Rgb> line;
        for (std::uint8_t i : row) line.push_back(i < palette.size() ? palette[i] : Rgb{1, 2, 3});
        out.push_back(line);
    }
    return out;
}

std::vector<std::vector<Rgb>> CompletionColours() {
    Bmp bmp;
    std::vector<Bytes> rows;
    if (!ParseBmp(ReadFile("completion.bmp"), &bmp) || !DecodeRle8(bmp.bits, kWidth, kHeight, &rows))
        return {};
    return Colours(rows, bmp.palette);
}

TEST(Rle8Decoder, HandlesEveryKindOfRecord) {
    // 2 rows of 6: bottom row = run(2,7) + absolute(3: 1 2 3, padded) + end of line;
    // top row = delta(2,0) + run(4,9) + end of bitmap.
    const Bytes s = {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 4, 9, 0, 1};
    std::vector<Bytes> rows;
    ASSERT_TRUE(DecodeRle8(s, 6, 2, &rows));
    EXPECT_EQ(rows[0], (Bytes{0, 0, 9, 9, 9, 9}));
    EXPECT_EQ(rows[1], (Bytes{7, 7, 1, 2, 3, 0}));
    EXPECT_FALSE(DecodeRle8({7, 1, 0, 1}, 6, 1, &rows));  // run past the row
    EXPECT_FALSE(DecodeRle8({6, 1, 0, 0}, 6, 1, &rows));  // no end of bitmap
}

TEST(CompletionPicture, IsRle8WithTheFiveColours) {
    Bmp bmp;
    ASSERT_TRUE(ParseBmp(ReadFile("completion.bmp"), &bmp));
    EXPECT_EQ(bmp.width, kWidth);
    EXPECT_EQ(bmp.height, kHeight);  // positive: bottom-up, as RLE requires
    EXPECT_EQ(bmp.bpp, 8u);
    EXPECT_EQ(bmp.compression, 1u);  // BI_RLE8
    EXPECT_EQ(bmp.clrUsed, 5u);
    EXPECT_EQ(bmp.palette, (std::vector<Rgb>{kBlack, kWhite, kNavy, kSilver, kGrey}));
    std::vector<Bytes> rows;
    EXPECT_TRUE(DecodeRle8(bmp.bits, kWidth, kHeight, &rows));
}

TEST(CompletionPicture, DarkBandWithDiscNearTheTopAndWhiteElsewhere) {
    const auto px = CompletionColours();
    ASSERT_EQ(px.size(), static_cast<std::size_t>(kHeight));
    int navy = 0, black = 0, light = 0;
    int discTop = kHeight, discBottom = -1, discLeft = kBand, discRight = -1;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = px[y][x];
            if (x >= kBand) {
                ASSERT_EQ(c, kWhite) << "at " << x << "," << y;
                continue;
            }
            if (c == kNavy) {
                ++navy;
            } else if (c == kBlack) {
                ++black;
            } else {
                ASSERT_TRUE(c == kWhite || c == kSilver || c == kGrey) << "at " << x << "," << y;
                ++light;
                discTop = std::min(discTop, y);
                discBottom = std::max(discBottom, y);
                discLeft = std::min(discLeft, x);
                discRight = std::max(discRight, x);
            }
        }
    }
    // Dithered: both dark colours are plentiful, and navy leads (the plain curve).
    EXPECT_GT(black, kBand * kHeight / 5);
    EXPECT_GT(navy, black);
    // The disc: a small symbol in the upper part of the band, not touching its edges.
    ASSERT_GT(light, 0);
    EXPECT_GT(discTop, 0);
    EXPECT_LT(discBottom, kHeight / 3);
    EXPECT_GT(discLeft, 0);
    EXPECT_LT(discRight, kBand - 1);
    EXPECT_LE(discRight - discLeft + 1, 100);
    EXPECT_LE(discBottom - discTop + 1, 100);
}

TEST(CompletionPicture, RightToLeftIsTheExactMirror) {
    const auto ltr = CompletionColours();
    ASSERT_EQ(ltr.size(), static_cast<std::size_t>(kHeight));

    Bmp bmp;
    ASSERT_TRUE(ParseBmp(ReadFile("completion_rtl.bmp"), &bmp));
    EXPECT_EQ(bmp.width, kWidth);
    EXPECT_EQ(bmp.height, kHeight);
    EXPECT_EQ(bmp.bpp, 8u);
    EXPECT_EQ(bmp.compression, 0u);  // BI_RGB
    EXPECT_EQ(bmp.clrUsed, 256u);
    ASSERT_EQ(bmp.palette.size(), 256u);
    const std::size_t stride = (kWidth + 3) & ~3u;
    ASSERT_EQ(bmp.bits.size(), stride * kHeight);

    std::vector<Bytes> rows;
    for (int y = 0; y < kHeight; ++y) {
        const auto at = bmp.bits.begin() + static_cast<std::ptrdiff_t>(stride * (kHeight - 1 - y));
        rows.emplace_back(at, at + kWidth);
    }
    const auto rtl = Colours(rows, bmp.palette);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(rtl[y][x], ltr[y][kWidth - 1 - x]) << "at " << x << "," << y;
}

struct IconEntry {
    std::uint32_t size, bpp, bytes, offset;
};

// The directory of setup.ico; empty when the header is not an icon's.
std::vector<IconEntry> IconDirectory(const Bytes& f) {
    std::vector<IconEntry> out;
    if (U16(f, 0) != 0 || U16(f, 2) != 1) return out;
    const std::uint32_t count = U16(f, 4);
    for (std::uint32_t i = 0; i < count && 6 + 16 * (i + 1) <= f.size(); ++i) {
        const std::size_t e = 6 + 16 * i;
        out.push_back(IconEntry{f[e] ? f[e] : 256u, U16(f, e + 6), U32(f, e + 8), U32(f, e + 12)});
    }
    return out;
}

TEST(SetupIcon, HoldsTheTenImages) {
    const Bytes f = ReadFile("setup.ico");
    ASSERT_GE(f.size(), 6u);
    ASSERT_EQ(U16(f, 4), 10u);
    const std::vector<IconEntry> dir = IconDirectory(f);
    ASSERT_EQ(dir.size(), 10u);

    for (std::size_t i = 0; i < dir.size(); ++i) {
        const IconEntry& d = dir[i];
        const std::size_t e = 6 + 16 * i;
        SCOPED_TRACE("image " + std::to_string(d.size) + " px, " + std::to_string(d.bpp) + " bpp");
        EXPECT_EQ(f[e + 1] ? f[e + 1] : 256u, d.size);  // square
        EXPECT_EQ(f[e + 2], d.bpp == 4 ? 16 : 0);       // colour count
        EXPECT_EQ(U16(f, e + 4), 1u);                   // planes
        ASSERT_LE(static_cast<std::uint64_t>(d.offset) + d.bytes, f.size());

        if (d.size == 256) {
            const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
            EXPECT_EQ(d.bpp, 32u);
            ASSERT_GE(d.bytes, png.size());
            EXPECT_TRUE(std::equal(png.begin(), png.end(), f.begin() + d.offset));
            continue;
        }
        // BITMAPINFOHEADER with doubled height, then colours, XOR bits and AND mask.
        ASSERT_GE(d.bytes, 40u);
        EXPECT_EQ(U32(f, d.offset), 40u);
        EXPECT_EQ(I32(f, d.offset + 4), static_cast<std::int32_t>(d.size));
        EXPECT_EQ(I32(f, d.offset + 8), static_cast<std::int32_t>(2 * d.size));
        EXPECT_EQ(U16(f, d.offset + 14), d.bpp);
        EXPECT_EQ(U32(f, d.offset + 16), 0u);  // BI_RGB
        const std::uint32_t colours = d.bpp <= 8 ? (1u << d.bpp) : 0;
        const std::uint32_t xorBytes = ((d.size * d.bpp + 31) / 32) * 4 * d.size;
        const std::uint32_t andBytes = ((d.size + 31) / 32) * 4 * d.size;
        EXPECT_EQ(d.bytes, 40 + 4 * colours + xorBytes + andBytes);
    }

    struct Want {
        std::uint32_t size, bpp;
    };
    std::vector<Want> want;
    for (std::uint32_t bpp : {4u, 8u, 32u})
        for (std::uint32_t size : {48u, 32u, 16u}) want.push_back(Want{size, bpp});
    want.push_back(Want{256, 32});
    for (const Want& w : want) {
        const auto count = std::count_if(dir.begin(), dir.end(),
                                         [&](const IconEntry& d) { return d.size == w.size && d.bpp == w.bpp; });
        EXPECT_EQ(count, 1) << w.size << " px at " << w.bpp << " bpp";
    }
}

// One pixel of a BMP icon image: whether the AND mask lets the screen through,
// and the XOR colour with alpha (255 for the palette images).
struct IconPixel {
    bool transparent;
    Rgb rgb;
    std::uint8_t alpha;
};

std::vector<IconPixel> IconPixels(const Bytes& f, const IconEntry& d) {
    std::vector<IconPixel> out;
    const std::uint32_t n = d.size;
    const std::uint32_t colours = d.bpp <= 8 ? (1u << d.bpp) : 0;
    const std::size_t pal = d.offset + 40;
    const std::size_t xorAt = pal + 4 * colours;
    const std::size_t xorStride = ((n * d.bpp + 31) / 32) * 4;
    const std::size_t andAt = xorAt + xorStride * n;
    const std::size_t andStride = ((n + 31) / 32) * 4;
    if (andAt + andStride * n > f.size()) return out;
    for (std::uint32_t y = 0; y < n; ++y) {
        const std::size_t row = n - 1 - y;  // bottom-up
        for (std::uint32_t x = 0; x < n; ++x) {
            IconPixel p{};
            p.transparent = (f[andAt + row * andStride + x / 8] >> (7 - x % 8)) & 1;
            const std::size_t at = xorAt + row * xorStride;
            if (d.bpp == 32) {
                const std::size_t q = at + 4 * x;
                p.rgb = Rgb{f[q + 2], f[q + 1], f[q]};
                p.alpha = f[q + 3];
            } else {
                const std::uint32_t index = d.bpp == 8 ? f[at + x] : (f[at + x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                const std::size_t c = pal + 4 * index;
                p.rgb = Rgb{f[c + 2], f[c + 1], f[c]};
                p.alpha = 255;
            }
            out.push_back(p);
        }
    }
    return out;
}

TEST(SetupIcon, MasksAgreeWithTheAlphaOfTheTrueColourImage) {
    const Bytes f = ReadFile("setup.ico");
    const std::vector<IconEntry> dir = IconDirectory(f);
    ASSERT_EQ(dir.size(), 10u);
    for (std::uint32_t size : {48u, 32u, 16u}) {
        std::vector<IconPixel> full, low[2];
        for (const IconEntry& d : dir) {
            if (d.size != size) continue;
            if (d.bpp == 32) full = IconPixels(f, d);
            if (d.bpp == 4) low[0] = IconPixels(f, d);
            if (d.bpp == 8) low[1] = IconPixels(f, d);
        }
        ASSERT_EQ(full.size(), size * size);
        int clear = 0;
        for (std::size_t i = 0; i < full.size(); ++i) {
            const bool see = full[i].alpha < 128;
            EXPECT_EQ(full[i].transparent, see) << size << " px, pixel " << i;
            if (full[i].alpha == 0) {
                EXPECT_EQ(full[i].rgb, kBlack) << size << " px, pixel " << i;
            }
            clear += see;
            for (const auto& image : low) {
                ASSERT_EQ(image.size(), full.size());
                EXPECT_EQ(image[i].transparent, see) << size << " px, pixel " << i;
                // Black under a set mask bit leaves the screen as it was.
                if (see) {
                    EXPECT_EQ(image[i].rgb, kBlack) << size << " px, pixel " << i;
                }
            }
        }
        // A corner shows the screen, and the picture covers a fair part of the square.
        EXPECT_TRUE(full[0].transparent);
        EXPECT_GT(clear, 0);
        EXPECT_LT(clear, static_cast<int>(size * size * 3 / 4));
    }
}

}  // namespace
