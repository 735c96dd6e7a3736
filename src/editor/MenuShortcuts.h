#pragma once

#include <QObject>

class QEvent;
class QWidget;

namespace fenster {

// The main window's menu shortcuts are the program's commands: Ctrl+Ins
// inserts a row, Ctrl+H shows the thumbnails, Ctrl+M changes the window's
// size, whichever control of the window has the keyboard. Qt's edits and
// spin boxes claim such keys for themselves (Ctrl+Ins copies, Ctrl+H deletes
// backwards), so the menu would never see them while the property panel is
// being typed into. This filter, on the application, hands those keys back
// to the menu. The edit keeps the keys of its own text: cut, copy, paste,
// select all, undo and redo with Ctrl+X/C/V/A/Z/Y, Shift+Ins and Shift+Del.
// Dialogs are windows of their own and keep every key.
class MenuShortcutsFirst : public QObject {
    Q_OBJECT

public:
    // Watches the keys of window's controls; installs itself on the
    // application and goes with window.
    explicit MenuShortcutsFirst(QWidget* window);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};

} // namespace fenster
