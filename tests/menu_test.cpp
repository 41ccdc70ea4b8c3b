#include "constants.h"
#include "info_menu.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace kvelmora
{

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

    // The pictures lie where no text is: a non-white pixel there means one was drawn.
    bool PictureShown()
    {
        MoveMouse(test.window, nowhere);
        test.window.clear(sf::Color::White);
        info.Draw();
        sf::Texture capture;
        capture.create(test.window.getSize().x, test.window.getSize().y);
        capture.update(test.window);
        const sf::Vector2f middle = Centre(ScreenProbe::Picture(info, 1));
        const sf::Color pixel =
            capture.copyToImage().getPixel(static_cast<unsigned>(middle.x), static_cast<unsigned>(middle.y));
        return pixel != sf::Color::White;
    }

    TestContext test;
    StartMenu start{&test.context};
    InfoMenu info{&test.context};
};
} // namespace

TEST_F(MenuTest, StartMenuButtonsAnswerLeftClicksInsideTheirLeftAndTopEdges)
{
    for (const auto& [key, request] : {std::pair{StartMenu::infoButton, ScreenRequest::OpenInfoMenu},
                                       std::pair{StartMenu::playButton, ScreenRequest::StartGame}})
    {
        // Pointer pixels are whole numbers: probe the first and last pixels inside each edge.
        const sf::FloatRect bounds = ScreenProbe::Button(start, key).getGlobalBounds();
        const sf::Vector2f first(std::ceil(bounds.left), std::ceil(bounds.top));
        const sf::Vector2f last(std::ceil(bounds.left + bounds.width) - 1, std::ceil(bounds.top + bounds.height) - 1);
        const sf::Vector2f middle = Centre(ScreenProbe::Button(start, key));
        EXPECT_EQ(ClickAt(start, {first.x, middle.y}), request);
        EXPECT_EQ(ClickAt(start, {middle.x, last.y}), request);
        EXPECT_EQ(ClickAt(start, {first.x - 1, middle.y}), ScreenRequest::None);
        EXPECT_EQ(ClickAt(start, {last.x + 1, middle.y}), ScreenRequest::None);
        EXPECT_EQ(ClickAt(start, {middle.x, last.y + 1}), ScreenRequest::None);
    }

    // Only a left press counts, and the pointer decides, not the event's stored position.
    MoveMouse(test.window, Centre(ScreenProbe::Button(start, StartMenu::playButton)));
    sf::Event press = LeftClick();
    press.mouseButton.button = sf::Mouse::Right;
    EXPECT_EQ(start.ProcessEvent(press), ScreenRequest::None);
    EXPECT_EQ(start.ProcessEvent(KeyPress(sf::Keyboard::Enter)), ScreenRequest::None);
    press = LeftClick();
    press.mouseButton.x = 200;
    press.mouseButton.y = 360;
    EXPECT_EQ(start.ProcessEvent(press), ScreenRequest::StartGame);
}

TEST_F(MenuTest, ButtonsAreGreyWhilePointedAtAndTheSelectedTopicStaysGrey)
{
    MoveMouse(test.window, Centre(ScreenProbe::Button(start, StartMenu::playButton)));
    start.Draw();
    info.Draw();
    EXPECT_EQ(ScreenProbe::Button(start, StartMenu::playButton).getFillColor(), highlightColor);
    EXPECT_EQ(ScreenProbe::Button(start, StartMenu::infoButton).getFillColor(), textColor);
    EXPECT_EQ(ScreenProbe::Topic(info, 0).getFillColor(), highlightColor);
    EXPECT_EQ(ScreenProbe::Topic(info, InfoMenu::backTopic).getFillColor(), textColor);
    MoveMouse(test.window, Centre(ScreenProbe::Topic(info, InfoMenu::backTopic)));
    start.Draw();
    info.Draw();
    EXPECT_EQ(ScreenProbe::Button(start, StartMenu::playButton).getFillColor(), textColor);
    EXPECT_EQ(ScreenProbe::Topic(info, InfoMenu::backTopic).getFillColor(), highlightColor);
}

TEST_F(MenuTest, InfoTopicsStackClearOfEachOtherAndEachShowsItsPageAndPicture)
{
    for (int topic = 1; topic <= InfoMenu::backTopic; ++topic)
    {
        const sf::FloatRect above = ScreenProbe::Topic(info, topic - 1).getGlobalBounds();
        EXPECT_GT(ScreenProbe::Topic(info, topic).getGlobalBounds().top, above.top + above.height) << topic;
    }
    EXPECT_FALSE(PictureShown());
    for (int topic = 0; topic < InfoMenu::backTopic; ++topic)
    {
        EXPECT_EQ(ClickAt(info, Centre(ScreenProbe::Topic(info, topic))), ScreenRequest::None);
        EXPECT_EQ(ScreenProbe::CurrentPage(info), topic);
        const bool hasPicture = topic == 1 || topic == 2;
        EXPECT_EQ(PictureShown(), hasPicture) << topic;
        const sf::FloatRect page = ScreenProbe::Page(info).getGlobalBounds();
        EXPECT_LE(page.left + page.width, windowWidth) << topic;
        EXPECT_LE(page.top + page.height, windowHeight) << topic;
        if (hasPicture)
        {
            // Inside the window and clear of the page.
            const sf::FloatRect picture = ScreenProbe::Picture(info, topic).getGlobalBounds();
            EXPECT_LE(picture.top + picture.height, windowHeight) << topic;
            EXPECT_LT(picture.left + picture.width, page.left) << topic;
        }
        // SFML draws a dot for a no-break space, so the page shows plain spaces instead.
        const std::wstring shown = ScreenProbe::Page(info).getString().toWideString();
        EXPECT_EQ(shown.find(L'\u00A0'), std::wstring::npos) << topic;
        EXPECT_EQ(shown.size(), infoPages[static_cast<std::size_t>(topic)].size()) << topic;
    }

    // The right edge of a topic lies outside it; "Zpět" leaves the selection as it was.
    const sf::FloatRect second = ScreenProbe::Topic(info, 1).getGlobalBounds();
    ClickAt(info, {std::ceil(second.left + second.width), Centre(ScreenProbe::Topic(info, 1)).y});
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 3);
    EXPECT_EQ(ClickAt(info, Centre(ScreenProbe::Topic(info, InfoMenu::backTopic))), ScreenRequest::OpenStartMenu);
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 3);
}
} // namespace kvelmora
