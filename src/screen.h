#pragma once

#include "assets.h"
#include "best_results_by_speed.h"
#include "speed_choice.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <map>
#include <string>

namespace sf
{
class RenderWindow;
}

namespace kvelmora
{
// What every screen shares: the window, the assets and the best results.
struct AppContext
{
    explicit AppContext(sf::RenderWindow& window);
    AssetMaps GetAssetMaps(); // the maps below, for the asset loader to fill

    sf::RenderWindow* window; // not owned
    std::map<std::string, FontAsset> fonts;
    std::map<std::string, sf::Texture> textures;
    std::map<std::string, sf::SoundBuffer> soundBuffers;
    SpeedChoice speed;              // the game speed chosen on the start menu
    BestResultsBySpeed bestResults; // each speed's best results, and the files behind them
    bool hasFocus = true;           // as the frame loop last told the screens
    bool touchUsed = false;         // a finger has touched the window: our own hints speak of tapping
    int infoMenuPage = 0;           // set with a request for the info menu: the page it opens on, once
};

enum class ScreenRequest : int
{
    None = 0,
    OpenStartMenu = 1,
    OpenInfoMenu = 2,
    StartGame = 3,
};

// A screen never replaces itself: it returns a request and the application acts on it
// after ProcessEvent has returned. Draw changes no state of the screen's world.
class Screen
{
public:
    explicit Screen(AppContext* context);
    virtual ~Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    virtual ScreenRequest ProcessEvent(const sf::Event& event) = 0;
    virtual void Update(float seconds) = 0;
    virtual void Draw() = 0;
    // Which of its views the screen shows; keys held into a new view do nothing there (HeldInput).
    virtual int GetView() const { return 0; }

protected:
    // The pointer as it is now, in logical pixels, not where an event says it was.
    sf::Vector2f GetMousePosition() const;

    AppContext* m_context; // not owned
};
} // namespace kvelmora
