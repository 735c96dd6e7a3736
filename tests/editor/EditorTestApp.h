#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// The one application object of an editor test program, made on first use.
inline void EnsureEditorTestApplication()
{
    static int argc = 1;
    static char name[] = "editor_tests";
    static char* argv[] = { name, nullptr };
    if (!QApplication::instance())
        new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

// Accepts every message box that comes up while it lives and keeps their
// texts, so that no test waits on a modal box.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_texts << box->text();
                box->accept();
            }
        });
        m_timer.start();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // The texts of the boxes answered so far, oldest first.
    QStringList& texts() { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};
