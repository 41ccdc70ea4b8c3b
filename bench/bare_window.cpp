// The same window as the game's, only cleared and displayed: the yardstick that the
// speed measurements compare the game against. With the argument "fullscreen" it fills
// the screen at the desktop's mode, as the game does after F11.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include <string>

int main(int argc, char* argv[])
{
    sf::ContextSettings settings;
    settings.antialiasingLevel = 1;
    sf::RenderWindow window;
    if (argc > 1 && std::string(argv[1]) == "fullscreen")
        window.create(sf::VideoMode::getDesktopMode(), "Kvelmora", sf::Style::Fullscreen, settings);
    else
        window.create(sf::VideoMode(1366, 768, 32), "Kvelmora", sf::Style::Titlebar | sf::Style::Close, settings);
    window.setVerticalSyncEnabled(true);
    while (window.isOpen())
    {
        sf::Event event;
        while (window.pollEvent(event))
        {
            if (event.type == sf::Event::Closed)
                window.close();
        }
        window.clear(sf::Color::White);
        window.display();
    }
}
