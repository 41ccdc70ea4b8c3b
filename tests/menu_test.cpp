#include "constants.h"
#include "controls.h"
#include "info_menu.h"
#include "settings.h"
#include "start_menu.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace kvelmora
{

namespace
{
const sf::Vector2f nowhere(1300.f, 740.f); // a window point far from every button

class MenuTest : public ::testing::Test
{
protected:
    // The pictures lie where no text is: a non-white pixel there means one was drawn.
    bool PictureShown()
    {
        MoveMouse(test.window, nowhere);
        const sf::Vector2f middle = Centre(ScreenProbe::Picture(info, 1));
        const sf::Image picture = test.Picture(info);
        return picture.getPixel(static_cast<unsigned>(middle.x), static_cast<unsigned>(middle.y)) != sf::Color::White;
    }

    // One frame of both menus with the pointer where it is.
    void ShowFrame()
    {
        start.Update(frameTime);
        info.Update(frameTime);
        start.Draw();
        info.Draw();
    }

    // The start menu's buttons, then the info menu's topics, that are grey.
    std::vector<std::string> Grey()
    {
        ShowFrame();
        std::vector<std::string> grey;
        for (const int key : {StartMenu::infoButton, StartMenu::playButton, StartMenu::speedButton})
        {
            if (ScreenProbe::Button(start, key).getFillColor() == highlightColor)
                grey.push_back("button " + std::to_string(key));
        }
        for (int topic = 0; topic <= InfoMenu::backTopic; ++topic)
        {
            if (ScreenProbe::Topic(info, topic).getFillColor() == highlightColor)
                grey.push_back("topic " + std::to_string(topic));
        }
        return grey;
    }

    // Both menus take the same event; the answers, start menu's first.
    std::pair<ScreenRequest, ScreenRequest> Press(const sf::Event& event)
    {
        return {start.ProcessEvent(event), info.ProcessEvent(event)};
    }

    TestContext test;
    StartMenu start{&test.context};
    InfoMenu info{&test.context};
};

// True when the picture's row y holds no ink from x = left up to right, on a white ground.
bool RowIsBlank(const sf::Image& picture, unsigned int y, unsigned int left, unsigned int right)
{
    for (unsigned int x = left; x < right; ++x)
    {
        if (picture.getPixel(x, y) != sf::Color::White)
            return false;
    }
    return true;
}

// The lines of a text, drawn alone on white, whose ink meets that of the next line: no blank pixel
// row lies between their baselines.
std::vector<std::size_t> LinesTouchingTheNext(sf::RenderWindow& window, const sf::Text& text)
{
    window.clear(sf::Color::White);
    window.draw(text);
    const sf::Image picture = Capture(window);
    const sf::FloatRect bounds = text.getGlobalBounds();
    const auto left = static_cast<unsigned int>(bounds.left);
    const auto right = std::min(static_cast<unsigned int>(std::ceil(bounds.left + bounds.width)), picture.getSize().x);

    // SFML puts a line's baseline one character size below the top of its line.
    std::vector<unsigned int> baselines;
    const std::wstring string = text.getString().toWideString();
    for (std::size_t start = 0; start < string.size(); start = string.find(L'\n', start) + 1)
        baselines.push_back(static_cast<unsigned int>(text.findCharacterPos(start).y + float(text.getCharacterSize())));
    std::vector<std::size_t> touching;
    for (std::size_t line = 1; line < baselines.size(); ++line)
    {
        bool blank = false;
        for (unsigned int y = baselines[line - 1] + 1; y < baselines[line] && !blank; ++y)
            blank = RowIsBlank(picture, y, left, right);
        if (!blank)
            touching.push_back(line - 1);
    }
    return touching;
}

using Strings = std::vector<std::string>;
using Answers = std::pair<ScreenRequest, ScreenRequest>;
constexpr auto none = ScreenRequest::None;
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
        EXPECT_EQ(test.ClickAt(start, {first.x, middle.y}), request);
        EXPECT_EQ(test.ClickAt(start, {middle.x, last.y}), request);
        EXPECT_EQ(test.ClickAt(start, {first.x - 1, middle.y}), ScreenRequest::None);
        EXPECT_EQ(test.ClickAt(start, {last.x + 1, middle.y}), ScreenRequest::None);
        EXPECT_EQ(test.ClickAt(start, {middle.x, last.y + 1}), ScreenRequest::None);
    }

    // Only a left press counts, and the pointer decides, not the event's stored position.
    MoveMouse(test.window, Centre(ScreenProbe::Button(start, StartMenu::playButton)));
    sf::Event press = LeftClick();
    press.mouseButton.button = sf::Mouse::Right;
    EXPECT_EQ(start.ProcessEvent(press), ScreenRequest::None);
    press = LeftClick();
    press.mouseButton.x = 200;
    press.mouseButton.y = 360;
    EXPECT_EQ(start.ProcessEvent(press), ScreenRequest::StartGame);
}

