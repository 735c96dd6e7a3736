#include "LanguageFolder.h"

#include <QFileInfo>

#include <sys/stat.h>


namespace fenster {
namespace {

using TranslatorTest = LanguageFolderTest;

// What TranslateText shows for a text, given one language file.
TEST_F(TranslatorTest, LooksUpAndAlignsTexts)
{
    struct Case {
        const char* name;
        const char* file;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {"colon keeps its column", "Linker Rand [mm]~Left margin\r\n", "Linker Rand [mm]:",
            "Left margin     :"},
        {"16 characters reach the colon", "Linker Rand [mm]~Left margin edge\r\n", "Linker Rand [mm]:",
            "Left margin edge:"},
        {"longer translation gets the colon appended", "Linker Rand [mm]~Left margin of drawing\r\n",
            "Linker Rand [mm]:", "Left margin of drawing:"},
        {"colon before trailing blanks", "Rand~Margin\r\n", "Rand:   ", "Margin: "},
        {"filled to the source length", "Anzahl Breiten~Widths\r\n", "Anzahl Breiten", "Widths        "},
        {"accelerator as #38", "#38Datei~#38File\r\n", "&Datei", "&File "},
        {"untranslated entry shows the text", "Fenster #38drucken~\r\n", "Fenster &drucken",
            "Fenster &drucken"},
        {"lookup is case-sensitive", "Datei~File\r\n", "datei", "datei"},
        {"unknown text comes back", "Datei~File\r\n", "Abc :  ", "Abc :  "},
        {"line break in both parts", "Zeile1#13Zeile2~Line1#13Line2\r\n", "Zeile1\r\nZeile2",
            "Line1\rLine2  "},
        {"colon alone matches a line without ~", "Hallo\r\n", ":", "Hallo:"},
        {"file accelerator on both sides", "&Speichern~&Save\r\n", "Speichern", "&Save     "},
        {"file accelerator taken from the same column", "&Datei~File\r\n", "Datei", "&File "},
        // The key is upper-cased and placed on its first exact-case occurrence,
        // at the start when there is none.
        {"translation key placed by its upper case", "Drucken~Pri&nt\r\n", "Drucken", "&Print  "},
        {"translation key on its character", "Drucken~&Print\r\n", "Drucken", "&Print  "},
        {"further ~ never reach the screen", "Ende~En~de\r\n", "Ende", "Ende"},
        {"blanks only give nothing", "", "   ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        writeFile(QStringLiteral("0407.lng"), QByteArray(c.file));
        EXPECT_EQ(TranslateText(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown));
    }
}

TEST_F(TranslatorTest, UnknownTextsAreAppendedInOrderOfFirstUse)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray());
    for (const char* text : {"&Datei", "Linker Rand [mm]:", "&Datei", "Zeile1\r\nZeile2", "   ", "datei"})
        TranslateText(QString::fromUtf8(text));
    // Each new text rewrites the file at once.
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")),
        QByteArray("#38Datei~\r\nLinker Rand [mm]~\r\nZeile1#13Zeile2~\r\ndatei~\r\n"));
    EXPECT_EQ(TranslateText(QStringLiteral("&Datei")), QStringLiteral("&Datei"));
}

TEST_F(TranslatorTest, RewriteDropsLinesWithoutTildeAndKeepsTheRest)
{
    writeFile(QStringLiteral("0407.lng"),
        QByteArray("Kommentar ohne Trenner\r\nDatei~File\r\n\r\n&Datei~&File\r\nFenster~\r\n"));
    TranslateText(QStringLiteral("Neu"));
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")),
        QByteArray("Datei~File\r\n&Datei~&File\r\nFenster~\r\nNeu~\r\n"));
}

TEST_F(TranslatorTest, MissingLanguageFileFallsBackToDefaultCreatedEmpty)
{
    SetLanguageName(QStringLiteral("0415"));
    EXPECT_EQ(TranslateText(QStringLiteral("Sprache")), QStringLiteral("Sprache"));
    ASSERT_NE(Translator(), nullptr);
    EXPECT_EQ(Translator()->Datei(), path(QStringLiteral("default.lng")));
    EXPECT_EQ(readFile(QStringLiteral("default.lng")), QByteArray("Sprache~\r\n"));
    EXPECT_EQ(readFile(QStringLiteral("0415.lng")), QByteArray("<missing>"));
}

