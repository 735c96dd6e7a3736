// The floor of the render-only benchmark: a process that only starts a
// QApplication and exits.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    return 0;
}
