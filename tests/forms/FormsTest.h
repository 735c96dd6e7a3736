#pragma once

#include "Translator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (const QString& text : list)
        *os << '"' << text.toStdString() << "\" ";
    *os << '}';
}

namespace fenster {

inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "forms_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Runs action on the next modal window once it is shown, as a person at
// the keyboard would. A window that does not appear, or an action that does
// not close it, fails the test and is closed after a few seconds so that
// the test never hangs.
inline void OnModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    auto* waited = new int(0);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete waited;
            QPointer<QWidget> guard(modal);
            action(modal);
            // Close what the action left open, after the test had its look.
            QTimer::singleShot(3000, [guard] {
                if (guard && guard->isVisible()) {
                    ADD_FAILURE() << "dialog left open";
                    guard->close();
                }
            });
            return;
        }
        if (++*waited > 1000) {
            timer->stop();
            timer->deleteLater();
            delete waited;
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start(5);
}

// A key as the window system delivers it to the active window.
inline void PressKey(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window->windowHandle(), key);
}

// Each test gets its own language folder with "0407.lng" as the file.
class FormsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        EndTranslation();
        ASSERT_TRUE(m_folder.isValid());
        SetLanguageFolder(m_folder.path());
        SetLanguageName(QStringLiteral("0407"));
        writeLanguageFile(QByteArray());
    }

    void TearDown() override
    {
        EndTranslation();
        SetLanguageFolder(QString());
    }

    QString languageFile() const { return QDir(m_folder.path()).filePath(QStringLiteral("0407.lng")); }

    void writeLanguageFile(const QByteArray& bytes) const
    {
        QFile file(languageFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QStringList languageFileLines() const
    {
        QFile file(languageFile());
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<missing>")};
        return DecodeLanguageFile(file.readAll());
    }

    QTemporaryDir m_folder;
};

} // namespace fenster
