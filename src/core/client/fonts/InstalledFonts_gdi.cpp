#include "client/fonts/InstalledFonts.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace kestrova {

namespace {

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(std::strlen(result.c_str()));
    return result;
}

std::wstring wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(std::max(size, 1)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), size);
    result.resize(wcslen(result.c_str()));
    return result;
}

int CALLBACK addFamily(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD,
                       LPARAM faces) {
    auto* set = reinterpret_cast<std::set<std::string>*>(faces);
    if (font->lfFaceName[0] != L'@' && metrics->tmWeight >= FW_NORMAL &&
        metrics->tmWeight <= FW_MEDIUM && metrics->tmItalic == 0) {
        set->insert(utf8(font->lfFaceName));
    }
    return 1;
}

HFONT makeFont(const std::string& family, int pixelSize, Smoothing smoothing) {
    return CreateFontW(-pixelSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       smoothing == Smoothing::Plain ? NONANTIALIASED_QUALITY : ANTIALIASED_QUALITY,
                       DEFAULT_PITCH, wide(family).c_str());
}

class GdiFont final : public RasterFont {
public:
    GdiFont(HDC dc, HFONT font, std::string family, Smoothing smoothing)
        : dc_(dc), font_(font), family_(std::move(family)), smoothing_(smoothing) {
        previous_ = SelectObject(dc_, font_);
    }
    ~GdiFont() override {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
        DeleteDC(dc_);
    }
    GdiFont(const GdiFont&) = delete;
    GdiFont& operator=(const GdiFont&) = delete;

    std::optional<GlyphBitmap> glyph(char32_t character) override {
        if (character > 0xffff) {
            return std::nullopt;
        }
        WORD index = 0;
        const wchar_t text = static_cast<wchar_t>(character);
        if (GetGlyphIndicesW(dc_, &text, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
            index == 0xffff) {
            return std::nullopt;
        }
        const UINT format = smoothing_ == Smoothing::Plain ? GGO_BITMAP : GGO_GRAY8_BITMAP;
        const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        GLYPHMETRICS metrics{};
        const DWORD size = GetGlyphOutlineW(dc_, text, format, &metrics, 0, nullptr, &identity);
        if (size == GDI_ERROR) {
            return std::nullopt;
        }
        GlyphBitmap glyph;
        glyph.advance = metrics.gmCellIncX;
        if (size == 0) {
            return glyph;  // a blank
        }
        std::vector<unsigned char> buffer(size);
        GetGlyphOutlineW(dc_, text, format, &metrics, size, buffer.data(), &identity);
        glyph.left = metrics.gmptGlyphOrigin.x;
        glyph.top = metrics.gmptGlyphOrigin.y;
        glyph.width = static_cast<int>(metrics.gmBlackBoxX);
        glyph.rows = static_cast<int>(metrics.gmBlackBoxY);
        // Rows are padded to whole 32-bit words.
        const int pitch = smoothing_ == Smoothing::Plain ? ((glyph.width + 31) / 32) * 4
                                                         : ((glyph.width + 3) / 4) * 4;
        glyph.coverage.assign(static_cast<std::size_t>(glyph.width * glyph.rows), 0);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = buffer.data() + static_cast<std::ptrdiff_t>(y) * pitch;
            for (int x = 0; x < glyph.width; ++x) {
                const int value = smoothing_ == Smoothing::Plain
                                      ? ((row[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0)
                                      : std::min(row[x] * 255 / 64, 255);
                glyph.coverage[static_cast<std::size_t>(y * glyph.width + x)] =
                    static_cast<std::uint8_t>(value);
            }
        }
        return glyph;
    }

    int kerning(char32_t left, char32_t right) override {
        if (!pairsRead_) {
            pairsRead_ = true;
            const DWORD count = GetKerningPairsW(dc_, 0, nullptr);
            std::vector<KERNINGPAIR> pairs(count);
            if (count > 0 && GetKerningPairsW(dc_, count, pairs.data()) == count) {
                for (const KERNINGPAIR& pair : pairs) {
                    pairs_[{pair.wFirst, pair.wSecond}] = pair.iKernAmount;
                }
            }
        }
        const auto it = pairs_.find({static_cast<wchar_t>(left), static_cast<wchar_t>(right)});
        return it == pairs_.end() ? 0 : it->second;
    }

    bool resize(int pixelSize) override {
        HFONT font = makeFont(family_, pixelSize, smoothing_);
        if (font == nullptr) {
            return false;
        }
        SelectObject(dc_, font);
        DeleteObject(font_);
        font_ = font;
        pairsRead_ = false;
        pairs_.clear();
        return true;
    }

private:
    HDC dc_;
    HFONT font_;
    std::string family_;
    HGDIOBJ previous_ = nullptr;
    Smoothing smoothing_;
    bool pairsRead_ = false;
    std::map<std::pair<wchar_t, wchar_t>, int> pairs_;
};

}  // namespace

std::vector<std::filesystem::path> InstalledFonts::wineFolders() {
    return {};
}

std::vector<FontFace> InstalledFonts::list(std::string* problem) {
    std::set<std::string> families;
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = ANSI_CHARSET;
    EnumFontFamiliesExW(dc, &wanted, reinterpret_cast<FONTENUMPROCW>(addFamily),
                        reinterpret_cast<LPARAM>(&families), 0);
    DeleteDC(dc);
    std::vector<FontFace> faces;
    for (const std::string& family : families) {
        faces.push_back({family, "Regular", {}, 0});
    }
    if (problem != nullptr) {
        *problem = faces.empty() ? "Windows lists no font with Latin letters" : "";
    }
    return faces;
}

std::unique_ptr<RasterFont> InstalledFonts::open(const FontFace& face, int pixelSize,
                                                 Smoothing smoothing, std::string* problem) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = makeFont(face.family, pixelSize, smoothing);
    if (dc == nullptr || font == nullptr) {
        if (font != nullptr) {
            DeleteObject(font);
        }
        if (dc != nullptr) {
            DeleteDC(dc);
        }
        if (problem != nullptr) {
            *problem = face.family + ": Windows cannot make the font at " +
                       std::to_string(pixelSize) + " px";
        }
        return nullptr;
    }
    return std::make_unique<GdiFont>(dc, font, face.family, smoothing);
}

}  // namespace kestrova
