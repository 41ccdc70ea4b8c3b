#pragma once

#include "application.h"

// Stub: replaced by the real game screen.
class Game final : public Screen
{
public:
    explicit Game(AppContext* context);

    ScreenRequest ProcessEvent(const sf::Event& event) override;
    void Update(float seconds) override;
    void Draw() override;
};