// An installed program reads its shipped language files from the program
// folder and collects into the user's data folder: which file is read,
// where the collected text goes, and that the shipped file stays as it was.
TEST_F(TranslatorTest, CollectedFilesWinAndShippedFilesAreNeverWritten)
{
    struct Case {
        const char* name;
        const char* collected0407; // nullptr: no such file
        const char* collectedDefault;
        const char* shipped0407;
        const char* shippedDefault;
        const char* readFrom; // "collect/..." or "shipped/..."
        const char* shown; // TranslateText("Datei")
        const char* collectedAfter; // the written file in collect/, after "Neu" was collected
    };
    const Case cases[] = {
        {"the shipped file is read and copied on the first collected text", nullptr, nullptr, "Datei~File\r\n",
            nullptr, "shipped/0407.lng", "File ", "Datei~File\r\nNeu~\r\n"},
        {"a collected file wins over the shipped one", "Datei~Fichier\r\n", nullptr, "Datei~File\r\n", nullptr,
            "collect/0407.lng", "Fichier", "Datei~Fichier\r\nNeu~\r\n"},
        {"the language's own name comes before a collected default", nullptr, "Datei~Standard\r\n",
            "Datei~File\r\n", nullptr, "shipped/0407.lng", "File ", "Datei~File\r\nNeu~\r\n"},
        {"a shipped default is copied as default.lng", nullptr, nullptr, nullptr, "Datei~Default\r\n",
            "shipped/default.lng", "Default", "Datei~Default\r\nNeu~\r\n"},
        {"no file anywhere: an empty default is made in the collect folder", nullptr, nullptr, nullptr, nullptr,
            "collect/default.lng", "Datei", "Datei~\r\nNeu~\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EndTranslation();
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QDir dir(root.path());
        ASSERT_TRUE(dir.mkpath(QStringLiteral("collect")) && dir.mkpath(QStringLiteral("shipped")));
        const auto put = [&dir](const char* name, const char* bytes) {
            if (!bytes)
                return;
            QFile file(dir.filePath(QLatin1String(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        const auto bytesOf = [&dir](const QString& name) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        };
        put("collect/0407.lng", c.collected0407);
        put("collect/default.lng", c.collectedDefault);
        put("shipped/0407.lng", c.shipped0407);
        put("shipped/default.lng", c.shippedDefault);
        SetLanguageFolder(dir.filePath(QStringLiteral("collect")), dir.filePath(QStringLiteral("shipped")));
        SetLanguageName(QStringLiteral("0407"));

        EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QString::fromUtf8(c.shown));
        ASSERT_NE(Translator(), nullptr);
        const QString readFrom = QString::fromUtf8(c.readFrom);
        const QString written = QStringLiteral("collect/") + QFileInfo(readFrom).fileName();
        EXPECT_EQ(Translator()->Datei(), dir.filePath(readFrom));
        EXPECT_EQ(Translator()->saveFile(), dir.filePath(written));
        TranslateText(QStringLiteral("Neu"));
        EXPECT_EQ(bytesOf(written), QByteArray(c.collectedAfter));
        // The shipped files are as they were, and the copy is the language
        // file from now on.
        EXPECT_EQ(bytesOf(QStringLiteral("shipped/0407.lng")), QByteArray(c.shipped0407 ? c.shipped0407 : "<missing>"));
        EXPECT_EQ(bytesOf(QStringLiteral("shipped/default.lng")),
            QByteArray(c.shippedDefault ? c.shippedDefault : "<missing>"));
        EXPECT_EQ(Translator()->Datei(), dir.filePath(written));
        EndTranslation();
        SetLanguageName(QStringLiteral("0407"));
        TranslateText(QStringLiteral("Datei"));
        ASSERT_NE(Translator(), nullptr);
        EXPECT_EQ(Translator()->Datei(), dir.filePath(written)) << "the next run reads the collected file";
        EndTranslation();
    }
    SetLanguageFolder(m_folder.path());
}

TEST_F(TranslatorTest, LanguageNameDefaultsToTheOperatingSystemsCode)
{
    SetLanguageName(QString());
    writeFile(OsLanguageCode() + QStringLiteral(".lng"), QByteArray("Datei~File\r\n"));
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("File "));
}

TEST_F(TranslatorTest, LanguageNameThatLeavesTheFolderIsIgnored)
{
    QTemporaryDir outside;
    QFile elsewhere(QDir(outside.path()).filePath(QStringLiteral("evil.lng")));
    ASSERT_TRUE(elsewhere.open(QIODevice::WriteOnly));
    elsewhere.write("Datei~Pwned\r\n");
    elsewhere.close();
    SetLanguageName(QDir(m_folder.path()).relativeFilePath(QDir(outside.path()).filePath(QStringLiteral("evil"))));
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Datei"));
    ASSERT_NE(Translator(), nullptr);
    EXPECT_TRUE(Translator()->Datei().startsWith(m_folder.path()));
}

TEST_F(TranslatorTest, Utf8FileWithMarkIsReadAndRewrittenAsWindows1252)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e~Size\r\n"));
    EXPECT_EQ(TranslateText(QStringLiteral("Größe")), QStringLiteral("Size "));
    // Nothing new yet: the file stays as it is until the end of the run.
    EXPECT_TRUE(readFile(QStringLiteral("0407.lng")).startsWith("\xEF\xBB\xBF"));
    restart();
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")), QByteArray("Gr\xF6\xDF" "e~Size\r\n"));
}

TEST_F(TranslatorTest, TranslationsOutsideWindows1252StayUtf8)
{
    // Polish letters have no Windows-1252 byte; writing "?" would destroy them.
    const QByteArray polish("\xEF\xBB\xBF" "Datei~Plik \xC5\x82\xC4\x85" "cz\r\n");
    writeFile(QStringLiteral("0407.lng"), polish);
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QString::fromUtf8("Plik łącz"));
    TranslateText(QStringLiteral("Neu"));
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")), polish + "Neu~\r\n");
}

