// The floor for the render process benchmark: a program that starts a
// QGuiApplication offscreen and exits.

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { });
    QGuiApplication app(argc, argv);
    return 0;
}
