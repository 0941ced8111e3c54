// SPDX-License-Identifier: MIT
#include "gdi/FontLibrary.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <climits>
#include <string_view>

namespace {

// Sizes kept in the cache before unused ones are dropped.
constexpr std::size_t kCacheLimit = 32;
// Weights from this value on ask for a bold face.
constexpr int kBoldWeight = 600;

// Releases a fontconfig pattern when it goes out of scope.
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

std::optional<FontMatch> MatchWithFontconfig(const std::string& family, int weight, bool italic) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        return std::nullopt;
    }
    if (!family.empty()) {
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) {
        return std::nullopt;
    }
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        return std::nullopt;
    }
    FontMatch found;
    found.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.faceIndex);
    int matchedWeight = FC_WEIGHT_REGULAR;
    int matchedSlant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &matchedWeight);
    FcPatternGetInteger(match.get(), FC_SLANT, 0, &matchedSlant);
    found.emboldenSynthetically = weight >= kBoldWeight && matchedWeight < FC_WEIGHT_DEMIBOLD;
    found.slantSynthetically = italic && matchedSlant == FC_SLANT_ROMAN;
    return found;
}

struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};

bool EndsWithPath(std::string_view path, std::string_view tail) {
    return path.size() > tail.size() && path.ends_with(tail) &&
           path[path.size() - tail.size() - 1] == '/';
}

std::optional<FontMatch> ListedFile(const FaceFile& face) {
    PatternPtr pattern(FcPatternCreate());
    std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(
        FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr));
    if (!pattern || !objects) {
        return std::nullopt;
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.family));
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontList(nullptr, pattern.get(), objects.get()));
    if (!fonts) {
        return std::nullopt;
    }
    // Where the file is in several font folders, the first path in sorted
    // order: the same choice whatever order fontconfig lists them in.
    std::optional<FontMatch> found;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch ||
            !EndsWithPath(reinterpret_cast<const char*>(file), face.file)) {
            continue;
        }
        FcPatternGetInteger(fonts->fonts[i], FC_INDEX, 0, &index);
        FontMatch match{reinterpret_cast<const char*>(file), index, false, false};
        if (!found || match < *found) {
            found = std::move(match);
        }
    }
    return found;
}

// Rounds a / b to the nearest integer for b > 0.
long RoundedQuotient(long a, long b) {
    return a >= 0 ? (a + b / 2) / b : -((-a + b / 2) / b);
}

// Appends the runs of set pixels of a one-bit bitmap, placed with its top
// left at (left, top) relative to the pen and the cell top.
void AppendRuns(const FT_Bitmap& bitmap, int left, int top, std::vector<GlyphRun>& runs) {
    const int pitch = bitmap.pitch;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* bits =
            pitch >= 0
                ? bitmap.buffer + static_cast<std::ptrdiff_t>(row) * pitch
                : bitmap.buffer + static_cast<std::ptrdiff_t>(bitmap.rows - 1 - row) * -pitch;
        auto lit = [bits](unsigned col) { return (bits[col >> 3] & (0x80u >> (col & 7))) != 0; };
        unsigned col = 0;
        while (col < bitmap.width) {
            if (!lit(col)) {
                ++col;
                continue;
            }
            const unsigned start = col;
            while (col < bitmap.width && lit(col)) {
                ++col;
            }
            runs.push_back({static_cast<std::int16_t>(top + static_cast<int>(row)),
                            static_cast<std::int16_t>(left + static_cast<int>(start)),
                            static_cast<std::int16_t>(left + static_cast<int>(col))});
        }
    }
}

}  // namespace

std::int64_t GlyphSet::TextWidth(const unsigned char* text, std::size_t length) const {
    std::int64_t width = 0;
    for (std::size_t i = 0; i < length; ++i) {
        width += m_glyphs[text[i]].advance;
    }
    return width;
}