TEST_F(MenuTest, ButtonsAreGreyWhilePointedAtAndTheSelectedTopicStaysGrey)
{
    MoveMouse(test.window, nowhere);
    EXPECT_EQ(Grey(), (Strings{"topic 0"})) << "as the menus always looked";
    MoveMouse(test.window, Centre(ScreenProbe::Button(start, StartMenu::playButton)));
    EXPECT_EQ(Grey(), (Strings{"button 1", "topic 0"}));
    MoveMouse(test.window, Centre(ScreenProbe::Topic(info, InfoMenu::backTopic)));
    EXPECT_EQ(Grey(), (Strings{"topic 0", "topic 4"}));
    MoveMouse(test.window, nowhere);
    EXPECT_EQ(Grey(), (Strings{"topic 0"}));
}

TEST_F(MenuTest, KeysMoveAOneButtonFocusThatChoosesAndThePointerTakesItOver)
{
    MoveMouse(test.window, nowhere);
    ShowFrame();
    EXPECT_EQ(Press(KeyPress(sf::Keyboard::Right)), (Answers{none, none}));
    EXPECT_EQ(Grey(), (Strings{"button 1", "topic 0"})) << "the first key shows \"Hrát hru\"";
    EXPECT_EQ(Press(KeyPress(sf::Keyboard::Down)), (Answers{none, none}));
    start.ProcessEvent(KeyPress(sf::Keyboard::Right)); // past the game speed, round to the first button
    EXPECT_EQ(Grey(), (Strings{"button 0", "topic 0", "topic 1"})) << "the selected topic stays grey";
    EXPECT_EQ(Press(KeyPress(sf::Keyboard::Enter)), (Answers{ScreenRequest::OpenInfoMenu, none}));
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 1);
    EXPECT_EQ(Grey(), (Strings{"button 0", "topic 1"}));

    MoveMouse(test.window, Centre(ScreenProbe::Button(start, StartMenu::playButton)));
    ShowFrame();
    MoveMouse(test.window, nowhere);
    EXPECT_EQ(Grey(), (Strings{"button 1", "topic 1"})) << "the pointer moved the focus, which stays";
    EXPECT_EQ(Press(KeyPress(sf::Keyboard::Space)).first, ScreenRequest::StartGame);

    // Back from the second topic, past the first, wraps to "Zpět".
    sf::Event shiftTab = KeyPress(sf::Keyboard::Tab);
    shiftTab.key.shift = true;
    Press(KeyPress(sf::Keyboard::Up));
    Press(shiftTab);
    EXPECT_EQ(Grey(), (Strings{"button 2", "topic 1", "topic 4"}));
    EXPECT_EQ(Press(KeyPress(sf::Keyboard::Space)).second, ScreenRequest::OpenStartMenu);
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 1) << "\"Zpět\" keeps the page";
}

