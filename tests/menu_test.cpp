#include "constants.h"
#include "info_menu.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
const sf::Vector2f nowhere(1300.f, 740.f); // a window point far from every button

class MenuTest : public ::testing::Test
{
protected:
    ScreenRequest ClickAt(Screen& screen, sf::Vector2f position)
    {
        MoveMouse(test.window, position);
        return screen.ProcessEvent(LeftClick());
    }

    TestContext test;
    StartMenu start{&test.context};
    InfoMenu info{&test.context};
};
} // namespace

TEST_F(MenuTest, StartMenuButtonsAnswerLeftClicksInsideTheirLeftAndTopEdges)
{
    const sf::Text& play = start.GetButton(StartMenu::playButton);
    EXPECT_FLOAT_EQ(play.getPosition().x, 1366 - play.getLocalBounds().width - 0.123f * 1366);
    EXPECT_NEAR(start.GetLogos().getGlobalBounds().left * 2 + start.GetLogos().getGlobalBounds().width, 1366, 1);

    for (const auto& [key, request] : {std::pair{StartMenu::infoButton, ScreenRequest::OpenInfoMenu},
                                       std::pair{StartMenu::playButton, ScreenRequest::StartGame}})
    {
        // Pointer pixels are whole numbers: probe the first and last pixels inside each edge.
        const sf::FloatRect bounds = start.GetButton(key).getGlobalBounds();
        const sf::Vector2f first(std::ceil(bounds.left), std::ceil(bounds.top));
        const sf::Vector2f last(std::ceil(bounds.left + bounds.width) - 1, std::ceil(bounds.top + bounds.height) - 1);
        const sf::Vector2f middle = Centre(start.GetButton(key));
        EXPECT_EQ(ClickAt(start, {first.x, middle.y}), request);
        EXPECT_EQ(ClickAt(start, {middle.x, last.y}), request);
        EXPECT_EQ(ClickAt(start, {first.x - 1, middle.y}), ScreenRequest::None);
        EXPECT_EQ(ClickAt(start, {last.x + 1, middle.y}), ScreenRequest::None);
        EXPECT_EQ(ClickAt(start, {middle.x, last.y + 1}), ScreenRequest::None);
    }

    // Only a left press counts, and the pointer decides, not the event's stored position.
    MoveMouse(test.window, Centre(play));
    sf::Event right = LeftClick();
    right.mouseButton.button = sf::Mouse::Right;
    EXPECT_EQ(start.ProcessEvent(right), ScreenRequest::None);
    EXPECT_EQ(start.ProcessEvent(KeyPress(sf::Keyboard::Enter)), ScreenRequest::None);
    sf::Event stale = LeftClick();
    stale.mouseButton.x = 200;
    stale.mouseButton.y = 360;
    EXPECT_EQ(start.ProcessEvent(stale), ScreenRequest::StartGame);
}

TEST_F(MenuTest, AButtonIsGreyExactlyWhileThePointerIsOnIt)
{
    MoveMouse(test.window, Centre(start.GetButton(StartMenu::playButton)));
    start.Draw();
    EXPECT_EQ(start.GetButton(StartMenu::playButton).getFillColor(), highlightColor);
    EXPECT_EQ(start.GetButton(StartMenu::infoButton).getFillColor(), textColor);
    MoveMouse(test.window, nowhere);
    start.Draw();
    EXPECT_EQ(start.GetButton(StartMenu::playButton).getFillColor(), textColor);

    info.Draw();
    EXPECT_EQ(info.GetTopic(0).getFillColor(), highlightColor) << "the selected topic";
    EXPECT_EQ(info.GetTopic(InfoMenu::backTopic).getFillColor(), textColor);
    MoveMouse(test.window, Centre(info.GetTopic(InfoMenu::backTopic)));
    info.Draw();
    EXPECT_EQ(info.GetTopic(InfoMenu::backTopic).getFillColor(), highlightColor);
}

TEST_F(MenuTest, InfoTopicsStackByTheirOwnHeightsWithPicturesBelowAndPagesBeside)
{
    float y = 0.03f * 768;
    for (int topic = 0; topic <= InfoMenu::backTopic; ++topic)
    {
        EXPECT_FLOAT_EQ(info.GetTopic(topic).getPosition().y, y) << topic;
        y += info.GetTopic(topic).getGlobalBounds().height + 0.03f * 768;
    }
    for (const int topic : {1, 2})
    {
        const sf::FloatRect picture = info.GetPicture(topic).getGlobalBounds();
        EXPECT_FLOAT_EQ(picture.top, y + 0.05f * 768);
        EXPECT_LE(picture.left + picture.width, info.GetPage().getPosition().x);
        EXPECT_LE(picture.top + picture.height, 768.f);
    }
    for (int topic = 0; topic < InfoMenu::backTopic; ++topic)
    {
        EXPECT_EQ(ClickAt(info, Centre(info.GetTopic(topic))), ScreenRequest::None);
        const sf::FloatRect page = info.GetPage().getGlobalBounds();
        EXPECT_LE(page.left + page.width, 1366.f) << topic;
        EXPECT_LE(page.top + page.height, 768.f) << topic;
        // SFML draws a dot for a no-break space, so the page shows plain spaces instead.
        const std::wstring shown = info.GetPage().getString().toWideString();
        EXPECT_EQ(shown.find(L'\u00A0'), std::wstring::npos) << topic;
        EXPECT_EQ(shown.size(), infoPages[static_cast<std::size_t>(topic)].size()) << topic;
    }
}

TEST_F(MenuTest, InfoClicksSelectPagesAndPicturesAndBackLeavesThemAsTheyWere)
{
    const auto pictureShown = [this] {
        // The pictures lie where no text is: a non-white pixel there means one was drawn.
        MoveMouse(test.window, nowhere);
        test.window.clear(sf::Color::White);
        info.Draw();
        sf::Texture capture;
        capture.create(1366, 768);
        capture.update(test.window);
        const sf::FloatRect picture = info.GetPicture(1).getGlobalBounds();
        const sf::Vector2u probe(static_cast<unsigned>(picture.left + picture.width / 2),
                                 static_cast<unsigned>(picture.top + picture.height / 2));
        return capture.copyToImage().getPixel(probe.x, probe.y) != sf::Color::White;
    };
    EXPECT_FALSE(pictureShown());
    for (const int topic : {1, 2, 3})
    {
        ClickAt(info, Centre(info.GetTopic(topic)));
        EXPECT_EQ(info.GetCurrentPage(), topic);
        EXPECT_EQ(pictureShown(), topic != 3) << topic;
    }

    // The right edge of a topic lies outside it.
    const sf::FloatRect second = info.GetTopic(1).getGlobalBounds();
    ClickAt(info, {std::ceil(second.left + second.width), Centre(info.GetTopic(1)).y});
    EXPECT_EQ(info.GetCurrentPage(), 3);

    EXPECT_EQ(ClickAt(info, Centre(info.GetTopic(InfoMenu::backTopic))), ScreenRequest::OpenStartMenu);
    EXPECT_EQ(info.GetCurrentPage(), 3);
}
