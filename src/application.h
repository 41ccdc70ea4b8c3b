#pragma once

#include "corner_notice.h"
#include "held_input.h"
#include "screen.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

#include <memory>
#include <string>

namespace sf
{
class RenderWindow;
}

namespace kvelmora
{
class Application final
{
public:
    explicit Application(sf::RenderWindow& window);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // A tap or a click on the speaker never reaches the screen; the sound switch acts on the click.
    void ProcessEvent(const sf::Event& event);
    bool IsSpeakerTap(const sf::Event& event) const;
    void Update(float seconds);
    void Draw();
    void ReturnToStartMenu(); // saves the best results first; nothing on the start menu itself
    // Over any screen, in its bottom-right corner: the speaker in the sound's state, and a notice beside it.
    void DrawCorner(bool soundOn);
    void ShowNotice(const std::wstring& text); // for a few seconds
    bool SaveBestResults();                    // at exit; false when any could not be saved

    const Screen& GetScreen() const { return *m_screen; }
    ViewStamp GetViewStamp() const { return {m_screensCreated, m_screen->GetView()}; }

private:
    void PassToScreen(const sf::Event& event);
    void Switch(ScreenRequest request);
    std::unique_ptr<Screen> CreateScreen(ScreenRequest request);

    void PlaceSpeaker();

    AppContext m_context;
    std::unique_ptr<Screen> m_screen;
    unsigned int m_screensCreated = 0;
    sf::Sprite m_speaker;
    CornerNotice m_notice;
};
} // namespace kvelmora
