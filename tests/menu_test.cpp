#include "constants.h"
#include "info_menu.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
// Pointer pixels just inside and just outside each edge of a bounds rectangle, under the
// containment rule left <= x < right, top <= y < bottom.
struct EdgeProbes
{
    float firstInsideX, lastInsideX, firstInsideY, lastInsideY;
};

EdgeProbes ProbesFor(const sf::FloatRect& bounds)
{
    return {std::ceil(bounds.left), std::ceil(bounds.left + bounds.width) - 1.f, std::ceil(bounds.top),
            std::ceil(bounds.top + bounds.height) - 1.f};
}

sf::Vector2f Centre(const sf::FloatRect& bounds)
{
    return {bounds.left + bounds.width / 2, bounds.top + bounds.height / 2};
}

// What the page shows: the page text with its no-break spaces drawn as plain spaces.
sf::String Shown(std::size_t page)
{
    std::wstring text = infoPages[page];
    for (wchar_t& character : text)
        character = character == L'\u00A0' ? L' ' : character;
    return sf::String(text);
}

sf::Event Event(sf::Event::EventType type)
{
    sf::Event event;
    event.type = type;
    event.mouseButton = {sf::Mouse::Left, 0, 0};
    return event;
}

class StartMenuTest : public ::testing::Test
{
protected:
    ScreenRequest ClickAt(sf::Vector2f position)
    {
        MoveMouse(test.window, position);
        return menu.ProcessEvent(LeftClick());
    }

    TestContext test;
    StartMenu menu{&test.context};
};

class InfoMenuTest : public ::testing::Test
{
protected:
    ScreenRequest ClickTopic(int topic)
    {
        MoveMouse(test.window, Centre(menu.GetTopic(topic).getGlobalBounds()));
        return menu.ProcessEvent(LeftClick());
    }

    bool PictureDrawn(int topic)
    {
        // The picture lies where no text is, so its pixels tell whether it was drawn.
        const sf::Sprite& picture = menu.GetPicture(topic);
        const sf::Vector2f probe = Centre(picture.getGlobalBounds());
        test.window.clear(sf::Color::White);
        menu.Draw();
        sf::Texture capture;
        capture.create(test.window.getSize().x, test.window.getSize().y);
        capture.update(test.window);
        return capture.copyToImage().getPixel(static_cast<unsigned>(probe.x), static_cast<unsigned>(probe.y)) !=
               sf::Color::White;
    }

    TestContext test;
    InfoMenu menu{&test.context};
};
} // namespace

TEST_F(StartMenuTest, LaysOutTitleButtonsAndLogosFromTheWindowSize)
{
    const sf::Text& info = menu.GetButton(StartMenu::infoButton);
    const sf::Text& play = menu.GetButton(StartMenu::playButton);
    EXPECT_FLOAT_EQ(info.getPosition().x, 0.123f * 1366);
    EXPECT_FLOAT_EQ(info.getPosition().y, 0.45f * 768);
    EXPECT_FLOAT_EQ(play.getPosition().x, 1366 - play.getLocalBounds().width - 0.123f * 1366);
    EXPECT_FLOAT_EQ(play.getPosition().y, 0.45f * 768);
    EXPECT_EQ(info.getCharacterSize(), 30u);
    EXPECT_EQ(menu.GetTitle().getCharacterSize(), 40u);
    EXPECT_EQ(menu.GetTitle().getString(), sf::String(menuTitle));

    const auto expectCentred = [](const sf::FloatRect& bounds, float y) {
        EXPECT_NEAR(bounds.left + bounds.width / 2, 683.f, 0.5f);
        EXPECT_FLOAT_EQ(bounds.top, y);
    };
    expectCentred(menu.GetOrganisationLogo().getGlobalBounds(), 0.09f * 768);
    expectCentred(menu.GetLogos().getGlobalBounds(), 0.76f * 768);
    EXPECT_NEAR(menu.GetTitle().getPosition().x + menu.GetTitle().getGlobalBounds().width / 2, 683.f, 0.5f);
    // Everything stays on the screen.
    EXPECT_LE(menu.GetLogos().getGlobalBounds().top + menu.GetLogos().getGlobalBounds().height, 768.f);
    EXPECT_LE(play.getGlobalBounds().left + play.getGlobalBounds().width, 1366.f);
}

TEST_F(StartMenuTest, LeftClicksOnTheButtonsRequestTheirScreens)
{
    EXPECT_EQ(ClickAt(Centre(menu.GetButton(StartMenu::infoButton).getGlobalBounds())), ScreenRequest::OpenInfoMenu);
    EXPECT_EQ(ClickAt(Centre(menu.GetButton(StartMenu::playButton).getGlobalBounds())), ScreenRequest::StartGame);
    EXPECT_EQ(ClickAt({683.f, 300.f}), ScreenRequest::None);
    // The blank start of the info button's first line belongs to the button.
    const sf::FloatRect info = menu.GetButton(StartMenu::infoButton).getGlobalBounds();
    EXPECT_EQ(ClickAt({std::ceil(info.left) + 2.f, std::ceil(info.top) + 2.f}), ScreenRequest::OpenInfoMenu);
}