TEST_F(MenuTest, APadMovesTheFocusChoosesAndGoesBack)
{
    MoveMouse(test.window, nowhere);
    ShowFrame();
    EXPECT_EQ(Press(PadButton(padChooseButton)), (Answers{none, none})) << "A first shows the focus";
    EXPECT_EQ(Press(PadPush(sf::Joystick::PovX, 100.f)), (Answers{none, none})) << "a column ignores sideways";
    EXPECT_EQ(Press(PadPush(sf::Joystick::Y, 100.f)), (Answers{none, none}));
    EXPECT_EQ(Grey(), (Strings{"button 0", "topic 0", "topic 1"})) << "past the game speed";
    Press(PadPush(sf::Joystick::Y, 0.f));
    Press(PadPush(sf::Joystick::Y, 100.f));
    EXPECT_EQ(Press(PadButton(padChooseButton)), (Answers{ScreenRequest::StartGame, none}));
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 2);
    EXPECT_EQ(Press(PadButton(padBackButton)), (Answers{none, ScreenRequest::OpenStartMenu}));
    EXPECT_EQ(Press(KeyPress(sf::Keyboard::BackSpace)), (Answers{none, ScreenRequest::OpenStartMenu}));
}

// Keys and a pad choose the speed through the same focus as the other buttons (the focus tests above,
// and the end-to-end speed check by keyboard).
TEST(StartMenuSpeed, AClickStepsTheSpeedAndTheNextStartKeepsIt)
{
    const PlayerFiles files;
    sf::RenderWindow window(sf::VideoMode(1366, 768), "Kvelmora");
    window.setPosition({0, 0});
    const auto shown = [](const Application& application) {
        const StartMenu* menu = ScreenOf<StartMenu>(application);
        return menu ? ScreenProbe::Button(*menu, StartMenu::speedButton).getString().toWideString() : L"gone";
    };
    {
        Application application(window);
        EXPECT_EQ(shown(application), L"Rychlost hry: 100 %");
        MoveMouse(window, Centre(ScreenProbe::Button(*ScreenOf<StartMenu>(application), StartMenu::speedButton)));
        application.ProcessEvent(LeftClick());
        EXPECT_EQ(shown(application), L"Rychlost hry: 75 %");
        EXPECT_EQ(ReadFile(PlayerFiles::Path(settingsFileName)), "sound=on\nspeed=75\n");
    }
    const Application restarted(window);
    EXPECT_EQ(shown(restarted), L"Rychlost hry: 75 %");
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
        EXPECT_EQ(test.ClickAt(info, Centre(ScreenProbe::Topic(info, topic))), ScreenRequest::None);
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
    test.ClickAt(info, {std::ceil(second.left + second.width), Centre(ScreenProbe::Topic(info, 1)).y});
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 3);
    EXPECT_EQ(test.ClickAt(info, Centre(ScreenProbe::Topic(info, InfoMenu::backTopic))), ScreenRequest::OpenStartMenu);
    EXPECT_EQ(ScreenProbe::CurrentPage(info), 3);
}

TEST_F(MenuTest, EveryPageLeavesABlankPixelRowBetweenTwoLinesSoNoDescenderTouchesAnAccent)
{
    using Lines = std::vector<std::size_t>;
    for (int topic = 0; topic < InfoMenu::backTopic; ++topic)
    {
        test.ClickAt(info, Centre(ScreenProbe::Topic(info, topic)));
        EXPECT_EQ(LinesTouchingTheNext(test.window, ScreenProbe::Page(info)), Lines{}) << "page " << topic;
    }
    // The deepest descenders over the highest accents, whatever the pages come to say.
    sf::Text worst = ScreenProbe::Page(info);
    worst.setString(L"gjpqyý,\nČŠŘŽĎŤŇĚÁÍÝÚŮ\n");
    EXPECT_EQ(LinesTouchingTheNext(test.window, worst), Lines{});
}
} // namespace kvelmora
