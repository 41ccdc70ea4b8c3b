#pragma once

#include "flower_card.h"
#include "game.h"
#include "info_menu.h"
#include "start_menu.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kvelmora
{
// The one way the tests and the measurements reach inside a screen: what it and its parts hold. The
// screens and the game's parts name it their friend; nothing else does.
struct ScreenProbe
{
    static const sf::Text& Button(const StartMenu& menu, int key) { return menu.m_buttons.at(key); }

    static const sf::Text& Topic(const InfoMenu& menu, int index) { return menu.m_topics.at(index); }
    static const sf::Text& Page(const InfoMenu& menu) { return menu.m_page; }
    static const sf::Sprite& Picture(const InfoMenu& menu, int topic) { return menu.m_pictures.at(topic); }
    static int CurrentPage(const InfoMenu& menu) { return menu.m_currentPage; }

    static std::size_t SentenceIndex(const FlowerCard& card) { return card.m_sentenceIndex; }
    static sf::FloatRect Bounds(const FlowerCard& card) { return card.m_panel.getGlobalBounds(); }
    static const sf::Text& Name(const FlowerCard& card) { return card.m_name; }
    static const sf::Text& Sentence(const FlowerCard& card) { return card.m_sentence; }
    static const sf::Text& Button(const FlowerCard& card) { return card.m_button; }
    static const sf::Sprite& Picture(const FlowerCard& card) { return card.m_picture; }

    static const Player& Runner(const Game& game) { return game.m_player; }
    static PlayerState RunnerState(const Game& game) { return game.m_player.m_state; }
    static float RunnerVerticalVelocity(const Game& game) { return game.m_player.m_verticalVelocity; }
    static World& WorldOf(Game& game) { return game.m_world; }
    static const World& WorldOf(const Game& game) { return game.m_world; }
    static const sf::Text& ScoreText(const Game& game) { return game.m_headsUp.m_score; }
    static const sf::Sprite& PauseControl(const Game& game) { return game.m_headsUp.m_pauseControl; }
    static const sf::Text& PauseHint(const Game& game) { return game.m_headsUp.m_pauseHint; }
    static const GameOverView& Results(const Game& game) { return game.m_gameOverView; }
    static void CheckFlowerContact(Game& game) { game.CheckFlowerContact(); }

    static std::size_t SegmentIndex(const World& world) { return world.m_segmentIndex; }
    static const std::vector<LevelSegment>& Timeline(const World& world) { return world.m_segments; }
    static const std::vector<sf::Sprite>& Flowers(const World& world) { return world.m_flowers; }
    static const std::vector<sf::Sprite>& Garbage(const World& world) { return world.m_garbage; }
    static const std::vector<sf::Sprite>& Clouds(const World& world) { return world.m_clouds; }

    static const std::vector<sf::Text>& Rows(const GameOverView& view) { return view.m_rows; }
    static const sf::Text& Hint(const GameOverView& view) { return view.m_hint; }
    static std::vector<const sf::Text*> Texts(const GameOverView& view)
    {
        std::vector<const sf::Text*> texts{&view.m_caption, &view.m_heading, &view.m_hint};
        for (const sf::Text& row : view.m_rows)
            texts.push_back(&row);
        for (const sf::Text& button : view.m_buttons)
            texts.push_back(&button);
        return texts;
    }
    static const std::optional<FlowerCard>& Card(const GameOverView& view) { return view.m_flowerCard; }
    static const std::optional<sf::Text>& SaveFailedNotice(const GameOverView& view) { return view.m_saveFailed; }
    static const sf::Text& Button(const GameOverView& view, int button)
    {
        return view.m_buttons.at(static_cast<std::size_t>(button));
    }
};
} // namespace kvelmora