TEST_F(StartMenuTest, HitTestsIncludeTheLeftAndTopEdgesOnly)
{
    for (const int key : {StartMenu::infoButton, StartMenu::playButton})
    {
        const sf::FloatRect bounds = menu.GetButton(key).getGlobalBounds();
        const EdgeProbes edge = ProbesFor(bounds);
        const float midY = std::floor(Centre(bounds).y);
        const float midX = std::floor(Centre(bounds).x);
        const ScreenRequest hit = key == StartMenu::infoButton ? ScreenRequest::OpenInfoMenu : ScreenRequest::StartGame;
        EXPECT_EQ(ClickAt({edge.firstInsideX, midY}), hit) << key;
        EXPECT_EQ(ClickAt({edge.lastInsideX, midY}), hit) << key;
        EXPECT_EQ(ClickAt({midX, edge.firstInsideY}), hit) << key;
        EXPECT_EQ(ClickAt({midX, edge.lastInsideY}), hit) << key;
        EXPECT_EQ(ClickAt({edge.firstInsideX - 1.f, midY}), ScreenRequest::None) << key;
        EXPECT_EQ(ClickAt({edge.lastInsideX + 1.f, midY}), ScreenRequest::None) << key;
        EXPECT_EQ(ClickAt({midX, edge.firstInsideY - 1.f}), ScreenRequest::None) << key;
        EXPECT_EQ(ClickAt({midX, edge.lastInsideY + 1.f}), ScreenRequest::None) << key;
    }
}

TEST_F(StartMenuTest, OnlyALeftPressCountsAndThePointerIsReadNotTheEvent)
{
    MoveMouse(test.window, Centre(menu.GetButton(StartMenu::playButton).getGlobalBounds()));
    sf::Event right = Event(sf::Event::MouseButtonPressed);
    right.mouseButton.button = sf::Mouse::Right;
    EXPECT_EQ(menu.ProcessEvent(right), ScreenRequest::None);
    EXPECT_EQ(menu.ProcessEvent(Event(sf::Event::MouseButtonReleased)), ScreenRequest::None);
    EXPECT_EQ(menu.ProcessEvent(Event(sf::Event::MouseMoved)), ScreenRequest::None);
    EXPECT_EQ(menu.ProcessEvent(KeyPress(sf::Keyboard::Enter)), ScreenRequest::None);

    // The event claims the info button, but the pointer is on the play button.
    sf::Event stale = LeftClick();
    const sf::Vector2f info = Centre(menu.GetButton(StartMenu::infoButton).getGlobalBounds());
    stale.mouseButton.x = static_cast<int>(info.x);
    stale.mouseButton.y = static_cast<int>(info.y);
    EXPECT_EQ(menu.ProcessEvent(stale), ScreenRequest::StartGame);
}

TEST_F(StartMenuTest, AButtonIsGreyExactlyWhileThePointerIsOnIt)
{
    MoveMouse(test.window, Centre(menu.GetButton(StartMenu::playButton).getGlobalBounds()));
    menu.Draw();
    EXPECT_EQ(menu.GetButton(StartMenu::playButton).getFillColor(), highlightColor);
    EXPECT_EQ(menu.GetButton(StartMenu::infoButton).getFillColor(), textColor);
    EXPECT_EQ(menu.GetTitle().getFillColor(), textColor);

    MoveMouse(test.window, {683.f, 300.f});
    menu.Draw();
    EXPECT_EQ(menu.GetButton(StartMenu::playButton).getFillColor(), textColor);
}

TEST_F(InfoMenuTest, StacksTheTopicsByTheirOwnHeightsBesideThePage)
{
    float y = 0.03f * 768;
    float columnRight = 0.f;
    for (int topic = 0; topic <= InfoMenu::backTopic; ++topic)
    {
        const sf::Text& text = menu.GetTopic(topic);
        EXPECT_FLOAT_EQ(text.getPosition().x, 0.03f * 1366) << topic;
        EXPECT_FLOAT_EQ(text.getPosition().y, y) << topic;
        EXPECT_EQ(text.getString(), sf::String(infoTopics[static_cast<std::size_t>(topic)]));
        y += text.getGlobalBounds().height + 0.03f * 768;
        columnRight = std::max(columnRight, 0.03f * 1366 + text.getGlobalBounds().width);
    }
    EXPECT_FLOAT_EQ(menu.GetPage().getPosition().x, columnRight + 0.05f * 1366);
    EXPECT_FLOAT_EQ(menu.GetPage().getPosition().y, 0.03f * 768);
    EXPECT_EQ(menu.GetPage().getCharacterSize(), 16u);
    for (const int topic : {1, 2})
    {
        const sf::FloatRect picture = menu.GetPicture(topic).getGlobalBounds();
        EXPECT_FLOAT_EQ(picture.left, 0.03f * 1366);
        EXPECT_FLOAT_EQ(picture.top, y + 0.05f * 768);
        // The picture fits under the column, beside the page and inside the window.
        EXPECT_LE(picture.left + picture.width, menu.GetPage().getPosition().x);
        EXPECT_LE(picture.top + picture.height, 768.f);
    }
}

