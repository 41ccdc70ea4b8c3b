#pragma once

#include "game.h"
#include "info_menu.h"
#include "start_menu.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kvelmora
{
// The one way the tests and the measurements reach inside a screen: what it holds, and the game's
// builders to plant a world on purpose. The screens name it their friend; nothing else does.
struct ScreenProbe
{
    static const sf::Text& Button(const StartMenu& menu, int key) { return menu.m_buttons.at(key); }

    static const sf::Text& Topic(const InfoMenu& menu, int index) { return menu.m_topics.at(index); }
    static const sf::Text& Page(const InfoMenu& menu) { return menu.m_page; }
    static const sf::Sprite& Picture(const InfoMenu& menu, int topic) { return menu.m_pictures.at(topic); }
    static int CurrentPage(const InfoMenu& menu) { return menu.m_currentPage; }

    static const Player& Runner(const Game& game) { return game.m_player; }
    static int Score(const Game& game) { return game.m_score; }
    static std::size_t SegmentIndex(const Game& game) { return game.m_segmentIndex; }
    static const std::vector<LevelSegment>& Timeline(const Game& game) { return game.m_segments; }
    static const std::vector<sf::Sprite>& Flowers(const Game& game) { return game.m_flowers; }
    static const std::vector<sf::Sprite>& Garbage(const Game& game) { return game.m_garbage; }
    static const std::vector<sf::Sprite>& Clouds(const Game& game) { return game.m_clouds; }
    static const std::map<std::string, sf::Text>& Texts(const Game& game) { return game.m_texts; }

    static void PlaceFlowerCluster(Game& game, int count, float x) { game.PlaceFlowerCluster(count, x); }
    static void PlaceGarbage(Game& game, float segmentStart) { game.PlaceGarbage(segmentStart); }
    static void CheckFlowerContact(Game& game) { game.CheckFlowerContact(); }
};
} // namespace kvelmora
