// The floor of bench/startup_frame.sh: a bare QApplication that shows an
// empty window, prints a line to standard error once its first frame is
// painted, and quits.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class EmptyWindow : public QWidget {
protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, [] {
                std::fputs("first paint\n", stderr);
                QCoreApplication::quit();
            });
        }
        return QWidget::event(event);
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(1084, 744);
    window.show();
    return QApplication::exec();
}
