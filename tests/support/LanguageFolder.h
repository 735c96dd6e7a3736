#pragma once

#include "QtPrinting.h"
#include "Translator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace fenster {

inline void EnsureWidgetApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fenster_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// Each test gets its own language folder and a fresh translator that uses
// "0407.lng" (or "default.lng" when that is missing).
class LanguageFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureWidgetApplication(); }

    void SetUp() override
    {
        EndTranslation();
        ASSERT_TRUE(m_folder.isValid());
        SetLanguageFolder(m_folder.path());
        SetLanguageName(QStringLiteral("0407"));
    }

    // Ends the run and starts the next one with the same language file.
    void restart()
    {
        EndTranslation();
        SetLanguageName(QStringLiteral("0407"));
    }

    void TearDown() override
    {
        EndTranslation();
        SetLanguageFolder(QString());
    }

    QString path(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    void writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readFile(const QString& name) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return file.readAll();
    }

    QStringList folderEntries() const
    {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_folder;
};

} // namespace fenster
