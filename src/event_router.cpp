#include "event_router.h"

#include "application.h"
#include "constants.h"
#include "controls.h"
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
        TakeForScreen(event);
        break;
    case EventRoute::Handled:
        break;
    }
    return true;
}

void EventRouter::TakeForScreen(const sf::Event& event)
{
    // A finger's tap comes as a touch and then as a click: the click alone switches the sound.
    if (m_sound.Take(event))
        TakeSoundSwitch();
    else if (IsLeftClick(event) && m_application.IsSpeakerTap(event))
    {
        m_sound.Toggle();
        TakeSoundSwitch();
    }
    else
        m_application.ProcessEvent(event);
}

void EventRouter::TakeSoundSwitch()
{
    if (m_sound.LastSaveFailed())
        m_application.ShowNotice(settingsNotSavedNotice);
}
} // namespace kvelmora