TEST_F(TranslatorTest, UnreadableFileIsNeverRewritten)
{
    // A file far beyond any language file counts as unreadable.
    {
        QFile file(path(QStringLiteral("0407.lng")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Datei~File\r\n");
        ASSERT_TRUE(file.resize(17 * 1024 * 1024));
    }
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Datei"));
    EXPECT_EQ(TranslateText(QStringLiteral("Neu")), QStringLiteral("Neu"));
    EndTranslation();
    const QByteArray after = readFile(QStringLiteral("0407.lng"));
    EXPECT_EQ(after.size(), 17 * 1024 * 1024);
    EXPECT_TRUE(after.startsWith("Datei~File\r\n"));
}

TEST_F(TranslatorTest, EndOfRunWithoutLookupKeepsTheFile)
{
    const QByteArray content("Datei~File\r\nKommentar\r\n");
    writeFile(QStringLiteral("0407.lng"), content);
    ASSERT_NE(EnsureTranslator(), nullptr);
    EndTranslation();
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")), content);
}

TEST_F(TranslatorTest, RewriteLeavesNoTemporaryFiles)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray("Datei~File\r\n"));
    TranslateText(QStringLiteral("Neu"));
    TranslateText(QStringLiteral("Neuer"));
    EndTranslation();
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("0407.lng")});
}

TEST_F(TranslatorTest, DefaultFileThatCannotBeCreatedLeavesTranslationOff)
{
    SetLanguageFolder(path(QStringLiteral("no/such/folder")));
    EXPECT_EQ(EnsureTranslator(), nullptr);
    EXPECT_EQ(TranslateText(QStringLiteral("&Datei")), QStringLiteral("&Datei"));
    EXPECT_EQ(TranslateFormat(QStringLiteral("Höhe %d von %d"), {1, 2}), QStringLiteral("Höhe 1 von 2"));
    // The translator exists now, so selection is not tried again.
    EXPECT_NE(EnsureTranslator(), nullptr);
    ASSERT_NE(Translator(), nullptr);
    EXPECT_FALSE(Translator()->dotranslate());
}

