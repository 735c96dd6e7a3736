#include "FormsTest.h"

#include "Dialogs.h"
#include "MessageBox.h"
#include "SpinEdit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace fenster {
namespace {

// Opening every dialog of the program once fills an empty catalogue with
// exactly their texts, and a translated catalogue shows them translated.
class CatalogueTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        QFile::remove(languageFile());
        // No file for this language: the catalogue is "default.lng".
        SetLanguageName(QStringLiteral("0413"));
        writeDefault(QByteArray());
    }

    QString defaultFile() const { return QDir(m_folder.path()).filePath(QStringLiteral("default.lng")); }

    void writeDefault(const QByteArray& bytes) const
    {
        QFile file(defaultFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QStringList defaultLines() const
    {
        QFile file(defaultFile());
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<missing>")};
        return DecodeLanguageFile(file.readAll());
    }

    // Opens each dialog once, records the texts it shows and closes it with
    // Escape.
    QStringList openEveryDialog()
    {
        QStringList shown;
        auto record = [&shown](QWidget* modal) {
            shown << modal->windowTitle().trimmed();
            for (QLabel* label : modal->findChildren<QLabel*>())
                shown << label->text();
            for (QGroupBox* group : modal->findChildren<QGroupBox*>())
                shown << group->title();
            for (QPushButton* button : modal->findChildren<QPushButton*>())
                shown << button->text();
            PressKey(modal, Qt::Key_Escape);
        };
        QString width, height;
        OnModal(record);
        EditWindowSize(nullptr, 1200, 800, width, height);
        std::optional<int> horizontal = 1, vertical = 1;
        OnModal(record);
        EditDimensionValues(nullptr, horizontal, vertical);
        int rahmen = 1, sprossen = 1, sprossenV = 1;
        OnModal(record);
        EditBarWidths(nullptr, rahmen, sprossen, sprossenV);
        int left = 1, middle = 1, right = 1, archWidth = 1;
        OnModal(record);
        EditSegmentArch(nullptr, left, middle, right, archWidth);
        int skalierung = 1;
        OnModal(record);
        EditScaleFactor(nullptr, skalierung);
        OnModal(record);
        ShowError(QString::fromUtf8("Keine Maßlinie ausgewählt!"));
        return shown;
    }
};

TEST_F(CatalogueTest, EmptyDefaultFileIsFilledWithTheDialogsTexts)
{
    openEveryDialog();
    EndTranslation();
    EXPECT_EQ(defaultLines(),
        (QStringList{
            QString::fromUtf8("Maßzahlen einstellen~"),
            QString::fromUtf8("Horizontale Bemaßung~"),
            QString::fromUtf8("Vertikale Bemaßung~"),
            "Sprossen Breite~",
            "Rahmen Breite [mm]~",
            "Sprossen horizontal [mm]~",
            "Sprossen Vertikal [mm]~",
            "Segmentbogen Fensteranlage~",
            QString::fromUtf8("Höhe links [mm]~"),
            QString::fromUtf8("Höhe mitte [mm]~"),
            QString::fromUtf8("Höhe rechts [mm]~"),
            "Gesamtbreite [mm]~",
            "Einstellungen~",
            "Skalierungsfaktor  [mm je Pixel]~",
            QString::fromUtf8("Zeichenränder~"),
            "Linker Rand [mm]~",
            "Unterer Rand [mm]~",
            "Sprache~",
            // The message box: caption and text first, then its design texts.
            "Fehler~",
            QString::fromUtf8("Keine Maßlinie ausgewählt!~"),
            "Form_Messagebox~",
            "Messagetext~",
        }));
    // The file is Windows-1252 without byte-order mark.
    QFile file(defaultFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("Ma\xDFzahlen einstellen~\r\n"));
}

TEST_F(CatalogueTest, EnglishFileShowsEveryDialogButTheResizeDialogInEnglish)
{
    writeDefault(QString::fromUtf8(
        "Fenstermaße ändern~Change window size\r\n"
        "alte Fenstermaße [B mm x H mm]~old size [W mm x H mm]\r\n"
        "neue Fenstermaße [B mm x H mm]~new size [W mm x H mm]\r\n"
        "Maßzahlen einstellen~Dimension values\r\n"
        "Horizontale Bemaßung~Horizontal dimension\r\n"
        "Vertikale Bemaßung~Vertical dimension\r\n"
        "Sprossen Breite~Bar widths\r\n"
        "Rahmen Breite [mm]~Frame width [mm]\r\n"
        "Sprossen horizontal [mm]~Horizontal bars [mm]\r\n"
        "Sprossen Vertikal [mm]~Vertical bars [mm]\r\n"
        "Segmentbogen Fensteranlage~Segment arch installation\r\n"
        "Höhe links [mm]~Height left [mm]\r\n"
        "Höhe mitte [mm]~Height centre [mm]\r\n"
        "Höhe rechts [mm]~Height right [mm]\r\n"
        "Gesamtbreite [mm]~Total width [mm]\r\n"
        "Einstellungen~Settings\r\n"
        "Skalierungsfaktor  [mm je Pixel]~Scale factor [mm per pixel]\r\n"
        "Zeichenränder~Drawing margins\r\n"
        "Linker Rand [mm]~Left margin [mm]\r\n"
        "Unterer Rand [mm]~Bottom margin [mm]\r\n"
        "Sprache~Language\r\n"
        "Fehler~Error\r\n"
        "Keine Maßlinie ausgewählt!~No dimension line selected!\r\n")
                     .toLatin1());
    const QStringList shown = openEveryDialog();
    const QStringList expected{
        // The resize dialog is never translated.
        QString::fromUtf8("Fenstermaße ändern"),
        QString::fromUtf8("alte Fenstermaße [B mm x H mm] : "),
        "800 x 1200",
        QString::fromUtf8("neue Fenstermaße [B mm x H mm] : "),
        "X",
        "&OK",
        "&Abbruch",
        // Every other dialog is; its OK and Abbruch buttons keep their captions.
        "Dimension values",
        "Horizontal dimension:",
        "Vertical dimension:",
        "&OK",
        "&Abbruch",
        "Bar widths",
        "Frame width [mm]",
        "Horizontal bars [mm]",
        "Vertical bars [mm]",
        "&OK",
        "&Abbruch",
        "Segment arch installation",
        "Height left [mm]",
        "Height centre [mm]",
        "Height right [mm]",
        "Total width [mm]",
        "&OK",
        "&Abbruch",
        "Settings",
        "Left margin [mm]:",
        "Bottom margin [mm]:",
        "Scale factor [mm per pixel]",
        "Drawing margins",
        "Language",
        "&OK",
        "&Abbruch",
        "Error",
        "No dimension line selected!",
        "&OK",
        "&Abbruch",
    };
    EXPECT_EQ(shown, expected);
    // Every text was known: the catalogue gained only the message box's
    // design texts.
    EndTranslation();
    const QStringList lines = defaultLines();
    EXPECT_EQ(lines.size(), 25);
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{"Form_Messagebox~", "Messagetext~"}));
}

} // namespace
} // namespace fenster
