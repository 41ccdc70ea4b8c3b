// The same window as the game's, only cleared and displayed: the yardstick that the
// speed measurements compare the game against.
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    const sf::Clock launch;
    const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    sf::ContextSettings settings;
    settings.antialiasingLevel = 1;
    sf::RenderWindow window(sf::VideoMode(1366, 768, 32), "Kvelmora", sf::Style::Titlebar | sf::Style::Close,
                            settings);
    window.setVerticalSyncEnabled(true);

    sf::Clock frameClock;
    for (int frame = 0; frame < frames && window.isOpen(); ++frame)
    {
        sf::Event event;
        while (window.pollEvent(event))
        {
            if (event.type == sf::Event::Closed)
                window.close();
        }
        window.clear(sf::Color::White);
        window.display();
        if (frame == 0)
            std::cout << "first_frame_ms " << launch.getElapsedTime().asMicroseconds() / 1000.0 << '\n';
    }
    std::cout << "frame_us " << frameClock.getElapsedTime().asMicroseconds() / static_cast<double>(frames) << '\n';
}