TEST_F(TranslatorTest, FileDeletedDuringTheRunIsWarnedAboutOnce)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray("Datei~File\r\n"));
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("File "));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("0407.lng"))));

    // The translator shows nothing itself; it hands the warning to whoever
    // the user interface installed.
    QStringList warnings;
    SetMissingLanguageFileWarning([&warnings](const QString& message) { warnings << message; });
    TWTranslator* translator = Translator();
    translator->SetLanguageFile(path(QStringLiteral("0407.lng")));
    translator->SetLanguageFile(path(QStringLiteral("0407.lng")));
    SetMissingLanguageFileWarning({});
    EXPECT_EQ(warnings, QStringList{QStringLiteral("Übersetzungsdatei existiert nicht !")});
    EXPECT_TRUE(translator->warned());

    // Lookups are skipped while the file is missing; nothing recreates it.
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Datei"));
    EXPECT_EQ(TranslateText(QStringLiteral("Neu")), QStringLiteral("Neu"));
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")), QByteArray("<missing>"));

    // Once the file is back, lookups resume.
    writeFile(QStringLiteral("0407.lng"), QByteArray("Datei~Archive\r\n"));
    translator->SetLanguageFile(path(QStringLiteral("0407.lng")));
    EXPECT_FALSE(translator->warned());
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Archive"));
}

TEST_F(TranslatorTest, APipeOrAFolderNamedLikeTheLanguageFileIsNeverWaitedForNorRewritten)
{
    // Reading a pipe without a writer would wait forever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("0407.lng"))).constData(), 0600), 0);
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Datei"));
    EndTranslation();
    EXPECT_FALSE(QFileInfo(path(QStringLiteral("0407.lng"))).isFile());
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("0407.lng"))));

    // The translator fell back to a fresh "default.lng"; a folder in its place
    // leaves translation off.
    QFile::remove(path(QStringLiteral("default.lng")));
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("default.lng")));
    restart();
    SetLanguageName(QStringLiteral("0415"));
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Datei"));
    EndTranslation();
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("default.lng"))).isDir());
}

TEST_F(TranslatorTest, PipeOrFolderInPlaceOfTheChosenFileIsUnreadableAtOnce)
{
    enum class Kind { Pipe, Folder };
    struct Case {
        const char* name;
        Kind kind;
    };
    const Case cases[] = {{"pipe", Kind::Pipe}, {"folder", Kind::Folder}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        const QString file = path(QStringLiteral("0407.lng"));
        writeFile(QStringLiteral("0407.lng"), QByteArray("Datei~File\r\n"));
        // Chosen, not yet read: a blank text is not looked up.
        ASSERT_EQ(TranslateText(QStringLiteral("   ")), QString());
        ASSERT_NE(Translator(), nullptr);
        ASSERT_EQ(Translator()->Datei(), file);
        QStringList warnings;
        SetMissingLanguageFileWarning([&warnings](const QString& message) { warnings << message; });
        ASSERT_TRUE(QFile::remove(file));
        if (c.kind == Kind::Pipe)
            ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else
            ASSERT_TRUE(QDir().mkdir(file));

        // An ordinary open of a pipe without writer waits forever; the
        // reading gives up at once, the texts stay German.
        EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("Datei"));
        EXPECT_EQ(TranslateText(QStringLiteral("Neu")), QStringLiteral("Neu"));
        EXPECT_FALSE(Translator()->isLoaded());
        EXPECT_EQ(warnings, QStringList{QStringLiteral("Übersetzungsdatei existiert nicht !")});
        EndTranslation();
        SetMissingLanguageFileWarning({});
        // What was never read is never replaced, and nothing is left beside it.
        EXPECT_FALSE(QFileInfo(file).isFile());
        EXPECT_EQ(QFileInfo(file).isDir(), c.kind == Kind::Folder);
        EXPECT_EQ(folderEntries(), QStringList());
        if (c.kind == Kind::Folder)
            QDir().rmdir(file);
        else
            QFile::remove(file);
    }
}

