#include "game.h"

Game::Game(AppContext* context)
    : Screen(context)
{
}

ScreenRequest Game::ProcessEvent(const sf::Event& event)
{
    return event.type == sf::Event::KeyPressed ? ScreenRequest::OpenStartMenu : ScreenRequest::None;
}

void Game::Update(float)
{
}

void Game::Draw()
{
}