TEST_F(InfoMenuTest, EveryPageFitsInTheWindow)
{
    for (int topic = 0; topic < InfoMenu::backTopic; ++topic)
    {
        ClickTopic(topic);
        const sf::FloatRect page = menu.GetPage().getGlobalBounds();
        EXPECT_LE(page.left + page.width, 1366.f - 0.03f * 1366) << topic;
        EXPECT_LE(page.top + page.height, 768.f) << topic;
    }
}

TEST_F(InfoMenuTest, NoBreakSpacesAreNotDrawnAsMarks)
{
    // SFML draws a dot for a no-break space, so the page shows plain spaces instead.
    for (int topic = 0; topic < InfoMenu::backTopic; ++topic)
    {
        ClickTopic(topic);
        const std::wstring shown = menu.GetPage().getString().toWideString();
        EXPECT_EQ(shown.find(L'\u00A0'), std::wstring::npos) << topic;
        EXPECT_EQ(shown.size(), infoPages[static_cast<std::size_t>(topic)].size()) << topic;
    }
}

TEST_F(InfoMenuTest, StartsOnTheFirstTopicWithoutAPicture)
{
    EXPECT_EQ(menu.GetCurrentPage(), 0);
    EXPECT_EQ(menu.GetPage().getString(), Shown(0));
    MoveMouse(test.window, {1300.f, 700.f});
    EXPECT_FALSE(PictureDrawn(1));
    EXPECT_FALSE(PictureDrawn(2));
    EXPECT_EQ(menu.GetTopic(0).getFillColor(), highlightColor) << "selected without the pointer on it";
    EXPECT_EQ(menu.GetTopic(1).getFillColor(), textColor);
}

TEST_F(InfoMenuTest, ClickingATopicShowsItsPageAndPicture)
{
    EXPECT_EQ(ClickTopic(1), ScreenRequest::None);
    EXPECT_EQ(menu.GetPage().getString(), Shown(1));
    MoveMouse(test.window, {1300.f, 700.f});
    EXPECT_TRUE(PictureDrawn(1));
    EXPECT_EQ(menu.GetTopic(1).getFillColor(), highlightColor);
    EXPECT_EQ(menu.GetTopic(0).getFillColor(), textColor);

    EXPECT_EQ(ClickTopic(2), ScreenRequest::None);
    EXPECT_EQ(menu.GetPage().getString(), Shown(2));
    MoveMouse(test.window, {1300.f, 700.f});
    EXPECT_TRUE(PictureDrawn(2));

    EXPECT_EQ(ClickTopic(3), ScreenRequest::None);
    EXPECT_EQ(menu.GetCurrentPage(), 3);
    MoveMouse(test.window, {1300.f, 700.f});
    EXPECT_FALSE(PictureDrawn(1));
    EXPECT_FALSE(PictureDrawn(2));
}

TEST_F(InfoMenuTest, BackReturnsWithoutChangingTheSelection)
{
    ClickTopic(2);
    EXPECT_EQ(ClickTopic(InfoMenu::backTopic), ScreenRequest::OpenStartMenu);
    EXPECT_EQ(menu.GetCurrentPage(), 2);
    EXPECT_EQ(menu.GetPage().getString(), Shown(2));

    MoveMouse(test.window, Centre(menu.GetTopic(InfoMenu::backTopic).getGlobalBounds()));
    menu.Draw();
    EXPECT_EQ(menu.GetTopic(InfoMenu::backTopic).getFillColor(), highlightColor);
    MoveMouse(test.window, {1300.f, 700.f});
    menu.Draw();
    EXPECT_EQ(menu.GetTopic(InfoMenu::backTopic).getFillColor(), textColor);
}

TEST_F(InfoMenuTest, OtherEventsAndEdgeMissesChangeNothing)
{
    MoveMouse(test.window, Centre(menu.GetTopic(1).getGlobalBounds()));
    sf::Event right = Event(sf::Event::MouseButtonPressed);
    right.mouseButton.button = sf::Mouse::Right;
    for (const sf::Event& event : {right, Event(sf::Event::MouseButtonReleased), Event(sf::Event::MouseMoved),
                                   KeyPress(sf::Keyboard::Down)})
    {
        EXPECT_EQ(menu.ProcessEvent(event), ScreenRequest::None);
        EXPECT_EQ(menu.GetCurrentPage(), 0);
    }

    const EdgeProbes edge = ProbesFor(menu.GetTopic(1).getGlobalBounds());
    const float midY = std::floor(Centre(menu.GetTopic(1).getGlobalBounds()).y);
    MoveMouse(test.window, {edge.lastInsideX + 1.f, midY});
    menu.ProcessEvent(LeftClick());
    EXPECT_EQ(menu.GetCurrentPage(), 0) << "the right edge is outside";
    MoveMouse(test.window, {edge.lastInsideX, midY});
    menu.ProcessEvent(LeftClick());
    EXPECT_EQ(menu.GetCurrentPage(), 1);
}
