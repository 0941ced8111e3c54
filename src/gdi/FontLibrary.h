// SPDX-License-Identifier: MIT
// Fonts of the software display: font files found through fontconfig (the
// chosen faces by their file, other names by family), and their glyphs rendered once per face and
// size by FreeType, hinted and one bit per pixel, into a cache that every context shares.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "gdi/FontFaces.h"

struct FT_LibraryRec_;

// A horizontal run of text pixels: row y from the top of the character cell,
// pixels [x0, x1) from the pen position.
struct GlyphRun {
    std::int16_t y;
    std::int16_t x0;
    std::int16_t x1;
};

struct Glyph {
    int advance = 0;
    std::uint32_t firstRun = 0;
    std::uint32_t runCount = 0;
};

// One face at one size: the glyphs of the 256 single-byte (Latin-1) characters.
// Immutable once built, so contexts share it freely.
class GlyphSet {
public:
    int CellHeight() const { return m_nCellHeight; }
    int Ascent() const { return m_nAscent; }
    const std::string& FilePath() const { return m_file; }

    const Glyph& GlyphFor(unsigned char c) const { return m_glyphs[c]; }
    std::span<const GlyphRun> Runs(const Glyph& glyph) const {
        return std::span<const GlyphRun>(m_runs).subspan(glyph.firstRun, glyph.runCount);
    }
    // Sum of the advances of the characters.
    std::int64_t TextWidth(const unsigned char* text, std::size_t length) const;

    // Where any glyph's pixels can lie: rows [inkTop, inkBottom) of the cell,
    // columns from inkLeft left of the pen to inkOverhang past the advance.
    int InkTop() const { return m_nInkTop; }
    int InkBottom() const { return m_nInkBottom; }
    int InkLeft() const { return m_nInkLeft; }
    int InkOverhang() const { return m_nInkOverhang; }

private:
    friend class FontLibrary;
    std::string m_file;
    int m_nCellHeight = 0;
    int m_nAscent = 0;
    int m_nInkTop = 0;
    int m_nInkBottom = 0;
    int m_nInkLeft = 0;
    int m_nInkOverhang = 0;
    Glyph m_glyphs[256];
    std::vector<GlyphRun> m_runs;
};

// A font file chosen for a family, weight and slant, and what the renderer
// must add because the file lacks it.
struct FontMatch {
    std::string file;
    int faceIndex = 0;
    bool emboldenSynthetically = false;
    bool slantSynthetically = false;
    friend auto operator<=>(const FontMatch&, const FontMatch&) = default;
};

class FontLibrary {
public:
    // Largest cell (or character) height in pixels that a font may ask for.
    static constexpr int kMaxHeight = 1024;

    // The one library of the process; its cache lives until the process ends.
    static FontLibrary& Shared();

    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;
    ~FontLibrary();

    // The best file fontconfig knows for the family (weight 1..1000, the
    // platform's scale), or nothing when it knows no font at all.
    std::optional<FontMatch> Resolve(const std::string& family, int weight, bool italic);
    // The installed file of a chosen face, found among the fonts fontconfig
    // lists for its family by the file's path; nothing when it is not there.
    std::optional<FontMatch> FindFile(const FaceFile& face);

    // The glyphs of a file at a size: height > 0 asks for a character cell of
    // that many pixels, height < 0 for characters (em) of -height pixels.
    // Nothing when the file cannot be read or the height is 0 or too large.
    std::shared_ptr<const GlyphSet> Load(const FontMatch& match, int height);

private:
    FontLibrary();
    std::shared_ptr<GlyphSet> Render(const FontMatch& match, int height);

    FT_LibraryRec_* m_pLibrary = nullptr;
    std::mutex m_mutex;
    std::map<std::tuple<std::string, int, bool>, std::optional<FontMatch>> m_resolved;
    std::map<std::string, std::optional<FontMatch>, std::less<>> m_found;
    std::map<std::pair<FontMatch, int>, std::shared_ptr<const GlyphSet>> m_cache;
};

// What a created CFont holds: its glyphs, shared with the library's cache.
struct FontFace {
    std::shared_ptr<const GlyphSet> glyphs;
};
