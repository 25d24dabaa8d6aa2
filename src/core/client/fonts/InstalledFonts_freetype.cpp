#include "client/fonts/InstalledFonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <tuple>

namespace kestrova {

namespace {

// Every lobby shows these; a face without them cannot have drawn one.
constexpr std::string_view kLobbyCharacters = "aeoz09$/.";

bool isRegularStyle(const std::string& style) {
    std::string lower;
    for (const char c : style) {
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    for (const char* slanted : {"italic", "oblique", "bold", "black", "heavy", "light", "thin",
                                "condensed", "narrow", "semi", "extra", "ultra"}) {
        if (lower.find(slanted) != std::string::npos) {
            return false;
        }
    }
    return true;
}

struct Library {
    FT_Library handle = nullptr;
    Library() {
        if (FT_Init_FreeType(&handle) != 0) {
            handle = nullptr;
        }
    }
    ~Library() {
        if (handle != nullptr) {
            FT_Done_FreeType(handle);
        }
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
};

bool coversLobby(FT_Face face) {
    return std::all_of(kLobbyCharacters.begin(), kLobbyCharacters.end(), [&](char c) {
        return FT_Get_Char_Index(face, static_cast<FT_ULong>(c)) != 0;
    });
}

// The faces of a Wine font folder, read with FreeType as fontconfig does not know them.
void addFolderFaces(FT_Library library, const std::filesystem::path& folder,
                    std::vector<FontFace>& faces) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec)) {
            continue;
        }
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension != ".ttf" && extension != ".ttc" && extension != ".otf" &&
            extension != ".fon" && extension != ".fnt") {
            continue;
        }
        FT_Long count = 1;
        for (FT_Long index = 0; index < count && index < 64; ++index) {
            FT_Face face = nullptr;
            if (FT_New_Face(library, entry.path().c_str(), index, &face) != 0) {
                break;
            }
            count = face->num_faces;
            const bool plain = (face->style_flags & (FT_STYLE_FLAG_ITALIC | FT_STYLE_FLAG_BOLD)) == 0;
            if (plain && face->family_name != nullptr && coversLobby(face)) {
                faces.push_back({face->family_name, face->style_name ? face->style_name : "",
                                 entry.path(), static_cast<int>(index)});
            }
            FT_Done_Face(face);
        }
    }
}

void addFontconfigFaces(std::vector<FontFace>& faces) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return;
    }
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_CHARSET,
                                            FC_WEIGHT, FC_WIDTH, nullptr);
    FcFontSet* set = FcFontList(config, pattern, objects);
    for (int i = 0; set != nullptr && i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        FcChar8* family = nullptr;
        FcChar8* style = nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        int weight = FC_WEIGHT_REGULAR;
        int width = FC_WIDTH_NORMAL;
        FcCharSet* charset = nullptr;
        if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch ||
            FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) {
            continue;
        }
        FcPatternGetString(font, FC_STYLE, 0, &style);
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(font, FC_WIDTH, 0, &width);
        const bool covers = std::all_of(kLobbyCharacters.begin(), kLobbyCharacters.end(), [&](char c) {
            return FcCharSetHasChar(charset, static_cast<FcChar32>(c)) != 0;
        });
        const std::string styleName = style ? reinterpret_cast<const char*>(style) : "";
        if (!covers || weight < FC_WEIGHT_BOOK || weight > FC_WEIGHT_MEDIUM ||
            width != FC_WIDTH_NORMAL || !isRegularStyle(styleName)) {
            continue;
        }
        faces.push_back({reinterpret_cast<const char*>(family), styleName,
                         reinterpret_cast<const char*>(file), index});
    }
    if (set != nullptr) {
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
}

class FreeTypeFont final : public RasterFont {
public:
    FreeTypeFont(FT_Face face, Smoothing smoothing) : face_(face), smoothing_(smoothing) {}
    ~FreeTypeFont() override { FT_Done_Face(face_); }
    FreeTypeFont(const FreeTypeFont&) = delete;
    FreeTypeFont& operator=(const FreeTypeFont&) = delete;

