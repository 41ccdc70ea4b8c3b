#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>
#include <vector>

namespace kvelmora
{

// Asset keys of the two fonts.
extern const std::string boldFontKey;
extern const std::string regularFontKey;

extern const sf::Color textColor;
extern const sf::Color highlightColor; // hovered or selected buttons

// Every text the player sees is a wide string, so Czech letters reach SFML intact.
extern const std::wstring windowTitle;
extern const std::wstring menuTitle;
extern const std::wstring infoButtonText;
extern const std::wstring playButtonText;
extern const std::wstring speedChoiceText;         // before the game speed in percent, on the start menu
extern const std::vector<std::wstring> infoTopics; // the last one, "Zpět", has no page
extern const std::vector<std::wstring> infoPages;  // page n belongs to topic n
extern const std::wstring gameInstructions;
extern const std::wstring gameOverCaption;
extern const std::wstring bestResultsHeading;
extern const std::wstring slowerBestResultsHeading; // before a slower speed's percent, which a bracket closes
extern const std::wstring gameOverHint;
extern const std::wstring saveFailedNotice;    // under the game-over hint when the best results were not saved
extern const std::wstring playAgainButtonText; // game-over buttons
extern const std::wstring startMenuButtonText;
extern const std::wstring flowerPageButtonText; // on the game-over card about the flower that was hit
extern const std::wstring pauseCaption;         // on the band across a paused game
extern const std::wstring pauseHint;
extern const std::wstring pauseTapHint;           // instead, once the player has used touch
extern const std::wstring settingsNotSavedNotice; // for a moment over any screen when the sound's choice was not kept

// SFML draws a small dot for any blank glyph but a plain space, so a text keeps its no-break spaces
// for where lines may break and is shown with plain ones.
std::wstring WithPlainSpaces(std::wstring text);
} // namespace kvelmora
