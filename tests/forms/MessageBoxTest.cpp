#include "FormsTest.h"

#include "Log.h"
#include "MessageBox.h"

#include <QDirIterator>
#include <QLabel>
#include <QPushButton>

namespace fenster {
namespace {

using MessageBoxTest = FormsTest;

struct Shown {
    QString caption;
    QString text;
    bool cancelVisible = false;
};

Shown look(QWidget* modal)
{
    auto* box = qobject_cast<TForm_Messagebox*>(modal);
    EXPECT_NE(box, nullptr);
    if (!box)
        return {};
    return {box->windowTitle(), box->Messagetext->text(), box->ASBCancel->isVisible()};
}

TEST_F(MessageBoxTest, KeysAndButtonsGiveTheResults)
{
    struct Case {
        const char* name;
        WithCancel withCancel;
        std::function<void(TForm_Messagebox*)> act;
        int result;
    };
    const Case cases[] = {
        {"Enter", WithCancel::Yes, [](TForm_Messagebox* b) { PressKey(b, Qt::Key_Return); }, 1},
        {"keypad Enter", WithCancel::No, [](TForm_Messagebox* b) { PressKey(b, Qt::Key_Enter); }, 1},
        {"Enter while Abbruch has the focus", WithCancel::Yes,
            [](TForm_Messagebox* b) {
                b->ASBCancel->setFocus();
                PressKey(b, Qt::Key_Return);
            },
            1},
        {"Escape", WithCancel::Yes, [](TForm_Messagebox* b) { PressKey(b, Qt::Key_Escape); }, 2},
        {"Escape without Abbruch", WithCancel::No, [](TForm_Messagebox* b) { PressKey(b, Qt::Key_Escape); }, 2},
        {"Abbruch", WithCancel::Yes, [](TForm_Messagebox* b) { QTest::mouseClick(b->ASBCancel, Qt::LeftButton); }, 2},
        {"OK", WithCancel::No, [](TForm_Messagebox* b) { QTest::mouseClick(b->ASButtonOK, Qt::LeftButton); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown shown;
        OnModal([&](QWidget* modal) {
            shown = look(modal);
            c.act(static_cast<TForm_Messagebox*>(modal));
        });
        EXPECT_EQ(ShowMessageForm(QStringLiteral("Titel"), QStringLiteral("Nachricht"), c.withCancel), c.result);
        EXPECT_EQ(shown.caption, QStringLiteral("Titel"));
        EXPECT_EQ(shown.text, QStringLiteral("Nachricht"));
        EXPECT_EQ(shown.cancelVisible, c.withCancel == WithCancel::Yes);
    }
}

TEST_F(MessageBoxTest, DisabledOkIgnoresEnter)
{
    bool stayedOpen = false;
    OnModal([&](QWidget* modal) {
        auto* box = static_cast<TForm_Messagebox*>(modal);
        box->ASButtonOK->setEnabled(false);
        PressKey(box, Qt::Key_Return);
        stayedOpen = box->isVisible();
        PressKey(box, Qt::Key_Escape);
    });
    EXPECT_EQ(ShowMessageForm(QStringLiteral("Titel"), QStringLiteral("Text"), WithCancel::Yes), 2);
    EXPECT_TRUE(stayedOpen);
}

TEST_F(MessageBoxTest, OperationsTranslateCaptionAndText)
{
    writeLanguageFile(QString::fromUtf8("Fehler~Error\r\nKeine Maßlinie ausgewählt!~No dimension line selected!\r\n"
                                        "Frage~Question\r\nWirklich?~Really?\r\nHöhe %d von %d~Height %d of %d\r\n"
                                        "Hinweis~Note\r\n")
                          .toLatin1());
    struct Case {
        const char* name;
        std::function<int()> call;
        Shown expected;
        int result;
    };
    const Case cases[] = {
        {"ShowError", [] { ShowError(QString::fromUtf8("Keine Maßlinie ausgewählt!")); return 0; },
            {"Error ", "No dimension line selected!", false}, 0},
        {"ShowInfo", [] { ShowInfo(QStringLiteral("Hinweis"), QStringLiteral("unbekannt")); return 0; },
            {"Note   ", "unbekannt", false}, 0},
        {"Confirm", [] { return Confirm(QStringLiteral("Frage"), QStringLiteral("Wirklich?")); },
            {"Question", "Really?  ", true}, 1},
        {"ConfirmFmt", [] { return ConfirmFmt(QStringLiteral("Frage"), QString::fromUtf8("Höhe %d von %d"), {2, 5}); },
            {"Question", "Height 2 of 5", true}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown shown;
        OnModal([&](QWidget* modal) {
            shown = look(modal);
            PressKey(modal, Qt::Key_Return);
        });
        EXPECT_EQ(c.call(), c.result);
        EXPECT_EQ(shown.caption, c.expected.caption);
        EXPECT_EQ(shown.text, c.expected.text);
        EXPECT_EQ(shown.cancelVisible, c.expected.cancelVisible);
    }
    // Texts the file did not know are collected like any other.
    EXPECT_TRUE(languageFileLines().contains(QStringLiteral("unbekannt~")));
}

TEST_F(MessageBoxTest, EveryMessageIsLoggedAsShown)
{
    QTemporaryDir logFolder;
    ASSERT_TRUE(logFolder.isValid());
    qputenv(LogFolderVariable, logFolder.path().toLocal8Bit());
    LogStartup();
    writeLanguageFile(QByteArray("Fehler~Error\r\n"));
    OnModal([](QWidget* modal) { PressKey(modal, Qt::Key_Escape); });
    ShowError(QStringLiteral("Datei fehlt"));
    LogStop();
    qunsetenv(LogFolderVariable);

    QString log;
    for (QDirIterator it(logFolder.path(), {QStringLiteral("*.log")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        log += QString::fromLatin1(file.readAll());
    }
    EXPECT_TRUE(log.contains(QStringLiteral("messagebox: Error  Datei fehlt"))) << log.toStdString();
}

} // namespace
} // namespace fenster
