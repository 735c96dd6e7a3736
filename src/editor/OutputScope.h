#pragma once

#include <QPointer>
#include <QWidget>

namespace fenster {

// Held while a picture is made for output (clipboard, file, printer): the
// selected field is not highlighted, and the given window, when there is
// one, takes no input. Both are restored when the scope ends, however it
// ends, errors included.
class OutputScope {
public:
    // window null: only the highlight is switched off.
    explicit OutputScope(QWidget* window = nullptr);
    ~OutputScope();

    OutputScope(const OutputScope&) = delete;
    OutputScope& operator=(const OutputScope&) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_windowWasEnabled = true;
    bool m_wasHighlighting = true;
};

} // namespace fenster
