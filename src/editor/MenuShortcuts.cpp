#include "MenuShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

#include <algorithm>
#include <array>

namespace fenster {

namespace {

// The keys an edit keeps for its own text.
constexpr std::array kTextKeys {
    Qt::CTRL | Qt::Key_X,
    Qt::CTRL | Qt::Key_C,
    Qt::CTRL | Qt::Key_V,
    Qt::CTRL | Qt::Key_A,
    Qt::CTRL | Qt::Key_Z,
    Qt::CTRL | Qt::Key_Y,
    Qt::SHIFT | Qt::Key_Insert,
    Qt::SHIFT | Qt::Key_Delete,
};

bool isModifierKey(int key)
{
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr || key == 0 || key == Qt::Key_unknown;
}

} // namespace

MenuShortcutsFirst::MenuShortcutsFirst(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

bool MenuShortcutsFirst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget == m_window || widget->window() != m_window)
        return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    if (isModifierKey(press->key()))
        return false;
    // Keypad and group-switch bits do not make another command.
    const Qt::KeyboardModifiers modifiers
        = press->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeyCombination combination(modifiers, Qt::Key(press->key()));
    if (std::find(kTextKeys.begin(), kTextKeys.end(), combination) != kTextKeys.end())
        return false;
    const QKeySequence sequence(combination);
    const QList<QAction*> commands = m_window->findChildren<QAction*>();
    const bool menuCommand = std::any_of(commands.begin(), commands.end(),
        [&](const QAction* command) { return command->isEnabled() && command->shortcuts().contains(sequence); });
    if (!menuCommand)
        return false;
    // Left unclaimed, the key goes to the menu's shortcut.
    event->ignore();
    return true;
}

} // namespace fenster
