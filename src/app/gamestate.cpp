#include "app/gamestate.h"

#include <algorithm>

std::array<GameState::Layout, 24> GameState::answerLayouts()
{
    constexpr std::array<std::array<int, 2>, 4> places = {{{4, 4}, {396, 4}, {4, 54}, {396, 54}}};
    std::array<int, 4> order = {0, 1, 2, 3}; // A B C D
    std::array<Layout, 24> layouts{};
    for (Layout& row : layouts) {
        for (int answer = 0; answer < 4; ++answer) {
            row[2 * answer] = places[order[answer]][0];
            row[2 * answer + 1] = places[order[answer]][1];
        }
        std::next_permutation(order.begin(), order.end());
    }
    return layouts;
}
