// The 39 picture-button bitmaps: 18 x 18, 16 colours, one set of three per
// picture, each state on its frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "panel/ButtonBitmaps.h"

namespace {

// An XPM image decoded into colour strings ("#RRGGBB") per pixel.
struct Xpm {
    int width = 0;
    int height = 0;
    int colors = 0;
    std::vector<std::string> pixels;  // row-major
    const std::string& At(int x, int y) const { return pixels[y * width + x]; }
};

Xpm Decode(const char* const* data) {
    Xpm image;
    int charsPerPixel = 0;
    EXPECT_EQ(std::sscanf(data[0], "%d %d %d %d", &image.width, &image.height, &image.colors,
                          &charsPerPixel),
              4);
    EXPECT_EQ(charsPerPixel, 1);
    std::map<char, std::string> table;
    for (int i = 0; i < image.colors; ++i) {
        const std::string line = data[1 + i];
        const auto c = line.find(" c ");
        EXPECT_NE(c, std::string::npos);
        table[line[0]] = line.substr(c + 3);
    }
    for (int y = 0; y < image.height; ++y) {
        const std::string row = data[1 + image.colors + y];
        EXPECT_EQ(static_cast<int>(row.size()), image.width);
        for (char ch : row) {
            EXPECT_TRUE(table.count(ch)) << ch;
            image.pixels.push_back(table[ch]);
        }
    }
    return image;
}

constexpr int kUp = 0;
constexpr int kDown = 1;
constexpr int kFocused = 2;

TEST(ButtonBitmaps, EveryBitmapIs18By18In16Colours) {
    for (int picture = 0; picture < 13; ++picture) {
        for (int state = 0; state < 3; ++state) {
            const Xpm image = Decode(panel::kButtonBitmaps[picture][state]);
            EXPECT_EQ(image.width, 18);
            EXPECT_EQ(image.height, 18);
            EXPECT_LE(image.colors, 16);
        }
    }
}

TEST(ButtonBitmaps, RaisedPressedAndFocusedFrames) {
    for (int picture = 0; picture < 13; ++picture) {
        SCOPED_TRACE(picture);
        const Xpm up = Decode(panel::kButtonBitmaps[picture][kUp]);
        const Xpm down = Decode(panel::kButtonBitmaps[picture][kDown]);
        const Xpm focused = Decode(panel::kButtonBitmaps[picture][kFocused]);
        // Raised: light top left, dark bottom right; pressed: the other way.
        EXPECT_EQ(up.At(0, 0), "#FFFFFF");
        EXPECT_EQ(up.At(17, 17), "#000000");
        EXPECT_EQ(down.At(0, 0), "#000000");
        EXPECT_EQ(down.At(17, 17), "#FFFFFF");
        // Focused: a yellow inner frame all round.
        for (int i = 1; i < 17; ++i) {
            EXPECT_EQ(focused.At(i, 1), "#FFFF00");
            EXPECT_EQ(focused.At(1, i), "#FFFF00");
            EXPECT_EQ(focused.At(i, 16), "#FFFF00");
        }
        // The same miniature in "U" and "F"; "D" shows it one pixel right and down.
        for (int y = 2; y < 16; ++y) {
            for (int x = 2; x < 16; ++x) {
                EXPECT_EQ(up.At(x, y), focused.At(x, y));
                if (x < 15 && y < 15) {
                    EXPECT_EQ(up.At(x, y), down.At(x + 1, y + 1));
                }
            }
        }
    }
}

TEST(ButtonBitmaps, EachPictureHasItsOwnMiniature) {
    std::set<std::vector<std::string>> miniatures;
    for (int picture = 0; picture < 13; ++picture) {
        miniatures.insert(Decode(panel::kButtonBitmaps[picture][kUp]).pixels);
    }
    EXPECT_EQ(miniatures.size(), 13u);
}

}  // namespace