    std::optional<GlyphBitmap> glyph(char32_t character) override {
        const FT_UInt index = FT_Get_Char_Index(face_, character);
        if (index == 0) {
            return std::nullopt;
        }
        // Full hinting, as a bitmap-font client draws: to the pixel grid.
        const FT_Int32 target = smoothing_ == Smoothing::Plain ? FT_LOAD_TARGET_MONO
                                                               : FT_LOAD_TARGET_NORMAL;
        if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | target) != 0 ||
            FT_Render_Glyph(face_->glyph, smoothing_ == Smoothing::Plain ? FT_RENDER_MODE_MONO
                                                                         : FT_RENDER_MODE_NORMAL) != 0) {
            return std::nullopt;
        }
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        GlyphBitmap glyph;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows), 0);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph.width; ++x) {
                std::uint8_t value = 0;
                if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                    value = (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0;
                } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                    value = static_cast<std::uint8_t>(row[x] * 255 / std::max(bitmap.num_grays - 1, 1));
                }
                glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)] = value;
            }
        }
        return glyph;
    }

    int kerning(char32_t left, char32_t right) override {
        if (!FT_HAS_KERNING(face_)) {
            return 0;
        }
        FT_Vector delta{};
        if (FT_Get_Kerning(face_, FT_Get_Char_Index(face_, left), FT_Get_Char_Index(face_, right),
                           FT_KERNING_DEFAULT, &delta) != 0) {
            return 0;
        }
        return static_cast<int>((delta.x + 32) >> 6);
    }

    bool resize(int pixelSize) override {
        if (FT_IS_SCALABLE(face_)) {
            return FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixelSize)) == 0;
        }
        // A bitmap font draws only the sizes it holds.
        for (int i = 0; i < face_->num_fixed_sizes; ++i) {
            if ((face_->available_sizes[i].height == pixelSize ||
                 (face_->available_sizes[i].y_ppem + 32) / 64 == pixelSize) &&
                FT_Select_Size(face_, i) == 0) {
                return true;
            }
        }
        return false;
    }

    // FreeType's library handle lives as long as the face.
    std::unique_ptr<Library> library;

private:
    FT_Face face_;
    Smoothing smoothing_;
};

}  // namespace

std::vector<std::filesystem::path> InstalledFonts::wineFolders() {
    std::vector<std::filesystem::path> candidates = {
        "/usr/share/wine/fonts", "/usr/lib/wine/fonts", "/usr/local/share/wine/fonts",
        "/opt/wine-stable/share/wine/fonts", "/opt/wine-staging/share/wine/fonts"};
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        candidates.push_back(std::filesystem::path(prefix) / "drive_c/windows/Fonts");
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        candidates.push_back(std::filesystem::path(home) / ".wine/drive_c/windows/Fonts");
    }
    std::vector<std::filesystem::path> folders;
    std::error_code ec;
    for (const auto& folder : candidates) {
        if (std::filesystem::is_directory(folder, ec)) {
            folders.push_back(folder);
        }
    }
    return folders;
}

std::vector<FontFace> InstalledFonts::list(std::string* problem) {
    std::vector<FontFace> faces;
    addFontconfigFaces(faces);
    Library library;
    if (library.handle != nullptr) {
        for (const auto& folder : wineFolders()) {
            addFolderFaces(library.handle, folder, faces);
        }
    }
    // The same file may be known to fontconfig and lie in a Wine folder.
    std::set<std::pair<std::string, int>> seen;
    std::vector<FontFace> unique;
    for (FontFace& face : faces) {
        std::error_code ec;
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(face.file, ec);
        if (seen.emplace((ec ? face.file : canonical).string(), face.index).second) {
            unique.push_back(std::move(face));
        }
    }
    std::sort(unique.begin(), unique.end(), [](const FontFace& a, const FontFace& b) {
        return std::tie(a.family, a.style, a.file, a.index) <
               std::tie(b.family, b.style, b.file, b.index);
    });
    if (problem != nullptr) {
        *problem = unique.empty() ? "no font with Latin letters and digits is installed "
                                    "(fontconfig and Wine's font folders hold none)"
                                  : "";
    }
    return unique;
}

std::unique_ptr<RasterFont> InstalledFonts::open(const FontFace& face, int pixelSize,
                                                 Smoothing smoothing, std::string* problem) {
    auto library = std::make_unique<Library>();
    const auto fail = [&](const std::string& why) -> std::unique_ptr<RasterFont> {
        if (problem != nullptr) {
            *problem = face.file.string() + ": " + why;
        }
        return nullptr;
    };
    if (library->handle == nullptr) {
        return fail("FreeType cannot start");
    }
    FT_Face handle = nullptr;
    if (FT_New_Face(library->handle, face.file.c_str(), face.index, &handle) != 0) {
        return fail("not a font FreeType can read");
    }
    FT_Select_Charmap(handle, FT_ENCODING_UNICODE);
    auto font = std::make_unique<FreeTypeFont>(handle, smoothing);
    if (!font->resize(pixelSize)) {
        return fail("cannot be drawn at " + std::to_string(pixelSize) + " px");
    }
    font->library = std::move(library);
    return font;
}

}  // namespace kestrova
