#include "event_router.h"

#include "application.h"
#include "constants.h"
#include "sound_switch.h"
#include "window_mode.h"

namespace kvelmora
{

EventRouter::EventRouter(Application& application, WindowMode& mode, SoundSwitch& sound)
    : m_application(application)
    , m_mode(mode)
    , m_sound(sound)
{
}

bool EventRouter::Take(const sf::Event& event)
{
    if (!m_held.Take(event, m_application.GetViewStamp()))
        return true;
    switch (m_mode.Route(event))
    {
    case EventRoute::Quit:
        return false;
    case EventRoute::ToStartMenu:
        m_application.ReturnToStartMenu();
        break;
    case EventRoute::ToScreen:
        if (m_sound.Take(event))
            TakeSoundSwitch();
        else
            m_application.ProcessEvent(event);
        break;
    case EventRoute::Handled:
        break;
    }
    return true;
}

void EventRouter::TakeSoundSwitch()
{
    if (m_sound.LastSaveFailed())
        m_application.ShowNotice(settingsNotSavedNotice);
}
} // namespace kvelmora
