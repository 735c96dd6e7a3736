#include "LanguageFolder.h"
#include "TranslateForm.h"

#include <QMessageBox>
#include <QTimer>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace fenster {
namespace {

// A form with one control of every role, built as a form's creation would.
struct SampleForm {
    QWidget form;
    QLabel* label;
    QCheckBox* check;
    QGroupBox* group;
    QGroupBox* radioGroup;
    QRadioButton* radio;
    QComboBox* combo;
    QPushButton* button;
    QPushButton* keptButton;
    QLineEdit* edit;
    QSpinBox* spin;
    QStatusBar* statusBar;
    QMenu* menu;
    QAction* item;
    QAction* separator;

    SampleForm()
    {
        form.setWindowTitle(QStringLiteral("Fenster&daten"));
        form.setToolTip(QStringLiteral("Formhinweis"));
        auto* layout = new QVBoxLayout(&form);
        auto* menuBar = new QMenuBar(&form);
        layout->setMenuBar(menuBar);
        menu = menuBar->addMenu(QStringLiteral("&Datei"));
        item = menu->addAction(QStringLiteral("Ö&ffnen"));
        item->setStatusTip(QStringLiteral(" Öffnet &eine Datei "));
        separator = menu->addSeparator();
        label = new QLabel(QStringLiteral("Linker Rand [mm]:"), &form);
        label->setToolTip(QStringLiteral("&Hinweis"));
        check = new QCheckBox(QStringLiteral("&Griff"), &form);
        group = new QGroupBox(QStringLiteral(" &Gruppe "), &form);
        edit = new QLineEdit(QStringLiteral("Eingabe"), group);
        radioGroup = new QGroupBox(QStringLiteral(" &Fenstertyp "), &form);
        radio = new QRadioButton(QStringLiteral("&Rechteck"), radioGroup);
        combo = new QComboBox(&form);
        combo->addItems({QStringLiteral("&Links"), QStringLiteral("Rechts")});
        button = new QPushButton(QStringLiteral("&Laden"), &form);
        keptButton = new QPushButton(QStringLiteral("&OK"), &form);
        keptButton->setProperty("noTranslate", true);
        spin = new QSpinBox(&form);
        spin->setSuffix(QStringLiteral(" mm"));
        statusBar = new QStatusBar(&form);
        statusBar->setToolTip(QStringLiteral("Status"));
        statusBar->showMessage(QStringLiteral("Bereit"));
        for (QWidget* w : std::initializer_list<QWidget*>{label, check, group, radioGroup, combo, button,
                 keptButton, spin, statusBar})
            layout->addWidget(w);
    }
};

using TranslateFormTest = LanguageFolderTest;

TEST_F(TranslateFormTest, EmptyFileCollectsEveryTextInFormOrder)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray());
    SampleForm sample;
    ASSERT_EQ(TranslateForm(&sample.form), 0);
    EXPECT_EQ(DecodeLanguageFile(readFile(QStringLiteral("0407.lng"))),
        (QStringList{"Fenster#38daten~", "Formhinweis~", "#38Datei~", QString::fromUtf8("Ö#38ffnen~"), "-~",
            "Linker Rand [mm]~", "#38Hinweis~", "#38Griff~", " #38Gruppe~", " #38Fenstertyp~",
            "#38Rechteck~", "#38Links~", "Rechts~", "#38Laden~", "Status~"}));

    // Untranslated, the roles still differ in what they keep.
    EXPECT_EQ(sample.form.windowTitle(), QStringLiteral("Fensterdaten"));
    EXPECT_EQ(sample.label->text(), QStringLiteral("Linker Rand [mm]:"));
    EXPECT_EQ(sample.label->toolTip(), QStringLiteral("Hinweis"));
    EXPECT_EQ(sample.check->text(), QStringLiteral("Griff"));
    EXPECT_EQ(sample.group->title(), QStringLiteral("Gruppe"));
    EXPECT_EQ(sample.radioGroup->title(), QStringLiteral("&Fenstertyp"));
    EXPECT_EQ(sample.radio->text(), QStringLiteral("Rechteck"));
    EXPECT_EQ(sample.combo->itemText(0), QStringLiteral("Links"));
    EXPECT_EQ(sample.button->text(), QStringLiteral("&Laden"));
    EXPECT_EQ(sample.menu->title(), QStringLiteral("&Datei"));
    EXPECT_EQ(sample.item->text(), QString::fromUtf8("Ö&ffnen"));
    EXPECT_EQ(sample.item->statusTip(), QString::fromUtf8("Öffnet eine Datei"));
    EXPECT_TRUE(sample.separator->isSeparator());
    // Not translated at all.
    EXPECT_EQ(sample.keptButton->text(), QStringLiteral("&OK"));
    EXPECT_EQ(sample.edit->text(), QStringLiteral("Eingabe"));
    EXPECT_EQ(sample.statusBar->currentMessage(), QStringLiteral("Bereit"));
}

