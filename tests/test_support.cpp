#include "test_support.h"

#include "assets.h"
#include "file_locations.h"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Mouse.hpp>

#include <unistd.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kvelmora
{

TestContext::TestContext()
    : window(sf::VideoMode(static_cast<unsigned int>(windowWidth), static_cast<unsigned int>(windowHeight), 32),
             "Kvelmora tests", sf::Style::Titlebar | sf::Style::Close)
    , context(window)
{
    window.setPosition({0, 0});
    LoadAllAssets(context.GetAssetMaps(), std::filesystem::path(KVELMORA_SOURCE_DIR) / "assets");
}

ScreenRequest TestContext::ClickAt(Screen& screen, sf::Vector2f position)
{
    MoveMouse(window, position);
    return screen.ProcessEvent(LeftClick());
}

sf::Image TestContext::Picture(Screen& screen)
{
    window.clear(sf::Color::White);
    screen.Draw();
    return Capture(window);
}

sf::Image Capture(const sf::RenderWindow& window)
{
    sf::Texture capture;
    capture.create(window.getSize().x, window.getSize().y);
    capture.update(window);
    return capture.copyToImage();
}

TempFolderTest::TempFolderTest()
    : folder(std::filesystem::path(::testing::TempDir()) /
             (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
              std::to_string(getpid())))
{
}

void TempFolderTest::SetUp()
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
}

void TempFolderTest::TearDown()
{
    std::filesystem::remove_all(folder);
}

PlayerFiles::PlayerFiles()
{
    Remove();
}

PlayerFiles::~PlayerFiles()
{
    Remove();
}

std::filesystem::path PlayerFiles::Path(const std::string& name)
{
    return GetFileLocations().bestResults / name;
}

void PlayerFiles::Remove()
{
    for (const char* name : {"settings.txt", "high_scores_75.txt", "high_scores_50.txt"})
        std::filesystem::remove_all(Path(name));
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ostringstream content;
    content << std::ifstream(path).rdbuf();
    return content.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path) << content;
}

void MoveMouse(const sf::RenderWindow& window, sf::Vector2f position)
{
    // Pixel positions are whole numbers; a fractional bounds edge is probed by its neighbours.
    const sf::Vector2i pixel(static_cast<int>(std::floor(position.x)), static_cast<int>(std::floor(position.y)));
    sf::Mouse::setPosition(pixel, window);
    for (int attempt = 0; attempt < 100 && sf::Mouse::getPosition(window) != pixel; ++attempt)
        sf::Mouse::setPosition(pixel, window);
}

sf::Event LeftClick()
{
    sf::Event event;
    event.type = sf::Event::MouseButtonPressed;
    event.mouseButton.button = sf::Mouse::Left;
    event.mouseButton.x = 0;
    event.mouseButton.y = 0;
    return event;
}

sf::Event TouchBegan(sf::Vector2f position)
{
    sf::Event event;
    event.type = sf::Event::TouchBegan;
    event.touch.finger = 0;
    event.touch.x = static_cast<int>(position.x);
    event.touch.y = static_cast<int>(position.y);
    return event;
}

sf::Event KeyPress(sf::Keyboard::Key key, bool alt)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {key, alt, false, false, false};
    return event;
}

sf::Event PadButton(unsigned int button, unsigned int pad)
{
    sf::Event event;
    event.type = sf::Event::JoystickButtonPressed;
    event.joystickButton = {pad, button};
    return event;
}

sf::Event PadPush(sf::Joystick::Axis axis, float position, unsigned int pad)
{
    sf::Event event;
    event.type = sf::Event::JoystickMoved;
    event.joystickMove = {pad, axis, position};
    return event;
}

float Left(const sf::Sprite& sprite)
{
    return sprite.getGlobalBounds().left;
}

float Right(const sf::Sprite& sprite)
{
    return Left(sprite) + sprite.getGlobalBounds().width;
}

void EndOnAFlower(Game& game)
{
    const float deepInTheRunner = 40.f; // pixels right of its left edge
    ScreenProbe::WorldOf(game).PlaceFlowerCluster(1, ScreenProbe::Runner(game).GetBounds().left + deepInTheRunner);
    ScreenProbe::CheckFlowerContact(game);
}

bool CreateSymlink(const std::filesystem::path& target, const std::filesystem::path& link)
{
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    return !error;
}
} // namespace kvelmora
