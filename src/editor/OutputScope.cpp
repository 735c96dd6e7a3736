#include "OutputScope.h"

#include "Engine.h"

namespace fenster {

OutputScope::OutputScope(QWidget* window)
    : m_window(window)
    , m_wasHighlighting(Engine().HighlightSelection)
{
    Engine().HighlightSelection = false;
    if (m_window) {
        m_windowWasEnabled = m_window->isEnabled();
        m_window->setEnabled(false);
    }
}

OutputScope::~OutputScope()
{
    Engine().HighlightSelection = m_wasHighlighting;
    if (m_window)
        m_window->setEnabled(m_windowWasEnabled);
}

} // namespace fenster
