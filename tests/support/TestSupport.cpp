#include "support/TestSupport.h"

#include <unordered_set>

std::vector<int> Screen::LitColumnsInRow(int y) const {
    std::vector<int> xs;
    for (int x = 0; x < surface.Width(); ++x) {
        if (Lit(x, y)) {
            xs.push_back(x);
        }
    }
    return xs;
}

std::vector<int> Screen::LitRowsInColumn(int x) const {
    std::vector<int> ys;
    for (int y = 0; y < surface.Height(); ++y) {
        if (Lit(x, y)) {
            ys.push_back(y);
        }
    }
    return ys;
}

std::size_t Screen::DistinctColors() const {
    std::unordered_set<COLORREF> colors;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            colors.insert(At(x, y));
        }
    }
    return colors.size();
}