TEST_F(TranslateFormTest, TranslationsReplaceTextsByRole)
{
    writeFile(QStringLiteral("0407.lng"),
        QString::fromUtf8("Fenster#38daten~Window #38data\r\n#38Datei~#38File\r\nÖ#38ffnen~#38Open\r\n"
                          "Linker Rand [mm]~Left margin\r\n#38Griff~#38Handle\r\n #38Gruppe~ #38Group \r\n"
                          " #38Fenstertyp~#38Type\r\n#38Rechteck~#38Rectangle\r\n#38Links~#38Left\r\n"
                          "#38Laden~#38Load\r\n")
            .toLatin1());
    SampleForm sample;
    ASSERT_EQ(TranslateForm(&sample.form), 0);
    // Every lookup fills the translation to the length of the source.
    EXPECT_EQ(sample.form.windowTitle(), QStringLiteral("Window data "));
    EXPECT_EQ(sample.menu->title(), QStringLiteral("&File "));
    EXPECT_EQ(sample.item->text(), QStringLiteral("&Open  "));
    EXPECT_EQ(sample.label->text(), QStringLiteral("Left margin     :"));
    EXPECT_EQ(sample.check->text(), QStringLiteral("Handle"));
    EXPECT_EQ(sample.group->title(), QStringLiteral("Group"));
    EXPECT_EQ(sample.radioGroup->title(), QStringLiteral("&Type"));
    EXPECT_EQ(sample.radio->text(), QStringLiteral("Rectangle"));
    EXPECT_EQ(sample.combo->itemText(0), QStringLiteral("Left "));
    EXPECT_EQ(sample.combo->itemText(1), QStringLiteral("Rechts"));
    EXPECT_EQ(sample.button->text(), QStringLiteral("&Load "));
}

TEST_F(TranslateFormTest, EachFormGivesOutItsAcceleratorsAfresh)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray("Datei~&File\r\nZeile~Ro&w\r\n"));
    TWTranslator* translator = EnsureTranslator();
    ASSERT_NE(translator, nullptr);
    QWidget form;
    auto* button = new QPushButton(QStringLiteral("Datei"), &form);
    AcceleratorSet used;
    TranslateComponent(*translator, &form, used);
    EXPECT_EQ(button->text(), QStringLiteral("&File "));
    // The keys the form's texts took are the form's: none leaks into the
    // set of the texts shown outside a form.
    EXPECT_TRUE(used.contains(QLatin1Char('F')));
    EXPECT_FALSE(translator->looseAccelerators().contains(QLatin1Char('F')));
    EXPECT_EQ(TranslateText(QStringLiteral("Zeile")), QStringLiteral("&Row  "));
    // A second form starts with none given out.
    QWidget second;
    auto* other = new QPushButton(QStringLiteral("Datei"), &second);
    ASSERT_EQ(TranslateForm(&second), 0);
    EXPECT_EQ(other->text(), QStringLiteral("&File "));
}

TEST_F(TranslateFormTest, AMissingLanguageFileIsWarnedAboutInABoxOnce)
{
    writeFile(QStringLiteral("0407.lng"), QByteArray("Datei~File\r\n"));
    UseMessageBoxForMissingLanguageFile();
    QWidget form;
    ASSERT_EQ(TranslateForm(&form), 0);
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("0407.lng"))));
    QStringList warnings;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&warnings] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            warnings << box->windowTitle() + QStringLiteral(": ") + box->text();
            box->accept();
        }
    });
    closer.start(5);
    Translator()->SetLanguageFile(path(QStringLiteral("0407.lng")));
    Translator()->SetLanguageFile(path(QStringLiteral("0407.lng")));
    closer.stop();
    SetMissingLanguageFileWarning({});
    EXPECT_EQ(warnings, QStringList{QStringLiteral("Warnung: Übersetzungsdatei existiert nicht !")});
}

TEST_F(TranslateFormTest, FormsShareAcceleratorsOnlyThroughOneSet)
{
    // "&Fenster" takes the "F" of its translation's column only while no
    // text before it took that key; the second form reads the file again.
    struct Case {
        const char* name;
        bool shareSet;
        bool firstIsProgramText;
        const char* shown;
    };
    const Case cases[] = {
        {"each form its own", false, false, "&Fenster"},
        {"one set for both forms", true, false, "Fenster"},
        {"a text of program code before the form", false, true, "&Fenster"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        restart();
        writeFile(QStringLiteral("0407.lng"), QByteArray("&Fenster~Fenster\r\nDatei~&File\r\n"));
        TWTranslator* translator = EnsureTranslator();
        ASSERT_NE(translator, nullptr);
        AcceleratorSet shared;
        QWidget first;
        auto* firstLabel = new QLabel(QStringLiteral("Datei"), &first);
        if (c.firstIsProgramText) {
            EXPECT_EQ(TranslateText(QStringLiteral("Datei")), QStringLiteral("&File "));
        } else {
            AcceleratorSet own;
            TranslateComponent(*translator, &first, c.shareSet ? shared : own);
            EXPECT_EQ(firstLabel->text(), QStringLiteral("&File"));
        }

        translator->SetLanguageFile(path(QStringLiteral("0407.lng")));
        QWidget second;
        auto* secondLabel = new QLabel(QStringLiteral("Fenster"), &second);
        if (c.shareSet)
            TranslateComponent(*translator, &second, shared);
        else
            EXPECT_EQ(TranslateForm(&second), 0);
        EXPECT_EQ(secondLabel->text(), QString::fromUtf8(c.shown));
    }
}

} // namespace
} // namespace fenster