FontLibrary& FontLibrary::Shared() {
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary() {
    if (FT_Init_FreeType(&m_pLibrary) != 0) {
        m_pLibrary = nullptr;
        return;
    }
    // Pinned rather than taken from the environment, so that the same text
    // always gives the same pixels. One-bit rendering gets full hinting.
    FT_UInt interpreter = TT_INTERPRETER_VERSION_40;
    FT_Property_Set(m_pLibrary, "truetype", "interpreter-version", &interpreter);
}

FontLibrary::~FontLibrary() {
    m_cache.clear();
    if (m_pLibrary != nullptr) {
        FT_Done_FreeType(m_pLibrary);
    }
}

std::optional<FontMatch> FontLibrary::Resolve(const std::string& family, int weight, bool italic) {
    weight = std::clamp(weight, 1, 1000);
    std::lock_guard lock(m_mutex);
    const auto key = std::make_tuple(family, weight, italic);
    if (auto it = m_resolved.find(key); it != m_resolved.end()) {
        return it->second;
    }
    std::optional<FontMatch> match = MatchWithFontconfig(family, weight, italic);
    m_resolved.emplace(key, match);
    return match;
}

std::optional<FontMatch> FontLibrary::FindFile(const FaceFile& face) {
    std::lock_guard lock(m_mutex);
    if (auto it = m_found.find(face.file); it != m_found.end()) {
        return it->second;
    }
    std::optional<FontMatch> match = ListedFile(face);
    m_found.emplace(face.file, match);
    return match;
}

std::shared_ptr<const GlyphSet> FontLibrary::Load(const FontMatch& match, int height) {
    if (height == 0 || height > kMaxHeight || height < -kMaxHeight) {
        return nullptr;
    }
    std::lock_guard lock(m_mutex);
    const auto key = std::make_pair(match, height);
    if (auto it = m_cache.find(key); it != m_cache.end()) {
        return it->second;
    }
    if (m_cache.size() >= kCacheLimit) {
        std::erase_if(m_cache, [](const auto& entry) { return entry.second.use_count() <= 1; });
    }
    std::shared_ptr<const GlyphSet> glyphs = Render(match, height);
    m_cache.emplace(key, glyphs);
    return glyphs;
}

std::shared_ptr<GlyphSet> FontLibrary::Render(const FontMatch& match, int height) {
    if (m_pLibrary == nullptr) {
        return nullptr;
    }
    FT_Face rawFace = nullptr;
    if (FT_New_Face(m_pLibrary, match.file.c_str(), match.faceIndex, &rawFace) != 0) {
        return nullptr;
    }
    const FacePtr face(rawFace);
    const long ascender = face->ascender;
    const long cellUnits = static_cast<long>(face->ascender) - face->descender;
    if (!FT_IS_SCALABLE(face) || cellUnits <= 0 || face->units_per_EM == 0) {
        return nullptr;
    }

    // A positive height is the cell (ascender plus descender); a negative one
    // the em. The cell is then exactly the height asked for, and the baseline
    // divides it as the font's own ascender and descender do.
    FT_Size_RequestRec request{};
    auto glyphs = std::make_shared<GlyphSet>();
    glyphs->m_file = match.file;
    if (height > 0) {
        request.type = FT_SIZE_REQUEST_TYPE_CELL;
        request.height = static_cast<FT_Long>(height) * 64;
        glyphs->m_nCellHeight = height;
        glyphs->m_nAscent = static_cast<int>(RoundedQuotient(height * ascender, cellUnits));
    } else {
        request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
        request.height = static_cast<FT_Long>(-height) * 64;
        glyphs->m_nCellHeight =
            static_cast<int>(RoundedQuotient(-height * cellUnits, face->units_per_EM));
        glyphs->m_nAscent =
            static_cast<int>(RoundedQuotient(-height * ascender, face->units_per_EM));
    }
    if (FT_Request_Size(face.get(), &request) != 0) {
        return nullptr;
    }

    int inkTop = INT_MAX;
    int inkBottom = INT_MIN;
    int inkLeft = 0;
    int inkOverhang = 0;
    for (unsigned code = 0; code < 256; ++code) {
        Glyph& glyph = glyphs->m_glyphs[code];
        glyph.firstRun = static_cast<std::uint32_t>(glyphs->m_runs.size());
        const FT_UInt index = FT_Get_Char_Index(face.get(), code);
        if (FT_Load_Glyph(face.get(), index, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) {
            continue;
        }
        FT_GlyphSlot slot = face->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (match.emboldenSynthetically) {
                FT_GlyphSlot_Embolden(slot);
            }
            if (match.slantSynthetically) {
                FT_GlyphSlot_Oblique(slot);
            }
        }
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0 ||
            slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
            continue;
        }
        glyph.advance = std::max(0, static_cast<int>((slot->advance.x + 32) >> 6));
        AppendRuns(slot->bitmap, slot->bitmap_left, glyphs->m_nAscent - slot->bitmap_top,
                   glyphs->m_runs);
        glyph.runCount = static_cast<std::uint32_t>(glyphs->m_runs.size()) - glyph.firstRun;
        for (const GlyphRun& run : glyphs->Runs(glyph)) {
            inkTop = std::min<int>(inkTop, run.y);
            inkBottom = std::max<int>(inkBottom, run.y + 1);
            inkLeft = std::max<int>(inkLeft, -run.x0);
            inkOverhang = std::max<int>(inkOverhang, run.x1 - glyph.advance);
        }
    }
    glyphs->m_nInkTop = inkTop <= inkBottom ? inkTop : 0;
    glyphs->m_nInkBottom = inkTop <= inkBottom ? inkBottom : 0;
    glyphs->m_nInkLeft = inkLeft;
    glyphs->m_nInkOverhang = inkOverhang;
    return glyphs;
}