TEST_F(TranslatorTest, TranslatedFormatIsUsedOnlyWithMatchingSpecifiers)
{
    writeFile(QStringLiteral("0407.lng"),
        QString::fromUtf8("Höhe %d von %d~Height %d of %d\r\n"
                          "Breite %d von %d~Width %s of %d\r\n"
                          "%d. Teilhöhe~%d. %d. height\r\n"
                          "%d. Teilbreite~Width %1:d\r\n"
                          "Fenstergröße: %d x %d mm~Window %1:d by %0:d mm\r\n")
            .toLatin1());
    struct Case {
        const char* format;
        FormatArgs arguments;
        const char* shown;
    };
    const Case cases[] = {
        {"Höhe %d von %d", {2, 3}, "Height 2 of 3"},
        {"Breite %d von %d", {2, 3}, "Breite 2 von 3"}, // %s for an integer
        {"%d. Teilhöhe", {4}, "4. Teilhöhe"}, // one argument more
        {"%d. Teilbreite", {4}, "4. Teilbreite"}, // another argument
        {"Fenstergröße: %d x %d mm", {1000, 800}, "Window 800 by 1000 mm  "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateFormat(QString::fromUtf8(c.format), c.arguments), QString::fromUtf8(c.shown))
            << c.format;
}

TEST_F(TranslatorTest, AcceleratorsOfTheFileAreGivenOutOnce)
{
    // The first "&" of a source without one in its translation takes the
    // translation's character in the same column, unless it is used.
    writeFile(QStringLiteral("0407.lng"),
        QByteArray("&Datei~File\r\n&Drucken~Print\r\n&Dokument~Papier\r\n"));
    EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("&File "));
    EXPECT_EQ(TranslateText(QStringLiteral("Drucken")), QStringLiteral("&Print  "));
    EXPECT_EQ(TranslateText(QStringLiteral("Dokument")), QStringLiteral("Papier  "));
    // Texts outside a form share the translator's own set of keys.
    EXPECT_TRUE(Translator()->looseAccelerators().contains(QLatin1Char('F')));
    EXPECT_TRUE(Translator()->looseAccelerators().contains(QLatin1Char('P')));
    EndTranslation();
    EXPECT_EQ(readFile(QStringLiteral("0407.lng")),
        QByteArray("&Datei~&File\r\n&Drucken~&Print\r\nDokument~Papier\r\n"));
}

TEST(LanguageCode, MapsLocalesToLanguageFiles)
{
    struct Case {
        const char* locale;
        const char* code;
    };
    const Case cases[] = {
        {"de_AT", "0407"}, {"de_DE", "0407"}, {"de_CH", "0407"}, {"en_GB", "0409"}, {"en_US", "0409"},
        {"cs_CZ", "0405"}, {"es_MX", "040A"}, {"fr_CA", "040C"}, {"it_CH", "0410"}, {"pl_PL", "0415"},
        {"nl_NL", "0413"}, {"nl_BE", "0813"}, {"pt_BR", "0416"}, {"pt_PT", "0816"}, {"sv_FI", "081D"},
        {"ja_JP", "0411"}, {"C", "0409"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageCodeForLocale(QLocale(QString::fromLatin1(c.locale))), QString::fromLatin1(c.code))
            << c.locale;
    EXPECT_EQ(LanguageCodeForLocale(QLocale(QLocale::Zulu)), QStringLiteral("1000"));
    EXPECT_EQ(OsLanguageCode(), LanguageCodeForLocale(QLocale::system()));
}

TEST(TextMarks, EncodeDecodeAndStrip)
{
    EXPECT_EQ(EncodeText(QStringLiteral("A&B\r\nC")), QStringLiteral("A#38B#13C"));
    EXPECT_EQ(DecodeText(QStringLiteral("A#38B#13C")), QStringLiteral("A&B\rC"));
    EXPECT_EQ(StripMarks(QStringLiteral("&Da~tei&")), QStringLiteral("Datei"));
}

} // namespace
} // namespace fenster
